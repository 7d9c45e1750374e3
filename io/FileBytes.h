// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace tessaro {

// Anything longer is not a coordinate file; reading stops there instead of filling memory.
inline constexpr qint64 MaxFileBytes = qint64(64) * 1024 * 1024;

enum class FileFault { None, Missing, Folder, NotRegular, TooLarge, Unreadable };

struct FileBytes {
    QByteArray bytes;
    FileFault fault = FileFault::None;
};

// The bytes of the regular file at path, at most MaxFileBytes. Folders, devices, FIFOs and
// sockets are refused before opening, so that reading never blocks.
FileBytes readFileBytes(const QString &path);

} // namespace tessaro
