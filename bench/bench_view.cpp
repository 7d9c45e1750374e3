// SPDX-License-Identifier: MIT
// Time of one drawing of 1000 points read and 1000 new points. Prints its figures only.
#include "common/Module_Common.h"
#include "ui/Form_Main.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessaro::Form_Main window;

    tessaro::Module_Common &ws = tessaro::common();
    ws.Scale = 1;
    ws.N = 1000;
    ws.NI = 1000.0;
    for (int i = 1; i <= 1000; ++i) {
        const double teta = 2 * ws.Pi * (i - 1) / 999.0;
        ws.X[i] = ws.XN[i] = (std::cos(teta) + 1) * 0.5;
        ws.Y[i] = ws.YN[i] = 0.06 * std::sin(teta);
    }

    std::vector<double> micros;
    for (int run = 0; run < 200; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.Show_Airfoil(ws.N, ws.X, ws.Y, ws.niValue(), ws.XN, ws.YN);
        micros.push_back(timer.nsecsElapsed() / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("Show_Airfoil, 1000 old + 1000 new points: median %.0f us, best %.0f us "
                "(target under 5000 us)\n",
                micros[micros.size() / 2], micros.front());
    return 0;
}
