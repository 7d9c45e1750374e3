// SPDX-License-Identifier: MIT
// How faithful are the new points? Exact NACA sections given at 31 cosine-spaced chord stations
// per surface are redistributed to 161 points, and each new point's distance from the exact curve
// is measured in the file's frame. Also times the leading-edge mode against the own-trailing-edge
// mode at N = NI = 1000. Prints; never fails on a figure.

#include "../tools/NacaExact.h"
#include "BenchSection.h"
#include "numerics/Calculation.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace tessaro;

namespace {

struct Worst {
    double distance = -1;
    double x = 0;
    bool refused = false;
};

void load(Module_Common &ws, const std::vector<naca::Point> &points) {
    resetCommon();
    ws.N = int(points.size());
    for (int k = 1; k <= ws.N; ++k) {
        ws.X[k] = ws.XN[k] = points[k - 1].x;
        ws.Y[k] = ws.YN[k] = points[k - 1].y;
    }
    ws.NI = ws.N;
    ws.Scale = 1;
    ws.FileLoaded = true;
}

Worst measure(const naca::Section &section, int order, bool leadingEdge) {
    Module_Common &ws = common();
    const std::vector<naca::Point> points = naca::cosineContour(section, 30);
    load(ws, points);
    double xMin = points.front().x;
    for (const naca::Point &p : points)
        xMin = std::min(xMin, p.x);
    CalculationRequest request{InterpMethod::Lagrange, 161, double(order), QString(), true};
    request.leadingEdge = leadingEdge;
    CalculationOutcome outcome;
    Worst worst;
    if (Calculate(ws, request, &outcome)) {
        worst.refused = true;
        return worst;
    }
    for (int i = 1; i <= 161; ++i) {
        naca::Point q{};
        if (outcome.frame) {
            outcome.frame->toFile(ws.XN[i], ws.YN[i], q.x, q.y);
        } else {
            // Only x was scaled, from the point of least x.
            q = {xMin + ws.XN[i] * outcome.chord, ws.YN[i]};
        }
        const double d = naca::distance(section, q);
        if (d > worst.distance)
            worst = {d, ws.XN[i], false};
    }
    return worst;
}

double medianMicroseconds(bool leadingEdge) {
    Module_Common &ws = common();
    std::vector<double> times;
    for (int run = 0; run < 301; ++run) {
        resetCommon();
        loadBenchSection(ws);
        CalculationRequest request{InterpMethod::Lagrange, 1000, 3, QString(), true};
        request.leadingEdge = leadingEdge;
        const auto start = std::chrono::steady_clock::now();
        const bool refused = Calculate(ws, request).has_value();
        const auto stop = std::chrono::steady_clock::now();
        if (refused)
            return -1;
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    startUpCommon();
    const struct {
        const char *name;
        naca::Section section;
    } sections[] = {
        {"NACA 0012", {0, 0, 0.12}},
        {"NACA 2412", {0.02, 0.4, 0.12}},
        {"NACA 4415", {0.04, 0.4, 0.15}},
    };
    std::printf("Largest distance of a new point from the exact curve (161 new points from 61 "
                "cosine-spaced points, Lagrange), and the x where it is reached:\n\n");
    std::printf("| Section | Order | Own trailing edges | Normalised at the true leading edge |\n");
    std::printf("|---|---|---|---|\n");
    for (const auto &[name, section] : sections) {
        for (const int order : {3, 5}) {
            const Worst off = measure(section, order, false);
            const Worst on = measure(section, order, true);
            const auto cell = [](const Worst &w) {
                static char text[2][64];
                static int which = 0;
                which ^= 1;
                if (w.refused)
                    std::snprintf(text[which], sizeof text[which], "refused");
                else
                    std::snprintf(text[which], sizeof text[which], "%.1e at x = %.4f", w.distance,
                                  w.x);
                return text[which];
            };
            std::printf("| %s | %d | %s | %s |\n", name, order, cell(off), cell(on));
        }
    }
    const double own = medianMicroseconds(false);
    const double normalised = medianMicroseconds(true);
    std::printf("\nCalculate, Lagrange order 3, N = NI = 1000: own trailing edges %.1f us, "
                "normalised at the true leading edge %.1f us (%+.1f %%), medians of 301 runs\n",
                own, normalised, 100 * (normalised - own) / own);
    return 0;
}
