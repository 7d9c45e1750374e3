// SPDX-License-Identifier: MIT
// Times a whole calculation on 1000 file points to 1000 new points, and the two figures of merit
// after it. Prints figures; never fails on them.

#include "BenchSection.h"
#include "MedianTime.h"
#include "numerics/Calculation.h"
#include "numerics/Module_Interp.h"
#include "numerics/QualityFigures.h"
#include "numerics/QualityText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace tessaro;

namespace {

constexpr int Runs = 201;

// The section in file units (x from 0 to 2), so that the calculation scales the chord.
Module_Common generatedSection() {
    Module_Common ws;
    loadBenchSection(ws, 2);
    return ws;
}

double timeCalculate(const Module_Common &loaded, const CalculationRequest &request,
                     QString &message) {
    Module_Common ws;
    return medianMicroseconds(
        Runs, [&] { ws = loaded; },
        [&] {
            if (auto stop = Calculate(ws, request))
                message = *stop;
        });
}

} // namespace

int main() {
    QTemporaryDir diskDir;
    if (!diskDir.isValid()) {
        std::printf("no temporary directory\n");
        return 1;
    }
    // The dump is replaced safely (written, synced, renamed); on a memory file system the sync
    // costs nothing, which shows the calculation without the disk.
    QTemporaryDir memoryDir(QStringLiteral("/dev/shm/tessaro-bench-XXXXXX"));
    const QString diskDump = QDir(diskDir.path()).filePath(QStringLiteral("DivDif.text"));
    const QString memoryDump = memoryDir.isValid()
                                   ? QDir(memoryDir.path()).filePath(QStringLiteral("DivDif.text"))
                                   : QString();
    const Module_Common loaded = generatedSection();

    std::printf("Calculate, N = %d, NI = %d, median of %d runs\n", loaded.N, MaxIndex, Runs);
    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        const char *name = method == InterpMethod::Lagrange ? "Lagrange" : "divided differences";
        for (const int order : {1, 3, 5}) {
            CalculationRequest request;
            request.method = method;
            request.NI = MaxIndex;
            request.nPoly = order;
            request.dumpPath = diskDump;
            QString message;
            const double total = timeCalculate(loaded, request, message);
            if (!message.isEmpty()) {
                std::printf("  %-20s order %d: stopped: %s\n", name, order, qPrintable(message));
                continue;
            }
            if (method == InterpMethod::Lagrange) {
                std::printf("  %-20s order %d: %8.1f us\n", name, order, total);
                continue;
            }
            std::printf("  %-20s order %d: %8.1f us with the dump on disk", name, order, total);
            if (!memoryDump.isEmpty()) {
                request.dumpPath = memoryDump;
                const double inMemory = timeCalculate(loaded, request, message);
                std::printf(", %.1f us with it in memory", inMemory);
            }
            std::printf("\n");
        }
    }

    Module_Common scaled = loaded;
    CalculationRequest request;
    request.method = InterpMethod::DivDiff;
    request.NI = MaxIndex;
    request.nPoly = 1;
    request.dumpPath = diskDump;
    Calculate(scaled, request);
    const double text = medianMicroseconds(
        Runs, [] {}, [&] { (void)formatDivDifDump(scaled); });
    std::printf("  dump text alone: %.1f us\n", text);

    std::printf("Calculate and the two figures, N = NI = %d, order 5, dump in memory\n", MaxIndex);
    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        const char *name = method == InterpMethod::Lagrange ? "Lagrange" : "divided differences";
        request.method = method;
        request.nPoly = 5;
        request.dumpPath = memoryDump.isEmpty() ? diskDump : memoryDump;
        QString message;
        const double alone = timeCalculate(loaded, request, message);
        Module_Common ws;
        std::optional<FigureOfMerit> order;
        std::optional<FigureOfMerit> panel;
        const double withFigures = medianMicroseconds(
            Runs, [&] { ws = loaded; },
            [&] {
                if (Calculate(ws, request))
                    return;
                order = OrderCheck(ws, method);
                panel = PanelFit(ws);
            });
        const double orderAlone = medianMicroseconds(
            Runs, [] {}, [&] { order = OrderCheck(ws, method); });
        const double panelAlone = medianMicroseconds(
            Runs, [] {}, [&] { panel = PanelFit(ws); });
        std::printf("  %-20s %8.1f us alone, %8.1f us with both figures (order check %.1f us, "
                    "panel fit %.1f us)%s%s\n",
                    name, alone, withFigures, orderAlone, panelAlone,
                    message.isEmpty() ? "" : ": stopped: ", qPrintable(message));
        std::printf("  %-20s %s, %s\n", "", qPrintable(orderCheckText(order, u'.')),
                    qPrintable(panelFitText(panel, u'.')));
    }
    return 0;
}
