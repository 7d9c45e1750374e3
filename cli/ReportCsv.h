// SPDX-License-Identifier: MIT
#pragma once

#include "numerics/Module_Interp.h"
#include "numerics/QualityFigures.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace tessaro {

// One input's line of the report.
struct ReportRow {
    QString file;
    bool redistributed = false;
    // Unknown (empty) when the file could not be imported.
    std::optional<int> pointsRead;
    int newPoints = 0;
    int order = 0;
    Method method = Method::Lagrange;
    bool ownTrailingEdges = false;
    bool leadingEdge = false;
    // The frame the written points are in: normalised, file or specified (x scaled alone).
    QByteArray frame = "specified";
    std::optional<Figure> orderCheck;
    std::optional<Figure> panelFit;
    // Only for a refused file.
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
