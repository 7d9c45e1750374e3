// SPDX-License-Identifier: MIT
#include "io/CoordinateLines.h"

#include "io/FileNumber.h"

#include <algorithm>

namespace tessaro {

namespace {

constexpr long long MaxCount = 1'000'000'000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The run of bytes from pos up to a blank, a comma or the end; pos moves past it.
QByteArrayView takeField(QByteArrayView line, qsizetype &pos) {
    const qsizetype start = pos;
    while (pos < line.size() && !isBlank(line[pos]) && line[pos] != ',')
        ++pos;
    return line.sliced(start, pos - start);
}

void skipBlanks(QByteArrayView line, qsizetype &pos) {
    while (pos < line.size() && isBlank(line[pos]))
        ++pos;
}

std::optional<long long> wholeNumber(QByteArrayView field) {
    qsizetype i = 0;
    long long value = 0;
    while (i < field.size() && isDigit(field[i])) {
        value = std::min(MaxCount, value * 10 + (field[i] - '0'));
        ++i;
    }
    if (i == 0)
        return std::nullopt;
    if (i < field.size() && field[i] == '.') {
        ++i;
        if (i < field.size() && field[i] == '0')
            ++i;
    }
    if (i != field.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<TextLine> LineReader::next() {
    if (pos >= bytes.size())
        return std::nullopt;
    const qsizetype start = pos;
    while (pos < bytes.size() && bytes[pos] != '\r' && bytes[pos] != '\n')
        ++pos;
    const TextLine line{bytes.sliced(start, pos - start), ++lineNumber};
    if (pos < bytes.size()) {
        if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
            ++pos;
        ++pos;
    }
    return line;
}

std::optional<TextLine> LineReader::nextFilled() {
    for (std::optional<TextLine> line = next(); line; line = next()) {
        if (!isBlankLine(line->text))
            return line;
    }
    return std::nullopt;
}

bool isBlankLine(QByteArrayView line) {
    return std::all_of(line.begin(), line.end(), isBlank);
}

PointLine readPointLine(QByteArrayView line) {
    qsizetype pos = 0;
    skipBlanks(line, pos);
    const QByteArrayView first = takeField(line, pos);
    skipBlanks(line, pos);
    if (pos < line.size() && line[pos] == ',') {
        ++pos;
        skipBlanks(line, pos);
    }
    const QByteArrayView second = takeField(line, pos);
    skipBlanks(line, pos);
    if (first.isEmpty() || second.isEmpty() || pos != line.size())
        return {};

    const FileNumber x = parseFileNumber(first);
    const FileNumber y = parseFileNumber(second);
    if (x.status == NumberStatus::NotANumber || y.status == NumberStatus::NotANumber)
        return {};
    if (x.status == NumberStatus::OutOfRange || y.status == NumberStatus::OutOfRange)
        return {PointLineStatus::OutOfRange};
    return {PointLineStatus::Point, x.value, y.value};
}

CountLine readCountLine(QByteArrayView line) {
    CountLine counts;
    qsizetype pos = 0;
    for (skipBlanks(line, pos); pos < line.size(); skipBlanks(line, pos)) {
        const qsizetype start = pos;
        while (pos < line.size() && !isBlank(line[pos]))
            ++pos;
        const QByteArrayView field = line.sliced(start, pos - start);
        const std::optional<long long> value = wholeNumber(field);
        if (!value || counts.fields == 2)
            return {};
        qsizetype first = 0;
        while (first + 1 < field.size() && field[first] == '0' && isDigit(field[first + 1]))
            ++first;
        qsizetype last = first;
        while (last < field.size() && isDigit(field[last]))
            ++last;
        (counts.fields == 0 ? counts.first : counts.second) = *value;
        (counts.fields == 0 ? counts.firstText : counts.secondText) =
            field.sliced(first, last - first);
        ++counts.fields;
    }
    return counts;
}

} // namespace tessaro
