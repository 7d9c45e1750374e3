// SPDX-License-Identifier: MIT
// The CSV report of tessaro-batch: its fields, and a mixed run through the executable whose
// figures must be the ones the core gives right after the calculation.
#include "cli/ReportCsv.h"
#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "numerics/QualityFigures.h"
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace tessaro;

namespace {

// Splits CSV text by RFC 4180: fields in double quotes may hold commas, doubled quotes and line
// ends. Every record must end in LF alone.
std::optional<QList<QByteArrayList>> parseCsv(const QByteArray &text) {
    QList<QByteArrayList> records;
    QByteArrayList record;
    QByteArray field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && field.isEmpty()) {
            quoted = true;
        } else if (c == ',') {
            record << field;
            field.clear();
        } else if (c == '\n') {
            record << field;
            field.clear();
            records << record;
            record.clear();
        } else if (c == '\r' || c == '"') {
            return std::nullopt;
        } else {
            field += c;
        }
    }
    if (quoted || !field.isEmpty() || !record.isEmpty())
        return std::nullopt;
    return records;
}

// The figures straight from the core, for the comparison with the report.
std::pair<std::optional<Figure>, std::optional<Figure>>
coreFigures(const QString &path, Method method, int NI, int nPoly) {
    const ImportResult imported = importAirfoilFile(path);
    if (!imported.file)
        return {};
    Module_Common ws;
    ws.Pi = 4.0 * std::atan(1.0);
    resetDivDiffTable();
    applyLoad(ws, *imported.file);
    ws.FileLoaded = true;
    CalculationRequest request{method, double(NI), double(nPoly)};
    request.dumpPath.clear();
    if (Calculate(ws, request))
        return {};
    return {OrderCheck(ws, method), PanelFit(ws)};
}

QByteArray number(const std::optional<Figure> &figure, bool x) {
    return figure ? csvNumber(x ? figure->x : figure->value) : QByteArray("missing");
}

} // namespace

class tst_BatchReport : public QObject {
    Q_OBJECT

  private slots:
    void fields_data();
    void fields();
    void numbersReadBack_data();
    void numbersReadBack();
    void mixedRun_data();
    void mixedRun();
    void reportToStandardOutput();
    void reportThatCannotBeWritten();
    void reportUsageErrors_data();
    void reportUsageErrors();
};

void tst_BatchReport::fields_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("field");
    QTest::newRow("plain") << QByteArray("e387.dat") << QByteArray("e387.dat");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("comma") << QByteArray("a,b") << QByteArray("\"a,b\"");
    QTest::newRow("quote doubled") << QByteArray("say \"x\"") << QByteArray("\"say \"\"x\"\"\"");
    QTest::newRow("line feed") << QByteArray("a\nb") << QByteArray("\"a\nb\"");
    QTest::newRow("carriage return") << QByteArray("a\rb") << QByteArray("\"a\rb\"");
    QTest::newRow("blanks kept unquoted") << QByteArray(" a b ") << QByteArray(" a b ");
}

void tst_BatchReport::fields() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, field);
    QCOMPARE(csvField(text), field);
}

void tst_BatchReport::numbersReadBack_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("tenth, not exact in binary") << 0.1;
    QTest::newRow("small figure") << 7.4628972677601269e-05;
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -0.012500000000000001;
    QTest::newRow("smallest normal") << std::numeric_limits<double>::min();
    QTest::newRow("largest") << std::numeric_limits<double>::max();
    QTest::newRow("one third") << 1.0 / 3.0;
}

void tst_BatchReport::numbersReadBack() {
    QFETCH(double, value);
    const QByteArray text = csvNumber(value);
    QVERIFY(!text.contains(','));
    bool ok = false;
    QCOMPARE(text.toDouble(&ok), value);
    QVERIFY(ok);
    // 17 significant digits at most, counted from the first one that is not zero.
    QByteArray digits = text.split('e').front();
    digits.replace("-", "").replace(".", "");
    while (digits.startsWith('0') && digits.size() > 1)
        digits.remove(0, 1);
    QVERIFY2(digits.size() <= 17, text.constData());
}

void tst_BatchReport::mixedRun_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("method");
    QTest::newRow("lagrange") << "C.UTF-8"
                              << "lagrange";
    QTest::newRow("divdiff under a decimal-comma locale") << "de_DE.UTF-8"
                                                          << "divdiff";
}

void tst_BatchReport::mixedRun() {
    QFETCH(QString, locale);
    QFETCH(QString, method);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good =
        writeFile(dir, QStringLiteral("good.arf"), arfText("Good", nacaSymmetric(41)));
    writeFile(dir, QStringLiteral("flat.arf"),
              "Flat\r\n 3 \r\n 1 0.5 0\r\n 2 0.5 1\r\n 3 0.5 2\r\n");
    const QString odd =
        writeFile(dir, QStringLiteral("a, \"b\".dat"), "Odd\n1 0\n0.5 0.05\n0 0\n0.5 -0.05\n1 0\n");

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    process.start(batchExecutable(),
                  {"-q", "-n", "61", "-p", "3", "-m", method, "-o", "out", "--report", "r.csv",
                   "good.arf", "flat.arf", "missing.arf", "a, \"b\".dat"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    const QList<QByteArray> errLines = process.readAllStandardError().split('\n');

    const std::optional<QList<QByteArrayList>> csv = parseCsv(readBytes(dir.filePath("r.csv")));
    QVERIFY(csv);
    QCOMPARE(csv->size(), 5);
    QCOMPARE(csv->at(0).join(','), QByteArray("file,status,points_read,new_points,order,method,"
                                              "own_trailing_edges,order_check,order_check_x,"
                                              "panel_fit,panel_fit_x,message"));
    const QByteArray m = method.toUtf8();
    const auto row = [&](int i) { return csv->at(i).mid(0, 7).join('|'); };
    QCOMPARE(row(1), "good.arf|redistributed|41|61|3|" + m + "|no");
    QCOMPARE(row(2), "flat.arf|refused|3|61|3|" + m + "|no");
    QCOMPARE(row(3), "missing.arf|refused||61|3|" + m + "|no");
    QCOMPARE(row(4), "a, \"b\".dat|redistributed|5|61|3|" + m + "|no");

    // The figures are the core's for the same calculation, to the last digit.
    const Method core = method == u"divdiff" ? Method::DivDiff : Method::Lagrange;
    for (const auto &[i, path] : {std::pair{1, good}, std::pair{4, odd}}) {
        const auto [orderCheck, panelFit] = coreFigures(path, core, 61, 3);
        QVERIFY(orderCheck && panelFit);
        QCOMPARE(csv->at(i).mid(7),
                 (QByteArrayList{number(orderCheck, false), number(orderCheck, true),
                                 number(panelFit, false), number(panelFit, true), QByteArray()}));
    }
    // A refused file has no figures, and its message is the line on standard error.
    for (int i : {2, 3}) {
        QCOMPARE(csv->at(i).mid(7, 4), QByteArrayList(4, QByteArray()));
        QCOMPARE(csv->at(i).front() + ": " + csv->at(i).back(), errLines[i - 2]);
    }
}

void tst_BatchReport::reportToStandardOutput() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir, QStringLiteral("good.arf"), arfText("Good", nacaSymmetric(41)));
    const BatchRunResult result =
        runBatchProcess({"--report", "-", "-o", "out/", "good.arf"}, dir.path());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QByteArray("1 redistributed, 0 refused\n"));
    const std::optional<QList<QByteArrayList>> csv = parseCsv(result.out);
    QVERIFY(csv);
    QCOMPARE(csv->size(), 2);
    QCOMPARE(csv->at(1).at(1), QByteArray("redistributed"));
    QVERIFY(QFileInfo(dir.filePath("out/good.arf")).isFile());
}

void tst_BatchReport::reportThatCannotBeWritten() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir, QStringLiteral("good.arf"), arfText("Good", nacaSymmetric(41)));
    const BatchRunResult result =
        runBatchProcess({"--report", "no/such/folder/r.csv", "good.arf"}, dir.path());
    QCOMPARE(result.status, 1);
    QVERIFY2(result.err.startsWith("tessaro-batch: Could not write the report "
                                   "\"no/such/folder/r.csv\": the folder "),
             result.err.constData());
    QVERIFY(result.err.endsWith("\n1 redistributed, 0 refused\n"));
    // The results themselves are written all the same.
    QVERIFY(QFileInfo(dir.filePath("good-redistributed.arf")).isFile());
}

void tst_BatchReport::reportUsageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("both on standard output")
        << QStringList{"--report", "-", "-o", "-", "good.arf"}
        << QByteArray("-o - and --report - cannot both write to standard output.");
    QTest::newRow("report on the output")
        << QStringList{"--report", "x.arf", "-o", "x.arf", "good.arf"}
        << QByteArray("--report names the output file \"x.arf\"; give it another name.");
    QTest::newRow("report on the dump")
        << QStringList{"-m", "divdiff", "--dump", "d.txt", "--report", "./d.txt", "good.arf"}
        << QByteArray("--report names the output file \"./d.txt\"; give it another name.");
    QTest::newRow("report on an input")
        << QStringList{"--report", "good.arf", "good.arf"}
        << QByteArray("--report names the input file \"good.arf\"; give it another name.");
    QTest::newRow("report without a name") << QStringList{"--report=", "good.arf"}
                                           << QByteArray("--report takes a file name, or - for "
                                                         "standard output.");
}

void tst_BatchReport::reportUsageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, line);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray bytes = arfText("Good", nacaSymmetric(41));
    writeFile(dir, QStringLiteral("good.arf"), bytes);
    const BatchRunResult result = runBatchProcess(arguments, dir.path());
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err,
             "tessaro-batch: " + line + "\nTry \"tessaro-batch --help\" for more information.\n");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{"good.arf"});
    QCOMPARE(readBytes(dir.filePath("good.arf")), bytes);
}

QTEST_GUILESS_MAIN(tst_BatchReport)
#include "tst_batchreport.moc"
