// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

namespace tessaro {

// Reads a number the way the entry fields are read: blanks, tabs and line feeds anywhere are
// ignored; an optional sign, digits, one '.', and an exponent ('E' or 'e', optional sign,
// digits) are taken from the start; reading stops at the first character that cannot continue
// the number. No number at the start gives 0. Values beyond the double range give +-infinity.
double readNumber(QStringView text);

// As readNumber, but nothing when the text does not begin with a number, so that "abc" and "0"
// can be told apart.
std::optional<double> readLeadingNumber(QStringView text);

// 15 significant digits, trailing zeros and a trailing separator dropped: 1, 1.2, 0.2, 21.
// Magnitudes below 1e-4 or from 1e15 up take an exponent: 1.5E-05, 1E+15.
QString generalForm(double value, QChar decimalPoint = u'.');

// The most significant digits a number in the program's own messages carries.
inline constexpr int MessageDigits = 6;

// A number in the program's own messages, as generalForm writes it but rounded to MessageDigits
// significant digits (halves away from zero): 1.00175, 0.5, 1000; from 1e6 up with an exponent,
// 1.23457E+06. Texts whose numbers are fixed at 15 digits keep generalForm.
QString messageNumber(double value, QChar decimalPoint = u'.');

// The most decimals fixedDecimalForm writes.
inline constexpr int MaxDecimals = 17;

// Exactly `decimals` decimals (1 to MaxDecimals, clamped), halves away from zero, rounded on the
// 15-digit decimal form of the value. A negative value keeps its minus sign even when it rounds
// to zero: fixedDecimalForm(-1e-9, 8) is -0.00000000. Negative zero is not negative: 0.00000000.
QString fixedDecimalForm(double value, int decimals, QChar decimalPoint = u'.');

// Exactly five decimals, halves away from zero, rounded on the 15-digit decimal form of the
// value: 1.00000, -0.04012. A negative value keeps its minus sign, negative zero gets none.
QString fiveDecimalForm(double value, QChar decimalPoint = u'.');

// significantDigits digits (1 to 15), the first before the separator, then E, a sign and at least
// two exponent digits: exponentForm(0.000195, 2) is 2.0E-04, 0 is 0.0E+00. Rounded as the other
// forms round: halves away from zero on the 15-digit decimal form.
QString exponentForm(double value, int significantDigits, QChar decimalPoint = u'.');

// Plain decimal digits, no fill.
QString wholeNumberForm(long long value);

// The decimal separator of the user's number settings, for texts shown on screen.
QChar screenDecimalPoint();

} // namespace tessaro
