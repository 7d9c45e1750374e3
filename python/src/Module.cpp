// SPDX-License-Identifier: MIT
// tessaro._core: the library's calls on NumPy arrays. Arguments are converted while the GIL is
// held, the calculation and the file work run without it, and the results become Python objects
// once it is held again.
#include "Contour.h"
#include "Errors.h"

#include <tessaro/tessaro.h>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>

namespace py = pybind11;
using namespace pybind11::literals;

namespace tessaro::python {

namespace {

struct PyFrame {
    Frame frame;
};

struct PyResult {
    py::array_t<double> coordinates;
    py::object orderCheck, orderCheckX, panelFit, panelFitX;
    py::tuple warnings;
    py::object frame;
    double chord = 0;
};

[[noreturn]] void refuseChoice(const char *option, const std::string &given, const char *choices) {
    throw py::value_error(std::string(option) + " = \"" + given + "\": give " + choices + ".");
}

Method methodOf(const std::string &name) {
    if (name == "lagrange")
        return Method::Lagrange;
    if (name == "divided-differences")
        return Method::DividedDifferences;
    refuseChoice("method", name, "\"lagrange\" or \"divided-differences\"");
}

Mode modeOf(const std::string &name) {
    if (name == "specified")
        return Mode::Specified;
    if (name == "own-trailing-edges")
        return Mode::OwnTrailingEdges;
    if (name == "leading-edge")
        return Mode::LeadingEdge;
    refuseChoice("mode", name, "\"specified\", \"own-trailing-edges\" or \"leading-edge\"");
}

Layout writtenLayoutOf(const std::string &name) {
    if (name == "arf")
        return Layout::Arf;
    if (name == "selig")
        return Layout::Selig;
    if (name == "lednicer") {
        throw py::value_error("layout = \"lednicer\": the Lednicer layout is read but never "
                              "written; give \"arf\" or \"selig\".");
    }
    refuseChoice("layout", name, "\"arf\" or \"selig\"");
}

const char *layoutName(Layout layout) {
    switch (layout) {
    case Layout::Arf:
        return "arf";
    case Layout::Lednicer:
        return "lednicer";
    case Layout::Selig:
        break;
    }
    return "selig";
}

std::string pathOf(const py::bytes &path) {
    return std::string(path);
}

std::string repr(double value) {
    return py::str(py::repr(py::float_(value)));
}

PyResult resultOf(const Result &result) {
    PyResult converted;
    converted.coordinates = arrayOf(result.points);
    const auto figure = [](const std::optional<Figure> &figure, py::object &value, py::object &x) {
        value = figure ? py::object(py::float_(figure->value)) : py::none();
        x = figure ? py::object(py::float_(figure->x)) : py::none();
    };
    figure(result.orderCheck, converted.orderCheck, converted.orderCheckX);
    figure(result.panelFit, converted.panelFit, converted.panelFitX);
    py::tuple warnings(result.warnings.size());
    for (std::size_t i = 0; i < result.warnings.size(); ++i)
        warnings[i] = py::str(result.warnings[i].text);
    converted.warnings = warnings;
    converted.frame = result.frame ? py::cast(PyFrame{*result.frame}) : py::none();
    converted.chord = result.chord;
    return converted;
}

PyResult redistributeArray(const py::object &coordinates, int points, int order,
                           const std::string &method, const std::string &mode, bool keepFrame) {
    const Options options{points, order, methodOf(method), modeOf(mode), keepFrame};
    if (keepFrame && options.mode != Mode::LeadingEdge) {
        throw py::value_error("keep_frame applies to the leading-edge mode only: give "
                              "mode=\"leading-edge\".");
    }
    const std::vector<Point> contour = pointsOf(coordinates, "coordinates");
    Result result;
    {
        py::gil_scoped_release unlocked;
        result = redistribute(contour, options);
    }
    return resultOf(result);
}

py::tuple readFile(const py::bytes &path) {
    const std::string native = pathOf(path);
    Section section;
    {
        py::gil_scoped_release unlocked;
        section = readSection(native);
    }
    py::array_t<double> coordinates = arrayOf(section.points);
    coordinates.attr("setflags")("write"_a = false);
    return py::make_tuple(py::bytes(section.name), coordinates, layoutName(section.layout));
}

py::bytes formatPoints(const py::object &coordinates, const py::bytes &name,
                       const std::string &layout) {
    const Layout written = writtenLayoutOf(layout);
    const std::vector<Point> points = pointsOf(coordinates, "coordinates");
    const std::string title(name);
    std::string text;
    {
        py::gil_scoped_release unlocked;
        text = formatSection(points, title, written);
    }
    return py::bytes(text);
}

void writeFile(const py::bytes &path, const py::object &coordinates, const py::bytes &name,
               const std::string &layout) {
    const Layout written = writtenLayoutOf(layout);
    const std::vector<Point> points = pointsOf(coordinates, "coordinates");
    const std::string native = pathOf(path);
    const std::string title(name);
    py::gil_scoped_release unlocked;
    writeSection(native, points, title, written);
}

const char *const kRedistributeDoc =
    R"(Redistributes a contour to new points, cosine-spaced over the angle theta.

coordinates: an (N, 2) array-like of x and y, 2 <= N <= 1000, in file order: trailing
    edge, one surface, nose, other surface, trailing edge. Lists, integers, float32,
    Fortran-ordered and strided arrays are converted once; the input is never changed.
points: the number of new points, 2..1000.
order: the order of the local interpolation polynomials, 0..100 and below N.
method: "lagrange" or "divided-differences".
mode: "specified" (x alone scaled onto 0..1 from the point of least x),
    "own-trailing-edges" (each surface scaled over its own length, both trailing-edge
    points kept) or "leading-edge" (moved, turned and scaled, x and y alike, so that the
    true nose is (0, 0) and the trailing edge (1, 0)).
keep_frame: with mode="leading-edge", give the new points back in the contour's own
    position, scale and incidence.

Returns a Result. Raises RefusedError for what the calculation refuses (an order at or
above N included) and ValueError for bad options or a bad array. The GIL is released
while the section is calculated.)";

} // namespace

} // namespace tessaro::python

PYBIND11_MODULE(_core, module) {
    using namespace tessaro::python;
    module.doc() = "The compiled core of tessaro; use the tessaro package.";
    // Arrays need NumPy; without it the import fails here rather than at the first call.
    py::module_::import("numpy");
    registerErrors(module);

    py::class_<PyFrame>(module, "Frame",
                        "The frame of the leading-edge mode: normalised = rotate(file - nose, "
                        "angle) / chord,\nthe rotation counter-clockwise by angle (radians), so "
                        "that the nose goes to (0, 0) and\nthe trailing edge to (1, 0).")
        .def_property_readonly(
            "nose",
            [](const PyFrame &self) {
                return py::make_tuple(self.frame.nose.x, self.frame.nose.y);
            },
            "The nose (x, y) in the contour's own units.")
        .def_property_readonly(
            "angle", [](const PyFrame &self) { return self.frame.angle; },
            "The turn in radians, counter-clockwise.")
        .def_property_readonly(
            "chord", [](const PyFrame &self) { return self.frame.chord; },
            "The distance from the nose to the trailing edge, in the contour's units.")
        .def("__repr__", [](const PyFrame &self) {
            return "Frame(nose=(" + repr(self.frame.nose.x) + ", " + repr(self.frame.nose.y) +
                   "), angle=" + repr(self.frame.angle) + ", chord=" + repr(self.frame.chord) + ")";
        });

    py::class_<PyResult>(module, "Result",
                         "What redistribute() gives: the new points and how "
                         "good they are.")
        .def_readonly("coordinates", &PyResult::coordinates,
                      "The new points, an (N, 2) float64 array of its own.")
        .def_readonly("order_check", &PyResult::orderCheck,
                      "Is the order right for these points? The largest miss when each point "
                      "read is left out and predicted from the others; None where there is no "
                      "check (fewer than order + 2 points).")
        .def_readonly("order_check_x", &PyResult::orderCheckX,
                      "The x of the point read where order_check is reached, in the frame the "
                      "calculation scaled to; None with it.")
        .def_readonly("panel_fit", &PyResult::panelFit,
                      "Are there enough new points? The largest distance of a point read from "
                      "the polygon through the new points; None where there is none.")
        .def_readonly("panel_fit_x", &PyResult::panelFitX,
                      "The x where panel_fit is reached; None with it.")
        .def_readonly("warnings", &PyResult::warnings,
                      "The library's warnings, a tuple of str: a stretched section, a damaged "
                      "point, an unchecked order, new points that stray.")
        .def_readonly("frame", &PyResult::frame,
                      "The Frame of the leading-edge mode; None in the other modes.")
        .def_readonly("chord", &PyResult::chord, "What x was divided by, in the contour's units.")
        .def("__repr__", [](const PyResult &self) {
            return "<tessaro.Result: " + std::to_string(self.coordinates.shape(0)) +
                   " points, order_check=" + std::string(py::str(py::repr(self.orderCheck))) +
                   ", panel_fit=" + std::string(py::str(py::repr(self.panelFit))) + ", " +
                   std::to_string(self.warnings.size()) + " warnings>";
        });

    module.def("redistribute", &redistributeArray, kRedistributeDoc, "coordinates"_a, py::kw_only(),
               "points"_a = 161, "order"_a = 3, "method"_a = "lagrange", "mode"_a = "specified",
               "keep_frame"_a = false);
    module.def("read_file", &readFile, "path"_a,
               "(name bytes, read-only (N, 2) coordinates, layout) of the file at path (bytes).");
    module.def("format_points", &formatPoints, "coordinates"_a, "name"_a, "layout"_a,
               "The bytes of a coordinate file of the points under name (bytes).");
    module.def("write_file", &writeFile, "path"_a, "coordinates"_a, "name"_a, "layout"_a,
               "Writes format_points' bytes to path (bytes), replacing a file there only once "
               "the whole text is on disk.");
    // Shown where the package exports them.
    for (const char *name : {"Frame", "Result", "redistribute"})
        module.attr(name).attr("__module__") = "tessaro";
    module.attr("__version__") = std::string(tessaro::version());
}
