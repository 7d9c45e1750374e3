// SPDX-License-Identifier: MIT
#include "numerics/Calculation.h"
#include "numerics/ContourDiagnostics.h"
#include "numerics/QualityFigures.h"
#include "support/Contours.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <numbers>

using namespace tessaro;
using Values = std::vector<double>;

static Values curvatures(const Contour &contour) {
    Values x, y;
    for (const auto &[px, py] : contour)
        x.push_back(px), y.push_back(py);
    return pointCurvatures(x, y);
}

class tst_ContourDiagnostics : public QObject {
    Q_OBJECT

  private slots:
    void curvatureOfACircle_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("step"); // angle from one point to the next
        QTest::newRow("r 0.5 counter-clockwise") << 0.5 << std::numbers::pi / 20;
        QTest::newRow("r 0.01 clockwise: still positive") << 0.01 << -std::numbers::pi / 20;
    }
    void curvatureOfACircle() {
        QFETCH(double, r);
        QFETCH(double, step);
        Contour circle;
        for (int i = 0; i < 40; ++i)
            circle.emplace_back(r * std::cos(step * i), r * std::sin(step * i));
        const Values k = curvatures(circle);
        QCOMPARE(k.size(), circle.size());
        QVERIFY(std::isnan(k.front()) && std::isnan(k.back()));
        for (std::size_t i = 1; i + 1 < k.size(); ++i)
            QVERIFY2(std::fabs(k[i] * r - 1) < 1e-12, qPrintable(QString::number(k[i] * r)));
    }

    // A dent turns against the contour: a negative spike between two positive neighbours, and
    // nothing changes beyond them. A point typed twice has no curvature at either copy.
    void curvatureAtDamagedPoints() {
        Contour section = nacaSymmetric(61);
        const Values before = curvatures(section);
        const std::size_t moved = 12;
        section[moved].second -= 0.004;
        const Values after = curvatures(section);
        QVERIFY(after[moved] < -10 * std::fabs(before[moved]));
        QVERIFY(after[moved - 1] > 0 && after[moved + 1] > 0);
        for (std::size_t i = 1; i + 1 < after.size(); ++i) {
            QVERIFY(before[i] > 0); // a convex section turns one way only
            if (i + 1 < moved || i > moved + 1)
                QCOMPARE(after[i], before[i]);
        }
        section[moved] = section[moved + 1];
        const Values repeated = curvatures(section);
        QVERIFY(std::isnan(repeated[moved]) && std::isnan(repeated[moved + 1]));
    }

    void distancesFromPolygon_data() {
        QTest::addColumn<Values>("polyX");
        QTest::addColumn<Values>("polyY");
        QTest::addColumn<Values>("expected");
        // Points: (0,0) a corner, (1,1) on a segment, (3,3) past a corner,
        // (1,-1) nearer the missing closing side than the polygon.
        QTest::newRow("open polygon")
            << Values{0, 2, 2} << Values{0, 2, 0} << Values{0, 0, std::sqrt(2.0), std::sqrt(2.0)};
        QTest::newRow("one point")
            << Values{1} << Values{1} << Values{std::sqrt(2.0), 0, std::sqrt(8.0), 2};
    }
    void distancesFromPolygon() {
        QFETCH(Values, polyX);
        QFETCH(Values, polyY);
        QFETCH(Values, expected);
        const Values x{0, 1, 3, 1}, y{0, 1, 3, -1};
        const Values d = tessaro::distancesFromPolygon(x, y, polyX, polyY);
        QCOMPARE(d.size(), expected.size());
        for (std::size_t i = 0; i < d.size(); ++i)
            QVERIFY2(std::fabs(d[i] - expected[i]) < 1e-15, qPrintable(QString::number(i)));
    }

    // The search passes over blocks of segments by their boxes; on a polygon that folds back on
    // itself many times it still finds exactly what a scan of every segment finds.
    void distancesFromPolygonMatchAFullScan() {
        Values polyX, polyY, x, y;
        for (int i = 0; i < 203; ++i) {
            polyX.push_back(std::cos(0.37 * i) * (1 + 0.002 * i));
            polyY.push_back(std::sin(0.91 * i) * 0.3);
        }
        for (int k = 0; k < 300; ++k) {
            x.push_back(1.2 * std::sin(1.7 * k));
            y.push_back(0.4 * std::cos(2.3 * k));
        }
        const Values d = tessaro::distancesFromPolygon(x, y, polyX, polyY);
        for (std::size_t k = 0; k < x.size(); ++k) {
            double best = std::numeric_limits<double>::infinity();
            for (std::size_t i = 0; i + 1 < polyX.size(); ++i)
                best = std::min(best, tessaro::segmentDistance(x[k], y[k], polyX[i], polyY[i],
                                                               polyX[i + 1], polyY[i + 1]));
            QCOMPARE(d[k], best);
        }
    }

    // After a real calculation the new points at both trailing-edge ends lie on points read, the
    // order check is the largest per-point miss, and a point read moved off the section stands
    // out in the misses of its neighbours' predictions.
    void inspectionAfterCalculation() {
        Contour section = nacaSymmetric(41);
        const int moved = 30; // on the lower surface, 1-based 31
        section[moved].second += 0.003;
        Module_Common ws;
        ws.Pi = std::numbers::pi, ws.FileLoaded = true, ws.N = int(section.size());
        for (int i = 1; i <= ws.N; ++i)
            std::tie(ws.X[i], ws.Y[i]) = section[i - 1];
        QCOMPARE(Calculate(ws, {InterpMethod::Lagrange, 81, 3, QString()}), std::nullopt);

        const ContourInspection view = inspectContour(ws, InterpMethod::Lagrange);
        QCOMPARE(view.deviationN.size(), std::size_t(81));
        QCOMPARE(std::pair(view.deviationN.front(), view.deviationN.back()), std::pair(0.0, 0.0));
        QVERIFY(!view.miss.front() && !view.miss.back());
        const std::optional<FigureOfMerit> check = OrderCheck(ws, InterpMethod::Lagrange);
        const auto worst = std::max_element(view.miss.begin(), view.miss.end());
        QVERIFY(check && **worst > 1e-3);
        QCOMPARE(std::pair(**worst, int(worst - view.miss.begin()) + 1),
                 std::pair(check->value, moved + 1));
        QVERIFY(inspectContour(ws, InterpMethod::None).miss.empty());
        // The stray warning reads the deviation plotted, at the new point where it is largest.
        const auto farthest = std::max_element(view.deviationN.begin(), view.deviationN.end());
        const std::optional<FigureOfMerit> stray = worstNewPointDeviation(ws);
        const int k = int(farthest - view.deviationN.begin()) + 1;
        QVERIFY(stray && stray->value > 0);
        QCOMPARE(std::tuple(stray->value, stray->k, stray->x), std::tuple(*farthest, k, ws.XN[k]));
    }
};

QTEST_GUILESS_MAIN(tst_ContourDiagnostics)
#include "tst_contourdiagnostics.moc"
