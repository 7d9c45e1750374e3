// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

namespace tessaro {

// x further outside 0..1 than this is refused before the distribution runs; within it, a point
// takes the angle of the nearest end of the chord (rounding noise of the chord scaling).
inline constexpr double kChordEndTolerance = 1e-9;

// Where each surface ends after the chord scaling: e1 for the points before iLE, e2 from iLE on.
// Both 1 for a section whose surfaces share one trailing-edge x.
struct SurfaceEnds {
    double e1 = 1;
    double e2 = 1;
};

// Places the new points at equal steps of the angle (TetaN, XN at 1..floor(NI)) and gives every
// file point its angle (Teta at 1..N), mirrored into pi..2pi from iLE on.
void DistrAlongTeta(Module_Common &ws);

// The same over each surface's own length: a point's angle comes from x / e of its surface, and
// a new point's x is the cosine spacing times e1 before the leading edge and times e2 after it.
// The caller has checked that every x / e lies within kChordEndTolerance of 0..1.
void DistrAlongTeta(Module_Common &ws, const SurfaceEnds &ends);

} // namespace tessaro
