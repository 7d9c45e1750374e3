// SPDX-License-Identifier: MIT
// Inputs the fuzzers turned up, reduced to the smallest file that still shows the fault.
#include "common/Module_Common.h"
#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "support/TempDir.h"
#include "support/WorkingSetChecks.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace tessaro;

class TestFuzzRegressions : public QObject {
    Q_OBJECT

  private slots:
    void divDifDumpHoldsOnlyFiniteNumbers_data();
    void divDifDumpHoldsOnlyFiniteNumbers();
};

void TestFuzzRegressions::divDifDumpHoldsOnlyFiniteNumbers_data() {
    QTest::addColumn<QByteArray>("file");
    // Two neighbours of opposite huge y and nearly the same angle: the first-order difference
    // overflows, although every new point would still get a finite y.
    QTest::newRow("first order overflows to infinity")
        << QByteArray("Huge\r\n 6 \r\n 1 1 0\r\n 2 0.5 1e308\r\n 3 0.4999 -1e308\r\n"
                      " 4 0 0\r\n 5 0.5 -1\r\n 6 1 0\r\n");
    // Two first-order differences that both overflow upwards: the second order is inf - inf.
    QTest::newRow("second order becomes NaN")
        << QByteArray("Huge\r\n 6 \r\n 1 1 0\r\n 2 0.5 -1.5e308\r\n 3 0.4999 0\r\n"
                      " 4 0.4998 1.5e308\r\n 5 0 0\r\n 6 1 0\r\n");
}

// A table that overflows is refused before it is kept or written: one message, the working set
// unchanged, no dump, and the table of the last good run still in place.
void TestFuzzRegressions::divDifDumpHoldsOnlyFiniteNumbers() {
    QFETCH(QByteArray, file);
    const std::optional<ArfFile> parsed = parseArf(file);
    QVERIFY(parsed);
    Module_Common ws;
    ws.Pi = 4.0 * std::atan(1.0);
    applyLoad(ws, *parsed);
    ws.FileLoaded = true;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CalculationRequest request;
    request.method = InterpMethod::DivDiff;
    request.NI = 51;
    request.nPoly = 1;
    request.dumpPath = QDir(dir.path()).filePath(QStringLiteral("DivDif.text"));
    DD()[1][1] = 0.25;
    const Module_Common before = ws;
    const std::optional<QString> message = Calculate(ws, request);

    QVERIFY(message.has_value());
    QVERIFY2(message->startsWith(QStringLiteral("The divided differences of points ")) &&
                 message->endsWith(QStringLiteral(" are not finite numbers: check the file's y "
                                                  "values.")),
             qPrintable(*message));
    QVERIFY(sameWorkingSet(ws, before));
    QVERIFY(!QFileInfo::exists(request.dumpPath));
    QCOMPARE(DD()[1][1], 0.25);
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
