// SPDX-License-Identifier: MIT
#include "cli/BatchFile.h"

#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
#include "io/ArfWriter.h"
#include "io/SeligWriter.h"
#include "numerics/Calculation.h"
#include "numerics/Module_Interp.h"

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

Calculated calculateFile(const QString &path, const FileSettings &settings, bool figures) {
    Calculated result;
    ImportResult imported = importAirfoilFile(path);
    if (!imported.file) {
        result.refusal = imported.error;
        return result;
    }
    const ArfFile &file = *imported.file;
    result.pointsRead = file.N;
    result.Title = file.title;

    // A fresh start for every file, as if the window had just been opened on it.
    resetCommon();
    resetDivDiffTable();
    Module_Common &ws = common();
    applyLoad(ws, file);
    ws.FileLoaded = true;

    const CalculationRequest request{settings.method, double(settings.NI), double(settings.nPoly),
                                     settings.dumpPath, settings.ownTrailingEdges};
    Suggestion suggestion = Suggestion::None;
    if (const auto message = Calculate(ws, request, &suggestion)) {
        result.refusal = *message;
        if (suggestion == Suggestion::OwnTrailingEdges)
            result.refusal += u' ' + ownTrailingEdgesAdvice();
        return result;
    }
    result.NI = ws.NI;
    result.XN = ws.XN;
    result.YN = ws.YN;
    if (figures) {
        result.orderCheck = OrderCheck(ws, settings.method);
        result.panelFit = PanelFit(ws);
    }
    return result;
}

ResultBytes resultBytes(const Calculated &calculated, OutputFormat format,
                        const QString &outputName) {
    const QByteArray &Title = calculated.Title;
    const QByteArray OutTitle = Title + " - redistributed";
    const std::optional<QByteArray> bytes =
        format == OutputFormat::Selig
            ? formatSelig(exportName(OutTitle, Title), calculated.NI, calculated.XN, calculated.YN)
            : formatArf(OutTitle, calculated.NI, calculated.XN, calculated.YN);
    if (!bytes) {
        return {{},
                couldNotWrite(format, outputName) +
                    QStringLiteral(": the new points cannot be written (more than 1000, not "
                                   "finite, or too large to read back).")};
    }
    return {*bytes, {}};
}

} // namespace tessaro
