// SPDX-License-Identifier: MIT
// Times reading and saving a 1000-point coordinate file. Prints figures; never fails on them.

#include "MedianTime.h"
#include "io/ArfReader.h"
#include "io/ArfWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace tessaro;

namespace {

constexpr int Runs = 200;

} // namespace

int main() {
    PointArray x{};
    PointArray y{};
    const double pi = 4.0 * std::atan(1.0);
    for (int i = 1; i <= MaxIndex; ++i) {
        const double angle = 2.0 * pi * (i - 1) / (MaxIndex - 1);
        x[i] = 0.5 + 0.5 * std::cos(angle);
        y[i] = 0.06 * std::sin(angle);
    }
    const std::optional<QByteArray> bytes = formatArf("Bench section", MaxIndex, x, y);
    QTemporaryDir dir;
    if (!bytes || !dir.isValid()) {
        std::printf("bench_files: could not prepare the input\n");
        return 0;
    }
    const QString path = QDir(dir.path()).filePath("bench.arf");

    Module_Common ws;
    int loaded = 0;
    const double readTime = medianMicroseconds(Runs, [&] {
        if (const std::optional<ArfFile> file = parseArf(*bytes)) {
            applyLoad(ws, *file);
            ++loaded;
        }
    });

    int saved = 0;
    const double writeTime = medianMicroseconds(Runs, [&] {
        const std::optional<QByteArray> text = formatArf("Bench section", ws.NI, ws.XN, ws.YN);
        if (text && !writeWholeFile(path, *text))
            ++saved;
    });

    std::printf("parse + applyLoad, %d points: median %.1f us over %d runs (%d loaded)\n", MaxIndex,
                readTime, Runs, loaded);
    std::printf("formatArf + writeWholeFile, %d points: median %.1f us over %d runs (%d saved)\n",
                MaxIndex, writeTime, Runs, saved);
    return 0;
}
