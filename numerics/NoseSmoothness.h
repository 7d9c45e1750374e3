// SPDX-License-Identifier: MIT
#pragma once

#include "numerics/Module_DistrAlongTeta.h"
#include "numerics/NosePolynomial.h"

#include <array>

namespace tessaro {

// The points read around the nose whose y must be one smooth polynomial in the angle theta, and
// its degree; a section with fewer points leaves its nose to the tangent search.
inline constexpr int kFitPoints = 11;
inline constexpr int kFitDegree = 6;
// Samples, per step between points read, of the scan that finds the basin of the smoothest nose.
inline constexpr int kNoseScanSteps = 4;
// Brent's method stops within this part of the path searched; the parabola that then finds the
// bottom of the flat minimum spans this part on each side.
inline constexpr double kNoseTolerance = 1e-8;
inline constexpr double kNoseRefineStep = 1e-5;
// The fit refuses a nose with a point read this far ahead of it, in x / e (half the calculation's
// tolerance, so that the normalised points pass it).
inline constexpr double kNoseAhead = 0.5 * kChordEndTolerance;

struct PlanePoint {
    double u = 0;
    double v = 0;
};

// The contour around its nose in one frame: the points the fit runs through, the path the nose
// moves along (the polynomials through the points first..first + kNosePoints - 1 over the length
// t along their polygon), the trailing edge and the contour's two ends.
struct NoseNeighbourhood {
    std::array<PlanePoint, kFitPoints> fit{};
    int fitFirst = 0;
    std::array<double, kNosePoints> t{};
    int pathFirst = 0;
    NosePolynomial U;
    NosePolynomial V;
    PlanePoint T;
    PlanePoint end1;
    PlanePoint endN;
};

// A nose on the path: its parameter, where it is, and the last point read before it.
struct PathNose {
    double t = 0;
    PlanePoint L;
    int before = 0;
    bool found = false; // false when no candidate gave a finite fit
};

// How far the points read around the nose are from one polynomial in theta when L, at t on the
// path, is the nose: the least-squares residual, with theta from each point's x in L's frame by the
// calculation's own arithmetic and the points on each side of L on their own surface. Infinite
// where L's frame leaves a surface without length.
double noseRoughness(const NoseNeighbourhood &around, double t);

// The nose on the path between its nodes jFrom and jTo where the points read around it are
// smoothest in theta and none lies ahead of it: a scan for the basin, Brent's method in it, then
// one parabolic step.
PathNose smoothestNose(const NoseNeighbourhood &around, int jFrom, int jTo);

} // namespace tessaro
