// SPDX-License-Identifier: MIT
#pragma once

#include "numerics/QualityFigures.h"

#include <QChar>
#include <QString>

#include <optional>

namespace tessaro {

// "Order check: 2.0E-04 at x = 0.0125", or "Order check: none" without a figure.
QString orderCheckText(const std::optional<FigureOfMerit> &figure, QChar decimalPoint);

// "Panel fit: 8.0E-05 at x = 0.0023", or "Panel fit: none" without a figure.
QString panelFitText(const std::optional<FigureOfMerit> &figure, QChar decimalPoint);

// Two significant digits, exponent with sign and at least two digits: 2.0E-04, 1.0E+00, 0.0E+00.
// Rounded like the other number forms: halves away from zero on the 15-digit decimal form.
QString twoDigitExponentForm(double value, QChar decimalPoint);

// Exactly four decimals, rounded as fiveDecimalForm rounds: 0.0125, 1.0000.
QString fourDecimalForm(double value, QChar decimalPoint);

} // namespace tessaro
