// SPDX-License-Identifier: MIT
// Warnings for stretched and damaged sections, and --max-order-check, through the real
// tessaro-batch: its lines on standard error, its status, the files written and the report.
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QRegularExpression>
#include <QTest>

// Patterns for a whole line of standard error; the damaged one captures its figure, which is the
// order check's tests' concern, not these.
static const char kStretched[] =
    R"(\.arf: warning: x was scaled by 0\.5 to a chord of 1 and y was )"
    R"(not, so the section is stretched: run with -L to scale both\.\n)";
static const char kDamaged[] =
    R"(damaged\.arf: warning: Point 10 \(x = 0\.7938926261\) is missed by ([0-9.]+) when it )"
    R"(is left out: the points read near it may be damaged\.\n)";

class tst_BatchWarnings : public QObject {
    Q_OBJECT

  private slots:
    // Each section alone at order 3; err is a pattern for the whole of standard error.
    void warningsAndGate_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QByteArray>("status"); // the report's status column
        const auto row = [](const char *tag, const char *file, const QStringList &options,
                            const QString &err, const char *status) {
            QTest::newRow(tag) << file << options << err << QByteArray(status);
        };
        const QString stretched = kStretched;
        row("clean: no warning", "clean.arf", {}, "", "redistributed");
        row("x and y doubled: stretched", "doubled.arf", {}, "doubled" + stretched,
            "redistributed");
        row("x and y doubled, -L: scaled alike", "doubled.arf", {"-L"}, "", "redistributed");
        row("x doubled: stretched", "xdoubled.arf", {}, "xdoubled" + stretched, "redistributed");
        row("x doubled, -L: normalised", "xdoubled.arf", {"-L"}, "", "redistributed");
        row("mistyped x: damaged", "damaged.arf", {}, kDamaged, "redistributed");
        row("mistyped x, -L: still damaged", "damaged.arf", {"-L"}, kDamaged, "redistributed");
        row("gate, clean section passes", "clean.arf", {"--max-order-check", "5e-2"}, "",
            "redistributed");
        row("gate, damaged section held back", "damaged.arf", {"--max-order-check", "5e-2"},
            kDamaged + QStringLiteral("damaged\\.arf: not written: order check (\\1) exceeds "
                                      "--max-order-check 0\\.05\\n"),
            "not written");
        row("gate above the figure: written with its warning", "damaged.arf",
            {"--max-order-check", "1E3"}, kDamaged, "redistributed");
        row("gate and stretched: written with its warning", "xdoubled.arf",
            {"--max-order-check", ".05"}, "xdoubled" + stretched, "redistributed");
    }
    void warningsAndGate() {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(QString, err);
        QFETCH(QByteArray, status);
        QTemporaryDir dir;
        writeFile(dir, "clean.arf", arfText("Clean", scaledSection(1, 1)));
        writeFile(dir, "doubled.arf", arfText("Doubled", scaledSection(2, 2)));
        writeFile(dir, "xdoubled.arf", arfText("X doubled", scaledSection(2, 1)));
        writeFile(dir, "damaged.arf", arfText("Damaged", mistypedSection()));

        // -q silences the summary, never a warning.
        const BatchRunResult batch = runBatchProcess(
            QStringList{"-q", "-n", "161", "-p", "3", "-o", "out.arf", "--report", "r.csv"} +
                options + QStringList{file},
            dir.path());
        const QRegularExpressionMatch match =
            QRegularExpression(QRegularExpression::anchoredPattern(err))
                .match(QString::fromUtf8(batch.err));
        QVERIFY2(match.hasMatch(), batch.err.constData());
        if (!match.captured(1).isEmpty())
            QVERIFY(match.captured(1).toDouble() > 0.05);

        const bool written = status == "redistributed";
        QCOMPARE(batch.status, written ? 0 : 1);
        QCOMPARE(QFileInfo::exists(dir.filePath("out.arf")), written);

        // The report: the status, the figures, the warnings joined, and the message that follows
        // the file's name on standard error.
        const QList<QByteArray> lines = readBytes(dir.filePath("r.csv")).split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith(",panel_fit_x,warning,message"));
        QVERIFY2(lines[1].startsWith(file.toUtf8() + ',' + status + ','), lines[1].constData());
        QByteArray warnings, message;
        for (const QByteArray &line : batch.err.split('\n')) {
            const QByteArray prefix = file.toUtf8() + ": ";
            if (line.startsWith(prefix + "warning: "))
                warnings += (warnings.isEmpty() ? "" : " ") + line.mid(prefix.size() + 9);
            else if (line.startsWith(prefix))
                message = line.mid(prefix.size());
        }
        const QByteArray warningField =
            warnings.contains(',') ? '"' + warnings + '"' : warnings; // no quote in either text
        QVERIFY2(lines[1].endsWith(',' + warningField + ',' + message), lines[1].constData());
        QVERIFY(!lines[1].contains(",,,,")); // the figures are there, also when not written
    }

    // Warnings and a held-back result among other files: every line in input order, the
    // summary counts the held-back one as refused.
    void mixedRun() {
        QTemporaryDir dir;
        writeFile(dir, "clean.arf", arfText("Clean", scaledSection(1, 1)));
        writeFile(dir, "xdoubled.arf", arfText("X doubled", scaledSection(2, 1)));
        writeFile(dir, "damaged.arf", arfText("Damaged", mistypedSection()));
        const BatchRunResult batch =
            runBatchProcess({"-n", "161", "-p", "3", "--max-order-check", "0.5", "-o", "out",
                             "xdoubled.arf", "damaged.arf", "clean.arf"},
                            dir.path());
        QCOMPARE(batch.status, 1);
        const QRegularExpression expected(QRegularExpression::anchoredPattern(
            "xdoubled" + QString(kStretched) + kDamaged +
            R"(damaged\.arf: not written: order check \1 exceeds --max-order-check 0\.5\n)"
            R"(2 redistributed, 1 refused\n)"));
        QVERIFY2(expected.match(QString::fromUtf8(batch.err)).hasMatch(), batch.err.constData());
        QCOMPARE(QDir(dir.filePath("out")).entryList(QDir::Files),
                 QStringList({"clean.arf", "xdoubled.arf"}));
    }
};

QTEST_GUILESS_MAIN(tst_BatchWarnings)
#include "tst_batchwarnings.moc"
