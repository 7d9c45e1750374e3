// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "numerics/Module_Interp.h"

#include <QString>

#include <optional>

namespace tessaro {

// What the main window read from its controls when the user asked for a calculation.
struct CalculationRequest {
    Method method = Method::None;
    double NI = 0;    // the new point count field, read by the number rule
    double nPoly = 0; // the order field, read by the number rule
    // Where a divided-difference build writes its table dump; empty writes none.
    QString dumpPath = QStringLiteral("DivDif.text");
    // Scale each surface over its own length, keeping both trailing-edge points where they are.
    bool ownTrailingEdges = false;
};

// A way out of a refusal that each program words for its own controls.
enum class Suggestion {
    None,
    // A point lies beyond the trailing edge of the other surface: the own-trailing-edge mode
    // would redistribute the section.
    OwnTrailingEdges,
};

// The whole redistribution: the checks, the leading-edge search, the chord scaling, the angle
// distribution and the interpolation. Works on a copy and changes ws only when every new point
// got its y. Returns the one message that refused or stopped it; suggestion, when given, tells
// whether a different setting would have served.
std::optional<QString> Calculate(Module_Common &ws, const CalculationRequest &request,
                                 Suggestion *suggestion = nullptr);

} // namespace tessaro
