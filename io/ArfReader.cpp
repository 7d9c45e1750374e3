// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"

#include "io/FileBytes.h"
#include "io/FileNumber.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tessaro {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
// Walks the bytes once, front to back; every access is bounds-checked so arbitrary input can
// only end in a failed field, never in a read past the end.
class Cursor {
  public:
    explicit Cursor(QByteArrayView bytes) : data(bytes.data()), size(bytes.size()) {}

    bool atEnd() const { return pos >= size; }

    // A text field: up to the first comma or line end, or between double quotes.
    std::optional<QByteArray> readText() {
        skipBlanks();
        if (!atEnd() && data[pos] == '"') {
            ++pos;
            const qsizetype close = find('"');
            if (close < 0)
                return std::nullopt;
            QByteArray text(data + pos, close - pos);
            pos = close + 1;
            // Whatever stands between the closing quote and the end of the field is dropped.
            while (!atEnd() && data[pos] != ',' && !isLineEnd(data[pos]))
                ++pos;
            consumeTextEnd();
            return text;
        }
        const qsizetype start = pos;
        while (!atEnd() && data[pos] != ',' && !isLineEnd(data[pos]))
            ++pos;
        QByteArray text(data + start, pos - start);
        consumeTextEnd();
        return text;
    }

    // A number field. Line ends and blanks before it are skipped; a comma after it (blanks
    // allowed in between) is taken as its separator. The bytes after the last field the caller
    // reads are never looked at beyond the terminator of that field.
    std::optional<double> readNumber() {
        while (!atEnd() && (isBlank(data[pos]) || isLineEnd(data[pos])))
            ++pos;
        fieldStart = pos;
        while (!atEnd() && !isBlank(data[pos]) && data[pos] != ',' && !isLineEnd(data[pos]))
            ++pos;
        if (pos == fieldStart) {
            // Out of data, or an empty field before a comma.
            fault = atEnd() ? ArfFault::Kind::MissingNumber : ArfFault::Kind::EmptyField;
            return std::nullopt;
        }
        const FileNumber number = parseFileNumber(field());
        if (number.status != NumberStatus::Ok) {
            fault = number.status == NumberStatus::OutOfRange ? ArfFault::Kind::OutOfRange
                                                              : ArfFault::Kind::NotANumber;
            return std::nullopt;
        }
        qsizetype after = pos;
        while (after < size && isBlank(data[after]))
            ++after;
        if (after < size && data[after] == ',')
            pos = after + 1;
        return number.value;
    }

    // The last number field read, as written.
    QByteArrayView field() const { return QByteArrayView(data + fieldStart, pos - fieldStart); }

    // The line (from 1) of the last number field read; CR LF, LF and CR each end a line.
    int fieldLine() const {
        int line = 1;
        for (qsizetype i = 0; i < fieldStart; ++i) {
            if (data[i] == '\n' || (data[i] == '\r' && (i + 1 >= size || data[i + 1] != '\n')))
                ++line;
        }
        return line;
    }

    ArfFault::Kind fault = ArfFault::Kind::MissingNumber;

  private:
    void skipBlanks() {
        while (!atEnd() && isBlank(data[pos]))
            ++pos;
    }

    qsizetype find(char c) const {
        const void *hit = std::memchr(data + pos, c, static_cast<std::size_t>(size - pos));
        return hit ? static_cast<const char *>(hit) - data : -1;
    }

    // A text field ends with one comma or one line end (CR LF, LF or CR).
    void consumeTextEnd() {
        if (atEnd())
            return;
        if (data[pos] == ',' || data[pos] == '\n') {
            ++pos;
        } else if (data[pos] == '\r') {
            ++pos;
            if (!atEnd() && data[pos] == '\n')
                ++pos;
        }
    }

    const char *data;
    qsizetype size;
    qsizetype pos = 0;
    qsizetype fieldStart = 0;
};

} // namespace

ArfParse parseArfChecked(QByteArrayView bytes) {
    Cursor cursor(bytes);
    ArfParse result;
    const auto failed = [&](ArfFault::Kind kind, int point) {
        result.fault = {kind, cursor.fieldLine(), point, cursor.field().toByteArray()};
        return result;
    };

    ArfFile file;
    std::optional<QByteArray> title = cursor.readText();
    if (!title) {
        result.fault = {ArfFault::Kind::UnclosedQuote, 1, 0, {}};
        return result;
    }
    file.title = std::move(*title);

    const std::optional<double> count = cursor.readNumber();
    if (!count)
        return failed(cursor.fault, 0);
    if (*count < 1 || *count > MaxIndex || *count != std::floor(*count))
        return failed(ArfFault::Kind::BadCount, 0);
    file.N = static_cast<int>(*count);

    for (int i = 1; i <= file.N; ++i) {
        // The point number is read for its syntax only.
        const std::optional<double> number = cursor.readNumber();
        const std::optional<double> x = number ? cursor.readNumber() : std::nullopt;
        const std::optional<double> y = x ? cursor.readNumber() : std::nullopt;
        if (!y)
            return failed(cursor.fault, i);
        file.X[i] = *x;
        file.Y[i] = *y;
    }
    result.file = std::move(file);
    return result;
}

std::optional<ArfFile> parseArf(QByteArrayView bytes) {
    return parseArfChecked(bytes).file;
}

std::optional<ArfFile> readArfFile(const QString &path) {
    const FileBytes read = readFileBytes(path);
    if (read.fault != FileFault::None)
        return std::nullopt;
    return parseArf(read.bytes);
}

void applyLoad(Module_Common &ws, const ArfFile &file) {
    const int n = std::clamp(file.N, 0, MaxIndex);
    ws.N = n;
    for (int i = 1; i <= n; ++i) {
        ws.X[i] = file.X[i];
        ws.Y[i] = file.Y[i];
    }
    ws.NI = n;
    for (int i = 1; i <= n; ++i) {
        ws.XN[i] = ws.X[i];
        ws.YN[i] = ws.Y[i];
    }
    // Coordinates given in percent of the chord start at x = 100; the copies keep the file's.
    if (n >= 1 && ws.X[1] == 100.0) {
        for (int i = 1; i <= n; ++i) {
            ws.X[i] /= 100.0;
            ws.Y[i] /= 100.0;
        }
    }
    ws.Scale = 1;
}

} // namespace tessaro
