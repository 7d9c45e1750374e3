// SPDX-License-Identifier: MIT
#pragma once

class QScrollBar;

namespace tessaro {

// Qt's horizontal scroll bars take the arrow keys backwards (Right moves the thumb left, against
// their own arrow buttons); after this, Left and Right step the bar the way its buttons do.
void stepWithArrowButtons(QScrollBar *bar);

} // namespace tessaro
