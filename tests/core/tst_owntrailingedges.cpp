// SPDX-License-Identifier: MIT
// The calculation with each surface scaled over its own length.
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "support/Contours.h"
#include "support/TempDir.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessaro;

Q_DECLARE_METATYPE(Contour)

// What the runs without and with the mode share besides their messages: the new points, Teta
// and TetaN bit for bit, or the bytes of the saved file and of the table dump.
enum class Same { Messages, Points, Bytes };

class tst_OwnTrailingEdges : public QObject {
    Q_OBJECT

  private slots:
    void outcomes_data();
    void outcomes();
};

void tst_OwnTrailingEdges::outcomes_data() {
    QTest::addColumn<QString>("file"); // in the shared airfoils; empty: the contour
    QTest::addColumn<Contour>("contour");
    QTest::addColumn<InterpMethod>("method");
    QTest::addColumn<QString>("unchecked"); // message without the mode; empty: redistributed
    QTest::addColumn<QString>("checked");   // message with it
    QTest::addColumn<Same>("same");

    const auto row = [](const char *tag, const char *file, const Contour &contour,
                        InterpMethod method, const QString &unchecked, const QString &checked,
                        Same same = Same::Messages) {
        QTest::newRow(tag) << QString(file) << contour << method << unchecked << checked << same;
    };
    const auto notBetween = [](const char *x) {
        return QStringLiteral("Interpolation point x = %1 is not between the given airfoil points")
            .arg(QLatin1String(x));
    };
    const auto beyond = [](const char *k, const char *x) {
        return QStringLiteral("Point %1 lies at x = %2 after scaling the chord to 0..1, beyond "
                              "the trailing edge: both surfaces must end at the same "
                              "trailing-edge x.")
            .arg(QLatin1String(k), QLatin1String(x));
    };
    const auto ahead = [](const char *k, const char *x) {
        return QStringLiteral("Point %1 lies at x = %2 after scaling the chord to 0..1, ahead of "
                              "the leading edge: x must not fall again after the leading edge.")
            .arg(QLatin1String(k), QLatin1String(x));
    };
    const auto sameAngle = [](int k) {
        return QStringLiteral("Points %1 and %2 have the same angle (x = 0), so the interpolation "
                              "would divide by zero: remove one of the two points from the file.")
            .arg(k)
            .arg(k + 1);
    };
    const auto noSecond = [](int k) {
        return QStringLiteral("Point %1, the last point whose x is lower than its predecessor's, "
                              "is taken as the leading edge, so no second surface follows it: "
                              "remove any points after the trailing edge, or order the points "
                              "from the trailing edge over one surface to the leading edge and "
                              "back over the other.")
            .arg(k);
    };
    const InterpMethod lagrange = InterpMethod::Lagrange;
    const InterpMethod divdiff = InterpMethod::DivDiff;
    const QString fine;

    row("naca2412: both ends at 1", "naca2412.arf", {}, lagrange, fine, fine, Same::Points);
    row("naca0012, 35 points: both ends at 1", "", nacaSymmetric(35), divdiff, fine, fine,
        Same::Points);
    row("naca0012, 131 points: both ends at 1", "", nacaSymmetric(131), lagrange, fine, fine,
        Same::Points);
    row("as6092: ends 5e-16 apart", "as6092.arf", {}, divdiff, fine, fine, Same::Bytes);
    row("sd7003: first end short, x above 1", "sd7003.arf", {}, lagrange, notBetween("1"), fine);
    row("e387: second end short", "e387.arf", {}, lagrange, beyond("1", "1.00327"), fine);
    row("b707b: second surface ends at 0.60", "b707b.arf", {}, lagrange, beyond("1", "1.66338"),
        fine);
    row("e297: two leading-edge points, windows apart", "e297.arf", {}, lagrange,
        beyond("1", "1.00346"), fine);
    row("e297: two leading-edge points in the table", "e297.arf", {}, divdiff,
        beyond("1", "1.00346"), sameAngle(35));
    row("eiffel10: vertical leading edge", "eiffel10.arf", {}, lagrange, sameAngle(17),
        sameAngle(17));
    row("b737a_dup_le: doubled leading-edge point", "b737a_dup_le.arf", {}, lagrange, sameAngle(23),
        sameAngle(23));
    row("cap21c: damaged", "cap21c.arf", {}, lagrange, ahead("4", "-0.400909"), noSecond(39));
    row("one surface only", "", {{1, 0}, {0.5, 0.05}, {0.25, 0.04}, {0, 0}}, lagrange,
        notBetween("0.00038548187963855"), noSecond(4));
    row("starts at the leading edge", "",
        {{0, 0}, {0.5, 0.05}, {1, 0}, {0, 0}, {0.5, -0.05}, {0.9, 0}}, lagrange,
        beyond("3", "1.11111"),
        "Point 1 lies at x = 0 after scaling the chord, at or ahead of the leading edge (point "
        "4), so its surface has no length: a contour must start and end at the trailing edge.");
    row("x never falls", "", {{0, 0}, {0.25, 0.04}, {0.5, 0.05}, {0.75, 0.03}, {1, 0}}, lagrange,
        notBetween("1"),
        "The x of the points never falls, so the contour has no leading edge and no two surfaces "
        "whose trailing edges could be kept: order the points from the trailing edge over one "
        "surface to the leading edge and back over the other.");
    row("second surface turns back", "",
        {{1, 0}, {0.5, 0.05}, {0, 0}, {0.5, -0.03}, {0.45, -0.03}, {1, 0}}, lagrange,
        ahead("3", "-0.818182"),
        "Point 3 lies at x = -0.818182 after scaling the chord, ahead of the leading "
        "edge (point 5): x must not fall again after the leading edge, so check point 3.");
    row("first surface beyond its own end", "",
        {{0.9, 0}, {1, 0.01}, {0, 0}, {0.5, -0.03}, {0.8, 0}}, lagrange, beyond("1", "1.125"),
        "Point 2 lies at x = 1.11111 after scaling the chord, beyond the end of its own "
        "surface at x = 1 (point 1): x must fall from the trailing edge to the leading edge and "
        "rise again, so check point 2.");
}

void tst_OwnTrailingEdges::outcomes() {
    QFETCH(QString, file);
    QFETCH(Contour, contour);
    QFETCH(InterpMethod, method);
    QFETCH(QString, unchecked);
    QFETCH(QString, checked);
    QFETCH(Same, same);

    Module_Common start;
    start.Pi = 4.0 * std::atan(1.0);
    start.FileLoaded = true;
    start.N = static_cast<int>(contour.size());
    for (int i = 1; i <= start.N; ++i)
        std::tie(start.X[i], start.Y[i]) = contour[i - 1];
    const QString path = QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(file);
    if (!file.isEmpty() && !QFileInfo::exists(path))
        QSKIP("the shared airfoils are not here");
    if (!file.isEmpty())
        QVERIFY(readContour(path, start));

    QTemporaryDir dir;
    Module_Common work[2] = {start, start};
    QByteArray saved[2], dump[2];
    for (const bool own : {false, true}) {
        Module_Common &ws = work[own];
        const QString dumpPath = dir.filePath(own ? "own.text" : "plain.text");
        CalculationOutcome outcome;
        const std::optional<QString> message =
            Calculate(ws, CalculationRequest{method, 161, 3, dumpPath, own}, &outcome);
        const QString &expected = own ? checked : unchecked;
        QCOMPARE(message.value_or(QString()), expected);
        // Only the refusal that the mode would mend points to it.
        QCOMPARE(outcome.suggestion == Suggestion::OwnTrailingEdges,
                 !own && expected.contains(QLatin1String("both surfaces must end")));
        if (message)
            QVERIFY(sameWorkingSet(ws, start));
        else
            saved[own] = formatArf("redistributed", ws.NI, ws.XN, ws.YN).value_or("");
        dump[own] = readBytes(dumpPath);
    }
    if (checked.isEmpty()) {
        // Both trailing-edge points are carried over; every new point lies on the chord 0..1.
        const Module_Common &ws = work[true];
        const int last = wholeCount(*ws.NI);
        QCOMPARE(ws.XN[1], ws.X[1]);
        QCOMPARE(ws.YN[1], ws.Y[1]);
        QVERIFY(std::fabs(ws.XN[last] - ws.X[ws.N]) < 1e-12);
        QCOMPARE(ws.YN[last], ws.Y[ws.N]);
        for (int i = 1; i <= last; ++i)
            QVERIFY2(ws.XN[i] >= 0 && ws.XN[i] <= 1 && std::isfinite(ws.YN[i]),
                     qPrintable(QString::number(i)));
    }
    if (same == Same::Points) {
        QVERIFY(samePoints("Teta", work[true].Teta, work[false].Teta));
        QVERIFY(samePoints("TetaN", work[true].TetaN, work[false].TetaN));
        QVERIFY(samePoints("XN", work[true].XN, work[false].XN));
        QVERIFY(samePoints("YN", work[true].YN, work[false].YN));
    }
    if (same == Same::Bytes) {
        QVERIFY(!dump[false].isEmpty() && !saved[false].isEmpty());
        QCOMPARE(saved[true], saved[false]);
        QCOMPARE(dump[true], dump[false]);
    }
}

QTEST_GUILESS_MAIN(tst_OwnTrailingEdges)
#include "tst_owntrailingedges.moc"
