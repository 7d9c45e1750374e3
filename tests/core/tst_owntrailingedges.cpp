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

QString airfoilPath(const QString &name) {
    return QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(name);
}

CalculationRequest request(bool own, Method method = Method::Lagrange, double NI = 161,
                           double nPoly = 3, const QString &dump = QString()) {
    return CalculationRequest{method, NI, nPoly, dump, own};
}

} // namespace

class tst_OwnTrailingEdges : public QObject {
    Q_OBJECT

  private slots:
    void outcomes_data();
    void outcomes();
    void sameAsUncheckedWhereBothEndsAreOne();
    void sameBytesWhereEndsDifferByRounding();
};

void tst_OwnTrailingEdges::outcomes_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<Contour>("contour");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("unchecked"); // message without the mode; empty: redistributed
    QTest::addColumn<QString>("checked");   // message with it
    const QString fine;
    const auto beyond = [](const char *k, const char *x) {
        return QStringLiteral("Point %1 lies at x = %2 after scaling the chord to 0..1, beyond "
                              "the trailing edge: both surfaces must end at the same "
                              "trailing-edge x.")
            .arg(QLatin1String(k), QLatin1String(x));
    };
    const QString firstShort =
        QStringLiteral("Interpolation point x = 1 is not between the given airfoil points");
    const int lagrange = int(Method::Lagrange);
    const int divdiff = int(Method::DivDiff);

    QTest::newRow("naca2412: both ends at 1")
        << "naca2412.arf" << Contour{} << lagrange << fine << fine;
    QTest::newRow("as6092: ends 5e-16 apart")
        << "as6092.arf" << Contour{} << divdiff << fine << fine;
    QTest::newRow("dae51: first end short")
        << "dae51.arf" << Contour{} << lagrange << firstShort << fine;
    QTest::newRow("sd7003: first end short, x above 1")
        << "sd7003.arf" << Contour{} << lagrange << firstShort << fine;
    QTest::newRow("e387: second end short")
        << "e387.arf" << Contour{} << lagrange << beyond("1", "1.00327210679514") << fine;
    QTest::newRow("b707b: second surface ends at 0.60")
        << "b707b.arf" << Contour{} << lagrange << beyond("1", "1.66338148822742") << fine;
    QTest::newRow("e297: two leading-edge points, windows apart")
        << "e297.arf" << Contour{} << lagrange << beyond("1", "1.00346211741094") << fine;
    QTest::newRow("e297: two leading-edge points in the table")
        << "e297.arf" << Contour{} << divdiff << beyond("1", "1.00346211741094")
        << "Points 35 and 36 have the same angle (x = 0), so the interpolation would divide by "
           "zero: remove one of the two points from the file.";
    const QString eiffel = "Points 17 and 18 have the same angle (x = 0), so the interpolation "
                           "would divide by zero: remove one of the two points from the file.";
    QTest::newRow("eiffel10: vertical leading edge")
        << "eiffel10.arf" << Contour{} << lagrange << eiffel << eiffel;
    const QString dup = "Points 23 and 24 have the same angle (x = 0), so the interpolation "
                        "would divide by zero: remove one of the two points from the file.";
    QTest::newRow("b737a_dup_le: doubled leading-edge point")
        << "b737a_dup_le.arf" << Contour{} << lagrange << dup << dup;
    QTest::newRow("cap21c: damaged")
        << "cap21c.arf" << Contour{} << lagrange
        << "Point 4 lies at x = -0.400909090909117 after scaling the chord to 0..1, ahead of the "
           "leading edge: x must not fall again after the leading edge."
        << "Point 39, the last point whose x is lower than its predecessor's, is taken as the "
           "leading edge, so no second surface follows it: remove any points after the trailing "
           "edge, or order the points from the trailing edge over one surface to the leading "
           "edge and back over the other.";

    QTest::newRow("one surface only")
        << QString() << Contour{{1, 0}, {0.5, 0.05}, {0.25, 0.04}, {0, 0}} << lagrange
        << "Interpolation point x = 0.00038548187963855 is not between the given airfoil points"
        << "Point 4, the last point whose x is lower than its predecessor's, is taken as the "
           "leading edge, so no second surface follows it: remove any points after the "
           "trailing edge, or order the points from the trailing edge over one surface to the "
           "leading edge and back over the other.";
    QTest::newRow("starts at the leading edge")
        << QString() << Contour{{0, 0}, {0.5, 0.05}, {1, 0}, {0, 0}, {0.5, -0.05}, {0.9, 0}}
        << lagrange
        << "Point 3 lies at x = 1.11111111111111 after scaling the chord to 0..1, beyond the "
           "trailing edge: both surfaces must end at the same trailing-edge x."
        << "Point 1 lies at x = 0 after scaling the chord, at or ahead of the leading edge "
           "(point 4), so its surface has no length: a contour must start and end at the "
           "trailing edge.";
    QTest::newRow("x never falls")
        << QString() << Contour{{0, 0}, {0.25, 0.04}, {0.5, 0.05}, {0.75, 0.03}, {1, 0}} << lagrange
        << "Interpolation point x = 1 is not between the given airfoil points"
        << "The x of the points never falls, so the contour has no leading edge and no two "
           "surfaces whose trailing edges could be kept: order the points from the trailing "
           "edge over one surface to the leading edge and back over the other.";
    QTest::newRow("second surface turns back")
        << QString() << Contour{{1, 0}, {0.5, 0.05}, {0, 0}, {0.5, -0.03}, {0.45, -0.03}, {1, 0}}
        << lagrange
        << "Point 3 lies at x = -0.818181818181818 after scaling the chord to 0..1, ahead of the "
           "leading edge: x must not fall again after the leading edge."
        << "Point 3 lies at x = -0.818181818181818 after scaling the chord, ahead of the leading "
           "edge (point 5): x must not fall again after the leading edge, so check point 3.";
    QTest::newRow("first surface beyond its own end")
        << QString() << Contour{{0.9, 0}, {1, 0.01}, {0, 0}, {0.5, -0.03}, {0.8, 0}} << lagrange
        << "Point 1 lies at x = 1.125 after scaling the chord to 0..1, beyond the trailing "
           "edge: both surfaces must end at the same trailing-edge x."
        << "Point 2 lies at x = 1.11111111111111 after scaling the chord, beyond the end of its "
           "own surface at x = 1 (point 1): x must fall from the trailing edge to the leading edge "
           "and rise "
           "again, so check point 2.";
}

void tst_OwnTrailingEdges::outcomes() {
    QFETCH(QString, file);
    QFETCH(Contour, contour);
    QFETCH(int, method);
    QFETCH(QString, unchecked);
    QFETCH(QString, checked);

    Module_Common ws;
    if (!file.isEmpty()) {
        if (!QFileInfo::exists(airfoilPath(file)))
            QSKIP("the shared airfoils are not here");
        ws = loaded({});
        QVERIFY(readContour(airfoilPath(file), ws));
    } else {
        ws = loaded(contour);
    }
    const Module_Common before = ws;

    for (const bool own : {false, true}) {
        Module_Common work = before;
        Suggestion suggestion = Suggestion::None;
        const std::optional<QString> message =
            Calculate(work, request(own, Method(method)), &suggestion);
        const QString &expected = own ? checked : unchecked;
        QCOMPARE(message.value_or(QString()), expected);
        // Only the refusal that the mode would mend points to it.
        QCOMPARE(suggestion == Suggestion::OwnTrailingEdges,
                 !own && expected.contains(QLatin1String("both surfaces must end")));
        if (message) {
            QVERIFY(sameWorkingSet(work, before));
            continue;
        }
        if (!own)
            continue;
        // Both trailing-edge points are carried over where the section has them.
        const int last = wholeCount(*work.NI);
        QCOMPARE(work.XN[1], work.X[1]);
        QCOMPARE(work.YN[1], work.Y[1]);
        QVERIFY(std::fabs(work.XN[last] - work.X[work.N]) < 1e-12);
        QCOMPARE(work.YN[last], work.Y[work.N]);
        for (int i = 1; i <= last; ++i) {
            QVERIFY2(work.XN[i] >= 0 && work.XN[i] <= 1, qPrintable(QString::number(i)));
            QVERIFY(std::isfinite(work.YN[i]));
        }
    }
}

void tst_OwnTrailingEdges::sameAsUncheckedWhereBothEndsAreOne() {
    for (const int points : {35, 61, 131}) {
        for (const Method method : {Method::Lagrange, Method::DivDiff}) {
            Module_Common unchecked = loaded(nacaSymmetric(points));
            Module_Common checked = unchecked;
            QCOMPARE(Calculate(unchecked, request(false, method, 101, 5)), std::nullopt);
            QCOMPARE(Calculate(checked, request(true, method, 101, 5)), std::nullopt);
            QVERIFY(samePoints("Teta", checked.Teta, unchecked.Teta));
            QVERIFY(samePoints("XN", checked.XN, unchecked.XN));
            QVERIFY(samePoints("YN", checked.YN, unchecked.YN));
        }
    }
}

void tst_OwnTrailingEdges::sameBytesWhereEndsDifferByRounding() {
    if (!QFileInfo::exists(airfoilPath(QStringLiteral("as6092.arf"))))
        QSKIP("the shared airfoils are not here");
    QTemporaryDir dir;
    QByteArray saved[2];
    QByteArray dump[2];
    for (const bool own : {false, true}) {
        Module_Common ws = loaded({});
        QVERIFY(readContour(airfoilPath(QStringLiteral("as6092.arf")), ws));
        const QString dumpPath = QDir(dir.path()).filePath(own ? "own.text" : "plain.text");
        QCOMPARE(Calculate(ws, request(own, Method::DivDiff, 161, 3, dumpPath)), std::nullopt);
        saved[own] = formatArf("AS6092 - redistributed", ws.NI, ws.XN, ws.YN).value();
        dump[own] = readBytes(dumpPath);
    }
    QVERIFY(!dump[0].isEmpty());
    QCOMPARE(saved[1], saved[0]);
    QCOMPARE(dump[1], dump[0]);
}

QTEST_GUILESS_MAIN(tst_OwnTrailingEdges)
#include "tst_owntrailingedges.moc"
