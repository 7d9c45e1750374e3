// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace tessaro {

// Titles are kept as the bytes of the file. On screen they are UTF-8 where the bytes are valid
// UTF-8, and Windows-1254 (the Turkish code page older files were written in) otherwise.
QString decodeTitle(const QByteArray &bytes);

} // namespace tessaro
