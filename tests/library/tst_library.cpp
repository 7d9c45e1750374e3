// SPDX-License-Identifier: MIT
// The library through its public header alone, against the programs' own bytes and refusals.
#include "support/BatchProcess.h"

#include <tessaro/tessaro.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <thread>

namespace {

const QString kSamples = QStringLiteral(TESSARO_SAMPLES_DIR);

std::vector<tessaro::Point> diamond(int perSide) {
    // A symmetric section of straight sides: from (1, 0) over (0.5, 0.1) to (0, 0) and back.
    std::vector<tessaro::Point> points;
    for (int k = 0; k <= 2 * perSide; ++k) {
        const double s = double(k) / perSide;
        const double x = s <= 1 ? 1 - s : s - 1;
        const double y = (s <= 1 ? 1 : -1) * 0.2 * std::min(x, 1 - x);
        points.push_back({x, y});
    }
    return points;
}

std::string fileText(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

} // namespace

Q_DECLARE_METATYPE(tessaro::Mode)
Q_DECLARE_METATYPE(tessaro::Layout)
Q_DECLARE_METATYPE(tessaro::Refused::Suggestion)
Q_DECLARE_METATYPE(tessaro::Options)

class tst_Library : public QObject {
    Q_OBJECT

  private slots:
    void sameBytesAsTheBatchProgram_data();
    void sameBytesAsTheBatchProgram();
    void refusals_data();
    void refusals();
    void optionAndContourChecks_data();
    void optionAndContourChecks();
    void fileErrors();
    void threadsGetWhatTheyGetAlone();
};

void tst_Library::sameBytesAsTheBatchProgram_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<tessaro::Mode>("mode");
    QTest::addColumn<bool>("keepFrame");
    QTest::addColumn<tessaro::Layout>("layout");
    const QStringList files = QDir(kSamples).entryList({QStringLiteral("*.arf")}, QDir::Files);
    QVERIFY(files.size() >= 4);
    const struct {
        const char *name;
        tessaro::Mode mode;
        bool keepFrame;
    } modes[] = {{"specified", tessaro::Mode::Specified, false},
                 {"own trailing edges", tessaro::Mode::OwnTrailingEdges, false},
                 {"leading edge", tessaro::Mode::LeadingEdge, false},
                 {"leading edge, own frame", tessaro::Mode::LeadingEdge, true}};
    for (const QString &file : files) {
        for (const auto &mode : modes) {
            for (const auto layout : {tessaro::Layout::Arf, tessaro::Layout::Selig}) {
                QTest::addRow("%s, %s, %s", qPrintable(file), mode.name,
                              layout == tessaro::Layout::Arf ? "arf" : "selig")
                    << file << mode.mode << mode.keepFrame << layout;
            }
        }
    }
}

void tst_Library::sameBytesAsTheBatchProgram() {
    QFETCH(QString, file);
    QFETCH(tessaro::Mode, mode);
    QFETCH(bool, keepFrame);
    QFETCH(tessaro::Layout, layout);
    const QString path = QDir(kSamples).filePath(file);
    QStringList arguments{"-q", "-n", "161",
                          "-p", "3",  "-o",
                          "-",  "-f", layout == tessaro::Layout::Arf ? "arf" : "selig"};
    if (mode == tessaro::Mode::OwnTrailingEdges)
        arguments << "-t";
    if (mode == tessaro::Mode::LeadingEdge)
        arguments << "-L";
    if (keepFrame)
        arguments << "--keep-frame";
    const BatchRunResult batch = runBatchProcess(arguments << path, kSamples);
    QCOMPARE(batch.status, 0);

    const tessaro::Section section = tessaro::readSection(path.toStdString());
    const tessaro::Result result =
        tessaro::redistribute(section.points, {161, 3, tessaro::Method::Lagrange, mode, keepFrame});
    QCOMPARE(result.frame.has_value(), mode == tessaro::Mode::LeadingEdge);
    const std::string text =
        tessaro::formatSection(result.points, section.name + " - redistributed", layout);
    QCOMPARE(QByteArray::fromStdString(text), batch.out);
}

void tst_Library::refusals_data() {
    QTest::addColumn<std::vector<tessaro::Point>>("contour");
    QTest::addColumn<tessaro::Options>("options");
    QTest::addColumn<QString>("message");
    QTest::addColumn<tessaro::Refused::Suggestion>("suggestion");
    using S = tessaro::Refused::Suggestion;
    const std::vector<tessaro::Point> section = diamond(10);
    QTest::newRow("order at N") << section << tessaro::Options{161, 21}
                                << "nPoly must be lower then 21" << S::None;
    std::vector<tessaro::Point> shortEnd = section;
    shortEnd.back().x = 0.99;
    QTest::newRow("surfaces ending apart")
        << shortEnd << tessaro::Options{}
        << "Point 1 lies at x = 1.0101 after scaling the chord to 0..1, beyond the trailing edge: "
           "both surfaces must end at the same trailing-edge x."
        << S::OwnTrailingEdges;
    tessaro::Options leadingEdge{11, 1};
    leadingEdge.mode = tessaro::Mode::LeadingEdge;
    QTest::newRow("too few points for the nose")
        << diamond(2) << leadingEdge
        << "The contour has 5 points, and finding its true leading edge takes at least 7: open a "
           "section with more points."
        << S::LeadingEdgeOff;
    QTest::newRow("no chord") << std::vector<tessaro::Point>{{0.5, 0}, {0.5, 1}, {0.5, 2}}
                              << tessaro::Options{161, 1}
                              << "The points span no chord: every x is the same. Open a file whose "
                                 "x runs from the trailing edge to the leading edge and back."
                              << S::None;
}

void tst_Library::refusals() {
    QFETCH(std::vector<tessaro::Point>, contour);
    QFETCH(tessaro::Options, options);
    QFETCH(QString, message);
    QFETCH(tessaro::Refused::Suggestion, suggestion);
    const std::vector<tessaro::Point> before = contour;
    try {
        tessaro::redistribute(contour, options);
        QFAIL("not refused");
    } catch (const tessaro::Refused &refused) {
        QCOMPARE(QString::fromStdString(refused.what()), message);
        QCOMPARE(refused.suggestion(), suggestion);
    }
    for (std::size_t i = 0; i < contour.size(); ++i)
        QVERIFY(contour[i].x == before[i].x && contour[i].y == before[i].y);
}

void tst_Library::optionAndContourChecks_data() {
    QTest::addColumn<std::vector<tessaro::Point>>("contour");
    QTest::addColumn<tessaro::Options>("options");
    QTest::addColumn<QString>("message");
    const std::vector<tessaro::Point> section = diamond(10);
    const tessaro::Options defaults;
    tessaro::Options keepFrame;
    keepFrame.keepFrame = true;
    QTest::newRow("1 new point") << section << tessaro::Options{1}
                                 << "points = 1 is outside 2..1000: ask for 2 to 1000 new points.";
    QTest::newRow("1001 new points")
        << section << tessaro::Options{1001}
        << "points = 1001 is outside 2..1000: ask for 2 to 1000 new points.";
    QTest::newRow("order -1") << section << tessaro::Options{161, -1}
                              << "order = -1 is outside 0..100: give a whole order from 0 to 100.";
    QTest::newRow("order 101")
        << section << tessaro::Options{161, 101}
        << "order = 101 is outside 0..100: give a whole order from 0 to 100.";
    QTest::newRow("keepFrame without the leading edge")
        << section << keepFrame
        << "keepFrame applies to the leading-edge mode only: set mode to LeadingEdge.";
    QTest::newRow("one contour point") << std::vector<tessaro::Point>{{1, 0}} << defaults
                                       << "contour has 1 points: give 2 to 1000 points.";
    QTest::newRow("1001 contour points")
        << diamond(500) << defaults << "contour has 1001 points: give 2 to 1000 points.";
    std::vector<tessaro::Point> nan = section;
    nan[4].y = std::nan("");
    QTest::newRow("NaN") << nan << defaults
                         << "contour point 5 is not a finite number: give finite x and y.";
}

void tst_Library::optionAndContourChecks() {
    QFETCH(std::vector<tessaro::Point>, contour);
    QFETCH(tessaro::Options, options);
    QFETCH(QString, message);
    try {
        tessaro::redistribute(contour, options);
        QFAIL("not refused");
    } catch (const tessaro::Refused &) {
        QFAIL("refused by the calculation, not before it");
    } catch (const std::invalid_argument &refused) {
        QCOMPARE(QString::fromStdString(refused.what()), message);
    }
}

void tst_Library::fileErrors() {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("kept.dat"));
    const std::string kept = "Kept\n 1.0 0.0\n 0.0 0.0\n 1.0 0.0\n";
    std::ofstream(existing.toStdString()) << kept;
    const auto kindOf = [](const std::filesystem::path &path) {
        try {
            tessaro::readSection(path);
        } catch (const tessaro::FileError &error) {
            return std::pair{int(error.kind()), std::string(error.what())};
        }
        return std::pair{-1, std::string()};
    };
    QCOMPARE(kindOf(dir.filePath("missing.dat").toStdString()),
             std::pair(int(tessaro::FileError::Kind::NotFound),
                       std::string("Cannot import \"missing.dat\": the file does not exist.")));
    QCOMPARE(kindOf(dir.path().toStdString()).first, int(tessaro::FileError::Kind::Folder));
    QVERIFY_THROWS_EXCEPTION(
        tessaro::FormatError,
        tessaro::parseSection(std::string_view("\x01\x02\x00\xff", 4), "x.dat"));

    // A folder that is a regular file cannot hold the new file; what stood there stays.
    const std::vector<tessaro::Point> points = diamond(5);
    try {
        tessaro::writeSection((existing + "/out.dat").toStdString(), points, "Out",
                              tessaro::Layout::Selig);
        QFAIL("written");
    } catch (const tessaro::FileError &error) {
        QCOMPARE(error.kind(), tessaro::FileError::Kind::CannotWrite);
        QVERIFY2(
            QString(error.what()).startsWith("Could not export \"" + existing + "/out.dat\": "),
            error.what());
    }
    QVERIFY_THROWS_EXCEPTION(
        std::invalid_argument,
        tessaro::writeSection(existing.toStdString(), points, "Out", tessaro::Layout::Lednicer));
    QCOMPARE(fileText(existing), kept);
    tessaro::writeSection(existing.toStdString(), points, "Out", tessaro::Layout::Selig);
    QCOMPARE(fileText(existing), tessaro::formatSection(points, "Out", tessaro::Layout::Selig));
}

void tst_Library::threadsGetWhatTheyGetAlone() {
    // Sections of many shapes, modes and methods, so that the threads' tables and frames differ;
    // one thread runs them forwards, the other backwards.
    const auto run = [](int k) {
        std::vector<tessaro::Point> contour = diamond(8 + k % 40);
        for (auto &point : contour)
            point.y *= 1 + 0.01 * k;
        const auto method = tessaro::Method(k % 2);
        return tessaro::redistribute(contour, {50 + k, 1 + k % 5, method, tessaro::Mode(k % 3)})
            .points;
    };
    const auto same = [](const auto &a, const auto &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](auto p, auto q) { return p.x == q.x && p.y == q.y; });
    };
    std::vector<std::vector<tessaro::Point>> serial, forwards(200), backwards(200);
    for (int k = 0; k < 200; ++k)
        serial.push_back(run(k));
    std::thread a([&] {
        for (int k = 0; k < 200; ++k)
            forwards[k] = run(k);
    });
    std::thread b([&] {
        for (int k = 200; k-- > 0;)
            backwards[k] = run(k);
    });
    a.join();
    b.join();
    for (int k = 0; k < 200; ++k)
        QVERIFY2(same(forwards[k], serial[k]) && same(backwards[k], serial[k]),
                 qPrintable(QString::number(k)));
}

QTEST_GUILESS_MAIN(tst_Library)
#include "tst_library.moc"
