// SPDX-License-Identifier: MIT
// The status bar below the client area: a calculation's standing warning in dark red (and the
// order check's colour), and the confirmations that pass above it.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

static const QString kStretched = "x was scaled by 0\\.5 to a chord of 1 and y was not, so the "
                                  "section is stretched: tick \"Normalise at the true leading "
                                  "edge\" to scale both\\.";
static const QString kDamaged = "Point 10 \\(x = 0\\.793893\\) is missed by [0-9.]+ when "
                                "it is left out: the points read near it may be damaged\\.";
static const QString kStrays = "New point %1 \\(x = %2\\) lies [0-9.e+]+ from the polygon through "
                               "the points read, more than 5 % of the chord: the new points stray "
                               "from the section; try a lower order\\.";
static const QString kUnchecked = "The order check needs at least nPoly \\+ 2 = 62 points and 61 "
                                  "were read: this result is unchecked\\.";

class tst_StatusBar : public QObject {
    Q_OBJECT

    QColor colour(const char *name) {
        return fx.child<QWidget>(name)->palette().color(QPalette::WindowText);
    }
    void load(const char *name) {
        fx.openPanel();
        QVERIFY(fx.clickFile(name));
    }
    void calculate(const char *order = "3") {
        fx.child<QLineEdit>("Text_NI")->setText("161");
        fx.child<QLineEdit>("Text_nPoly")->setText(order);
        QTest::mouseClick(fx.child<QPushButton>("Command1"), Qt::LeftButton);
    }
    WindowFixture fx;

  private slots:
    void init() {
        QVERIFY(fx.makeFolder());
        writeFile(*fx.dir, "c.arf", arfText("Clean", warningSection(1, 1)));
        writeFile(*fx.dir, "xy.arf", arfText("Doubled", warningSection(2, 2)));
        writeFile(*fx.dir, "d.arf", arfText("Damaged", warningSection(1, 1, true)));
        writeFile(*fx.dir, "xd.arf", arfText("Both", warningSection(2, 1, true)));
        QVERIFY(fx.showWindow());
    }
    void cleanup() { fx.tearDown(); }

    // Changed behaviour: a warning shows at once, below the calculation's confirmation; an order
    // too high to check says so in the order check and in a warning.
    void warnings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("orderCheck"); // a pattern
        const QString strayNear10 = kStrays.arg(22).arg("0\\.8394");
        const QString figure = "Order check: [0-9.E+-]+ at x = [0-9.]+";
        QTest::newRow("clean") << "c.arf"
                               << "3"
                               << "" << figure;
        QTest::newRow("x and y doubled") << "xy.arf"
                                         << "3" << kStretched << figure;
        QTest::newRow("mistyped x: the new points stray too")
            << "d.arf"
            << "3" << kDamaged + ' ' + strayNear10 << figure;
        QTest::newRow("mistyped x, x doubled: three warnings")
            << "xd.arf"
            << "3" << kStretched + ' ' + kDamaged + ' ' + strayNear10 << figure;
        QTest::newRow("order 60 on 61 points: unchecked, and straying")
            << "c.arf"
            << "60" << kUnchecked + ' ' + kStrays.arg(160).arg("0\\.999615")
            << "Order check: needs at least nPoly \\+ 2 points";
    }
    void warnings() {
        QFETCH(QString, file);
        QFETCH(QString, order);
        QFETCH(QString, pattern);
        QFETCH(QString, orderCheck);
        auto *bar = fx.child<QStatusBar>("StatusBar1");
        auto *warning = fx.child<QLabel>("Label_Warning");
        QCOMPARE(bar->y(), fx.window->centralWidget()->geometry().bottom() + 1);
        load(qPrintable(file));
        QCOMPARE(bar->currentMessage(), file + ": 61 points");
        calculate(qPrintable(order));
        const QString settings = "161 new points, Lagrange, order " + order;
        QCOMPARE(bar->currentMessage(), settings);
        QCOMPARE(fx.child<QLabel>("Label_Confirmation")->text(), settings);
        QVERIFY(fx.child<QLabel>("Label_Confirmation")->isVisible());
        QVERIFY(warning->isVisible());
        const QRegularExpression expected(QRegularExpression::anchoredPattern(pattern));
        QVERIFY2(expected.match(warning->text()).hasMatch(), qPrintable(warning->text()));
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(orderCheck))
                     .match(fx.child<QLabel>("Label6")->text())
                     .hasMatch(),
                 qPrintable(fx.child<QLabel>("Label6")->text()));
        bar->clearMessage(); // as the confirmation's five seconds running out do
        QCOMPARE(fx.child<QLabel>("Label_Confirmation")->text(), QString());
        QVERIFY(warning->isVisible());
        QVERIFY(warning->heightForWidth(warning->width()) <= warning->height()); // not clipped
        QCOMPARE(colour("Label_Warning"), QColor(Qt::darkRed));
        const QColor ordinary = colour("Frame6");
        const bool aboutTheOrder = pattern.contains("Point 10") || pattern.contains("unchecked");
        QCOMPARE(colour("Label6"), aboutTheOrder ? QColor(Qt::darkRed) : ordinary);

        // The warning stands through a refused calculation and a save's confirmation, until a load.
        MessageRecorder messages;
        calculate("61");
        QCOMPARE(messages.texts.size(), 1);
        fx.child<QAction>("Mn_Save")->trigger();
        fx.child<QLineEdit>("Text_Save")->setText("out.arf");
        QTest::mouseClick(fx.child<QPushButton>("Command_Save"), Qt::LeftButton);
        QCOMPARE(bar->currentMessage(), "Saved " + fx.path("out.arf"));
        bar->clearMessage();
        QVERIFY2(expected.match(warning->text()).hasMatch(), qPrintable(warning->text()));
        load("c.arf");
        QCOMPARE(warning->text(), QString());
        QCOMPARE(colour("Label6"), ordinary);
    }
};

QTEST_MAIN(tst_StatusBar)
#include "tst_statusbar.moc"
