// SPDX-License-Identifier: MIT
#pragma once

#include "numerics/Module_Interp.h"
#include "numerics/QualityFigures.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tessaro {

// What became of one input: written, refused before or while writing, or calculated but held
// back by --max-order-check.
enum class FileStatus { Redistributed, Refused, NotWritten };

// One input's line of the report.
struct ReportRow {
    QString file;
    FileStatus status = FileStatus::Refused;
    // Unknown (empty) when the file could not be imported.
    std::optional<int> pointsRead;
    int newPoints = 0;
    int order = 0;
    InterpMethod method = InterpMethod::Lagrange;
    bool ownTrailingEdges = false;
    bool leadingEdge = false;
    // The frame the written points are in: normalised, file or specified (x scaled alone).
    QByteArray frame = "specified";
    std::optional<FigureOfMerit> orderCheck;
    std::optional<FigureOfMerit> panelFit;
    // The warnings of a successful calculation, one sentence each.
    QStringList warnings;
    // Only for a file refused or not written.
    QString message;
};

// A CSV field as RFC 4180 has it: quoted, with its quotes doubled, when it holds a comma, a quote
// or a line end; as it stands otherwise.
QByteArray csvField(QByteArrayView text);

// 17 significant digits, '.' whatever the locale, so that the number reads back exactly.
QByteArray csvNumber(double value);

// The header line and one line per row, LF after each.
QByteArray formatReport(const std::vector<ReportRow> &rows);

} // namespace tessaro
