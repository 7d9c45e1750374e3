// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "support/Controls.h"
#include "support/MessageRecorder.h"
#include "ui/AirfoilView.h"
#include "ui/Form_Main.h"
#include "ui/MenuShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

#include <memory>

using namespace tessaro;
using Bars = QList<int>; // positions of HScroll_Olcek, HScroll_X0, VScroll_Y0

class tst_FormMain : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init();
    void cleanup() { window.reset(); }

    void captionAndClientArea();
    void controlGeometry_data();
    void controlGeometry();
    void startTexts();
    void startState();
    void menuEntries();
    void colours();
    void earlierControlLiesOnTop();
    void tabOrder();
    void keyboardWalk_data();
    void keyboardWalk();
    void arrowKeysStepBarsLikeTheirButtons_data();
    void arrowKeysStepBarsLikeTheirButtons();
    void newPointCountLabelLeavesRoom();
    void scaleBar_data();
    void scaleBar();
    void scaleTextFollowsLocale();
    void panBars_data();
    void panBars();
    void draggingRedrawsOnRelease();
    void barsDrawBeforeAnyLoad();
    // These also run on a real X server, where a line edit claims keys offscreen leaves alone.
    void gestures_data();
    void gestures();
    void wheelOverAPanBarLeavesTheScale();
    void keysFireWithATextFieldFocused_data();
    void keysFireWithATextFieldFocused();

  private:
    template <typename T> T *child(const char *name) { return findControl<T>(window.get(), name); }
    Bars bars() {
        return {child<QScrollBar>("HScroll_Olcek")->value(),
                child<QScrollBar>("HScroll_X0")->value(), child<QScrollBar>("VScroll_Y0")->value()};
    }
    std::unique_ptr<Form_Main> window;
};

void tst_FormMain::init() {
    resetCommon();
    QApplication::setQuitOnLastWindowClosed(false);
    window = std::make_unique<Form_Main>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_FormMain::captionAndClientArea() {
    QCOMPARE(window->windowTitle(),
             QStringLiteral("Tessaro -  Redists Airfoil coordinates by using interpolation "
                            "polynomials"));
    QCOMPARE(window->centralWidget()->size(), QSize(840, 359));
    QCOMPARE(window->centralWidget()->y(), window->menuBar()->height());
}

void tst_FormMain::controlGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    const struct {
        const char *name, *container;
        QRect rect;
    } rows[] = {
        {"Frame5", "Form_Main_Client", {16, 272, 249, 65}},
        {"Option_DivDiff", "Frame5", {8, 40, 121, 17}},
        {"Text_nPoly", "Frame5", {216, 16, 25, 19}},
        {"Option_Lagrange", "Frame5", {8, 16, 129, 17}},
        {"Label5", "Frame5", {168, 16, 41, 17}},
        {"Frame4", "Form_Main_Client", {8, 8, 153, 113}},
        {"Command_Save", "Frame4", {8, 56, 137, 41}},
        {"Text_Save", "Frame4", {8, 16, 137, 25}},
        {"Frame3", "Form_Main_Client", {8, 0, 353, 217}},
        {"File1", "Frame3", {192, 16, 153, 188}},
        {"Dir1", "Frame3", {8, 40, 177, 156}},
        {"Drive1", "Frame3", {8, 16, 177, 21}},
        {"Frame2", "Form_Main_Client", {216, 8, 393, 49}},
        {"Command1", "Frame2", {184, 16, 193, 25}},
        {"Text_NI", "Frame2", {136, 16, 33, 19}},
        {"Label1", "Frame2", {16, 16, 113, 17}},
        {"Frame1", "Form_Main_Client", {288, 272, 233, 49}},
        {"Text_Scale", "Frame1", {48, 16, 33, 19}},
        {"HScroll_Olcek", "Frame1", {80, 16, 137, 17}},
        {"Label2", "Frame1", {16, 16, 33, 17}},
        {"Picture_Airfoil", "Form_Main_Client", {8, 64, 800, 200}},
        {"VScroll_Y0", "Picture_Airfoil", {784, 0, 17, 201}},
        {"HScroll_X0", "Picture_Airfoil", {0, 184, 785, 17}},
        {"Label4", "Picture_Airfoil", {416, 8, 217, 17}},
        {"Label3", "Picture_Airfoil", {160, 8, 217, 17}},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << QString::fromLatin1(row.name)
                                << QString::fromLatin1(row.container) << row.rect;
}

void tst_FormMain::controlGeometry() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    const QWidget *control = window->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), geometry);
}

void tst_FormMain::startTexts() {
    QCOMPARE(child<QRadioButton>("Option_DivDiff")->text(), QStringLiteral("Divided differences"));
    QCOMPARE(child<QRadioButton>("Option_Lagrange")->text(),
             QStringLiteral("Lagrange polynomials"));
    QCOMPARE(child<QLineEdit>("Text_nPoly")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLabel>("Label5")->text(), QStringLiteral("nPoly ="));
    QCOMPARE(child<QPushButton>("Command_Save")->text(),
             QStringLiteral("Print new file name and click"));
    QCOMPARE(child<QLineEdit>("Text_Save")->text(), QString());
    QCOMPARE(child<QPushButton>("Command1")->text(),
             QStringLiteral("Calculate and Show new airfoil points"));
    QCOMPARE(child<QLineEdit>("Text_NI")->text(), QStringLiteral("51"));
    QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("Number of new points ="));
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLabel>("Label2")->text(), QString::fromUtf8("\xC3\x96l\xC3\xA7\x65k"));
    QCOMPARE(child<QLabel>("Label3")->text(), QString());
    QCOMPARE(child<QLabel>("Label4")->text(), QString());
}

void tst_FormMain::startState() {
    QVERIFY(!child<QGroupBox>("Frame3")->isVisible());
    QVERIFY(!child<QGroupBox>("Frame4")->isVisible());
    for (const char *shown : {"Frame1", "Frame2", "Frame5", "Picture_Airfoil"})
        QVERIFY2(child<QWidget>(shown)->isVisible(), shown);
    QVERIFY(child<QRadioButton>("Option_Lagrange")->isChecked());
    QVERIFY(!child<QRadioButton>("Option_DivDiff")->isChecked());

    const struct {
        const char *name;
        int minimum, maximum, value;
    } bars[] = {
        {"HScroll_Olcek", -5, 100, 1}, {"HScroll_X0", -50, 50, 0}, {"VScroll_Y0", -20, 20, 0}};
    for (const auto &bar : bars) {
        const QScrollBar *scroll = child<QScrollBar>(bar.name);
        QCOMPARE(scroll->minimum(), bar.minimum);
        QCOMPARE(scroll->maximum(), bar.maximum);
        QCOMPARE(scroll->value(), bar.value);
        QCOMPARE(scroll->pageStep(), 5);
    }
    QCOMPARE(child<QScrollBar>("VScroll_Y0")->orientation(), Qt::Vertical);

    // Only Pi is set at start; the view values stay unset.
    QCOMPARE(common().Pi, 4.0 * std::atan(1.0));
    QCOMPARE(common().Scale, 0.0);
    QVERIFY(!common().FileLoaded);

    // The two options are one exclusive group.
    QTest::mouseClick(child<QRadioButton>("Option_DivDiff"), Qt::LeftButton);
    QVERIFY(child<QRadioButton>("Option_DivDiff")->isChecked());
    QVERIFY(!child<QRadioButton>("Option_Lagrange")->isChecked());
}

void tst_FormMain::menuEntries() {
    const QMenu *file = child<QMenu>("Mn_File");
    QCOMPARE(file->title(), QStringLiteral("File"));
    // Open and Save come first; the import and export entries follow behind a separator, then
    // Quit behind another.
    QCOMPARE(file->actions().size(), 7);
    QCOMPARE(file->actions().at(6)->objectName(), QStringLiteral("Mn_Quit"));
    QCOMPARE(file->actions().at(0)->objectName(), QStringLiteral("Mn_Open"));
    QCOMPARE(file->actions().at(0)->text(), QStringLiteral("Open"));
    QCOMPARE(file->actions().at(1)->objectName(), QStringLiteral("Mn_Save"));
    QCOMPARE(file->actions().at(1)->text(), QStringLiteral("Save"));
    const QList<QAction *> top = window->menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top.at(0)->text(), QStringLiteral("File"));
    QCOMPARE(top.at(1)->text(), QStringLiteral("View"));
    QCOMPARE(top.at(2)->objectName(), QStringLiteral("Mn_About"));
    QCOMPARE(top.at(2)->text(), QStringLiteral("About"));
}

void tst_FormMain::colours() {
    const QImage client = window->centralWidget()->grab().toImage();
    QCOMPARE(client.pixelColor(836, 356), QColor(192, 192, 192));
    // Inside the drawing surface, away from the centre lines and titles.
    QCOMPARE(client.pixelColor(8 + 100, 64 + 50), QColor(255, 255, 192));
    QCOMPARE(child<QLabel>("Label3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(child<QLabel>("Label4")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(child<QLabel>("Label3")->palette().color(QPalette::Window), QColor(255, 255, 192));
    QCOMPARE(child<QLabel>("Label2")->palette().color(QPalette::Window),
             QApplication::palette("QMenu").color(QPalette::Window));
}

void tst_FormMain::earlierControlLiesOnTop() {
    QWidget *client = window->centralWidget();
    // A point inside the picture that both panels cover once shown.
    const QPoint spot(100, 90);
    QCOMPARE(client->childAt(spot), child<QWidget>("Picture_Airfoil"));
    window->findChild<QAction *>(QStringLiteral("Mn_Open"))->trigger();
    QVERIFY(child<QWidget>("Frame3")->isAncestorOf(client->childAt(spot)) ||
            client->childAt(spot) == child<QWidget>("Frame3"));
    window->findChild<QAction *>(QStringLiteral("Mn_Save"))->trigger();
    QVERIFY(child<QWidget>("Frame3")->isVisible());
    QVERIFY(child<QWidget>("Frame4")->isAncestorOf(client->childAt(spot)) ||
            client->childAt(spot) == child<QWidget>("Frame4"));
    // Inside the picture, the vertical bar lies over the horizontal one at their corner.
    QCOMPARE(child<QWidget>("Picture_Airfoil")->childAt(790, 195), child<QWidget>("VScroll_Y0"));
}

void tst_FormMain::tabOrder() {
    const char *order[] = {"HScroll_Olcek", "Text_Scale",    "HScroll_X0", "VScroll_Y0",
                           "Text_NI",       "Drive1",        "Dir1",       "File1",
                           "Text_Save",     "Command_Save",  "Command1",   "Option_Lagrange",
                           "Text_nPoly",    "Option_DivDiff"};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget *from = child<QWidget>(order[i - 1]);
        QWidget *next = from->nextInFocusChain();
        while (next != from && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next->objectName(), QString::fromLatin1(order[i]));
    }
}

void tst_FormMain::keyboardWalk_data() {
    QTest::addColumn<bool>("panels");
    QTest::addColumn<bool>("divDiff");
    QTest::addColumn<int>("how"); // 0: set, 1: a press taken back, 2: Down from Lagrange
    QTest::newRow("Lagrange, panels hidden") << false << false << 0;
    QTest::newRow("Lagrange, panels shown") << true << false << 0;
    QTest::newRow("divided differences, panels hidden") << false << true << 0;
    QTest::newRow("divided differences, panels shown") << true << true << 0;
    // The press gives the unchecked button focus; released outside, Lagrange stays chosen.
    QTest::newRow("press on divided differences taken back") << false << false << 1;
    // The arrow moves the choice, and the Tab stop with it.
    QTest::newRow("Down arrow from Lagrange") << false << true << 2;
}

void tst_FormMain::keyboardWalk() {
    QFETCH(bool, panels);
    QFETCH(bool, divDiff);
    QFETCH(int, how);
    auto focusName = [] { return QApplication::focusWidget()->objectName(); };
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(focusName(), QStringLiteral("HScroll_Olcek"));
    QStringList walk{"HScroll_Olcek", "Text_Scale", "HScroll_X0", "VScroll_Y0", "Text_NI"};
    if (panels) {
        child<QAction>("Mn_Open")->trigger();
        child<QAction>("Mn_Save")->trigger();
        walk += QStringList{"Drive1", "Dir1", "File1", "Text_Save", "Command_Save"};
    }
    walk << "Command1" << (divDiff ? "Text_nPoly" : "Option_Lagrange")
         << (divDiff ? "Option_DivDiff" : "Text_nPoly") << "Check_TrailingEdges"
         << "Check_LeadingEdge";
    auto *option = child<QRadioButton>("Option_DivDiff");
    if (how == 0)
        option->setChecked(divDiff);
    if (how == 1) {
        QTest::mousePress(option, Qt::LeftButton);
        QTest::mouseRelease(option, Qt::LeftButton, {}, QPoint(-20, -20));
    }
    if (how == 2) {
        child<QWidget>("Option_Lagrange")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    }
    QCOMPARE(focusName(), how == 0 ? "HScroll_Olcek" : "Option_DivDiff");
    QCOMPARE(option->isChecked(), divDiff);
    child<QWidget>("HScroll_Olcek")->setFocus();
    // Forwards around the whole window back to the start, then the same way backwards.
    for (qsizetype step = 1; step <= walk.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), walk.at(step % walk.size()));
    }
    for (qsizetype step = walk.size() - 1; step >= 0; --step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focusName(), walk.at(step));
    }
}

void tst_FormMain::arrowKeysStepBarsLikeTheirButtons_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("step");
    QTest::newRow("scale, right") << "HScroll_Olcek" << int(Qt::Key_Right) << 1;
    QTest::newRow("scale, left") << "HScroll_Olcek" << int(Qt::Key_Left) << -1;
    QTest::newRow("pan x, right") << "HScroll_X0" << int(Qt::Key_Right) << 1;
    QTest::newRow("pan x, left") << "HScroll_X0" << int(Qt::Key_Left) << -1;
    QTest::newRow("pan y, down") << "VScroll_Y0" << int(Qt::Key_Down) << 1;
    QTest::newRow("pan y, up") << "VScroll_Y0" << int(Qt::Key_Up) << -1;
}

void tst_FormMain::arrowKeysStepBarsLikeTheirButtons() {
    QFETCH(QString, bar);
    QFETCH(int, key);
    QFETCH(int, step);
    auto *scroll = child<QScrollBar>(qPrintable(bar));
    const int before = scroll->value();
    scroll->setFocus();
    QTest::keyClick(scroll, Qt::Key(key));
    // Right and Down step as the bar's right and lower arrow buttons do, and the handler runs.
    QCOMPARE(scroll->value(), before + step);
    QCOMPARE(bar == u"HScroll_X0" ? common().X0 : common().Y0, bar == u"HScroll_X0"   ? step / 10.0
                                                               : bar == u"VScroll_Y0" ? -step / 10.0
                                                                                      : 0.0);
    if (bar == u"HScroll_Olcek")
        QCOMPARE(child<QLineEdit>("Text_Scale")->text(), step > 0 ? "1.4" : "1");
}

void tst_FormMain::newPointCountLabelLeavesRoom() {
    const QImage image = child<QLabel>("Label1")->grab().toImage();
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                left = std::min(left, x), right = std::max(right, x);
    // The "=" ends at least three pixels short of the edge, and no glyph is cut at the start.
    QVERIFY2(left >= 1 && right >= 0 && right <= image.width() - 4,
             qPrintable(QStringLiteral("text from %1 to %2").arg(left).arg(right)));
}

void tst_FormMain::scaleBar_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("text");
    QTest::newRow("lowest, zero avoided") << -5 << 0.2 << "0.2";
    QTest::newRow("one above lowest") << -4 << 0.2 << "0.2";
    QTest::newRow("zero") << 0 << 1.0 << "1";
    QTest::newRow("start position") << 1 << 1.2 << "1.2";
    QTest::newRow("highest") << 100 << 21.0 << "21";
}

void tst_FormMain::scaleBar() {
    QFETCH(int, position);
    QFETCH(double, scale);
    QFETCH(QString, text);
    auto *bar = child<QScrollBar>("HScroll_Olcek");
    bar->setValue(position == 50 ? 0 : 50);
    bar->setValue(position);
    QCOMPARE(common().Scale, scale);
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), text);
}

void tst_FormMain::scaleTextFollowsLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto *bar = child<QScrollBar>("HScroll_Olcek");
    bar->setValue(0);
    bar->setValue(1);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), QStringLiteral("1,2"));
    QCOMPARE(common().Scale, 1.2);
}

void tst_FormMain::panBars_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("position");
    QTest::addColumn<double>("X0");
    QTest::addColumn<double>("Y0");
    QTest::newRow("right end") << "HScroll_X0" << 50 << 5.0 << 0.0;
    QTest::newRow("left end") << "HScroll_X0" << -50 << -5.0 << 0.0;
    QTest::newRow("one step") << "HScroll_X0" << 3 << 0.3 << 0.0;
    QTest::newRow("thumb at top") << "VScroll_Y0" << -20 << 0.0 << 2.0;
    QTest::newRow("thumb at bottom") << "VScroll_Y0" << 20 << 0.0 << -2.0;
}

void tst_FormMain::panBars() {
    QFETCH(QString, bar);
    QFETCH(int, position);
    QFETCH(double, X0);
    QFETCH(double, Y0);
    window->findChild<QScrollBar *>(bar)->setValue(position);
    QCOMPARE(common().X0, X0);
    QCOMPARE(common().Y0, Y0);
}

void tst_FormMain::draggingRedrawsOnRelease() {
    auto *bar = child<QScrollBar>("HScroll_Olcek");
    bar->setSliderDown(true);
    bar->setSliderPosition(20);
    QCOMPARE(common().Scale, 0.0);
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), QStringLiteral("1"));
    bar->setSliderDown(false);
    QCOMPARE(common().Scale, 5.0);
    QCOMPARE(child<QLineEdit>("Text_Scale")->text(), QStringLiteral("5"));
}

void tst_FormMain::barsDrawBeforeAnyLoad() {
    MessageRecorder messages;
    child<QScrollBar>("VScroll_Y0")->setValue(5);
    child<QScrollBar>("HScroll_Olcek")->setValue(7);
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(child<QLabel>("Label3")->text(), QString());
}

// Spontaneous, as from a real wheel: only those go on to the parent when a widget ignores them.
static void wheel(QWidget *target, int delta) {
    const QPointF at = QRectF(target->rect()).center();
    QWheelEvent event(at, target->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(target, &event);
}

void tst_FormMain::gestures_data() {
    QTest::addColumn<Bars>("start");
    QTest::addColumn<QList<int>>("wheelDeltas");
    QTest::addColumn<QList<QPoint>>("dragMoves");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<Bars>("end");
    using Moves = QList<QPoint>;
    QTest::newRow("a notch away zooms in")
        << Bars{0, 0, 0} << QList<int>{120} << Moves{} << false << Bars{1, 0, 0};
    QTest::newRow("fine wheel sums to notches")
        << Bars{0, 0, 0} << QList<int>{30, -30, 30, 30, 30, 30} << Moves{} << false
        << Bars{1, 0, 0};
    QTest::newRow("drag left and up")
        << Bars{0, 0, 0} << QList<int>{} << Moves{{-200, -120}} << false << Bars{0, 3, 2};
    QTest::newRow("small moves add up")
        << Bars{0, 0, 0} << QList<int>{} << Moves{{-30, 0}, {-60, 0}, {-90, 0}, {-120, 0}} << false
        << Bars{0, 2, 0};
    QTest::newRow("scale 5 needs five times the way")
        << Bars{20, 0, 0} << QList<int>{} << Moves{{-200, 0}} << false << Bars{20, 1, 0};
    QTest::newRow("double click resets")
        << Bars{12, 7, -5} << QList<int>{120} << Moves{{50, 90}} << true << Bars{0, 0, 0};
}

void tst_FormMain::gestures() {
    QFETCH(Bars, start);
    QFETCH(QList<int>, wheelDeltas);
    QFETCH(QList<QPoint>, dragMoves);
    QFETCH(bool, doubleClick);
    QFETCH(Bars, end);
    // One point to see move, off the centre that the scale grows about.
    std::tie(common().N, common().X[1], common().Y[1]) = std::tuple(1, 0.6, 0.02);
    auto *view = child<AirfoilView>("Picture_Airfoil");
    QCOMPARE(view->size(), QSize(800, 200)); // 1.2 by 0.3 units: at scale 1, 0.1 is 66.7 px
    const QPoint centre = view->rect().center();
    child<QScrollBar>("HScroll_Olcek")->setValue(start[0]);
    child<QScrollBar>("HScroll_X0")->setValue(start[1]);
    child<QScrollBar>("VScroll_Y0")->setValue(start[2]);
    const QImage before = view->picture();
    for (int delta : wheelDeltas)
        wheel(view, delta);
    QTest::mousePress(view, Qt::LeftButton, {}, centre);
    for (QPoint move : dragMoves)
        QTest::mouseMove(view, centre + move);
    if (doubleClick)
        QTest::mouseDClick(view, Qt::LeftButton, {}, centre);
    // The bars and the drawing follow while the button is still down.
    QCOMPARE(bars(), end);
    QCOMPARE(view->picture() != before, end != start);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre);
}

void tst_FormMain::wheelOverAPanBarLeavesTheScale() {
    // At either end one direction cannot move the bar, which then passes the wheel up.
    auto *pan = child<QScrollBar>("HScroll_X0");
    for (int panEnd : {pan->minimum(), pan->maximum()}) {
        for (int delta : {120, -120}) {
            pan->setValue(panEnd);
            wheel(pan, delta);
            QCOMPARE(bars().front(), 1);
        }
    }
}

void tst_FormMain::keysFireWithATextFieldFocused_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("target");
    QTest::newRow("Ctrl+O opens") << "Text_NI" << (Qt::CTRL | Qt::Key_O) << "Mn_Open";
    QTest::newRow("Ctrl+S saves") << "Text_nPoly" << (Qt::CTRL | Qt::Key_S) << "Mn_Save";
    QTest::newRow("Ctrl+I imports") << "Text_NI" << (Qt::CTRL | Qt::Key_I) << "Mn_Import";
    QTest::newRow("Ctrl+Shift+S exports")
        << "Text_nPoly" << (Qt::CTRL | Qt::SHIFT | Qt::Key_S) << "Mn_Export";
    QTest::newRow("Ctrl+Q quits") << "Text_NI" << (Qt::CTRL | Qt::Key_Q) << "Mn_Quit";
    // Keys a line edit on X11 edits with: Ctrl+K deletes to the end of the line, Ctrl+E moves
    // there (given to an entry of another menu).
    QTest::newRow("Ctrl+K inspects") << "Text_NI" << (Qt::CTRL | Qt::Key_K) << "Mn_Inspect";
    QTest::newRow("Ctrl+E, end of line") << "Text_nPoly" << (Qt::CTRL | Qt::Key_E) << "probe";
    QTest::newRow("Return in the count")
        << "Text_NI" << QKeyCombination(Qt::Key_Return) << "Command1";
    QTest::newRow("Return in the order")
        << "Text_nPoly" << QKeyCombination(Qt::Key_Return) << "Command1";
    QTest::newRow("Return in the save name")
        << "Text_Save" << QKeyCombination(Qt::Key_Return) << "Command_Save";
}

void tst_FormMain::keysFireWithATextFieldFocused() {
    QFETCH(QString, field);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, target);
    MessageRecorder messages;
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    if (target == QStringLiteral("probe")) {
        auto *probe = window->menuBar()->addMenu(QStringLiteral("Probe"))->addAction("Go");
        probe->setObjectName(target);
        setMenuShortcut(probe, QKeySequence(keys));
    }
    auto *button = window->findChild<QPushButton *>(target);
    auto *action = window->findChild<QAction *>(target);
    QVERIFY(button || action->shortcut() == QKeySequence(keys)); // what the menu shows
    QSignalSpy fired = button ? QSignalSpy(button, &QPushButton::clicked)
                              : QSignalSpy(action, &QAction::triggered);
    auto *edit = child<QLineEdit>(field.toLatin1().constData());
    // The save name lies on a panel that is hidden until File -> Save.
    if (field == QStringLiteral("Text_Save"))
        child<QAction>("Mn_Save")->trigger();
    edit->setFocus();
    edit->setCursorPosition(0);
    const QString text = edit->text();
    QTest::keyClick(edit, keys.key(), keys.keyboardModifiers());
    QCOMPARE(fired.count(), 1);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), 0);
    QCOMPARE(window->isVisible(), target != QStringLiteral("Mn_Quit"));
}

QTEST_MAIN(tst_FormMain)
#include "tst_formmain.moc"
