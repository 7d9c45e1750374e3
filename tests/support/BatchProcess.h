// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>

#include <functional>

// One run of the built tessaro-batch in workingDir, in this process's environment; standard
// error goes to errFile instead of a pipe when one is given; childSetup runs in the child before
// the program starts (limits, signal dispositions); program replaces tessaro-batch (a test that
// runs itself). A run that does not end by itself within a minute, or crashes, has status -1.
struct BatchRunResult {
    int status = -1;
    QByteArray out, err;
};

inline BatchRunResult runBatchProcess(const QStringList &arguments, const QString &workingDir,
                                      const QString &errFile = {},
                                      const std::function<void()> &childSetup = {},
                                      const QString &program = QStringLiteral(TESSARO_BATCH)) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    if (!errFile.isEmpty())
        process.setStandardErrorFile(errFile);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// A file that every run refuses, and the line it gets.
inline const QByteArray kFlatArf = "Flat\r\n 3 \r\n 1 0.5 0\r\n 2 0.5 1\r\n 3 0.5 2\r\n";
inline const QByteArray kFlatRefusal = "The points span no chord: every x is the same. Open a file "
                                       "whose x runs from the trailing edge to the leading edge "
                                       "and back.";
