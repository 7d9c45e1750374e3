// SPDX-License-Identifier: MIT
// The calculation normalised at the true leading edge.
#include "../tools/NacaExact.h"
#include "io/AirfoilImport.h"
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "support/Contours.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessaro;

Q_DECLARE_METATYPE(Contour)
Q_DECLARE_METATYPE(tessaro::naca::Section)

namespace {

// A file of the shared exact sections as a contour; empty where the folder is not here.
Contour exactFile(const char *name) {
    const QString path = QDir(QStringLiteral(TESSARO_AIRFOILS_DIR))
                             .filePath(QStringLiteral("../exact-sections/") + name);
    const ImportResult read = importAirfoilFile(path);
    Contour contour;
    for (int k = 1; read.file && k <= read.file->N; ++k)
        contour.emplace_back(read.file->X[k], read.file->Y[k]);
    return contour;
}

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

Contour moved(const Contour &contour, double turn, double scale, double dx, double dy) {
    Contour out;
    for (const auto &[x, y] : contour)
        out.emplace_back(dx + scale * (x * std::cos(turn) - y * std::sin(turn)),
                         dy + scale * (x * std::sin(turn) + y * std::cos(turn)));
    return out;
}

Contour exactContour(const naca::Section &section, int perSurface = 30) {
    Contour contour;
    for (const naca::Point &p : naca::cosineContour(section, perSurface))
        contour.emplace_back(p.x, p.y);
    return contour;
}

} // namespace

class tst_LeadingEdge : public QObject {
    Q_OBJECT

  private slots:
    void redistributes_data();
    void redistributes();
    void sameBytesWhereAlreadyNormalised_data();
    void sameBytesWhereAlreadyNormalised();
    void independentOfTheFileFrame_data();
    void independentOfTheFileFrame();
    void smallSectionsKeepTheTangentSearch_data();
    void smallSectionsKeepTheTangentSearch();
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
    // The smoothest nose of these rounded coordinates would have a point read just ahead of it.
    QTest::newRow("ah93w300: a point read nearly ahead") << "ah93w300.arf" << Contour{};
    QTest::newRow("dae51: a point read nearly ahead") << "dae51.arf" << Contour{};
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
    // No point read lies ahead of the nose, beyond the calculation's tolerance, and the trailing
    // edge is on the x axis.
    for (int k = 1; k <= N; ++k)
        QVERIFY2(ws.X[k] >= -kChordEndTolerance, qPrintable(QString::number(k)));
    QVERIFY(std::max(ws.X[1], ws.X[N]) >= 1 - 1e-12);

    const Module_Common first = ws;
    QCOMPARE(Calculate(ws, request(true), &outcome).value_or(QString()), QString());
    QVERIFY(samePoints("X", ws.X, first.X));
    QVERIFY(samePoints("XN", ws.XN, first.XN));
    QVERIFY(samePoints("YN", ws.YN, first.YN));
    QVERIFY(outcome.frame && outcome.frame->identity);
}

void tst_LeadingEdge::sameBytesWhereAlreadyNormalised_data() {
    QTest::addColumn<Contour>("contour"); // empty: the shared file is not here
    QTest::addColumn<int>("iLE");
    QTest::newRow("NACA 0012 built here") << nacaSymmetric(61) << 31;
    QTest::newRow("NACA 0012 (a) file") << exactFile("0012c_a.dat") << 31;
    QTest::newRow("Joukowski (a) file, cambered") << exactFile("jouk_a.dat") << 31;
}

// A section whose nose is a point read at (0, 0) and whose trailing edge is at (1, 0) is already
// normalised: the save and the table dump are those of the own-trailing-edge mode.
void tst_LeadingEdge::sameBytesWhereAlreadyNormalised() {
    QFETCH(Contour, contour);
    QFETCH(int, iLE);
    if (contour.empty())
        QSKIP("the shared exact sections are not here");
    QTemporaryDir dir;
    QByteArray saved[2], dump[2];
    for (const bool leadingEdge : {false, true}) {
        Module_Common ws = loaded(contour);
        const QString dumpPath = dir.filePath(leadingEdge ? "on.text" : "off.text");
        QCOMPARE(Calculate(ws, request(leadingEdge, InterpMethod::DivDiff, dumpPath)),
                 std::nullopt);
        QCOMPARE(ws.iLE, iLE);
        saved[leadingEdge] = formatArf("redistributed", ws.NI, ws.XN, ws.YN).value_or("");
        QFile file(dumpPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        dump[leadingEdge] = file.readAll();
    }
    QVERIFY(!saved[0].isEmpty() && !dump[0].isEmpty());
    QCOMPARE(saved[1], saved[0]);
    QCOMPARE(dump[1], dump[0]);
}

void tst_LeadingEdge::independentOfTheFileFrame_data() {
    QTest::addColumn<Contour>("contour"); // empty: the shared file is not here
    QTest::addColumn<naca::Section>("section");
    QTest::addColumn<double>("faithful"); // the largest distance allowed from the exact curve
    const naca::Section n2412{0.02, 0.4, 0.12};
    const naca::Section n6409{0.06, 0.4, 0.09};
    QTest::newRow("NACA 2412 built here") << exactContour(n2412) << n2412 << 1.5e-5;
    // A tangent on a local polynomial put this thin cambered nose 1e-4 of the chord off.
    QTest::newRow("NACA 6409 (a) file") << exactFile("6409c_a.dat") << n6409 << 4.3e-5;
}

// The same section turned by 5 degrees, moved and scaled by 3 gives the same new points, and they
// lie on the exact curve.
void tst_LeadingEdge::independentOfTheFileFrame() {
    QFETCH(Contour, contour);
    QFETCH(naca::Section, section);
    QFETCH(double, faithful);
    if (contour.empty())
        QSKIP("the shared exact sections are not here");
    Module_Common plain = loaded(contour);
    const double turn = 5 * plain.Pi / 180;
    Module_Common turned = loaded(moved(contour, turn, 3, 0.7, -0.4));
    CalculationOutcome outcome;
    QCOMPARE(Calculate(plain, request(true)), std::nullopt);
    QCOMPARE(Calculate(turned, request(true), &outcome), std::nullopt);
    QVERIFY(std::abs(outcome.frame->chord / 3 - 1) < 1e-3);
    QCOMPARE(turned.iLE, plain.iLE);
    for (int i = 1; i <= 161; ++i) {
        QVERIFY2(std::abs(turned.XN[i] - plain.XN[i]) < 1e-9, qPrintable(QString::number(i)));
        QVERIFY2(std::abs(turned.YN[i] - plain.YN[i]) < 1e-9, qPrintable(QString::number(i)));
        // Mapped back into the file's frame and undone.
        double x = 0, y = 0;
        outcome.frame->toFile(turned.XN[i], turned.YN[i], x, y);
        const double u = ((x - 0.7) * std::cos(turn) + (y + 0.4) * std::sin(turn)) / 3;
        const double v = (-(x - 0.7) * std::sin(turn) + (y + 0.4) * std::cos(turn)) / 3;
        QVERIFY2(naca::distance(section, {u, v}) < faithful, qPrintable(QString::number(i)));
    }
}

void tst_LeadingEdge::smallSectionsKeepTheTangentSearch_data() {
    QTest::addColumn<int>("perSurface");
    QTest::newRow("7 points") << 3;
    QTest::newRow("9 points") << 4;
    QTest::newRow("11 points, the smallest fit") << 5;
}

// Too few points around the nose for the smoothness fit: the tangent search normalises the
// section all the same, wherever the file puts it.
void tst_LeadingEdge::smallSectionsKeepTheTangentSearch() {
    QFETCH(int, perSurface);
    const Contour contour = exactContour({0.04, 0.4, 0.15}, perSurface);
    Module_Common plain = loaded(contour);
    Module_Common turned = loaded(moved(contour, -0.3, 0.25, 5, 2));
    CalculationRequest small = request(true);
    small.NI = 21;
    small.nPoly = 3;
    QCOMPARE(Calculate(plain, small).value_or(QString()), QString());
    QCOMPARE(Calculate(turned, small).value_or(QString()), QString());
    QCOMPARE(turned.iLE, plain.iLE);
    for (int k = 1; k <= plain.N; ++k)
        QVERIFY2(plain.X[k] >= -1e-9, qPrintable(QString::number(k)));
    for (int i = 1; i <= 21; ++i)
        QVERIFY2(std::abs(turned.YN[i] - plain.YN[i]) < 1e-9, qPrintable(QString::number(i)));
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
