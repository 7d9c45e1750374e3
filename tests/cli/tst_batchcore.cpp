// SPDX-License-Identifier: MIT
// tessaro-batch against the core import, calculation, writer and figures that the window uses:
// every shared airfoil, and the CSV report of a mixed run.
#include "io/AirfoilImport.h"
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "numerics/QualityFigures.h"
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace tessaro;

namespace {

// A file loaded and calculated by the core from a fresh working set: the refusal, or the set.
struct CoreRun {
    QString refusal;
    QByteArray title;
    Module_Common ws;
};

CoreRun coreRun(const QString &path, Method method, int NI, int nPoly, bool own) {
    CoreRun run;
    const ImportResult imported = importAirfoilFile(path);
    if (!imported.file)
        return {imported.error, {}, {}};
    run.title = imported.file->title;
    run.ws.Pi = 4.0 * std::atan(1.0);
    resetDivDiffTable();
    applyLoad(run.ws, *imported.file);
    run.ws.FileLoaded = true;
    CalculationRequest request{method, double(NI), double(nPoly), QString(), own};
    run.refusal = Calculate(run.ws, request).value_or(QString());
    return run;
}

// The report's numbers: 17 significant digits with '.'.
QByteArray figureFields(const std::optional<Figure> &figure) {
    return figure ? QByteArray::number(figure->value, 'g', 17) + ',' +
                        QByteArray::number(figure->x, 'g', 17)
                  : QByteArray(",");
}

} // namespace

class tst_BatchCore : public QObject {
    Q_OBJECT

  private slots:
    void sharedAirfoils_data();
    void sharedAirfoils();
    void report_data();
    void report();
};

void tst_BatchCore::sharedAirfoils_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("filter");
    QTest::addColumn<int>("count");
    const QDir shared(QStringLiteral(TESSARO_AIRFOILS_DIR));
    QTest::newRow(".arf files") << shared.path() << QStringList{"*.arf"} << 42;
    QTest::newRow("Selig and Lednicer sources") << shared.filePath("source") << QStringList{} << 41;
}

void tst_BatchCore::sharedAirfoils() {
    QFETCH(QString, folder);
    QFETCH(QStringList, filter);
    QFETCH(int, count);
    if (!QDir(folder).exists())
        QSKIP("the shared airfoils are absent");
    const QFileInfoList files = QDir(folder).entryInfoList(filter, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), count);
    QTemporaryDir out;
    QStringList arguments{"-q", "-t", "-n", "161", "-p", "3", "-o", out.path()};
    for (const QFileInfo &file : files)
        arguments << file.filePath();
    const BatchRunResult batch = runBatchProcess(arguments, out.path());
    QVERIFY(batch.finished);

    QString refusals;
    for (const QFileInfo &file : files) {
        const CoreRun core = coreRun(file.filePath(), Method::Lagrange, 161, 3, true);
        const QString result = QDir(out.path()).filePath(file.completeBaseName() + ".arf");
        if (core.refusal.isEmpty()) {
            const auto bytes =
                formatArf(core.title + " - redistributed", core.ws.NI, core.ws.XN, core.ws.YN);
            QVERIFY2(bytes && readBytes(result) == *bytes, qPrintable(file.fileName()));
        } else {
            QVERIFY2(!QFileInfo::exists(result), qPrintable(file.fileName()));
            refusals += file.filePath() + ": " + core.refusal + '\n';
        }
    }
    QCOMPARE(QString::fromUtf8(batch.err), refusals);
    QCOMPARE(batch.status, refusals.isEmpty() ? 0 : 1);
    QVERIFY(refusals.count('\n') <= 3); // the comparison is mostly of bytes, not of refusals
}

void tst_BatchCore::report_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("method");
    QTest::newRow("lagrange") << "C.UTF-8"
                              << "lagrange";
    QTest::newRow("divdiff, decimal-comma locale") << "de_DE.UTF-8"
                                                   << "divdiff";
}

void tst_BatchCore::report() {
    QFETCH(QString, locale);
    QFETCH(QString, method);
    QTemporaryDir dir;
    const QString good = writeFile(dir, "good.arf", arfText("Good", nacaSymmetric(41)));
    writeFile(dir, "flat.arf", "Flat\r\n 3 \r\n 1 0.5 0\r\n 2 0.5 1\r\n 3 0.5 2\r\n");
    const QString odd = writeFile(dir, "a, \"b\".dat", "Odd\n1 0\n0.5 .05\n0 0\n0.5 -.05\n1 0\n");
    const BatchRunResult batch =
        runBatchProcess({"-q", "-n", "61", "-p", "3", "-m", method, "-o", "out", "--report",
                         "r.csv", "good.arf", "flat.arf", "missing.arf", "a, \"b\".dat"},
                        dir.path(), {}, locale);
    QCOMPARE(batch.status, 1);
    QCOMPARE(batch.err, "flat.arf: The points span no chord: every x is the same. Open a file "
                        "whose x runs from the trailing edge to the leading edge and back.\n"
                        "missing.arf: Cannot import \"missing.arf\": the file does not exist.\n");

    const Method core = method == u"divdiff" ? Method::DivDiff : Method::Lagrange;
    const QByteArray settings = ",61,3," + method.toUtf8() + ",no,";
    QByteArray expected = "file,status,points_read,new_points,order,method,own_trailing_edges,"
                          "order_check,order_check_x,panel_fit,panel_fit_x,message\n";
    for (const auto &[field, path, N] :
         {std::tuple{"good.arf", good, 41}, std::tuple{"\"a, \"\"b\"\".dat\"", odd, 5}}) {
        const CoreRun run = coreRun(path, core, 61, 3, false);
        QVERIFY(run.refusal.isEmpty());
        const std::optional<Figure> orderCheck = OrderCheck(run.ws, core);
        QVERIFY(N != 41 || (orderCheck && orderCheck->value > 0));
        expected += field + QByteArray(",redistributed,") + QByteArray::number(N) + settings +
                    figureFields(orderCheck) + ',' + figureFields(PanelFit(run.ws)) + ",\n";
        if (N == 41)
            expected += "flat.arf,refused,3" + settings +
                        ",,,,The points span no chord: " // no comma, no quotes
                        "every x is the same. Open a file whose x runs from the trailing edge "
                        "to the leading edge and back.\nmissing.arf,refused," +
                        settings +
                        ",,,,\"Cannot import \"\"missing.arf\"\": the file does not "
                        "exist.\"\n";
    }
    QCOMPARE(readBytes(dir.filePath("r.csv")).split('\n'), expected.split('\n'));
}

QTEST_GUILESS_MAIN(tst_BatchCore)
#include "tst_batchcore.moc"
