// SPDX-License-Identifier: MIT
// tessaro-batch against the core import, calculation, writer and figures that the window uses:
// every shared airfoil, and the CSV report of a mixed run.
#include "../tools/NacaExact.h"
#include "cli/BatchFile.h"
#include "cli/ReportCsv.h"
#include "io/AirfoilImport.h"
#include "io/ArfWriter.h"
#include "numerics/Calculation.h"
#include "numerics/QualityFigures.h"
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QTest>

#include <cmath>

using namespace tessaro;

// A file loaded and calculated at order 3 by the core from a fresh working set.
struct CoreRun {
    QString refusal;
    QByteArray title;
    Module_Common ws;
};

static CoreRun coreRun(const QString &path, InterpMethod method, int NI, bool own) {
    const ImportResult imported = importAirfoilFile(path);
    if (!imported.file)
        return {imported.error, {}, {}};
    CoreRun run{{}, imported.file->title, {}};
    run.ws.Pi = 4.0 * std::atan(1.0);
    resetDivDiffTable();
    applyLoad(run.ws, *imported.file);
    run.ws.FileLoaded = true;
    run.refusal = Calculate(run.ws, {method, double(NI), 3.0, QString(), own}).value_or(QString());
    return run;
}

class tst_BatchCore : public QObject {
    Q_OBJECT

  private slots:
    void sharedAirfoils_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("filter");
        QTest::addColumn<int>("count");
        const QDir shared(QStringLiteral(TESSARO_AIRFOILS_DIR));
        QTest::newRow(".arf files") << shared.path() << QStringList{"*.arf"} << 42;
        QTest::newRow("Selig and Lednicer sources")
            << shared.filePath("source") << QStringList{} << 41;
    }
    void sharedAirfoils() {
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
        QString refusals;
        for (const QFileInfo &file : files) {
            const CoreRun core = coreRun(file.filePath(), InterpMethod::Lagrange, 161, true);
            const QString result = out.filePath(file.completeBaseName() + ".arf");
            if (core.refusal.isEmpty()) {
                QVERIFY2(readBytes(result) == formatArf(core.title + " - redistributed", core.ws.NI,
                                                        core.ws.XN, core.ws.YN),
                         qPrintable(file.fileName()));
            } else {
                QVERIFY2(!QFileInfo::exists(result), qPrintable(file.fileName()));
                refusals += file.filePath() + ": " + core.refusal + '\n';
            }
        }
        // Warnings are tst_batchwarnings' concern; here only the refusals count.
        QStringList errLines = QString::fromUtf8(batch.err).split(u'\n');
        errLines.removeIf([](const QString &line) { return line.contains(u": warning: "); });
        QCOMPARE(errLines.join(u'\n'), refusals);
        QCOMPARE(batch.status, refusals.isEmpty() ? 0 : 1);
        QVERIFY(refusals.count('\n') <= 3); // the comparison is mostly of bytes, not of refusals
    }

    // --keep-frame writes the new points in the file's own frame: the ends where the file has
    // them; the report names the mode and the frame.
    void keepFrame() {
        QTemporaryDir dir;
        Contour turned;
        for (const naca::Point &p : naca::cosineContour({0.04, 0.4, 0.15}, 30))
            turned.emplace_back(5 + 3 * (p.x * 0.8 - p.y * 0.6), -2 + 3 * (p.x * 0.6 + p.y * 0.8));
        const QString path = writeFile(dir, "turned.arf", arfText("Turned", turned));
        FileSettings settings;
        settings.NI = 161;
        settings.nPoly = 3;
        settings.ownTrailingEdges = settings.leadingEdge = settings.keepFrame = true;
        const Calculated calculated = calculateFile(path, settings, false);
        QCOMPARE(calculated.refusal, QString());
        const WrittenPoints points = writtenPoints(calculated);
        const Module_Common &ws = common();
        const double chord = calculated.frame->chord;
        QVERIFY(std::abs(chord - 3) < 0.01);
        for (const auto &[i, k] : {std::pair{1, 1}, std::pair{161, ws.N}}) {
            QVERIFY(std::abs(points.XN[i] - turned[k - 1].first) < 1e-12 * chord);
            QVERIFY(std::abs(points.YN[i] - turned[k - 1].second) < 1e-12 * chord);
        }

        const BatchRunResult batch = runBatchProcess(
            {"-q", "-L", "--keep-frame", "-n", "161", "-o", "out.arf", "--report", "r.csv", path},
            dir.path());
        QCOMPARE(batch.status, 0);
        QVERIFY(readBytes(dir.filePath("r.csv")).contains(",161,1,lagrange,yes,yes,file,"));
    }

    void report_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("method");
        QTest::newRow("lagrange") << QByteArray("C.UTF-8") << "lagrange";
        QTest::newRow("divdiff, decimal-comma locale") << QByteArray("de_DE.UTF-8") << "divdiff";
    }
    void report() {
        QFETCH(QByteArray, locale);
        QFETCH(QString, method);
        QTemporaryDir dir;
        const QString good = writeFile(dir, "good.arf", arfText("Good", nacaSymmetric(41)));
        writeFile(dir, "flat.arf", kFlatArf);
        const QString odd =
            writeFile(dir, "a, \"b\".dat", "Odd\n1 0\n0.5 .05\n0 0\n0.5 -.05\n1 0\n");
        qputenv("LC_ALL", locale);
        const BatchRunResult batch =
            runBatchProcess({"-q", "-n", "61", "-p", "3", "-m", method, "-o", "out", "--report",
                             "r.csv", "good.arf", "flat.arf", "missing.arf", "a, \"b\".dat"},
                            dir.path());
        QCOMPARE(batch.status, 1); // the refusals' lines are tst_batchcommand's

        // The core's order check and panel fit: 17 significant digits with '.', empty if absent.
        const InterpMethod core =
            method == u"divdiff" ? InterpMethod::DivDiff : InterpMethod::Lagrange;
        const auto figures = [core](const QString &path) {
            const CoreRun run = coreRun(path, core, 61, false);
            QByteArray text;
            for (const std::optional<FigureOfMerit> &figure :
                 {OrderCheck(run.ws, core), PanelFit(run.ws)})
                text += figure ? QByteArray::number(figure->value, 'g', 17) + ',' +
                                     QByteArray::number(figure->x, 'g', 17) + ','
                               : QByteArray(",,");
            return text;
        };
        const QByteArray goodFigures = figures(good);
        QVERIFY(!goodFigures.startsWith(',')); // the good file's order check is a number
        const QByteArray settings = ",61,3," + method.toUtf8() + ",no,no,specified,";
        const QByteArray expected =
            "file,status,points_read,new_points,order,method,own_trailing_edges,leading_edge,"
            "frame,order_check,"
            "order_check_x,panel_fit,panel_fit_x,warning,message\ngood.arf,redistributed,41" +
            settings + goodFigures + ",\nflat.arf,refused,3" + settings + ",,,,," + kFlatRefusal +
            "\nmissing.arf,refused," + settings +
            ",,,,,\"Cannot import \"\"missing.arf\"\": the file does not exist.\"\n"
            "\"a, \"\"b\"\".dat\",redistributed,5" +
            settings + figures(odd) + ",\n";
        QCOMPARE(readBytes(dir.filePath("r.csv")).split('\n'), expected.split('\n'));
    }

    // Negative zero is not a negative value: the report writes it without a sign.
    void reportNegativeZero() {
        const ReportRow row{.file = "f.arf",
                            .status = FileStatus::Redistributed,
                            .pointsRead = 3,
                            .newPoints = 51,
                            .order = 3,
                            .orderCheck = FigureOfMerit{-0.0, 2, -0.0},
                            .panelFit = FigureOfMerit{0.5, 1, -0.25},
                            .warnings = {},
                            .message = {}};
        QCOMPARE(formatReport({row}).split('\n').value(1),
                 QByteArray("f.arf,redistributed,3,51,3,lagrange,no,no,specified,0,0,0.5,-0.25,,"));
    }
};

QTEST_GUILESS_MAIN(tst_BatchCore)
#include "tst_batchcore.moc"
