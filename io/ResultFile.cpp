// SPDX-License-Identifier: MIT
#include "io/ResultFile.h"

#include "io/ArfWriter.h"
#include "io/SeligWriter.h"

namespace tessaro {

QString couldNotWrite(ResultLayout layout, const QString &name) {
    return QStringLiteral("Could not %1 \"%2\"")
        .arg(layout == ResultLayout::Selig ? QStringLiteral("export") : QStringLiteral("save"),
             name);
}

ResultBytes formatResult(ResultLayout layout, const NewPoints &points, const QString &name) {
    const std::optional<QByteArray> bytes =
        layout == ResultLayout::Selig ? formatSelig(exportName(points.OutTitle, points.Title),
                                                    points.NI, points.XN, points.YN)
                                      : formatArf(points.OutTitle, points.NI, points.XN, points.YN);
    if (!bytes) {
        return {{},
                couldNotWrite(layout, name) +
                    QStringLiteral(": the new points cannot be written (more than 1000, not "
                                   "finite, or too large to read back).")};
    }
    return {*bytes, {}};
}

std::optional<QString> writeResult(ResultLayout layout, const NewPoints &points,
                                   const QString &path, const QString &name) {
    const ResultBytes result = formatResult(layout, points, name);
    if (!result.refusal.isEmpty())
        return result.refusal;
    if (const auto problem = writeWholeFile(path, result.bytes))
        return couldNotWrite(layout, name) + QStringLiteral(": ") + *problem;
    return std::nullopt;
}

} // namespace tessaro
