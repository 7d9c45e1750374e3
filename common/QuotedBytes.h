// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

namespace tessaro {

// The most characters of a file's bytes that a message shows.
inline constexpr int MaxQuotedChars = 40;

// Bytes of a file as a message quotes them: in double quotes, blanks, tabs and line ends around
// dropped; valid UTF-8 as it stands; control and format characters and bytes that are not UTF-8
// as \xNN for each byte, so that nothing from the file reaches a dialog or a terminal raw. At
// most MaxQuotedChars characters are shown, an escape counting as its four; "..." marks a cut.
QString quotedBytes(QByteArrayView bytes);

} // namespace tessaro
