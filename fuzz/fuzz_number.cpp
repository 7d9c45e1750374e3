// SPDX-License-Identifier: MIT
// Arbitrary text through the entry-field number rule, decoded as UTF-8 and as Latin-1, against a
// reference built from the C library's strtod.
#include "FuzzCheck.h"

#include "common/NumberText.h"

#include <QString>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tessaro;

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The reference: drop every blank, tab and line feed, take the longest leading
// [+-]digits[.digits][(E|e)[+-]digits] with a digit in the mantissa, and hand that to strtod.
double reference(const QString &text) {
    std::u16string s;
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            s += c.unicode();
    }
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += char(s[i++]);
    int digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            number += char(s[i]);
            ++digits;
        } else if (s[i] == u'.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent += char(s[j++]);
        const std::size_t first = j;
        while (j < s.size() && isDigit(s[j]))
            exponent += char(s[j++]);
        if (j > first)
            number += exponent;
    }
    errno = 0;
    char *end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    FUZZ_CHECK(end == number.c_str() + number.size());
    return value;
}

void check(const QString &text) {
    const double value = readNumber(text);
    FUZZ_CHECK(!std::isnan(value));
    const double expected = reference(text);
    if (std::fabs(expected) < DBL_MIN) {
        // Below the normal range either the subnormal itself or a zero of the same sign.
        FUZZ_CHECK(value == expected ||
                   (value == 0 && std::signbit(value) == std::signbit(expected)));
        return;
    }
    FUZZ_CHECK(value == expected);
    FUZZ_CHECK(std::signbit(value) == std::signbit(expected));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *text = reinterpret_cast<const char *>(data);
    check(QString::fromUtf8(text, qsizetype(size)));
    check(QString::fromLatin1(text, qsizetype(size)));
    return 0;
}
