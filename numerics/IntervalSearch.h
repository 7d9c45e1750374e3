// SPDX-License-Identifier: MIT
#pragma once

#include "numerics/Module_Interp.h"

#include <cmath>

namespace tessaro {

// How a new angle is settled on the points read: at the lower or upper end of an interval (it
// takes that point's y), strictly between its ends (interpolated), or not at all.
enum class Settled { Not, AtLower, AtUpper, Between };

struct Interval {
    int k = 0;
    Settled how = Settled::Not;
};

inline bool isNearAngle(double a, double b) {
    return std::fabs(a - b) <= kAngleTolerance;
}

// The first k in 1..N-1 at which the angle T is settled, trying k = 1, 2, ... in turn. angle(j)
// is the angle of point j, 1 <= j <= N.
template <typename Angle> Interval scanIntervals(const Angle &angle, int N, double T) {
    for (int k = 1; k <= N - 1; ++k) {
        if (isNearAngle(T, angle(k)))
            return {k, Settled::AtLower};
        if (isNearAngle(T, angle(k + 1)))
            return {k, Settled::AtUpper};
        if (angle(k) < T && T < angle(k + 1))
            return {k, Settled::Between};
    }
    return {};
}

// The same answer for angles that never fall (the usual contour), by bisection: the first point
// that is near T or above it decides, since every point before it is below T and not near.
template <typename Angle> Interval searchAscending(const Angle &angle, int N, double T) {
    const auto reached = [&](int j) { return angle(j) >= T || isNearAngle(T, angle(j)); };
    int low = 1;
    int high = N + 1;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (reached(mid))
            high = mid;
        else
            low = mid + 1;
    }
    const int j = low;
    if (N < 2 || j > N)
        return {};
    if (j == 1)
        return isNearAngle(T, angle(1)) ? Interval{1, Settled::AtLower} : Interval{};
    if (isNearAngle(T, angle(j)))
        return {j - 1, Settled::AtUpper};
    return {j - 1, Settled::Between};
}

template <typename Angle> bool anglesAscend(const Angle &angle, int N) {
    for (int k = 1; k <= N - 1; ++k) {
        if (!(angle(k) <= angle(k + 1)))
            return false;
    }
    return true;
}

// First point of the window of nPoly + 1 points around interval k: the lower limit first, then
// the upper one, so that the window stays within 1..N when nPoly < N.
inline int windowStart(int k, int nPoly, int N) {
    int iStart = k - nPoly / 2;
    if (iStart < 1)
        iStart = 1;
    if (iStart + nPoly > N)
        iStart = N - nPoly;
    return iStart;
}

} // namespace tessaro
