// SPDX-License-Identifier: MIT
#pragma once

#include "io/ResultFile.h"
#include "numerics/Module_Interp.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tessaro {

// -f arf is the window's save, -f selig its export.
using OutputFormat = ResultLayout;

// Everything the command line asks of one run; the defaults are the window's start-up values.
struct BatchOptions {
    int NI = 51;
    int nPoly = 1;
    InterpMethod method = InterpMethod::Lagrange;
    bool ownTrailingEdges = false;
    bool leadingEdge = false;
    // With leadingEdge: write the new points in the file's own frame.
    bool keepFrame = false;
    OutputFormat format = OutputFormat::Arf;
    // -o as given; unset writes next to the working directory under the default names.
    std::optional<QString> output;
    // Empty: no table dump.
    QString dumpPath;
    // Empty: no report.
    QString reportPath;
    bool quiet = false;
    // A result whose order check exceeds this is not written; unset writes every result.
    std::optional<double> maxOrderCheck;
    QStringList inputs;
};

enum class BatchAction { Run, Help, Version };

struct ParsedArguments {
    BatchAction action = BatchAction::Run;
    BatchOptions options;
    // Set for a usage error: one line, without the program name or the hint.
    QString error;
};

// Reads the arguments that follow the program name. Looks at no file.
ParsedArguments parseBatchArguments(const QStringList &arguments);

// The --help text, with two examples.
QString batchUsage();

// The line that follows every usage error.
QString usageHint();

// "tessaro-batch 1.0.0".
QString versionLine();

} // namespace tessaro
