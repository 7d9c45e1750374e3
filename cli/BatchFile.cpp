// SPDX-License-Identifier: MIT
#include "cli/BatchFile.h"

#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
#include "io/ArfWriter.h"
#include "io/SeligWriter.h"
#include "numerics/Calculation.h"

#include <cmath>

namespace tessaro {

FileSettings fileSettings(const BatchOptions &options) {
    return FileSettings{options.method,           options.NI,     options.nPoly,
                        options.ownTrailingEdges, options.format, options.dumpPath};
}

QString ownTrailingEdgesAdvice() {
    return QStringLiteral("Run with -t (--own-trailing-edges) to redistribute such a section.");
}

QString couldNotWrite(OutputFormat format, const QString &outputName) {
    // The window's words: its save writes .arf bytes, its export Selig bytes.
    return QStringLiteral("Could not %1 \"%2\"")
        .arg(format == OutputFormat::Selig ? QStringLiteral("export") : QStringLiteral("save"),
             outputName);
}

Redistributed redistributeFile(const QString &path, const FileSettings &settings,
                               const QString &outputName) {
    Redistributed result;
    ImportResult imported = importAirfoilFile(path);
    if (!imported.file) {
        result.refusal = imported.error;
        return result;
    }
    const ArfFile &file = *imported.file;
    result.pointsRead = file.N;

    // A fresh start for every file, as if the window had just been opened on it.
    auto ws = std::make_unique<Module_Common>();
    ws->Pi = 4.0 * std::atan(1.0);
    resetDivDiffTable();
    applyLoad(*ws, file);
    const QByteArray &Title = file.title;
    ws->FileLoaded = true;

    const CalculationRequest request{settings.method, double(settings.NI), double(settings.nPoly),
                                     settings.dumpPath, settings.ownTrailingEdges};
    Suggestion suggestion = Suggestion::None;
    if (const auto message = Calculate(*ws, request, &suggestion)) {
        result.refusal = *message;
        if (suggestion == Suggestion::OwnTrailingEdges)
            result.refusal += u' ' + ownTrailingEdgesAdvice();
        return result;
    }
    const QByteArray OutTitle = Title + " - redistributed";

    const std::optional<QByteArray> bytes =
        settings.format == OutputFormat::Selig
            ? formatSelig(exportName(OutTitle, Title), ws->NI, ws->XN, ws->YN)
            : formatArf(OutTitle, ws->NI, ws->XN, ws->YN);
    if (!bytes) {
        result.refusal = couldNotWrite(settings.format, outputName) +
                         QStringLiteral(": the new points cannot be written (more than 1000, not "
                                        "finite, or too large to read back).");
        return result;
    }
    result.bytes = *bytes;
    result.ws = std::move(ws);
    return result;
}

} // namespace tessaro
