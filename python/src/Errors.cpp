// SPDX-License-Identifier: MIT
#include "Errors.h"

#include <tessaro/tessaro.h>

#include <string>

namespace py = pybind11;

namespace tessaro::python {

namespace {

// Held for the interpreter's life: a static py::object would be released after it has ended.
PyObject *refusedError = nullptr;
PyObject *fileFormatError = nullptr;

PyObject *addError(py::module_ &module, const char *name, const char *doc, py::dict attributes) {
    const std::string qualified = std::string("tessaro.") + name;
    PyObject *type =
        PyErr_NewExceptionWithDoc(qualified.c_str(), doc, PyExc_ValueError, attributes.ptr());
    if (!type)
        throw py::error_already_set();
    module.add_object(name, py::reinterpret_borrow<py::object>(type));
    return type;
}

py::object suggestionName(Refused::Suggestion suggestion) {
    switch (suggestion) {
    case Refused::Suggestion::OwnTrailingEdges:
        return py::str("own-trailing-edges");
    case Refused::Suggestion::LeadingEdgeOff:
        return py::str("leading-edge-off");
    case Refused::Suggestion::None:
        break;
    }
    return py::none();
}

PyObject *fileErrorType(FileError::Kind kind) {
    switch (kind) {
    case FileError::Kind::NotFound:
        return PyExc_FileNotFoundError;
    case FileError::Kind::Folder:
        return PyExc_IsADirectoryError;
    case FileError::Kind::NotRegularFile:
    case FileError::Kind::TooLarge:
    case FileError::Kind::CannotRead:
    case FileError::Kind::CannotWrite:
        break;
    }
    return PyExc_OSError;
}

void raiseRefused(const Refused &refused) {
    try {
        py::object error = py::reinterpret_borrow<py::object>(refusedError)(refused.what());
        error.attr("suggestion") = suggestionName(refused.suggestion());
        PyErr_SetObject(refusedError, error.ptr());
    } catch (py::error_already_set &failed) {
        failed.restore();
    }
}

} // namespace

void registerErrors(py::module_ &module) {
    refusedError = addError(module, "RefusedError",
                            "The calculation refused the section; str() gives the reason.\n\n"
                            "suggestion is None, \"own-trailing-edges\" (a point lies beyond the "
                            "other surface's trailing edge: try mode=\"own-trailing-edges\") or "
                            "\"leading-edge-off\" (the leading-edge mode failed where the others "
                            "might not).",
                            py::dict(py::arg("suggestion") = py::none()));
    fileFormatError = addError(module, "FileFormatError",
                               "The file was read but is not a coordinate file of a known layout; "
                               "str() names the line and what is wrong.",
                               py::dict());
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown)
                std::rethrow_exception(thrown);
        } catch (const Refused &refused) {
            raiseRefused(refused);
        } catch (const FormatError &error) {
            PyErr_SetString(fileFormatError, error.what());
        } catch (const FileError &error) {
            PyErr_SetString(fileErrorType(error.kind()), error.what());
        }
    });
}

} // namespace tessaro::python
