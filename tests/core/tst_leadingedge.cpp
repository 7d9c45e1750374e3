// SPDX-License-Identifier: MIT
// The calculation normalised at the true leading edge.
#include "../tools/NacaExact.h"
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "support/Contours.h"
#include "support/TempDir.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QtTest>

#include <complex>

using namespace tessaro;
using Complex = std::complex<double>;

Q_DECLARE_METATYPE(Contour)

namespace {

const naca::Section kSection{0.04, 0.4, 0.15};

Module_Common loaded(const Contour &contour) {
    Module_Common ws;
    ws.Pi = 4.0 * std::atan(1.0), ws.FileLoaded = true, ws.N = int(contour.size());
    for (int i = 1; i <= ws.N; ++i)
        std::tie(ws.X[i], ws.Y[i]) = contour[i - 1];
    return ws;
}

const CalculationRequest kLeadingEdge{Method::Lagrange, 161, 5, {}, false, true};

// The section's points as shift + factor * (x + iy): turned, scaled and moved.
Contour exactContour(const naca::Section &section, Complex factor = 1, Complex shift = 0) {
    Contour contour;
    for (const naca::Point &p : naca::cosineContour(section, 30)) {
        const Complex z = shift + factor * Complex(p.x, p.y);
        contour.emplace_back(z.real(), z.imag());
    }
    return contour;
}

bool near(double a, double b, double tolerance = 1e-12) {
    return std::abs(a - b) < tolerance;
}

} // namespace

class tst_LeadingEdge : public QObject {
    Q_OBJECT

  private slots:
    void redistributes_data() {
        QTest::addColumn<QString>("file"); // in the shared airfoils; empty: the exact section
        QTest::addColumn<bool>("moved");   // turned by 5 degrees, scaled by 3 and moved
        QTest::newRow("exact NACA 4415") << QString() << false;
        QTest::newRow("exact NACA 4415, moved") << QString() << true;
        QTest::newRow("e387: upper end beyond 1") << "e387.arf" << false;
        QTest::newRow("b707b: lower surface stops short") << "b707b.arf" << false;
        QTest::newRow("naca4412: leftmost point not the nose") << "naca4412.arf" << false;
    }

    // Both ends are kept, the nose is at (0, 0) with the trailing edge on (1, 0), and a second
    // calculation changes nothing.
    void redistributes() {
        QFETCH(QString, file);
        QFETCH(bool, moved);
        const Complex factor = moved ? std::polar(3.0, 5 * 4.0 * std::atan(1.0) / 180) : 1.0;
        const Complex shift = moved ? Complex(0.7, -0.4) : 0.0;
        Module_Common ws =
            loaded(file.isEmpty() ? exactContour(kSection, factor, shift) : Contour{});
        const QString path = QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(file);
        if (!file.isEmpty() && !QFileInfo::exists(path))
            QSKIP("the shared airfoils are not here");
        QVERIFY(file.isEmpty() || readContour(path, ws));
        const Module_Common start = ws;
        CalculationOutcome outcome;
        QCOMPARE(Calculate(ws, kLeadingEdge, &outcome).value_or(QString()), QString());
        QVERIFY(outcome.frame);
        // Each surface's end is where the file has it, mapped into the normalised frame.
        QCOMPARE(ws.XN[1], ws.X[1]);
        for (const auto &[k, i] : {std::pair{1, 1}, std::pair{ws.N, wholeCount(*ws.NI)}}) {
            double u = 0, v = 0;
            outcome.frame->toNormal(start.X[k], start.Y[k], u, v);
            QCOMPARE(ws.X[k], u);
            QCOMPARE(ws.Y[k], v);
            QVERIFY2(near(ws.XN[i], u) && near(ws.YN[i], v), qPrintable(QString::number(i)));
        }
        // The nose is the point where the line from the trailing edge meets the contour at a
        // right angle: no point read lies ahead of it, and the trailing edge is on the x axis.
        QVERIFY(*std::min_element(&ws.X[1], &ws.X[ws.N] + 1) >= -1e-9);
        QVERIFY(std::max(ws.X[1], ws.X[ws.N]) >= 1 - 1e-12);
        QVERIFY(ws.X[ws.iLE] >= 0 && ws.X[ws.iLE - 1] > 0);

        // Wherever the exact section lies, it gets the same new points, on its curve.
        if (file.isEmpty()) {
            Module_Common plain = loaded(exactContour(kSection));
            QCOMPARE(Calculate(plain, kLeadingEdge), std::nullopt);
            QVERIFY(near(outcome.frame->chord / std::abs(factor), 1, 1e-3));
            QCOMPARE(ws.iLE, plain.iLE);
            for (int i = 1; i <= 161; ++i) {
                double x = 0, y = 0;
                outcome.frame->toFile(ws.XN[i], ws.YN[i], x, y);
                const Complex z = (Complex(x, y) - shift) / factor;
                QVERIFY2(near(ws.XN[i], plain.XN[i], 1e-9) && near(ws.YN[i], plain.YN[i], 1e-9) &&
                             naca::distance(kSection, {z.real(), z.imag()}) < 3e-5,
                         qPrintable(QString::number(i)));
            }
        }

        const Module_Common first = ws;
        QCOMPARE(Calculate(ws, kLeadingEdge, &outcome).value_or(QString()), QString());
        QVERIFY(samePoints("X", ws.X, first.X) && samePoints("XN", ws.XN, first.XN) &&
                samePoints("YN", ws.YN, first.YN));
        QVERIFY(outcome.frame && outcome.frame->identity);
    }

    // A symmetric section whose nose is a point at (0, 0) and whose ends are at (1, 0) is
    // already normalised: the save and the table dump are those of the own-trailing-edge mode.
    void sameBytesWhereAlreadyNormalised() {
        QTemporaryDir dir;
        QByteArray saved[2], dump[2];
        for (const bool on : {false, true}) {
            Module_Common ws = loaded(nacaSymmetric(61));
            const QString dumpPath = dir.filePath(QString::number(on));
            QCOMPARE(Calculate(ws, CalculationRequest{Method::DivDiff, 161, 5, dumpPath, !on, on}),
                     std::nullopt);
            QCOMPARE(ws.iLE, 31);
            saved[on] = formatArf("redistributed", ws.NI, ws.XN, ws.YN).value_or("");
            dump[on] = readBytes(dumpPath);
        }
        QVERIFY(!saved[0].isEmpty() && !dump[0].isEmpty());
        QCOMPARE(saved[1], saved[0]);
        QCOMPARE(dump[1], dump[0]);
    }

    void refusals_data() {
        QTest::addColumn<Contour>("contour");
        QTest::addColumn<bool>("leadingEdgeOff"); // whether the plain scaling is suggested
        QTest::addColumn<QString>("message");
        Contour beyondItsEnd = nacaSymmetric(61), upperOnly = beyondItsEnd,
                doubledNose = beyondItsEnd, huge = beyondItsEnd;
        beyondItsEnd[2].first = 1.2;
        upperOnly.erase(upperOnly.begin(), upperOnly.begin() + 30);
        doubledNose.insert(doubledNose.begin() + 30, doubledNose[30]);
        for (auto &[x, y] : huge) // spans twice the largest double, so distances overflow
            std::tie(x, y) = std::pair{1e308 * (2 * x - 1), 1e308 * 2 * y};
        QTest::newRow("six points")
            << Contour{{1, 0}, {0.5, 0.05}, {0.1, 0.03}, {0, 0}, {0.5, -0.05}, {1, 0}} << true
            << "The contour has 6 points, and finding its true leading edge takes at least 7: "
               "open a section with more points.";
        QTest::newRow("all at one point")
            << Contour(7, {0.5, 0.5}) << false
            << "Every point lies at the trailing edge, so the chord has no length: open a file "
               "whose points run from the trailing edge to the leading edge and back.";
        QTest::newRow("a point beyond its surface's end")
            << beyondItsEnd << false
            << "Point 3 lies at x = 1.2 after normalising the chord, beyond the end of its own "
               "surface at x = 1 (point 1): x must fall from the trailing edge to the leading "
               "edge and rise again, so check point 3.";
        QTest::newRow("starts at the nose")
            << upperOnly << false
            << "The leading edge lies between points 1 and 2, at an end of the contour, so one "
               "surface has no length: a contour must start and end at the trailing edge.";
        QTest::newRow("nose point doubled")
            << doubledNose << false
            << "Points 31 and 32, near point 31 which lies farthest from the trailing edge, are "
               "the same point, so the leading edge cannot be found there: remove one of them "
               "from the file.";
        QTest::newRow("too large to measure")
            << huge << false
            << "The leading edge could not be found: a value came out as no finite number, so "
               "check the file's values.";
    }

    void refusals() {
        QFETCH(Contour, contour);
        QFETCH(bool, leadingEdgeOff);
        QFETCH(QString, message);
        Module_Common ws = loaded(contour);
        const Module_Common start = ws;
        CalculationOutcome outcome;
        QCOMPARE(Calculate(ws, kLeadingEdge, &outcome).value_or(QString()), message);
        QCOMPARE(outcome.suggestion == Suggestion::LeadingEdgeOff, leadingEdgeOff);
        QVERIFY(!outcome.frame);
        QVERIFY(sameWorkingSet(ws, start));
    }
};

QTEST_GUILESS_MAIN(tst_LeadingEdge)
#include "tst_leadingedge.moc"
