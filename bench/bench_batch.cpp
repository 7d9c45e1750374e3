// SPDX-License-Identifier: MIT
// Times whole runs of tessaro-batch, from start to exit: one 1000-point section, and a folder of
// 1000 sections of 200 points. Prints figures; never fails on them.

#include "io/ArfWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace tessaro;

namespace {

struct Timing {
    double median = 0;
    double best = 0;
    int failed = 0;
};

Timing timeRuns(int runs, const QStringList &arguments, const QString &workingDir) {
    std::vector<double> times;
    Timing timing;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setWorkingDirectory(workingDir);
        timer.start();
        process.start(QStringLiteral(TESSARO_BATCH), arguments);
        const bool finished = process.waitForFinished(120000);
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            ++timing.failed;
    }
    std::sort(times.begin(), times.end());
    timing.median = times[times.size() / 2];
    timing.best = times.front();
    return timing;
}

// A symmetric section of 00tt thickness at N points, cosine spaced: half of them (the leading
// edge last) on the upper surface, the rest on the lower, both from x = 1.
bool writeSection(const QString &path, int N, double thickness) {
    const double pi = 4.0 * std::atan(1.0);
    const int upper = N / 2;
    const int lower = N - upper;
    PointArray x{};
    PointArray y{};
    for (int k = 1; k <= N; ++k) {
        const bool onUpper = k <= upper;
        const double theta =
            onUpper ? pi * (k - 1) / upper : pi + pi * (k - upper - 1) / (lower - 1);
        const double xk = (1 + std::cos(theta)) / 2;
        const double yt = 5 * thickness *
                          (0.2969 * std::sqrt(xk) - 0.1260 * xk - 0.3516 * xk * xk +
                           0.2843 * xk * xk * xk - 0.1015 * xk * xk * xk * xk);
        x[k] = k == upper + 1 ? 0.0 : xk;
        y[k] = k == upper + 1 ? 0.0 : (onUpper ? yt : -yt);
    }
    const std::optional<QByteArray> bytes = formatArf("Bench section", N, x, y);
    return bytes && !writeWholeFile(path, *bytes);
}

} // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::printf("bench_batch: no temporary folder\n");
        return 0;
    }
    const QString one = QStringLiteral(TESSARO_SAMPLES_DIR "/naca0012_1000.arf");
    const QStringList settings{"-q", "-n", "1000", "-p", "5"};

    const int oneRuns = 50;
    const Timing single =
        timeRuns(oneRuns, settings + QStringList{"-o", "one.arf", one}, dir.path());
    std::printf("tessaro-batch -n 1000 -p 5, one 1000-point section: median %.2f ms, best %.2f ms "
                "over %d runs (%d failed)\n",
                single.median, single.best, oneRuns, single.failed);

    const int sections = 1000;
    QDir(dir.path()).mkdir(QStringLiteral("in"));
    QStringList inputs;
    for (int i = 0; i < sections; ++i) {
        const QString name = QStringLiteral("in/s%1.arf").arg(i, 4, 10, QLatin1Char('0'));
        // Every thickness from 6 to 18 %.
        if (!writeSection(QDir(dir.path()).filePath(name), 200, 0.06 + 0.12 * i / sections)) {
            std::printf("bench_batch: could not write the sections\n");
            return 0;
        }
        inputs << name;
    }
    const int folderRuns = 5;
    const Timing folder =
        timeRuns(folderRuns, settings + QStringList{"-o", "out"} + inputs, dir.path());
    std::printf("tessaro-batch -n 1000 -p 5, %d sections of 200 points into a folder: median "
                "%.0f ms, best %.0f ms over %d runs (%d failed)\n",
                sections, folder.median, folder.best, folderRuns, folder.failed);
    return 0;
}
