// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "numerics/Module_Interp.h"
#include "numerics/QualityFigures.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace tessaro {

// An order check above this, 5 % of the chord in the normalised frame, means a point read is
// far off the curve through its neighbours: a typing error rather than a coarse order.
inline constexpr double DamagedOrderCheck = 0.05;

// How far 1/c may lie from 1 before scaling x alone visibly changes the section's shape.
inline constexpr double StretchTolerance = 1e-3;

// A new point farther than this, 5 % of the chord in the normalised frame, from the polygon
// through the points read has left the contour: the order is too high for the data.
inline constexpr double StrayDeviation = 0.05;

// What a successful calculation is told about, read off its outcome and its order check.
struct WarningFacts {
    std::optional<FigureOfMerit> orderCheck;
    // The span the x scaling divided by; 0 when it is unknown.
    double chord = 0;
    // Normalising at the true leading edge scales x and y alike, so it never stretches.
    bool leadingEdge = false;
    // Too few points read to leave one out at this order (N < nPoly + 2): no order check.
    bool orderUnchecked = false;
    int N = 0;
    double nPoly = 0;
    // The new point farthest from the polygon through the points read (k: its index).
    std::optional<FigureOfMerit> worstNewPoint;
};

// Reads the facts off a working set right after a successful Calculate() with this method.
WarningFacts readWarningFacts(const Module_Common &ws, InterpMethod method, double chord,
                              bool leadingEdge);

// Each warning is one sentence, empty when it does not apply. Each kind has its own field, so a
// caller can tell them apart; their texts name no program's controls or options beyond the
// advice the caller passes.
struct CalculationWarnings {
    QString stretched;
    QString damaged;
    QString unchecked; // the order check could not be formed
    QString strays;    // a new point left the contour
    // Those that apply, in the order of the fields.
    QStringList list() const;
};

// scaleBothAdvice ends the stretched warning with how this program scales x and y alike, e.g.
// "run with -L to scale both.". Numbers are in the general form with decimalPoint.
CalculationWarnings calculationWarnings(const WarningFacts &facts, const QString &scaleBothAdvice,
                                        QChar decimalPoint);

} // namespace tessaro
