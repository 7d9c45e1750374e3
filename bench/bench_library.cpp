// SPDX-License-Identifier: MIT
// Times the library's redistribute against what tessaro-batch computes per section on the same
// contour: the calculation, both figures and the warnings. Prints figures; never fails on them.

#include "BenchSection.h"
#include "MedianTime.h"
#include "numerics/Calculation.h"
#include "numerics/Module_Interp.h"
#include "numerics/QualityFigures.h"
#include "numerics/Warnings.h"
#include "tools/NacaSamples.h"

#include <tessaro/tessaro.h>

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tessaro;

namespace {

constexpr int Runs = 301;

// The batch program's work for one section after reading it: a fresh working set and table,
// the calculation, both figures and the warnings.
void batchWork(const std::vector<Point> &contour, const CalculationRequest &request) {
    resetCommon();
    resetDivDiffTable();
    Module_Common &ws = common();
    ws.N = int(contour.size());
    for (int i = 1; i <= ws.N; ++i) {
        ws.X[i] = contour[i - 1].x;
        ws.Y[i] = contour[i - 1].y;
    }
    ws.FileLoaded = true;
    CalculationOutcome outcome;
    if (Calculate(ws, request, &outcome))
        std::puts("refused");
    const WarningFacts facts =
        readWarningFacts(ws, request.method, outcome.chord, request.leadingEdge);
    (void)PanelFit(ws);
    (void)calculationWarnings(facts, QStringLiteral("run with -L to scale both."), u'.');
}

void compare(const char *label, const std::vector<Point> &contour, int points, int order) {
    const Options options{points, order};
    const CalculationRequest request{InterpMethod::Lagrange, double(points), double(order),
                                     QString()};
    const double library = medianMicroseconds(Runs, [&] { (void)redistribute(contour, options); });
    const double batch = medianMicroseconds(Runs, [&] { batchWork(contour, request); });
    std::printf("%-34s redistribute %8.1f us   batch's work %8.1f us   library adds %+.1f %%\n",
                label, library, batch, 100 * (library / batch - 1));
}

} // namespace

int main() {
    Module_Common bench;
    loadBenchSection(bench, 2);
    std::vector<Point> thousand;
    for (int i = 1; i <= bench.N; ++i)
        thousand.push_back({bench.X[i], bench.Y[i]});

    const samples::SectionPoints sample =
        samples::sectionPoints({"", "", 0.02, 0.4, 0.12, 61, 1.0});
    std::vector<Point> naca2412;
    for (int i = 1; i <= sample.count; ++i)
        naca2412.push_back({sample.x[i], sample.y[i]});

    std::printf("Median of %d runs each, Lagrange, specified mode:\n", Runs);
    compare("N = NI = 1000, order 5", thousand, 1000, 5);
    compare("NACA 2412, 61 -> 161 points, order 3", naca2412, 161, 3);
    return 0;
}
