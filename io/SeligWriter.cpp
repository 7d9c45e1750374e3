// SPDX-License-Identifier: MIT
#include "io/SeligWriter.h"

#include "common/NumberText.h"
#include "io/ArfWriter.h"
#include "io/FileNumber.h"

#include <cmath>

namespace tessaro {

namespace {

constexpr int ExportDecimals = 8;

// The signed eight-decimal text of value, or nothing when it would not read back as a finite
// number: 15 digits of a value next to the largest double round up past it.
std::optional<QByteArray> readableEightDecimals(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    QByteArray text = fixedDecimalForm(value, ExportDecimals).toLatin1();
    if (parseFileNumber(text).status != NumberStatus::Ok)
        return std::nullopt;
    // The minus sign of a negative value, a blank for the others: the columns stay aligned.
    if (!text.startsWith('-'))
        text.prepend(' ');
    return text;
}

} // namespace

QByteArray exportName(const QByteArray &outTitle, const QByteArray &title) {
    if (!outTitle.isEmpty())
        return outTitle;
    if (!title.isEmpty())
        return title;
    return QByteArrayLiteral("Airfoil");
}

std::optional<QByteArray> formatSelig(const QByteArray &name, std::optional<double> NI,
                                      const PointArray &XN, const PointArray &YN) {
    const std::optional<int> lines = pointLineCount(NI);
    if (!lines)
        return std::nullopt;
    const int count = *lines;

    QByteArray out = name;
    // A line end inside the name would make the rest of it a point line.
    out.replace('\r', ' ').replace('\n', ' ');
    out.reserve(out.size() + 1 + count * 26);
    out += '\n';
    for (int i = 1; i <= count; ++i) {
        const std::optional<QByteArray> x = readableEightDecimals(XN[i]);
        const std::optional<QByteArray> y = readableEightDecimals(YN[i]);
        if (!x || !y)
            return std::nullopt;
        out += *x;
        out += "  ";
        out += *y;
        out += '\n';
    }
    return out;
}

} // namespace tessaro
