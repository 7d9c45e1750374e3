// SPDX-License-Identifier: MIT
#include "common/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tessaro {

namespace {

bool isIgnored(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Converts sign, mantissa digits (with at most one '.') and a decimal exponent. Out-of-range
// results become infinity or zero instead of failing.
double convert(bool negative, const std::string &mantissa, long long exponent) {
    const std::string text = mantissa + 'e' + std::to_string(exponent);
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // The power of ten of the first significant digit tells overflow from underflow.
        long long intDigits = 0;
        long long leadingZeros = 0;
        bool significant = false;
        bool seenPoint = false;
        for (char c : mantissa) {
            if (c == '.') {
                seenPoint = true;
                continue;
            }
            if (!seenPoint)
                ++intDigits;
            if (c != '0')
                significant = true;
            else if (!significant)
                ++leadingZeros;
        }
        const long long power = intDigits - 1 - leadingZeros + exponent;
        value = (significant && power >= 0) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || ptr != text.data() + text.size()) {
        value = 0;
    }
    return negative ? -value : value;
}

struct Decimal {
    std::string digits; // 15 significant digits
    int exponent = 0;   // value = d.dddd... x 10^exponent
};

// The value's 15-significant-digit decimal form; value must be finite and non-zero.
Decimal decimal15(double magnitude) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    Decimal d;
    const auto ePos = text.find('e');
    for (std::size_t i = 0; i < ePos; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.exponent = std::stoi(text.substr(ePos + 1));
    return d;
}

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
}

// Rounds d to its first keep digits, halves away from zero; a carry past the first digit moves
// the exponent up.
void roundDigits(Decimal &d, std::size_t keep) {
    if (keep >= d.digits.size())
        return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up)
        return;
    int k = static_cast<int>(keep) - 1;
    while (k >= 0 && d.digits[k] == '9')
        d.digits[k--] = '0';
    if (k >= 0) {
        ++d.digits[k];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    }
}

// At most `digits` significant digits (1 to 15), trailing zeros and a trailing separator dropped;
// an exponent below 1e-4 and from 10^digits up, as printf's %G has it.
QString significantForm(double value, int digits, QChar decimalPoint) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0)
        return QStringLiteral("0");

    Decimal d = decimal15(std::fabs(value));
    roundDigits(d, static_cast<std::size_t>(std::clamp(digits, 1, 15)));
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    const int sig = static_cast<int>(d.digits.size());

    QString out;
    if (value < 0)
        out += u'-';
    if (d.exponent >= -4 && d.exponent < digits) {
        if (d.exponent >= 0) {
            for (int k = 0; k <= d.exponent; ++k)
                out += k < sig ? QChar(d.digits[k]) : QChar(u'0');
            if (sig > d.exponent + 1) {
                out += decimalPoint;
                out += QString::fromLatin1(d.digits.substr(d.exponent + 1));
            }
        } else {
            out += u'0';
            out += decimalPoint;
            out += QString(-d.exponent - 1, u'0');
            out += QString::fromLatin1(d.digits);
        }
    } else {
        out += QChar(d.digits[0]);
        if (sig > 1) {
            out += decimalPoint;
            out += QString::fromLatin1(d.digits.substr(1));
        }
        out += u'E';
        out += d.exponent < 0 ? u'-' : u'+';
        out += QStringLiteral("%1").arg(std::abs(d.exponent), 2, 10, QChar(u'0'));
    }
    return out;
}

} // namespace

double readNumber(QStringView text) {
    return readLeadingNumber(text).value_or(0.0);
}

std::optional<double> readLeadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    auto skip = [&] {
        while (i < size && isIgnored(text[i]))
            ++i;
    };

    skip();
    bool negative = false;
    if (i < size && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    std::string mantissa;
    int digitCount = 0;
    bool seenPoint = false;
    for (skip(); i < size; ++i, skip()) {
        if (isDigit(text[i])) {
            mantissa += static_cast<char>(text[i].unicode());
            ++digitCount;
        } else if (text[i] == u'.' && !seenPoint) {
            mantissa += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digitCount == 0)
        return std::nullopt;

    long long exponent = 0;
    if (i < size && (text[i] == u'E' || text[i] == u'e')) {
        qsizetype j = i + 1;
        auto skipAt = [&] {
            while (j < size && isIgnored(text[j]))
                ++j;
        };
        skipAt();
        bool expNegative = false;
        if (j < size && (text[j] == u'+' || text[j] == u'-')) {
            expNegative = text[j] == u'-';
            ++j;
            skipAt();
        }
        // Beyond this bound the result is infinity or zero whatever the digits say.
        const long long bound = 400 + static_cast<long long>(mantissa.size());
        for (; j < size && isDigit(text[j]); ++j, skipAt()) {
            if (exponent <= bound)
                exponent = exponent * 10 + (text[j].unicode() - u'0');
        }
        if (exponent > bound)
            exponent = bound + 1;
        if (expNegative)
            exponent = -exponent;
    }
    return convert(negative, mantissa, exponent);
}

QString generalForm(double value, QChar decimalPoint) {
    return significantForm(value, 15, decimalPoint);
}

QString messageNumber(double value, QChar decimalPoint) {
    return significantForm(value, MessageDigits, decimalPoint);
}

QString fixedDecimalForm(double value, int decimals, QChar decimalPoint) {
    if (!std::isfinite(value))
        return nonFinite(value);
    decimals = std::clamp(decimals, 1, MaxDecimals);

    // The value times 10^decimals, rounded, as a string of decimal digits.
    std::string scaled = "0";
    const double magnitude = std::fabs(value);
    if (magnitude != 0) {
        const Decimal d = decimal15(magnitude);
        // digits (15 of them) x 10^(exponent - 14) x 10^decimals
        const int shift = d.exponent - 14 + decimals;
        if (shift >= 0) {
            scaled = d.digits + std::string(shift, '0');
        } else {
            const int keep = 15 + shift;
            if (keep >= 0) {
                scaled = keep > 0 ? d.digits.substr(0, keep) : std::string("0");
                if (d.digits[keep] >= '5') {
                    int k = static_cast<int>(scaled.size()) - 1;
                    while (k >= 0 && scaled[k] == '9')
                        scaled[k--] = '0';
                    if (k >= 0)
                        ++scaled[k];
                    else
                        scaled.insert(scaled.begin(), '1');
                }
            }
        }
    }
    const std::size_t width = static_cast<std::size_t>(decimals);
    if (scaled.size() < width + 1)
        scaled.insert(0, width + 1 - scaled.size(), '0');

    QString out;
    // A negative value keeps its sign even when it rounds to zero; zero itself, negative zero
    // included, has none.
    if (value < 0)
        out += u'-';
    out += QString::fromLatin1(scaled.substr(0, scaled.size() - width));
    out += decimalPoint;
    out += QString::fromLatin1(scaled.substr(scaled.size() - width));
    return out;
}

QString exponentForm(double value, int significantDigits, QChar decimalPoint) {
    if (!std::isfinite(value))
        return nonFinite(value);
    const std::size_t keep = static_cast<std::size_t>(std::clamp(significantDigits, 1, 15));
    std::string digits(keep, '0');
    int exponent = 0;
    if (value != 0) {
        Decimal d = decimal15(std::fabs(value));
        roundDigits(d, keep);
        digits = d.digits;
        exponent = d.exponent;
    }
    QString out;
    if (value < 0)
        out += u'-';
    out += QChar(digits[0]);
    if (keep > 1) {
        out += decimalPoint;
        out += QString::fromLatin1(digits.substr(1));
    }
    out += exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
    out += QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
    return out;
}

QString fiveDecimalForm(double value, QChar decimalPoint) {
    return fixedDecimalForm(value, 5, decimalPoint);
}

QString wholeNumberForm(long long value) {
    return QString::number(value);
}

QChar screenDecimalPoint() {
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

} // namespace tessaro
