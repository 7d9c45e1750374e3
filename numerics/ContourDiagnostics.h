// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "numerics/Module_Interp.h"

#include <optional>
#include <span>
#include <vector>

namespace tessaro {

// Curvature at each point of a polyline from the circle through the point and its two
// neighbours, signed so that it is positive where the line turns the way the polyline as a whole
// goes round (as a contour does at its nose) and negative where it turns back: a wiggle shows as
// a change of sign or a spike. NaN at both ends and where two of the three points coincide.
std::vector<double> pointCurvatures(std::span<const double> x, std::span<const double> y);

// Distance of each point (x, y) from the polygon through (polyX, polyY) in order, not closed;
// a polygon of one point is that point. Empty when the polygon is.
std::vector<double> distancesFromPolygon(std::span<const double> x, std::span<const double> y,
                                         std::span<const double> polyX,
                                         std::span<const double> polyY);

// What the inspection plots show of a working set, every array from its first point at index 0.
struct ContourInspection {
    std::vector<double> X, Y;      // the points read, scaled as the calculation scaled them
    std::vector<double> curvature; // of the points read
    // The rest is empty before a calculation.
    std::vector<double> Teta;
    std::vector<std::optional<double>> miss; // leave-one-out miss of each point read
    std::vector<double> XN, YN, TetaN;
    std::vector<double> curvatureN;
    std::vector<double> deviationN; // of each new point from the polygon through the points read
};

// Reads the working set: with a method, right after a successful Calculate() with it; with
// InterpMethod::None, the points read only.
ContourInspection inspectContour(const Module_Common &ws, InterpMethod method);

} // namespace tessaro
