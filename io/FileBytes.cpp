// SPDX-License-Identifier: MIT
#include "io/FileBytes.h"

#include <QFile>
#include <QFileInfo>

namespace tessaro {

FileBytes readFileBytes(const QString &path) {
    // Checked before opening: opening a FIFO or a device could block or never end.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return {{}, FileFault::Missing};
    if (info.isDir())
        return {{}, FileFault::Folder};
    if (!info.isFile())
        return {{}, FileFault::NotRegular};
    if (info.size() > MaxFileBytes)
        return {{}, FileFault::TooLarge};
    if (!info.isReadable())
        return {{}, FileFault::Unreadable};

    QFile handle(path);
    if (!handle.open(QIODevice::ReadOnly))
        return {{}, FileFault::Unreadable};
    if (handle.isSequential())
        return {{}, FileFault::NotRegular};
    // Qt sizes the buffer to the count asked for, so ask for what the file holds (one byte more
    // tells a file that grew after the size check), and only then up to the limit.
    FileBytes read;
    read.bytes = handle.read(info.size() + 1);
    if (read.bytes.size() > info.size())
        read.bytes += handle.read(MaxFileBytes + 1 - read.bytes.size());
    if (handle.error() != QFileDevice::NoError)
        return {{}, FileFault::Unreadable};
    if (read.bytes.size() > MaxFileBytes)
        return {{}, FileFault::TooLarge};
    return read;
}

} // namespace tessaro
