// SPDX-License-Identifier: MIT
#include "cli/BatchRun.h"

#include "cli/BatchFile.h"
#include "cli/BatchOptions.h"
#include "cli/InputFiles.h"
#include "cli/OutputNames.h"
#include "cli/ProgressLine.h"
#include "cli/ReportCsv.h"
#include "cli/StreamText.h"
#include "cli/WriterPool.h"
#include "io/ArfWriter.h"
#include "numerics/QualityFigures.h"

#include <QDir>

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace tessaro {

namespace {

int usageError(const BatchStreams &streams, const QString &error) {
    writeText(streams.err, QStringLiteral("tessaro-batch: ") + error + u'\n' + usageHint() + u'\n');
    return 2;
}

QString replacesInputMessage(const QString &target, const char *option) {
    return QStringLiteral("\"%1\" would replace an input file: name another output with %2.")
        .arg(target, QLatin1String(option));
}

// What the run reports of one input once its result is written or refused.
struct FileOutcome {
    QString input;
    // Empty when the result was written.
    QString refusal;
    // Set when the calculation succeeded but --max-order-check held the result back.
    bool notWritten = false;
    std::optional<int> pointsRead;
    std::optional<FigureOfMerit> orderCheck;
    std::optional<FigureOfMerit> panelFit;
    QStringList warnings;
    // "-L" or "-t" when that option would have redistributed a section refused here.
    QString redistributesWith;
};

FileOutcome outcomeOf(const QString &input, const QString &refusal, std::optional<int> pointsRead) {
    FileOutcome outcome;
    outcome.input = input;
    outcome.refusal = refusal;
    outcome.pointsRead = pointsRead;
    return outcome;
}

// The outcome of a successful calculation, with its figures and warnings, before any write.
FileOutcome calculatedOutcome(const QString &input, const Calculated &calculated,
                              std::optional<int> pointsRead) {
    FileOutcome outcome = outcomeOf(input, {}, pointsRead);
    outcome.orderCheck = calculated.orderCheck;
    outcome.panelFit = calculated.panelFit;
    outcome.warnings = calculated.warnings;
    return outcome;
}

std::optional<QString> replacesAnInput(const QString &target, const InputFiles &inputFiles) {
    if (!target.isEmpty() && inputFiles.contains(target))
        return replacesInputMessage(target, "-o");
    return std::nullopt;
}

// Formats a calculated file and writes it to target, or to out when target is empty.
QString writeResult(const Calculated &calculated, OutputFormat format, const QString &target,
                    std::FILE *out) {
    const QString shownName = target.isEmpty() ? QStringLiteral("standard output") : target;
    const ResultBytes result = resultBytes(calculated, format, shownName);
    if (!result.refusal.isEmpty())
        return result.refusal;
    const QByteArray &bytes = result.bytes;
    if (target.isEmpty()) {
        if (!writeBytes(out, bytes) || std::fflush(out) != 0)
            return QStringLiteral("Could not write to standard output.");
        return {};
    }
    if (const auto problem = writeWholeFile(target, bytes))
        return couldNotWrite(format, target) + QStringLiteral(": ") + *problem;
    return {};
}

// The report goes out at the end, in one piece, atomically like every result.
bool writeReport(const QString &path, const std::vector<ReportRow> &rows,
                 const BatchStreams &streams) {
    const QByteArray bytes = formatReport(rows);
    if (path == u"-") {
        if (writeBytes(streams.out, bytes) && std::fflush(streams.out) == 0)
            return true;
        writeText(streams.err, QStringLiteral("tessaro-batch: Could not write the report to "
                                              "standard output.\n"));
        return false;
    }
    if (const auto problem = writeWholeFile(path, bytes)) {
        writeText(streams.err,
                  QStringLiteral("tessaro-batch: Could not write the report \"%1\": %2\n")
                      .arg(path, *problem));
        return false;
    }
    return true;
}

// "40 redistributed, 23 refused; 22 of them redistribute with -L, 1 with -t".
QString summaryLine(qsizetype redistributed, qsizetype refused, qsizetype withLeadingEdge,
                    qsizetype withOwnTrailingEdges) {
    QString line = QStringLiteral("%1 redistributed, %2 refused").arg(redistributed).arg(refused);
    const qsizetype first = withLeadingEdge > 0 ? withLeadingEdge : withOwnTrailingEdges;
    if (first == 0)
        return line;
    line += QStringLiteral("; %1 of them %2 with %3")
                .arg(QString::number(first),
                     first == 1 ? QStringLiteral("redistributes") : QStringLiteral("redistribute"),
                     withLeadingEdge > 0 ? QStringLiteral("-L") : QStringLiteral("-t"));
    if (withLeadingEdge > 0 && withOwnTrailingEdges > 0)
        line += QStringLiteral(", %1 with -t").arg(withOwnTrailingEdges);
    return line;
}

// Writers mostly wait for the disk, so there are more of them than cores.
int writerThreads() {
    return std::clamp(2 * int(std::thread::hardware_concurrency()), 2, 8);
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

    const InputFiles inputFiles(options.inputs);
    if (options.reportPath != u"-" && inputFiles.contains(options.reportPath)) {
        return usageError(streams, QStringLiteral("--report names the input file \"%1\"; give "
                                                  "it another name.")
                                       .arg(options.reportPath));
    }
    if (!options.dumpPath.isEmpty() && inputFiles.contains(options.dumpPath)) {
        return usageError(streams, QStringLiteral("--dump names the input file \"%1\"; give it "
                                                  "another name.")
                                       .arg(options.dumpPath));
    }
    // Not a usage error: the run goes on, so that every file gets its line and the report its row.
    if (!plan.folder.isEmpty() && !QDir().mkpath(plan.folder)) {
        writeText(
            streams.err,
            QStringLiteral("tessaro-batch: cannot make the folder \"%1\".\n").arg(plan.folder));
    }

    const FileSettings settings = fileSettings(options);
    const qsizetype total = options.inputs.size();
    ProgressLine progress(streams.err, streams.errIsTerminal && total >= 2 && !options.quiet,
                          total);
    qsizetype redistributed = 0;
    // Refusals that -L, or else -t, would have redistributed.
    qsizetype withLeadingEdge = 0;
    qsizetype withOwnTrailingEdges = 0;
    const bool figures = !options.reportPath.isEmpty();
    std::vector<ReportRow> rows;
    const auto tell = [&](const std::vector<FileOutcome> &outcomes) {
        for (const FileOutcome &outcome : outcomes) {
            ReportRow row;
            row.file = outcome.input;
            row.status = outcome.refusal.isEmpty() ? FileStatus::Redistributed
                         : outcome.notWritten      ? FileStatus::NotWritten
                                                   : FileStatus::Refused;
            row.pointsRead = outcome.pointsRead;
            row.newPoints = options.NI;
            row.order = options.nPoly;
            row.method = options.method;
            row.ownTrailingEdges = options.ownTrailingEdges;
            row.leadingEdge = options.leadingEdge;
            row.frame = !options.leadingEdge ? "specified"
                        : options.keepFrame  ? "file"
                                             : "normalised";
            row.orderCheck = outcome.orderCheck;
            row.panelFit = outcome.panelFit;
            row.warnings = outcome.warnings;
            row.message = outcome.refusal;
            rows.push_back(row);
            // Warnings are never refusals, but a script needs them as much as a person: even -q
            // keeps them.
            for (const QString &warning : outcome.warnings) {
                progress.clear();
                writeText(streams.err,
                          outcome.input + QStringLiteral(": warning: ") + warning + u'\n');
            }
            if (outcome.refusal.isEmpty()) {
                ++redistributed;
                continue;
            }
            if (outcome.redistributesWith == u"-L")
                ++withLeadingEdge;
            else if (outcome.redistributesWith == u"-t")
                ++withOwnTrailingEdges;
            progress.clear();
            writeText(streams.err, outcome.input + QStringLiteral(": ") + outcome.refusal + u'\n');
        }
    };
    {
        // Calculations run here one after another, in the one working set and divided-difference
        // table; formatting and writing run on the pool, which keeps the outcomes in input order.
        WriterPool<FileOutcome> pool(writerThreads(), 64);
        for (qsizetype i = 0; i < total; ++i) {
            const QString &input = options.inputs[i];
            const QString &target = plan.targets[i];
            progress.show(i, input);
            if (auto refusal = replacesAnInput(target, inputFiles)) {
                pool.submit([input, refusal = *refusal] {
                    return outcomeOf(input, refusal, std::nullopt);
                });
                continue;
            }
            auto calculated = std::make_shared<Calculated>(calculateFile(input, settings, figures));
            const std::optional<int> pointsRead =
                calculated->pointsRead > 0 ? std::optional(calculated->pointsRead) : std::nullopt;
            if (!calculated->ok()) {
                pool.submit([input, calculated, pointsRead] {
                    FileOutcome outcome = outcomeOf(input, calculated->refusal, pointsRead);
                    outcome.redistributesWith = calculated->redistributesWith;
                    return outcome;
                });
            } else if (options.maxOrderCheck && calculated->orderCheck &&
                       calculated->orderCheck->value > *options.maxOrderCheck) {
                const double tolerance = *options.maxOrderCheck;
                pool.submit([input, calculated, pointsRead, tolerance] {
                    FileOutcome outcome = calculatedOutcome(input, *calculated, pointsRead);
                    outcome.refusal = notWrittenMessage(*calculated->orderCheck, tolerance);
                    outcome.notWritten = true;
                    return outcome;
                });
            } else {
                const OutputFormat format = settings.format;
                std::FILE *out = streams.out;
                pool.submit([input, calculated, pointsRead, format, target, out] {
                    FileOutcome outcome = calculatedOutcome(input, *calculated, pointsRead);
                    outcome.refusal = writeResult(*calculated, format, target, out);
                    return outcome;
                });
            }
            tell(pool.takeInOrder(false));
        }
        tell(pool.takeInOrder(true));
    }
    progress.clear();

    const qsizetype refused = total - redistributed;
    const bool reported = !figures || writeReport(options.reportPath, rows, streams);
    if (!options.quiet) {
        writeText(streams.err,
                  summaryLine(redistributed, refused, withLeadingEdge, withOwnTrailingEdges) +
                      u'\n');
    }
    return refused == 0 && reported ? 0 : 1;
}

} // namespace tessaro
