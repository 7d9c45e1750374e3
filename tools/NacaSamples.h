// SPDX-License-Identifier: MIT
#pragma once

// NACA 4-digit sections written as coordinate files. Header only, so that the sample test can
// rebuild every committed sample without a library of its own.

#include "io/ArfWriter.h"

#include <QByteArray>

#include <cmath>
#include <optional>
#include <vector>

namespace tessaro::samples {

struct NacaSection {
    const char *fileName;
    const char *title;
    double camber;    // m, fraction of the chord
    double position;  // p, fraction of the chord
    double thickness; // t, fraction of the chord
    int points;
    double chord; // 1 for fractions of the chord, 100 for percent
};

inline std::vector<NacaSection> sampleSections() {
    return {
        {"naca0012.arf", "NACA 0012 - generated", 0.0, 0.0, 0.12, 61, 1.0},
        {"naca2412.arf", "NACA 2412 - generated", 0.02, 0.4, 0.12, 61, 1.0},
        {"naca4412_percent.arf", "NACA 4412 - generated (percent of chord)", 0.04, 0.4, 0.12, 61,
         100.0},
        {"naca0012_1000.arf", "NACA 0012 - generated (1000 points)", 0.0, 0.0, 0.12, 1000, 1.0},
    };
}

inline double nacaThickness(double t, double x) {
    return 5.0 * t *
           (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
            0.1015 * x * x * x * x);
}

inline double nacaMeanLine(double m, double p, double x) {
    if (m == 0.0 || p <= 0.0 || p >= 1.0)
        return 0.0;
    if (x < p)
        return m / (p * p) * (2.0 * p * x - x * x);
    return m / ((1.0 - p) * (1.0 - p)) * ((1.0 - 2.0 * p) + 2.0 * p * x - x * x);
}

// Cosine-spaced x from 1 down to 0 over `intervals` steps; the ends are set exactly.
inline double cosineX(int step, int intervals) {
    if (step == 0)
        return 1.0;
    if (step == intervals)
        return 0.0;
    const double pi = 4.0 * std::atan(1.0);
    return 0.5 * (1.0 + std::cos(pi * step / intervals));
}

struct SectionPoints {
    int count = 0;
    PointArray x{};
    PointArray y{};
};

// Trailing edge over the upper surface to the single nose point at x = 0, then the lower
// surface back to the trailing edge. The thickness is laid off normal to the chord rather than
// to the mean line, so both ends stay at x = 1 and the nose at x = 0 for cambered sections too.
inline SectionPoints sectionPoints(const NacaSection &section) {
    SectionPoints out;
    const int lower = section.points / 2;     // without the nose point
    const int upper = section.points - lower; // with it
    const double m = section.camber;
    const double p = section.position;
    const double t = section.thickness;
    int k = 0;
    for (int s = 0; s < upper; ++s) {
        const double x = cosineX(s, upper - 1);
        ++k;
        out.x[k] = x * section.chord;
        out.y[k] = (nacaMeanLine(m, p, x) + nacaThickness(t, x)) * section.chord;
    }
    for (int s = lower - 1; s >= 0; --s) {
        const double x = cosineX(s, lower);
        ++k;
        out.x[k] = x * section.chord;
        out.y[k] = (nacaMeanLine(m, p, x) - nacaThickness(t, x)) * section.chord;
    }
    out.count = k;
    return out;
}

inline std::optional<QByteArray> sampleBytes(const NacaSection &section) {
    const SectionPoints points = sectionPoints(section);
    return formatArf(QByteArray(section.title), points.count, points.x, points.y);
}

} // namespace tessaro::samples
