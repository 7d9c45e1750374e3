// SPDX-License-Identifier: MIT
// Finite doubles through the two number forms the program writes, checked against decimal
// string arithmetic done here, and read back through the entry-field number rule.
#include "FuzzCheck.h"

#include "common/NumberText.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tessaro;

namespace {

// The value's 15-significant-digit decimal form: 15 digits and the power of ten of the first.
struct Digits15 {
    std::string digits;
    int exponent = 0;
};

Digits15 digits15(double magnitude) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    Digits15 d;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.exponent = std::stoi(text.substr(e + 1));
    return d;
}

// Correctly rounded, with infinity past the largest double.
double parse(const std::string &text) {
    char *end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    FUZZ_CHECK(end == text.c_str() + text.size());
    return value;
}

// The double nearest the 15-digit form of v.
double nearest15(double v) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    return parse(std::string(buffer, result.ptr));
}

// "<int>.<ddddd>" for |v| rounded to five decimals, halves away from zero, on the 15-digit form.
std::string fiveDecimals(double magnitude) {
    if (magnitude == 0)
        return "0.00000";
    const Digits15 d = digits15(magnitude);
    // The exact decimal expansion: integer digits and at least six fraction digits.
    std::string integer;
    std::string fraction;
    const int pointAfter = d.exponent + 1; // digits before the point
    if (pointAfter <= 0) {
        integer = "0";
        fraction = std::string(-pointAfter, '0') + d.digits;
    } else if (pointAfter >= 15) {
        integer = d.digits + std::string(pointAfter - 15, '0');
    } else {
        integer = d.digits.substr(0, pointAfter);
        fraction = d.digits.substr(pointAfter);
    }
    fraction.resize(std::max<std::size_t>(fraction.size(), 6), '0');

    std::string kept = integer + fraction.substr(0, 5);
    if (fraction[5] >= '5') {
        int k = int(kept.size()) - 1;
        for (; k >= 0 && kept[k] == '9'; --k)
            kept[k] = '0';
        if (k >= 0)
            ++kept[k];
        else
            kept.insert(kept.begin(), '1');
    }
    std::string whole = kept.substr(0, kept.size() - 5);
    const std::size_t nonZero = whole.find_first_not_of('0');
    whole = nonZero == std::string::npos ? "0" : whole.substr(nonZero);
    return whole + "." + kept.substr(kept.size() - 5);
}

bool digitsOnly(const QString &s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

void checkGeneral(double v) {
    const QString text = generalForm(v);
    FUZZ_CHECK(readNumber(text) == nearest15(v));
    FUZZ_CHECK(generalForm(v, u',') == QString(text).replace(u'.', u','));

    // Shape: [-]digits[.digits without a trailing zero][E(+|-)two or three digits].
    QString body = text;
    if (v < 0) {
        FUZZ_CHECK(body.startsWith(u'-'));
        body.remove(0, 1);
    }
    const qsizetype e = body.indexOf(u'E');
    const int power = v == 0 ? 0 : digits15(std::fabs(v)).exponent;
    FUZZ_CHECK((e >= 0) == (v != 0 && (power < -4 || power >= 15)));
    QString mantissa = body;
    if (e >= 0) {
        const QString exponent = body.mid(e + 1);
        FUZZ_CHECK(exponent.size() >= 3 && exponent.size() <= 4);
        FUZZ_CHECK(exponent.front() == u'+' || exponent.front() == u'-');
        FUZZ_CHECK(digitsOnly(exponent.mid(1)));
        mantissa = body.left(e);
        FUZZ_CHECK(mantissa.front() != u'0');
    }
    const qsizetype point = mantissa.indexOf(u'.');
    if (point >= 0) {
        FUZZ_CHECK(digitsOnly(mantissa.left(point)) && digitsOnly(mantissa.mid(point + 1)));
        FUZZ_CHECK(!mantissa.endsWith(u'0'));
    } else {
        FUZZ_CHECK(digitsOnly(mantissa));
    }
}

void checkFive(double v) {
    const QString text = fiveDecimalForm(v);
    // A minus sign for a negative value, even one that rounds to zero; none for negative zero.
    const std::string expected = (v < 0 ? "-" : "") + fiveDecimals(std::fabs(v));
    FUZZ_CHECK(text == QString::fromStdString(expected));
    FUZZ_CHECK(fiveDecimalForm(v, u',') == QString(text).replace(u'.', u','));
    // Read back, the text gives the double nearest the rounded decimal.
    const double back = readNumber(text);
    FUZZ_CHECK(back == parse(expected));
    FUZZ_CHECK(std::signbit(back) == (v < 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
        double v = 0;
        std::memcpy(&v, data + at, sizeof v);
        if (!std::isfinite(v))
            continue;
        checkGeneral(v);
        checkFive(v);
    }
    return 0;
}
