// SPDX-License-Identifier: MIT
#include "cli/OutputNames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace tessaro {

namespace {

// Two names for one place: compared after making them absolute and clean.
QString placeKey(const QString &path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool namesFolder(const QString &path) {
    return path.endsWith(u'/') || QFileInfo(path).isDir();
}

} // namespace

QString inputStem(const QString &input) {
    const QFileInfo info(input);
    const QString stem = info.completeBaseName();
    // ".dat" alone has no stem; it keeps its whole name rather than giving ".arf".
    return stem.isEmpty() ? info.fileName() : stem;
}

QString resultFileName(const QString &input, OutputFormat format, bool withSuffix) {
    const QString extension =
        format == OutputFormat::Selig ? QStringLiteral(".dat") : QStringLiteral(".arf");
    return inputStem(input) + (withSuffix ? QStringLiteral("-redistributed") : QString()) +
           extension;
}

OutputPlan planOutputs(const BatchOptions &options) {
    OutputPlan plan;
    const QStringList &inputs = options.inputs;
    if (options.output == u"-") {
        plan.toStandardOutput = true;
        for (qsizetype i = 0; i < inputs.size(); ++i)
            plan.targets << QString();
    } else if (!options.output) {
        for (const QString &input : inputs)
            plan.targets << resultFileName(input, options.format, true);
    } else if (inputs.size() > 1 || namesFolder(*options.output)) {
        plan.folder = *options.output;
        const QDir folder(plan.folder);
        for (const QString &input : inputs)
            plan.targets << folder.filePath(resultFileName(input, options.format, false));
    } else {
        plan.targets << *options.output;
    }

    QHash<QString, qsizetype> seen;
    for (qsizetype i = 0; i < plan.targets.size() && !plan.toStandardOutput; ++i) {
        const QString key = placeKey(plan.targets[i]);
        if (const auto earlier = seen.constFind(key); earlier != seen.cend()) {
            plan.error = QStringLiteral("\"%1\" and \"%2\" would both be written to \"%3\".")
                             .arg(inputs[*earlier], inputs[i], plan.targets[i]);
            return plan;
        }
        seen.insert(key, i);
    }
    if (!options.dumpPath.isEmpty() && seen.contains(placeKey(options.dumpPath))) {
        plan.error = QStringLiteral("--dump names the output file \"%1\"; give it another name.")
                         .arg(options.dumpPath);
        return plan;
    }
    const QString &report = options.reportPath;
    if (!report.isEmpty() && report != u"-" &&
        (seen.contains(placeKey(report)) ||
         (!options.dumpPath.isEmpty() && placeKey(report) == placeKey(options.dumpPath)))) {
        plan.error = QStringLiteral("--report names the output file \"%1\"; give it another name.")
                         .arg(report);
    }
    return plan;
}

} // namespace tessaro
