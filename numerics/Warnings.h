// SPDX-License-Identifier: MIT
#pragma once

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

// What a successful calculation is told about, read off its outcome and its order check.
struct WarningFacts {
    std::optional<FigureOfMerit> orderCheck;
    // The span the x scaling divided by; 0 when it is unknown.
    double chord = 0;
    // Normalising at the true leading edge scales x and y alike, so it never stretches.
    bool leadingEdge = false;
};

// Each warning is one sentence, empty when it does not apply.
struct CalculationWarnings {
    QString stretched;
    QString damaged;
    // Those that apply, stretched before damaged.
    QStringList list() const;
};

// scaleBothAdvice ends the stretched warning with how this program scales x and y alike, e.g.
// "run with -L to scale both.". Numbers are in the general form with decimalPoint.
CalculationWarnings calculationWarnings(const WarningFacts &facts, const QString &scaleBothAdvice,
                                        QChar decimalPoint);

} // namespace tessaro
