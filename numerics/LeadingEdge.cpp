// SPDX-License-Identifier: MIT
#include "numerics/LeadingEdge.h"

#include "common/NumberText.h"
#include "numerics/NoseSmoothness.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tessaro {

namespace {

QString pointText(int k) {
    return wholeNumberForm(k);
}

QString screenNumber(double value) {
    return messageNumber(value, screenDecimalPoint());
}

NormaliseRefusal refuse(const QString &message, bool leadingEdgeOff = false) {
    return NormaliseRefusal{message, leadingEdgeOff};
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// (P - T) . P' along the polynomial: zero where the line from T meets the contour at a right
// angle.
struct NoseCondition {
    const NosePolynomial &U;
    const NosePolynomial &V;
    double Tu;
    double Tv;

    double operator()(double t) const {
        double u = 0, du = 0, v = 0, dv = 0;
        U.evaluate(t, u, du);
        V.evaluate(t, v, dv);
        return (u - Tu) * du + (v - Tv) * dv;
    }
};

// The root of f between a and b, where f changes sign, by false position with the Illinois
// correction: a handful of evaluations to the last bit.
double rootBetween(const NoseCondition &f, double a, double b, double fa, double fb) {
    int kept = 0; // which end stayed last time: -1 a, +1 b
    for (int step = 0; step < 200; ++step) {
        double c = b - fb * (b - a) / (fb - fa);
        if (!(c > std::min(a, b) && c < std::max(a, b)))
            c = 0.5 * (a + b);
        if (c == a || c == b)
            break;
        const double fc = f(c);
        if (fc == 0)
            return c;
        if ((fc > 0) == (fb > 0)) {
            b = c;
            fb = fc;
            if (kept == -1)
                fa *= 0.5;
            kept = -1;
        } else {
            a = c;
            fa = fc;
            if (kept == 1)
                fb *= 0.5;
            kept = 1;
        }
        if (std::abs(b - a) <= 1e-17)
            break;
    }
    return std::abs(fa) < std::abs(fb) ? a : b;
}

struct TrailingEdge {
    double x = 0;
    double y = 0;
};

// Midway between the two ends where they lie alike from the point of least x; otherwise the
// farther end, so that a surface stopping short does not tilt the chord.
TrailingEdge trailingEdgeOf(const Module_Common &ws, int N) {
    int iMin = 1;
    for (int k = 2; k <= N; ++k) {
        if (ws.X[k] < ws.X[iMin])
            iMin = k;
    }
    const double d1 = std::hypot(ws.X[1] - ws.X[iMin], ws.Y[1] - ws.Y[iMin]);
    const double d2 = std::hypot(ws.X[N] - ws.X[iMin], ws.Y[N] - ws.Y[iMin]);
    if (std::abs(d1 - d2) <= 0.01 * std::max(d1, d2))
        return {0.5 * (ws.X[1] + ws.X[N]), 0.5 * (ws.Y[1] + ws.Y[N])};
    return d1 > d2 ? TrailingEdge{ws.X[1], ws.Y[1]} : TrailingEdge{ws.X[N], ws.Y[N]};
}

// Where one step of the nose search ended, in the file's coordinates.
struct NoseStep {
    double Lx = 0;
    double Ly = 0;
    int before = 0;   // the bracket: the nose lies from point `before` to `before + 1`
    int onPoint = 0;  // the point read that is the nose, or 0
    double moved = 0; // in chords
};

struct NoseSearch {
    const Module_Common &ws;
    int N;
    TrailingEdge T;
    int kf;    // the point read farthest from T
    int first; // the window's first point

    NoseSearch(const Module_Common &ws, int N, TrailingEdge T, int kf)
        : ws(ws), N(N), T(T), kf(kf),
          first(std::clamp(kf - kNoseHalfWindow, 1, N - kNosePoints + 1)) {}

    QString windowText() const {
        return QStringLiteral("points %1 to %2")
            .arg(pointText(first), pointText(first + kNosePoints - 1));
    }

    // The window's points in `frame`, the length along their polygon and the polynomials of
    // both coordinates over it.
    std::optional<NormaliseRefusal> path(const SectionFrame &frame,
                                         std::array<double, kNosePoints> &u,
                                         std::array<double, kNosePoints> &v,
                                         std::array<double, kNosePoints> &t, NosePolynomial &U,
                                         NosePolynomial &V) const {
        for (int j = 0; j < kNosePoints; ++j)
            frame.toNormal(ws.X[first + j], ws.Y[first + j], u[j], v[j]);
        // The nodes: the length along the polygon, which is the same in every frame.
        t[0] = 0;
        for (int j = 1; j < kNosePoints; ++j) {
            const double step = std::hypot(u[j] - u[j - 1], v[j] - v[j - 1]);
            if (!(step > 0)) {
                return refuse(
                    QStringLiteral("Points %1 and %2, near point %3 which lies farthest "
                                   "from the trailing edge, are the same point, so the "
                                   "leading edge cannot be found there: remove one of "
                                   "them from the file.")
                        .arg(pointText(first + j - 1), pointText(first + j), pointText(kf)));
            }
            t[j] = t[j - 1] + step;
        }
        if (!U.build(t, u) || !V.build(t, v) || !finite({t[kNosePoints - 1]}))
            return refuse(nonFinite());
        return std::nullopt;
    }

    // One search in `frame`, whose origin is the nose found so far.
    std::optional<NormaliseRefusal> step(const SectionFrame &frame, NoseStep &out) const {
        std::array<double, kNosePoints> u{};
        std::array<double, kNosePoints> v{};
        std::array<double, kNosePoints> t{};
        NosePolynomial U;
        NosePolynomial V;
        if (auto refusal = path(frame, u, v, t, U, V))
            return refusal;
        double Tu = 0;
        double Tv = 0;
        frame.toNormal(T.x, T.y, Tu, Tv);
        const NoseCondition f{U, V, Tu, Tv};

        const int c = kf - first;
        std::array<double, kNosePoints> ft{};
        for (int j = std::max(c - 1, 0); j <= std::min(c + 1, kNosePoints - 1); ++j)
            ft[j] = f(t[j]);
        double at = 0;
        if (ft[c] == 0) {
            at = t[c];
            out.before = kf;
        } else if (c > 0 && (ft[c - 1] > 0) != (ft[c] > 0) && ft[c - 1] != 0) {
            at = rootBetween(f, t[c - 1], t[c], ft[c - 1], ft[c]);
            out.before = kf - 1;
        } else if (c + 1 < kNosePoints && (ft[c + 1] > 0) != (ft[c] > 0)) {
            at = rootBetween(f, t[c], t[c + 1], ft[c], ft[c + 1]);
            out.before = kf;
        } else if (c > 0 && ft[c - 1] == 0) {
            at = t[c - 1];
            out.before = kf - 1;
        } else {
            return refuse(
                QStringLiteral("No leading edge was found near point %1, the point farthest from "
                               "the trailing edge: the contour does not meet the line from the "
                               "trailing edge at a right angle next to it, so check %2.")
                    .arg(pointText(kf), windowText()),
                true);
        }
        double g = 0, dg = 0, h = 0, dh = 0;
        U.evaluate(at, g, dg);
        V.evaluate(at, h, dh);
        if (!finite({at, g, h, Tu, Tv}))
            return refuse(nonFinite());

        // A nose on a point read is that point, so that its angle is exactly pi.
        out.onPoint = 0;
        for (const int k : {out.before, out.before + 1}) {
            const int j = k - first;
            if (j >= 0 && j < kNosePoints && std::hypot(u[j] - g, v[j] - h) <= kNoseOnPoint) {
                out.onPoint = k;
                break;
            }
        }
        if (out.onPoint > 0) {
            const int j = out.onPoint - first;
            out.Lx = ws.X[out.onPoint];
            out.Ly = ws.Y[out.onPoint];
            out.moved = std::hypot(u[j], v[j]);
        } else {
            frame.toFile(g, h, out.Lx, out.Ly);
            out.moved = std::hypot(g, h);
        }
        return std::nullopt;
    }

    // The nose where y of the points read around it is smoothest in theta, on the path through
    // the points around the one farthest from T. Built in that point's frame; the path and the fit
    // come out the same in every frame. Sets found to false where no candidate gave a fit.
    std::optional<NormaliseRefusal> smoothest(NoseStep &out, bool &found) const {
        const SectionFrame frame = SectionFrame::between(ws.X[kf], ws.Y[kf], T.x, T.y);
        if (!finite({frame.cosA, frame.sinA, frame.chord}) || !(frame.chord > 0))
            return refuse(nonFinite());
        NoseNeighbourhood around;
        std::array<double, kNosePoints> u{};
        std::array<double, kNosePoints> v{};
        if (auto refusal = path(frame, u, v, around.t, around.U, around.V))
            return refusal;
        around.pathFirst = first;
        around.fitFirst = std::clamp(kf - kFitPoints / 2, 1, N - kFitPoints + 1);
        for (int j = 0; j < kFitPoints; ++j) {
            const int k = around.fitFirst + j;
            frame.toNormal(ws.X[k], ws.Y[k], around.fit[j].u, around.fit[j].v);
        }
        frame.toNormal(T.x, T.y, around.T.u, around.T.v);
        frame.toNormal(ws.X[1], ws.Y[1], around.end1.u, around.end1.v);
        frame.toNormal(ws.X[N], ws.Y[N], around.endN.u, around.endN.v);

        // Between the second points read on each side of the farthest one.
        const int c = kf - first;
        const PathNose nose =
            smoothestNose(around, std::max(c - 2, 0), std::min(c + 2, kNosePoints - 1));
        found = nose.found && finite({nose.L.u, nose.L.v});
        if (!found)
            return std::nullopt;
        out.before = nose.before;
        out.onPoint = 0;
        for (const int k : {nose.before, nose.before + 1}) {
            const int j = k - first;
            if (j >= 0 && j < kNosePoints &&
                std::hypot(u[j] - nose.L.u, v[j] - nose.L.v) <= kNoseOnPoint) {
                out.onPoint = k;
                break;
            }
        }
        if (out.onPoint > 0) {
            out.Lx = ws.X[out.onPoint];
            out.Ly = ws.Y[out.onPoint];
        } else {
            frame.toFile(nose.L.u, nose.L.v, out.Lx, out.Ly);
        }
        return std::nullopt;
    }

    static QString nonFinite() {
        return QStringLiteral("The leading edge could not be found: a value came out as no finite "
                              "number, so check the file's values.");
    }
};

// The nose where the line from T meets the path at a right angle, for sections with too few points
// around the nose for the smoothness fit. Each step searches in the frame of the nose the last one
// found, so that the nose does not depend on where the file put the section, how large or how
// inclined.
std::optional<NormaliseRefusal> tangentNose(const NoseSearch &search, NoseStep &nose) {
    const Module_Common &ws = search.ws;
    double Lx = ws.X[search.kf];
    double Ly = ws.Y[search.kf];
    bool settled = false;
    for (int step = 0; step < kNoseMaxSteps && !settled; ++step) {
        const SectionFrame frame = SectionFrame::between(Lx, Ly, search.T.x, search.T.y);
        if (!finite({frame.cosA, frame.sinA, frame.chord}) || !(frame.chord > 0))
            return refuse(NoseSearch::nonFinite());
        if (auto refusal = search.step(frame, nose))
            return refusal;
        settled = nose.moved < kNoseSettled;
        Lx = nose.Lx;
        Ly = nose.Ly;
    }
    if (!settled) {
        return refuse(QStringLiteral("The search for the leading edge near point %1 did not settle "
                                     "in %2 steps: check %3.")
                          .arg(pointText(search.kf), pointText(kNoseMaxSteps), search.windowText()),
                      true);
    }
    return std::nullopt;
}

} // namespace

SectionFrame SectionFrame::between(double Lx, double Ly, double Tx, double Ty) {
    SectionFrame frame;
    if (std::abs(Lx) <= kFrameIdentity && std::abs(Ly) <= kFrameIdentity &&
        std::abs(Tx - 1) <= kFrameIdentity && std::abs(Ty) <= kFrameIdentity)
        return frame;
    const double dx = Tx - Lx;
    const double dy = Ty - Ly;
    frame.Lx = Lx;
    frame.Ly = Ly;
    frame.chord = std::hypot(dx, dy);
    frame.cosA = dx / frame.chord;
    frame.sinA = dy / frame.chord;
    frame.identity = false;
    return frame;
}

void SectionFrame::toNormal(double x, double y, double &u, double &v) const {
    if (identity) {
        u = x;
        v = y;
        return;
    }
    const double dx = x - Lx;
    const double dy = y - Ly;
    u = (dx * cosA + dy * sinA) / chord;
    v = (dy * cosA - dx * sinA) / chord;
}

void SectionFrame::toFile(double u, double v, double &x, double &y) const {
    if (identity) {
        x = u;
        y = v;
        return;
    }
    x = Lx + chord * (u * cosA - v * sinA);
    y = Ly + chord * (u * sinA + v * cosA);
}

std::optional<NormaliseRefusal> normaliseAtLeadingEdge(Module_Common &ws,
                                                       NormalisedSection &section) {
    const int N = std::clamp(ws.N, 0, MaxIndex);
    if (N < kNosePoints) {
        return refuse(QStringLiteral("The contour has %1 points, and finding its true leading edge "
                                     "takes at least %2: open a section with more points.")
                          .arg(pointText(N), pointText(kNosePoints)),
                      true);
    }
    const TrailingEdge T = trailingEdgeOf(ws, N);
    int kf = 1;
    double farthest = -1;
    for (int k = 1; k <= N; ++k) {
        const double d = std::hypot(ws.X[k] - T.x, ws.Y[k] - T.y);
        if (d > farthest) {
            farthest = d;
            kf = k;
        }
    }
    if (!finite({T.x, T.y, farthest}))
        return refuse(NoseSearch::nonFinite());
    if (!(farthest > 0)) {
        return refuse(QStringLiteral("Every point lies at the trailing edge, so the chord has no "
                                     "length: open a file whose points run from the trailing edge "
                                     "to the leading edge and back."));
    }

    const NoseSearch search(ws, N, T, kf);
    NoseStep nose;
    bool found = false;
    if (N >= kFitPoints) {
        if (auto refusal = search.smoothest(nose, found))
            return refusal;
    }
    if (!found) {
        if (auto refusal = tangentNose(search, nose))
            return refusal;
    }
    const double Lx = nose.Lx;
    const double Ly = nose.Ly;

    const bool atEnd = nose.onPoint > 0 ? nose.onPoint == 1 || nose.onPoint == N
                                        : nose.before <= 1 || nose.before >= N - 1;
    if (atEnd) {
        const QString where = nose.onPoint > 0
                                  ? QStringLiteral("at point %1").arg(pointText(nose.onPoint))
                                  : QStringLiteral("between points %1 and %2")
                                        .arg(pointText(nose.before), pointText(nose.before + 1));
        return refuse(QStringLiteral("The leading edge lies %1, at an end of the contour, so one "
                                     "surface has no length: a contour must start and end at the "
                                     "trailing edge.")
                          .arg(where));
    }
    const int iLE = nose.onPoint > 0 ? nose.onPoint : nose.before + 1;
    const SectionFrame frame = SectionFrame::between(Lx, Ly, T.x, T.y);
    if (!(frame.chord > 0) || !finite({frame.cosA, frame.sinA, frame.chord})) {
        return refuse(QStringLiteral("The trailing edge lies at the leading edge (point %1), so "
                                     "the chord has no length: a contour must run from the "
                                     "trailing edge to the leading edge and back.")
                          .arg(pointText(iLE)));
    }

    PointArray X = ws.X;
    PointArray Y = ws.Y;
    for (int k = 1; k <= N; ++k) {
        frame.toNormal(ws.X[k], ws.Y[k], X[k], Y[k]);
        if (!finite({X[k], Y[k]}))
            return refuse(NoseSearch::nonFinite());
    }
    if (nose.onPoint > 0) {
        X[nose.onPoint] = 0;
        Y[nose.onPoint] = 0;
    }

    const SurfaceEnds ends{X[1], X[N]};
    for (int k = 1; k <= N; ++k) {
        const bool second = k >= iLE;
        const double e = second ? ends.e2 : ends.e1;
        const int end = second ? N : 1;
        const double r = X[k] / e;
        if (!(e > 0)) {
            return refuse(
                QStringLiteral("Point %1 lies at x = %2 after normalising the chord, at or "
                               "ahead of the leading edge, so its surface has no length: "
                               "a contour must start and end at the trailing edge.")
                    .arg(pointText(end), screenNumber(e)));
        }
        if (r - 1 > kChordEndTolerance) {
            return refuse(
                QStringLiteral("Point %1 lies at x = %2 after normalising the chord, "
                               "beyond the end of its own surface at x = %3 (point %4): "
                               "x must fall from the trailing edge to the leading edge "
                               "and rise again, so check point %1.")
                    .arg(pointText(k), screenNumber(X[k]), screenNumber(e), pointText(end)));
        }
        if (r < -kChordEndTolerance) {
            return refuse(
                QStringLiteral("Point %1 lies at x = %2 after normalising the chord, "
                               "ahead of the leading edge (between points %3 and %4): "
                               "check point %1.")
                    .arg(pointText(k), screenNumber(X[k]), pointText(iLE - 1), pointText(iLE)),
                true);
        }
    }

    ws.X = X;
    ws.Y = Y;
    ws.iLE = iLE;
    section = NormalisedSection{frame, iLE, ends};
    return std::nullopt;
}

} // namespace tessaro
