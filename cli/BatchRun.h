// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <cstdio>

namespace tessaro {

// Where a run writes: results with -o - and the help text to out, everything else to err.
struct BatchStreams {
    std::FILE *out = stdout;
    std::FILE *err = stderr;
    // The progress line is drawn only on a terminal.
    bool errIsTerminal = false;
};

// The whole program after start-up: the arguments that follow its name in, the exit status out
// (0 every file written, 1 a file refused or not written, 2 a usage error).
int runBatch(const QStringList &arguments, const BatchStreams &streams);

} // namespace tessaro
