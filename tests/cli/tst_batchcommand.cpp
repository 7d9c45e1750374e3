// SPDX-License-Identifier: MIT
// The command line through the real tessaro-batch: usage errors, output names, refusals,
// standard output and the progress line.
#include "cli/BatchRun.h"
#include "cli/ProgressLine.h"
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QTest>

#include <memory>

static const QByteArray kFlat = "flat.arf: " + kFlatRefusal + '\n';
static const QByteArray kHint = "\nTry \"tessaro-batch --help\" for more information.\n";

class tst_BatchCommand : public QObject {
    Q_OBJECT

    QString path(const QString &name) const { return QDir(dir->path()).filePath(name); }
    BatchRunResult run(const QStringList &args) const { return runBatchProcess(args, dir->path()); }
    QStringList entries() const {
        return QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }
    std::unique_ptr<QTemporaryDir> dir;

  private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(dir->path()).mkpath("sub"));
        writeFile(*dir, "good1.arf", arfText("Good one", nacaSymmetric(41)));
        writeFile(*dir, "good2.dat", "Good two\n1 0\n0.5 0.05\n0 0\n0.5 -0.05\n1 0\n");
        writeFile(*dir, "flat.arf", kFlatArf);
        // Surfaces that end at different x: refused without -t or -L.
        Contour blunt = nacaSymmetric(41);
        blunt.front().first = 1.003;
        writeFile(*dir, "blunt.arf", arfText("Blunt", blunt));
        // The same with too few points for -L.
        writeFile(*dir, "six.dat", "Six\n1 0\n.5 .05\n.1 .03\n0 0\n.5 -.05\n.99 0\n");
        QVERIFY(QFile::link(path("good1.arf"), path("link.arf")));
        QVERIFY(QFile::link(path("good2.dat"), path("link.dat")));
    }

    // Usage errors (status 2, one line and the hint), output names and refusals among good files:
    // the status, standard error, the files written (nothing else, no temporary file left
    // behind, no folder made on a usage error) and the inputs untouched.
    void runs_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QStringList>("written");
        const auto row = [](const char *tag, const QStringList &arguments, int status,
                            const QByteArray &err, const QStringList &written) {
            QTest::newRow(tag) << arguments << status << err << written;
        };
        const auto usage = [&row](const char *tag, const QStringList &arguments, const char *line) {
            row(tag, arguments, 2, "tessaro-batch: " + QByteArray(line) + kHint, {});
        };
        usage("usage: malformed value", {"-n", "12a", "good1.arf"},
              "--points takes a whole number from 2 to 1000, not \"12a\".");
        usage("usage: value out of range", {"--order=101", "good1.arf"},
              "--order takes a whole number from 0 to 100, not \"101\".");
        usage("usage: unknown option", {"-x", "good1.arf"}, "unknown option \"-x\".");
        usage("usage: no input", {"-n", "51"}, "no FILE given.");
        usage("usage: standard output, two inputs", {"-o", "-", "good1.arf", "flat.arf"},
              "-o - writes one result to standard output, so it takes exactly one FILE, not 2.");
        usage("usage: dump, two inputs", {"-m", "divdiff", "--dump", "d", "good1.arf", "flat.arf"},
              "--dump takes exactly one FILE, not 2.");
        usage("usage: dump with lagrange", {"--dump", "d", "good1.arf"},
              "--dump writes the divided-difference table, so it needs --method divdiff.");
        usage("usage: one output name twice", {"good1.arf", "./good1.arf"},
              "\"good1.arf\" and \"./good1.arf\" would both be written to "
              "\"good1-redistributed.arf\".");
        usage("usage: dump on an input", {"-m", "divdiff", "--dump", "link.arf", "good1.arf"},
              "--dump names the input file \"link.arf\"; give it another name.");
        usage("usage: report on an input", {"--report", "link.arf", "-o", "new/", "good1.arf"},
              "--report names the input file \"link.arf\"; give it another name.");
        usage("usage: keep-frame without -L", {"--keep-frame", "good1.arf"},
              "--keep-frame maps the new points back from the normalised frame, so it needs -L "
              "(--leading-edge).");
        usage("usage: tolerance zero", {"--max-order-check", "0", "good1.arf"},
              "--max-order-check takes a positive number such as 0.05 or 5e-2, not \"0\".");
        usage("usage: tolerance a percentage", {"--max-order-check=5%", "good1.arf"},
              "--max-order-check takes a positive number such as 0.05 or 5e-2, not \"5%\".");
        row("normalised, a section too small for it",
            {"-q", "-L", "-o", "out", "good1.arf", "good2.dat"}, 1,
            "good2.dat: The contour has 5 points, and finding its true leading edge takes at "
            "least 7: open a section with more points. Run without -L (--leading-edge) to scale "
            "x alone, from the point of least x.\n",
            {"out/good1.arf"});
        row("default names, an older result replaced", {"good1.arf", "good2.dat"}, 0,
            "2 redistributed, 0 refused\n", {"good1-redistributed.arf", "good2-redistributed.arf"});
        row("default selig name, no DivDif.text",
            {"-q", "-m", "divdiff", "-f", "selig", "good2.dat"}, 0, "",
            {"good2-redistributed.dat"});
        row("one input, the file itself", {"-q", "-o", "new.arf", "good1.arf"}, 0, "", {"new.arf"});
        row("one input, an existing folder", {"-q", "-o", "sub", "good2.dat"}, 0, "",
            {"sub/good2.arf"});
        row("several inputs, folders made",
            {"-q", "-f", "selig", "-o", "a/b", "good1.arf", "good2.dat"}, 0, "",
            {"a/b/good1.dat", "a/b/good2.dat"});
        row("refused and missing among good ones",
            {"-o", "out", "good1.arf", "flat.arf", "nothing.dat", "good2.dat"}, 1,
            kFlat + "nothing.dat: Cannot import \"nothing.dat\": the file does not exist.\n"
                    "2 redistributed, 2 refused\n",
            {"out/good1.arf", "out/good2.arf"});
        row("output through a link onto another input", {"-q", "-o", ".", "link.dat", "good1.arf"},
            1,
            "link.dat: \"./link.arf\" would replace an input file: name another output with -o.\n"
            "good1.arf: \"./good1.arf\" would replace an input file: name another output with "
            "-o.\n",
            {});
        row("a folder that cannot be made", {"-q", "-o", "good2.dat/", "good1.arf"}, 1,
            "tessaro-batch: cannot make the folder \"good2.dat/\".\ngood1.arf: Could not save "
            "\"good2.dat/good1.arf\": a part of the path is not a folder\n",
            {});
        row("a refusal on standard output", {"-q", "-o", "-", "flat.arf"}, 1, kFlat, {});
        // Sections refused without -t or -L are tried with -L, then -t, and the option
        // that redistributes them is named and counted; the tries write no table.
        const QByteArray beyond = "after scaling the chord to 0..1, beyond the trailing edge: "
                                  "both surfaces must end at the same trailing-edge x.";
        const QByteArray sixRefusal = "six.dat: Point 1 lies at x = 1.0101 " + beyond +
                                      " It redistributes with -t (--own-trailing-edges).\n";
        row("refusals name the option that redistributes them",
            {"-o", "out", "blunt.arf", "six.dat", "flat.arf", "good1.arf"}, 1,
            "blunt.arf: Point 1 lies at x = 1.003 " + beyond +
                " It redistributes with -L (--leading-edge).\n" + sixRefusal + kFlat +
                "1 redistributed, 3 refused; 1 of them redistributes with -L, 1 with -t\n",
            {"out/good1.arf"});
        row("the tries write no table", {"-q", "-m", "divdiff", "--dump", "d.text", "six.dat"}, 1,
            sixRefusal, {});
    }
    void runs() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QFETCH(QStringList, written);
        writeFile(*dir, "good1-redistributed.arf", "an older result, to be replaced");
        QStringList expected = entries();
        const QByteArray inputs = readBytes(path("good1.arf")) + readBytes(path("good2.dat"));
        const BatchRunResult result = run(arguments);
        QCOMPARE(result.status, status);
        QCOMPARE(result.err, err);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(readBytes(path("good1.arf")) + readBytes(path("good2.dat")), inputs);
        for (const QString &name : written) {
            QVERIFY2(readBytes(path(name)).contains(" - redistributed"), qPrintable(name));
            expected << name.section(u'/', 0, 0);
        }
        expected.removeDuplicates();
        expected.sort();
        QCOMPARE(entries(), expected);
    }

    void standardOutput() {
        const BatchRunResult piped = run({"-n", "61", "-f", "selig", "-o", "-", "good2.dat"});
        QCOMPARE(piped.status, 0);
        QCOMPARE(piped.err, QByteArray("1 redistributed, 0 refused\n"));
        QCOMPARE(piped.out.count('\n'), 62);
        QCOMPARE(run({"-q", "-n", "61", "-f", "selig", "-o", "file.dat", "good2.dat"}).status, 0);
        QCOMPARE(piped.out, readBytes(path("file.dat")));
    }

    void progressOnlyOnATerminal() {
        const QStringList arguments{"-o", "out", "good1.arf", "flat.arf", "good2.dat"};
        QCOMPARE(runBatchProcess(arguments, dir->path(), path("err.log")).status, 1);
        QCOMPARE(readBytes(path("err.log")), kFlat + "2 redistributed, 1 refused\n");

        // The same run in this process, with a terminal for standard error: each line drawn
        // after a clear; a refusal may follow a later progress line as the results are written
        // in the background, but always on a cleared line.
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir->path()));
        std::FILE *err = std::fopen("tty.log", "w");
        QCOMPARE(tessaro::runBatch(arguments, tessaro::BatchStreams{stdout, err, true}), 1);
        std::fclose(err);
        QDir::setCurrent(saved);
        QByteArray text = readBytes(path("tty.log"));
        const QByteArray clear = "\r\x1b[K";
        for (const char *line : {"[1/3] good1.arf", "[2/3] flat.arf", "[3/3] good2.dat"}) {
            const qsizetype at = text.indexOf(clear + line);
            QVERIFY2(at >= 0, line);
            text.remove(at, clear.size() + qstrlen(line));
        }
        QVERIFY(text.startsWith(clear + "flat.arf"));
        QCOMPARE(text.replace(clear, ""), kFlat + "2 redistributed, 1 refused\n");

        // A long name is cut so that the line never wraps (79 columns where the width is unknown).
        err = std::fopen(qPrintable(path("cut.log")), "w");
        tessaro::ProgressLine(err, true, 2).show(0, QString(200, u'x') + QStringLiteral("\n.dat"));
        std::fclose(err);
        const QByteArray drawn = readBytes(path("cut.log"));
        QCOMPARE(drawn.size(), clear.size() + 79);
        QVERIFY(drawn.endsWith("xxx..."));
    }
};

QTEST_GUILESS_MAIN(tst_BatchCommand)
#include "tst_batchcommand.moc"
