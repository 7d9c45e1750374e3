// SPDX-License-Identifier: MIT
// Arbitrary contours and settings through the whole calculation in each of its modes, then the
// figures of merit and the Inspect diagnostics on what it left. A refusal must leave the working
// set exactly as it was; a success must leave finite new points where the mode puts them.
#include "FuzzCheck.h"

#include "numerics/Calculation.h"
#include "numerics/ContourDiagnostics.h"
#include "numerics/QualityFigures.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <numbers>

using namespace tessaro;

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t *data, std::size_t size) : data(data), size(size) {}
    std::uint8_t next() { return at < size ? data[at++] : 0; }
    int next16() { return int(std::int16_t(next() | (next() << 8))); }
    bool empty() const { return at >= size; }

  private:
    const std::uint8_t *data;
    std::size_t size;
    std::size_t at = 0;
};

// Raw points: whatever order and spacing the bytes give, in -8 .. 8.
void rawContour(Bytes &in, Module_Common &ws) {
    ws.N = 0;
    while (!in.empty() && ws.N < MaxIndex) {
        ++ws.N;
        ws.X[ws.N] = in.next16() / 4096.0;
        ws.Y[ws.N] = in.next16() / 4096.0;
    }
}

// A cambered section of n points cosine-spaced on each surface, turned, scaled and moved (up to
// 100 chords) as the bytes say, with a few points nudged: the shapes the leading-edge search is
// for, and near misses. Returns whether no point was nudged.
bool sectionContour(Bytes &in, Module_Common &ws) {
    const int half = 3 + in.next() % 60;
    const double camber = (in.next() % 64) / 640.0;
    const double thickness = 0.02 + (in.next() % 64) / 256.0;
    const double turn = (in.next16() / 32768.0) * std::numbers::pi;
    const double scale = std::ldexp(1.0, in.next() % 16 - 8);
    const double dx = in.next16() / 327.68 * scale;
    const double dy = in.next16() / 327.68 * scale;
    const bool shortEnd = in.next() % 4 == 0;
    ws.N = 2 * half + 1;
    for (int i = 1; i <= ws.N; ++i) {
        const int j = i - 1 - half; // -half at the first trailing edge, 0 at the nose
        const double xc = (1 - std::cos(std::numbers::pi * std::abs(j) / half)) / 2;
        const double t = thickness * 5 *
                         (0.2969 * std::sqrt(xc) - 0.126 * xc - 0.3516 * xc * xc +
                          0.2843 * xc * xc * xc - 0.1036 * xc * xc * xc * xc);
        double x = xc * (shortEnd && j > 0 ? 0.9 : 1.0);
        double y = camber * 4 * xc * (1 - xc) + (j < 0 ? t : -t);
        const double c = std::cos(turn) * scale, s = std::sin(turn) * scale;
        ws.X[i] = c * x - s * y + dx;
        ws.Y[i] = s * x + c * y + dy;
    }
    const bool clean = in.empty();
    while (!in.empty()) {
        const int k = 1 + in.next() % ws.N;
        ws.X[k] += in.next16() * scale / 1e6;
        ws.Y[k] += in.next16() * scale / 1e6;
    }
    return clean;
}

bool same(const Module_Common &a, const Module_Common &b) {
    return std::memcmp(&a.X, &b.X, sizeof a.X) == 0 && std::memcmp(&a.Y, &b.Y, sizeof a.Y) == 0 &&
           std::memcmp(&a.XN, &b.XN, sizeof a.XN) == 0 &&
           std::memcmp(&a.YN, &b.YN, sizeof a.YN) == 0 &&
           std::memcmp(&a.Teta, &b.Teta, sizeof a.Teta) == 0 &&
           std::memcmp(&a.TetaN, &b.TetaN, sizeof a.TetaN) == 0 && a.N == b.N && a.NI == b.NI &&
           a.iLE == b.iLE && a.nPoly == b.nPoly;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Bytes in(data, size);
    const std::uint8_t flags = in.next();
    CalculationRequest request;
    request.method = (flags & 3) == 3 ? InterpMethod::None
                     : (flags & 1)    ? InterpMethod::DivDiff
                                      : InterpMethod::Lagrange;
    request.ownTrailingEdges = flags & 4;
    request.leadingEdge = flags & 8;
    request.dumpPath.clear();
    request.NI = (in.next() | (in.next() << 8)) % 1100;
    request.nPoly = in.next() % 12 + ((flags & 16) ? 0.5 : 0.0);

    static Module_Common ws;
    ws = Module_Common{};
    ws.Pi = std::numbers::pi;
    ws.FileLoaded = true;
    ws.NI = 51;
    bool clean = false;
    if (flags & 32)
        clean = sectionContour(in, ws);
    else
        rawContour(in, ws);
    if (ws.N < 1)
        return 0;

    static Module_Common before;
    before = ws;
    CalculationOutcome outcome;
    if (Calculate(ws, request, &outcome)) {
        FUZZ_CHECK(same(ws, before));
        // A clean section is normalised wherever it lies, at any size and incidence; only the
        // settings may refuse it.
        FUZZ_CHECK(!(clean && request.leadingEdge && request.method != InterpMethod::None &&
                     request.nPoly < ws.N && !(flags & 16) && request.NI != 1 &&
                     request.NI <= MaxIndex));
        return 0;
    }
    const int count = wholeCount(ws.niValue());
    FUZZ_CHECK(count >= 0 && count <= MaxIndex); // a count below 1 computes no point
    const bool xAlone = !request.ownTrailingEdges && !request.leadingEdge;
    for (int i = 1; i <= count; ++i) {
        FUZZ_CHECK(std::isfinite(ws.XN[i]) && std::isfinite(ws.YN[i]));
        // Scaling x alone puts the chord on 0..1; the other modes keep each surface's end.
        FUZZ_CHECK(!xAlone || (ws.XN[i] >= 0 && ws.XN[i] <= 1));
    }
    for (int i = 1; i <= ws.N; ++i)
        FUZZ_CHECK(std::isfinite(ws.X[i]) && std::isfinite(ws.Y[i]));
    FUZZ_CHECK(!request.leadingEdge || outcome.frame.has_value());

    for (const std::optional<FigureOfMerit> &figure :
         {OrderCheck(ws, request.method), PanelFit(ws)}) {
        if (figure)
            FUZZ_CHECK(figure->value >= 0 && figure->k >= 1 && figure->k <= ws.N);
    }
    const ContourInspection inspection = inspectContour(ws, request.method);
    FUZZ_CHECK(inspection.X.size() == std::size_t(ws.N));
    FUZZ_CHECK(inspection.XN.size() == std::size_t(count));
    FUZZ_CHECK(inspection.deviationN.size() == std::size_t(count));
    for (double deviation : inspection.deviationN)
        FUZZ_CHECK(!(deviation < 0));
    return 0;
}
