// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the built tessaro-batch executable, in a given working directory.
struct BatchRunResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
    bool finished = false;
};

inline QString batchExecutable() {
    return QStringLiteral(TESSARO_BATCH);
}

// stderrFile, when given, receives standard error instead of a pipe.
inline BatchRunResult runBatchProcess(const QStringList &arguments, const QString &workingDir,
                                      const QString &stderrFile = QString()) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    if (!stderrFile.isEmpty())
        process.setStandardErrorFile(stderrFile);
    process.start(batchExecutable(), arguments);
    BatchRunResult result;
    result.finished =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
