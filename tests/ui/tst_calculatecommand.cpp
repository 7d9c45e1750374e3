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
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace tessaro;

namespace {

int countColour(const QImage &image, const QColor &colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

} // namespace

class tst_CalculateCommand : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusesWithoutFile();
    void refusesWithoutMethod();
    void newPointCountText_data();
    void newPointCountText();
    void runResetsTheView();
    void identicalRunsGiveIdenticalResults();
    void blueNewPointsSitOnTheRedContour();
    void divDiffWritesItsTable();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void stoppedScanChangesNothing();
    void openCalculateSaveReopen_data();
    void openCalculateSaveReopen();
    void modeUntickedAfterLeadingEdge_data();
    void modeUntickedAfterLeadingEdge();

  private:
    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    void load(const QString &name);
    // Puts naca2412.arf of the samples in the listed folder as sample.arf.
    bool copySample() {
        QFile::copy(QStringLiteral(TESSARO_SAMPLES_DIR "/naca2412.arf"), path("sample.arf"));
        child<FileList>("File1")->refresh();
        return QFile::exists(path("sample.arf"));
    }
    void calculate() { QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton); }
    QString path(const QString &name) const { return fx.path(name); }

    WindowFixture fx;
};

void tst_CalculateCommand::initTestCase() {
    QLocale::setDefault(QLocale::c());
}

void tst_CalculateCommand::init() {
    QVERIFY(fx.makeFolder());
    writeFile(*fx.dir, QStringLiteral("naca0012.arf"), arfText("NACA 0012", nacaSymmetric(41)));
    Contour blunt = nacaSymmetric(41);
    blunt.front().first = 1.003; // the first point lies aft of the lower surface's end
    writeFile(*fx.dir, QStringLiteral("blunt.arf"), arfText("Blunt", blunt));
    Contour shortEnd = nacaSymmetric(41);
    shortEnd.front().first = 0.99; // the first point lies short of the trailing edge
    writeFile(*fx.dir, QStringLiteral("short.arf"), arfText("Short", shortEnd));
    writeFile(*fx.dir, QStringLiteral("flat.arf"),
              "Flat\r\n 3 \r\n 1 0.5 0\r\n 2 0.5 1\r\n 3 0.5 2\r\n");
    QVERIFY(fx.showWindow());
}

void tst_CalculateCommand::cleanup() {
    fx.tearDown();
}

void tst_CalculateCommand::load(const QString &name) {
    fx.openPanel();
    QVERIFY2(fx.clickFile(name), qPrintable(name));
    QVERIFY(common().FileLoaded);
}

void tst_CalculateCommand::refusesWithoutFile() {
    MessageRecorder messages;
    child<QRadioButton>("Option_Lagrange")->setAutoExclusive(false);
    child<QRadioButton>("Option_Lagrange")->setChecked(false);
    const Module_Common before = common();
    calculate();
    QCOMPARE(messages.texts, QStringList{"Open a file containing airfoil coordinates"});
    QVERIFY(sameWorkingSet(common(), before));
}

void tst_CalculateCommand::refusesWithoutMethod() {
    load(QStringLiteral("naca0012.arf"));
    child<QRadioButton>("Option_Lagrange")->setAutoExclusive(false);
    child<QRadioButton>("Option_Lagrange")->setChecked(false);
    const Module_Common before = common();
    MessageRecorder messages;
    calculate();
    QCOMPARE(messages.texts, QStringList{"set an option for interpolation method"});
    QVERIFY(sameWorkingSet(common(), before));
    QCOMPARE(fx.window->outTitle(), QByteArray());
}

void tst_CalculateCommand::newPointCountText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("NI");
    QTest::addColumn<int>("lastWritten");
    QTest::newRow("fraction kept unrounded") << "51.7" << 51.7 << 51;
    QTest::newRow("blank inside") << "5 1" << 51.0 << 51;
    QTest::newRow("trailing letter") << "12a" << 12.0 << 12;
    QTest::newRow("between 1 and 2: one point") << "1.5" << 1.5 << 1;
}

void tst_CalculateCommand::newPointCountText() {
    QFETCH(QString, text);
    QFETCH(double, NI);
    QFETCH(int, lastWritten);
    load(QStringLiteral("naca0012.arf"));
    const Module_Common loaded = common();
    MessageRecorder messages;
    child<QLineEdit>("Text_NI")->setText(text);
    calculate();
    QVERIFY(messages.texts.isEmpty());
    const Module_Common &ws = common();
    QCOMPARE(ws.NI, std::optional<double>(NI));
    if (lastWritten > 0) {
        QCOMPARE(ws.XN[1], 1.0);
        QVERIFY(std::isfinite(ws.YN[lastWritten]));
    }
    // Entries past the new count keep the load's copy.
    QCOMPARE(ws.XN[lastWritten + 1], loaded.XN[lastWritten + 1]);
    QCOMPARE(fx.window->outTitle(), QByteArray("NACA 0012 - redistributed"));
}

void tst_CalculateCommand::runResetsTheView() {
    load(QStringLiteral("naca0012.arf"));
    child<QScrollBar>("HScroll_X0")->setValue(12);
    child<QScrollBar>("HScroll_Olcek")->setValue(30);
    child<QScrollBar>("VScroll_Y0")->setValue(-7);
    calculate();
    const Module_Common &ws = common();
    QCOMPARE(ws.X0, 0.0);
    QCOMPARE(ws.Y0, 0.0);
    QCOMPARE(ws.Scale, 1.0);
    QCOMPARE(child<QScrollBar>("HScroll_X0")->value(), 0);
    QCOMPARE(child<QScrollBar>("HScroll_Olcek")->value(), 0);
    QCOMPARE(child<QScrollBar>("VScroll_Y0")->value(), -7);
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLabel>("Label4")->text(), QStringLiteral("NACA 0012 - redistributed"));
}

void tst_CalculateCommand::identicalRunsGiveIdenticalResults() {
    load(QStringLiteral("naca0012.arf"));
    calculate();
    const Module_Common first = common();
    const QByteArray firstTitle = fx.window->outTitle();
    calculate();
    QVERIFY(sameWorkingSet(common(), first));
    QCOMPARE(fx.window->outTitle(), firstTitle);
    QCOMPARE(firstTitle, QByteArray("NACA 0012 - redistributed"));
}

void tst_CalculateCommand::blueNewPointsSitOnTheRedContour() {
    load(QStringLiteral("naca0012.arf"));
    child<QLineEdit>("Text_NI")->setText(QStringLiteral("101"));
    child<QLineEdit>("Text_nPoly")->setText(QStringLiteral("3"));
    calculate();
    const QImage picture = child<AirfoilView>("Picture_Airfoil")->picture();
    QVERIFY(countColour(picture, QColor(0, 0, 255)) > 100);
    QVERIFY(countColour(picture, QColor(255, 0, 0)) > 100);
    // Every new point is within the section's thickness.
    const Module_Common &ws = common();
    for (int i = 1; i <= 101; ++i)
        QVERIFY(std::abs(ws.YN[i]) <= 0.061);
}

void tst_CalculateCommand::divDiffWritesItsTable() {
    load(QStringLiteral("naca0012.arf"));
    QTest::mouseClick(child<QRadioButton>("Option_DivDiff"), Qt::LeftButton);
    calculate();
    const QByteArray dump = readBytes(path(QStringLiteral("DivDif.text")));
    QCOMPARE(dump.count("\r\n"), 11);
    QVERIFY(dump.startsWith("\r\n  1  1.00000  0.00000  "));
}

void tst_CalculateCommand::refusalsChangeNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("niText");
    QTest::addColumn<QString>("nPolyText");
    QTest::addColumn<QString>("message");
    QTest::newRow("order not below N") << "naca0012.arf"
                                       << "51"
                                       << "41"
                                       << "nPoly must be lower then 41";
    QTest::newRow("one new point") << "naca0012.arf"
                                   << "1"
                                   << "1"
                                   << "Number of new points = 1";
    QTest::newRow("too many new points") << "naca0012.arf"
                                         << "1001"
                                         << "1"
                                         << "Number of new points = 1001";
    QTest::newRow("huge count") << "naca0012.arf"
                                << "1e308"
                                << "1"
                                << "Number of new points = 1E+308";
    QTest::newRow("negative order") << "naca0012.arf"
                                    << "51"
                                    << "-1"
                                    << "nPoly = -1";
    QTest::newRow("fractional order") << "naca0012.arf"
                                      << "51"
                                      << "2.5"
                                      << "nPoly = 2.5";
    QTest::newRow("first point beyond the trailing edge") << "blunt.arf"
                                                          << "51"
                                                          << "1"
                                                          << "Point 1 lies at x = 1.003";
    QTest::newRow("no chord") << "flat.arf"
                              << "51"
                              << "1"
                              << "The points span no chord";
}

void tst_CalculateCommand::refusalsChangeNothing() {
    QFETCH(QString, file);
    QFETCH(QString, niText);
    QFETCH(QString, nPolyText);
    QFETCH(QString, message);
    // A good result first, so there is something to keep.
    load(QStringLiteral("naca0012.arf"));
    calculate();
    child<QScrollBar>("HScroll_X0")->setValue(4);
    if (file != QStringLiteral("naca0012.arf"))
        load(file);
    const Module_Common before = common();
    const QByteArray outTitle = fx.window->outTitle();
    const QImage picture = child<AirfoilView>("Picture_Airfoil")->picture();

    MessageRecorder messages;
    child<QLineEdit>("Text_NI")->setText(niText);
    child<QLineEdit>("Text_nPoly")->setText(nPolyText);
    calculate();
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.front().startsWith(message), qPrintable(messages.texts.front()));
    QVERIFY(sameWorkingSet(common(), before));
    QCOMPARE(fx.window->outTitle(), outTitle);
    QCOMPARE(child<QScrollBar>("HScroll_X0")->value(), 4);
    QCOMPARE(child<AirfoilView>("Picture_Airfoil")->picture(), picture);
}

void tst_CalculateCommand::stoppedScanChangesNothing() {
    load(QStringLiteral("short.arf"));
    const Module_Common before = common();
    MessageRecorder messages;
    calculate();
    QCOMPARE(messages.texts,
             QStringList{"Interpolation point x = 1 is not between the given airfoil points"});
    QVERIFY(sameWorkingSet(common(), before));
    QCOMPARE(fx.window->outTitle(), QByteArray());
    // Lagrange builds no table.
    QVERIFY(!QFile::exists(path(QStringLiteral("DivDif.text"))));
}

void tst_CalculateCommand::openCalculateSaveReopen_data() {
    QTest::addColumn<bool>("divDiff");
    QTest::newRow("Lagrange") << false;
    QTest::newRow("divided differences") << true;
}

void tst_CalculateCommand::openCalculateSaveReopen() {
    QFETCH(bool, divDiff);
    if (!copySample())
        QSKIP("sample naca2412.arf not present");
    load(QStringLiteral("sample.arf"));
    if (divDiff)
        QTest::mouseClick(child<QRadioButton>("Option_DivDiff"), Qt::LeftButton);
    child<QLineEdit>("Text_NI")->setText(QStringLiteral("81"));
    child<QLineEdit>("Text_nPoly")->setText(QStringLiteral("3"));
    MessageRecorder messages;
    calculate();
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(u'\n')));
    const Module_Common calculated = common();
    const QByteArray title = fx.window->title();

    child<QAction>("Mn_Save")->trigger();
    child<QLineEdit>("Text_Save")->setText(QStringLiteral("redistributed.arf"));
    QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
    QVERIFY(messages.texts.isEmpty());

    load(QStringLiteral("redistributed.arf"));
    QCOMPARE(fx.window->title(), title + " - redistributed");
    QCOMPARE(common().N, 81);
    for (int i = 1; i <= 81; ++i) {
        QVERIFY(std::abs(common().X[i] - calculated.XN[i]) <= 5.000001e-6);
        QVERIFY(std::abs(common().Y[i] - calculated.YN[i]) <= 5.000001e-6);
    }
}

void tst_CalculateCommand::modeUntickedAfterLeadingEdge_data() {
    QTest::addColumn<bool>("ownTrailingEdges");
    QTest::newRow("x alone") << false;
    QTest::newRow("own trailing edges") << true;
}

// A calculation after the leading-edge mode gives what it gives right after a fresh load.
void tst_CalculateCommand::modeUntickedAfterLeadingEdge() {
    QFETCH(bool, ownTrailingEdges);
    if (!copySample())
        QSKIP("sample naca2412.arf not present");
    auto *leadingEdge = child<QCheckBox>("Check_LeadingEdge");
    auto *trailingEdges = child<QCheckBox>("Check_TrailingEdges");
    const auto calculateIn = [&](bool leading) {
        leadingEdge->setChecked(false);
        trailingEdges->setChecked(ownTrailingEdges);
        leadingEdge->setChecked(leading);
        calculate();
    };
    child<QLineEdit>("Text_NI")->setText(QStringLiteral("101"));
    child<QLineEdit>("Text_nPoly")->setText(QStringLiteral("3"));
    MessageRecorder messages;
    load(QStringLiteral("sample.arf"));
    calculateIn(false);
    const Module_Common fresh = common();

    load(QStringLiteral("sample.arf"));
    calculateIn(true);
    calculateIn(false);
    QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(u'\n')));
    for (int i = 1; i <= 101; ++i) {
        QCOMPARE(common().XN[i], fresh.XN[i]);
        QCOMPARE(common().YN[i], fresh.YN[i]);
    }
    for (int i = 1; i <= common().N; ++i)
        QCOMPARE(common().Y[i], fresh.Y[i]);
}

QTEST_MAIN(tst_CalculateCommand)
#include "tst_calculatecommand.moc"
