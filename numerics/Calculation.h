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
    QString dumpPath = QStringLiteral("DivDif.text");
};

// The whole redistribution: the checks, the leading-edge search, the chord scaling, the angle
// distribution and the interpolation. Works on a copy and changes ws only when every new point
// got its y. Returns the one message that refused or stopped it.
std::optional<QString> Calculate(Module_Common &ws, const CalculationRequest &request);

} // namespace tessaro
