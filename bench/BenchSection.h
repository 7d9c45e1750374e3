// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <cmath>

namespace tessaro {

// A 12% symmetric section on 1000 points, x from 0 to 1 times xScale, spaced unevenly (and
// differently on the two surfaces, so that no two points share an angle), loaded as a file
// would be: N, X, Y, their copies XN, YN, NI = N, Scale 1.
inline void loadBenchSection(Module_Common &ws, double xScale = 1) {
    ws.Pi = 4.0 * std::atan(1.0);
    ws.N = MaxIndex;
    for (int k = 1; k <= ws.N; ++k) {
        const double s = static_cast<double>(k - 1) / (ws.N - 1);
        const double teta = 2 * ws.Pi * std::pow(s, 1.02);
        const double x = (1 + std::cos(teta)) / 2;
        const double t = 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x +
                                0.2843 * x * x * x - 0.1015 * x * x * x * x);
        ws.X[k] = ws.XN[k] = xScale * x;
        ws.Y[k] = ws.YN[k] = teta <= ws.Pi ? t : -t;
    }
    ws.NI = ws.N;
    ws.Scale = 1;
    ws.FileLoaded = true;
}

} // namespace tessaro
