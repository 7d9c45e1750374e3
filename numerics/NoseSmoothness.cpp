// SPDX-License-Identifier: MIT
#include "numerics/NoseSmoothness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaro {

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

// The sum of the squared residuals of the least-squares polynomial of degree kFitDegree through
// (s_j, y_j), by Householder reflections on the Vandermonde matrix of s scaled into -1..1.
double fitResidual(const std::array<double, kFitPoints> &s, std::array<double, kFitPoints> y) {
    constexpr int columns = kFitDegree + 1;
    double h = 0;
    for (const double sj : s)
        h = std::max(h, std::abs(sj));
    if (!(h > 0))
        return kInfinite;
    std::array<std::array<double, kFitPoints>, columns> a{}; // by column
    for (int j = 0; j < kFitPoints; ++j) {
        double power = 1;
        for (int k = 0; k < columns; ++k) {
            a[k][j] = power;
            power *= s[j] / h;
        }
    }
    const auto reflect = [](const std::array<double, kFitPoints> &v, double vv, int from,
                            std::array<double, kFitPoints> &column) {
        double dot = 0;
        for (int i = from; i < kFitPoints; ++i)
            dot += v[i] * column[i];
        const double f = 2 * dot / vv;
        for (int i = from; i < kFitPoints; ++i)
            column[i] -= f * v[i];
    };
    for (int k = 0; k < columns; ++k) {
        std::array<double, kFitPoints> &v = a[k];
        double norm = 0;
        for (int i = k; i < kFitPoints; ++i)
            norm += v[i] * v[i];
        norm = std::sqrt(norm);
        if (!(norm > 0))
            continue;
        v[k] -= v[k] > 0 ? -norm : norm;
        double vv = 0;
        for (int i = k; i < kFitPoints; ++i)
            vv += v[i] * v[i];
        for (int c = k + 1; c < columns; ++c)
            reflect(v, vv, k, a[c]);
        reflect(v, vv, k, y);
    }
    double residual = 0;
    for (int i = columns; i < kFitPoints; ++i)
        residual += y[i] * y[i];
    return residual;
}

// The last point read before the nose at t on the path.
int pointBefore(const NoseNeighbourhood &around, double t) {
    int before = around.pathFirst;
    for (int j = 1; j < kNosePoints && around.t[j] <= t; ++j)
        before = around.pathFirst + j;
    return before;
}

// Brent's minimiser on a..b from x, the lowest point known, to within tol: parabolic steps where
// the roughness is smooth, golden-section steps where it is not.
double brentMinimum(const NoseNeighbourhood &around, double a, double b, double x, double fx,
                    double tol) {
    const double golden = 0.5 * (3 - std::sqrt(5.0));
    double w = x, v = x, fw = fx, fv = fx;
    double d = 0, e = 0;
    for (int step = 0; step < 100; ++step) {
        const double m = 0.5 * (a + b);
        if (std::abs(x - m) <= 2 * tol - 0.5 * (b - a))
            break;
        double p = 0, q = 0, r = 0;
        if (std::abs(e) > tol) {
            r = (x - w) * (fx - fv);
            q = (x - v) * (fx - fw);
            p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            else
                q = -q;
            r = e;
            e = d;
        }
        if (std::abs(p) < std::abs(0.5 * q * r) && p > q * (a - x) && p < q * (b - x)) {
            d = p / q;
            if (x + d - a < 2 * tol || b - x - d < 2 * tol)
                d = x < m ? tol : -tol;
        } else {
            e = (x < m ? b : a) - x;
            d = golden * e;
        }
        const double u = x + (std::abs(d) >= tol ? d : (d > 0 ? tol : -tol));
        const double fu = noseRoughness(around, u);
        if (fu <= fx) {
            (u < x ? b : a) = x;
            v = w;
            fv = fw;
            w = x;
            fw = fx;
            x = u;
            fx = fu;
        } else {
            (u < x ? a : b) = u;
            if (fu <= fw || w == x) {
                v = w;
                fv = fw;
                w = u;
                fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u;
                fv = fu;
            }
        }
    }
    return x;
}

} // namespace

double noseRoughness(const NoseNeighbourhood &around, double t) {
    const PlanePoint L{around.U(t), around.V(t)};
    const int before = pointBefore(around, t);

    // L's frame: L at (0, 0), the trailing edge at (1, 0).
    const double du = around.T.u - L.u;
    const double dv = around.T.v - L.v;
    const double chord2 = du * du + dv * dv;
    const auto x = [&](PlanePoint p) { return ((p.u - L.u) * du + (p.v - L.v) * dv) / chord2; };
    const auto y = [&](PlanePoint p) { return ((p.v - L.v) * du - (p.u - L.u) * dv) / chord2; };
    const double e1 = x(around.end1);
    const double eN = x(around.endN);
    if (!(e1 > 0) || !(eN > 0) || !std::isfinite(e1 + eN))
        return kInfinite;

    std::array<double, kFitPoints> s{};
    std::array<double, kFitPoints> ys{};
    for (int j = 0; j < kFitPoints; ++j) {
        const bool first = around.fitFirst + j <= before;
        const double r = x(around.fit[j]) / (first ? e1 : eN);
        // A nose with a point read ahead of it would be refused.
        if (r < -kNoseAhead)
            return kInfinite;
        // theta - pi, below the nose on the first surface: the calculation's angle of x / e.
        const double a = 2 * std::asin(std::sqrt(std::clamp(r, 0.0, 1.0)));
        s[j] = first ? -a : a;
        ys[j] = y(around.fit[j]);
    }
    const double residual = fitResidual(s, ys);
    return std::isfinite(residual) ? residual : kInfinite;
}

PathNose smoothestNose(const NoseNeighbourhood &around, int jFrom, int jTo) {
    // The scan takes in the points read, where L may be a point (the only place it can be where
    // that point is the nose, or a point would lie ahead of L).
    const int samples = (jTo - jFrom) * kNoseScanSteps;
    const auto sample = [&](int i) {
        const int j = jFrom + i / kNoseScanSteps;
        const int part = i % kNoseScanSteps;
        if (part == 0)
            return around.t[j];
        return around.t[j] + (around.t[j + 1] - around.t[j]) * part / kNoseScanSteps;
    };
    int low = 0;
    double lowest = kInfinite;
    for (int i = 0; i <= samples; ++i) {
        const double r = noseRoughness(around, sample(i));
        if (r < lowest) {
            lowest = r;
            low = i;
        }
    }
    PathNose nose;
    if (!std::isfinite(lowest))
        return nose;

    // The roughness has kinks where L passes a point read; Brent's method brackets through them.
    const double span = around.t[jTo] - around.t[jFrom];
    double t =
        brentMinimum(around, sample(std::max(low - 1, 0)), sample(std::min(low + 1, samples)),
                     sample(low), lowest, kNoseTolerance * span);
    // The minimum is flat, so that the values near it differ by little more than their rounding:
    // a parabola through points a little farther apart finds its bottom far more closely.
    const double h = kNoseRefineStep * span;
    const double below = noseRoughness(around, t - h);
    const double at = noseRoughness(around, t);
    const double above = noseRoughness(around, t + h);
    const double curvature = below - 2 * at + above;
    if (std::isfinite(below + at + above) && curvature > 0) {
        const double step = h * (below - above) / (2 * curvature);
        if (std::abs(step) <= h)
            t += step;
    }

    nose.t = t;
    nose.L = {around.U(t), around.V(t)};
    nose.before = pointBefore(around, t);
    nose.found = true;
    return nose;
}

} // namespace tessaro
