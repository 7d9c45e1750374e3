// SPDX-License-Identifier: MIT
#include "common/NumberText.h"
#include "numerics/Calculation.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

using namespace tessaro;

namespace {

const double kPi = 4.0 * std::atan(1.0);
constexpr double kSentinel = -123.5;

// A working set as a load leaves it, with results of an earlier calculation still in place.
Module_Common loadedSet(const QList<double> &xs, const QList<double> &ys) {
    Module_Common ws;
    ws.Pi = kPi;
    ws.FileLoaded = true;
    ws.Scale = 1;
    ws.N = static_cast<int>(xs.size());
    ws.NI = 7.0;
    ws.nPoly = 2;
    ws.iLE = 0;
    for (int i = 1; i <= ws.N; ++i) {
        ws.X[i] = xs[i - 1];
        ws.Y[i] = i <= ys.size() ? ys[i - 1] : 0.01 * i;
    }
    ws.XN.fill(0.375);
    ws.YN.fill(kSentinel);
    ws.Teta.fill(1.25);
    ws.TetaN.fill(2.5);
    return ws;
}

double naca0012Thickness(double x) {
    return 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                  0.1015 * x * x * x * x);
}

// Selig order: from the trailing edge over the upper surface to the nose and back.
Module_Common nacaSet(int N) {
    Module_Common ws = loadedSet({}, {});
    ws.N = N;
    for (int k = 1; k <= N; ++k) {
        const double theta = 2 * kPi * (k - 1) / (N - 1);
        const double x = (1 + std::cos(theta)) / 2;
        ws.X[k] = x;
        ws.Y[k] = (theta <= kPi ? 1 : -1) * naca0012Thickness(x);
    }
    return ws;
}

const char *methodName(InterpMethod method) {
    switch (method) {
    case InterpMethod::Lagrange:
        return "Lagrange";
    case InterpMethod::DivDiff:
        return "divided differences";
    case InterpMethod::None:
        break;
    }
    return "none";
}

} // namespace

Q_DECLARE_METATYPE(InterpMethod)

class TestCalculation : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void refusals_data();
    void refusals();
    void scalesChord();
    void normalisedContourKeepsX();
    void bluntLeadingEdge();
    void roundingAtTrailingEdge();
    void stoppedDriverKeepsSet();
    void fewerThanOneNewPoint_data();
    void fewerThanOneNewPoint();
    void nacaAccuracy_data();
    void nacaAccuracy();
    void realSections_data();
    void realSections();

  private:
    QTemporaryDir dir;
    CalculationRequest request(InterpMethod method, double NI, double nPoly) const {
        CalculationRequest r;
        r.method = method;
        r.NI = NI;
        r.nPoly = nPoly;
        r.dumpPath = QDir(dir.path()).filePath(QStringLiteral("DivDif.text"));
        return r;
    }
};

void TestCalculation::initTestCase() {
    QVERIFY(dir.isValid());
}

void TestCalculation::refusals_data() {
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QList<double>>("xs");
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<double>("NI");
    QTest::addColumn<double>("nPoly");
    QTest::addColumn<QString>("message");

    const QList<double> diamond{1, 0.5, 0, 0.5, 1};
    const QString noChord = QStringLiteral(
        "The points span no chord: every x is the same. Open a file whose x runs from the "
        "trailing edge to the leading edge and back.");
    const QString above = QStringLiteral("Number of new points = %1 is above 1000: type at most "
                                         "1000.");
    const double inf = std::numeric_limits<double>::infinity();

    QTest::newRow("no file before anything")
        << false << QList<double>{0.5, 0.5} << InterpMethod::None << 1.0 << 9.0
        << QStringLiteral("Open a file containing airfoil coordinates");
    QTest::newRow("no method before the chord")
        << true << QList<double>{0.5, 0.5} << InterpMethod::None << 1.0 << 9.0
        << QStringLiteral("set an option for interpolation method");
    QTest::newRow("no chord before the count")
        << true << QList<double>{0.5, 0.5, 0.5} << InterpMethod::Lagrange << 1.0 << 9.0 << noChord;
    QTest::newRow("a single point spans no chord")
        << true << QList<double>{0.3} << InterpMethod::DivDiff << 11.0 << 0.0 << noChord;
    QTest::newRow("beyond the trailing edge before the count")
        << true << QList<double>{1.003, 0.5, 0, 0.5, 1} << InterpMethod::Lagrange << 1.0 << 9.0
        << QStringLiteral("Point 1 lies at x = 1.003 after scaling the chord to 0..1, beyond the "
                          "trailing edge: both surfaces must end at the same trailing-edge x.");
    QTest::newRow("falling again after the leading edge")
        << true << QList<double>{1, 0.5, 0, 0.5, 1, 0.75} << InterpMethod::Lagrange << 11.0 << 1.0
        << QStringLiteral("Point 2 lies at x = -1 after scaling the chord to 0..1, ahead of the "
                          "leading edge: x must not fall again after the leading edge.");
    QTest::newRow("lowest index wins")
        << true << QList<double>{1.25, 0.5, 0, 0.5, 1, 0.5} << InterpMethod::Lagrange << 11.0 << 1.0
        << QStringLiteral("Point 1 lies at x = 1.5 after scaling the chord to 0..1, beyond the "
                          "trailing edge: both surfaces must end at the same trailing-edge x.");
    QTest::newRow("one new point before the order")
        << true << diamond << InterpMethod::Lagrange << 1.0 << 9.0
        << QStringLiteral(
               "Number of new points = 1 gives no spacing: type 2 or more (at most 1000).");
    QTest::newRow("1001 new points") << true << diamond << InterpMethod::DivDiff << 1001.0 << 1.0
                                     << above.arg(QStringLiteral("1001"));
    QTest::newRow("1000.5 new points") << true << diamond << InterpMethod::DivDiff << 1000.5 << 1.0
                                       << above.arg(QStringLiteral("1000.5"));
    QTest::newRow("infinitely many new points") << true << diamond << InterpMethod::DivDiff << inf
                                                << 1.0 << above.arg(QStringLiteral("Infinity"));
    QTest::newRow("order equal to N") << true << diamond << InterpMethod::DivDiff << 11.0 << 5.0
                                      << QStringLiteral("nPoly must be lower then 5");
    QTest::newRow("fractional order")
        << true << diamond << InterpMethod::Lagrange << 11.0 << 1.5
        << QStringLiteral("nPoly = 1.5 is not a whole number from 0 to 100: type a whole order "
                          "from 0 to 100.");
    QTest::newRow("blunt leading edge with divided differences")
        << true << QList<double>{1, 0.5, 0, 0, 0.5, 1} << InterpMethod::DivDiff << 11.0 << 1.0
        << QStringLiteral("Points 3 and 4 have the same angle (x = 0), so the interpolation "
                          "would divide by zero: remove one of the two points from the file.");
    QTest::newRow("first point short of the trailing edge")
        << true << QList<double>{0.99, 0.5, 0, 0.5, 1} << InterpMethod::Lagrange << 11.0 << 1.0
        << QStringLiteral("Interpolation point x = 1 is not between the given airfoil points");
}

void TestCalculation::refusals() {
    QFETCH(bool, loaded);
    QFETCH(QList<double>, xs);
    QFETCH(InterpMethod, method);
    QFETCH(double, NI);
    QFETCH(double, nPoly);
    QFETCH(QString, message);

    MessageRecorder recorder;
    Module_Common ws = loadedSet(xs, {0.01, 0.05, 0, -0.04, -0.01});
    ws.FileLoaded = loaded;
    const Module_Common before = ws;
    QCOMPARE(Calculate(ws, request(method, NI, nPoly)).value_or(QString()), message);
    QVERIFY(sameWorkingSet(ws, before));
    // The caller shows the message; the calculation itself shows nothing.
    QCOMPARE(recorder.texts, QStringList());
}

void TestCalculation::scalesChord() {
    // File x from -1 to 1: halved and shifted onto 0..1, y as read.
    const Module_Common reference = nacaSet(21);
    Module_Common ws = reference;
    for (int i = 1; i <= ws.N; ++i)
        ws.X[i] = 2 * reference.X[i] - 1;

    QCOMPARE(Calculate(ws, request(InterpMethod::Lagrange, 41, 3)), std::nullopt);
    QCOMPARE(ws.iLE, 11);
    QCOMPARE(ws.NI, std::optional<double>(41.0));
    QCOMPARE(ws.nPoly, 3.0);
    for (int i = 1; i <= ws.N; ++i) {
        QVERIFY2(std::fabs(ws.X[i] - reference.X[i]) <= 1e-15,
                 qPrintable(QStringLiteral("point %1").arg(i)));
        QCOMPARE(ws.Y[i], reference.Y[i]);
    }
    for (int i = 1; i <= 41; ++i)
        QVERIFY(std::isfinite(ws.YN[i]) && ws.YN[i] != kSentinel);
    QCOMPARE(ws.YN[42], kSentinel);

    // A second run starts from x already on 0..1 and gives the same points.
    const Module_Common first = ws;
    QCOMPARE(Calculate(ws, request(InterpMethod::Lagrange, 41, 3)), std::nullopt);
    QVERIFY(sameWorkingSet(ws, first));
}

void TestCalculation::normalisedContourKeepsX() {
    Module_Common ws = nacaSet(31);
    const PointArray X = ws.X;
    QCOMPARE(Calculate(ws, request(InterpMethod::DivDiff, 50, 2)), std::nullopt);
    QVERIFY(samePoints("X", ws.X, X));
}

void TestCalculation::bluntLeadingEdge() {
    // Two lowest points at the same x: the first of them is the leading edge.
    Module_Common ws =
        loadedSet({1, 0.5, 0.1, 0.1, 0.5, 1}, {0.001, 0.04, 0.02, -0.02, -0.03, -0.001});
    QCOMPARE(Calculate(ws, request(InterpMethod::Lagrange, 9, 0)), std::nullopt);
    QCOMPARE(ws.iLE, 3);
    QCOMPARE(ws.X[3], 0.0);
    QCOMPARE(ws.X[4], 0.0);
    QCOMPARE(ws.XN[5], 0.0);
    QCOMPARE(ws.YN[5], 0.02);
}

void TestCalculation::roundingAtTrailingEdge() {
    Module_Common ws = loadedSet({1 + 1e-12, 0.5, 0, 0.5, 1}, {0.003, 0.05, 0, -0.04, -0.001});
    QCOMPARE(Calculate(ws, request(InterpMethod::DivDiff, 9, 2)), std::nullopt);
    QCOMPARE(ws.X[1], 1 + 1e-12);
    QCOMPARE(ws.YN[1], 0.003);
    QCOMPARE(ws.YN[9], -0.001);
}

void TestCalculation::stoppedDriverKeepsSet() {
    // File x from -1 to 1 whose first point stops short of the trailing edge.
    Module_Common ws = loadedSet({0.98, 0, -1, 0, 1}, {0.004, 0.05, 0, -0.04, -0.002});
    const Module_Common before = ws;
    for (auto &row : DD())
        row.fill(kSentinel);
    const CalculationRequest r = request(InterpMethod::DivDiff, 11, 1);
    QFile::remove(r.dumpPath);

    QCOMPARE(Calculate(ws, r).value_or(QString()),
             QStringLiteral("Interpolation point x = 1 is not between the given airfoil points"));
    QVERIFY(sameWorkingSet(ws, before));

    // The table and its dump were built from the scaled copy before the stop.
    const DivDiffTable &dd = DD();
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(dd[i][0], ws.Y[i]);
    const double teta1 = std::acos(2 * 0.99 - 1);
    const double slope = (ws.Y[2] - ws.Y[1]) / (kPi / 2 - teta1);
    QVERIFY2(std::fabs(dd[1][1] - slope) <= 1e-12 * std::fabs(slope),
             qPrintable(QString::number(dd[1][1], 'g', 17)));
    const QList<QByteArray> lines = readBytes(r.dumpPath).split('\n');
    QCOMPARE(lines.size(), 12); // eleven lines, each ending in CR LF
    QVERIFY2(
        lines[1].startsWith("  1  0.99000  " + fiveDecimalForm(teta1).toLatin1() + "  0.00400  "),
        lines[1].constData());
}

void TestCalculation::fewerThanOneNewPoint_data() {
    QTest::addColumn<double>("NI");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("half") << 0.5;
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
}

void TestCalculation::fewerThanOneNewPoint() {
    QFETCH(double, NI);

    // Legal: the chord is scaled and no new point is computed.
    Module_Common ws = loadedSet({2, 1, 0, 1, 2}, {0.01, 0.05, 0, -0.04, -0.01});
    const Module_Common before = ws;
    QCOMPARE(Calculate(ws, request(InterpMethod::DivDiff, NI, 1)), std::nullopt);
    QCOMPARE(ws.NI, std::optional<double>(NI));
    QCOMPARE(ws.X[1], 1.0);
    QVERIFY(samePoints("XN", ws.XN, before.XN));
    QVERIFY(samePoints("YN", ws.YN, before.YN));
    QVERIFY(samePoints("TetaN", ws.TetaN, before.TetaN));
}

void TestCalculation::nacaAccuracy_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("order");
    QTest::addColumn<double>("bound");
    QTest::addColumn<double>("aftBound");

    // Largest errors measured against the thickness formula, about doubled. Near the nose the
    // signed thickness has a jump in its second derivative over the angle, which caps every
    // order from 2 on; aft of x = 0.05 each order gains.
    const double bounds[] = {0, 3e-4, 1e-4, 5e-5, 5e-5, 5e-5};
    const double aftBounds[] = {0, 3e-4, 2e-5, 2e-6, 3e-7, 5e-8};
    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        for (int order = 1; order <= 5; ++order)
            QTest::addRow("%s order %d", methodName(method), order)
                << method << order << bounds[order] << aftBounds[order];
    }
}

void TestCalculation::nacaAccuracy() {
    QFETCH(InterpMethod, method);
    QFETCH(int, order);
    QFETCH(double, bound);
    QFETCH(double, aftBound);

    Module_Common ws = nacaSet(61);
    QCOMPARE(Calculate(ws, request(method, 161, order)), std::nullopt);

    double worst = 0;
    double worstAft = 0;
    for (int i = 1; i <= 161; ++i) {
        const double side = ws.TetaN[i] < kPi ? 1 : (ws.TetaN[i] > kPi ? -1 : 0);
        const double error = std::fabs(ws.YN[i] - side * naca0012Thickness(ws.XN[i]));
        QVERIFY2(std::isfinite(error), qPrintable(QStringLiteral("point %1").arg(i)));
        worst = std::max(worst, error);
        if (ws.XN[i] >= 0.05)
            worstAft = std::max(worstAft, error);
    }
    qInfo("%s order %d: largest error %.3g, aft of x = 0.05 %.3g", methodName(method), order, worst,
          worstAft);
    QVERIFY2(worst <= bound, qPrintable(QStringLiteral("error %1").arg(worst)));
    QVERIFY2(worstAft <= aftBound, qPrintable(QStringLiteral("error %1").arg(worstAft)));
}

void TestCalculation::realSections_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("order");

    const QDir airfoils(QStringLiteral(TESSARO_AIRFOILS_DIR));
    const QStringList files =
        airfoils.entryList({QStringLiteral("*.arf")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        QSKIP("shared airfoil files not present");
    for (const QString &file : files) {
        for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
            for (const int order : {1, 3}) {
                QTest::addRow("%s %s %d", qPrintable(file), methodName(method), order)
                    << airfoils.filePath(file) << method << order;
            }
        }
    }
}

void TestCalculation::realSections() {
    QFETCH(QString, path);
    QFETCH(InterpMethod, method);
    QFETCH(int, order);

    Module_Common ws = loadedSet({}, {});
    QVERIFY(readContour(path, ws));
    ws.NI = ws.N;
    ws.XN = ws.X;
    ws.YN = ws.Y;
    const Module_Common before = ws;

    MessageRecorder recorder;
    const auto message = Calculate(ws, request(method, 161, order));
    const QString name = QFileInfo(path).fileName();
    QCOMPARE(recorder.texts, QStringList());
    if (message) {
        qInfo().noquote() << name << methodName(method) << order << "refused:" << *message;
        QVERIFY(!message->isEmpty());
        QVERIFY(sameWorkingSet(ws, before));
        return;
    }
    qInfo().noquote() << name << methodName(method) << order << "redistributed";
    QCOMPARE(ws.NI, std::optional<double>(161.0));
    for (int i = 1; i <= 161; ++i) {
        QVERIFY2(ws.XN[i] >= 0 && ws.XN[i] <= 1, qPrintable(QStringLiteral("point %1").arg(i)));
        QVERIFY2(std::isfinite(ws.YN[i]), qPrintable(QStringLiteral("point %1").arg(i)));
    }
}

QTEST_GUILESS_MAIN(TestCalculation)
#include "tst_calculation.moc"
