// SPDX-License-Identifier: MIT
#include "io/FileNumber.h"

#include <charconv>
#include <cmath>

namespace tessaro {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

FileNumber parseFileNumber(QByteArrayView field) {
    const char *first = field.data();
    const char *last = first + field.size();
    if (first == last)
        return {};
    const char *p = first;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    const char *mantissa = p;
    int digits = 0;
    while (p != last && isDigit(*p)) {
        ++p;
        ++digits;
    }
    if (p != last && *p == '.') {
        ++p;
        while (p != last && isDigit(*p)) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return {};
    if (p != last && (*p == 'E' || *p == 'e')) {
        ++p;
        if (p != last && (*p == '+' || *p == '-'))
            ++p;
        const char *expDigits = p;
        while (p != last && isDigit(*p))
            ++p;
        if (p == expDigits)
            return {};
    }
    if (p != last)
        return {};

    // The syntax is checked above because from_chars would also take "inf", "nan" and hex forms.
    double value = 0;
    const auto [end, ec] = std::from_chars(mantissa, last, value);
    // Past the largest double, and also below the smallest: neither stands for the text.
    if (ec == std::errc::result_out_of_range || (ec == std::errc() && !std::isfinite(value)))
        return {NumberStatus::OutOfRange, 0};
    if (ec != std::errc() || end != last)
        return {};
    return {NumberStatus::Ok, negative ? -value : value};
}

} // namespace tessaro
