// SPDX-License-Identifier: MIT
#include "numerics/Module_DistrAlongTeta.h"

#include <cmath>

namespace tessaro {

namespace {

// The angle in 0..pi whose cosine is 2x - 1, mirrored into pi..2pi on the second surface.
double angleOf(double x, bool secondSurface, double Pi) {
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
    if (secondSurface)
        theta = 2 * Pi - theta;
    return theta;
}

// TetaN at equal steps; XN from it through scaleX(theta, cosine spacing).
template <typename ScaleX> void placeNewPoints(Module_Common &ws, ScaleX scaleX) {
    const double NI = ws.niValue();
    const double dTeta = 2 * ws.Pi / (NI - 1);
    const int count = wholeCount(NI);
    for (int i = 1; i <= count; ++i) {
        // The first point sits at angle 0 even when NI = 1 makes dTeta infinite.
        ws.TetaN[i] = i == 1 ? 0.0 : dTeta * (i - 1);
        ws.XN[i] = scaleX(ws.TetaN[i], (std::cos(ws.TetaN[i]) + 1) * 0.5);
    }
}

} // namespace

void DistrAlongTeta(Module_Common &ws) {
    placeNewPoints(ws, [](double, double x) { return x; });
    for (int k = 1; k <= ws.N && k <= MaxIndex; ++k)
        ws.Teta[k] = angleOf(ws.X[k], k >= ws.iLE, ws.Pi);
}

void DistrAlongTeta(Module_Common &ws, const SurfaceEnds &ends) {
    const double Pi = ws.Pi;
    placeNewPoints(ws, [&](double theta, double x) {
        if (theta < Pi)
            return x * ends.e1;
        if (theta > Pi)
            return x * ends.e2;
        return 0.0;
    });
    for (int k = 1; k <= ws.N && k <= MaxIndex; ++k) {
        const bool second = k >= ws.iLE;
        const double r = ws.X[k] / (second ? ends.e2 : ends.e1);
        ws.Teta[k] = angleOf(r < 0 ? 0.0 : (r > 1 ? 1.0 : r), second, Pi);
    }
}

} // namespace tessaro
