// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "ui/Form_About.h"
#include "ui/Form_Main.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace tessaro;

class tst_About : public QObject {
    Q_OBJECT

  private slots:
    void init() { resetCommon(); }
    void oneWindowForManyClicks();
    void contents();
    void mainWindowStaysUsable();
    void reopensAfterClose();
};

void tst_About::oneWindowForManyClicks() {
    Form_Main window;
    window.show();
    QVERIFY(!window.aboutWindow());
    auto *about = window.findChild<QAction *>(QStringLiteral("Mn_About"));
    for (int i = 0; i < 3; ++i)
        about->trigger();
    QCOMPARE(window.findChildren<Form_About *>().size(), 1);
    QVERIFY(window.aboutWindow()->isVisible());
    QVERIFY(window.aboutWindow()->isWindow());
    QVERIFY(!window.aboutWindow()->isModal());
}

void tst_About::contents() {
    Form_About about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.size(), QSize(285, 213));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(255, 255, 192));
    const struct {
        const char *name, *text;
        QRect geometry;
        QColor colour;
        double points;
    } rows[] = {
        {"Label1", "Tessaro", {88, 16, 97, 17}, QColor(0, 128, 0), 12},
        {"Label2", "Program for", {96, 48, 81, 17}, QColor(0, 128, 0), 9.75},
        {"Label3",
         "Redistributing Airfoil Coordinates by using interpolation polynomials",
         {24, 72, 225, 41},
         QColor(0, 128, 0),
         9.75},
        {"Label4", "by the Tessaro developers", {56, 120, 169, 17}, QColor(), 8.25},
        {"Label5", "last modified : 29 November 2007", {40, 144, 201, 17}, QColor(), 8.25},
        {"Label6", "for comments and questions e-mail to", {32, 168, 225, 17}, QColor(), 8.25},
        {"Label7", "tessaro@example.org", {80, 184, 129, 17}, QColor(0, 0, 255), 8.25},
    };
    for (const auto &row : rows) {
        const auto *label = about.findChild<QLabel *>(QString::fromLatin1(row.name));
        QVERIFY2(label, row.name);
        QCOMPARE(label->text(), QString::fromLatin1(row.text));
        QCOMPARE(label->geometry(), row.geometry);
        QCOMPARE(label->font().pointSizeF(), row.points);
        if (row.colour.isValid())
            QCOMPARE(label->palette().color(QPalette::WindowText), row.colour);
    }
    const auto *title = about.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(title->font().bold() && title->font().underline());
    QVERIFY(about.findChild<QLabel *>(QStringLiteral("Label3"))->wordWrap());
}

void tst_About::mainWindowStaysUsable() {
    Form_Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QAction *>(QStringLiteral("Mn_About"))->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(window.aboutWindow()));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    auto *bar = window.findChild<QScrollBar *>(QStringLiteral("HScroll_X0"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 5, bar->height() / 2));
    QCOMPARE(bar->value(), 1);
    QCOMPARE(common().X0, 0.1);
}

void tst_About::reopensAfterClose() {
    Form_Main window;
    window.show();
    auto *about = window.findChild<QAction *>(QStringLiteral("Mn_About"));
    about->trigger();
    Form_About *first = window.aboutWindow();
    first->close();
    QVERIFY(!first->isVisible());
    about->trigger();
    QVERIFY(window.aboutWindow()->isVisible());
    QCOMPARE(window.findChildren<Form_About *>().size(), 1);
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
