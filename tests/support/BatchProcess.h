// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// One run of the built tessaro-batch in a working directory; standard error goes to errFile
// instead of a pipe when one is given.
struct BatchRunResult {
    bool finished = false;
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline QString batchExecutable() {
    return QStringLiteral(TESSARO_BATCH);
}

inline BatchRunResult runBatchProcess(const QStringList &arguments, const QString &workingDir,
                                      const QString &errFile = {}, const QString &locale = {}) {
    QProcess process;
    process.setWorkingDirectory(workingDir);
    if (!errFile.isEmpty())
        process.setStandardErrorFile(errFile);
    if (!locale.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        process.setProcessEnvironment(environment);
    }
    process.start(batchExecutable(), arguments);
    BatchRunResult result;
    result.finished =
        process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
