// SPDX-License-Identifier: MIT
#include "numerics/Warnings.h"

#include "common/NumberText.h"
#include "numerics/ContourDiagnostics.h"

#include <cmath>

namespace tessaro {

namespace {

// Numbers in the newer warnings: at most six significant digits.
QString shortForm(double value, QChar decimalPoint) {
    return QString::number(value, 'g', 6).replace(u'.', decimalPoint);
}

} // namespace

WarningFacts readWarningFacts(const Module_Common &ws, InterpMethod method, double chord,
                              bool leadingEdge) {
    WarningFacts facts;
    facts.orderCheck = OrderCheck(ws, method);
    facts.chord = chord;
    facts.leadingEdge = leadingEdge;
    facts.N = ws.N;
    facts.nPoly = ws.nPoly;
    facts.orderUnchecked = ws.N < ws.nPoly + 2;
    facts.worstNewPoint = worstNewPointDeviation(ws);
    return facts;
}

QStringList CalculationWarnings::list() const {
    QStringList warnings;
    for (const QString *warning : {&stretched, &damaged, &unchecked, &strays}) {
        if (!warning->isEmpty())
            warnings << *warning;
    }
    return warnings;
}

CalculationWarnings calculationWarnings(const WarningFacts &facts, const QString &scaleBothAdvice,
                                        QChar decimalPoint) {
    CalculationWarnings warnings;
    if (!facts.leadingEdge && facts.chord > 0) {
        const double factor = 1 / facts.chord;
        if (std::fabs(factor - 1) > StretchTolerance) {
            warnings.stretched =
                QStringLiteral("x was scaled by %1 to a chord of 1 and y was not, so the "
                               "section is stretched: %2")
                    .arg(messageNumber(factor, decimalPoint), scaleBothAdvice);
        }
    }
    if (facts.orderCheck && facts.orderCheck->value > DamagedOrderCheck) {
        const FigureOfMerit &figure = *facts.orderCheck;
        warnings.damaged =
            QStringLiteral("Point %1 (x = %2) is missed by %3 when it is left out: the "
                           "points read near it may be damaged.")
                .arg(wholeNumberForm(figure.k), messageNumber(figure.x, decimalPoint),
                     messageNumber(figure.value, decimalPoint));
    }
    if (facts.orderUnchecked) {
        warnings.unchecked =
            QStringLiteral("The order check needs at least nPoly + 2 = %1 points and %2 were "
                           "read: this result is unchecked.")
                .arg(shortForm(facts.nPoly + 2, decimalPoint), wholeNumberForm(facts.N));
    }
    if (facts.worstNewPoint && facts.worstNewPoint->value > StrayDeviation) {
        const FigureOfMerit &figure = *facts.worstNewPoint;
        warnings.strays =
            QStringLiteral("New point %1 (x = %2) lies %3 from the polygon through the points "
                           "read, more than 5 % of the chord: the new points stray from the "
                           "section; try a lower order.")
                .arg(wholeNumberForm(figure.k), shortForm(figure.x, decimalPoint),
                     shortForm(figure.value, decimalPoint));
    }
    return warnings;
}

} // namespace tessaro
