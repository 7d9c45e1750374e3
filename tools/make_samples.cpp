// SPDX-License-Identifier: MIT
// Writes the NACA sample coordinate files into the folder given on the command line.

#include "tools/NacaSamples.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "make_samples: the folder %s does not exist\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const auto &section : tessaro::samples::sampleSections()) {
        const QString path = folder.filePath(QString::fromLatin1(section.fileName));
        const auto bytes = tessaro::samples::sampleBytes(section);
        const auto problem = bytes ? tessaro::writeWholeFile(path, *bytes)
                                   : std::optional<QString>(QStringLiteral("cannot be formatted"));
        if (problem) {
            std::fprintf(stderr, "make_samples: %s: %s\n", qPrintable(path), qPrintable(*problem));
            ++failures;
        } else {
            std::printf("%s\n", qPrintable(path));
        }
    }
    return failures == 0 ? 0 : 1;
}
