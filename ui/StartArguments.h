// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace tessaro {

// What the window is started with, from the arguments left after Qt has taken its own options
// (-platform, -style, …).
struct StartArguments {
    QString file; // imported at start; empty: the window starts empty
    bool help = false;
    QString error; // a usage error, said before the usage line; the program then ends with 2
};

// At most one FILE; -h or --help; "--" ends the options, so a file may begin with '-'.
StartArguments parseStartArguments(const QStringList &arguments);

// The one usage line.
QString startUsage();

} // namespace tessaro
