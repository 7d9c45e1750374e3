// SPDX-License-Identifier: MIT
#include "io/ArfWriter.h"

#include "common/NumberText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <filesystem>
#include <system_error>

namespace tessaro {

namespace {

constexpr char LineEnd[] = "\r\n";

// Names the first part of the path above the target that is missing or not a folder.
QString pathProblem(const QString &absolutePath) {
    QString folder = QFileInfo(absolutePath).absolutePath();
    QString missing;
    for (;;) {
        const QFileInfo info(folder);
        if (info.exists()) {
            if (!info.isDir())
                return QStringLiteral("a part of the path is not a folder");
            break;
        }
        missing = folder;
        const QString up = info.absolutePath();
        if (up == folder)
            break;
        folder = up;
    }
    if (!missing.isEmpty())
        return QStringLiteral("the folder %1 does not exist")
            .arg(QDir::toNativeSeparators(QFileInfo(absolutePath).absolutePath()));
    return {};
}

// The five-decimal text of value, or nothing when it would not read back as a finite number:
// 15 digits of a value next to the largest double round up past it.
std::optional<QByteArray> readableFiveDecimals(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const QString text = fiveDecimalForm(value);
    if (!std::isfinite(readNumber(text)))
        return std::nullopt;
    return text.toLatin1();
}

} // namespace

std::optional<int> pointLineCount(std::optional<double> NI) {
    if (!NI)
        return 0;
    if (!std::isfinite(*NI) || std::floor(*NI) > MaxIndex)
        return std::nullopt;
    return wholeCount(*NI);
}

std::optional<QByteArray> formatArf(const QByteArray &title, std::optional<double> NI,
                                    const PointArray &XN, const PointArray &YN) {
    const std::optional<int> lines = pointLineCount(NI);
    if (!lines)
        return std::nullopt;
    const int count = *lines;

    QByteArray out;
    out.reserve(title.size() + 32 + count * 32);
    out += title;
    out += LineEnd;
    // The number of point lines that follow, so that the file reads back: 51 for 51.7.
    if (NI) {
        out += ' ';
        out += QByteArray::number(count);
        out += ' ';
    }
    out += LineEnd;
    for (int i = 1; i <= count; ++i) {
        const std::optional<QByteArray> x = readableFiveDecimals(XN[i]);
        const std::optional<QByteArray> y = readableFiveDecimals(YN[i]);
        if (!x || !y)
            return std::nullopt;
        out += "  ";
        out += QByteArray::number(i);
        out += "  ";
        out += *x;
        out += "  ";
        out += *y;
        out += LineEnd;
    }
    return out;
}

std::optional<QString> writeWholeFile(const QString &path, const QByteArray &bytes) {
    if (path.isEmpty())
        return QStringLiteral("no file name was given");

    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QFileInfo target(absolute);
    if (target.isDir())
        return QStringLiteral("it is a folder");
    if (const QString problem = pathProblem(absolute); !problem.isEmpty())
        return problem;
    if (target.exists() && !target.isFile())
        return QStringLiteral("it is not a regular file");

    // The old file is replaced by a rename only after every byte is on disk. Unbuffered, so that
    // each write reaches the system here: an error met by a buffered final flush goes unseen by
    // commit(), which would then rename a cut-short file over the target.
    QSaveFile file(absolute);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if ((target.exists() && !target.isWritable()) ||
            !QFileInfo(target.absolutePath()).isWritable())
            return QStringLiteral("permission denied");
        return file.errorString();
    }
    // A short write (a file-size limit, a disk filling up) takes part of the bytes without an
    // error; writing the rest makes the system name the cause.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            // The temporary file goes when file does; the target is never touched.
            file.cancelWriting();
            return reason;
        }
        done += written;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

bool isSameFile(const QString &first, const QString &second) {
    if (first.isEmpty() || second.isEmpty())
        return false;
    std::error_code error;
    const bool same = std::filesystem::equivalent(
        std::filesystem::path(QFile::encodeName(first).toStdString()),
        std::filesystem::path(QFile::encodeName(second).toStdString()), error);
    return !error && same;
}

} // namespace tessaro
