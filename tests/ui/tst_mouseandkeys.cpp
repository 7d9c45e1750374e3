// SPDX-License-Identifier: MIT
// Also run on a real X server, where a line edit claims Ctrl keys that offscreen leaves alone.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/WindowFixture.h"
#include "ui/AirfoilView.h"
#include "ui/MenuShortcuts.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

using namespace tessaro;

class tst_MouseAndKeys : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init();
    void cleanup() { fixture.tearDown(); }
    void wheelStepsTheScale_data();
    void wheelStepsTheScale();
    void wheelOverAPanBarLeavesTheScale();
    void dragPans_data();
    void dragPans();
    void doubleClickUndoesDragAndWheel();
    void keysFireWithATextFieldFocused_data();
    void keysFireWithATextFieldFocused();

  private:
    QScrollBar *bar(const char *name) const { return fixture.child<QScrollBar>(name); }
    WindowFixture fixture;
    AirfoilView *view = nullptr;
    QPoint centre;
};

void tst_MouseAndKeys::init() {
    QVERIFY(fixture.makeFolder());
    Module_Common &ws = common();
    const Contour contour = nacaSymmetric(21);
    ws.N = int(contour.size());
    for (int i = 1; i <= ws.N; ++i)
        std::tie(ws.X[i], ws.Y[i]) = contour[size_t(i - 1)];
    QVERIFY(fixture.showWindow());
    fixture.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.window.get()));
    view = fixture.child<AirfoilView>("Picture_Airfoil");
    QCOMPARE(view->size(), QSize(800, 200));
    centre = view->rect().center();
}

static void wheel(QWidget *target, int delta) {
    const QPointF at = QRectF(target->rect()).center();
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void tst_MouseAndKeys::wheelStepsTheScale_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("position");
    QTest::newRow("a notch away from the user zooms in") << 0 << QList<int>{120} << 1;
    QTest::newRow("a notch toward the user zooms out") << 0 << QList<int>{-120} << -1;
    QTest::newRow("two notches in one event") << 0 << QList<int>{240} << 2;
    QTest::newRow("four quarter notches make a step") << 0 << QList<int>{30, 30, 30, 30} << 1;
    QTest::newRow("three quarter notches do not") << 0 << QList<int>{30, 30, 30} << 0;
    QTest::newRow("stays at the largest scale") << 100 << QList<int>{120} << 100;
    QTest::newRow("stays at the smallest scale") << -5 << QList<int>{-120} << -5;
}

void tst_MouseAndKeys::wheelStepsTheScale() {
    QFETCH(int, start);
    QFETCH(QList<int>, deltas);
    QFETCH(int, position);
    bar("HScroll_Olcek")->setValue(start);
    const QImage before = view->picture();
    for (int delta : deltas)
        wheel(view, delta);
    QCOMPARE(bar("HScroll_Olcek")->value(), position);
    QCOMPARE(view->picture() != before, position != start);
}

void tst_MouseAndKeys::wheelOverAPanBarLeavesTheScale() {
    // At either end one direction cannot move the bar, which then passes the wheel up.
    for (int end : {-50, 50}) {
        for (int delta : {120, -120}) {
            bar("HScroll_X0")->setValue(end);
            wheel(bar("HScroll_X0"), delta);
            QCOMPARE(bar("HScroll_Olcek")->value(), 1);
        }
    }
}

void tst_MouseAndKeys::dragPans_data() {
    // At scale 1 the 800 by 200 pixel surface is 1.2 by 0.3 units: a bar step of 0.1 is 66.7 px.
    QTest::addColumn<int>("scalePosition");
    QTest::addColumn<QPoint>("panStart");
    QTest::addColumn<QList<QPoint>>("moves");
    QTest::addColumn<QPoint>("panEnd");
    QTest::newRow("left 200 px") << 0 << QPoint(0, 0) << QList<QPoint>{{-200, 0}} << QPoint(3, 0);
    QTest::newRow("up 120 px") << 0 << QPoint(0, 0) << QList<QPoint>{{0, -120}} << QPoint(0, 2);
    QTest::newRow("right and down") << 0 << QPoint(4, 4) << QList<QPoint>{{90, 50}} << QPoint(3, 3);
    QTest::newRow("scale 5 needs five times the way")
        << 20 << QPoint(0, 0) << QList<QPoint>{{-200, 0}} << QPoint(1, 0);
    QTest::newRow("small moves add up")
        << 0 << QPoint(0, 0) << QList<QPoint>{{-30, 0}, {-60, 0}, {-90, 0}, {-130, 0}}
        << QPoint(2, 0);
    QTest::newRow("stops at the bars' ends")
        << 0 << QPoint(48, -19) << QList<QPoint>{{-400, 300}} << QPoint(50, -20);
}

void tst_MouseAndKeys::dragPans() {
    QFETCH(int, scalePosition);
    QFETCH(QPoint, panStart);
    QFETCH(QList<QPoint>, moves);
    QFETCH(QPoint, panEnd);
    bar("HScroll_Olcek")->setValue(scalePosition);
    bar("HScroll_X0")->setValue(panStart.x());
    bar("VScroll_Y0")->setValue(panStart.y());
    QTest::mousePress(view, Qt::LeftButton, {}, centre);
    for (QPoint move : moves)
        QTest::mouseMove(view, centre + move);
    // The drawing follows while the button is still down.
    QCOMPARE(QPoint(bar("HScroll_X0")->value(), bar("VScroll_Y0")->value()), panEnd);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre + moves.back());
    QCOMPARE(common().X0, panEnd.x() / 10.0);
    QCOMPARE(common().Y0, -panEnd.y() / 10.0);
}

void tst_MouseAndKeys::doubleClickUndoesDragAndWheel() {
    bar("HScroll_Olcek")->setValue(0);
    const QImage centred = view->picture();
    QTest::mousePress(view, Qt::LeftButton, {}, centre);
    QTest::mouseMove(view, centre + QPoint(-200, 60));
    QVERIFY(view->picture() != centred);
    QTest::mouseRelease(view, Qt::LeftButton, {}, centre + QPoint(-200, 60));
    wheel(view, 240);
    QTest::mouseDClick(view, Qt::LeftButton, {}, centre);
    QCOMPARE(QList<int>({bar("HScroll_Olcek")->value(), bar("HScroll_X0")->value(),
                         bar("VScroll_Y0")->value()}),
             QList<int>({0, 0, 0}));
    QCOMPARE(QList<double>({common().Scale, common().X0, common().Y0}), QList<double>({1, 0, 0}));
    QCOMPARE(fixture.child<QLineEdit>("Text_Scale")->text(), QStringLiteral("1"));
    QCOMPARE(view->picture(), centred);
}

void tst_MouseAndKeys::keysFireWithATextFieldFocused_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<QString>("target");
    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };
    QTest::newRow("Ctrl+O opens") << "Text_NI" << ctrl(Qt::Key_O) << "Mn_Open";
    QTest::newRow("Ctrl+S saves") << "Text_nPoly" << ctrl(Qt::Key_S) << "Mn_Save";
    QTest::newRow("Ctrl+I imports") << "Text_NI" << ctrl(Qt::Key_I) << "Mn_Import";
    QTest::newRow("Ctrl+Shift+S exports")
        << "Text_nPoly" << (Qt::CTRL | Qt::SHIFT | Qt::Key_S) << "Mn_Export";
    QTest::newRow("Ctrl+Q quits") << "Text_NI" << ctrl(Qt::Key_Q) << "Mn_Quit";
    // Keys a line edit on X11 edits with: an entry of another menu given one must still get it.
    QTest::newRow("Ctrl+K, delete to end of line") << "Text_NI" << ctrl(Qt::Key_K) << "probe";
    QTest::newRow("Ctrl+E, end of line") << "Text_nPoly" << ctrl(Qt::Key_E) << "probe";
    QTest::newRow("Return in the count calculates")
        << "Text_NI" << QKeyCombination(Qt::Key_Return) << "Command1";
    QTest::newRow("Return in the order calculates")
        << "Text_nPoly" << QKeyCombination(Qt::Key_Return) << "Command1";
}

void tst_MouseAndKeys::keysFireWithATextFieldFocused() {
    QFETCH(QString, field);
    QFETCH(QKeyCombination, keys);
    QFETCH(QString, target);
    MessageRecorder messages;
    if (target == QStringLiteral("probe")) {
        auto *probe = fixture.window->menuBar()->addMenu(QStringLiteral("Probe"))->addAction("Go");
        probe->setObjectName(target);
        setMenuShortcut(probe, QKeySequence(keys));
    }
    auto *button = fixture.window->findChild<QPushButton *>(target);
    auto *action = fixture.window->findChild<QAction *>(target);
    QVERIFY(button || action->shortcut() == QKeySequence(keys));
    QSignalSpy fired = button ? QSignalSpy(button, &QPushButton::clicked)
                              : QSignalSpy(action, &QAction::triggered);

    auto *edit = fixture.child<QLineEdit>(field.toLatin1().constData());
    edit->setFocus();
    edit->setCursorPosition(0);
    const QString text = edit->text();
    QTest::keyClick(edit, keys.key(), keys.keyboardModifiers());
    QCOMPARE(fired.count(), 1);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), 0);
    QCOMPARE(fixture.window->isVisible(), target != QStringLiteral("Mn_Quit"));
}

QTEST_MAIN(tst_MouseAndKeys)
#include "tst_mouseandkeys.moc"
