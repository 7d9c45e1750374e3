// SPDX-License-Identifier: MIT
#include "tessaro/tessaro.h"

namespace tessaro {

// Out of line, so that each exception's type information lives in the library alone and a
// catch in the program that links it matches.
Refused::Refused(const std::string &message, Suggestion suggestion)
    : std::invalid_argument(message), suggestion_(suggestion) {}
Refused::~Refused() = default;

FileError::FileError(const std::string &message, Kind kind)
    : std::runtime_error(message), kind_(kind) {}
FileError::~FileError() = default;

FormatError::FormatError(const std::string &message) : std::invalid_argument(message) {}
FormatError::~FormatError() = default;

std::string_view version() noexcept {
    return TESSARO_VERSION;
}

} // namespace tessaro
