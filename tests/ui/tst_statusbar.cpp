// SPDX-License-Identifier: MIT
// The status bar below the client area: the standing warnings of a calculation, in dark red,
// with the order check coloured for a damaged section, and the passing confirmations.
#include "numerics/Warnings.h"
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

using namespace tessaro;

static const char kStretched[] =
    R"(x was scaled by 0\.5 to a chord of 1 and y was not, so the section is stretched: tick )"
    R"("Normalise at the true leading edge" to scale both\.)";
static const char kDamaged[] =
    R"(Point 10 \(x = 0\.79389262[0-9]*\) is missed by [0-9.]+ when it is )"
    R"(left out: the points read near it may be damaged\.)";

class tst_StatusBar : public QObject {
    Q_OBJECT

    template <typename T> T *child(const char *name) { return fx.child<T>(name); }
    QStatusBar *bar() { return child<QStatusBar>("StatusBar1"); }
    QLabel *warning() { return child<QLabel>("Label_Warning"); }
    QColor textColour(const char *name) {
        return child<QLabel>(name)->palette().color(QPalette::WindowText);
    }
    QColor ordinaryColour() {
        return child<QWidget>("Frame6")->palette().color(QPalette::WindowText);
    }
    void load(const QString &name) {
        fx.openPanel();
        QVERIFY2(fx.clickFile(name), qPrintable(name));
    }
    void calculate(const char *order = "3") {
        child<QLineEdit>("Text_NI")->setText(QStringLiteral("161"));
        child<QLineEdit>("Text_nPoly")->setText(QString::fromLatin1(order));
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    }

    WindowFixture fx;

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        QVERIFY(fx.makeFolder());
        writeFile(*fx.dir, "clean.arf", arfText("Clean", scaledSection(1, 1)));
        writeFile(*fx.dir, "doubled.arf", arfText("Doubled", scaledSection(2, 2)));
        writeFile(*fx.dir, "xdoubled.arf", arfText("X doubled", scaledSection(2, 1)));
        writeFile(*fx.dir, "damaged.arf", arfText("Damaged", mistypedSection()));
        Contour both = mistypedSection();
        for (auto &point : both)
            point.first *= 2;
        writeFile(*fx.dir, "both.arf", arfText("Both", both));
        QVERIFY(fx.showWindow());
    }
    void cleanup() { fx.tearDown(); }

    // The bar lies below the client area, which keeps its size, across the window's width; both
    // warnings at their longest fit the bar's warning without clipping.
    void placement() {
        QWidget *client = fx.window->centralWidget();
        QCOMPARE(client->size(), QSize(840, 359));
        QCOMPARE(bar()->geometry(), QRect(0, client->geometry().bottom() + 1, 840,
                                          fx.window->height() - client->geometry().bottom() - 1));
        QVERIFY(bar()->height() > 0);
        const CalculationWarnings longest = calculationWarnings(
            {Figure{1.23456789012345, 999, 0.123456789012345}, 0.35, false},
            QStringLiteral("tick \"Normalise at the true leading edge\" to scale both."), u'.');
        warning()->setText(longest.list().join(u' '));
        QVERIFY(warning()->heightForWidth(warning()->width()) <= warning()->height());
    }

    // After a calculation: the standing warning, the order check's colour and the confirmation.
    void warnings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("leadingEdge");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("clean: none") << "clean.arf" << false << "" << false;
        QTest::newRow("x and y doubled: stretched")
            << "doubled.arf" << false << kStretched << false;
        QTest::newRow("x and y doubled, normalised: none") << "doubled.arf" << true << "" << false;
        QTest::newRow("x doubled: stretched") << "xdoubled.arf" << false << kStretched << false;
        QTest::newRow("x doubled, normalised: none") << "xdoubled.arf" << true << "" << false;
        QTest::newRow("mistyped x: damaged") << "damaged.arf" << false << kDamaged << true;
        QTest::newRow("mistyped x stretched: both, in one message")
            << "both.arf" << false << QString(kStretched) + ' ' + kDamaged << true;
    }
    void warnings() {
        QFETCH(QString, file);
        QFETCH(bool, leadingEdge);
        QFETCH(QString, pattern);
        QFETCH(bool, damaged);
        load(file);
        child<QCheckBox>("Check_LeadingEdge")->setChecked(leadingEdge);
        MessageRecorder messages;
        calculate();
        QCOMPARE(messages.texts, QStringList());
        QCOMPARE(bar()->currentMessage(), "161 new points, Lagrange, order 3");
        QVERIFY(!warning()->isVisible()); // under the confirmation while it stands
        bar()->clearMessage();            // as its five seconds running out do
        QVERIFY(warning()->isVisible());
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern))
                     .match(warning()->text())
                     .hasMatch(),
                 qPrintable(warning()->text()));
        QCOMPARE(textColour("Label_Warning"), QColor(Qt::darkRed));
        QCOMPARE(textColour("Label6"), damaged ? QColor(Qt::darkRed) : ordinaryColour());
    }

    // A warning stands through confirmations and a refused calculation, until a load.
    void warningStandsUntilALoad() {
        load("damaged.arf");
        QCOMPARE(bar()->currentMessage(), "damaged.arf: 61 points");
        calculate();
        const QString damaged = warning()->text();
        QVERIFY(!damaged.isEmpty());

        child<QAction>("Mn_Save")->trigger();
        child<QLineEdit>("Text_Save")->setText("out.arf");
        QTest::mouseClick(child<QPushButton>("Command_Save"), Qt::LeftButton);
        QCOMPARE(bar()->currentMessage(), "Saved " + fx.path("out.arf"));
        QCOMPARE(bar()->palette().color(QPalette::WindowText), ordinaryColour());
        bar()->clearMessage();
        QVERIFY(warning()->isVisible());
        QCOMPARE(warning()->text(), damaged);

        MessageRecorder messages;
        calculate("61"); // refused: the order is not below N
        QCOMPARE(messages.texts.size(), 1);
        QCOMPARE(warning()->text(), damaged);
        QCOMPARE(textColour("Label6"), QColor(Qt::darkRed));

        load("clean.arf");
        QCOMPARE(bar()->currentMessage(), "clean.arf: 61 points");
        QCOMPARE(warning()->text(), QString());
        QCOMPARE(textColour("Label6"), ordinaryColour());
    }
};

QTEST_MAIN(tst_StatusBar)
#include "tst_statusbar.moc"
