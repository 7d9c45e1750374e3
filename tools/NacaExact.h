// SPDX-License-Identifier: MIT
#pragma once

// The exact NACA 4-digit and 230-series sections, for measuring how far new points stray from the
// true shape. Header only, shared by the tests and the benchmarks.

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace tessaro::naca {

inline constexpr double kClosedEdge = -0.1036;
inline constexpr double kOpenEdge = -0.1015;

struct Section {
    double m; // camber, fraction of the chord
    double p; // its position
    double t; // thickness
    double a4 = kClosedEdge;
    // The 230-series mean line where r > 0: a cubic up to r, straight beyond it.
    double r = 0;
    double k1 = 0;
};

// NACA 23012.
inline Section naca23012(double a4 = kClosedEdge) {
    return {0, 0, 0.12, a4, 0.2025, 15.957};
}

struct Point {
    double x;
    double y;
};

// Half-thickness; a4 sets the trailing edge closed or open.
inline double thickness(double t, double xc, double a4 = kClosedEdge) {
    return 5 * t *
           (0.2969 * std::sqrt(xc) - 0.1260 * xc - 0.3516 * xc * xc + 0.2843 * xc * xc * xc +
            a4 * xc * xc * xc * xc);
}

// The mean line's height and slope at the chord station xc.
inline void meanLine(const Section &section, double xc, double &yc, double &slope) {
    yc = 0;
    slope = 0;
    if (section.r > 0) {
        const double r = section.r;
        const double k = section.k1 / 6;
        if (xc < r) {
            yc = k * (xc * xc * xc - 3 * r * xc * xc + r * r * (3 - r) * xc);
            slope = k * (3 * xc * xc - 6 * r * xc + r * r * (3 - r));
        } else {
            yc = k * r * r * r * (1 - xc);
            slope = -k * r * r * r;
        }
        return;
    }
    const double m = section.m;
    const double p = section.p;
    if (m == 0)
        return;
    if (xc < p) {
        yc = m / (p * p) * (2 * p * xc - xc * xc);
        slope = 2 * m / (p * p) * (p - xc);
    } else {
        yc = m / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * xc - xc * xc);
        slope = 2 * m / ((1 - p) * (1 - p)) * (p - xc);
    }
}

// The point at parameter s in -1..1: the upper surface for s < 0, the lower for s > 0, at the
// chord station s^2, thickness laid off normal to the mean line. The curve is smooth in s
// through the nose, where the square root of the station makes it turn.
inline Point at(const Section &section, double s) {
    const double xc = s * s;
    const double yt = thickness(section.t, xc, section.a4);
    double yc = 0;
    double slope = 0;
    meanLine(section, xc, yc, slope);
    const double angle = std::atan(slope);
    const double side = s < 0 ? 1.0 : -1.0;
    return {xc - side * yt * std::sin(angle), yc + side * yt * std::cos(angle)};
}

// Trailing edge over the upper surface to the nose and back over the lower, at the chord
// stations (1 - cos(pi i / perSurface)) / 2: 2 perSurface + 1 points.
inline std::vector<Point> cosineContour(const Section &section, int perSurface) {
    const double pi = 4 * std::atan(1.0);
    std::vector<Point> points;
    for (int i = -perSurface; i <= perSurface; ++i) {
        const double xc = i == 0 ? 0.0 : (1 - std::cos(pi * std::abs(i) / perSurface)) / 2;
        const double s = std::sqrt(xc);
        points.push_back(at(section, i < 0 ? -s : s));
    }
    return points;
}

// The distance of q from the curve at(s), s in lo..hi: a scan, then golden-section search about
// each local minimum of the scan (the two trailing-edge ends may lie alike far from a point near
// them).
template <typename At> double distanceToCurve(At at, double lo, double hi, Point q) {
    const auto d2 = [&](double s) {
        const Point c = at(s);
        return (c.x - q.x) * (c.x - q.x) + (c.y - q.y) * (c.y - q.y);
    };
    constexpr int samples = 4000;
    const auto sample = [&](int i) { return lo + (hi - lo) * i / samples; };
    std::vector<double> scan(samples + 1);
    for (int i = 0; i <= samples; ++i)
        scan[i] = d2(sample(i));
    double best = scan[0];
    for (int i = 0; i <= samples; ++i) {
        const bool low =
            (i == 0 || scan[i] <= scan[i - 1]) && (i == samples || scan[i] <= scan[i + 1]);
        if (!low)
            continue;
        double a = sample(std::max(i - 1, 0));
        double b = sample(std::min(i + 1, samples));
        const double g = (std::sqrt(5.0) - 1) / 2;
        for (int step = 0; step < 100; ++step) {
            const double c = b - g * (b - a);
            const double d = a + g * (b - a);
            if (d2(c) < d2(d))
                b = d;
            else
                a = c;
        }
        best = std::min({best, scan[i], d2((a + b) / 2)});
    }
    return std::sqrt(best);
}

// The distance of q from the section's curve.
inline double distance(const Section &section, Point q) {
    return distanceToCurve([&](double s) { return at(section, s); }, -1, 1, q);
}

} // namespace tessaro::naca
