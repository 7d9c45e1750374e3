// SPDX-License-Identifier: MIT
// tessaro-batch against the real window: the same file, the same settings, the same bytes (save,
// export and the table dump), and the same refusals but for the hint that names each program's
// own control.
#include "support/BatchProcess.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Where a row's input comes from: the project's samples, or the shared airfoils (skipped when
// that folder is absent).
QString sourcePath(const QString &source) {
    if (source.startsWith(u"samples/"))
        return QDir(QStringLiteral(TESSARO_SAMPLES_DIR)).filePath(source.mid(8));
    return QDir(QStringLiteral(TESSARO_AIRFOILS_DIR)).filePath(source);
}

const QString kWindowHint = QStringLiteral(
    " Tick \"Keep each surface's own trailing edge\" to redistribute such a section.");
const QString kBatchHint =
    QStringLiteral(" Run with -t (--own-trailing-edges) to redistribute such a section.");

} // namespace

class tst_BatchWindow : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init() { QVERIFY(fx.makeFolder()); }
    void cleanup() { fx.tearDown(); }

    void sameBytesAsTheWindow_data();
    void sameBytesAsTheWindow();
    void sameRefusalsAsTheWindow_data();
    void sameRefusalsAsTheWindow();

  private:
    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    // Opens the file in the window (file list or import) and returns the path the window read.
    QString loadInWindow(const QString &source, bool import);
    void calculateInWindow(bool divdiff, int order, int points, bool own);

    WindowFixture fx;
};

void tst_BatchWindow::initTestCase() {
    QLocale::setDefault(QLocale::c());
    QVERIFY2(QFileInfo(batchExecutable()).isExecutable(), qPrintable(batchExecutable()));
}

QString tst_BatchWindow::loadInWindow(const QString &source, bool import) {
    const QString original = sourcePath(source);
    if (!QFileInfo::exists(original))
        return {};
    if (import) {
        if (!fx.showWindow())
            return {};
        child<QAction>("Mn_Import")->trigger();
        auto *dialog = child<QFileDialog>("Dialog_Import");
        dialog->selectFile(original);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its accept()
        return original;
    }
    // The file list shows the window's folder, so the file is copied there first.
    const QString name = QFileInfo(original).fileName();
    const QString copy = fx.path(name);
    if (!QFile::copy(original, copy) || !fx.showWindow())
        return {};
    fx.openPanel();
    if (!fx.clickFile(name))
        return {};
    return copy;
}

void tst_BatchWindow::calculateInWindow(bool divdiff, int order, int points, bool own) {
    child<QRadioButton>(divdiff ? "Option_DivDiff" : "Option_Lagrange")->setChecked(true);
    child<QLineEdit>("Text_NI")->setText(QString::number(points));
    child<QLineEdit>("Text_nPoly")->setText(QString::number(order));
    child<QCheckBox>("Check_TrailingEdges")->setChecked(own);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
}

void tst_BatchWindow::sameBytesAsTheWindow_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("import");
    QTest::addColumn<bool>("divdiff");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("own");
    QTest::addColumn<bool>("selig");
    // source, import, divdiff, order, points, own, selig
    QTest::newRow("lagrange order 1, 51 points, opened, saved")
        << "samples/naca2412.arf" << false << false << 1 << 51 << false << false;
    QTest::newRow("lagrange order 5, 161 points, own edges, opened, exported")
        << "samples/naca0012.arf" << false << false << 5 << 161 << true << true;
    QTest::newRow("divdiff order 5, 161 points, percent file, opened, saved, dump")
        << "samples/naca4412_percent.arf" << false << true << 5 << 161 << false << false;
    QTest::newRow("divdiff order 1, 51 points, .arf imported, exported, dump")
        << "samples/naca0012_1000.arf" << true << true << 1 << 51 << false << true;
    QTest::newRow("lagrange order 3, 161 points, own edges, Selig imported, exported")
        << "source/e387.dat" << true << false << 3 << 161 << true << true;
    QTest::newRow("divdiff order 3, 51 points, own edges, Lednicer imported, saved, dump")
        << "source/NACA_4412.txt" << true << true << 3 << 51 << true << false;
    QTest::newRow("lagrange order 3, 161 points, shared .arf imported, saved")
        << "naca2412.arf" << true << false << 3 << 161 << false << false;
    QTest::newRow("divdiff order 5, 51 points, own edges, Selig imported, exported, dump")
        << "source/rae2822.dat" << true << true << 5 << 51 << true << true;
}

void tst_BatchWindow::sameBytesAsTheWindow() {
    QFETCH(QString, source);
    QFETCH(bool, import);
    QFETCH(bool, divdiff);
    QFETCH(int, order);
    QFETCH(int, points);
    QFETCH(bool, own);
    QFETCH(bool, selig);
    if (!QFileInfo::exists(sourcePath(source)))
        QSKIP("the shared airfoils are absent");

    MessageRecorder messages;
    const QString input = loadInWindow(source, import);
    QVERIFY(!input.isEmpty());
    calculateInWindow(divdiff, order, points, own);
    const QString windowOut = fx.path(selig ? "window.dat" : "window.arf");
    if (selig) {
        child<QAction>("Mn_Export")->trigger();
        auto *dialog = child<QFileDialog>("Dialog_Export");
        dialog->selectFile(windowOut);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its accept()
    } else {
        child<QAction>("Mn_Save")->trigger();
        child<QLineEdit>("Text_Save")->setText(QStringLiteral("window.arf"));
        QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    }
    QCOMPARE(messages.texts, QStringList());
    const QByteArray windowBytes = readBytes(windowOut);
    QVERIFY(windowBytes.contains(" - redistributed"));

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
                          fx.path("batch.out")};
    if (own)
        arguments << "-t";
    if (divdiff)
        arguments << "--dump" << fx.path("batch-dump.text");
    const BatchRunResult batch = runBatchProcess(arguments + QStringList{input}, fx.path({}));
    QVERIFY(batch.finished);
    QCOMPARE(batch.err, QByteArray());
    QCOMPARE(batch.status, 0);
    QCOMPARE(readBytes(fx.path("batch.out")), windowBytes);
    if (divdiff) {
        const QByteArray windowDump = readBytes(fx.path("DivDif.text"));
        QVERIFY(windowDump.startsWith("\r\n  1  "));
        QCOMPARE(readBytes(fx.path("batch-dump.text")), windowDump);
    }
}

void tst_BatchWindow::sameRefusalsAsTheWindow_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("hinted");
    Contour blunt = nacaSymmetric(41);
    blunt.front().first = 1.003;
    QTest::newRow("beyond the other trailing edge: each names its own control")
        << "blunt.arf" << arfText("Blunt", blunt) << true;
    QTest::newRow("no chord") << "flat.dat" << QByteArray("Flat\n0.5 0\n0.5 1\n0.5 2\n") << false;
    QTest::newRow("broken .arf: the import's reason")
        << "short.arf" << QByteArray("Short\r\n 5 \r\n 1 1 0\r\n 2 0 0\r\n") << false;
    QTest::newRow("broken Selig line")
        << "words.dat" << QByteArray("Words\n1 0\n0.5 abc\n0 0\n") << false;
}

void tst_BatchWindow::sameRefusalsAsTheWindow() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, hinted);
    const QString input = writeFile(*fx.dir, name, bytes);
    QVERIFY(fx.showWindow());
    MessageRecorder messages;
    child<QAction>("Mn_Import")->trigger();
    auto *dialog = child<QFileDialog>("Dialog_Import");
    dialog->selectFile(input);
    static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its accept()
    if (messages.texts.isEmpty())
        calculateInWindow(false, 1, 51, false);
    QCOMPARE(messages.texts.size(), 1);
    QString expected = messages.texts.front();
    if (hinted) {
        QVERIFY2(expected.endsWith(kWindowHint), qPrintable(expected));
        expected = expected.chopped(kWindowHint.size()) + kBatchHint;
    }

    const BatchRunResult batch = runBatchProcess({"-q", name}, fx.path({}));
    QCOMPARE(batch.status, 1);
    QCOMPARE(QString::fromUtf8(batch.err), name + QStringLiteral(": ") + expected + u'\n');
}

QTEST_MAIN(tst_BatchWindow)
#include "tst_batchwindow.moc"
