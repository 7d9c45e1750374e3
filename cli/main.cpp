// SPDX-License-Identifier: MIT
#include "cli/BatchRun.h"

#include <QCoreApplication>

#include <unistd.h>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    tessaro::BatchStreams streams;
    streams.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    return tessaro::runBatch(QCoreApplication::arguments().mid(1), streams);
}
