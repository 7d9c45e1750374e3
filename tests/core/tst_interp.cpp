// SPDX-License-Identifier: MIT
#include "numerics/Module_DistrAlongTeta.h"
#include "numerics/Module_Interp.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

using namespace tessaro;

namespace {

const double kPi = 4.0 * std::atan(1.0);
constexpr double kSentinel = -123.5;
const double kMax = std::numeric_limits<double>::max();

// Points on uneven angle steps with a smooth y, so that no polynomial of low order fits them.
Module_Common smoothSet(int N) {
    Module_Common ws;
    ws.Pi = kPi;
    ws.N = N;
    for (int i = 1; i <= N; ++i) {
        ws.Teta[i] = 0.5 * i + 0.07 * std::sin(1.3 * i);
        ws.Y[i] = std::sin(ws.Teta[i]) + 0.3 * std::cos(2 * ws.Teta[i]);
        ws.X[i] = (1 + std::cos(ws.Teta[i])) / 2;
    }
    return ws;
}

// Points at angles 0, 1, 2, ... with x = i / 10 so that messages show short numbers; one new
// point whose angle the test sets.
Module_Common driverSet(int N) {
    Module_Common ws;
    ws.Pi = kPi;
    ws.N = N;
    ws.NI = 1.0;
    ws.nPoly = 3;
    for (int i = 1; i <= N; ++i) {
        ws.Teta[i] = i - 1;
        ws.X[i] = 0.1 * i;
        ws.Y[i] = 10.0 * i;
    }
    ws.XN.fill(kSentinel);
    ws.YN.fill(kSentinel);
    ws.TetaN.fill(kSentinel);
    ws.XN[1] = 0.25;
    return ws;
}

void fillTable(double value) {
    for (auto &row : DD())
        row.fill(value);
}

// Degree-len-1 polynomial through the given points at x, by Neville's recurrence.
double neville(std::vector<double> t, std::vector<double> y, double x) {
    const std::size_t n = t.size();
    for (std::size_t m = 1; m < n; ++m) {
        for (std::size_t i = 0; i + m < n; ++i)
            y[i] = ((x - t[i + m]) * y[i] + (t[i] - x) * y[i + 1]) / (t[i] - t[i + m]);
    }
    return y[0];
}

void window(const Module_Common &ws, int iStart, int nPoly, WindowArray &TetaW, WindowArray &YW) {
    for (int m = 0; m <= nPoly; ++m) {
        TetaW[m] = ws.Teta[iStart + m];
        YW[m] = ws.Y[iStart + m];
    }
}

} // namespace

Q_DECLARE_METATYPE(InterpMethod)
Q_DECLARE_METATYPE(std::optional<double>)

class TestInterp : public QObject {
    Q_OBJECT

  private slots:
    void init();

    void formsAgree_data();
    void formsAgree();
    void highOrderUsesSixPoints();
    void nodesReturnTheirY_data();
    void nodesReturnTheirY();
    void orderZeroIsConstant();
    void tableLeavesUnbuiltOrders();
    void dumpBytes();
    void dumpFailure();

    void angleTolerance_data();
    void angleTolerance();
    void endPointsCarriedOver_data();
    void endPointsCarriedOver();
    void windowPlacement_data();
    void windowPlacement();
    void orderField_data();
    void orderField();
    void orderZeroTakesLowerY_data();
    void orderZeroTakesLowerY();
    void equalAngles_data();
    void equalAngles();
    void notFinite_data();
    void notFinite();
    void notBetween_data();
    void notBetween();
    void fewerThanOnePoint_data();
    void fewerThanOnePoint();

  private:
    QTemporaryDir dir;
    QString dumpPath() const { return QDir(dir.path()).filePath(QStringLiteral("DivDif.text")); }
};

void TestInterp::init() {
    QVERIFY(dir.isValid());
    QFile::remove(dumpPath());
    // As at program start: orders above 5 are never written and must read zero.
    fillTable(0.0);
}

void TestInterp::formsAgree_data() {
    QTest::addColumn<int>("nPoly");
    for (int n = 0; n <= DivDiffOrders; ++n)
        QTest::addRow("order %d", n) << n;
}

void TestInterp::formsAgree() {
    QFETCH(int, nPoly);

    Module_Common ws = smoothSet(12);
    QVERIFY(!BuildDivDiffTable(ws, dumpPath()));
    ws.nPoly = nPoly;
    const int iStart = 3;
    WindowArray TetaW{};
    WindowArray YW{};
    window(ws, iStart, nPoly, TetaW, YW);

    for (double x = ws.Teta[iStart]; x <= ws.Teta[iStart + 5]; x += 0.173) {
        const double lagrange = Lagrange(ws, x, TetaW, YW);
        const double newton = DivDiff(ws, iStart, x);
        QVERIFY2(std::fabs(lagrange - newton) <= 1e-12,
                 qPrintable(QStringLiteral("x = %1: %2 vs %3").arg(x).arg(lagrange).arg(newton)));
    }
}

void TestInterp::highOrderUsesSixPoints() {
    // The table holds orders up to 5 only, so a higher order is the degree-5 polynomial.
    Module_Common ws = smoothSet(14);
    QVERIFY(!BuildDivDiffTable(ws, dumpPath()));
    ws.nPoly = 7;
    const int iStart = 2;
    std::vector<double> t;
    std::vector<double> y;
    for (int m = 0; m <= 5; ++m) {
        t.push_back(ws.Teta[iStart + m]);
        y.push_back(ws.Y[iStart + m]);
    }
    WindowArray TetaW{};
    WindowArray YW{};
    window(ws, iStart, 7, TetaW, YW);

    for (double x = ws.Teta[iStart] + 0.05; x < ws.Teta[iStart + 7]; x += 0.21) {
        const double expected = neville(t, y, x);
        const double newton = DivDiff(ws, iStart, x);
        QVERIFY2(std::fabs(newton - expected) <= 1e-12,
                 qPrintable(QStringLiteral("x = %1: %2 vs %3").arg(x).arg(newton).arg(expected)));
        if (x > ws.Teta[iStart + 5]) {
            // Beyond the six points the true order-7 polynomial is visibly different.
            QVERIFY(std::fabs(Lagrange(ws, x, TetaW, YW) - newton) > 1e-6);
        }
    }
}

void TestInterp::nodesReturnTheirY_data() {
    QTest::addColumn<int>("nPoly");
    QTest::newRow("order 1") << 1;
    QTest::newRow("order 3") << 3;
    QTest::newRow("order 5") << 5;
    QTest::newRow("order 8") << 8;
}

void TestInterp::nodesReturnTheirY() {
    QFETCH(int, nPoly);

    Module_Common ws = smoothSet(14);
    QVERIFY(!BuildDivDiffTable(ws, dumpPath()));
    ws.nPoly = nPoly;
    const int iStart = 4;
    WindowArray TetaW{};
    WindowArray YW{};
    window(ws, iStart, nPoly, TetaW, YW);

    for (int m = 0; m <= nPoly; ++m) {
        QCOMPARE(Lagrange(ws, TetaW[m], TetaW, YW), YW[m]);
        if (m <= DivDiffOrders) {
            QVERIFY2(std::fabs(DivDiff(ws, iStart, TetaW[m]) - YW[m]) <= 1e-12,
                     qPrintable(QStringLiteral("node %1").arg(m)));
        }
    }
}

void TestInterp::orderZeroIsConstant() {
    Module_Common ws = smoothSet(8);
    QVERIFY(!BuildDivDiffTable(ws, dumpPath()));
    ws.nPoly = 0;
    WindowArray TetaW{};
    WindowArray YW{};
    window(ws, 5, 0, TetaW, YW);
    TetaW[1] = 99; // must not be read at order 0
    YW[1] = 99;
    for (const double x : {-3.0, ws.Teta[5], ws.Teta[6] - 0.01, 40.0}) {
        QCOMPARE(Lagrange(ws, x, TetaW, YW), ws.Y[5]);
        QCOMPARE(DivDiff(ws, 5, x), ws.Y[5]);
    }
}

void TestInterp::tableLeavesUnbuiltOrders() {
    // y = t^3 - 2t at t = 0..4: order 2 is 3(t_i + 1), order 3 is 1, order 4 is 0, exactly.
    Module_Common ws;
    ws.Pi = kPi;
    ws.N = 5;
    for (int i = 1; i <= 5; ++i) {
        ws.Teta[i] = i - 1;
        ws.Y[i] = std::pow(ws.Teta[i], 3) - 2 * ws.Teta[i];
    }
    fillTable(kSentinel);
    QVERIFY(!BuildDivDiffTable(ws, dumpPath()));

    const DivDiffTable &dd = DD();
    for (int i = 0; i <= 8; ++i) {
        for (int j = 0; j <= 6; ++j) {
            const bool written = i >= 1 && j <= DivDiffOrders && i <= ws.N - j;
            QVERIFY2((dd[i][j] != kSentinel) == written,
                     qPrintable(QStringLiteral("DD(%1, %2) = %3").arg(i).arg(j).arg(dd[i][j])));
        }
    }
    for (int i = 1; i <= 5; ++i)
        QCOMPARE(dd[i][0], ws.Y[i]);
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(dd[i][2], 3.0 * i);
    QCOMPARE(dd[1][3], 1.0);
    QCOMPARE(dd[2][3], 1.0);
    QCOMPARE(dd[1][4], 0.0);
}

void TestInterp::dumpBytes() {
    Module_Common ws;
    ws.Pi = kPi;
    ws.N = 3;
    const double xs[] = {1.0, 0.25, 0.75};
    const double tetas[] = {0.0, 0.5, 2.0};
    const double ys[] = {0.1, -0.2, 0.6};
    for (int i = 1; i <= 3; ++i) {
        ws.X[i] = xs[i - 1];
        ws.Teta[i] = tetas[i - 1];
        ws.Y[i] = ys[i - 1];
    }
    ws.X[4] = -0.125; // rows past N show whatever the arrays hold
    ws.Teta[10] = 3.000005;
    fillTable(7.5);
    QVERIFY(!BuildDivDiffTable(ws, dumpPath()));

    const QByteArray rest = "  7.50000  7.50000  7.50000  7.50000  7.50000  7.50000\r\n";
    QByteArray expected = "\r\n";
    expected += "  1  1.00000  0.00000  0.10000  -0.60000  0.56667  7.50000  7.50000  7.50000\r\n";
    expected += "  2  0.25000  0.50000  -0.20000  0.53333  7.50000  7.50000  7.50000  7.50000\r\n";
    expected += "  3  0.75000  2.00000  0.60000  7.50000  7.50000  7.50000  7.50000  7.50000\r\n";
    expected += "  4  -0.12500  0.00000" + rest;
    for (int i = 5; i <= 9; ++i)
        expected += "  " + QByteArray::number(i) + "  0.00000  0.00000" + rest;
    expected += "  10  0.00000  3.00001" + rest;

    const QByteArray written = readBytes(dumpPath());
    QCOMPARE(written, expected);
    QCOMPARE(written.count("\r\n"), 11);
    QCOMPARE(formatDivDifDump(ws), expected);
}

void TestInterp::dumpFailure() {
    Module_Common ws = driverSet(6);
    const QString blocked = QDir(dir.path()).filePath(QStringLiteral("missing/DivDif.text"));
    const auto message = InterpNewPoints(ws, InterpMethod::DivDiff, 1, blocked);
    QVERIFY(message.has_value());
    const QString prefix = QStringLiteral("Could not write DivDif.text: ");
    QVERIFY2(message->startsWith(prefix) && message->size() > prefix.size(), qPrintable(*message));
    QCOMPARE(ws.YN[1], kSentinel);
    QVERIFY(!QFileInfo::exists(blocked));
}

void TestInterp::angleTolerance_data() {
    QTest::addColumn<double>("TetaN");
    QTest::addColumn<double>("expected");

    // Angles 0, 1, 1 + 1.5e-6, 2 with y 10, 20, 30, 40.
    const double upper = 1.0 + 1.5e-6;
    QTest::newRow("near both ends: lower index wins") << 1.0 + 0.75e-6 << 20.0;
    QTest::newRow("on the lower end") << 1.0 << 20.0;
    QTest::newRow("within tolerance below lower end") << 1.0 - 0.9e-6 << 20.0;
    QTest::newRow("near the upper end only") << upper + 0.9e-6 << 30.0;
    QTest::newRow("just beyond tolerance: interpolated")
        << 1.0 - 1.1e-6 << 10.0 + 10.0 * (1.0 - 1.1e-6);
    QTest::newRow("first point") << 0.0 << 10.0;
    QTest::newRow("last point") << 2.0 - 0.5e-6 << 40.0;
}

void TestInterp::angleTolerance() {
    QFETCH(double, TetaN);
    QFETCH(double, expected);

    // A fifth point at angle 3 keeps the angles ascending; at -1 it puts them out of order, which
    // must not change which point settles the new one.
    for (const double fifth : {3.0, -1.0}) {
        for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
            Module_Common ws = driverSet(5);
            ws.Teta[3] = 1.0 + 1.5e-6;
            ws.Teta[4] = 2.0;
            ws.Teta[5] = fifth;
            ws.TetaN[1] = TetaN;
            QCOMPARE(InterpNewPoints(ws, method, 1, dumpPath()), std::nullopt);
            QVERIFY2(
                std::fabs(ws.YN[1] - expected) <= 1e-9,
                qPrintable(QStringLiteral("fifth at %1: %2").arg(fifth).arg(ws.YN[1], 0, 'g', 17)));
        }
    }
}

void TestInterp::endPointsCarriedOver_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("nPoly");
    QTest::newRow("Lagrange order 3") << InterpMethod::Lagrange << 3;
    QTest::newRow("divided differences order 3") << InterpMethod::DivDiff << 3;
    QTest::newRow("divided differences order 5") << InterpMethod::DivDiff << 5;
    QTest::newRow("no method") << InterpMethod::None << 0;
}

void TestInterp::endPointsCarriedOver() {
    QFETCH(InterpMethod, method);
    QFETCH(int, nPoly);

    // 21 points at equal angle steps, leading edge at point 11; the ends and the leading edge
    // carry y values no neighbour would interpolate to.
    Module_Common ws;
    ws.Pi = kPi;
    ws.N = 21;
    ws.iLE = 11;
    for (int k = 1; k <= ws.N; ++k) {
        const double theta = 2 * kPi * (k - 1) / 20;
        ws.X[k] = (1 + std::cos(theta)) / 2;
        ws.Y[k] = 0.06 * std::sin(theta);
    }
    ws.Y[1] = 0.0021;
    ws.Y[11] = 0.0107;
    ws.Y[21] = -0.0033;
    // Only new points that meet a file point can be computed without a method.
    ws.NI = method == InterpMethod::None ? 11.0 : 31.0;
    DistrAlongTeta(ws);

    QCOMPARE(InterpNewPoints(ws, method, nPoly, dumpPath()), std::nullopt);
    const int last = wholeCount(ws.niValue());
    QCOMPARE(ws.YN[1], ws.Y[1]);
    QCOMPARE(ws.YN[(last + 1) / 2], ws.Y[11]);
    QCOMPARE(ws.YN[last], ws.Y[21]);
}

void TestInterp::windowPlacement_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("nPoly");
    QTest::addColumn<double>("TetaN");
    QTest::addColumn<int>("iStart");

    // Ten points at angles 0..9.
    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        const char *name = method == InterpMethod::Lagrange ? "Lagrange" : "divided differences";
        QTest::addRow("%s order 4 first interval", name) << method << 4 << 0.5 << 1;
        QTest::addRow("%s order 4 second interval", name) << method << 4 << 1.5 << 1;
        QTest::addRow("%s order 4 middle", name) << method << 4 << 4.5 << 3;
        QTest::addRow("%s order 4 last interval", name) << method << 4 << 8.5 << 6;
        QTest::addRow("%s order 3 middle", name) << method << 3 << 4.5 << 4;
        QTest::addRow("%s order 9 whole file", name) << method << 9 << 4.5 << 1;
    }
}

void TestInterp::windowPlacement() {
    QFETCH(InterpMethod, method);
    QFETCH(int, nPoly);
    QFETCH(double, TetaN);
    QFETCH(int, iStart);

    // Only the expected window is flat: any other would bend the curve away from 0.3.
    Module_Common ws = driverSet(10);
    for (int i = 1; i <= ws.N; ++i)
        ws.Y[i] = (i >= iStart && i <= iStart + nPoly) ? 0.3 : 5.0 + i;
    ws.TetaN[1] = TetaN;
    QCOMPARE(InterpNewPoints(ws, method, nPoly, dumpPath()), std::nullopt);
    QVERIFY2(std::fabs(ws.YN[1] - 0.3) <= 1e-12, qPrintable(QString::number(ws.YN[1], 'g', 17)));
}

void TestInterp::orderField_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("N");
    QTest::addColumn<double>("order");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("storedOrder");

    const QString whole = QStringLiteral(
        "nPoly = %1 is not a whole number from 0 to 100: type a whole order from 0 to 100.");
    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        const char *name = method == InterpMethod::Lagrange ? "Lagrange" : "divided differences";
        QTest::addRow("%s N - 1 accepted", name) << method << 6 << 5.0 << QString() << 5.0;
        QTest::addRow("%s N refused", name)
            << method << 6 << 6.0 << QStringLiteral("nPoly must be lower then 6") << 6.0;
        QTest::addRow("%s above N refused first", name)
            << method << 6 << 101.5 << QStringLiteral("nPoly must be lower then 6") << 101.5;
        QTest::addRow("%s negative", name) << method << 150 << -1.0 << whole.arg("-1") << -1.0;
        QTest::addRow("%s fractional", name) << method << 150 << 2.5 << whole.arg("2.5") << 2.5;
        QTest::addRow("%s 101", name) << method << 150 << 101.0 << whole.arg("101") << 101.0;
        QTest::addRow("%s 100 accepted", name) << method << 150 << 100.0 << QString() << 100.0;
        QTest::addRow("%s 0 accepted", name) << method << 150 << 0.0 << QString() << 0.0;
    }
    QTest::newRow("no method leaves nPoly") << InterpMethod::None << 6 << 500.0 << QString() << 3.0;
}

void TestInterp::orderField() {
    QFETCH(InterpMethod, method);
    QFETCH(int, N);
    QFETCH(double, order);
    QFETCH(QString, message);
    QFETCH(double, storedOrder);

    Module_Common ws = driverSet(N);
    ws.NI = 0.0; // the checks only
    fillTable(kSentinel);
    const auto result = InterpNewPoints(ws, method, order, dumpPath());
    QCOMPARE(result.value_or(QString()), message);
    QCOMPARE(ws.nPoly, storedOrder);
    // The table is built only for divided differences that passed the checks.
    const bool built = method == InterpMethod::DivDiff && message.isEmpty();
    QCOMPARE(DD()[1][0] != kSentinel, built);
    QCOMPARE(QFileInfo::exists(dumpPath()), built);
}

void TestInterp::orderZeroTakesLowerY_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<double>("TetaN");
    QTest::addColumn<double>("expected");

    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        const char *name = method == InterpMethod::Lagrange ? "Lagrange" : "divided differences";
        QTest::addRow("%s first interval", name) << method << 0.4 << 10.0;
        QTest::addRow("%s near upper end", name) << method << 3.9 << 40.0;
        QTest::addRow("%s last interval", name) << method << 8.99 << 90.0;
    }
}

void TestInterp::orderZeroTakesLowerY() {
    QFETCH(InterpMethod, method);
    QFETCH(double, TetaN);
    QFETCH(double, expected);

    Module_Common ws = driverSet(10);
    ws.TetaN[1] = TetaN;
    QCOMPARE(InterpNewPoints(ws, method, 0, dumpPath()), std::nullopt);
    QCOMPARE(ws.YN[1], expected);
}

void TestInterp::equalAngles_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("nPoly");
    QTest::addColumn<QList<int>>("changed"); // pairs: point, new angle
    QTest::addColumn<double>("TetaN");
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("x");

    // Angles 0..9 at points 1..10, x = i / 10.
    QTest::newRow("table: neighbours")
        << InterpMethod::DivDiff << 1 << QList<int>{5, 3} << 7.5 << "4 and 5"
        << "0.4";
    QTest::newRow("table: two apart")
        << InterpMethod::DivDiff << 1 << QList<int>{5, 2} << 7.5 << "3 and 5"
        << "0.3";
    QTest::newRow("table: order 1 before order 2")
        << InterpMethod::DivDiff << 1 << QList<int>{4, 1, 8, 6} << 0.5 << "7 and 8"
        << "0.7";
    QTest::newRow("table: five apart")
        << InterpMethod::DivDiff << 1 << QList<int>{6, 0} << 2.5 << "1 and 6"
        << "0.1";
    QTest::newRow("table: six apart is never compared")
        << InterpMethod::DivDiff << 1 << QList<int>{7, 0} << 2.5 << QString() << QString();
    QTest::newRow("Lagrange: pair inside the window")
        << InterpMethod::Lagrange << 4 << QList<int>{5, 3} << 5.5 << "4 and 5"
        << "0.4";
    QTest::newRow("Lagrange: pair two apart inside the window")
        << InterpMethod::Lagrange << 4 << QList<int>{6, 3, 5, 4} << 3.5 << "4 and 6"
        << "0.4";
    QTest::newRow("Lagrange: pair outside the window")
        << InterpMethod::Lagrange << 4 << QList<int>{5, 3} << 7.5 << QString() << QString();
}

void TestInterp::equalAngles() {
    QFETCH(InterpMethod, method);
    QFETCH(int, nPoly);
    QFETCH(QList<int>, changed);
    QFETCH(double, TetaN);
    QFETCH(QString, pair);
    QFETCH(QString, x);

    Module_Common ws = driverSet(10);
    for (qsizetype c = 0; c + 1 < changed.size(); c += 2)
        ws.Teta[changed[c]] = changed[c + 1];
    ws.TetaN[1] = TetaN;
    const auto result = InterpNewPoints(ws, method, nPoly, dumpPath());
    if (pair.isEmpty()) {
        QCOMPARE(result, std::nullopt);
        QVERIFY(ws.YN[1] != kSentinel);
        return;
    }
    QCOMPARE(result.value_or(QString()),
             QStringLiteral("Points %1 have the same angle (x = %2), so the interpolation would "
                            "divide by zero: remove one of the two points from the file.")
                 .arg(pair, x));
    QCOMPARE(ws.YN[1], kSentinel);
    if (method == InterpMethod::DivDiff)
        QVERIFY(!QFileInfo::exists(dumpPath()));
}

void TestInterp::notFinite_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<QList<double>>("ys");
    QTest::addColumn<int>("nPoly");
    QTest::addColumn<QString>("message");

    const double inf = std::numeric_limits<double>::infinity();
    const QString interpolated =
        QStringLiteral("The interpolated y of new point 1 (x = 0.25) is not a finite number: "
                       "use a lower nPoly or check the file's y values.");
    // At angle 0.5 the weights of the first two points add up to more than 1.
    QTest::newRow("Lagrange sum overflows")
        << InterpMethod::Lagrange << QList<double>{kMax, kMax, -kMax} << 2 << interpolated;
    // The table is refused before it is kept or written.
    QTest::newRow("divided difference overflows")
        << InterpMethod::DivDiff << QList<double>{kMax, kMax, -kMax} << 2
        << QStringLiteral("The divided differences of points 2 to 3 are not finite numbers: "
                          "check the file's y values.");
    QTest::newRow("Lagrange infinite y")
        << InterpMethod::Lagrange << QList<double>{1, inf, 2} << 1 << interpolated;
    QTest::newRow("divided differences infinite y")
        << InterpMethod::DivDiff << QList<double>{1, inf, 2} << 1
        << QStringLiteral("The divided differences of points 1 to 2 are not finite numbers: "
                          "check the file's y values.");
}

void TestInterp::notFinite() {
    QFETCH(InterpMethod, method);
    QFETCH(QList<double>, ys);
    QFETCH(int, nPoly);
    QFETCH(QString, message);

    Module_Common ws = driverSet(6);
    for (int i = 0; i < ys.size(); ++i)
        ws.Y[i + 1] = ys[i];
    ws.TetaN[1] = 0.5;
    DD()[2][1] = 0.75;
    QCOMPARE(InterpNewPoints(ws, method, nPoly, dumpPath()).value_or(QString()), message);
    QCOMPARE(ws.YN[1], kSentinel);
    if (method == InterpMethod::DivDiff) {
        QCOMPARE(DD()[2][1], 0.75);
        QVERIFY(!QFileInfo::exists(dumpPath()));
    }
}

void TestInterp::notBetween_data() {
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<int>("N");
    QTest::addColumn<double>("firstAngle");
    QTest::addColumn<double>("TetaN");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("expected");

    const QString outside =
        QStringLiteral("Interpolation point x = 0.25 is not between the given airfoil points");
    QTest::newRow("Lagrange before the first angle")
        << InterpMethod::Lagrange << 6 << 0.1 << 0.05 << outside << kSentinel;
    QTest::newRow("divided differences after the last angle")
        << InterpMethod::DivDiff << 6 << 0.0 << 5.5 << outside << kSentinel;
    QTest::newRow("no method inside an interval")
        << InterpMethod::None << 6 << 0.0 << 2.5 << outside << kSentinel;
    QTest::newRow("no method on a point")
        << InterpMethod::None << 6 << 0.0 << 3.0 << QString() << 40.0;
    QTest::newRow("no method with one point")
        << InterpMethod::None << 1 << 0.0 << 0.0 << outside << kSentinel;
}

void TestInterp::notBetween() {
    QFETCH(InterpMethod, method);
    QFETCH(int, N);
    QFETCH(double, firstAngle);
    QFETCH(double, TetaN);
    QFETCH(QString, message);
    QFETCH(double, expected);

    Module_Common ws = driverSet(N);
    ws.Teta[1] = firstAngle;
    ws.TetaN[1] = TetaN;
    QCOMPARE(InterpNewPoints(ws, method, 1, dumpPath()).value_or(QString()), message);
    QCOMPARE(ws.YN[1], expected);
}

void TestInterp::fewerThanOnePoint_data() {
    QTest::addColumn<std::optional<double>>("NI");
    QTest::newRow("unset") << std::optional<double>();
    QTest::newRow("zero") << std::optional<double>(0.0);
    QTest::newRow("half") << std::optional<double>(0.5);
    QTest::newRow("negative") << std::optional<double>(-3.0);
    QTest::newRow("minus infinity")
        << std::optional<double>(-std::numeric_limits<double>::infinity());
}

void TestInterp::fewerThanOnePoint() {
    QFETCH(std::optional<double>, NI);

    for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
        Module_Common ws = driverSet(6);
        ws.NI = NI;
        ws.TetaN[1] = 2.5;
        QCOMPARE(InterpNewPoints(ws, method, 1, dumpPath()), std::nullopt);
        for (int i = 0; i <= MaxIndex; ++i)
            QCOMPARE(ws.YN[i], kSentinel);
    }
}

QTEST_GUILESS_MAIN(TestInterp)
#include "tst_interp.moc"
