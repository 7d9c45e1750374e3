// SPDX-License-Identifier: MIT
// tessaro FILE: the arguments the window starts with, the file it imports and the folders the
// file browser and Save picture… then open in.
#include "common/Module_Common.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/StartArguments.h"

#include <QFileDialog>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace tessaro;

class tst_StartFile : public QObject {
    Q_OBJECT

    WindowFixture fx;

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        QVERIFY(fx.makeFolder());
        QVERIFY(QDir(fx.path({})).mkpath(QStringLiteral("wings")));
        writeFile(*fx.dir, QStringLiteral("wings/foil.dat"),
                  "Foil\n1 0.002\n0.5 0.04\n0 0\n0.5 -0.03\n1 -0.002\n");
        writeFile(*fx.dir, QStringLiteral("wings/bad.arf"), "Bad\r\n 5 \r\n 1 1 0\r\n");
    }
    void cleanup() { fx.tearDown(); }

    void arguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("error");
        QTest::newRow("none: starts empty") << QStringList{} << "" << false << "";
        QTest::newRow("one file") << QStringList{"a.arf"} << "a.arf" << false << "";
        QTest::newRow("a file after --") << QStringList{"--", "-a.arf"} << "-a.arf" << false << "";
        QTest::newRow("help") << QStringList{"--help"} << "" << true << "";
        QTest::newRow("two files")
            << QStringList{"a.arf", "b.arf"} << "" << false << "one FILE at most, not 2.";
        QTest::newRow("unknown option")
            << QStringList{"-x", "a.arf"} << "" << false << "unknown option \"-x\".";
    }
    void arguments() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(bool, help);
        QFETCH(QString, error);
        const StartArguments start = parseStartArguments(arguments);
        QCOMPARE(start.file, file);
        QCOMPARE(start.help, help);
        QCOMPARE(start.error, error);
    }

    // The program itself: Qt takes its own options before the rest is read.
    void usageErrorsEndWithTwo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        const QByteArray usage = startUsage().toUtf8() + '\n';
        QTest::newRow("unknown option") << QStringList{"-platform", "offscreen", "-x"} << 2
                                        << "tessaro: unknown option \"-x\".\n" + usage;
        QTest::newRow("two files") << QStringList{"-platform", "offscreen", "a.arf", "b.arf"} << 2
                                   << "tessaro: one FILE at most, not 2.\n" + usage;
        QTest::newRow("help, after a Qt option")
            << QStringList{"-platform", "offscreen", "--help"} << 0 << QByteArray();
    }
    void usageErrorsEndWithTwo() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QProcess process;
        process.start(QStringLiteral(TESSARO_APP), arguments);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), status);
        // Qt may say something of its own first.
        QVERIFY2(process.readAllStandardError().endsWith(err), qPrintable(err));
        QCOMPARE(process.readAllStandardOutput(),
                 status == 0 ? startUsage().toUtf8() + '\n' : QByteArray());
    }

    void importsAtStart_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message"); // empty: imported
        QTest::newRow("a Selig file") << "wings/foil.dat"
                                      << "";
        QTest::newRow("missing") << "wings/none.arf"
                                 << "Cannot import \"none.arf\": the file does not exist.";
        QTest::newRow("cut short") << "wings/bad.arf"
                                   << "Cannot import \"bad.arf\": ";
    }
    void importsAtStart() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QVERIFY(fx.showWindow());
        MessageRecorder messages;
        // Relative, as typed in the working folder.
        fx.window->importAtStart(name);
        QCOMPARE(messages.texts.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(messages.texts.front().startsWith(message), qPrintable(messages.texts[0]));
        QCOMPARE(common().FileLoaded, message.isEmpty());
        QCOMPARE(common().N, message.isEmpty() ? 5 : 0);
        const QString wings = fx.path(QStringLiteral("wings"));
        QCOMPARE(fx.child<DirectoryList>("Dir1")->path(), wings);
        QCOMPARE(fx.child<FileList>("File1")->path(), wings);

        // Save picture… opens where the loaded file lies, wherever the browser has gone since.
        QVERIFY(!fx.child<DirectoryList>("Dir1")->setPath(fx.path({})));
        fx.child<QAction>("Mn_Inspect")->trigger();
        Form_Inspect *inspect = fx.window->inspectWindow();
        QTest::mouseClick(findControl<QPushButton>(inspect, "Command_SavePlot"), Qt::LeftButton);
        auto *dialog = findControl<QFileDialog>(inspect, "Dialog_SavePlot");
        QCOMPARE(dialog->directory().absolutePath(), message.isEmpty() ? wings : fx.path({}));
        dialog->reject();
    }
};

QTEST_MAIN(tst_StartFile)
#include "tst_startfile.moc"
