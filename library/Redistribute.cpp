// SPDX-License-Identifier: MIT
#include "tessaro/tessaro.h"

#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "numerics/Module_Interp.h"
#include "numerics/QualityFigures.h"
#include "numerics/Warnings.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace tessaro {

namespace {

[[noreturn]] void refuseOption(const std::string &message) {
    throw std::invalid_argument(message);
}

void checkOptions(const Options &options) {
    if (options.points < 2 || options.points > MaxIndex) {
        refuseOption("points = " + std::to_string(options.points) +
                     " is outside 2..1000: ask for 2 to 1000 new points.");
    }
    if (options.order < 0 || options.order > MaxOrder) {
        refuseOption("order = " + std::to_string(options.order) +
                     " is outside 0..100: give a whole order from 0 to 100.");
    }
    if (options.keepFrame && options.mode != Mode::LeadingEdge)
        refuseOption("keepFrame applies to the leading-edge mode only: set mode to LeadingEdge.");
}

void checkContour(std::span<const Point> contour) {
    if (contour.size() < 2 || contour.size() > std::size_t(MaxIndex)) {
        refuseOption("contour has " + std::to_string(contour.size()) +
                     " points: give 2 to 1000 points.");
    }
    for (std::size_t i = 0; i < contour.size(); ++i) {
        if (!std::isfinite(contour[i].x) || !std::isfinite(contour[i].y)) {
            refuseOption("contour point " + std::to_string(i + 1) +
                         " is not a finite number: give finite x and y.");
        }
    }
}

// The contour as a load puts it into a working set, the percent-of-chord rule included, so that
// the numbers are those of the programs.
SectionAsLoaded loadedSection(std::span<const Point> contour) {
    auto file = std::make_unique<ArfFile>();
    file->N = static_cast<int>(contour.size());
    for (int i = 1; i <= file->N; ++i) {
        file->X[i] = contour[i - 1].x;
        file->Y[i] = contour[i - 1].y;
    }
    auto ws = std::make_unique<Module_Common>();
    applyLoad(*ws, *file);
    return sectionOf(*ws);
}

std::optional<Figure> figureOf(const std::optional<FigureOfMerit> &merit) {
    if (!merit)
        return std::nullopt;
    return Figure{merit->value, merit->x, merit->k};
}

Refused::Suggestion suggestionOf(Suggestion suggestion) {
    switch (suggestion) {
    case Suggestion::OwnTrailingEdges:
        return Refused::Suggestion::OwnTrailingEdges;
    case Suggestion::LeadingEdgeOff:
        return Refused::Suggestion::LeadingEdgeOff;
    case Suggestion::None:
        break;
    }
    return Refused::Suggestion::None;
}

std::vector<Warning> warningsOf(const CalculationWarnings &warnings) {
    std::vector<Warning> list;
    const auto add = [&list](WarningKind kind, const QString &text) {
        if (!text.isEmpty())
            list.push_back({kind, text.toStdString()});
    };
    add(WarningKind::Stretched, warnings.stretched);
    add(WarningKind::Damaged, warnings.damaged);
    add(WarningKind::Unchecked, warnings.unchecked);
    add(WarningKind::Strays, warnings.strays);
    return list;
}

} // namespace

Result redistribute(std::span<const Point> contour, const Options &options) {
    checkOptions(options);
    checkContour(contour);

    const InterpMethod method =
        options.method == Method::Lagrange ? InterpMethod::Lagrange : InterpMethod::DivDiff;
    CalculationRequest request{method, double(options.points), double(options.order), QString(),
                               options.mode == Mode::OwnTrailingEdges};
    request.leadingEdge = options.mode == Mode::LeadingEdge;

    // A divided-difference table of this call's own, off the stack (about 800 KB): one per
    // thread, kept between calls, with the rows a calculation of this contour can read zeroed
    // first, so that it starts as the programs' table starts, all zero.
    thread_local const std::unique_ptr<DivDiffTable> table = std::make_unique<DivDiffTable>();
    const std::size_t rows = std::min(contour.size() + 2, table->size());
    std::fill(table->begin(), table->begin() + std::ptrdiff_t(rows), DivDiffTable::value_type{});
    auto calculated = std::make_unique<CalculationResult>(
        calculateSection(loadedSection(contour), request, *table));
    if (calculated->refusal) {
        throw Refused(calculated->refusal->toStdString(),
                      suggestionOf(calculated->outcome.suggestion));
    }
    const Module_Common &ws = calculated->work;
    const CalculationOutcome &outcome = calculated->outcome;

    Result result;
    const int count = wholeCount(ws.niValue());
    result.points.reserve(std::size_t(count));
    for (int i = 1; i <= count; ++i) {
        Point point{ws.XN[i], ws.YN[i]};
        if (options.keepFrame && outcome.frame)
            outcome.frame->toFile(ws.XN[i], ws.YN[i], point.x, point.y);
        result.points.push_back(point);
    }
    const WarningFacts facts = readWarningFacts(ws, method, outcome.chord, request.leadingEdge);
    result.orderCheck = figureOf(facts.orderCheck);
    result.panelFit = figureOf(PanelFit(ws));
    result.warnings = warningsOf(
        calculationWarnings(facts, QStringLiteral("the leading-edge mode scales both."), u'.'));
    if (outcome.frame) {
        const SectionFrame &frame = *outcome.frame;
        result.frame =
            Frame{{frame.Lx, frame.Ly}, -std::atan2(frame.sinA, frame.cosA), frame.chord};
    }
    result.chord = outcome.chord;
    return result;
}

} // namespace tessaro
