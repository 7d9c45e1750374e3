// SPDX-License-Identifier: MIT
#include "numerics/Calculation.h"

#include "common/NumberText.h"
#include "numerics/Module_DistrAlongTeta.h"

#include <cmath>

namespace tessaro {

namespace {

// Finds the leading edge (last point whose x falls) and the chord ends, then maps x onto 0..1.
std::optional<QString> scaleChord(Module_Common &work) {
    const int N = work.N < MaxIndex ? work.N : MaxIndex;
    double xMin = work.X[1];
    double xMax = work.X[1];
    for (int i = 2; i <= N; ++i) {
        if (work.X[i] < work.X[i - 1]) {
            work.iLE = i;
            xMin = work.X[i];
        }
        if (work.X[i] > work.X[i - 1])
            xMax = work.X[i];
    }
    const double chord = xMax - xMin;
    if (!(chord > 0) || !std::isfinite(chord)) {
        return QStringLiteral("The points span no chord: every x is the same. Open a file whose "
                              "x runs from the trailing edge to the leading edge and back.");
    }
    for (int i = 1; i <= N; ++i)
        work.X[i] = (work.X[i] - xMin) / chord;

    for (int k = 1; k <= N; ++k) {
        const double x = work.X[k];
        const bool beyondTrailingEdge = x - 1 > kChordEndTolerance;
        if (!beyondTrailingEdge && !(-x > kChordEndTolerance))
            continue;
        const QString where = QStringLiteral("Point %1 lies at x = %2 after scaling the chord to "
                                             "0..1, ")
                                  .arg(wholeNumberForm(k), generalForm(x, screenDecimalPoint()));
        if (beyondTrailingEdge) {
            return where + QStringLiteral("beyond the trailing edge: both surfaces must end at "
                                          "the same trailing-edge x.");
        }
        return where + QStringLiteral("ahead of the leading edge: x must not fall again after "
                                      "the leading edge.");
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> Calculate(Module_Common &ws, const CalculationRequest &request) {
    if (!ws.FileLoaded)
        return QStringLiteral("Open a file containing airfoil coordinates");
    if (request.method == Method::None)
        return QStringLiteral("set an option for interpolation method");

    // Everything happens on a copy so that a refusal or a stop leaves the working set as it was.
    Module_Common work = ws;
    if (auto message = scaleChord(work))
        return message;

    work.NI = request.NI;
    if (request.NI == 1) {
        return QStringLiteral(
            "Number of new points = 1 gives no spacing: type 2 or more (at most 1000).");
    }
    if (request.NI > MaxIndex) {
        return QStringLiteral("Number of new points = %1 is above 1000: type at most 1000.")
            .arg(generalForm(request.NI, screenDecimalPoint()));
    }

    DistrAlongTeta(work);
    if (auto message = InterpNewPoints(work, request.method, request.nPoly, request.dumpPath))
        return message;

    ws = work;
    return std::nullopt;
}

} // namespace tessaro
