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

// Why the bytes of a coordinate file were refused, and where.
struct ArfFault {
    enum class Kind {
        UnclosedQuote, // the title opens a quote that no later byte closes
        BadCount,      // the count is a number but not a whole one from 1 to 1000
        MissingNumber, // the data end before the field
        EmptyField,    // nothing between two commas, or before a comma opening a line
        NotANumber,    // the field does not follow the number rule
        OutOfRange,    // the field follows it but lies beyond the range of doubles
    };
    Kind kind = Kind::MissingNumber;
    int line = 0;     // the line (from 1) of the field, or of the title
    int point = 0;    // the record being read; 0 for the title and the count
    QByteArray field; // the field as written; empty for a missing one
};

struct ArfParse {
    std::optional<ArfFile> file; // set when the bytes are a coordinate file
    ArfFault fault;              // why not, otherwise
};

// parseArf, telling why it refused the bytes.
ArfParse parseArfChecked(QByteArrayView bytes);

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
