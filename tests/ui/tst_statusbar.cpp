// SPDX-License-Identifier: MIT
// The status bar below the client area: a calculation's standing warning in dark red (and the
// order check's colour), and the confirmations that cover it for a while.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
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

    void warnings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("leadingEdge");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("clean") << "c.arf" << false << "";
        QTest::newRow("x and y doubled") << "xy.arf" << false << kStretched;
        QTest::newRow("mistyped x") << "d.arf" << false << kDamaged;
        QTest::newRow("mistyped x, x doubled: both")
            << "xd.arf" << false << kStretched + ' ' + kDamaged;
    }
    void warnings() {
        QFETCH(QString, file);
        QFETCH(bool, leadingEdge);
        QFETCH(QString, pattern);
        auto *bar = fx.child<QStatusBar>("StatusBar1");
        auto *warning = fx.child<QLabel>("Label_Warning");
        QCOMPARE(bar->y(), fx.window->centralWidget()->geometry().bottom() + 1);
        load(qPrintable(file));
        QCOMPARE(bar->currentMessage(), file + ": 61 points");
        fx.child<QCheckBox>("Check_LeadingEdge")->setChecked(leadingEdge);
        calculate();
        QCOMPARE(bar->currentMessage(), "161 new points, Lagrange, order 3");
        QVERIFY(!warning->isVisible());
        bar->clearMessage(); // as the confirmation's five seconds running out do
        QVERIFY(warning->isVisible());
        const QRegularExpression expected(QRegularExpression::anchoredPattern(pattern));
        QVERIFY2(expected.match(warning->text()).hasMatch(), qPrintable(warning->text()));
        QVERIFY(warning->heightForWidth(warning->width()) <= warning->height()); // not clipped
        QCOMPARE(colour("Label_Warning"), QColor(Qt::darkRed));
        const QColor ordinary = colour("Frame6");
        QCOMPARE(colour("Label6"), pattern.contains("Point") ? QColor(Qt::darkRed) : ordinary);

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
