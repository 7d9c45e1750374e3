// SPDX-License-Identifier: MIT
// Time of one drawing of 1000 points read and 1000 new points, and of a click on the calculate
// button through the shown window (1000 points to 1000, order 5) up to the end of the next paint,
// each with the reference ring drawing and with the stamped one. Prints its figures only.
#include "BenchSection.h"
#include "common/Module_Common.h"
#include "ui/AirfoilView.h"
#include "ui/Form_Main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace tessaro;

namespace {

double median(std::vector<double> micros) {
    std::nth_element(micros.begin(), micros.begin() + micros.size() / 2, micros.end());
    return micros[micros.size() / 2];
}

// Notes that the view has been painted.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop until the view has been painted, for a second at most.
bool waitForPaint(PaintWatch &watch) {
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 1000)
        QCoreApplication::processEvents();
    const bool painted = watch.painted;
    watch.painted = false;
    return painted;
}

double showAirfoilMicros(Form_Main &window) {
    const Module_Common &ws = common();
    std::vector<double> micros;
    for (int run = 0; run < 200; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.Show_Airfoil(ws.N, ws.X, ws.Y, ws.niValue(), ws.XN, ws.YN);
        micros.push_back(timer.nsecsElapsed() / 1000.0);
    }
    return median(micros);
}

// Each click starts from a moved view, so that both bars move back and redraw.
double clickMicros(Form_Main &window, PaintWatch &watch, int &unpainted) {
    auto *command = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    auto *pan = window.findChild<QScrollBar *>(QStringLiteral("HScroll_X0"));
    auto *scale = window.findChild<QScrollBar *>(QStringLiteral("HScroll_Olcek"));
    std::vector<double> micros;
    for (int run = 0; run < 50; ++run) {
        pan->setValue(3);
        scale->setValue(5);
        waitForPaint(watch);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(command, Qt::LeftButton);
        unpainted += !waitForPaint(watch);
        micros.push_back(timer.nsecsElapsed() / 1000.0);
    }
    return median(micros);
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Form_Main window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::printf("bench_view: the window was not shown\n");
        return 0;
    }
    auto *view = window.findChild<AirfoilView *>(QStringLiteral("Picture_Airfoil"));
    PaintWatch watch;
    view->installEventFilter(&watch);

    loadBenchSection(common());
    window.findChild<QLineEdit *>(QStringLiteral("Text_NI"))->setText(QStringLiteral("1000"));
    window.findChild<QLineEdit *>(QStringLiteral("Text_nPoly"))->setText(QStringLiteral("5"));

    std::printf("1000 old + 1000 new points, Lagrange order 5; medians (Show_Airfoil of 200 runs, "
                "click of 50)\n");
    for (const RingDrawing rings : {RingDrawing::Exact, RingDrawing::Stamped}) {
        view->setRingDrawing(rings);
        const double show = showAirfoilMicros(window);
        int unpainted = 0;
        const double click = clickMicros(window, watch, unpainted);
        std::printf("  %-22s Show_Airfoil %6.0f us, click to painted %6.0f us%s\n",
                    rings == RingDrawing::Exact ? "rings drawn one by one:" : "rings stamped:",
                    show, click, unpainted ? " (some clicks painted nothing)" : "");
    }
    std::printf("  targets: Show_Airfoil under 1000 us, click under 8000 us\n");
    return 0;
}
