// SPDX-License-Identifier: MIT
#include "cli/BatchOptions.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <cmath>

namespace tessaro {

namespace {

// Digits only: "12a", "1.5", "+3" and " 7" are not whole numbers here, unlike in the window's
// fields, whose number rule would take a prefix.
std::optional<int> wholeNumber(const QString &text, int lowest, int highest) {
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// Digits with at most one '.', then an optional exponent: "0.05", ".5", "5e-2", "1E3"; no sign,
// no blanks, nothing after it. Positive and finite, or nothing.
std::optional<double> positiveDecimal(const QString &text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const double value = text.toDouble();
    if (!(value > 0) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString quoted(const QString &text) {
    return u'"' + text + u'"';
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption points{{"n", "points"}, {}, "N"};
    QCommandLineOption order{{"p", "order"}, {}, "K"};
    QCommandLineOption method{{"m", "method"}, {}, "METHOD"};
    QCommandLineOption own{{"t", "own-trailing-edges"}};
    QCommandLineOption leadingEdge{{"L", "leading-edge"}};
    QCommandLineOption keepFrame{"keep-frame"};
    QCommandLineOption format{{"f", "format"}, {}, "FORMAT"};
    QCommandLineOption output{{"o", "output"}, {}, "PATH"};
    QCommandLineOption dump{"dump", {}, "PATH"};
    QCommandLineOption report{"report", {}, "PATH"};
    QCommandLineOption maxOrderCheck{"max-order-check", {}, "TOL"};
    QCommandLineOption quiet{{"q", "quiet"}};
    QCommandLineOption help{{"h", "help"}};
    QCommandLineOption version{"version"};

    Parser() {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
        parser.addOptions({points, order, method, own, leadingEdge, keepFrame, format, output, dump,
                           report, maxOrderCheck, quiet, help, version});
    }
};

// The value of an option given more than once is the last one, as with most tools.
QString lastValue(const QCommandLineParser &parser, const QCommandLineOption &option) {
    const QStringList values = parser.values(option);
    return values.isEmpty() ? QString() : values.last();
}

// A whole-number option from low to high into value, or the line that refuses it.
std::optional<QString> readWhole(const QCommandLineParser &parser, const QCommandLineOption &option,
                                 int low, int high, int &value) {
    if (!parser.isSet(option))
        return std::nullopt;
    const QString text = lastValue(parser, option);
    const std::optional<int> read = wholeNumber(text, low, high);
    if (!read) {
        return QStringLiteral("--%1 takes a whole number from %2 to %3, not %4.")
            .arg(option.names().last())
            .arg(low)
            .arg(high)
            .arg(quoted(text));
    }
    value = *read;
    return std::nullopt;
}

std::optional<QString> readValues(const Parser &p, BatchOptions &options) {
    const QCommandLineParser &parser = p.parser;
    if (auto error = readWhole(parser, p.points, 2, MaxIndex, options.NI))
        return error;
    if (auto error = readWhole(parser, p.order, 0, MaxOrder, options.nPoly))
        return error;
    if (parser.isSet(p.method)) {
        const QString text = lastValue(parser, p.method);
        if (text == u"lagrange")
            options.method = InterpMethod::Lagrange;
        else if (text == u"divdiff")
            options.method = InterpMethod::DivDiff;
        else
            return QStringLiteral("--method takes lagrange or divdiff, not %1.").arg(quoted(text));
    }
    if (parser.isSet(p.format)) {
        const QString text = lastValue(parser, p.format);
        if (text == u"arf")
            options.format = OutputFormat::Arf;
        else if (text == u"selig")
            options.format = OutputFormat::Selig;
        else
            return QStringLiteral("--format takes arf or selig, not %1.").arg(quoted(text));
    }
    if (parser.isSet(p.output)) {
        options.output = lastValue(parser, p.output);
        if (options.output->isEmpty())
            return QStringLiteral(
                "--output takes a file or folder name, or - for standard output.");
    }
    if (parser.isSet(p.dump)) {
        options.dumpPath = lastValue(parser, p.dump);
        if (options.dumpPath.isEmpty() || options.dumpPath == u"-")
            return QStringLiteral("--dump takes a file name.");
    }
    if (parser.isSet(p.report)) {
        options.reportPath = lastValue(parser, p.report);
        if (options.reportPath.isEmpty())
            return QStringLiteral("--report takes a file name, or - for standard output.");
    }
    if (parser.isSet(p.maxOrderCheck)) {
        const QString text = lastValue(parser, p.maxOrderCheck);
        options.maxOrderCheck = positiveDecimal(text);
        if (!options.maxOrderCheck)
            return QStringLiteral("--max-order-check takes a positive number such as 0.05 or "
                                  "5e-2, not %1.")
                .arg(quoted(text));
    }
    // Normalising keeps each surface's own trailing edge always.
    options.leadingEdge = parser.isSet(p.leadingEdge);
    options.keepFrame = parser.isSet(p.keepFrame);
    options.ownTrailingEdges = parser.isSet(p.own) || options.leadingEdge;
    options.quiet = parser.isSet(p.quiet);
    options.inputs = parser.positionalArguments();
    return std::nullopt;
}

// The rules that tie options to one another and to the inputs.
std::optional<QString> checkCombination(const BatchOptions &options) {
    const qsizetype count = options.inputs.size();
    if (count == 0)
        return QStringLiteral("no FILE given.");
    const bool toStandardOutput = options.output == u"-";
    if (toStandardOutput && count != 1)
        return QStringLiteral("-o - writes one result to standard output, so it takes exactly one "
                              "FILE, not %1.")
            .arg(count);
    if (!options.dumpPath.isEmpty()) {
        if (options.method != InterpMethod::DivDiff)
            return QStringLiteral("--dump writes the divided-difference table, so it needs "
                                  "--method divdiff.");
        if (count != 1)
            return QStringLiteral("--dump takes exactly one FILE, not %1.").arg(count);
    }
    if (options.keepFrame && !options.leadingEdge)
        return QStringLiteral("--keep-frame maps the new points back from the normalised frame, "
                              "so it needs -L (--leading-edge).");
    if (toStandardOutput && options.reportPath == u"-")
        return QStringLiteral("-o - and --report - cannot both write to standard output.");
    return std::nullopt;
}

} // namespace

ParsedArguments parseBatchArguments(const QStringList &arguments) {
    ParsedArguments parsed;
    Parser p;
    // QCommandLineParser skips the first entry as the program's name.
    if (!p.parser.parse(QStringList{QStringLiteral("tessaro-batch")} + arguments)) {
        const QStringList unknown = p.parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString &name = unknown.front();
            parsed.error =
                QStringLiteral("unknown option %1.")
                    .arg(quoted((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) +
                                name));
        } else {
            // Qt's own wording, e.g. "Missing value after '-n'.", in the style of the others.
            QString text = p.parser.errorText();
            if (!text.isEmpty())
                text[0] = text[0].toLower();
            parsed.error = text;
        }
        return parsed;
    }
    if (p.parser.isSet(p.help)) {
        parsed.action = BatchAction::Help;
        return parsed;
    }
    if (p.parser.isSet(p.version)) {
        parsed.action = BatchAction::Version;
        return parsed;
    }
    if (auto error = readValues(p, parsed.options)) {
        parsed.error = *error;
        return parsed;
    }
    if (auto error = checkCombination(parsed.options))
        parsed.error = *error;
    return parsed;
}

QString batchUsage() {
    return QStringLiteral(
        "Usage: tessaro-batch [options] FILE...\n"
        "Redistributes the points of each airfoil file (.arf, Selig or Lednicer, told apart by\n"
        "their content) exactly as the Tessaro window does, without a display.\n"
        "\n"
        "  -n, --points N            number of new points, 2 to 1000 (default 51)\n"
        "  -p, --order K             polynomial order, 0 to 100 (default 1)\n"
        "  -m, --method METHOD       lagrange or divdiff (default lagrange)\n"
        "  -t, --own-trailing-edges  keep each surface's own trailing edge\n"
        "  -L, --leading-edge        normalise at the true leading edge: move, turn and scale\n"
        "                            the section so its nose is (0, 0) and its trailing edge\n"
        "                            (1, 0), x and y alike (implies -t)\n"
        "      --keep-frame          with -L, write the new points back in the file's own\n"
        "                            position, scale and incidence\n"
        "  -f, --format FORMAT       arf (the window's save) or selig (its export); default arf\n"
        "  -o, --output PATH         output file, or a folder for several FILEs or an existing\n"
        "                            folder (made when missing); - is standard output.\n"
        "                            Default: <stem>-redistributed.arf (.dat) in the current\n"
        "                            directory\n"
        "      --dump PATH           also write the divided-difference table (divdiff, one FILE)\n"
        "      --report PATH         write a CSV line per FILE with its outcome, figures and\n"
        "                            warnings\n"
        "      --max-order-check TOL do not write a result whose order check exceeds TOL,\n"
        "                            e.g. 0.05 (5 % of the chord): a damaged section\n"
        "  -q, --quiet               no progress line and no summary (warnings stay)\n"
        "  -h, --help                show this help\n"
        "      --version             show the version\n"
        "\n"
        "Examples:\n"
        "  tessaro-batch -n 101 -p 3 samples/naca2412.arf\n"
        "  tessaro-batch -L -n 161 -p 3 -f selig -o out/ airfoils/*.dat\n"
        "\n"
        "A section that was stretched (x scaled alone, by more than 0.1 %) or looks damaged\n"
        "(order check above 0.05) is written with a warning line on standard error.\n"
        "\n"
        "Exit status: 0 when every file was written, 1 when a file was refused or could not be\n"
        "written, or held back by --max-order-check, 2 for a usage error.\n");
}

QString usageHint() {
    return QStringLiteral("Try \"tessaro-batch --help\" for more information.");
}

QString versionLine() {
    return QStringLiteral("tessaro-batch ") + QStringLiteral(TESSARO_VERSION);
}

} // namespace tessaro
