// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

namespace tessaro {

// x further outside 0..1 than this is refused before the distribution runs; within it, a point
// takes the angle of the nearest end of the chord (rounding noise of the chord scaling).
inline constexpr double kChordEndTolerance = 1e-9;

// Places the new points at equal steps of the angle (TetaN, XN at 1..floor(NI)) and gives every
// file point its angle (Teta at 1..N), mirrored into pi..2pi from iLE on.
void DistrAlongTeta(Module_Common &ws);

} // namespace tessaro
