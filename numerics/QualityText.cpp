// SPDX-License-Identifier: MIT
#include "numerics/QualityText.h"

#include "common/NumberText.h"

namespace tessaro {

namespace {

QString figureText(const QString &name, const std::optional<FigureOfMerit> &figure,
                   QChar decimalPoint) {
    if (!figure)
        return name + QStringLiteral(": none");
    return QStringLiteral("%1: %2 at x = %3")
        .arg(name, twoDigitExponentForm(figure->value, decimalPoint),
             fourDecimalForm(figure->x, decimalPoint));
}

} // namespace

QString twoDigitExponentForm(double value, QChar decimalPoint) {
    return exponentForm(value, 2, decimalPoint);
}

QString fourDecimalForm(double value, QChar decimalPoint) {
    return fixedDecimalForm(value, 4, decimalPoint);
}

QString orderCheckText(const std::optional<FigureOfMerit> &figure, QChar decimalPoint) {
    return figureText(QStringLiteral("Order check"), figure, decimalPoint);
}

QString panelFitText(const std::optional<FigureOfMerit> &figure, QChar decimalPoint) {
    return figureText(QStringLiteral("Panel fit"), figure, decimalPoint);
}

} // namespace tessaro
