// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessaro {

// The bytes of a saved coordinate file: the title line, the count line (the number of point lines
// written, floor(NI): " 51 " for 51.7, " 0 " below 1, or empty for a count never set), one line
// per new point "  i  x  y" in the five-decimal form with '.', CR LF after every line. Empty when
// floor(NI) is above 1000 or a value written is not finite or so close to the largest double that
// its written form would not read back.
std::optional<QByteArray> formatArf(const QByteArray &title, std::optional<double> NI,
                                    const PointArray &XN, const PointArray &YN);

// How many point lines a saved count gives: floor(NI), none for a count unset or below 1. Empty
// when NI is not finite or floor(NI) is above 1000.
std::optional<int> pointLineCount(std::optional<double> NI);

// Writes bytes to path (relative paths against the working directory) so that an existing file
// of that name is replaced only once the whole text is on disk. Returns the reason on failure.
std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes);

// True when both names designate one existing file (links and relative names resolved).
bool isSameFile(const QString &first, const QString &second);

} // namespace tessaro
