// SPDX-License-Identifier: MIT
#include "numerics/Calculation.h"
#include "numerics/ContourDiagnostics.h"
#include "numerics/QualityFigures.h"
#include "support/Contours.h"

#include <QtTest>

using namespace tessaro;

namespace {

const double kPi = 4.0 * std::atan(1.0);

struct Line {
    std::vector<double> x, y;
};

// `points` points on a circle of radius r, counter-clockwise unless `clockwise`.
Line circle(int points, double r, bool clockwise) {
    Line line;
    for (int i = 0; i < points; ++i) {
        const double t = (clockwise ? -1 : 1) * 2 * kPi * i / points;
        line.x.push_back(r * std::cos(t));
        line.y.push_back(r * std::sin(t));
    }
    return line;
}

Line lineOf(const Contour &contour) {
    Line line;
    for (const auto &[x, y] : contour) {
        line.x.push_back(x);
        line.y.push_back(y);
    }
    return line;
}

} // namespace

class tst_ContourDiagnostics : public QObject {
    Q_OBJECT

  private slots:
    void curvatureOfACircle_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<bool>("clockwise");
        QTest::newRow("r 0.5 counter-clockwise") << 0.5 << false;
        QTest::newRow("r 0.01 clockwise: still positive") << 0.01 << true;
    }
    void curvatureOfACircle() {
        QFETCH(double, r);
        QFETCH(bool, clockwise);
        const Line c = circle(40, r, clockwise);
        const std::vector<double> k = pointCurvatures(c.x, c.y);
        QCOMPARE(k.size(), c.x.size());
        QVERIFY(std::isnan(k.front()) && std::isnan(k.back()));
        for (std::size_t i = 1; i + 1 < k.size(); ++i)
            QVERIFY2(std::fabs(k[i] * r - 1) < 1e-12, qPrintable(QString::number(k[i] * r)));
    }

    // A dent in the upper surface turns against the contour: a negative spike at the moved
    // point between two positive ones, and nothing changes beyond its neighbours.
    void curvatureSpikeAtAMovedPoint() {
        Line smooth = lineOf(nacaSymmetric(61));
        Line dented = smooth;
        const int moved = 12;
        dented.y[moved] -= 0.004;
        const std::vector<double> before = pointCurvatures(smooth.x, smooth.y);
        const std::vector<double> after = pointCurvatures(dented.x, dented.y);
        QVERIFY(after[moved] < -10 * std::fabs(before[moved]));
        QVERIFY(after[moved - 1] > 0 && after[moved + 1] > 0);
        for (std::size_t i = 1; i + 1 < after.size(); ++i) {
            QVERIFY(before[i] > 0); // a convex section turns one way only
            if (i + 1 < moved || i > moved + 1)
                QCOMPARE(after[i], before[i]);
        }
    }

    void curvatureUndefinedAtRepeatedPoint() {
        const std::vector<double> x{0, 1, 1, 2}, y{0, 0, 0, 1};
        const std::vector<double> k = pointCurvatures(x, y);
        QVERIFY(std::isnan(k[1]) && std::isnan(k[2]));
    }

    void distancesFromPolygon_data() {
        QTest::addColumn<std::vector<double>>("polyX");
        QTest::addColumn<std::vector<double>>("polyY");
        QTest::addColumn<std::vector<double>>("expected");
        // Points: (0,0) a corner, (1,1) on a segment, (3,3) past a corner,
        // (1,-1) nearer the missing closing side than the polygon.
        QTest::newRow("open polygon")
            << std::vector<double>{0, 2, 2} << std::vector<double>{0, 2, 0}
            << std::vector<double>{0, 0, std::sqrt(2.0), std::sqrt(2.0)};
        QTest::newRow("one point") << std::vector<double>{1} << std::vector<double>{1}
                                   << std::vector<double>{std::sqrt(2.0), 0, std::sqrt(8.0), 2};
    }
    void distancesFromPolygon() {
        QFETCH(std::vector<double>, polyX);
        QFETCH(std::vector<double>, polyY);
        QFETCH(std::vector<double>, expected);
        const std::vector<double> x{0, 1, 3, 1}, y{0, 1, 3, -1};
        const std::vector<double> d = tessaro::distancesFromPolygon(x, y, polyX, polyY);
        QCOMPARE(d.size(), expected.size());
        for (std::size_t i = 0; i < d.size(); ++i)
            QVERIFY2(std::fabs(d[i] - expected[i]) < 1e-15, qPrintable(QString::number(i)));
    }

    // The inspection after a real calculation: the new points at both trailing-edge ends lie on
    // points read (distance exactly zero), the order check is the largest per-point miss, and a
    // point read moved off the section stands out in the misses of its neighbours' predictions.
    void inspectionAfterCalculation() {
        Contour section = nacaSymmetric(41);
        const int moved = 30; // on the lower surface, 1-based 31
        section[moved].second += 0.003;
        Module_Common ws;
        ws.Pi = kPi, ws.FileLoaded = true, ws.N = int(section.size());
        for (int i = 1; i <= ws.N; ++i)
            std::tie(ws.X[i], ws.Y[i]) = section[i - 1];
        QCOMPARE(Calculate(ws, {Method::Lagrange, 81, 3, QString()}), std::nullopt);

        const ContourInspection view = inspectContour(ws, Method::Lagrange);
        QCOMPARE(view.deviationN.size(), std::size_t(81));
        QCOMPARE(view.deviationN.front(), 0.0);
        QCOMPARE(view.deviationN.back(), 0.0);
        QVERIFY(!view.miss.front() && !view.miss.back());

        const std::optional<Figure> check = OrderCheck(ws, Method::Lagrange);
        const auto worst = std::max_element(view.miss.begin(), view.miss.end());
        QVERIFY(check && **worst > 1e-3);
        QCOMPARE(std::pair(**worst, int(worst - view.miss.begin()) + 1),
                 std::pair(check->value, moved + 1));
        QVERIFY(inspectContour(ws, Method::None).miss.empty());
    }
};

QTEST_GUILESS_MAIN(tst_ContourDiagnostics)
#include "tst_contourdiagnostics.moc"
