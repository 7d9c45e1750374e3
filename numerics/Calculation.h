// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "numerics/LeadingEdge.h"
#include "numerics/Module_Interp.h"

#include <QString>

#include <optional>

namespace tessaro {

// What the main window read from its controls when the user asked for a calculation.
struct CalculationRequest {
    InterpMethod method = InterpMethod::None;
    double NI = 0;    // the new point count field, read by the number rule
    double nPoly = 0; // the order field, read by the number rule
    // Where a divided-difference build writes its table dump; empty writes none.
    QString dumpPath = QStringLiteral("DivDif.text");
    // Scale each surface over its own length, keeping both trailing-edge points where they are.
    bool ownTrailingEdges = false;
    // Move, turn and scale the section so that its true nose is (0, 0) and its trailing edge
    // (1, 0), keeping each surface's own trailing edge.
    bool leadingEdge = false;
};

// A way out of a refusal that each program words for its own controls.
enum class Suggestion {
    None,
    // A point lies beyond the trailing edge of the other surface: the own-trailing-edge mode
    // would redistribute the section.
    OwnTrailingEdges,
    // Normalising at the true leading edge failed where scaling x alone from the point of least x
    // might not.
    LeadingEdgeOff,
};

// What a calculation did besides its new points.
struct CalculationOutcome {
    Suggestion suggestion = Suggestion::None;
    // The chord the x scaling divided by (the x span, in the file's units); 0 before any scaling.
    double chord = 0;
    // With the leading-edge mode: the frame the section was normalised into.
    std::optional<SectionFrame> frame;
};

// The whole redistribution: the checks, the leading-edge search, the chord scaling, the angle
// distribution and the interpolation. Works on a copy and changes ws only when every new point
// got its y. Returns the one message that refused or stopped it; outcome, when given, tells
// whether a different setting would have served and how the section was scaled.
std::optional<QString> Calculate(Module_Common &ws, const CalculationRequest &request,
                                 CalculationOutcome *outcome = nullptr);

} // namespace tessaro
