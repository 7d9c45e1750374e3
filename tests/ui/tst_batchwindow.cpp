// SPDX-License-Identifier: MIT
// tessaro-batch against the real window: the same file and settings give the same bytes (save,
// export, table dump), and the same refusals but for the hint naming each program's control.
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

class tst_BatchWindow : public QObject {
    Q_OBJECT

    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    // Chooses path in the dialog that the menu entry opens with open().
    void chooseInDialog(const char *action, const char *dialog, const QString &path) {
        child<QAction>(action)->trigger();
        auto *box = child<QFileDialog>(dialog);
        box->selectFile(path);
        static_cast<QDialog *>(box)->accept(); // QFileDialog hides its accept()
    }
    void calculate(bool divdiff, int order, int points, bool own) {
        child<QRadioButton>(divdiff ? "Option_DivDiff" : "Option_Lagrange")->setChecked(true);
        child<QLineEdit>("Text_NI")->setText(QString::number(points));
        child<QLineEdit>("Text_nPoly")->setText(QString::number(order));
        child<QCheckBox>("Check_TrailingEdges")->setChecked(own);
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    }
    WindowFixture fx;

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { QVERIFY(fx.makeFolder() && fx.showWindow()); }
    void cleanup() { fx.tearDown(); }

    // A sample .arf is opened from the file list, a shared source imported; divided differences
    // also write the table.
    void sameBytes_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("divdiff");
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("points");
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("selig"); // exported, else saved
        const auto row = [](const char *tag, const QString &source, bool divdiff, int order,
                            int points, bool own, bool selig) {
            QTest::newRow(tag) << source << divdiff << order << points << own << selig;
        };
        const QString samples = QStringLiteral(TESSARO_SAMPLES_DIR "/");
        const QString shared = QStringLiteral(TESSARO_AIRFOILS_DIR "/source/");
        row("lagrange 1, 51, opened, saved", samples + "naca2412.arf", false, 1, 51, false, false);
        row("divdiff 5, 161, percent of chord, opened, saved", samples + "naca4412_percent.arf",
            true, 5, 161, false, false);
        row("lagrange 3, 161, own edges, Selig imported, exported", shared + "e387.dat", false, 3,
            161, true, true);
        row("divdiff 3, 51, own edges, Lednicer imported, saved", shared + "NACA_4412.txt", true, 3,
            51, true, false);
    }
    void sameBytes() {
        QFETCH(QString, source);
        QFETCH(bool, divdiff);
        QFETCH(int, order);
        QFETCH(int, points);
        QFETCH(bool, own);
        QFETCH(bool, selig);
        if (!QFileInfo::exists(source))
            QSKIP("the shared airfoils are absent");
        MessageRecorder messages;
        QString input = source;
        if (!source.endsWith(".arf")) {
            chooseInDialog("Mn_Import", "Dialog_Import", input);
        } else { // the file list shows the window's folder
            input = fx.path(QFileInfo(source).fileName());
            QVERIFY(QFile::copy(source, input));
            fx.openPanel();
            QVERIFY(fx.clickFile(QFileInfo(source).fileName()));
        }
        calculate(divdiff, order, points, own);
        if (selig) {
            chooseInDialog("Mn_Export", "Dialog_Export", fx.path("window.out"));
        } else {
            child<QAction>("Mn_Save")->trigger();
            child<QLineEdit>("Text_Save")->setText("window.out");
            QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
        }
        QCOMPARE(messages.texts, QStringList());

        QStringList arguments{
            "-q",        "-n", QString::number(points), "-p", QString::number(order), "-o",
            "batch.out", input};
        arguments << "-m" << (divdiff ? "divdiff" : "lagrange") << "-f"
                  << (selig ? "selig" : "arf");
        if (own)
            arguments << "-t";
        if (divdiff)
            arguments << "--dump"
                      << "batch.dump";
        const BatchRunResult batch = runBatchProcess(arguments, fx.path({}));
        QCOMPARE(batch.err, QByteArray());
        QCOMPARE(batch.status, 0);
        QCOMPARE(readBytes(fx.path("batch.out")), readBytes(fx.path("window.out")));
        QCOMPARE(readBytes(fx.path("batch.dump")), readBytes(fx.path("DivDif.text")));
        QCOMPARE(QFileInfo::exists(fx.path("DivDif.text")), divdiff);
    }

    void sameRefusals_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        Contour blunt = nacaSymmetric(41);
        blunt.front().first = 1.003;
        QTest::newRow("beyond the trailing edge, with each hint")
            << "blunt.arf" << arfText("B", blunt);
        QTest::newRow("no chord") << "flat.dat" << QByteArray("Flat\n0.5 0\n0.5 1\n0.5 2\n");
        QTest::newRow("broken .arf, the import's reason")
            << "short.arf" << QByteArray("S\r\n 5 \r\n 1 1 0\r\n");
    }
    void sameRefusals() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        MessageRecorder messages;
        chooseInDialog("Mn_Import", "Dialog_Import", writeFile(*fx.dir, name, bytes));
        if (messages.texts.isEmpty())
            calculate(false, 1, 51, false);
        QCOMPARE(messages.texts.size(), 1);
        QString expected = messages.texts.front();
        // The window's hint becomes the option that was tried and redistributes the section.
        expected.replace(" Tick \"Keep each surface's own trailing edge\" to redistribute such a "
                         "section.",
                         " It redistributes with -L (--leading-edge).");
        const bool hinted = expected != messages.texts.front();
        QCOMPARE(name == u"blunt.arf", hinted);
        const BatchRunResult batch = runBatchProcess({name}, fx.path({}));
        QCOMPARE(batch.status, 1);
        QCOMPARE(QString::fromUtf8(batch.err),
                 name + ": " + expected + "\n0 redistributed, 1 refused" +
                     (hinted ? "; 1 of them redistributes with -L\n" : "\n"));
    }
};

QTEST_MAIN(tst_BatchWindow)
#include "tst_batchwindow.moc"
