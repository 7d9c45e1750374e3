// SPDX-License-Identifier: MIT
#include "numerics/Module_DistrAlongTeta.h"

#include <cmath>

namespace tessaro {

void DistrAlongTeta(Module_Common &ws) {
    const double Pi = ws.Pi;
    const double NI = ws.niValue();
    const double dTeta = 2 * Pi / (NI - 1);

    const int count = wholeCount(NI);
    for (int i = 1; i <= count; ++i) {
        // The first point sits at angle 0 even when NI = 1 makes dTeta infinite.
        ws.TetaN[i] = i == 1 ? 0.0 : dTeta * (i - 1);
        ws.XN[i] = (std::cos(ws.TetaN[i]) + 1) * 0.5;
    }

    for (int k = 1; k <= ws.N && k <= MaxIndex; ++k) {
        double x = ws.X[k];
        // Rounding noise of the chord scaling must not turn the square root into NaN.
        if (x > 1 && x - 1 <= kChordEndTolerance)
            x = 1;
        else if (x < 0 && -x <= kChordEndTolerance)
            x = 0;
        const double u = 2 * x - 1;
        const double v = std::pow(1 - u * u, 0.5);
        double theta = u == 0 ? Pi / 2 : std::atan(v / u);
        if (x < 0.5)
            theta += Pi;
        if (k >= ws.iLE)
            theta = 2 * Pi - theta;
        ws.Teta[k] = theta;
    }
}

} // namespace tessaro
