// SPDX-License-Identifier: MIT
#pragma once

#include "cli/BatchOptions.h"
#include "common/Module_Common.h"
#include "numerics/LeadingEdge.h"
#include "numerics/QualityFigures.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tessaro {

// What one input is computed with; the same for every input of a run.
struct FileSettings {
    InterpMethod method = InterpMethod::Lagrange;
    int NI = 51;
    int nPoly = 1;
    bool ownTrailingEdges = false;
    bool leadingEdge = false;
    bool keepFrame = false;
    OutputFormat format = OutputFormat::Arf;
    // Empty: the calculation writes no table dump.
    QString dumpPath;
};

FileSettings fileSettings(const BatchOptions &options);

// One input after its calculation: what its save or export writes and, when asked for, its two
// figures; or the one message that refused it.
struct Calculated {
    QString refusal;
    // The point count of the file read; 0 when it could not be imported.
    int pointsRead = 0;
    QByteArray Title;
    // The new points as the calculation left them in the working set.
    std::optional<double> NI;
    PointArray XN{};
    PointArray YN{};
    // Always computed: the warnings and --max-order-check read it.
    std::optional<FigureOfMerit> orderCheck;
    // Only when figures were asked for.
    std::optional<FigureOfMerit> panelFit;
    // The warnings of the calculation, in tessaro-batch's words.
    QStringList warnings;
    // The frame the leading-edge mode normalised into, to map the new points back with.
    std::optional<SectionFrame> frame;
    bool keepFrame = false;
    // After a refusal with neither -t nor -L: the option that redistributes the section instead,
    // "-L" or "-t", or empty when neither does.
    QString redistributesWith;

    bool ok() const { return refusal.isEmpty(); }
};

// The sentence that follows a refusal of the leading-edge mode that the plain scaling might avoid.
QString leadingEdgeOffAdvice();

// How the stretched warning ends: x and y are scaled alike with -L.
QString scaleBothAdvice();

// Why a result whose order check is above the --max-order-check tolerance is not written.
QString notWrittenMessage(const FigureOfMerit &orderCheck, double tolerance);

// Imports path as the window's import does, then loads and calculates it in the working set as
// the window does with these settings, from a fresh working set and divided-difference table;
// reads the order check and the warnings from it and, with figures, the panel fit. A section
// refused with neither -t nor -L is tried quietly with -L, then with -t, and the refusal names
// the first that redistributes it instead of a hint.
Calculated calculateFile(const QString &path, const FileSettings &settings, bool figures);

// The new points as a result writes them: in the normalised frame, or with keepFrame mapped back
// into the file's own.
struct WrittenPoints {
    PointArray XN;
    PointArray YN;
};
WrittenPoints writtenPoints(const Calculated &calculated);

// The bytes of the window's save (.arf) or export (Selig) of a calculated file, or the refusal
// naming outputName. Reads only what it is given, so it may run on any thread.
ResultBytes resultBytes(const Calculated &calculated, OutputFormat format,
                        const QString &outputName);

} // namespace tessaro
