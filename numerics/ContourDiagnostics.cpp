// SPDX-License-Identifier: MIT
#include "numerics/ContourDiagnostics.h"

#include "numerics/QualityFigures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaro {

std::vector<double> pointCurvatures(std::span<const double> x, std::span<const double> y) {
    const std::size_t n = std::min(x.size(), y.size());
    std::vector<double> curvature(n, std::numeric_limits<double>::quiet_NaN());
    // Twice the enclosed area (shoelace, closed from the last point back to the first) tells
    // which way the polyline goes round.
    double area = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        area += x[i] * y[j] - x[j] * y[i];
    }
    const double orientation = area < 0 ? -1.0 : 1.0;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double ax = x[i] - x[i - 1], ay = y[i] - y[i - 1];
        const double bx = x[i + 1] - x[i], by = y[i + 1] - y[i];
        const double a = std::hypot(ax, ay);
        const double b = std::hypot(bx, by);
        const double c = std::hypot(ax + bx, ay + by);
        if (a == 0 || b == 0 || c == 0)
            continue;
        // 1/R = 4 * area / (a b c) for the circle through the three points.
        curvature[i] = orientation * 2 * (ax * by - ay * bx) / (a * b * c);
    }
    return curvature;
}

std::vector<double> distancesFromPolygon(std::span<const double> x, std::span<const double> y,
                                         std::span<const double> polyX,
                                         std::span<const double> polyY) {
    const std::size_t corners = std::min(polyX.size(), polyY.size());
    if (corners == 0)
        return {};
    const std::size_t segments = std::max<std::size_t>(corners - 1, 1);
    std::vector<double> distances(std::min(x.size(), y.size()));
    for (std::size_t k = 0; k < distances.size(); ++k) {
        double best = std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < segments; ++i) {
            const std::size_t j = std::min(i + 1, corners - 1);
            best =
                std::min(best, segmentDistance(x[k], y[k], polyX[i], polyY[i], polyX[j], polyY[j]));
        }
        distances[k] = best;
    }
    return distances;
}

ContourInspection inspectContour(const Module_Common &ws, InterpMethod method) {
    const int N = std::clamp(ws.N, 0, MaxIndex);
    const auto copy = [](const PointArray &a, int count) {
        return std::vector<double>(a.begin() + 1, a.begin() + 1 + count);
    };
    ContourInspection view;
    view.X = copy(ws.X, N);
    view.Y = copy(ws.Y, N);
    view.curvature = pointCurvatures(view.X, view.Y);
    if (method == InterpMethod::None)
        return view;

    view.Teta = copy(ws.Teta, N);
    const std::vector<std::optional<double>> misses = LeaveOneOutMisses(ws, method);
    view.miss.assign(static_cast<std::size_t>(N), std::nullopt);
    for (std::size_t k = 1; k < misses.size(); ++k)
        view.miss[k - 1] = misses[k];
    const int count = wholeCount(ws.niValue());
    view.XN = copy(ws.XN, count);
    view.YN = copy(ws.YN, count);
    view.TetaN = copy(ws.TetaN, count);
    view.curvatureN = pointCurvatures(view.XN, view.YN);
    view.deviationN = distancesFromPolygon(view.XN, view.YN, view.X, view.Y);
    return view;
}

} // namespace tessaro
