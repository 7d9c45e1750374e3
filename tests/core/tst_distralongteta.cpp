// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "common/NumberText.h"
#include "numerics/Module_DistrAlongTeta.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <cmath>

using namespace tessaro;

namespace {

const double kPi = 4.0 * std::atan(1.0);
// Marks entries the distribution must leave alone.
constexpr double kUntouched = -7.25;

Module_Common freshSet() {
    Module_Common ws;
    ws.Pi = kPi;
    ws.TetaN.fill(kUntouched);
    ws.XN.fill(kUntouched);
    ws.Teta.fill(kUntouched);
    ws.YN.fill(kUntouched);
    return ws;
}

} // namespace

class TestDistrAlongTeta : public QObject {
    Q_OBJECT

  private slots:
    void newPointCount_data();
    void newPointCount();
    void newPointValues_data();
    void newPointValues();
    void fileAngles_data();
    void fileAngles();
    void mirrorStart_data();
    void mirrorStart();
    void beyondToleranceIsNotClamped();
    void realContourRoundTrip();
};

void TestDistrAlongTeta::newPointCount_data() {
    QTest::addColumn<double>("NI");
    QTest::addColumn<int>("written");

    QTest::newRow("51 points") << 51.0 << 51;
    QTest::newRow("fraction 51.7 gives 51") << 51.7 << 51;
    QTest::newRow("two points") << 2.0 << 2;
    QTest::newRow("one point stays finite") << 1.0 << 1;
    QTest::newRow("between one and two") << 1.5 << 1;
    QTest::newRow("zero writes none") << 0.0 << 0;
    QTest::newRow("negative writes none") << -4.0 << 0;
    QTest::newRow("NaN writes none") << std::nan("") << 0;
    QTest::newRow("capped at 1000") << 2500.0 << 1000;
}

void TestDistrAlongTeta::newPointCount() {
    QFETCH(double, NI);
    QFETCH(int, written);

    Module_Common ws = freshSet();
    ws.NI = NI;
    ws.N = 2;
    ws.iLE = 2;
    ws.X[1] = 0.75;
    ws.X[2] = 0.75;
    DistrAlongTeta(ws);

    // File points get their angles whatever the count.
    QVERIFY(std::fabs(ws.Teta[1] - kPi / 3) <= 1e-14);
    QVERIFY(std::fabs(ws.Teta[2] - 5 * kPi / 3) <= 1e-14);
    QCOMPARE(ws.TetaN[0], kUntouched);
    QCOMPARE(ws.XN[0], kUntouched);
    for (int i = 1; i <= MaxIndex; ++i) {
        if (i <= written) {
            QVERIFY2(std::isfinite(ws.TetaN[i]) && std::isfinite(ws.XN[i]),
                     qPrintable(QStringLiteral("point %1").arg(i)));
            QVERIFY(ws.XN[i] >= 0 && ws.XN[i] <= 1);
        } else {
            QCOMPARE(ws.TetaN[i], kUntouched);
            QCOMPARE(ws.XN[i], kUntouched);
        }
    }
    // Y and YN belong to the interpolation.
    QCOMPARE(ws.YN[1], kUntouched);
}

void TestDistrAlongTeta::newPointValues_data() {
    QTest::addColumn<double>("NI");
    QTest::addColumn<int>("i");
    QTest::addColumn<double>("expectedTetaN");
    QTest::addColumn<double>("expectedXN");
    QTest::addColumn<double>("tolerance");

    const double step51 = 2 * kPi / 50;
    QTest::newRow("NI 51 first on the trailing edge") << 51.0 << 1 << 0.0 << 1.0 << 0.0;
    QTest::newRow("NI 51 step") << 51.0 << 2 << step51 << (std::cos(step51) + 1) / 2 << 1e-15;
    QTest::newRow("NI 51 leading edge exactly 0") << 51.0 << 26 << kPi << 0.0 << 0.0;
    QTest::newRow("NI 51 before leading edge")
        << 51.0 << 25 << 24 * step51 << 0.0039426493 << 1e-10;
    QTest::newRow("NI 51 after leading edge") << 51.0 << 27 << 26 * step51 << 0.0039426493 << 1e-10;
    QTest::newRow("NI 51 last") << 51.0 << 51 << 2 * kPi << 1.0 << 1e-15;
    QTest::newRow("NI 50 pair around leading edge 25")
        << 50.0 << 25 << 24 * (2 * kPi / 49) << 0.0010273036 << 1e-10;
    QTest::newRow("NI 50 pair around leading edge 26")
        << 50.0 << 26 << 25 * (2 * kPi / 49) << 0.0010273036 << 1e-10;
    QTest::newRow("NI 51.7 unrounded step") << 51.7 << 51 << 6.1964352 << 0.9981198 << 1e-7;
    QTest::newRow("NI 2 first") << 2.0 << 1 << 0.0 << 1.0 << 0.0;
    QTest::newRow("NI 2 second") << 2.0 << 2 << 2 * kPi << 1.0 << 1e-15;
}

void TestDistrAlongTeta::newPointValues() {
    QFETCH(double, NI);
    QFETCH(int, i);
    QFETCH(double, expectedTetaN);
    QFETCH(double, expectedXN);
    QFETCH(double, tolerance);

    Module_Common ws = freshSet();
    ws.NI = NI;
    DistrAlongTeta(ws);

    if (tolerance == 0) {
        QCOMPARE(ws.XN[i], expectedXN);
    } else {
        QVERIFY2(std::fabs(ws.XN[i] - expectedXN) <= tolerance,
                 qPrintable(QStringLiteral("XN = %1").arg(ws.XN[i], 0, 'g', 17)));
    }
    QVERIFY2(std::fabs(ws.TetaN[i] - expectedTetaN) <= std::max(tolerance, 1e-14),
             qPrintable(QStringLiteral("TetaN = %1").arg(ws.TetaN[i], 0, 'g', 17)));
}

void TestDistrAlongTeta::fileAngles_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("lower");

    QTest::newRow("trailing edge") << 1.0 << 0.0 << 2 * kPi;
    QTest::newRow("three quarters") << 0.75 << kPi / 3 << 5 * kPi / 3;
    QTest::newRow("mid chord") << 0.5 << kPi / 2 << 3 * kPi / 2;
    QTest::newRow("one quarter") << 0.25 << 2 * kPi / 3 << 4 * kPi / 3;
    QTest::newRow("leading edge") << 0.0 << kPi << kPi;
    QTest::newRow("just past trailing edge") << 1.0 + 1e-12 << 0.0 << 2 * kPi;
    QTest::newRow("inside tolerance past trailing edge") << 1.0 + 0.9e-9 << 0.0 << 2 * kPi;
    QTest::newRow("just ahead of leading edge") << -1e-12 << kPi << kPi;
}

void TestDistrAlongTeta::fileAngles() {
    QFETCH(double, x);
    QFETCH(double, upper);
    QFETCH(double, lower);

    // Point 9 lies before the leading edge index, point 10 on it.
    Module_Common ws = freshSet();
    ws.N = 12;
    ws.iLE = 10;
    ws.X.fill(0.5);
    ws.X[9] = x;
    ws.X[10] = x;
    DistrAlongTeta(ws);

    QVERIFY2(std::fabs(ws.Teta[9] - upper) <= 1e-14,
             qPrintable(QStringLiteral("upper %1").arg(ws.Teta[9], 0, 'g', 17)));
    QVERIFY2(std::fabs(ws.Teta[10] - lower) <= 1e-14,
             qPrintable(QStringLiteral("lower %1").arg(ws.Teta[10], 0, 'g', 17)));
    // The clamp is for the angle only.
    QCOMPARE(ws.X[9], x);
    QCOMPARE(ws.X[10], x);
    QCOMPARE(ws.Teta[0], kUntouched);
    QCOMPARE(ws.Teta[13], kUntouched);
}

void TestDistrAlongTeta::mirrorStart_data() {
    QTest::addColumn<int>("iLE");
    QTest::addColumn<int>("firstMirrored");

    QTest::newRow("iLE 0 mirrors every point") << 0 << 1;
    QTest::newRow("iLE 1 mirrors every point") << 1 << 1;
    QTest::newRow("iLE 3 mirrors from 3") << 3 << 3;
    QTest::newRow("iLE past N mirrors none") << 6 << 6;
}

void TestDistrAlongTeta::mirrorStart() {
    QFETCH(int, iLE);
    QFETCH(int, firstMirrored);

    const double xs[] = {1.0, 0.75, 0.5, 0.25, 0.0};
    const double upper[] = {0.0, kPi / 3, kPi / 2, 2 * kPi / 3, kPi};
    Module_Common ws = freshSet();
    ws.N = 5;
    ws.iLE = iLE;
    for (int k = 1; k <= 5; ++k)
        ws.X[k] = xs[k - 1];
    DistrAlongTeta(ws);

    for (int k = 1; k <= 5; ++k) {
        const double expected = k >= firstMirrored ? 2 * kPi - upper[k - 1] : upper[k - 1];
        QVERIFY2(std::fabs(ws.Teta[k] - expected) <= 1e-14,
                 qPrintable(QStringLiteral("k = %1: %2").arg(k).arg(ws.Teta[k], 0, 'g', 17)));
    }
}

void TestDistrAlongTeta::beyondToleranceIsNotClamped() {
    // Such points are refused before the distribution runs; here they must not pass for an end.
    Module_Common ws = freshSet();
    ws.N = 2;
    ws.iLE = 2;
    ws.X[1] = 1.0 + 1e-8;
    ws.X[2] = -1e-8;
    DistrAlongTeta(ws);
    QVERIFY(!std::isfinite(ws.Teta[1]));
    QVERIFY(!std::isfinite(ws.Teta[2]));
}

void TestDistrAlongTeta::realContourRoundTrip() {
    const QString path =
        QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(QStringLiteral("naca0012.arf"));
    if (!QFileInfo::exists(path))
        QSKIP("shared airfoil files not present");

    Module_Common ws = freshSet();
    QVERIFY(readContour(path, ws));
    QCOMPARE(ws.N, 131);
    // Leading edge as the calculation finds it: the last point whose x falls.
    for (int i = 2; i <= ws.N; ++i) {
        if (ws.X[i] < ws.X[i - 1])
            ws.iLE = i;
    }
    QCOMPARE(ws.X[ws.iLE], 0.0);
    DistrAlongTeta(ws);

    for (int k = 1; k <= ws.N; ++k) {
        QVERIFY2(std::fabs((1 + std::cos(ws.Teta[k])) / 2 - ws.X[k]) <= 1e-12,
                 qPrintable(QStringLiteral("point %1").arg(k)));
        if (k > 1)
            QVERIFY2(ws.Teta[k] > ws.Teta[k - 1], qPrintable(QStringLiteral("point %1").arg(k)));
    }
    QCOMPARE(ws.Teta[1], 0.0);
    QCOMPARE(ws.Teta[ws.N], 2 * kPi);
}

QTEST_GUILESS_MAIN(TestDistrAlongTeta)
#include "tst_distralongteta.moc"
