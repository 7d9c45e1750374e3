// SPDX-License-Identifier: MIT
#include "numerics/ContourDiagnostics.h"

#include "numerics/QualityFigures.h"

#include <algorithm>
#include <array>
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
    const auto segmentEnd = [corners](std::size_t i) { return std::min(i + 1, corners - 1); };
    // Boxes round blocks of segments, once: a block whose box lies farther than the best so far
    // is passed over whole, so a point visits the few blocks near it.
    constexpr std::size_t Block = 4;
    const std::size_t blocks = (segments + Block - 1) / Block;
    std::vector<std::array<double, 4>> boxes(blocks); // x low, x high, y low, y high
    for (std::size_t b = 0; b < blocks; ++b) {
        auto &box = boxes[b];
        box = {polyX[b * Block], polyX[b * Block], polyY[b * Block], polyY[b * Block]};
        for (std::size_t i = b * Block; i < std::min(segments, (b + 1) * Block); ++i) {
            const std::size_t j = segmentEnd(i);
            box = {std::min(box[0], polyX[j]), std::max(box[1], polyX[j]),
                   std::min(box[2], polyY[j]), std::max(box[3], polyY[j])};
        }
    }
    // Rounding lets a computed distance fall a few ulps of the coordinates below the box's.
    double largest = 0;
    for (const auto values : {x, y, polyX, polyY}) {
        for (const double v : values)
            largest = std::max(largest, std::fabs(v));
    }
    const double slack = 1e-12 * (1 + largest);
    std::vector<double> distances(std::min(x.size(), y.size()));
    std::size_t nearest = 0;
    for (std::size_t k = 0; k < distances.size(); ++k) {
        // New points run along the contour: the segment nearest the last one and the two after it
        // give a close first guess. The slack keeps every block that could hold a tie, so the
        // minimum is the one a full scan finds.
        // Compared squared, as segmentDistance measures before its root; the root is taken once,
        // for the nearest segment.
        const auto squaredTo = [&](std::size_t i) {
            const std::size_t j = segmentEnd(i);
            const double dx = polyX[j] - polyX[i];
            const double dy = polyY[j] - polyY[i];
            const double squared = dx * dx + dy * dy;
            const double px = x[k] - polyX[i];
            const double py = y[k] - polyY[i];
            const double t = squared > 0 ? (px * dx + py * dy) / squared : 0.0;
            const double ex = !(t > 0) ? px : (!(t < 1) ? x[k] - polyX[j] : px - t * dx);
            const double ey = !(t > 0) ? py : (!(t < 1) ? y[k] - polyY[j] : py - t * dy);
            return ex * ex + ey * ey;
        };
        double best = squaredTo(nearest);
        std::size_t bestSegment = nearest;
        // How far a box may lie and still hold a segment as near, squared; renewed as best falls.
        const auto reachOf = [slack](double squared) {
            const double reach = std::sqrt(squared) + slack;
            return reach * reach;
        };
        double reach = reachOf(best);
        const auto consider = [&](std::size_t i) {
            if (const double squared = squaredTo(i); squared < best) {
                best = squared;
                bestSegment = i;
                reach = reachOf(best);
            }
        };
        for (const std::size_t i : {nearest + 1, nearest + 2}) {
            if (i < segments)
                consider(i);
        }
        for (std::size_t b = 0; b < blocks; ++b) {
            const auto &box = boxes[b];
            const double outX = std::max({0.0, box[0] - x[k], x[k] - box[1]});
            const double outY = std::max({0.0, box[2] - y[k], y[k] - box[3]});
            if (outX * outX + outY * outY > reach)
                continue;
            for (std::size_t i = b * Block; i < std::min(segments, (b + 1) * Block); ++i)
                consider(i);
        }
        const std::size_t j = segmentEnd(bestSegment);
        distances[k] =
            segmentDistance(x[k], y[k], polyX[bestSegment], polyY[bestSegment], polyX[j], polyY[j]);
        nearest = bestSegment;
    }
    return distances;
}

std::vector<double> newPointDeviations(const Module_Common &ws) {
    const int N = std::clamp(ws.N, 0, MaxIndex);
    const int count = wholeCount(ws.niValue());
    const auto span = [](const PointArray &a, int n) { return std::span(a).subspan(1, n); };
    return distancesFromPolygon(span(ws.XN, count), span(ws.YN, count), span(ws.X, N),
                                span(ws.Y, N));
}

std::optional<FigureOfMerit> worstNewPointDeviation(const Module_Common &ws) {
    const std::vector<double> deviations = newPointDeviations(ws);
    std::optional<FigureOfMerit> worst;
    for (std::size_t i = 0; i < deviations.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        if (std::isfinite(deviations[i]) && (!worst || deviations[i] > worst->value))
            worst = FigureOfMerit{deviations[i], k, ws.XN[k]};
    }
    return worst;
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
    view.deviationN = newPointDeviations(ws);
    return view;
}

} // namespace tessaro
