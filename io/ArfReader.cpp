// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tessaro {

namespace {

// Anything longer is not a coordinate file; reading stops there instead of filling memory.
constexpr qint64 MaxFileBytes = qint64(64) * 1024 * 1024;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
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
        const qsizetype start = pos;
        while (!atEnd() && !isBlank(data[pos]) && data[pos] != ',' && !isLineEnd(data[pos]))
            ++pos;
        if (pos == start)
            return std::nullopt; // out of data, or an empty field before a comma
        const std::optional<double> value = parseNumber(data + start, data + pos);
        if (!value)
            return std::nullopt;
        qsizetype after = pos;
        while (after < size && isBlank(data[after]))
            ++after;
        if (after < size && data[after] == ',')
            pos = after + 1;
        return value;
    }

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

    // Sign, digits with at most one point (one digit at least), then an optional exponent.
    // The syntax is checked here because from_chars would also take "inf", "nan" and hex forms.
    static std::optional<double> parseNumber(const char *first, const char *last) {
        if (first == last)
            return std::nullopt;
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
            return std::nullopt;
        if (p != last && (*p == 'E' || *p == 'e')) {
            ++p;
            if (p != last && (*p == '+' || *p == '-'))
                ++p;
            const char *expDigits = p;
            while (p != last && isDigit(*p))
                ++p;
            if (p == expDigits)
                return std::nullopt;
        }
        if (p != last)
            return std::nullopt;

        double value = 0;
        const auto [end, ec] = std::from_chars(mantissa, last, value);
        if (ec != std::errc() || end != last || !std::isfinite(value))
            return std::nullopt;
        return negative ? -value : value;
    }

    const char *data;
    qsizetype size;
    qsizetype pos = 0;
};

} // namespace

std::optional<ArfFile> parseArf(QByteArrayView bytes) {
    Cursor cursor(bytes);
    ArfFile file;

    std::optional<QByteArray> title = cursor.readText();
    if (!title)
        return std::nullopt;
    file.title = std::move(*title);

    const std::optional<double> count = cursor.readNumber();
    if (!count || *count < 1 || *count > MaxIndex || *count != std::floor(*count))
        return std::nullopt;
    file.N = static_cast<int>(*count);

    for (int i = 1; i <= file.N; ++i) {
        // The point number is read for its syntax only.
        const std::optional<double> number = cursor.readNumber();
        const std::optional<double> x = number ? cursor.readNumber() : std::nullopt;
        const std::optional<double> y = x ? cursor.readNumber() : std::nullopt;
        if (!y)
            return std::nullopt;
        file.X[i] = *x;
        file.Y[i] = *y;
    }
    return file;
}

std::optional<ArfFile> readArfFile(const QString &path) {
    // Checked before opening: opening a FIFO or a device could block or never end.
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || !info.isFile() || !info.isReadable())
        return std::nullopt;
    if (info.size() > MaxFileBytes)
        return std::nullopt;

    QFile handle(path);
    if (!handle.open(QIODevice::ReadOnly) || handle.isSequential())
        return std::nullopt;
    // Qt sizes the buffer to the count asked for, so ask for what the file holds (one byte more
    // tells a file that grew after the size check), and only then up to the limit.
    QByteArray bytes = handle.read(info.size() + 1);
    if (bytes.size() > info.size())
        bytes += handle.read(MaxFileBytes + 1 - bytes.size());
    if (bytes.size() > MaxFileBytes || handle.error() != QFileDevice::NoError)
        return std::nullopt;
    return parseArf(bytes);
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
