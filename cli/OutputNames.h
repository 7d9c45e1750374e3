// SPDX-License-Identifier: MIT
#pragma once

#include "cli/BatchOptions.h"

#include <QString>
#include <QStringList>

namespace tessaro {

// Where each input's result goes, worked out before any input is read.
struct OutputPlan {
    // One per input, in the order given; empty strings when toStandardOutput.
    QStringList targets;
    bool toStandardOutput = false;
    // Set when the results go into a folder that may have to be made first.
    QString folder;
    // Set for a usage error: one line.
    QString error;
};

// The name part of an input without its last extension: "e387" for "dir/e387.dat".
QString inputStem(const QString &input);

// The file name a result of an input gets when it is named after its input: "<stem>.arf" or
// "<stem>.dat"; with the default suffix "-redistributed" before the extension.
QString resultFileName(const QString &input, OutputFormat format, bool withSuffix);

// Applies the -o rules (a folder when there are several inputs, PATH is an existing folder or
// ends in a slash; the file itself otherwise; - for standard output) and refuses two inputs that
// would give one output, or a dump or report that would land on an output.
OutputPlan planOutputs(const BatchOptions &options);

} // namespace tessaro
