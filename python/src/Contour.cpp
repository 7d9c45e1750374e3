// SPDX-License-Identifier: MIT
#include "Contour.h"

#include <string>

namespace py = pybind11;

namespace tessaro::python {

std::vector<Point> pointsOf(const py::handle &coordinates, const char *what) {
    // Lists, integers, float32, Fortran order and strides all become one C-ordered float64
    // array; what NumPy cannot convert raises NumPy's own error.
    const py::array_t<double, py::array::c_style | py::array::forcecast> array(
        py::reinterpret_borrow<py::object>(coordinates));
    const std::string shape = py::str(array.attr("shape"));
    if (array.ndim() == 2 && array.shape(0) == 2 && array.shape(1) != 2) {
        throw py::value_error(std::string(what) + " has shape " + shape +
                              ": give one row per point, x and y in the columns of an (N, 2) "
                              "array; pass its .T.");
    }
    if (array.ndim() != 2 || array.shape(1) != 2) {
        throw py::value_error(std::string(what) + " has shape " + shape +
                              ": give an (N, 2) array, x and y in its columns.");
    }
    const auto view = array.unchecked<2>();
    std::vector<Point> points(std::size_t(view.shape(0)));
    for (py::ssize_t i = 0; i < view.shape(0); ++i)
        points[std::size_t(i)] = {view(i, 0), view(i, 1)};
    return points;
}

py::array_t<double> arrayOf(std::span<const Point> points) {
    py::array_t<double> array({py::ssize_t(points.size()), py::ssize_t(2)});
    auto view = array.mutable_unchecked<2>();
    for (std::size_t i = 0; i < points.size(); ++i) {
        view(py::ssize_t(i), 0) = points[i].x;
        view(py::ssize_t(i), 1) = points[i].y;
    }
    return array;
}

} // namespace tessaro::python
