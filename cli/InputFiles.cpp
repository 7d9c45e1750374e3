// SPDX-License-Identifier: MIT
#include "cli/InputFiles.h"

#include <QFile>

#include <sys/stat.h>

namespace tessaro {

InputFiles::InputFiles(const QStringList &inputs) {
    for (const QString &input : inputs) {
        if (const auto id = identity(input))
            ids.insert(*id);
    }
}

bool InputFiles::contains(const QString &path) const {
    const auto id = identity(path);
    return id && ids.count(*id) > 0;
}

std::optional<InputFiles::Id> InputFiles::identity(const QString &path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return Id{status.st_dev, status.st_ino};
}

} // namespace tessaro
