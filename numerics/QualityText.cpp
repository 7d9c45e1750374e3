// SPDX-License-Identifier: MIT
#include "numerics/QualityText.h"

#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tessaro {

namespace {

QString figureText(const QString &name, const std::optional<Figure> &figure, QChar decimalPoint) {
    if (!figure)
        return name + QStringLiteral(": none");
    return QStringLiteral("%1: %2 at x = %3")
        .arg(name, twoDigitExponentForm(figure->value, decimalPoint),
             fourDecimalForm(figure->x, decimalPoint));
}

} // namespace

QString twoDigitExponentForm(double value, QChar decimalPoint) {
    if (!std::isfinite(value))
        return generalForm(value);
    int first = 0;
    int second = 0;
    int exponent = 0;
    if (value != 0) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 14);
        const std::string text(buffer, result.ptr); // d.dddddddddddddde+XX
        int two = (text[0] - '0') * 10 + (text[2] - '0');
        exponent = std::stoi(text.substr(text.find('e') + 1));
        if (text[3] >= '5' && ++two == 100) {
            two = 10;
            ++exponent;
        }
        first = two / 10;
        second = two % 10;
    }
    QString out;
    if (value < 0)
        out += u'-';
    out += QChar(u'0' + first);
    out += decimalPoint;
    out += QChar(u'0' + second);
    out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
    return out;
}

QString fourDecimalForm(double value, QChar decimalPoint) {
    if (!std::isfinite(value))
        return generalForm(value);
    // Rounded once from the 15-digit form: rounding the five-decimal text again would round twice.
    std::string scaled = "0";
    if (value != 0) {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 14);
        const std::string text(buffer, result.ptr);
        std::string digits = text.substr(0, 1) + text.substr(2, 14);
        const int exponent = std::stoi(text.substr(text.find('e') + 1));
        const int keep = 15 + exponent - 10; // digits x 10^(exponent - 14) x 1e4
        if (keep >= 15) {
            scaled = digits + std::string(keep - 15, '0');
        } else if (keep >= 0) {
            scaled = keep > 0 ? digits.substr(0, keep) : std::string("0");
            if (digits[keep] >= '5') {
                int i = static_cast<int>(scaled.size()) - 1;
                while (i >= 0 && scaled[i] == '9')
                    scaled[i--] = '0';
                if (i >= 0)
                    ++scaled[i];
                else
                    scaled.insert(scaled.begin(), '1');
            }
        }
    }
    if (scaled.size() < 5)
        scaled.insert(0, 5 - scaled.size(), '0');
    QString out;
    if (std::signbit(value))
        out += u'-';
    out += QString::fromLatin1(scaled.substr(0, scaled.size() - 4));
    out += decimalPoint;
    out += QString::fromLatin1(scaled.substr(scaled.size() - 4));
    return out;
}

QString orderCheckText(const std::optional<Figure> &figure, QChar decimalPoint) {
    return figureText(QStringLiteral("Order check"), figure, decimalPoint);
}

QString panelFitText(const std::optional<Figure> &figure, QChar decimalPoint) {
    return figureText(QStringLiteral("Panel fit"), figure, decimalPoint);
}

} // namespace tessaro
