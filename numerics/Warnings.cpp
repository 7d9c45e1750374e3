// SPDX-License-Identifier: MIT
#include "numerics/Warnings.h"

#include "common/NumberText.h"

#include <cmath>

namespace tessaro {

QStringList CalculationWarnings::list() const {
    QStringList warnings;
    for (const QString *warning : {&stretched, &damaged}) {
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
    return warnings;
}

} // namespace tessaro
