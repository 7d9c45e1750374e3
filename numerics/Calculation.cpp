// SPDX-License-Identifier: MIT
#include "numerics/Calculation.h"

#include "common/NumberText.h"
#include "numerics/Module_DistrAlongTeta.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tessaro {

namespace {

struct Refusal {
    QString message;
    Suggestion suggestion = Suggestion::None;
};

// How the section was brought onto the chord 0..1.
struct Scaling {
    SurfaceEnds ends;
    double chord = 0;
    std::optional<SectionFrame> frame;
};

int pointCount(const Module_Common &ws) {
    return std::clamp(ws.N, 0, MaxIndex);
}

QString noChordMessage() {
    return QStringLiteral("The points span no chord: every x is the same. Open a file whose "
                          "x runs from the trailing edge to the leading edge and back.");
}

QString screenNumber(double value) {
    return messageNumber(value, screenDecimalPoint());
}

// The leading edge: the last point whose x is lower than its predecessor's. Returns whether one
// was found; iLE and xMin keep what they held otherwise.
bool findLeadingEdge(Module_Common &work, double &xMin, double &xMax) {
    const int N = pointCount(work);
    bool fell = false;
    xMin = work.X[1];
    xMax = work.X[1];
    for (int i = 2; i <= N; ++i) {
        if (work.X[i] < work.X[i - 1]) {
            work.iLE = i;
            xMin = work.X[i];
            fell = true;
        }
        if (work.X[i] > work.X[i - 1])
            xMax = work.X[i];
    }
    return fell;
}

std::optional<Refusal> scaleX(Module_Common &work, double xMin, double xMax, Scaling &scaling) {
    const double chord = xMax - xMin;
    if (!(chord > 0) || !std::isfinite(chord))
        return Refusal{noChordMessage()};
    scaling.chord = chord;
    for (int i = 1; i <= pointCount(work); ++i)
        work.X[i] = (work.X[i] - xMin) / chord;
    return std::nullopt;
}

// Maps x onto 0..1 from the leading edge to the last rising point.
std::optional<Refusal> scaleChord(Module_Common &work, Scaling &scaling) {
    double xMin = 0;
    double xMax = 0;
    findLeadingEdge(work, xMin, xMax);
    if (auto refusal = scaleX(work, xMin, xMax, scaling))
        return refusal;

    for (int k = 1; k <= pointCount(work); ++k) {
        const double x = work.X[k];
        const bool beyondTrailingEdge = x - 1 > kChordEndTolerance;
        if (!beyondTrailingEdge && !(-x > kChordEndTolerance))
            continue;
        const QString where = QStringLiteral("Point %1 lies at x = %2 after scaling the chord to "
                                             "0..1, ")
                                  .arg(wholeNumberForm(k), screenNumber(x));
        if (beyondTrailingEdge) {
            return Refusal{where + QStringLiteral("beyond the trailing edge: both surfaces must "
                                                  "end at the same trailing-edge x."),
                           Suggestion::OwnTrailingEdges};
        }
        return Refusal{where + QStringLiteral("ahead of the leading edge: x must not fall again "
                                              "after the leading edge.")};
    }
    return std::nullopt;
}

// Maps x onto 0..1 from the leading edge to the further of the two trailing-edge points, and
// finds where each surface ends on that chord.
std::optional<Refusal> scaleOwnEnds(Module_Common &work, Scaling &scaling) {
    SurfaceEnds &ends = scaling.ends;
    const int N = pointCount(work);
    double xMin = 0;
    double xMax = 0;
    if (!findLeadingEdge(work, xMin, xMax)) {
        return Refusal{QStringLiteral(
            "The x of the points never falls, so the contour has no leading edge and no two "
            "surfaces whose trailing edges could be kept: order the points from the trailing "
            "edge over one surface to the leading edge and back over the other.")};
    }
    if (work.iLE > N - 1) {
        return Refusal{
            QStringLiteral("Point %1, the last point whose x is lower than its predecessor's, is "
                           "taken as the leading edge, so no second surface follows it: remove "
                           "any points after the trailing edge, or order the points from the "
                           "trailing edge over one surface to the leading edge and back over the "
                           "other.")
                .arg(wholeNumberForm(work.iLE))};
    }
    if (auto refusal = scaleX(work, xMin, std::max(work.X[1], work.X[N]), scaling))
        return refusal;

    ends = SurfaceEnds{work.X[1], work.X[N]};
    for (const auto &[end, k] : {std::pair{ends.e1, 1}, std::pair{ends.e2, N}}) {
        if (!(end > 0)) {
            return Refusal{
                QStringLiteral("Point %1 lies at x = %2 after scaling the chord, at "
                               "or ahead of the leading edge (point %3), so its "
                               "surface has no length: a contour must start and end "
                               "at the trailing edge.")
                    .arg(wholeNumberForm(k), screenNumber(end), wholeNumberForm(work.iLE))};
        }
    }
    for (int k = 1; k <= N; ++k) {
        const bool second = k >= work.iLE;
        const double e = second ? ends.e2 : ends.e1;
        const double r = work.X[k] / e;
        if (r - 1 > kChordEndTolerance) {
            return Refusal{QStringLiteral("Point %1 lies at x = %2 after scaling the chord, "
                                          "beyond the end of its own surface at x = %3 (point "
                                          "%4): x must fall from the trailing edge to the "
                                          "leading edge and rise again, so check point %1.")
                               .arg(wholeNumberForm(k), screenNumber(work.X[k]), screenNumber(e),
                                    wholeNumberForm(second ? N : 1))};
        }
        if (r < -kChordEndTolerance) {
            return Refusal{
                QStringLiteral("Point %1 lies at x = %2 after scaling the chord, "
                               "ahead of the leading edge (point %3): x must not "
                               "fall again after the leading edge, so check point "
                               "%1.")
                    .arg(wholeNumberForm(k), screenNumber(work.X[k]), wholeNumberForm(work.iLE))};
        }
    }
    return std::nullopt;
}

std::optional<Refusal> normalise(Module_Common &work, Scaling &scaling) {
    NormalisedSection section;
    if (auto refusal = normaliseAtLeadingEdge(work, section)) {
        return Refusal{refusal->message,
                       refusal->leadingEdgeOff ? Suggestion::LeadingEdgeOff : Suggestion::None};
    }
    scaling.ends = section.ends;
    scaling.chord = section.frame.chord;
    scaling.frame = section.frame;
    return std::nullopt;
}

std::optional<Refusal> scale(Module_Common &work, const CalculationRequest &request,
                             Scaling &scaling) {
    if (request.leadingEdge)
        return normalise(work, scaling);
    if (request.ownTrailingEdges)
        return scaleOwnEnds(work, scaling);
    return scaleChord(work, scaling);
}

// Runs on work in place; the callers keep the working set they answer for apart from it.
std::optional<Refusal> calculate(Module_Common &work, const CalculationRequest &request,
                                 DivDiffTable &table, Scaling &scaling) {
    if (!work.FileLoaded)
        return Refusal{QStringLiteral("Open a file containing airfoil coordinates")};
    if (request.method == InterpMethod::None)
        return Refusal{QStringLiteral("set an option for interpolation method")};

    if (auto refusal = scale(work, request, scaling))
        return refusal;

    work.NI = request.NI;
    if (request.NI == 1) {
        return Refusal{QStringLiteral(
            "Number of new points = 1 gives no spacing: type 2 or more (at most 1000).")};
    }
    if (request.NI > MaxIndex) {
        return Refusal{QStringLiteral("Number of new points = %1 is above 1000: type at most 1000.")
                           .arg(screenNumber(request.NI))};
    }

    if (request.ownTrailingEdges || request.leadingEdge)
        DistrAlongTeta(work, scaling.ends);
    else
        DistrAlongTeta(work);
    if (auto message =
            InterpNewPoints(work, table, request.method, request.nPoly, request.dumpPath))
        return Refusal{*message};
    return std::nullopt;
}

void tell(const std::optional<Refusal> &refusal, const Scaling &scaling,
          CalculationOutcome &outcome) {
    outcome = CalculationOutcome{};
    if (refusal) {
        outcome.suggestion = refusal->suggestion;
    } else {
        outcome.chord = scaling.chord;
        outcome.frame = scaling.frame;
    }
}

} // namespace

CalculationResult calculateSection(const SectionAsLoaded &section,
                                   const CalculationRequest &request, DivDiffTable &table) {
    CalculationResult result;
    Module_Common &work = result.work;
    work.Pi = 4.0 * std::atan(1.0);
    work.FileLoaded = true;
    work.Scale = 1;
    work.N = std::clamp(section.N, 0, MaxIndex);
    work.X = section.X;
    work.Y = section.Y;
    Scaling scaling;
    std::optional<Refusal> refusal = calculate(work, request, table, scaling);
    tell(refusal, scaling, result.outcome);
    if (refusal)
        result.refusal = refusal->message;
    return result;
}

std::optional<QString> Calculate(Module_Common &ws, const SectionAsLoaded &section,
                                 const CalculationRequest &request, CalculationOutcome *outcome) {
    // Everything happens on a copy so that a refusal or a stop leaves the working set as it was;
    // the copy keeps what a calculation does not recompute (iLE of a contour whose x never falls).
    auto work = std::make_unique<Module_Common>(ws);
    if (ws.FileLoaded) {
        work->N = std::clamp(section.N, 0, MaxIndex);
        work->X = section.X;
        work->Y = section.Y;
    }
    Scaling scaling;
    std::optional<Refusal> refusal = calculate(*work, request, DD(), scaling);
    if (outcome)
        tell(refusal, scaling, *outcome);
    if (!refusal) {
        ws = *work;
        return std::nullopt;
    }
    return refusal->message;
}

std::optional<QString> Calculate(Module_Common &ws, const CalculationRequest &request,
                                 CalculationOutcome *outcome) {
    return Calculate(ws, sectionOf(ws), request, outcome);
}

} // namespace tessaro
