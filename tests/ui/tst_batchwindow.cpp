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

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { QVERIFY(fx.makeFolder() && fx.showWindow()); }
    void cleanup() { fx.tearDown(); }
    void sameBytes_data();
    void sameBytes();
    void sameRefusals_data();
    void sameRefusals();

  private:
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
};

void tst_BatchWindow::sameBytes_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("import");
    QTest::addColumn<bool>("divdiff");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("own");
    QTest::addColumn<bool>("selig");
    const QString samples = QStringLiteral(TESSARO_SAMPLES_DIR "/");
    const QString shared = QStringLiteral(TESSARO_AIRFOILS_DIR "/");
    // source, import (else the file list), divdiff, order, points, own edges, export (else save)
    QTest::newRow("lagrange 1, 51, opened, saved")
        << samples + "naca2412.arf" << false << false << 1 << 51 << false << false;
    QTest::newRow("lagrange 5, 161, own edges, opened, exported")
        << samples + "naca0012.arf" << false << false << 5 << 161 << true << true;
    QTest::newRow("divdiff 5, 161, percent of chord, opened, saved")
        << samples + "naca4412_percent.arf" << false << true << 5 << 161 << false << false;
    QTest::newRow("divdiff 1, 51, .arf imported, exported")
        << samples + "naca0012_1000.arf" << true << true << 1 << 51 << false << true;
    QTest::newRow("lagrange 3, 161, own edges, Selig imported, exported")
        << shared + "source/e387.dat" << true << false << 3 << 161 << true << true;
    QTest::newRow("divdiff 3, 51, own edges, Lednicer imported, saved")
        << shared + "source/NACA_4412.txt" << true << true << 3 << 51 << true << false;
}

void tst_BatchWindow::sameBytes() {
    QFETCH(QString, source);
    QFETCH(bool, import);
    QFETCH(bool, divdiff);
    QFETCH(int, order);
    QFETCH(int, points);
    QFETCH(bool, own);
    QFETCH(bool, selig);
    if (!QFileInfo::exists(source))
        QSKIP("the shared airfoils are absent");
    MessageRecorder messages;
    QString input = source;
    if (import) {
        chooseInDialog("Mn_Import", "Dialog_Import", input);
    } else { // the file list shows the window's folder
        input = fx.path(QFileInfo(source).fileName());
        QVERIFY(QFile::copy(source, input));
        fx.openPanel();
        QVERIFY(fx.clickFile(QFileInfo(source).fileName()));
    }
    calculate(divdiff, order, points, own);
    const QString windowOut = fx.path("window.out");
    if (selig) {
        chooseInDialog("Mn_Export", "Dialog_Export", windowOut);
    } else {
        child<QAction>("Mn_Save")->trigger();
        child<QLineEdit>("Text_Save")->setText("window.out");
        QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    }
    QCOMPARE(messages.texts, QStringList());
    QVERIFY(readBytes(windowOut).contains(" - redistributed"));

    QStringList arguments{"-q",
                          "-n",
                          QString::number(points),
                          "-p",
                          QString::number(order),
                          "-m",
                          divdiff ? "divdiff" : "lagrange",
                          "-f",
                          selig ? "selig" : "arf",
                          "-o",
                          "batch.out",
                          input};
    if (own)
        arguments << "-t";
    if (divdiff)
        arguments << "--dump"
                  << "batch.dump";
    const BatchRunResult batch = runBatchProcess(arguments, fx.path({}));
    QCOMPARE(batch.err, QByteArray());
    QCOMPARE(batch.status, 0);
    QCOMPARE(readBytes(fx.path("batch.out")), readBytes(windowOut));
    QCOMPARE(readBytes(fx.path("batch.dump")), readBytes(fx.path("DivDif.text")));
    QCOMPARE(QFileInfo::exists(fx.path("DivDif.text")), divdiff);
}

void tst_BatchWindow::sameRefusals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    Contour blunt = nacaSymmetric(41);
    blunt.front().first = 1.003;
    QTest::newRow("beyond the trailing edge, with each hint") << "blunt.arf" << arfText("B", blunt);
    QTest::newRow("no chord") << "flat.dat" << QByteArray("Flat\n0.5 0\n0.5 1\n0.5 2\n");
    QTest::newRow("broken .arf, the import's reason")
        << "short.arf" << QByteArray("S\r\n 5 \r\n 1 1 0\r\n");
}

void tst_BatchWindow::sameRefusals() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    MessageRecorder messages;
    chooseInDialog("Mn_Import", "Dialog_Import", writeFile(*fx.dir, name, bytes));
    if (messages.texts.isEmpty())
        calculate(false, 1, 51, false);
    QCOMPARE(messages.texts.size(), 1);
    const QString windowHint = " Tick \"Keep each surface's own trailing edge\" to redistribute "
                               "such a section.";
    QString expected = messages.texts.front();
    if (expected.endsWith(windowHint))
        expected = expected.chopped(windowHint.size()) +
                   " Run with -t (--own-trailing-edges) to redistribute such a section.";
    QCOMPARE(name == u"blunt.arf", expected != messages.texts.front());
    const BatchRunResult batch = runBatchProcess({name}, fx.path({}));
    QCOMPARE(batch.status, 1);
    QCOMPARE(QString::fromUtf8(batch.err),
             name + ": " + expected + "\n0 redistributed, 1 refused\n");
}

QTEST_MAIN(tst_BatchWindow)
#include "tst_batchwindow.moc"
