// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>

#include <optional>

namespace tessaro {

struct TextLine {
    QByteArrayView text; // without its line end
    int number = 0;      // from 1
};

// Hands out the lines of a text one by one; CR LF, LF and CR each end a line, and an end of the
// text right after a line end opens no further line. Lines are not kept: a file of millions of
// line ends costs no memory.
class LineReader {
  public:
    explicit LineReader(QByteArrayView bytes) : bytes(bytes) {}

    std::optional<TextLine> next();
    // The next line that holds more than blanks and tabs.
    std::optional<TextLine> nextFilled();

  private:
    QByteArrayView bytes;
    qsizetype pos = 0;
    int lineNumber = 0;
};

bool isBlankLine(QByteArrayView line);

enum class PointLineStatus { Point, NotTwoNumbers, OutOfRange };

struct PointLine {
    PointLineStatus status = PointLineStatus::NotTwoNumbers;
    double x = 0;
    double y = 0;
};

// A point line: exactly two numbers (the number rule of parseFileNumber), blanks around them and
// blanks or one comma between them. OutOfRange when both fields are numbers in writing but one
// lies beyond the range of doubles.
PointLine readPointLine(QByteArrayView line);

// A count line: one or two blank-separated whole numbers. A whole number is digits, optionally
// followed by a point and at most one zero ("61", "61.", "61.0"), so that a point line with more
// decimals ("1.0000  0.0013", or an exported line with its eight) is never taken for counts.
// Counts above 10^9 read as 10^9; the texts keep their digits for messages.
struct CountLine {
    int fields = 0; // 0 when the line is not a count line
    long long first = 0;
    long long second = 0;
    QByteArrayView firstText; // the digits before the point, without leading zeros
    QByteArrayView secondText;
};
CountLine readCountLine(QByteArrayView line);

} // namespace tessaro
