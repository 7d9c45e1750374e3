// SPDX-License-Identifier: MIT
#pragma once

#include <tessaro/tessaro.h>

#include <pybind11/numpy.h>

#include <span>
#include <vector>

namespace tessaro::python {

// The points of an array-like of shape (N, 2), converted to float64 once and copied out, so that
// the caller's array is never written and may change while the GIL is released. what names the
// argument in messages.
std::vector<Point> pointsOf(const pybind11::handle &coordinates, const char *what);

// A new (N, 2) float64 array that owns its memory.
pybind11::array_t<double> arrayOf(std::span<const Point> points);

} // namespace tessaro::python
