// SPDX-License-Identifier: MIT
#include "cli/BatchRun.h"

#include "cli/BatchFile.h"
#include "cli/BatchOptions.h"
#include "cli/OutputNames.h"
#include "io/ArfWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <set>
#include <sys/stat.h>
#include <utility>

namespace tessaro {

namespace {

void writeText(std::FILE *stream, const QString &text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

int usageError(const BatchStreams &streams, const QString &error) {
    writeText(streams.err, QStringLiteral("tessaro-batch: ") + error + u'\n' + usageHint() + u'\n');
    return 2;
}

// "[ 812/1617] e387.dat", redrawn in place; cleared before any other line goes to the stream.
class ProgressLine {
  public:
    ProgressLine(std::FILE *stream, bool shown, qsizetype total)
        : stream(stream), shown(shown), total(total), width(int(QString::number(total).size())) {}

    void show(qsizetype index, const QString &input) {
        if (!shown)
            return;
        writeText(stream, QStringLiteral("\r\x1b[K[%1/%2] %3")
                              .arg(index + 1, width)
                              .arg(total)
                              .arg(QFileInfo(input).fileName()));
        std::fflush(stream);
        drawn = true;
    }

    void clear() {
        if (!drawn)
            return;
        writeText(stream, QStringLiteral("\r\x1b[K"));
        drawn = false;
    }

  private:
    std::FILE *stream;
    bool shown;
    qsizetype total;
    int width;
    bool drawn = false;
};

// The inputs by device and inode, so that an output reached through another name, a link or a
// hard link is still known for one of them.
class InputFiles {
  public:
    explicit InputFiles(const QStringList &inputs) {
        for (const QString &input : inputs) {
            if (const auto id = identity(input))
                ids.insert(*id);
        }
    }

    bool contains(const QString &path) const {
        const auto id = identity(path);
        return id && ids.count(*id) > 0;
    }

  private:
    using Id = std::pair<dev_t, ino_t>;
    static std::optional<Id> identity(const QString &path) {
        struct stat status {};
        if (::stat(QFile::encodeName(path).constData(), &status) != 0)
            return std::nullopt;
        return Id{status.st_dev, status.st_ino};
    }
    std::set<Id> ids;
};

QString replacesInputMessage(const QString &target, const char *option) {
    return QStringLiteral("\"%1\" would replace an input file: name another output with %2.")
        .arg(target, QLatin1String(option));
}

// One input from reading to writing; returns the refusal, empty when the result was written.
QString processFile(const FileSettings &settings, const QString &input, const QString &target,
                    const InputFiles &inputFiles, const BatchStreams &streams) {
    if (!target.isEmpty() && inputFiles.contains(target))
        return replacesInputMessage(target, "-o");
    if (!settings.dumpPath.isEmpty() && inputFiles.contains(settings.dumpPath))
        return replacesInputMessage(settings.dumpPath, "--dump");

    const QString shownName = target.isEmpty() ? QStringLiteral("standard output") : target;
    const Redistributed result = redistributeFile(input, settings, shownName);
    if (!result.ok())
        return result.refusal;

    if (target.isEmpty()) {
        const auto written =
            std::fwrite(result.bytes.constData(), 1, size_t(result.bytes.size()), streams.out);
        if (written != size_t(result.bytes.size()) || std::fflush(streams.out) != 0)
            return QStringLiteral("Could not write to standard output.");
        return {};
    }
    if (const auto problem = writeWholeFile(target, result.bytes))
        return couldNotWrite(settings.format, target) + QStringLiteral(": ") + *problem;
    return {};
}

} // namespace

int runBatch(const QStringList &arguments, const BatchStreams &streams) {
    const ParsedArguments parsed = parseBatchArguments(arguments);
    if (!parsed.error.isEmpty())
        return usageError(streams, parsed.error);
    if (parsed.action == BatchAction::Help) {
        writeText(streams.out, batchUsage());
        return 0;
    }
    if (parsed.action == BatchAction::Version) {
        writeText(streams.out, versionLine() + u'\n');
        return 0;
    }
    const BatchOptions &options = parsed.options;
    const OutputPlan plan = planOutputs(options);
    if (!plan.error.isEmpty())
        return usageError(streams, plan.error);

    if (!plan.folder.isEmpty() && !QDir().mkpath(plan.folder)) {
        writeText(
            streams.err,
            QStringLiteral("tessaro-batch: cannot make the folder \"%1\".\n").arg(plan.folder));
        return 1;
    }

    const FileSettings settings = fileSettings(options);
    const InputFiles inputFiles(options.inputs);
    const qsizetype total = options.inputs.size();
    ProgressLine progress(streams.err, streams.errIsTerminal && total >= 2 && !options.quiet,
                          total);
    qsizetype redistributed = 0;
    for (qsizetype i = 0; i < total; ++i) {
        const QString &input = options.inputs[i];
        progress.show(i, input);
        const QString refusal = processFile(settings, input, plan.targets[i], inputFiles, streams);
        if (refusal.isEmpty()) {
            ++redistributed;
            continue;
        }
        progress.clear();
        writeText(streams.err, input + QStringLiteral(": ") + refusal + u'\n');
    }
    progress.clear();

    const qsizetype refused = total - redistributed;
    if (!options.quiet) {
        writeText(streams.err,
                  QStringLiteral("%1 redistributed, %2 refused\n").arg(redistributed).arg(refused));
    }
    return refused == 0 ? 0 : 1;
}

} // namespace tessaro
