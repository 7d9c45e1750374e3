// SPDX-License-Identifier: MIT
#pragma once

#include <pybind11/pybind11.h>

namespace tessaro::python {

// Adds RefusedError and FileFormatError to module and turns the library's exceptions into them
// and into the OSError family, each with the library's message.
void registerErrors(pybind11::module_ &module);

} // namespace tessaro::python
