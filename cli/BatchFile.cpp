// SPDX-License-Identifier: MIT
#include "cli/BatchFile.h"

#include "common/NumberText.h"
#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
#include "numerics/Calculation.h"
#include "numerics/Module_Interp.h"
#include "numerics/Warnings.h"

namespace tessaro {

FileSettings fileSettings(const BatchOptions &options) {
    FileSettings settings;
    settings.method = options.method;
    settings.NI = options.NI;
    settings.nPoly = options.nPoly;
    settings.ownTrailingEdges = options.ownTrailingEdges;
    settings.leadingEdge = options.leadingEdge;
    settings.keepFrame = options.keepFrame;
    settings.format = options.format;
    settings.dumpPath = options.dumpPath;
    return settings;
}

QString leadingEdgeOffAdvice() {
    return QStringLiteral("Run without -L (--leading-edge) to scale x alone, from the point of "
                          "least x.");
}

QString scaleBothAdvice() {
    return QStringLiteral("run with -L to scale both.");
}

QString notWrittenMessage(const FigureOfMerit &orderCheck, double tolerance) {
    return QStringLiteral("not written: order check %1 exceeds --max-order-check %2")
        .arg(messageNumber(orderCheck.value), messageNumber(tolerance));
}

namespace {

// The long name of each option a refused section is tried with.
QString longOption(const QString &option) {
    return option == u"-L" ? QStringLiteral("--leading-edge")
                           : QStringLiteral("--own-trailing-edges");
}

Calculated calculateLoaded(const ArfFile &file, const FileSettings &settings, bool figures) {
    Calculated result;
    result.pointsRead = file.N;
    result.Title = file.title;

    // A fresh start for every file, as if the window had just been opened on it.
    resetCommon();
    resetDivDiffTable();
    Module_Common &ws = common();
    applyLoad(ws, file);
    ws.FileLoaded = true;

    CalculationRequest request{settings.method, double(settings.NI), double(settings.nPoly),
                               settings.dumpPath, settings.ownTrailingEdges};
    request.leadingEdge = settings.leadingEdge;
    CalculationOutcome outcome;
    if (const auto message = Calculate(ws, request, &outcome)) {
        result.refusal = *message;
        if (!settings.ownTrailingEdges && !settings.leadingEdge) {
            // -L first: it scales x and y alike, where -t stretches x alone.
            for (const auto &[option, leadingEdge] : {std::pair{"-L", true}, {"-t", false}}) {
                FileSettings tried = settings;
                tried.ownTrailingEdges = true;
                tried.leadingEdge = leadingEdge;
                tried.dumpPath.clear();
                if (calculateLoaded(file, tried, false).ok()) {
                    result.redistributesWith = QString::fromLatin1(option);
                    break;
                }
            }
        }
        if (!result.redistributesWith.isEmpty()) {
            // The window's own message may end without a stop; its words stay as they are.
            if (!result.refusal.endsWith(u'.'))
                result.refusal += u'.';
            result.refusal +=
                QStringLiteral(" It redistributes with %1 (%2).")
                    .arg(result.redistributesWith, longOption(result.redistributesWith));
        } else if (outcome.suggestion == Suggestion::LeadingEdgeOff) {
            result.refusal += u' ' + leadingEdgeOffAdvice();
        }
        return result;
    }
    result.NI = ws.NI;
    result.XN = ws.XN;
    result.YN = ws.YN;
    result.frame = outcome.frame;
    result.keepFrame = settings.keepFrame;
    const WarningFacts facts =
        readWarningFacts(ws, settings.method, outcome.chord, settings.leadingEdge);
    result.orderCheck = facts.orderCheck;
    if (figures)
        result.panelFit = PanelFit(ws);
    result.warnings = calculationWarnings(facts, scaleBothAdvice(), u'.').list();
    return result;
}

} // namespace

Calculated calculateFile(const QString &path, const FileSettings &settings, bool figures) {
    ImportResult imported = importAirfoilFile(path);
    if (!imported.file) {
        Calculated result;
        result.refusal = imported.error;
        return result;
    }
    return calculateLoaded(*imported.file, settings, figures);
}

WrittenPoints writtenPoints(const Calculated &calculated) {
    WrittenPoints points{calculated.XN, calculated.YN};
    if (calculated.keepFrame && calculated.frame) {
        // Back into the file's own position, scale and incidence.
        for (int i = 1; i <= wholeCount(calculated.NI.value_or(0)); ++i)
            calculated.frame->toFile(calculated.XN[i], calculated.YN[i], points.XN[i],
                                     points.YN[i]);
    }
    return points;
}

ResultBytes resultBytes(const Calculated &calculated, OutputFormat format,
                        const QString &outputName) {
    const QByteArray OutTitle = calculated.Title + " - redistributed";
    const WrittenPoints points = writtenPoints(calculated);
    return formatResult(format, {calculated.Title, OutTitle, calculated.NI, points.XN, points.YN},
                        outputName);
}

} // namespace tessaro
