// SPDX-License-Identifier: MIT
#include "ui/StartArguments.h"

namespace tessaro {

StartArguments parseStartArguments(const QStringList &arguments) {
    StartArguments start;
    QStringList files;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"-h" || argument == u"--help")) {
            start.help = true;
        } else if (options && argument.size() > 1 && argument.startsWith(u'-')) {
            start.error = QStringLiteral("unknown option \"%1\".").arg(argument);
            return start;
        } else {
            files << argument;
        }
    }
    if (files.size() > 1) {
        start.error = QStringLiteral("one FILE at most, not %1.").arg(files.size());
        return start;
    }
    if (!files.isEmpty())
        start.file = files.front();
    return start;
}

QString startUsage() {
    return QStringLiteral("Usage: tessaro [FILE]   (imports FILE: .arf, Selig or Lednicer)");
}

} // namespace tessaro
