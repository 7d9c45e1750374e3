// SPDX-License-Identifier: MIT
#include "cli/ReportCsv.h"

namespace tessaro {

namespace {

constexpr char Header[] =
    "file,status,points_read,new_points,order,method,own_trailing_edges,"
    "leading_edge,frame,order_check,order_check_x,panel_fit,panel_fit_x,warning,message\n";

void appendFigure(QByteArray &line, const std::optional<FigureOfMerit> &figure) {
    line += ',';
    if (figure)
        line += csvNumber(figure->value);
    line += ',';
    if (figure)
        line += csvNumber(figure->x);
}

} // namespace

QByteArray csvField(QByteArrayView text) {
    const bool quote =
        text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r');
    if (!quote)
        return text.toByteArray();
    QByteArray field = text.toByteArray();
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

QByteArray csvNumber(double value) {
    // QByteArray::number formats in the C locale, unlike printf after the application set the
    // user's locale. Negative zero is written as zero, without a sign.
    return QByteArray::number(value == 0 ? 0.0 : value, 'g', 17);
}

QByteArray formatReport(const std::vector<ReportRow> &rows) {
    QByteArray out = Header;
    for (const ReportRow &row : rows) {
        QByteArray line = csvField(row.file.toUtf8());
        switch (row.status) {
        case FileStatus::Redistributed:
            line += ",redistributed,";
            break;
        case FileStatus::Refused:
            line += ",refused,";
            break;
        case FileStatus::NotWritten:
            line += ",not written,";
            break;
        }
        if (row.pointsRead)
            line += QByteArray::number(*row.pointsRead);
        line += ',' + QByteArray::number(row.newPoints);
        line += ',' + QByteArray::number(row.order);
        line += row.method == InterpMethod::DivDiff ? ",divdiff" : ",lagrange";
        line += row.ownTrailingEdges ? ",yes" : ",no";
        line += row.leadingEdge ? ",yes," : ",no,";
        line += row.frame;
        appendFigure(line, row.orderCheck);
        appendFigure(line, row.panelFit);
        line += ',' + csvField(row.warnings.join(u' ').toUtf8()) + ',';
        if (row.status != FileStatus::Redistributed)
            line += csvField(row.message.toUtf8());
        out += line + '\n';
    }
    return out;
}

} // namespace tessaro
