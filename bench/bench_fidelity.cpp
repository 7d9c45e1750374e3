// SPDX-License-Identifier: MIT
// How faithful are the new points? Sections whose exact curve is known are redistributed to 161
// points, and each new point's distance from the exact curve is measured in the file's frame: the
// files of the shared exact-sections folder, where it exists, and exact NACA sections built here
// at 31 cosine-spaced chord stations per surface. Also times the leading-edge mode, and its nose
// search alone, against the own-trailing-edge mode at N = NI = 1000. Prints; never fails on a
// figure.

#include "../tools/NacaExact.h"
#include "BenchSection.h"
#include "ExactSectionFiles.h"
#include "io/AirfoilImport.h"
#include "numerics/Calculation.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace tessaro;

namespace {

struct Worst {
    double distance = -1;
    double x = 0;
    bool refused = false;
};

using Distance = std::function<double(naca::Point)>;

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

Worst measure(const std::vector<naca::Point> &points, const Distance &distance, int order,
              bool leadingEdge) {
    Module_Common &ws = common();
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
        const double d = distance(q);
        if (d > worst.distance)
            worst = {d, ws.XN[i], false};
    }
    return worst;
}

std::string cell(const Worst &w) {
    char text[64];
    if (w.refused)
        std::snprintf(text, sizeof text, "refused");
    else
        std::snprintf(text, sizeof text, "%.1e at x = %.4f", w.distance, w.x);
    return text;
}

std::string figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1e", value);
    return text;
}

std::vector<naca::Point> pointsOf(const QString &path) {
    const ImportResult read = importAirfoilFile(path);
    std::vector<naca::Point> points;
    if (read.file) {
        for (int k = 1; k <= read.file->N; ++k)
            points.push_back({read.file->X[k], read.file->Y[k]});
    }
    return points;
}

// What the leading-edge mode is held to, box on, order 5, and XFOIL's paneling (PPAR, 161 points)
// of the same file beside it.
struct Target {
    const char *name;
    const char *section;
    double a;
    double aPeer;
    double c;
    double cPeer;
};

constexpr Target targets[] = {
    {"NACA 0012", "0012", 6e-6, 3.3e-5, 4e-5, 2.7e-4},
    {"NACA 2412", "2412", 1.5e-5, 5.9e-5, 5.5e-5, 2.7e-4},
    {"NACA 4415", "4415", 2.9e-5, 1.0e-4, 1.0e-4, 3.3e-4},
    {"NACA 6409", "6409", 4.3e-5, 8.6e-5, 1.5e-4, 3.8e-4},
    {"NACA 23012", "23012", 8e-6, 1.5e-4, 7.5e-5, 3.4e-4},
    {"Joukowski", "jouk", 5e-8, 3.9e-5, 6.3e-5, 3.9e-4},
};

void exactSectionFiles() {
    const std::vector<bench::ExactFile> files =
        bench::exactFiles(QStringLiteral(TESSARO_EXACT_SECTIONS_DIR));
    if (files.empty()) {
        std::printf("The exact-sections folder is not here: its rows are left out.\n\n");
        return;
    }
    std::printf("The exact-sections files, 161 new points, Lagrange:\n\n");
    std::printf("| File | Order | Own trailing edges | Normalised at the true leading edge |\n");
    std::printf("|---|---|---|---|\n");
    // Box on, order 5, by section, sampling and edge.
    std::map<std::string, Worst> on5;
    for (const bench::ExactFile &file : files) {
        const std::vector<naca::Point> points = pointsOf(file.path);
        const QString name = file.section + file.edge + u'_' + file.sampling;
        for (const int order : {3, 5}) {
            const Worst off =
                points.empty() ? Worst{-1, 0, true} : measure(points, file.distance, order, false);
            const Worst on =
                points.empty() ? Worst{-1, 0, true} : measure(points, file.distance, order, true);
            std::printf("| %s | %d | %s | %s |\n", qPrintable(name), order, cell(off).c_str(),
                        cell(on).c_str());
            if (order == 5)
                on5[(file.section + file.sampling + file.edge).toStdString()] = on;
        }
    }

    std::printf("\nNormalised at the true leading edge, order 5, against the targets (closed / "
                "open trailing edge; the Joukowski section has one file):\n\n");
    std::printf("| Section | (a) | (a) target | (a) XFOIL | (c) | (c) target | (c) XFOIL |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    int met = 0;
    int held = 0;
    for (const Target &target : targets) {
        std::string row = std::string("| ") + target.name;
        for (const auto &[sampling, bound, peer] :
             {std::tuple{'a', target.a, target.aPeer}, std::tuple{'c', target.c, target.cPeer}}) {
            std::string figures;
            bool all = true;
            bool any = false;
            for (const char edge : {'c', 'o', '\0'}) {
                std::string key = std::string(target.section) + sampling;
                if (edge)
                    key += edge;
                const auto found = on5.find(key);
                if (found == on5.end())
                    continue;
                const Worst &w = found->second;
                figures += (any ? " / " : "") + (w.refused ? "refused" : figure(w.distance));
                all = all && !w.refused && w.distance <= bound;
                any = true;
            }
            if (!any)
                continue;
            ++held;
            met += all;
            row += " | " + figures + (all ? "" : " (missed)") + " | ≤ " + figure(bound) + " | " +
                   figure(peer);
        }
        std::printf("%s |\n", row.c_str());
    }
    std::printf("\nTargets met: %d of %d\n\n", met, held);
}

double median(std::vector<double> &times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
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
    return median(times);
}

// The nose search and the normalisation alone, on the same section.
double noseSearchMicroseconds() {
    Module_Common &ws = common();
    std::vector<double> times;
    for (int run = 0; run < 301; ++run) {
        resetCommon();
        loadBenchSection(ws);
        NormalisedSection section;
        const auto start = std::chrono::steady_clock::now();
        const bool refused = normaliseAtLeadingEdge(ws, section).has_value();
        const auto stop = std::chrono::steady_clock::now();
        if (refused)
            return -1;
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    return median(times);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    startUpCommon();
    exactSectionFiles();

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
        const Distance distance = [s = section](naca::Point q) { return naca::distance(s, q); };
        const std::vector<naca::Point> points = naca::cosineContour(section, 30);
        for (const int order : {3, 5}) {
            const Worst off = measure(points, distance, order, false);
            const Worst on = measure(points, distance, order, true);
            std::printf("| %s | %d | %s | %s |\n", name, order, cell(off).c_str(),
                        cell(on).c_str());
        }
    }
    const double own = medianMicroseconds(false);
    const double normalised = medianMicroseconds(true);
    const double search = noseSearchMicroseconds();
    std::printf("\nCalculate, Lagrange order 3, N = NI = 1000: own trailing edges %.1f us, "
                "normalised at the true leading edge %.1f us (%+.1f %%), medians of 301 runs; "
                "the nose search and normalisation alone %.1f us\n",
                own, normalised, 100 * (normalised - own) / own, search);
    return 0;
}
