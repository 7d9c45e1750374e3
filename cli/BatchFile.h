// SPDX-License-Identifier: MIT
#pragma once

#include "cli/BatchOptions.h"
#include "common/Module_Common.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace tessaro {

// What one input is computed with; the same for every input of a run.
struct FileSettings {
    Method method = Method::Lagrange;
    int NI = 51;
    int nPoly = 1;
    bool ownTrailingEdges = false;
    OutputFormat format = OutputFormat::Arf;
    // Empty: the calculation writes no table dump.
    QString dumpPath;
};

FileSettings fileSettings(const BatchOptions &options);

// The outcome of one input: the bytes to write, or the one message that refused it.
struct Redistributed {
    QByteArray bytes;
    QString refusal;
    // The point count of the file read; 0 when it could not be imported.
    int pointsRead = 0;
    // The working set right after a successful calculation, for the figures of a report.
    std::unique_ptr<Module_Common> ws;

    bool ok() const { return refusal.isEmpty(); }
};

// The sentence that follows a refusal which keeping each surface's own trailing edge would have
// avoided.
QString ownTrailingEdgesAdvice();

// "Could not save "name"" or, for Selig bytes, "Could not export "name"".
QString couldNotWrite(OutputFormat format, const QString &outputName);

// Imports path as the window's import does, then loads, calculates and formats it as the window
// does with these settings, from a fresh working set and divided-difference table. outputName
// names the result in a message about its bytes.
Redistributed redistributeFile(const QString &path, const FileSettings &settings,
                               const QString &outputName);

} // namespace tessaro
