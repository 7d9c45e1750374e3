// SPDX-License-Identifier: MIT
#include "cli/BatchFile.h"

#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
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
    const QByteArray OutTitle = calculated.Title + " - redistributed";
    return formatResult(format,
                        {calculated.Title, OutTitle, calculated.NI, calculated.XN, calculated.YN},
                        outputName);
}

} // namespace tessaro
