// SPDX-License-Identifier: MIT
#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "numerics/QualityFigures.h"
#include "support/Contours.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace tessaro;
using Figures = std::optional<Figure>;

namespace {

const double kPi = 4.0 * std::atan(1.0);

Module_Common loaded(const Contour &contour) {
    Module_Common ws;
    ws.Pi = kPi;
    ws.FileLoaded = true;
    ws.N = static_cast<int>(contour.size());
    for (int i = 1; i <= ws.N; ++i)
        std::tie(ws.X[i], ws.Y[i]) = contour[i - 1];
    return ws;
}

// Points at the given angles, x on the chord circle, for checks that need no Calculate().
Module_Common anglesSet(const QList<double> &Teta, const QList<double> &Y, double nPoly) {
    Module_Common ws = loaded({});
    ws.N = static_cast<int>(Teta.size());
    ws.nPoly = nPoly;
    for (int i = 1; i <= ws.N; ++i) {
        ws.Teta[i] = Teta[i - 1];
        ws.Y[i] = Y[i - 1];
        ws.X[i] = (1 + std::cos(Teta[i - 1])) / 2;
    }
    return ws;
}

// Bit-equal figures (or both none); a difference is logged.
bool same(const Figures &a, const Figures &b) {
    if (a.has_value() == b.has_value() &&
        (!a || (a->value == b->value && a->k == b->k && a->x == b->x)))
        return true;
    qWarning("%s vs %s",
             a ? qPrintable(QString::number(a->value, 'g', 17) + " at " + QString::number(a->k))
               : "none",
             b ? qPrintable(QString::number(b->value, 'g', 17) + " at " + QString::number(b->k))
               : "none");
    return false;
}

// Leaves each point out for real and asks the driver itself for a new point at its angle.
Figures slowOrderCheck(const Module_Common &ws, Method method, const QString &dump) {
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-6; };
    const int n = static_cast<int>(ws.nPoly);
    Figures worst;
    for (int k = 2; k <= ws.N - 1; ++k) {
        Module_Common r = ws;
        for (PointArray *a : {&r.X, &r.Y, &r.Teta})
            std::copy(a->begin() + k + 1, a->begin() + ws.N + 1, a->begin() + k);
        r.N = ws.N - 1;
        r.NI = 1.0;
        const double T = r.TetaN[1] = ws.Teta[k];
        int i = 1;
        while (i < r.N && !near(T, r.Teta[i]) && !near(T, r.Teta[i + 1]) &&
               !(r.Teta[i] < T && T < r.Teta[i + 1]))
            ++i;
        if (i < r.N && !near(T, r.Teta[i]) && !near(T, r.Teta[i + 1])) {
            const int iStart = std::min(std::max(i - n / 2, 1), r.N - n);
            bool equal = false;
            for (int a = iStart; a <= iStart + n; ++a)
                for (int b = a + 1; b <= iStart + n; ++b)
                    equal = equal || r.Teta[a] == r.Teta[b];
            if (equal)
                continue;
        }
        if (InterpNewPoints(r, method, ws.nPoly, dump))
            continue;
        if (const double e = std::fabs(r.YN[1] - ws.Y[k]); !worst || e > worst->value)
            worst = Figure{e, k, ws.X[k]};
    }
    return worst;
}

// Every point read against every segment.
Figures slowPanelFit(const Module_Common &ws) {
    const int count = wholeCount(ws.niValue());
    Figures worst;
    for (int k = 1; k <= ws.N && count > 0; ++k) {
        double best = std::numeric_limits<double>::infinity();
        for (int i = 1; i <= std::max(count - 1, 1); ++i) {
            const int j = std::min(i + 1, count);
            best = std::min(
                best, segmentDistance(ws.X[k], ws.Y[k], ws.XN[i], ws.YN[i], ws.XN[j], ws.YN[j]));
        }
        if (!worst || best > worst->value)
            worst = Figure{best, k, ws.X[k]};
    }
    return worst;
}

// A wavy section through Calculate(): angles ascend, y is off any low-order polynomial.
Module_Common randomSection(QRandomGenerator &random, Method method, int order, double NI,
                            const QString &dump) {
    const int N = 2 * random.bounded(8, 120) + 1;
    Contour contour = nacaSymmetric(N, random.bounded(0.05) + 0.06);
    for (auto &[x, y] : contour)
        y += 0.004 * std::sin(40 * x + random.bounded(6.0));
    Module_Common ws = loaded(contour);
    CalculationRequest request{method, NI, double(order), dump};
    if (const auto message = Calculate(ws, request))
        qWarning() << *message;
    return ws;
}

} // namespace

Q_DECLARE_METATYPE(Method)

class TestQualityFigures : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void orderCheckCrafted_data();
    void orderCheckCrafted();
    void orderCheckRandom_data();
    void orderCheckRandom();
    void segmentDistance_data();
    void segmentDistance();
    void panelFitCrafted_data();
    void panelFitCrafted();
    void panelFitRandom();
    void nacaOrderCheck_data();
    void nacaOrderCheck();
    void nacaPanelFit();
    void goe776();

  private:
    QTemporaryDir dir{QDir(QStringLiteral("/dev/shm")).exists()
                          ? QStringLiteral("/dev/shm/tessaro-quality-XXXXXX")
                          : QDir::tempPath() + QStringLiteral("/tessaro-quality-XXXXXX")};
    QString dump() const { return dir.filePath(QStringLiteral("DivDif.text")); }
};

void TestQualityFigures::orderCheckCrafted_data() {
    QTest::addColumn<QList<double>>("Teta");
    QTest::addColumn<QList<double>>("Y");
    QTest::addColumn<int>("order");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("k"); // 0: no figure, -1: rounding decides where

    QList<double> steps;
    QList<double> squares;
    for (int i = 0; i <= 10; ++i) {
        steps << 0.1 * i;
        squares << 0.01 * i * i;
    }
    // Linear through the neighbours of a point on y = t^2 misses it by the step squared.
    QTest::newRow("order 1 on a parabola") << steps << squares << 1 << 0.01 << -1;
    QTest::newRow("order 2 on a parabola") << steps << squares << 2 << 0.0 << -1;
    QTest::newRow("neighbour within 1e-6 gives its y, first of a tie")
        << QList<double>{0, 1, 1.0000005, 2, 3} << QList<double>{0, 1, 1.25, 2, 3} << 1 << 0.25
        << 2;
    QTest::newRow("windows with equal angles are passed over")
        << QList<double>{0, 1, 2, 2, 3, 4} << QList<double>{0, 1, 2, 2.5, 3, 4} << 2 << 0.5 << 3;
    // Newton above order 5 would not divide by the 7th point's angle: the rule alone skips it.
    QTest::newRow("above order 5, equal angles six apart in a window")
        << QList<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 2}
        << QList<double>{0, 0, 0, 0, 0, 0, 1, 0, 0, 0} << 6 << -1.0 << -1;
    QTest::newRow("no interval settles any point")
        << QList<double>{0, 3, 0.5} << QList<double>{0, 1, 2} << 1 << 0.0 << 0;
    QTest::newRow("fewer than order + 2 points") << steps.mid(0, 5) << squares << 4 << 0.0 << 0;
}

void TestQualityFigures::orderCheckCrafted() {
    QFETCH(QList<double>, Teta);
    QFETCH(QList<double>, Y);
    QFETCH(int, order);
    QFETCH(double, value);
    QFETCH(int, k);

    const Module_Common ws = anglesSet(Teta, Y, order);
    for (const Method method : {Method::Lagrange, Method::DivDiff}) {
        const Figures figure = OrderCheck(ws, method);
        QVERIFY(same(figure, slowOrderCheck(ws, method, dump())));
        QCOMPARE(figure.has_value(), k != 0);
        if (figure) {
            QVERIFY(k < 0 || figure->k == k);
            QVERIFY2(value < 0 || std::fabs(figure->value - value) <= 1e-12,
                     qPrintable(QString::number(figure->value, 'g', 17)));
        }
    }
    QCOMPARE(OrderCheck(ws, Method::None), std::nullopt);
}

void TestQualityFigures::orderCheckRandom_data() {
    QTest::addColumn<Method>("method");
    QTest::addColumn<int>("order");
    for (const Method method : {Method::Lagrange, Method::DivDiff}) {
        for (const int order : {0, 1, 2, 3, 5, 6, 9})
            QTest::addRow("%s order %d", method == Method::Lagrange ? "Lagrange" : "Newton", order)
                << method << order;
    }
}

void TestQualityFigures::orderCheckRandom() {
    QFETCH(Method, method);
    QFETCH(int, order);

    QRandomGenerator random(1000 * order + int(method));
    for (int run = 0; run < 4; ++run) {
        const Module_Common section = randomSection(random, method, order, 60, dump());
        QVERIFY(OrderCheck(section, method).has_value());
        QVERIFY(same(OrderCheck(section, method), slowOrderCheck(section, method, dump())));

        // Angles out of order, repeated and within 1e-6 of each other.
        QList<double> Teta;
        QList<double> Y;
        for (int i = 0; i < 40; ++i) {
            const int pick = random.bounded(10);
            Teta << (i > 0 && pick == 0   ? Teta[random.bounded(i)]
                     : i > 0 && pick == 1 ? Teta[i - 1] + 0.7e-6
                     : i > 0 && pick < 6  ? Teta[i - 1] + random.bounded(0.3)
                                          : random.bounded(6.0));
            Y << random.bounded(1.0);
        }
        const Module_Common ws = anglesSet(Teta, Y, order);
        QVERIFY(same(OrderCheck(ws, method), slowOrderCheck(ws, method, dump())));
    }
}

void TestQualityFigures::segmentDistance_data() {
    QTest::addColumn<QList<double>>("pab"); // px, py, ax, ay, bx, by
    QTest::addColumn<double>("distance");
    QTest::newRow("foot inside") << QList<double>{0.5, 0.3, 0, 0, 1, 0} << 0.3;
    QTest::newRow("on the segment") << QList<double>{0.25, 0.5, 0, 0, 1, 2} << 0.0;
    QTest::newRow("on a vertex") << QList<double>{1, 2, 0, 0, 1, 2} << 0.0;
    QTest::newRow("beyond the far end") << QList<double>{4, 4, 0, 0, 1, 0} << 5.0;
    QTest::newRow("before the near end") << QList<double>{-3, 4, 0, 0, 1, 0} << 5.0;
    QTest::newRow("segment of no length") << QList<double>{3, -4, 0, 0, 0, 0} << 5.0;
}

void TestQualityFigures::segmentDistance() {
    QFETCH(QList<double>, pab);
    QFETCH(double, distance);
    const double d = tessaro::segmentDistance(pab[0], pab[1], pab[2], pab[3], pab[4], pab[5]);
    QVERIFY2(std::fabs(d - distance) <= 1e-15, qPrintable(QString::number(d, 'g', 17)));
}

void TestQualityFigures::panelFitCrafted_data() {
    QTest::addColumn<QList<double>>("reads"); // x, y pairs
    QTest::addColumn<double>("NI");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("k");
    // New points (0, 0), (1, 0), (1, 1), (0, 1).
    QTest::newRow("beyond a segment's end")
        << QList<double>{0.5, 0.1, 1.3, -0.4} << 4.0 << 0.5 << 2;
    QTest::newRow("on a vertex, on a segment; the polygon stays open")
        << QList<double>{1, 0, 0.5, 1, 0.2, 0.3} << 4.0 << 0.3 << 3;
    QTest::newRow("ties go to the first")
        << QList<double>{0.5, 0.25, 0.5, 0.75} << 4.0 << 0.25 << 1;
    QTest::newRow("one new point: distance to it")
        << QList<double>{0, 0.3, 0.3, 0.4} << 1.5 << 0.5 << 2;
    QTest::newRow("no new point") << QList<double>{0.5, 0.5} << 0.5 << 0.0 << 0;
}

void TestQualityFigures::panelFitCrafted() {
    QFETCH(QList<double>, reads);
    QFETCH(double, NI);
    QFETCH(double, value);
    QFETCH(int, k);

    Module_Common ws = anglesSet({}, {}, 0);
    ws.NI = NI;
    const double corners[] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int i = 1; i <= 4; ++i) {
        ws.XN[i] = corners[2 * i - 2];
        ws.YN[i] = corners[2 * i - 1];
        ws.TetaN[i] = i;
    }
    ws.N = int(reads.size()) / 2;
    for (int i = 1; i <= ws.N; ++i)
        std::tie(ws.X[i], ws.Y[i]) = std::pair(reads[2 * i - 2], reads[2 * i - 1]);
    const Figures figure = PanelFit(ws);
    QVERIFY(same(figure, slowPanelFit(ws)));
    QCOMPARE(figure.has_value(), k != 0);
    if (figure) {
        QCOMPARE(figure->k, k);
        QVERIFY2(std::fabs(figure->value - value) <= 1e-15,
                 qPrintable(QString::number(figure->value, 'g', 17)));
    }
}

void TestQualityFigures::panelFitRandom() {
    QRandomGenerator random(7);
    for (int run = 0; run < 12; ++run) {
        const double NI = run == 0 ? 1000 : 2 + random.bounded(998.0);
        Module_Common ws = randomSection(random, Method::Lagrange, 3, NI, dump());
        QVERIFY(same(PanelFit(ws), slowPanelFit(ws)));
        // Scattered points and a tangled polygon, so that the search starts in the wrong place.
        for (int i = 1; i <= ws.N; ++i) {
            ws.Y[i] += random.bounded(0.4) - 0.2;
            ws.Teta[i] = random.bounded(7.0);
        }
        for (int i = 1; i <= wholeCount(NI); i += random.bounded(1, 5))
            ws.YN[i] = random.bounded(1.0) - 0.5;
        QVERIFY(same(PanelFit(ws), slowPanelFit(ws)));
    }
}

void TestQualityFigures::nacaOrderCheck_data() {
    QTest::addColumn<Method>("method");
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("NI");
    QTest::addColumn<int>("order");
    QTest::addColumn<double>("measured"); // 0 where no figure was taken down
    const double at61[] = {0, 5.6e-4, 0, 6.5e-5, 0, 4.0e-5, 0};
    for (const Method method : {Method::Lagrange, Method::DivDiff}) {
        for (const auto &[N, NI] : {std::pair(35, 101), std::pair(61, 161), std::pair(121, 301)}) {
            for (int order = 0; order <= 6; ++order)
                QTest::addRow("%s %d to %d order %d",
                              method == Method::Lagrange ? "Lagrange" : "Newton", N, NI, order)
                    << method << N << NI << order << (N == 61 ? at61[order] : 0.0);
        }
    }
}

void TestQualityFigures::nacaOrderCheck() {
    QFETCH(Method, method);
    QFETCH(int, N);
    QFETCH(int, NI);
    QFETCH(int, order);
    QFETCH(double, measured);

    Module_Common ws = loaded(nacaSymmetric(N));
    QCOMPARE(Calculate(ws, {method, double(NI), double(order), dump()}), std::nullopt);
    double trueError = 0;
    for (int i = 1; i <= NI; ++i) {
        const double x = ws.XN[i];
        const double t = 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x +
                                0.2843 * x * x * x - 0.1015 * x * x * x * x);
        const double side = ws.TetaN[i] < kPi ? 1 : (ws.TetaN[i] > kPi ? -1 : 0);
        trueError = std::max(trueError, std::fabs(ws.YN[i] - side * t));
    }
    const Figures figure = OrderCheck(ws, method);
    QVERIFY(figure);
    qInfo("order check %.3g at x = %.4f, new points' largest error %.3g", figure->value, figure->x,
          trueError);
    // Leaving a point out doubles the gap, so the check errs on the safe side.
    QVERIFY(figure->value >= trueError);
    if (measured > 0)
        QVERIFY(std::fabs(figure->value / measured - 1) < 0.05);
}

void TestQualityFigures::nacaPanelFit() {
    const auto fit = [this](Method method, int NI, int order) {
        Module_Common ws = loaded(nacaSymmetric(61));
        const auto message = Calculate(ws, {method, double(NI), double(order), dump()});
        const Figures figure = PanelFit(ws);
        return !message && figure ? figure->value : -1.0;
    };
    for (const Method method : {Method::Lagrange, Method::DivDiff}) {
        for (const int NI : {101, 161}) {
            QVERIFY(fit(method, NI, 1) > 0);
            QVERIFY2(fit(method, NI, 3) <= fit(method, NI, 1), qPrintable(QString::number(NI)));
        }
        // Every point read is then also a new point.
        QVERIFY(fit(method, 301, 3) >= 0 && fit(method, 301, 3) < 1e-9);
    }
}

void TestQualityFigures::goe776() {
    const QString path = QStringLiteral(TESSARO_AIRFOILS_DIR "/goe776.arf");
    if (!QFile::exists(path))
        QSKIP("shared airfoil files not present");
    const std::optional<ArfFile> file = readArfFile(path);
    QVERIFY(file);
    // The high order overshoots between the points.
    for (const auto &[order, measured] : {std::pair(3, 2.0e-4), std::pair(11, 3.0e-2)}) {
        Module_Common ws = loaded({});
        applyLoad(ws, *file);
        QCOMPARE(Calculate(ws, {Method::Lagrange, 161, double(order), dump()}), std::nullopt);
        const Figures figure = OrderCheck(ws, Method::Lagrange);
        QVERIFY(figure);
        qInfo("order %d: order check %.3g at x = %.4f", order, figure->value, figure->x);
        QVERIFY(std::fabs(figure->value / measured - 1) < 0.05);
    }
}

QTEST_GUILESS_MAIN(TestQualityFigures)
#include "tst_qualityfigures.moc"
