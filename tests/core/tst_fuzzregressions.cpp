// SPDX-License-Identifier: MIT
// Inputs the fuzzers turned up, reduced to the smallest file that still shows the fault.
#include "common/Module_Common.h"
#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "support/TempDir.h"

#include <QDir>
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
    // overflows while every new point still gets a finite y, so the run succeeds.
    QTest::newRow("first order overflows to infinity")
        << QByteArray("Huge\r\n 6 \r\n 1 1 0\r\n 2 0.5 1e308\r\n 3 0.4999 -1e308\r\n"
                      " 4 0 0\r\n 5 0.5 -1\r\n 6 1 0\r\n");
    // Two first-order differences that both overflow upwards: the second order is inf - inf.
    QTest::newRow("second order becomes NaN")
        << QByteArray("Huge\r\n 6 \r\n 1 1 0\r\n 2 0.5 -1.5e308\r\n 3 0.4999 0\r\n"
                      " 4 0.4998 1.5e308\r\n 5 0 0\r\n 6 1 0\r\n");
}

// Whatever Calculate answers, the dump it writes never spells out a non-finite number.
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
    request.method = Method::DivDiff;
    request.NI = 51;
    request.nPoly = 1;
    request.dumpPath = QDir(dir.path()).filePath(QStringLiteral("DivDif.text"));
    const std::optional<QString> message = Calculate(ws, request);

    const QByteArray dump = readBytes(request.dumpPath).toLower();
    QVERIFY2(!dump.isEmpty(), qPrintable(message.value_or(QStringLiteral("no message"))));
    QVERIFY2(!dump.contains("inf") && !dump.contains("nan"), dump.constData());
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
