// SPDX-License-Identifier: MIT
#include "io/AirfoilImport.h"

#include "common/QuotedBytes.h"
#include "io/CoordinateLines.h"
#include "io/FileBytes.h"

#include <QFileInfo>

#include <utility>
#include <variant>
#include <vector>

namespace tessaro {

namespace {

constexpr int MinPoints = 3;
// Enough for two full Lednicer blocks; a file with more points fails whatever they hold.
constexpr qsizetype MaxKeptPoints = 2 * (MaxIndex + 1);

using Point = std::pair<double, double>;

// A fault found while importing: the reason, without the file name and the full stop.
struct Fault {
    QString reason;
};

template <typename T> using Parsed = std::variant<T, Fault>;

QString lineFault(const TextLine &line, PointLineStatus status) {
    if (status == PointLineStatus::OutOfRange)
        return QStringLiteral("line %1 holds a number out of range: %2")
            .arg(line.number)
            .arg(quotedBytes(line.text));
    return QStringLiteral("line %1 does not hold two numbers: %2")
        .arg(line.number)
        .arg(quotedBytes(line.text));
}

// Commas and double quotes would end or open the title field of a saved .arf.
QByteArray cleanTitle(QByteArrayView name) {
    QByteArray title;
    for (char c : name) {
        if (c != ',' && c != '"')
            title += c;
    }
    qsizetype start = 0;
    qsizetype end = title.size();
    while (start < end && (title[start] == ' ' || title[start] == '\t'))
        ++start;
    while (end > start && (title[end - 1] == ' ' || title[end - 1] == '\t'))
        --end;
    return title.sliced(start, end - start);
}

struct Points {
    std::vector<Point> kept; // the first MaxKeptPoints
    long long total = 0;
};

// Every further filled line is a point, starting with `first` when given.
Parsed<Points> readPoints(LineReader &lines, std::optional<TextLine> first) {
    Points points;
    for (std::optional<TextLine> line = first ? first : lines.nextFilled(); line;
         line = lines.nextFilled()) {
        const PointLine point = readPointLine(line->text);
        if (point.status != PointLineStatus::Point)
            return Fault{lineFault(*line, point.status)};
        if (qsizetype(points.kept.size()) < MaxKeptPoints)
            points.kept.emplace_back(point.x, point.y);
        ++points.total;
    }
    return points;
}

QString pointsWord(long long n) {
    return n == 1 ? QStringLiteral("1 point") : QStringLiteral("%1 points").arg(n);
}

Parsed<ArfFile> toFile(QByteArray title, const std::vector<Point> &points, long long total) {
    if (total > MaxIndex)
        return Fault{QStringLiteral("it holds more than %1 points").arg(MaxIndex)};
    if (total == 0)
        return Fault{QStringLiteral("it holds no points")};
    if (total < MinPoints)
        return Fault{QStringLiteral("it holds only %1; at least %2 are needed")
                         .arg(pointsWord(total))
                         .arg(MinPoints)};
    ArfFile file;
    file.title = std::move(title);
    file.N = static_cast<int>(total);
    for (int i = 1; i <= file.N; ++i) {
        file.X[i] = points[i - 1].first;
        file.Y[i] = points[i - 1].second;
    }
    return file;
}

Parsed<ArfFile> readSelig(LineReader &lines, QByteArray title, std::optional<TextLine> first) {
    Parsed<Points> points = readPoints(lines, first);
    if (Fault *fault = std::get_if<Fault>(&points))
        return *fault;
    const Points &read = std::get<Points>(points);
    return toFile(std::move(title), read.kept, read.total);
}

Parsed<ArfFile> readSeligWithCount(LineReader &lines, QByteArray title, const TextLine &countLine,
                                   const CountLine &counts) {
    Parsed<Points> points = readPoints(lines, std::nullopt);
    if (Fault *fault = std::get_if<Fault>(&points))
        return *fault;
    const Points &read = std::get<Points>(points);
    if (read.total != counts.first)
        return Fault{QStringLiteral("line %1 gives %2 point%3, but %4 follow")
                         .arg(countLine.number)
                         .arg(QString::fromLatin1(counts.firstText))
                         .arg(counts.first == 1 ? "" : "s")
                         .arg(read.total)};
    return toFile(std::move(title), read.kept, read.total);
}

// Both surfaces run from the leading edge to the trailing edge; the program's order runs from the
// trailing edge over the first surface to the leading edge and back over the second.
Parsed<ArfFile> readLednicer(LineReader &lines, QByteArray title, const TextLine &countLine,
                             const CountLine &counts) {
    Parsed<Points> points = readPoints(lines, std::nullopt);
    if (Fault *fault = std::get_if<Fault>(&points))
        return *fault;
    const Points &read = std::get<Points>(points);
    if (read.total != counts.first + counts.second)
        return Fault{
            QStringLiteral("line %1 gives %2 + %3 points, but %4 follow")
                .arg(countLine.number)
                .arg(QString::fromLatin1(counts.firstText), QString::fromLatin1(counts.secondText))
                .arg(read.total)};
    if (read.total > MaxKeptPoints)
        return toFile(std::move(title), {}, read.total);

    const auto split = read.kept.begin() + counts.first;
    std::vector<Point> ordered(std::make_reverse_iterator(split), read.kept.rend());
    const bool sharedLeadingEdge = read.kept.front() == *split;
    ordered.insert(ordered.end(), sharedLeadingEdge ? split + 1 : split, read.kept.end());
    return toFile(std::move(title), ordered, qsizetype(ordered.size()));
}

QString arfFault(const ArfFault &fault) {
    const QString where = fault.point == 0 ? QStringLiteral("the point count")
                                           : QStringLiteral("point %1").arg(fault.point);
    const QString field = quotedBytes(fault.field);
    switch (fault.kind) {
    case ArfFault::Kind::UnclosedQuote:
        return QStringLiteral("the quote that opens the title on line 1 is never closed");
    case ArfFault::Kind::BadCount:
        return QStringLiteral("line %1: the point count %2 is not a whole number from 1 to %3")
            .arg(fault.line)
            .arg(field)
            .arg(MaxIndex);
    case ArfFault::Kind::MissingNumber:
        return QStringLiteral("the file ends before %1 is complete").arg(where);
    case ArfFault::Kind::EmptyField:
        return QStringLiteral("line %1: an empty field before a comma, in %2")
            .arg(fault.line)
            .arg(where);
    case ArfFault::Kind::NotANumber:
        return QStringLiteral("line %1: %2 is not a number, in %3")
            .arg(fault.line)
            .arg(field, where);
    case ArfFault::Kind::OutOfRange:
        return QStringLiteral("line %1: %2 is a number out of range, in %3")
            .arg(fault.line)
            .arg(field, where);
    }
    return {};
}

QString fileFault(FileFault fault) {
    switch (fault) {
    case FileFault::None:
        break;
    case FileFault::Missing:
        return QStringLiteral("the file does not exist");
    case FileFault::Folder:
        return QStringLiteral("it is a folder");
    case FileFault::NotRegular:
        return QStringLiteral("it is not a regular file");
    case FileFault::TooLarge:
        return QStringLiteral("it is larger than %1 MiB").arg(MaxFileBytes / (1024 * 1024));
    case FileFault::Unreadable:
        return QStringLiteral("it cannot be read");
    }
    return {};
}

ImportResult failure(const QString &fileName, ImportLayout layout, const QString &reason) {
    return {std::nullopt, layout,
            QStringLiteral("Cannot import \"%1\": %2.").arg(fileName, reason)};
}

ImportResult finish(const QString &fileName, ImportLayout layout, Parsed<ArfFile> parsed) {
    if (const Fault *fault = std::get_if<Fault>(&parsed))
        return failure(fileName, layout, fault->reason);
    return {std::move(std::get<ArfFile>(parsed)), layout, {}};
}

} // namespace

ImportResult importAirfoil(QByteArrayView bytes, const QString &fileName) {
    if (bytes.startsWith("\xef\xbb\xbf"))
        bytes = bytes.sliced(3);

    LineReader lines(bytes);
    const std::optional<TextLine> first = lines.next();
    if (!first)
        return failure(fileName, ImportLayout::Selig, QStringLiteral("the file is empty"));
    if (readPointLine(first->text).status != PointLineStatus::NotTwoNumbers) {
        const QByteArray title = cleanTitle(QFileInfo(fileName).completeBaseName().toUtf8());
        return finish(fileName, ImportLayout::Selig, readSelig(lines, title, first));
    }

    QByteArray title = cleanTitle(first->text);
    const std::optional<TextLine> second = lines.nextFilled();
    if (!second)
        return failure(fileName, ImportLayout::Selig, QStringLiteral("it holds no points"));
    const CountLine counts = readCountLine(second->text);
    if (counts.fields == 1) {
        // Look ahead on a copy: an .arf is parsed from its first byte again.
        LineReader ahead = lines;
        const std::optional<TextLine> third = ahead.nextFilled();
        if (third && readPointLine(third->text).status != PointLineStatus::NotTwoNumbers)
            return finish(fileName, ImportLayout::Selig,
                          readSeligWithCount(lines, std::move(title), *second, counts));
        const ArfParse arf = parseArfChecked(bytes);
        if (!arf.file)
            return failure(fileName, ImportLayout::Arf, arfFault(arf.fault));
        return {arf.file, ImportLayout::Arf, {}};
    }
    if (counts.fields == 2 && counts.first >= 2 && counts.second >= 2)
        return finish(fileName, ImportLayout::Lednicer,
                      readLednicer(lines, std::move(title), *second, counts));

    // Neither counts nor a point after the name: no layout this program knows.
    const PointLine point = readPointLine(second->text);
    if (point.status == PointLineStatus::NotTwoNumbers)
        return failure(fileName, ImportLayout::Selig,
                       QStringLiteral("it is not a coordinate file of a known layout (line %1: %2)")
                           .arg(second->number)
                           .arg(quotedBytes(second->text)));
    return finish(fileName, ImportLayout::Selig, readSelig(lines, std::move(title), second));
}

ImportResult openArfFile(const QString &path) {
    const QString fileName = QFileInfo(path).fileName();
    const auto refused = [&fileName](const QString &reason) {
        return ImportResult{std::nullopt, ImportLayout::Arf,
                            QStringLiteral("Cannot open \"%1\": %2.").arg(fileName, reason)};
    };
    const FileBytes read = readFileBytes(path);
    if (read.fault != FileFault::None)
        return refused(fileFault(read.fault));
    if (read.bytes.isEmpty())
        return refused(QStringLiteral("the file is empty"));
    const ArfParse arf = parseArfChecked(read.bytes);
    if (!arf.file)
        return refused(arfFault(arf.fault));
    return {arf.file, ImportLayout::Arf, {}};
}

ImportResult importAirfoilFile(const QString &path) {
    const QString fileName = QFileInfo(path).fileName();
    const FileBytes read = readFileBytes(path);
    if (read.fault != FileFault::None) {
        ImportResult result = failure(fileName, ImportLayout::Selig, fileFault(read.fault));
        result.fault = read.fault;
        return result;
    }
    return importAirfoil(read.bytes, fileName);
}

} // namespace tessaro
