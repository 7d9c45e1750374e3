// SPDX-License-Identifier: MIT
#include "tessaro/tessaro.h"

#include "io/AirfoilImport.h"
#include "io/ArfWriter.h"
#include "io/ResultFile.h"

#include <QFile>

#include <cmath>
#include <memory>

namespace tessaro {

namespace {

QString qtPath(const std::filesystem::path &path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

Layout layoutOf(ImportLayout layout) {
    switch (layout) {
    case ImportLayout::Arf:
        return Layout::Arf;
    case ImportLayout::Lednicer:
        return Layout::Lednicer;
    case ImportLayout::Selig:
        break;
    }
    return Layout::Selig;
}

Section sectionOf(const ImportResult &imported) {
    if (!imported.file)
        throw FormatError(imported.error.toStdString());
    const ArfFile &file = *imported.file;
    Section section{file.title.toStdString(), {}, layoutOf(imported.layout)};
    section.points.reserve(std::size_t(file.N));
    for (int i = 1; i <= file.N; ++i)
        section.points.push_back({file.X[i], file.Y[i]});
    return section;
}

FileError::Kind kindOf(FileFault fault) {
    switch (fault) {
    case FileFault::Missing:
        return FileError::Kind::NotFound;
    case FileFault::Folder:
        return FileError::Kind::Folder;
    case FileFault::NotRegular:
        return FileError::Kind::NotRegularFile;
    case FileFault::TooLarge:
        return FileError::Kind::TooLarge;
    case FileFault::None:
    case FileFault::Unreadable:
        break;
    }
    return FileError::Kind::CannotRead;
}

ResultLayout writerLayout(Layout layout) {
    if (layout == Layout::Lednicer) {
        throw std::invalid_argument("layout: the Lednicer layout is read but never written; write "
                                    "Layout::Arf or Layout::Selig.");
    }
    return layout == Layout::Arf ? ResultLayout::Arf : ResultLayout::Selig;
}

// The file's bytes, or the message that refuses the points.
ResultBytes resultBytes(std::span<const Point> points, std::string_view name, ResultLayout layout,
                        const QString &shownName) {
    if (points.empty() || points.size() > std::size_t(MaxIndex)) {
        throw std::invalid_argument("points: " + std::to_string(points.size()) +
                                    " points given; write 1 to 1000.");
    }
    auto XN = std::make_unique<PointArray>();
    auto YN = std::make_unique<PointArray>();
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!std::isfinite(points[i].x) || !std::isfinite(points[i].y)) {
            throw std::invalid_argument("point " + std::to_string(i + 1) +
                                        " is not a finite number: give finite x and y.");
        }
        (*XN)[i + 1] = points[i].x;
        (*YN)[i + 1] = points[i].y;
    }
    // One title line, whatever the name holds.
    QByteArray title(name.data(), qsizetype(name.size()));
    title.replace('\r', ' ').replace('\n', ' ');
    const NewPoints newPoints{title, title, double(points.size()), *XN, *YN};
    ResultBytes bytes = formatResult(layout, newPoints, shownName);
    if (!bytes.refusal.isEmpty())
        throw std::invalid_argument(bytes.refusal.toStdString());
    return bytes;
}

} // namespace

Section parseSection(std::string_view bytes, std::string_view fileName) {
    return sectionOf(importAirfoil(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                   QString::fromUtf8(fileName.data(), qsizetype(fileName.size()))));
}

Section readSection(const std::filesystem::path &path) {
    const ImportResult imported = importAirfoilFile(qtPath(path));
    if (imported.fault != FileFault::None)
        throw FileError(imported.error.toStdString(), kindOf(imported.fault));
    return sectionOf(imported);
}

std::string formatSection(std::span<const Point> points, std::string_view name, Layout layout) {
    const ResultLayout writer = writerLayout(layout);
    return resultBytes(points, name, writer, QStringLiteral("text")).bytes.toStdString();
}

void writeSection(const std::filesystem::path &path, std::span<const Point> points,
                  std::string_view name, Layout layout) {
    const ResultLayout writer = writerLayout(layout);
    const QString shown = qtPath(path);
    const ResultBytes bytes = resultBytes(points, name, writer, shown);
    if (const auto problem = writeWholeFile(shown, bytes.bytes)) {
        throw FileError(
            (couldNotWrite(writer, shown) + QStringLiteral(": ") + *problem).toStdString(),
            FileError::Kind::CannotWrite);
    }
}

} // namespace tessaro
