// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <sys/types.h>
#include <utility>

namespace tessaro {

// The inputs of a run by device and inode, so that an output that reaches one of them through
// another name, a symbolic link or a hard link is still known for it.
class InputFiles {
  public:
    explicit InputFiles(const QStringList &inputs);

    // True when path names an existing file that is one of the inputs.
    bool contains(const QString &path) const;

  private:
    using Id = std::pair<dev_t, ino_t>;
    static std::optional<Id> identity(const QString &path);
    std::set<Id> ids;
};

} // namespace tessaro
