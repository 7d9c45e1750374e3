// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>

namespace tessaro {

// How a number field of a coordinate file reads.
enum class NumberStatus { Ok, NotANumber, OutOfRange };

struct FileNumber {
    NumberStatus status = NumberStatus::NotANumber;
    double value = 0;
};

// The one number rule of every coordinate file layout: an optional sign, digits with at most one
// point (one digit at least), then an optional exponent ('E' or 'e', optional sign, digits), and
// nothing else. "inf", "nan" and hex forms are not numbers; a value beyond the range of finite
// doubles (or below that of non-zero ones) is OutOfRange.
FileNumber parseFileNumber(QByteArrayView field);

} // namespace tessaro
