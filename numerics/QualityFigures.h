// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "numerics/Module_Interp.h"

#include <optional>
#include <vector>

namespace tessaro {

// A figure of merit and the point read at which it is reached.
struct FigureOfMerit {
    double value = 0; // the figure
    int k = 0;        // index of the point read where it is reached (first one where several tie)
    double x = 0;     // X(k) as the calculation scaled it
};

// Both read a working set right after a successful Calculate(): N, X (scaled), Y, Teta, nPoly,
// NI, XN, YN. Neither changes anything, the divided-difference table included.

// Is the order right for this data? Each point read k = 2..N-1 is left out and its y predicted
// at Teta(k) exactly as the driver would predict a new point there on the contour without it;
// the figure is the largest |prediction - Y(k)|. A point is passed over when the driver would
// settle it in no interval, when its window holds two equal angles, when (divided differences)
// the table of the shortened contour would divide by zero, or when the prediction is not a
// finite number. Empty when N < nPoly + 2, for no method, or when every point is passed over.
std::optional<FigureOfMerit> OrderCheck(const Module_Common &ws, InterpMethod method);

// The order check point by point: index k holds |prediction - Y(k)| for point read k, empty for
// a point passed over as above and for the two ends, which are never left out. Index 0 is
// unused. Empty as a whole where OrderCheck has no check; OrderCheck is its largest entry.
std::vector<std::optional<double>> LeaveOneOutMisses(const Module_Common &ws, InterpMethod method);

// Are there enough new points? The largest distance of a point read (X(k), Y(k)) from the
// polygon through the new points 1..floor(NI) in order. A single new point is a polygon of no
// length: the distance is the one to that point. Empty when there is no new point.
std::optional<FigureOfMerit> PanelFit(const Module_Common &ws);

// Distance from (px, py) to the segment from (ax, ay) to (bx, by); both figures and their checks
// measure with this one function.
double segmentDistance(double px, double py, double ax, double ay, double bx, double by);

} // namespace tessaro
