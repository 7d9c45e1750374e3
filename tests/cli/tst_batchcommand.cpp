// SPDX-License-Identifier: MIT
// The command line through the real tessaro-batch executable: usage errors, naming, refusals,
// standard output, and the progress line.
#include "cli/BatchRun.h"
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

QByteArray seligText(const QByteArray &name, const Contour &contour) {
    QByteArray text = name + "\n";
    for (const auto &[x, y] : contour)
        text += QByteArray::number(x, 'f', 6) + " " + QByteArray::number(y, 'f', 6) + "\n";
    return text;
}

const QByteArray kHint = "Try \"tessaro-batch --help\" for more information.\n";
const QByteArray kAdvice = " Run with -t (--own-trailing-edges) to redistribute such a section.";

// Everything written to a stdio stream that the test opened itself.
QByteArray streamText(std::FILE *stream) {
    std::fflush(stream);
    std::rewind(stream);
    QByteArray text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
        text.append(buffer, qsizetype(n));
    return text;
}

} // namespace

class tst_BatchCommand : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();

    void usageErrors_data();
    void usageErrors();
    void valueSpellings_data();
    void valueSpellings();
    void outputNames_data();
    void outputNames();
    void refusedFileAmongGoodOnes();
    void ownTrailingEdgesAdvice();
    void standardOutput();
    void refusesToReplaceAnInput_data();
    void refusesToReplaceAnInput();
    void existingOutputIsReplaced();
    void dumpOnlyWhenAsked();
    void unwritableOutput();
    void noProgressWhenStandardErrorIsAFile();
    void progressLine_data();
    void progressLine();

  private:
    QString path(const QString &name) const { return QDir(dir->path()).filePath(name); }
    BatchRunResult run(const QStringList &arguments) const {
        return runBatchProcess(arguments, dir->path());
    }
    QStringList filesInFolder() const {
        return QDir(dir->path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> dir;
    QStringList inputs;
};

void tst_BatchCommand::initTestCase() {
    QVERIFY2(QFileInfo(batchExecutable()).isExecutable(), qPrintable(batchExecutable()));
}

void tst_BatchCommand::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    writeFile(*dir, QStringLiteral("good1.arf"), arfText("Good one", nacaSymmetric(41)));
    writeFile(*dir, QStringLiteral("good2.dat"), seligText("Good two", nacaSymmetric(31, 0.09)));
    // No chord: every x the same.
    writeFile(*dir, QStringLiteral("flat.arf"),
              "Flat\r\n 3 \r\n 1 0.5 0\r\n 2 0.5 1\r\n 3 0.5 2\r\n");
    Contour blunt = nacaSymmetric(41);
    blunt.front().first = 1.003; // beyond the other surface's trailing edge
    writeFile(*dir, QStringLiteral("blunt.arf"), arfText("Blunt", blunt));
    inputs = filesInFolder();
}

void tst_BatchCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("line");
    const QStringList good{QStringLiteral("good1.arf")};
    const QStringList two{QStringLiteral("good1.arf"), QStringLiteral("good2.dat")};
    QTest::newRow("points with a trailing letter")
        << QStringList{"-n", "12a"} + good
        << QByteArray("--points takes a whole number from 2 to 1000, not \"12a\".");
    QTest::newRow("points with a fraction")
        << QStringList{"--points", "1.5"} + good
        << QByteArray("--points takes a whole number from 2 to 1000, not \"1.5\".");
    QTest::newRow("one point") << QStringList{"-n", "1"} + good
                               << QByteArray("--points takes a whole number from 2 to 1000, "
                                             "not \"1\".");
    QTest::newRow("points above 1000")
        << QStringList{"--points=1001"} + good
        << QByteArray("--points takes a whole number from 2 to 1000, not \"1001\".");
    QTest::newRow("points far beyond an int")
        << QStringList{"-n", "99999999999999999999"} + good
        << QByteArray("--points takes a whole number from 2 to 1000, not "
                      "\"99999999999999999999\".");
    QTest::newRow("empty points") << QStringList{"--points="} + good
                                  << QByteArray("--points takes a whole number from 2 to 1000, "
                                                "not \"\".");
    QTest::newRow("order above 100")
        << QStringList{"-p", "101"} + good
        << QByteArray("--order takes a whole number from 0 to 100, not \"101\".");
    QTest::newRow("negative order")
        << QStringList{"-p", "-1"} + good
        << QByteArray("--order takes a whole number from 0 to 100, not \"-1\".");
    QTest::newRow("signed order") << QStringList{"--order", "+3"} + good
                                  << QByteArray("--order takes a whole number from 0 to 100, not "
                                                "\"+3\".");
    QTest::newRow("unknown method")
        << QStringList{"-m", "newton"} + good
        << QByteArray("--method takes lagrange or divdiff, not \"newton\".");
    QTest::newRow("unknown format") << QStringList{"--format", "dat"} + good
                                    << QByteArray("--format takes arf or selig, not \"dat\".");
    QTest::newRow("unknown short option")
        << QStringList{"-x"} + good << QByteArray("unknown option \"-x\".");
    QTest::newRow("unknown long option") << QStringList{"--points-count", "5"} + good
                                         << QByteArray("unknown option \"--points-count\".");
    QTest::newRow("missing value")
        << good + QStringList{"-n"} << QByteArray("missing value after '-n'.");
    QTest::newRow("no input") << QStringList{"-n", "51"} << QByteArray("no FILE given.");
    QTest::newRow("standard output with two inputs")
        << QStringList{"-o", "-"} + two
        << QByteArray("-o - writes one result to standard output, so it takes exactly one FILE, "
                      "not 2.");
    QTest::newRow("dump with two inputs") << QStringList{"-m", "divdiff", "--dump", "d.txt"} + two
                                          << QByteArray("--dump takes exactly one FILE, not 2.");
    QTest::newRow("dump with Lagrange")
        << QStringList{"--dump", "d.txt"} + good
        << QByteArray("--dump writes the divided-difference table, so it needs --method "
                      "divdiff.");
    QTest::newRow("dump on the output")
        << QStringList{"-m", "divdiff", "--dump", "x.arf", "-o", "./x.arf"} + good
        << QByteArray("--dump names the output file \"x.arf\"; give it another name.");
    QTest::newRow("one input twice")
        << QStringList{"good1.arf", "./good1.arf"}
        << QByteArray("\"good1.arf\" and \"./good1.arf\" would both be written to "
                      "\"good1-redistributed.arf\".");
    QTest::newRow("two stems alike in a folder")
        << QStringList{"-o", "out", "good1.arf", "sub/good1.dat"}
        << QByteArray("\"good1.arf\" and \"sub/good1.dat\" would both be written to "
                      "\"out/good1.arf\".");
}

void tst_BatchCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, line);
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("sub")));
    writeFile(*dir, QStringLiteral("sub/good1.dat"), seligText("Again", nacaSymmetric(31)));
    const QStringList before = filesInFolder();
    const BatchRunResult result = run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err, "tessaro-batch: " + line + "\n" + kHint);
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(filesInFolder(), before);
}

void tst_BatchCommand::valueSpellings_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("countLine");
    QTest::addColumn<bool>("quiet");
    QTest::newRow("short with blank") << QStringList{"-n", "7"} << QByteArray(" 7 ") << false;
    QTest::newRow("short attached") << QStringList{"-n7"} << QByteArray(" 7 ") << false;
    QTest::newRow("long with equals") << QStringList{"--points=9"} << QByteArray(" 9 ") << false;
    QTest::newRow("long with blank") << QStringList{"--points", "9"} << QByteArray(" 9 ") << false;
    QTest::newRow("leading zero") << QStringList{"-n", "012"} << QByteArray(" 12 ") << false;
    QTest::newRow("last one counts")
        << QStringList{"-n", "5", "-n", "6"} << QByteArray(" 6 ") << false;
    QTest::newRow("flags bundled") << QStringList{"-tq", "-n", "8"} << QByteArray(" 8 ") << true;
    QTest::newRow("default") << QStringList{} << QByteArray(" 51 ") << false;
}

void tst_BatchCommand::valueSpellings() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, countLine);
    QFETCH(bool, quiet);
    const BatchRunResult result = run(arguments + QStringList{"good1.arf"});
    QVERIFY(result.finished);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, quiet ? QByteArray() : QByteArray("1 redistributed, 0 refused\n"));
    const QList<QByteArray> lines = readBytes(path("good1-redistributed.arf")).split('\n');
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines[0], QByteArray("Good one - redistributed\r"));
    QCOMPARE(lines[1], countLine + "\r");
}

void tst_BatchCommand::outputNames_data() {
    QTest::addColumn<QString>("makeFolder");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("written");
    const QStringList two{QStringLiteral("good1.arf"), QStringLiteral("good2.dat")};
    QTest::newRow("default names in the working directory")
        << QString() << two << QStringList{"good1-redistributed.arf", "good2-redistributed.arf"};
    QTest::newRow("default names for selig")
        << QString() << QStringList{"-f", "selig"} + two
        << QStringList{"good1-redistributed.dat", "good2-redistributed.dat"};
    QTest::newRow("one input to a file")
        << QString() << QStringList{"-o", "new.arf", "good1.arf"} << QStringList{"new.arf"};
    QTest::newRow("one input into an existing folder")
        << "out" << QStringList{"-o", "out", "good2.dat"} << QStringList{"out/good2.arf"};
    QTest::newRow("one input into a folder named with a slash")
        << QString() << QStringList{"-o", "made/", "good2.dat"} << QStringList{"made/good2.arf"};
    QTest::newRow("several inputs into a folder made on the way")
        << QString() << QStringList{"-f", "selig", "-o", "a/b"} + two
        << QStringList{"a/b/good1.dat", "a/b/good2.dat"};
}

void tst_BatchCommand::outputNames() {
    QFETCH(QString, makeFolder);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, written);
    if (!makeFolder.isEmpty())
        QVERIFY(QDir(dir->path()).mkdir(makeFolder));
    const BatchRunResult result = run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 0);
    for (const QString &name : written) {
        QVERIFY2(QFileInfo(path(name)).isFile(), qPrintable(name));
        QVERIFY(readBytes(path(name)).contains(" - redistributed"));
    }
    // Nothing else appears: no table dump, no stray file.
    QStringList expected = inputs;
    for (const QString &name : written)
        expected << name.section(u'/', 0, 0);
    if (!makeFolder.isEmpty())
        expected << makeFolder;
    expected.removeDuplicates();
    expected.sort();
    QCOMPARE(filesInFolder(), expected);
}

void tst_BatchCommand::refusedFileAmongGoodOnes() {
    const BatchRunResult result =
        run({"-o", "out", "good1.arf", "flat.arf", "missing.dat", "good2.dat"});
    QVERIFY(result.finished);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err,
             QByteArray("flat.arf: The points span no chord: every x is the same. Open a file "
                        "whose x runs from the trailing edge to the leading edge and back.\n"
                        "missing.dat: Cannot import \"missing.dat\": the file does not exist.\n"
                        "2 redistributed, 2 refused\n"));
    QCOMPARE(QDir(path("out")).entryList(QDir::Files, QDir::Name),
             (QStringList{"good1.arf", "good2.arf"}));
    // The good ones are the same bytes as when each runs alone.
    QCOMPARE(run({"-o", "alone.arf", "good2.dat"}).status, 0);
    QCOMPARE(readBytes(path("out/good2.arf")), readBytes(path("alone.arf")));
}

void tst_BatchCommand::ownTrailingEdgesAdvice() {
    const BatchRunResult refused = run({"blunt.arf"});
    QCOMPARE(refused.status, 1);
    const QByteArray line = refused.err.split('\n').front();
    QVERIFY2(line.startsWith("blunt.arf: Point 1 lies at x = 1.003 after scaling the chord to "
                             "0..1, beyond the trailing edge"),
             line.constData());
    QVERIFY2(line.endsWith(kAdvice), line.constData());
    QVERIFY(!QFileInfo::exists(path("blunt-redistributed.arf")));

    const BatchRunResult kept = run({"-t", "blunt.arf"});
    QCOMPARE(kept.status, 0);
    QVERIFY(QFileInfo(path("blunt-redistributed.arf")).isFile());
}

void tst_BatchCommand::standardOutput() {
    const BatchRunResult piped =
        run({"-n", "61", "-p", "3", "-f", "selig", "-o", "-", "good2.dat"});
    QVERIFY(piped.finished);
    QCOMPARE(piped.status, 0);
    QCOMPARE(piped.err, QByteArray("1 redistributed, 0 refused\n"));
    QCOMPARE(filesInFolder(), inputs);
    QCOMPARE(run({"-n", "61", "-p", "3", "-f", "selig", "-o", "file.dat", "good2.dat"}).status, 0);
    QCOMPARE(piped.out, readBytes(path("file.dat")));
    QCOMPARE(piped.out.count('\n'), 62);

    const BatchRunResult refused = run({"-q", "-o", "-", "flat.arf"});
    QCOMPARE(refused.status, 1);
    QCOMPARE(refused.out, QByteArray());
}

void tst_BatchCommand::refusesToReplaceAnInput_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("replaced");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("output named as its input")
        << QStringList{"-o", "good1.arf", "good1.arf"} << "good1.arf"
        << QByteArray("good1.arf: \"good1.arf\" would replace an input file: name another output "
                      "with -o.");
    QTest::newRow("folder that holds the input")
        << QStringList{"-o", ".", "good1.arf", "good2.dat"} << "good1.arf"
        << QByteArray("good1.arf: \"./good1.arf\" would replace an input file: name another "
                      "output with -o.");
    QTest::newRow("output through a link to the input")
        << QStringList{"-o", "link.arf", "good1.arf"} << "good1.arf"
        << QByteArray("good1.arf: \"link.arf\" would replace an input file: name another output "
                      "with -o.");
    QTest::newRow("output over another input")
        << QStringList{"-o", "out", "good2.dat", "alias.arf"} << "out/good2.arf"
        << QByteArray("good2.dat: \"out/good2.arf\" would replace an input file: name another "
                      "output with -o.");
    QTest::newRow("dump over the input")
        << QStringList{"-m", "divdiff", "--dump", "good1.arf", "good1.arf"} << "good1.arf"
        << QByteArray("good1.arf: \"good1.arf\" would replace an input file: name another "
                      "output with --dump.");
}

void tst_BatchCommand::refusesToReplaceAnInput() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, replaced);
    QFETCH(QByteArray, line);
    QVERIFY(QFile::link(path("good1.arf"), path("link.arf")));
    QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("out")));
    writeFile(*dir, QStringLiteral("out/good2.arf"), arfText("Kept", nacaSymmetric(21)));
    QVERIFY(QFile::link(path("out/good2.arf"), path("alias.arf")));
    const QByteArray before = readBytes(path(replaced));
    const BatchRunResult result = run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err.split('\n').front(), line);
    QCOMPARE(readBytes(path(replaced)), before);
}

void tst_BatchCommand::existingOutputIsReplaced() {
    writeFile(*dir, QStringLiteral("good1-redistributed.arf"), "old bytes, longer than nothing");
    QCOMPARE(run({"-q", "good1.arf"}).status, 0);
    QCOMPARE(run({"-q", "-o", "fresh.arf", "good1.arf"}).status, 0);
    QCOMPARE(readBytes(path("good1-redistributed.arf")), readBytes(path("fresh.arf")));
    // No temporary file of the atomic write is left behind.
    QCOMPARE(filesInFolder().size(), inputs.size() + 2);
}

void tst_BatchCommand::dumpOnlyWhenAsked() {
    QCOMPARE(run({"-q", "-m", "divdiff", "-p", "3", "good1.arf"}).status, 0);
    QVERIFY(!QFileInfo::exists(path("DivDif.text")));
    QCOMPARE(run({"-q", "-m", "divdiff", "-p", "3", "--dump", "table.txt", "good1.arf"}).status, 0);
    QVERIFY(!QFileInfo::exists(path("DivDif.text")));
    const QByteArray table = readBytes(path("table.txt"));
    // An empty line, then rows 1..10.
    QVERIFY(table.startsWith("\r\n  1  1.00000  "));
    QCOMPARE(table.count("\r\n"), 11);
}

void tst_BatchCommand::unwritableOutput() {
    writeFile(*dir, QStringLiteral("plain.txt"), "a file, not a folder");
    const BatchRunResult result = run({"-o", "plain.txt/x.arf", "good1.arf"});
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, QByteArray("good1.arf: Could not save \"plain.txt/x.arf\": a part of the "
                                    "path is not a folder\n0 redistributed, 1 refused\n"));
    const BatchRunResult exported =
        run({"-q", "-f", "selig", "-o", "plain.txt/x.dat", "good1.arf"});
    QCOMPARE(exported.status, 1);
    QCOMPARE(exported.err, QByteArray("good1.arf: Could not export \"plain.txt/x.dat\": a part of "
                                      "the path is not a folder\n"));
}

void tst_BatchCommand::noProgressWhenStandardErrorIsAFile() {
    const QString log = path("stderr.log");
    const BatchRunResult result =
        runBatchProcess({"-o", "out", "good1.arf", "flat.arf", "good2.dat"}, dir->path(), log);
    QCOMPARE(result.status, 1);
    const QByteArray text = readBytes(log);
    QVERIFY(text.endsWith("\n2 redistributed, 1 refused\n"));
    QVERIFY(!text.contains('\r'));
    QVERIFY(!text.contains('['));
}

void tst_BatchCommand::progressLine_data() {
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArrayList>("progress");
    QTest::addColumn<QByteArray>("lines");
    const QByteArray flat = "flat.arf: The points span no chord: every x is the same. Open a file "
                            "whose x runs from the trailing edge to the leading edge and back.\n";
    QTest::newRow("terminal, three files")
        << true << QStringList{"good1.arf", "flat.arf", "good2.dat"}
        << QByteArrayList{"[1/3] good1.arf", "[2/3] flat.arf", "[3/3] good2.dat"}
        << flat + "2 redistributed, 1 refused\n";
    QByteArrayList ten;
    QStringList copies;
    for (int i = 0; i < 10; ++i) {
        copies << QStringLiteral("copy%1.arf").arg(i);
        ten << QStringLiteral("[%1/10] copy%2.arf").arg(i + 1, 2).arg(i).toUtf8();
    }
    QTest::newRow("terminal, counter as wide as the total")
        << true << QStringList{"-o", "out"} + copies << ten
        << QByteArray("10 redistributed, 0 refused\n");
    QTest::newRow("terminal, one file") << true << QStringList{"good1.arf"} << QByteArrayList{}
                                        << QByteArray("1 redistributed, 0 refused\n");
    QTest::newRow("terminal, quiet")
        << true << QStringList{"-q", "good1.arf", "flat.arf"} << QByteArrayList{} << flat;
    QTest::newRow("not a terminal") << false << QStringList{"good1.arf", "flat.arf"}
                                    << QByteArrayList{} << flat + "1 redistributed, 1 refused\n";
}

void tst_BatchCommand::progressLine() {
    QFETCH(bool, terminal);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArrayList, progress);
    QFETCH(QByteArray, lines);
    for (int i = 0; i < 10; ++i)
        QVERIFY(QFile::copy(path("good1.arf"), path(QStringLiteral("copy%1.arf").arg(i))));
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir->path()));
    std::FILE *out = std::tmpfile();
    std::FILE *errStream = std::tmpfile();
    QVERIFY(out && errStream);
    tessaro::runBatch(arguments, tessaro::BatchStreams{out, errStream, terminal});
    QByteArray written = streamText(errStream);
    std::fclose(out);
    std::fclose(errStream);
    QDir::setCurrent(saved);

    // Each progress line is drawn after a clear, in input order; a message line may come after
    // a later progress line (results are written in the background) but always on a cleared
    // line, and the line is cleared before the summary.
    const QByteArray clear = "\r\x1b[K";
    qsizetype from = 0;
    for (const QByteArray &line : progress) {
        const qsizetype at = written.indexOf(clear + line, from);
        QVERIFY2(at >= from, line.constData());
        written.remove(at, clear.size() + line.size());
        from = at;
    }
    if (!progress.isEmpty()) {
        QVERIFY(written.startsWith(clear));
        written.replace(clear, "");
    }
    QVERIFY(!written.contains('\r'));
    QCOMPARE(written, lines);
}

QTEST_GUILESS_MAIN(tst_BatchCommand)
#include "tst_batchcommand.moc"
