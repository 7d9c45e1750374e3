// SPDX-License-Identifier: MIT
#include "cli/ProgressLine.h"

#include "cli/StreamText.h"

#include <QFileInfo>

#include <algorithm>

#include <sys/ioctl.h>
#include <unistd.h>

namespace tessaro {

namespace {

// Back to the start of the line, and the line erased.
const QString kClear = QStringLiteral("\r\x1b[K");

// A line that wraps could not be erased in place, so it is kept one column short of the
// terminal's width.
int columnsOf(std::FILE *stream) {
    winsize size{};
    if (ioctl(fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 1)
        return size.ws_col - 1;
    return 79;
}

QString shownName(const QString &input, qsizetype room) {
    QString name = QFileInfo(input).fileName();
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    if (name.size() > room)
        name = name.first(std::max<qsizetype>(room - 3, 0)) + QStringLiteral("...");
    return name;
}

} // namespace

ProgressLine::ProgressLine(std::FILE *stream, bool shown, qsizetype total)
    : stream(stream), shown(shown), total(total), width(int(QString::number(total).size())) {}

void ProgressLine::show(qsizetype index, const QString &input) {
    if (!shown)
        return;
    const QString counter = QStringLiteral("[%1/%2] ").arg(index + 1, width).arg(total);
    const qsizetype room = std::max<qsizetype>(columnsOf(stream) - counter.size(), 4);
    writeText(stream, kClear + counter + shownName(input, room));
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
