// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "numerics/QualityFigures.h"
#include "support/Contours.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessaro;
using Figures = std::optional<FigureOfMerit>;
Q_DECLARE_METATYPE(InterpMethod)
Q_DECLARE_METATYPE(Contour)

namespace {

const double kPi = 4.0 * std::atan(1.0);

// The points as read; with angles, each pair is (Teta, Y) and x lies on the chord circle.
Module_Common workingSet(const Contour &points, bool angles = false, double nPoly = 0) {
    Module_Common ws;
    ws.Pi = kPi, ws.FileLoaded = true, ws.N = int(points.size()), ws.nPoly = nPoly;
    for (int i = 1; i <= ws.N; ++i) {
        std::tie(angles ? ws.Teta[i] : ws.X[i], ws.Y[i]) = points[i - 1];
        ws.X[i] = angles ? (1 + std::cos(ws.Teta[i])) / 2 : ws.X[i];
    }
    return ws;
}

// Value and point of a figure, compared bit for bit; (-1, 0) for none.
std::pair<double, int> key(const Figures &f) {
    return f ? std::pair(f->value, f->k) : std::pair(-1.0, 0);
}

// Leaves each point out for real and asks the driver itself for a new point at its angle.
Figures slowOrderCheck(const Module_Common &ws, InterpMethod method, const QString &dump) {
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-6; };
    const int n = int(ws.nPoly);
    Figures worst;
    for (int k = 2; k <= ws.N - 1; ++k) {
        Module_Common r = ws;
        for (PointArray *a : {&r.X, &r.Y, &r.Teta})
            std::copy(a->begin() + k + 1, a->begin() + ws.N + 1, a->begin() + k);
        r.N = ws.N - 1, r.NI = 1.0;
        const double T = r.TetaN[1] = ws.Teta[k];
        int i = 1;
        while (i < r.N && !near(T, r.Teta[i]) && !near(T, r.Teta[i + 1]) &&
               !(r.Teta[i] < T && T < r.Teta[i + 1]))
            ++i;
        // A window holding two equal angles predicts nothing.
        bool equal = false;
        if (i < r.N && !near(T, r.Teta[i]) && !near(T, r.Teta[i + 1])) {
            const int iStart = std::min(std::max(i - n / 2, 1), r.N - n);
            for (int a = iStart; a <= iStart + n; ++a)
                for (int b = a + 1; b <= iStart + n; ++b)
                    equal = equal || r.Teta[a] == r.Teta[b];
        }
        if (equal || InterpNewPoints(r, method, ws.nPoly, dump))
            continue;
        if (const double e = std::fabs(r.YN[1] - ws.Y[k]); !worst || e > worst->value)
            worst = FigureOfMerit{e, k, ws.X[k]};
    }
    return worst;
}

// Every point read against every segment.
Figures slowPanelFit(const Module_Common &ws) {
    const int count = wholeCount(ws.niValue());
    Figures worst;
    for (int k = 1; k <= ws.N && count > 0; ++k) {
        double best = std::numeric_limits<double>::infinity();
        for (int i = 1, j = std::min(2, count); i <= std::max(count - 1, 1); j = ++i + 1)
            best = std::min(
                best, segmentDistance(ws.X[k], ws.Y[k], ws.XN[i], ws.YN[i], ws.XN[j], ws.YN[j]));
        if (!worst || best > worst->value)
            worst = FigureOfMerit{best, k, ws.X[k]};
    }
    return worst;
}

} // namespace

class TestQualityFigures : public QObject {
    Q_OBJECT
    QTemporaryDir dir{QDir(QStringLiteral("/dev/shm")).exists()
                          ? QStringLiteral("/dev/shm/tessaro-quality-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/tessaro-quality-XXXXXX")};
    QString dump() const { return dir.filePath(QStringLiteral("DivDif.text")); }
    static const char *name(InterpMethod m) {
        return m == InterpMethod::Lagrange ? "Lagrange" : "Newton";
    }

  private slots:
    void craftedContours_data() {
        QTest::addColumn<bool>("orderCheck"); // else the panel fit
        QTest::addColumn<Contour>("points");  // order check: (Teta, Y)
        QTest::addColumn<double>("param");    // order, or NI
        QTest::addColumn<double>("value");    // -1: only the slow definition decides
        QTest::addColumn<int>("k");           // 0: no figure, -1: rounding decides where
        Contour parabola;
        for (int i = 0; i <= 10; ++i)
            parabola.emplace_back(0.1 * i, 0.01 * i * i);
        // Linear through the neighbours of a point on y = t^2 misses it by the step squared.
        QTest::newRow("order 1 on a parabola") << true << parabola << 1.0 << 0.01 << -1;
        QTest::newRow("neighbour within 1e-6 gives its y, first of a tie")
            << true << Contour{{0, 0}, {1, 1}, {1.0000005, 1.25}, {2, 2}, {3, 3}} << 1.0 << 0.25
            << 2;
        QTest::newRow("windows with equal angles are passed over")
            << true << Contour{{0, 0}, {1, 1}, {2, 2}, {2, 2.5}, {3, 3}, {4, 4}} << 2.0 << 0.5 << 3;
        // Newton above order 5 would not divide by the 7th point's angle: the rule alone skips it.
        Contour sixApart{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}, {7, 0}, {8, 0}};
        sixApart.emplace_back(2, 0);
        QTest::newRow("above order 5, equal angles six apart")
            << true << sixApart << 6.0 << -1.0 << -1;
        QTest::newRow("no interval settles any point")
            << true << Contour{{0, 0}, {3, 1}, {0.5, 2}} << 1.0 << 0.0 << 0;
        QTest::newRow("fewer than order + 2 points")
            << true << Contour(parabola.begin(), parabola.begin() + 5) << 4.0 << 0.0 << 0;
        // The new points are (0, 0), (1, 0), (1, 1), (0, 1).
        QTest::newRow("panel fit: beyond a segment's end")
            << false << Contour{{0.5, 0.1}, {1.3, -0.4}} << 4.0 << 0.5 << 2;
        QTest::newRow("panel fit: on a vertex, on a segment; the polygon stays open")
            << false << Contour{{1, 0}, {0.5, 1}, {0.2, 0.3}} << 4.0 << 0.3 << 3;
        QTest::newRow("panel fit: ties go to the first")
            << false << Contour{{0.5, 0.25}, {0.5, 0.75}} << 4.0 << 0.25 << 1;
        QTest::newRow("panel fit: one new point, distance to it")
            << false << Contour{{0, 0.3}, {0.3, 0.4}} << 1.5 << 0.5 << 2;
        QTest::newRow("panel fit: no new point") << false << Contour{{0.5, 0.5}} << 0.5 << 0.0 << 0;
    }
    void craftedContours() {
        QFETCH(bool, orderCheck);
        QFETCH(Contour, points);
        QFETCH(double, param);
        QFETCH(double, value);
        QFETCH(int, k);
        Module_Common ws = workingSet(points, orderCheck, orderCheck ? param : 0);
        if (!orderCheck)
            ws.NI = param, ws.XN[2] = ws.XN[3] = ws.YN[3] = ws.YN[4] = 1;
        for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff}) {
            const Figures figure = orderCheck ? OrderCheck(ws, method) : PanelFit(ws);
            QCOMPARE(key(figure),
                     key(orderCheck ? slowOrderCheck(ws, method, dump()) : slowPanelFit(ws)));
            QCOMPARE(figure.has_value(), k != 0);
            QVERIFY(!figure || ((k < 0 || figure->k == k) &&
                                (value < 0 || std::fabs(figure->value - value) <= 1e-12)));
        }
        QCOMPARE(OrderCheck(ws, InterpMethod::None), std::nullopt);
    }

    void randomContours_data() {
        QTest::addColumn<InterpMethod>("method");
        QTest::addColumn<int>("order");
        for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff})
            for (const int order : {0, 1, 2, 3, 5, 6, 9})
                QTest::addRow("%s order %d", name(method), order) << method << order;
    }
    void randomContours() {
        QFETCH(InterpMethod, method);
        QFETCH(int, order);
        QRandomGenerator random(1000 * order + int(method));
        for (int run = 0; run < 4; ++run) {
            // A wavy section, calculated: angles ascend, y fits no polynomial.
            Contour points =
                nacaSymmetric(2 * random.bounded(8, 120) + 1, 0.06 + random.bounded(0.05));
            for (auto &[x, y] : points)
                y += 0.004 * std::sin(40 * x + random.bounded(6.0));
            Module_Common ws = workingSet(points);
            const double NI = run == 0 ? 1000 : 2 + random.bounded(998.0);
            QCOMPARE(Calculate(ws, {method, NI, double(order), dump()}), std::nullopt);
            QVERIFY(OrderCheck(ws, method));
            QCOMPARE(key(OrderCheck(ws, method)), key(slowOrderCheck(ws, method, dump())));
            QCOMPARE(key(PanelFit(ws)), key(slowPanelFit(ws)));

            // Scattered points whose angles are out of order, repeated and within 1e-6 of each
            // other, so searches start in the wrong place and windows and tables divide by zero.
            for (int i = 1; i <= ws.N; ++i) {
                const int pick = random.bounded(10);
                ws.Y[i] += random.bounded(0.4) - 0.2;
                ws.Teta[i] = i == 1 || pick > 5 ? random.bounded(7.0)
                             : pick == 0
                                 ? ws.Teta[std::max(1, i - random.bounded(1, 8))]
                                 : ws.Teta[i - 1] + (pick == 1 ? 0.7e-6 : random.bounded(0.3));
            }
            for (int i = 1; i <= wholeCount(NI); i += random.bounded(1, 5))
                ws.YN[i] = random.bounded(1.0) - 0.5;
            QCOMPARE(key(PanelFit(ws)), key(slowPanelFit(ws)));
            QCOMPARE(key(OrderCheck(ws, method)), key(slowOrderCheck(ws, method, dump())));
        }
    }

    void airfoils_data() {
        QTest::addColumn<InterpMethod>("method");
        QTest::addColumn<int>("N"); // 0: the shared goe776 file
        QTest::addColumn<int>("NI");
        QTest::addColumn<int>("order");
        QTest::addColumn<double>("measured"); // 0 where no figure was taken down
        const double at61[] = {0, 5.6e-4, 0, 6.5e-5, 0, 4.0e-5, 0};
        for (const InterpMethod method : {InterpMethod::Lagrange, InterpMethod::DivDiff})
            for (const auto &[N, NI] :
                 {std::pair(35, 101), std::pair(61, 161), std::pair(121, 301)})
                for (int order = 0; order <= 6; ++order)
                    QTest::addRow("NACA 0012 %s %d to %d order %d", name(method), N, NI, order)
                        << method << N << NI << order << (N == 61 ? at61[order] : 0.0);
        // The high order overshoots between the points.
        QTest::newRow("goe776 order 3") << InterpMethod::Lagrange << 0 << 161 << 3 << 2.0e-4;
        QTest::newRow("goe776 order 11") << InterpMethod::Lagrange << 0 << 161 << 11 << 3.0e-2;
    }
    void airfoils() {
        QFETCH(InterpMethod, method);
        QFETCH(int, N);
        QFETCH(int, NI);
        QFETCH(int, order);
        QFETCH(double, measured);
        Module_Common ws = workingSet(nacaSymmetric(N));
        if (N == 0) {
            const auto file = readArfFile(QStringLiteral(TESSARO_AIRFOILS_DIR "/goe776.arf"));
            if (!file)
                QSKIP("shared airfoil files not present");
            applyLoad(ws, *file);
        }
        const auto calculated = [&](int ni, int n) {
            Module_Common w = ws;
            return Calculate(w, {method, double(ni), double(n), dump()}) ? std::nullopt
                                                                         : std::optional(w);
        };
        const std::optional<Module_Common> done = calculated(NI, order);
        QVERIFY(done);
        const Figures figure = OrderCheck(*done, method);
        QVERIFY(figure && (measured == 0 || std::fabs(figure->value / measured - 1) < 0.05));
        // The check predicts across twice the spacing, so it is never below the new points'
        // largest error from the true section.
        for (int i = 1; i <= NI && N > 0; ++i) {
            const double x = done->XN[i], side = done->TetaN[i] < kPi   ? 1
                                                 : done->TetaN[i] > kPi ? -1
                                                                        : 0;
            const double t = 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x +
                                    0.2843 * x * x * x - 0.1015 * x * x * x * x);
            QVERIFY(figure->value >= std::fabs(done->YN[i] - side * t));
        }
        // From 61 points, better polynomials fit the polygon no worse; at 301 each point read is
        // also a new point.
        const auto fit = [&](int ni, int n) { return PanelFit(calculated(ni, n).value()); };
        if (N == 61 && order == 3 && NI == 161) {
            for (const int ni : {101, 161})
                QVERIFY(fit(ni, 1) && fit(ni, 3) && fit(ni, 3)->value <= fit(ni, 1)->value);
            QVERIFY(fit(301, 3) && fit(301, 3)->value < 1e-9);
        }
    }
};

QTEST_GUILESS_MAIN(TestQualityFigures)
#include "tst_qualityfigures.moc"
