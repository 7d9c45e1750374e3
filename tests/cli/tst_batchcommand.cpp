// SPDX-License-Identifier: MIT
// The command line through the real tessaro-batch: usage errors, output names, refusals,
// standard output and the progress line.
#include "cli/BatchRun.h"
#include "cli/ProgressLine.h"
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QByteArray kFlat = "flat.arf: The points span no chord: every x is the same. Open a file "
                         "whose x runs from the trailing edge to the leading edge and back.\n";

QByteArray stdioText(std::FILE *stream) {
    QByteArray text(4096, '\0');
    std::rewind(stream);
    text.resize(qsizetype(std::fread(text.data(), 1, size_t(text.size()), stream)));
    std::fclose(stream);
    return text;
}

} // namespace

class tst_BatchCommand : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void usageErrors_data();
    void usageErrors();
    void outputNames_data();
    void outputNames();
    void refusals_data();
    void refusals();
    void standardOutput();
    void progressOnlyOnATerminal();

  private:
    QString path(const QString &name) const { return QDir(dir->path()).filePath(name); }
    BatchRunResult run(const QStringList &arguments) const {
        return runBatchProcess(arguments, dir->path());
    }
    QStringList entries(const QString &folder = {}) const {
        return QDir(path(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    std::unique_ptr<QTemporaryDir> dir;
};

void tst_BatchCommand::init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(dir->path()).mkpath("sub"));
    writeFile(*dir, "good1.arf", arfText("Good one", nacaSymmetric(41)));
    writeFile(*dir, "good2.dat", "Good two\n1 0\n0.5 0.05\n0 0\n0.5 -0.05\n1 0\n");
    writeFile(*dir, "sub/good1.dat", "Again\n1 0\n0.5 0.04\n0 0\n0.5 -0.04\n1 0\n");
    writeFile(*dir, "flat.arf", "Flat\r\n 3 \r\n 1 0.5 0\r\n 2 0.5 1\r\n 3 0.5 2\r\n");
    QVERIFY(QFile::link(path("good1.arf"), path("link.arf")));
}

void tst_BatchCommand::usageErrors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("line");
    const auto row = [](const char *tag, const QStringList &arguments, const char *line) {
        QTest::newRow(tag) << arguments << QByteArray(line);
    };
    row("points with a letter", {"-n", "12a", "good1.arf"},
        "--points takes a whole number from 2 to 1000, not \"12a\".");
    row("points with a fraction", {"--points", "1.5", "good1.arf"},
        "--points takes a whole number from 2 to 1000, not \"1.5\".");
    row("points above 1000", {"--points=1001", "good1.arf"},
        "--points takes a whole number from 2 to 1000, not \"1001\".");
    row("points beyond an int", {"-n", "99999999999", "good1.arf"},
        "--points takes a whole number from 2 to 1000, not \"99999999999\".");
    row("negative order", {"-p", "-1", "good1.arf"},
        "--order takes a whole number from 0 to 100, not \"-1\".");
    row("order above 100", {"-p", "101", "good1.arf"},
        "--order takes a whole number from 0 to 100, not \"101\".");
    row("unknown method", {"-m", "newton", "good1.arf"},
        "--method takes lagrange or divdiff, not \"newton\".");
    row("unknown short option", {"-x", "good1.arf"}, "unknown option \"-x\".");
    row("no input", {"-n", "51"}, "no FILE given.");
    row("standard output, two inputs", {"-o", "-", "good1.arf", "flat.arf"},
        "-o - writes one result to standard output, so it takes exactly one FILE, not 2.");
    row("dump, two inputs", {"-m", "divdiff", "--dump", "d", "good1.arf", "flat.arf"},
        "--dump takes exactly one FILE, not 2.");
    row("dump with lagrange", {"--dump", "d", "good1.arf"},
        "--dump writes the divided-difference table, so it needs --method divdiff.");
    row("dump on the output", {"-m", "divdiff", "--dump", "x.arf", "-o", "./x.arf", "good1.arf"},
        "--dump names the output file \"x.arf\"; give it another name.");
    row("one input twice", {"good1.arf", "./good1.arf"},
        "\"good1.arf\" and \"./good1.arf\" would both be written to \"good1-redistributed.arf\".");
    row("same stem into a folder", {"-o", "out", "good1.arf", "sub/good1.dat"},
        "\"good1.arf\" and \"sub/good1.dat\" would both be written to \"out/good1.arf\".");
    row("report and output on standard output", {"--report", "-", "-o", "-", "good1.arf"},
        "-o - and --report - cannot both write to standard output.");
    row("dump on an input", {"-m", "divdiff", "--dump", "link.arf", "good1.arf"},
        "--dump names the input file \"link.arf\"; give it another name.");
    row("report on an input", {"--report", "link.arf", "-o", "new/", "good1.arf"},
        "--report names the input file \"link.arf\"; give it another name.");
}

void tst_BatchCommand::usageErrors() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, line);
    const QStringList before = entries();
    const BatchRunResult result = run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 2);
    QCOMPARE(result.err,
             "tessaro-batch: " + line + "\nTry \"tessaro-batch --help\" for more information.\n");
    QCOMPARE(result.out, QByteArray());
    QCOMPARE(entries(), before); // nothing written, no folder made
}

void tst_BatchCommand::outputNames_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("default names")
        << QStringList{"good1.arf", "good2.dat"}
        << QStringList{"good1-redistributed.arf", "good2-redistributed.arf"};
    QTest::newRow("default selig names, no DivDif.text")
        << QStringList{"-m", "divdiff", "-f", "selig", "good2.dat"}
        << QStringList{"good2-redistributed.dat"};
    QTest::newRow("one input, the file itself")
        << QStringList{"-o", "new.arf", "good1.arf"} << QStringList{"new.arf"};
    QTest::newRow("one input, an existing folder")
        << QStringList{"-o", "sub", "good2.dat"} << QStringList{"sub/good2.arf"};
    QTest::newRow("one input, a folder by its slash")
        << QStringList{"-o", "made/", "good2.dat"} << QStringList{"made/good2.arf"};
    QTest::newRow("several inputs, folders made")
        << QStringList{"-f", "selig", "-o", "a/b", "good1.arf", "good2.dat"}
        << QStringList{"a/b/good1.dat", "a/b/good2.dat"};
}

void tst_BatchCommand::outputNames() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, written);
    writeFile(*dir, "good1-redistributed.arf", "an older result, to be replaced");
    QStringList expected = entries();
    QCOMPARE(run(arguments).status, 0);
    for (const QString &name : written) {
        QVERIFY2(readBytes(path(name)).contains(" - redistributed"), qPrintable(name));
        expected << name.section(u'/', 0, 0);
    }
    expected.removeDuplicates();
    expected.sort();
    QCOMPARE(entries(), expected); // nothing else, no temporary file left behind
}

void tst_BatchCommand::refusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("refused and missing among good ones")
        << QStringList{"-o", "out", "good1.arf", "flat.arf", "nothing.dat", "good2.dat"}
        << kFlat + "nothing.dat: Cannot import \"nothing.dat\": the file does not exist.\n"
                   "2 redistributed, 2 refused\n"
        << QStringList{"out/good1.arf", "out/good2.arf"};
    QTest::newRow("output through a link onto another input")
        << QStringList{"-q", "-o", ".", "link.dat", "good1.arf"}
        << QByteArray("link.dat: \"./link.arf\" would replace an input file: name another output "
                      "with -o.\ngood1.arf: \"./good1.arf\" would replace an input file: name "
                      "another output with -o.\n")
        << QStringList{};
    QTest::newRow("a folder that cannot be made")
        << QStringList{"-q", "-o", "good2.dat/", "good1.arf"}
        << QByteArray("tessaro-batch: cannot make the folder \"good2.dat/\".\ngood1.arf: Could "
                      "not save \"good2.dat/good1.arf\": a part of the path is not a folder\n")
        << QStringList{};
    QTest::newRow("a part of the path is a file")
        << QStringList{"-q", "-f", "selig", "-o", "good2.dat/x.dat", "good1.arf"}
        << QByteArray("good1.arf: Could not export \"good2.dat/x.dat\": a part of the path is "
                      "not a folder\n")
        << QStringList{};
}

void tst_BatchCommand::refusals() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, err);
    QFETCH(QStringList, written);
    QVERIFY(QFile::link(path("good2.dat"), path("link.dat")));
    const QByteArray good1 = readBytes(path("good1.arf"));
    const QByteArray good2 = readBytes(path("good2.dat"));
    const BatchRunResult result = run(arguments);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, err);
    QCOMPARE(readBytes(path("good1.arf")), good1);
    QCOMPARE(readBytes(path("good2.dat")), good2);
    for (const QString &name : written)
        QVERIFY2(readBytes(path(name)).contains(" - redistributed"), qPrintable(name));
}

void tst_BatchCommand::standardOutput() {
    const BatchRunResult piped = run({"-n", "61", "-f", "selig", "-o", "-", "good2.dat"});
    QCOMPARE(piped.status, 0);
    QCOMPARE(piped.err, QByteArray("1 redistributed, 0 refused\n"));
    QCOMPARE(run({"-q", "-n", "61", "-f", "selig", "-o", "file.dat", "good2.dat"}).status, 0);
    QCOMPARE(piped.out, readBytes(path("file.dat")));
    QCOMPARE(piped.out.count('\n'), 62);
    const BatchRunResult refused = run({"-q", "-o", "-", "flat.arf"});
    QCOMPARE(refused.status, 1);
    QCOMPARE(refused.out, QByteArray());
}

void tst_BatchCommand::progressOnlyOnATerminal() {
    const QStringList arguments{"-o", "out", "good1.arf", "flat.arf", "good2.dat"};
    const BatchRunResult toFile = runBatchProcess(arguments, dir->path(), path("err.log"));
    QCOMPARE(toFile.status, 1);
    QCOMPARE(readBytes(path("err.log")), kFlat + "2 redistributed, 1 refused\n");

    // The same run with a terminal for standard error, in this process.
    const QString saved = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir->path()));
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    tessaro::runBatch(arguments, tessaro::BatchStreams{out, err, true});
    QDir::setCurrent(saved);
    std::fclose(out);
    QByteArray text = stdioText(err);
    // Each line drawn after a clear, in order; a refusal may follow a later progress line as the
    // results are written in the background, but always on a cleared line.
    const QByteArray clear = "\r\x1b[K";
    for (const char *line : {"[1/3] good1.arf", "[2/3] flat.arf", "[3/3] good2.dat"}) {
        const qsizetype at = text.indexOf(clear + line);
        QVERIFY2(at >= 0, line);
        text.remove(at, clear.size() + qstrlen(line));
    }
    QVERIFY(text.startsWith(clear + "flat.arf"));
    QCOMPARE(text.replace(clear, ""), kFlat + "2 redistributed, 1 refused\n");

    // A long name is cut so that the line never wraps (79 columns where the width is unknown).
    err = std::tmpfile();
    tessaro::ProgressLine line(err, true, 2);
    line.show(0, QString(200, u'x') + QStringLiteral("\n.dat"));
    const QByteArray drawn = stdioText(err);
    QCOMPARE(drawn.size(), clear.size() + 79);
    QVERIFY(drawn.endsWith("xxx..."));
}

QTEST_GUILESS_MAIN(tst_BatchCommand)
#include "tst_batchcommand.moc"
