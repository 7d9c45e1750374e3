// SPDX-License-Identifier: MIT
// Warnings and --max-order-check through the real tessaro-batch: standard error, the status,
// the result written or not, and the report's status and warning.
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/TempDir.h"

#include <QRegularExpression>
#include <QTest>

class tst_BatchWarnings : public QObject {
    Q_OBJECT

  private slots:
    void warningsAndGate_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("err"); // a pattern for all of standard error
        QTest::addColumn<QByteArray>("status");
        const QString strays = "%1: warning: New point %2 \\(x = %3\\) lies [0-9.e+]+ from the "
                               "polygon through the points read, more than 5 % of the chord: the "
                               "new points stray from the section; try a lower order\\.\n";
        const QString stretched =
            "%1: warning: x was scaled by 0\\.5 to a chord of 1 and y was "
            "not, so the section is stretched: run with -L to scale both\\.\n";
        // The figure is the order check's concern; here it is only above 0.05.
        // A mistyped point also throws the new points near it off the section.
        const QString damaged = "d.arf: warning: Point 10 \\(x = 0\\.793893\\) is missed by "
                                "([0-9.]+) when it is left out: the points read near it may be "
                                "damaged\\.\n" +
                                strays.arg("d.arf", "22", "0\\.8394");
        const auto row = [](const char *tag, const QStringList &arguments, const QString &err,
                            const char *status = "redistributed") {
            QTest::newRow(tag) << arguments << err << QByteArray(status);
        };
        row("clean", {"c.arf"}, "");
        row("x and y doubled", {"xy.arf"}, stretched.arg("xy.arf"));
        row("x and y doubled, -L", {"-L", "xy.arf"}, "");
        row("x doubled", {"x.arf"}, stretched.arg("x.arf"));
        row("x doubled, -L", {"-L", "x.arf"}, "");
        row("mistyped x, -L", {"-L", "d.arf"}, damaged);
        row("gate on, clean", {"--max-order-check", "5e-2", "c.arf"}, "");
        row("gate on, damaged", {"--max-order-check", "5e-2", "d.arf"},
            damaged + "d.arf: not written: order check \\1 exceeds --max-order-check 0\\.05\n",
            "not written");
        row("gate above the figure", {"--max-order-check", "1E3", "d.arf"}, damaged);
        row("order 60 on 61 points: unchecked, and straying", {"-p", "60", "c.arf"},
            "c.arf: warning: The order check needs at least nPoly \\+ 2 = 62 points and 61 were "
            "read: this result is unchecked\\.\n" +
                strays.arg("c.arf", "160", "0\\.999615"));
    }
    void warningsAndGate() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, err);
        QFETCH(QByteArray, status);
        QTemporaryDir dir;
        writeFile(dir, "c.arf", arfText("Clean", warningSection(1, 1)));
        writeFile(dir, "xy.arf", arfText("Doubled", warningSection(2, 2)));
        writeFile(dir, "x.arf", arfText("Stretched", warningSection(2, 1)));
        writeFile(dir, "d.arf", arfText("Damaged", warningSection(1, 1, true)));
        const BatchRunResult batch = runBatchProcess(
            QStringList{"-q", "-n", "161", "-p", "3", "-o", "o.arf", "--report", "r"} + arguments,
            dir.path());
        const QRegularExpressionMatch match =
            QRegularExpression(QRegularExpression::anchoredPattern(err))
                .match(QString::fromUtf8(batch.err));
        QVERIFY2(match.hasMatch(), batch.err.constData());
        QVERIFY(match.captured(1).isEmpty() || match.captured(1).toDouble() > 0.05);
        QCOMPARE(batch.status, status == "redistributed" ? 0 : 1);
        QCOMPARE(QFileInfo::exists(dir.filePath("o.arf")), batch.status == 0);
        // The report row: its status, and the warnings that standard error showed.
        const QByteArray row = readBytes(dir.filePath("r")).split('\n').value(1);
        QVERIFY2(row.startsWith(arguments.last().toUtf8() + ',' + status + ','), row.data());
        QStringList shown;
        for (const QString &line : QString::fromUtf8(batch.err).split(u'\n')) {
            if (line.contains(": warning: "))
                shown << line.section(": warning: ", 1);
        }
        const QByteArray warning = shown.join(u' ').toUtf8();
        QVERIFY2(row.contains(warning.contains(',') ? '"' + warning + "\"," : warning + ','),
                 row.data());
    }
};

QTEST_GUILESS_MAIN(tst_BatchWarnings)
#include "tst_batchwarnings.moc"
