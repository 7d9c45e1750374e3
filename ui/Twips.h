// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

namespace tessaro {

// Layout is given in twips; at 96 dots per inch a logical pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;

inline QRect twips(int left, int top, int width, int height) {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
}

} // namespace tessaro
