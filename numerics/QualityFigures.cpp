// SPDX-License-Identifier: MIT
#include "numerics/QualityFigures.h"

#include "numerics/IntervalSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tessaro {

namespace {

// Rows of orders 0..DivDiffOrders, as the driver's table holds them.
using TableRow = std::array<double, DivDiffOrders + 1>;

// The contour read without point k: index j of it is point j of the contour for j < k and
// point j + 1 from k on.
struct Shortened {
    const Module_Common &ws;
    int k = 0;
    int N = 0;
    int at(int j) const { return j < k ? j : j + 1; }
    double Teta(int j) const { return ws.Teta[at(j)]; }
    double Y(int j) const { return ws.Y[at(j)]; }
};

// Divided differences of orders up to DivDiffOrders over points first..last of s, with the
// driver's arithmetic: an entry depends on its own points only, so it is bit for bit the one the
// driver's table over s holds. False when an entry is not a finite number (the driver would
// refuse that table).
bool localTable(const Shortened &s, int first, int last, std::vector<TableRow> &rows) {
    const int count = last - first + 1;
    rows.assign(static_cast<std::size_t>(std::max(count, 0)), TableRow{});
    for (int r = 0; r < count; ++r)
        rows[r][0] = s.Y(first + r);
    for (int j = 1; j <= DivDiffOrders; ++j) {
        for (int r = 0; r + j < count; ++r) {
            const double dTeta = s.Teta(first + r + j) - s.Teta(first + r);
            rows[r][j] = (rows[r + 1][j - 1] - rows[r][j - 1]) / dTeta;
            if (!std::isfinite(rows[r][j]))
                return false;
        }
    }
    return true;
}

// For each point read, whether the driver's table over the contour without it holds an entry
// that is not a finite number. Entries over points that stay neighbours keep their values, so
// only those spanning the gap are computed again.
std::vector<bool> tableRefusedWithout(const Module_Common &ws, int N) {
    std::vector<bool> refused(static_cast<std::size_t>(N) + 1, false);
    std::vector<TableRow> rows;
    // cover[i]: entries of the whole table that are not finite and use point i.
    std::vector<int> cover(static_cast<std::size_t>(N) + 2, 0);
    int bad = 0;
    std::vector<TableRow> all(static_cast<std::size_t>(N) + 1, TableRow{});
    for (int i = 1; i <= N; ++i)
        all[i][0] = ws.Y[i];
    for (int j = 1; j <= DivDiffOrders; ++j) {
        for (int i = 1; i + j <= N; ++i) {
            all[i][j] = (all[i + 1][j - 1] - all[i][j - 1]) / (ws.Teta[i + j] - ws.Teta[i]);
            if (!std::isfinite(all[i][j])) {
                ++bad;
                ++cover[i];
                --cover[i + j + 1];
            }
        }
    }
    int usingK = 0;
    for (int k = 1; k <= N; ++k) {
        usingK += cover[k];
        const Shortened s{ws, k, N - 1};
        const bool gapFinite = localTable(s, std::max(1, k - DivDiffOrders),
                                          std::min(s.N, k + DivDiffOrders - 1), rows);
        refused[k] = bad - usingK > 0 || !gapFinite;
    }
    return refused;
}

int validOrder(double nPoly) {
    if (!(nPoly >= 0 && nPoly <= MaxOrder) || nPoly != std::floor(nPoly))
        return -1;
    return static_cast<int>(nPoly);
}

// Newton form as the driver evaluates it: orders above the table's read as zero.
double newtonForm(const TableRow &coefficients, const WindowArray &TetaW, int nPoly, double x) {
    double P = coefficients[0];
    double w = 1;
    for (int j = 1; j <= nPoly; ++j) {
        w *= (x - TetaW[j - 1]);
        P += (j <= DivDiffOrders ? coefficients[j] : 0.0) * w;
    }
    return P;
}

struct Predictor {
    const Module_Common &ws;
    InterpMethod method;
    int nPoly;
    bool ascending;
    std::vector<bool> tableRefused;
    std::vector<TableRow> rows;

    // The driver's y for a new point at angle T on s, or nothing where it would give none.
    std::optional<double> operator()(const Shortened &s, double T) {
        const auto angle = [&s](int j) { return s.Teta(j); };
        const Interval found =
            ascending ? searchAscending(angle, s.N, T) : scanIntervals(angle, s.N, T);
        if (found.how == Settled::Not)
            return std::nullopt;
        if (method == InterpMethod::DivDiff && tableRefused[s.k])
            return std::nullopt;
        if (found.how == Settled::AtLower)
            return s.Y(found.k);
        if (found.how == Settled::AtUpper)
            return s.Y(found.k + 1);

        const int iStart = windowStart(found.k, nPoly, s.N);
        WindowArray TetaW{};
        WindowArray YW{};
        for (int m = 0; m <= nPoly; ++m) {
            TetaW[m] = s.Teta(iStart + m);
            YW[m] = s.Y(iStart + m);
        }
        for (int a = 0; a <= nPoly; ++a) {
            for (int b = a + 1; b <= nPoly; ++b) {
                if (TetaW[a] == TetaW[b])
                    return std::nullopt;
            }
        }
        double value = 0;
        if (method == InterpMethod::Lagrange) {
            value = Lagrange(ws, T, TetaW, YW);
        } else {
            localTable(s, iStart, iStart + std::min(nPoly, DivDiffOrders), rows);
            value = newtonForm(rows[0], TetaW, nPoly, T);
        }
        if (!std::isfinite(value))
            return std::nullopt;
        return value;
    }
};

double length(double dx, double dy) {
    const double squared = dx * dx + dy * dy;
    // The plain root is accurate to a few ulps and fast; hypot where the squares would overflow
    // or lose digits.
    if (squared > 1e-290 && squared < 1e290)
        return std::sqrt(squared);
    return std::hypot(dx, dy);
}

struct Box {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// The last new point 1..count whose angle is not above T (1 when none is), by bisection: only
// where to start looking, so angles out of order merely cost time.
int lastAtOrBelow(const PointArray &TetaN, int count, double T) {
    int low = 1;
    int high = count;
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (TetaN[mid] <= T)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

// Segments are looked at in blocks; a block whose box is farther than the nearest segment found
// so far cannot hold a nearer one.
constexpr int BlockSize = 16;

} // namespace

double segmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double squared = dx * dx + dy * dy;
    const double t = squared > 0 ? ((px - ax) * dx + (py - ay) * dy) / squared : 0.0;
    // The ends are taken as they stand, so a point beyond an end measures to that very vertex.
    if (!(t > 0))
        return length(px - ax, py - ay);
    if (!(t < 1))
        return length(px - bx, py - by);
    return length(px - (ax + t * dx), py - (ay + t * dy));
}

std::vector<std::optional<double>> LeaveOneOutMisses(const Module_Common &ws, InterpMethod method) {
    const int N = std::clamp(ws.N, 0, MaxIndex);
    const int nPoly = validOrder(ws.nPoly);
    if (method == InterpMethod::None || nPoly < 0 || N < nPoly + 2)
        return {};

    Predictor predict{ws, method, nPoly, anglesAscend([&ws](int j) { return ws.Teta[j]; }, N),
                      {}, {}};
    if (method == InterpMethod::DivDiff)
        predict.tableRefused = tableRefusedWithout(ws, N);
    std::vector<std::optional<double>> misses(static_cast<std::size_t>(N) + 1);
    for (int k = 2; k <= N - 1; ++k) {
        if (const std::optional<double> y = predict(Shortened{ws, k, N - 1}, ws.Teta[k]))
            misses[k] = std::fabs(*y - ws.Y[k]);
    }
    return misses;
}

std::optional<FigureOfMerit> OrderCheck(const Module_Common &ws, InterpMethod method) {
    const std::vector<std::optional<double>> misses = LeaveOneOutMisses(ws, method);
    std::optional<FigureOfMerit> worst;
    for (int k = 1; k < static_cast<int>(misses.size()); ++k) {
        if (misses[k] && (!worst || *misses[k] > worst->value))
            worst = FigureOfMerit{*misses[k], k, ws.X[k]};
    }
    return worst;
}

std::optional<FigureOfMerit> PanelFit(const Module_Common &ws) {
    const int N = std::clamp(ws.N, 0, MaxIndex);
    const int count = wholeCount(ws.niValue());
    if (count == 0 || N == 0)
        return std::nullopt;

    // Segment i runs from new point i to new point i + 1; a lone new point is its own segment.
    const int segments = std::max(count - 1, 1);
    const auto end = [count](int i) { return std::min(i + 1, count); };
    const int blocks = (segments + BlockSize - 1) / BlockSize;
    std::vector<Box> boxes(static_cast<std::size_t>(blocks));
    double largest = 0;
    for (int b = 0; b < blocks; ++b) {
        Box &box = boxes[b];
        const int first = b * BlockSize + 1;
        const int last = std::min(first + BlockSize - 1, segments);
        box = {ws.XN[first], ws.XN[first], ws.YN[first], ws.YN[first]};
        for (int i = first + 1; i <= end(last); ++i) {
            box.xMin = std::min(box.xMin, ws.XN[i]);
            box.xMax = std::max(box.xMax, ws.XN[i]);
            box.yMin = std::min(box.yMin, ws.YN[i]);
            box.yMax = std::max(box.yMax, ws.YN[i]);
        }
        largest = std::max({largest, std::fabs(box.xMin), std::fabs(box.xMax), std::fabs(box.yMin),
                            std::fabs(box.yMax)});
    }
    for (int k = 1; k <= N; ++k)
        largest = std::max({largest, std::fabs(ws.X[k]), std::fabs(ws.Y[k])});
    // Rounding lets a computed distance fall a few ulps of the coordinates below the box's;
    // this slack keeps every block that could still hold the exact minimum.
    const double slack = 1e-12 * (1 + largest);

    std::optional<FigureOfMerit> worst;
    for (int k = 1; k <= N; ++k) {
        const double px = ws.X[k];
        const double py = ws.Y[k];
        double best = std::numeric_limits<double>::infinity();
        const auto visit = [&](int b) {
            const Box &box = boxes[b];
            const double ex = std::max({box.xMin - px, px - box.xMax, 0.0});
            const double ey = std::max({box.yMin - py, py - box.yMax, 0.0});
            if (length(ex, ey) * (1 - 1e-12) - slack > best)
                return;
            const int first = b * BlockSize + 1;
            const int last = std::min(first + BlockSize - 1, segments);
            for (int i = first; i <= last; ++i) {
                const double d =
                    segmentDistance(px, py, ws.XN[i], ws.YN[i], ws.XN[end(i)], ws.YN[end(i)]);
                if (d < best)
                    best = d;
            }
        };
        // Start from the new points around the point's own angle, then widen both ways.
        const int start =
            (std::min(lastAtOrBelow(ws.TetaN, count, ws.Teta[k]), segments) - 1) / BlockSize;
        visit(start);
        for (int step = 1; start - step >= 0 || start + step < blocks; ++step) {
            if (start - step >= 0)
                visit(start - step);
            if (start + step < blocks)
                visit(start + step);
        }
        if (!worst || best > worst->value)
            worst = FigureOfMerit{best, k, px};
    }
    return worst;
}

} // namespace tessaro
