// SPDX-License-Identifier: MIT
#include "cli/ProgressLine.h"

#include "cli/StreamText.h"

#include <QFileInfo>

namespace tessaro {

namespace {

// Back to the start of the line, and the line erased.
const QString kClear = QStringLiteral("\r\x1b[K");

} // namespace

ProgressLine::ProgressLine(std::FILE *stream, bool shown, qsizetype total)
    : stream(stream), shown(shown), total(total), width(int(QString::number(total).size())) {}

void ProgressLine::show(qsizetype index, const QString &input) {
    if (!shown)
        return;
    writeText(stream, kClear + QStringLiteral("[%1/%2] %3")
                                   .arg(index + 1, width)
                                   .arg(total)
                                   .arg(QFileInfo(input).fileName()));
    std::fflush(stream);
    drawn = true;
}

void ProgressLine::clear() {
    if (!drawn)
        return;
    writeText(stream, kClear);
    drawn = false;
}

} // namespace tessaro
