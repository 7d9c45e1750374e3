// SPDX-License-Identifier: MIT
// The calculation normalised at the true leading edge.
#include "../tools/NacaExact.h"
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "support/Contours.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessaro;

Q_DECLARE_METATYPE(Contour)

namespace {

Module_Common loaded(const Contour &contour) {
    Module_Common ws;
    ws.Pi = 4.0 * std::atan(1.0);
    ws.FileLoaded = true;
    ws.N = static_cast<int>(contour.size());
    for (int i = 1; i <= ws.N; ++i)
        std::tie(ws.X[i], ws.Y[i]) = contour[i - 1];
    return ws;
}

CalculationRequest request(bool leadingEdge, InterpMethod method = InterpMethod::Lagrange,
                           const QString &dumpPath = {}) {
    CalculationRequest r{method, 161, 5, dumpPath, !leadingEdge};
    r.leadingEdge = leadingEdge;
    return r;
}

Contour exactContour(const naca::Section &section, double turn = 0, double scale = 1, double dx = 0,
                     double dy = 0) {
    Contour contour;
    for (const naca::Point &p : naca::cosineContour(section, 30))
        contour.emplace_back(dx + scale * (p.x * std::cos(turn) - p.y * std::sin(turn)),
                             dy + scale * (p.x * std::sin(turn) + p.y * std::cos(turn)));
    return contour;
}

} // namespace

class tst_LeadingEdge : public QObject {
    Q_OBJECT

  private slots:
    void redistributes_data();
    void redistributes();
    void sameBytesWhereAlreadyNormalised();
    void independentOfTheFileFrame();
    void refusals_data();
    void refusals();
};

void tst_LeadingEdge::redistributes_data() {
    QTest::addColumn<QString>("file"); // in the shared airfoils; empty: the contour
    QTest::addColumn<Contour>("contour");
    QTest::newRow("exact NACA 4415") << QString() << exactContour({0.04, 0.4, 0.15});
    QTest::newRow("e387: upper end beyond 1") << "e387.arf" << Contour{};
    QTest::newRow("b707b: lower surface stops short") << "b707b.arf" << Contour{};
    QTest::newRow("naca4412: leftmost point not the nose") << "naca4412.arf" << Contour{};
}

// Both ends are kept, the nose is at (0, 0) with the trailing edge on (1, 0), and a second
// calculation changes nothing.
void tst_LeadingEdge::redistributes() {
    QFETCH(QString, file);
    QFETCH(Contour, contour);
    Module_Common ws = loaded(contour);
    const QString path = QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(file);
    if (!file.isEmpty()) {
        if (!QFileInfo::exists(path))
            QSKIP("the shared airfoils are not here");
        QVERIFY(readContour(path, ws));
    }
    const Module_Common start = ws;
    CalculationOutcome outcome;
    QCOMPARE(Calculate(ws, request(true), &outcome).value_or(QString()), QString());
    QVERIFY(outcome.frame);

    const int N = ws.N;
    const int last = wholeCount(*ws.NI);
    QCOMPARE(ws.XN[1], ws.X[1]);
    QVERIFY(std::abs(ws.YN[1] - ws.Y[1]) < 1e-12);
    QVERIFY(std::abs(ws.XN[last] - ws.X[N]) < 1e-12);
    QVERIFY(std::abs(ws.YN[last] - ws.Y[N]) < 1e-12);
    // Each surface's end is where the file has it, mapped into the normalised frame.
    for (const int k : {1, N}) {
        double u = 0, v = 0;
        outcome.frame->toNormal(start.X[k], start.Y[k], u, v);
        QCOMPARE(ws.X[k], u);
        QCOMPARE(ws.Y[k], v);
    }
    // The nose is the point where the line from the trailing edge meets the contour at a right
    // angle: no point read lies ahead of it, and the trailing edge is on the x axis.
    for (int k = 1; k <= N; ++k)
        QVERIFY2(ws.X[k] >= -1e-9, qPrintable(QString::number(k)));
    QVERIFY(std::max(ws.X[1], ws.X[N]) >= 1 - 1e-12);
    QVERIFY(ws.X[ws.iLE] >= 0 && ws.X[ws.iLE - 1] > 0);

    const Module_Common first = ws;
    QCOMPARE(Calculate(ws, request(true), &outcome).value_or(QString()), QString());
    QVERIFY(samePoints("X", ws.X, first.X));
    QVERIFY(samePoints("XN", ws.XN, first.XN));
    QVERIFY(samePoints("YN", ws.YN, first.YN));
    QVERIFY(outcome.frame && outcome.frame->identity);
}

// A symmetric section whose nose is a point at (0, 0) and whose ends are at (1, 0) is already
// normalised: the save and the table dump are those of the own-trailing-edge mode.
void tst_LeadingEdge::sameBytesWhereAlreadyNormalised() {
    QTemporaryDir dir;
    QByteArray saved[2], dump[2];
    for (const bool leadingEdge : {false, true}) {
        Module_Common ws = loaded(nacaSymmetric(61));
        const QString dumpPath = dir.filePath(leadingEdge ? "on.text" : "off.text");
        QCOMPARE(Calculate(ws, request(leadingEdge, InterpMethod::DivDiff, dumpPath)),
                 std::nullopt);
        QCOMPARE(ws.iLE, 31);
        saved[leadingEdge] = formatArf("redistributed", ws.NI, ws.XN, ws.YN).value_or("");
        QFile file(dumpPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        dump[leadingEdge] = file.readAll();
    }
    QVERIFY(!saved[0].isEmpty() && !dump[0].isEmpty());
    QCOMPARE(saved[1], saved[0]);
    QCOMPARE(dump[1], dump[0]);
}

// The same exact section turned by 5 degrees, moved and scaled by 3 gives the same new points.
void tst_LeadingEdge::independentOfTheFileFrame() {
    const naca::Section section{0.02, 0.4, 0.12};
    Module_Common plain = loaded(exactContour(section));
    Module_Common moved = loaded(exactContour(section, 5 * plain.Pi / 180, 3, 0.7, -0.4));
    CalculationOutcome outcome;
    QCOMPARE(Calculate(plain, request(true)), std::nullopt);
    QCOMPARE(Calculate(moved, request(true), &outcome), std::nullopt);
    QVERIFY(std::abs(outcome.frame->chord / 3 - 1) < 1e-3);
    QCOMPARE(moved.iLE, plain.iLE);
    for (int i = 1; i <= 161; ++i) {
        QVERIFY2(std::abs(moved.XN[i] - plain.XN[i]) < 1e-9, qPrintable(QString::number(i)));
        QVERIFY2(std::abs(moved.YN[i] - plain.YN[i]) < 1e-9, qPrintable(QString::number(i)));
        // And they lie on the exact curve, mapped back into the file's frame.
        double x = 0, y = 0;
        outcome.frame->toFile(moved.XN[i], moved.YN[i], x, y);
        const double turn = -5 * plain.Pi / 180;
        const double u = ((x - 0.7) * std::cos(turn) - (y + 0.4) * std::sin(turn)) / 3;
        const double v = ((x - 0.7) * std::sin(turn) + (y + 0.4) * std::cos(turn)) / 3;
        QVERIFY2(naca::distance(section, {u, v}) < 3e-5, qPrintable(QString::number(i)));
    }
}

void tst_LeadingEdge::refusals_data() {
    QTest::addColumn<Contour>("contour");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("leadingEdgeOff"); // whether the plain scaling is suggested

    Contour beyondItsEnd = nacaSymmetric(61);
    beyondItsEnd[2].first = 1.2;
    Contour upperOnly = nacaSymmetric(61);
    upperOnly.erase(upperOnly.begin(), upperOnly.begin() + 30);
    Contour doubledNose = nacaSymmetric(61);
    doubledNose.insert(doubledNose.begin() + 30, doubledNose[30]);
    // Spans twice the largest double, so distances overflow.
    Contour huge = nacaSymmetric(61);
    for (auto &[x, y] : huge)
        std::tie(x, y) = std::pair{1e308 * (2 * x - 1), 1e308 * 2 * y};

    QTest::newRow("six points")
        << Contour{{1, 0}, {0.5, 0.05}, {0.1, 0.03}, {0, 0}, {0.5, -0.05}, {1, 0}}
        << "The contour has 6 points, and finding its true leading edge takes at least 7: open "
           "a section with more points."
        << true;
    QTest::newRow("all at one point")
        << Contour(7, {0.5, 0.5})
        << "Every point lies at the trailing edge, so the chord has no length: open a file "
           "whose points run from the trailing edge to the leading edge and back."
        << false;
    QTest::newRow("a point beyond its surface's end")
        << beyondItsEnd
        << "Point 3 lies at x = 1.2 after normalising the chord, beyond the end of its own "
           "surface at x = 1 (point 1): x must fall from the trailing edge to the leading edge "
           "and rise again, so check point 3."
        << false;
    QTest::newRow("starts at the nose")
        << upperOnly
        << "The leading edge lies between points 1 and 2, at an end of the contour, so one "
           "surface has no length: a contour must start and end at the trailing edge."
        << false;
    QTest::newRow("nose point doubled")
        << doubledNose
        << "Points 31 and 32, near point 31 which lies farthest from the trailing edge, are the "
           "same point, so the leading edge cannot be found there: remove one of them from the "
           "file."
        << false;
    QTest::newRow("too large to measure")
        << huge
        << "The leading edge could not be found: a value came out as no finite number, so "
           "check the file's values."
        << false;
}

void tst_LeadingEdge::refusals() {
    QFETCH(Contour, contour);
    QFETCH(QString, message);
    QFETCH(bool, leadingEdgeOff);
    Module_Common ws = loaded(contour);
    const Module_Common start = ws;
    CalculationOutcome outcome;
    QCOMPARE(Calculate(ws, request(true), &outcome).value_or(QString()), message);
    QCOMPARE(outcome.suggestion == Suggestion::LeadingEdgeOff, leadingEdgeOff);
    QVERIFY(!outcome.frame);
    QVERIFY(sameWorkingSet(ws, start));
}

QTEST_GUILESS_MAIN(tst_LeadingEdge)
#include "tst_leadingedge.moc"
