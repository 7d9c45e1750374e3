// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tessaro {

// A coordinate file as read: the title bytes exactly as they stand, the count and the points
// at indices 1..N.
struct ArfFile {
    QByteArray title;
    int N = 0;
    PointArray X{};
    PointArray Y{};
};

// Parses the bytes of a coordinate file. Empty when the bytes break a field rule, the count is
// not a whole number from 1 to 1000, the data end before the N-th record, or a number is not a
// finite double. Nothing after the N-th record is looked at.
std::optional<ArfFile> parseArf(QByteArrayView bytes);

// Reads and parses the file at path; empty also when it is not a readable regular file.
std::optional<ArfFile> readArfFile(const QString &path);

// Puts a file that was read completely into the working set: N, X, Y, NI = N, the copies XN, YN
// taken before the percent-of-chord rule, then the rule itself, then Scale = 1. Points beyond N
// keep what they held. FileLoaded and the titles are the caller's.
void applyLoad(Module_Common &ws, const ArfFile &file);

} // namespace tessaro
