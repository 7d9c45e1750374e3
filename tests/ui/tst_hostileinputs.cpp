// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "support/WorkingSetChecks.h"
#include "ui/AirfoilView.h"
#include "ui/FileBrowser.h"
#include "ui/Form_Main.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace tessaro;

namespace {

const QString kFailed = QString::fromUtf8("Hata oluştu");

} // namespace

class tst_HostileInputs : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void hostileFiles_data();
    void hostileFiles();
    void notARegularFile_data();
    void notARegularFile();
    void hugeTitleLine();
    void titlesKeptAndShown_data();
    void titlesKeptAndShown();
    void hostileFieldTexts_data();
    void hostileFieldTexts();

  private:
    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    // Clicks a name in the file list, adding it first when the list does not show it.
    void clickFile(const QString &name);
    void loadGood();

    WindowFixture fx;
};

void tst_HostileInputs::initTestCase() {
    QLocale::setDefault(QLocale::c());
}

void tst_HostileInputs::init() {
    QVERIFY(fx.makeFolder());
    writeFile(*fx.dir, QStringLiteral("good.arf"), arfText("Good", nacaSymmetric(31)));
    QVERIFY(fx.showWindow());
}

void tst_HostileInputs::cleanup() {
    fx.tearDown();
}

void tst_HostileInputs::clickFile(const QString &name) {
    fx.openPanel();
    auto *files = child<FileList>("File1");
    if (files->findItems(name, Qt::MatchExactly).isEmpty())
        files->addItem(name);
    QVERIFY(fx.clickFile(name));
}

void tst_HostileInputs::loadGood() {
    clickFile(QStringLiteral("good.arf"));
    QVERIFY(common().FileLoaded);
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(fx.window->outTitle(), QByteArray("Good - redistributed"));
}

void tst_HostileInputs::hostileFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("loadedN"); // 0: the load must fail

    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("title only") << QByteArray("Only a title\r\n") << 0;
    QTest::newRow("binary garbage")
        << QByteArray("\x7f\x45\x4c\x46\x02\x01\x00\x00\xff\xfe", 10) << 0;
    QTest::newRow("NUL bytes in the numbers")
        << QByteArray("T\r\n 2 \r\n 1 1\x00 0\r\n 2 0 0\r\n", 24) << 0;
    QTest::newRow("NUL byte in the title")
        << QByteArray("T\x00t\r\n 2 \r\n 1 1 0\r\n 2 0 0\r\n", 25) << 2;
    for (const char *count : {"1e3", "-5", "0", "10.5", "1001", "abc"})
        QTest::addRow("count %s", count)
            << QByteArray("T\r\n ") + count + " \r\n 1 1 0\r\n 2 0 0\r\n 3 1 0\r\n"
            << 0;
    for (const char *number : {"1e400", "-1e400", "nan", "inf", "1.#INF", "0x10", "1.5.5"})
        QTest::addRow("coordinate %s", number)
            << QByteArray("T\r\n 2 \r\n 1 ") + number + " 0\r\n 2 0 0\r\n"
            << 0;
    QTest::newRow("ends inside a record") << QByteArray("T\r\n 2 \r\n 1 1 0\r\n 2 0") << 0;
    QTest::newRow("CR-only line ends") << QByteArray("T\r 2 \r 1 1 0\r 2 0 0\r") << 2;
    QTest::newRow("10 MB of blanks between records")
        << QByteArray("T\r\n 2 \r\n 1 1 0") + QByteArray(10'000'000, ' ') + " 2 0 0\r\n"
        << 2;
    QTest::newRow("10 MB line of digits")
        << QByteArray("T\r\n 2 \r\n 1 1 0 2 0 ") + QByteArray(10'000'000, '7') + "\r\n"
        << 0;
    QTest::newRow("garbage after the last record")
        << QByteArray("T\r\n 2 \r\n 1 1 0\r\n 2 0 0\r\n\x00\xff junk") << 2;
}

void tst_HostileInputs::hostileFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, loadedN);
    loadGood();
    writeFile(*fx.dir, QStringLiteral("hostile.arf"), bytes);
    const Module_Common before = common();
    const QByteArray title = fx.window->title();
    const QByteArray outTitle = fx.window->outTitle();
    const QImage picture = child<AirfoilView>("Picture_Airfoil")->picture();

    MessageRecorder messages;
    QElapsedTimer timer;
    timer.start();
    clickFile(QStringLiteral("hostile.arf"));
    QVERIFY2(timer.elapsed() < 5000, "a hostile file must not stall the window");
    if (loadedN == 0) {
        QCOMPARE(messages.texts, QStringList{kFailed});
        QVERIFY(sameWorkingSet(common(), before));
        QCOMPARE(fx.window->title(), title);
        QCOMPARE(fx.window->outTitle(), outTitle);
        QCOMPARE(child<AirfoilView>("Picture_Airfoil")->picture(), picture);
    } else {
        QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(u'\n')));
        QCOMPARE(common().N, loadedN);
        QCOMPARE(fx.window->outTitle(), QByteArray());
        for (int i = 1; i <= loadedN; ++i)
            QVERIFY(std::isfinite(common().X[i]) && std::isfinite(common().Y[i]));
    }
}

void tst_HostileInputs::notARegularFile_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("a folder") << "folder";
    QTest::newRow("an endless device") << "/dev/zero";
    QTest::newRow("an empty device") << "/dev/null";
}

void tst_HostileInputs::notARegularFile() {
    QFETCH(QString, target);
    loadGood();
    const QString name = QStringLiteral("chosen.arf");
    if (target == QStringLiteral("folder"))
        QVERIFY(QDir(fx.dir->path()).mkdir(name));
    else
        QVERIFY(QFile::link(target, fx.path(name)));
    const Module_Common before = common();
    MessageRecorder messages;
    clickFile(name);
    QCOMPARE(messages.texts, QStringList{kFailed});
    QVERIFY(sameWorkingSet(common(), before));
}

void tst_HostileInputs::hugeTitleLine() {
    const QByteArray title(10'000'000, 'W');
    writeFile(*fx.dir, QStringLiteral("wide.arf"), title + "\r\n 2 \r\n 1 1 0\r\n 2 0 0\r\n");
    MessageRecorder messages;
    QElapsedTimer timer;
    timer.start();
    clickFile(QStringLiteral("wide.arf"));
    QVERIFY(timer.elapsed() < 5000);
    QVERIFY(messages.texts.isEmpty());
    // The bytes stay whole for a save; the label shows what fits.
    QCOMPARE(fx.window->title(), title);
    QVERIFY(child<QLabel>("Label3")->text().startsWith(QStringLiteral("WWWW")));
}

void tst_HostileInputs::titlesKeptAndShown_data() {
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("UTF-8") << QByteArray("\xC3\x96l\xC3\xA7\x65k kanad\xC4\xB1")
                           << QString::fromUtf8("Ölçek kanadı");
    QTest::newRow("Windows-1254") << QByteArray("\xD6l\xE7\x65k kanad\xFD")
                                  << QString::fromUtf8("Ölçek kanadı");
    QTest::newRow("inner blanks") << QByteArray("NACA 23012  12%") << "NACA 23012  12%";
}

void tst_HostileInputs::titlesKeptAndShown() {
    QFETCH(QByteArray, title);
    QFETCH(QString, shown);
    writeFile(*fx.dir, QStringLiteral("titled.arf"), arfText(title, nacaSymmetric(21)));
    MessageRecorder messages;
    clickFile(QStringLiteral("titled.arf"));
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(fx.window->title(), title);
    QCOMPARE(child<QLabel>("Label3")->text(), shown);

    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(child<QLabel>("Label4")->text(), shown + QStringLiteral(" - redistributed"));
    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(QStringLiteral("copy.arf"));
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QVERIFY(
        readBytes(fx.path(QStringLiteral("copy.arf"))).startsWith(title + " - redistributed\r\n"));
}

void tst_HostileInputs::hostileFieldTexts_data() {
    QTest::addColumn<QString>("niText");
    QTest::addColumn<QString>("nPolyText");
    QTest::addColumn<QString>("refusal"); // empty: the calculation must succeed
    const QString digits200(200, u'9');
    const QString infinity = QString::fromUtf8("∞");
    QTest::newRow("count 1e308") << "1e308"
                                 << "1"
                                 << "Number of new points = 1E+308 is above 1000";
    // Changed behaviour: a count that gives no new point is refused, no longer calculated into
    // an empty result.
    QTest::newRow("count -0") << "-0"
                              << "1"
                              << "Number of new points = 0 gives no new point";
    QTest::newRow("count infinity sign") << infinity << "1"
                                         << "Number of new points is not a number";
    QTest::newRow("count 200 digits") << digits200 << "1"
                                      << "Number of new points = 1E+200";
    QTest::newRow("count hex") << "0x10"
                               << "1"
                               << "Number of new points = 0 gives no new point";
    QTest::newRow("count 1e400") << "1e400"
                                 << "1"
                                 << "Number of new points = Infinity";
    QTest::newRow("count -1e400") << "-1e400"
                                  << "1"
                                  << "Number of new points = -Infinity gives no new point";
    QTest::newRow("order 1e308") << "51"
                                 << "1e308"
                                 << "nPoly must be lower then 31";
    QTest::newRow("order -0") << "51"
                              << "-0"
                              << "";
    QTest::newRow("order infinity sign") << "51" << infinity << "";
    QTest::newRow("order 200 digits") << "51" << digits200 << "nPoly must be lower then 31";
    QTest::newRow("order hex") << "51"
                               << "0x10"
                               << "";
    QTest::newRow("order -1e400") << "51"
                                  << "-1e400"
                                  << "nPoly = -Infinity";
}

void tst_HostileInputs::hostileFieldTexts() {
    QFETCH(QString, niText);
    QFETCH(QString, nPolyText);
    QFETCH(QString, refusal);
    for (const char *method : {"Option_Lagrange", "Option_DivDiff"}) {
        loadGood();
        QTest::mouseClick(child<QRadioButton>(method), Qt::LeftButton);
        const Module_Common before = common();
        MessageRecorder messages;
        child<QLineEdit>("Text_NI")->setText(niText);
        child<QLineEdit>("Text_nPoly")->setText(nPolyText);
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        if (refusal.isEmpty()) {
            QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(u'\n')));
            const Module_Common &ws = common();
            for (int i = 1; i <= wholeCount(ws.niValue()); ++i)
                QVERIFY(std::isfinite(ws.XN[i]) && std::isfinite(ws.YN[i]));
        } else {
            QCOMPARE(messages.texts.size(), 1);
            QVERIFY2(messages.texts.front().startsWith(refusal),
                     qPrintable(messages.texts.front()));
            QVERIFY(sameWorkingSet(common(), before));
        }
        child<QLineEdit>("Text_NI")->setText(QStringLiteral("51"));
        child<QLineEdit>("Text_nPoly")->setText(QStringLiteral("1"));
    }
}

QTEST_MAIN(tst_HostileInputs)
#include "tst_hostileinputs.moc"
