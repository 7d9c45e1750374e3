// SPDX-License-Identifier: MIT
// Arbitrary bytes through the coordinate file reader, then what was read through the writer and
// back through the reader.
#include "FuzzCheck.h"

#include "io/ArfReader.h"
#include "io/ArfWriter.h"

#include <QByteArrayView>

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace tessaro;

namespace {

// Commas, quotes and line ends end or delimit the title field, and leading blanks are skipped,
// so only other titles come back from a save unchanged.
bool titleRoundTrips(const QByteArray &title) {
    for (char c : title) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return false;
    }
    return title.isEmpty() || (title.front() != ' ' && title.front() != '\t');
}

// Five decimals of the value's 15-significant-digit form: half a unit of the fifth decimal plus
// half a unit of the fifteenth digit, and a little for the binary conversions.
bool closeEnough(double written, double read) {
    const double tolerance = 5e-6 + 6e-15 * std::fabs(written);
    return std::fabs(written - read) <= tolerance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<ArfFile> file = parseArf(bytes);
    if (!file)
        return 0;

    FUZZ_CHECK(file->N >= 1 && file->N <= MaxIndex);
    bool small = true;
    for (int i = 1; i <= file->N; ++i) {
        FUZZ_CHECK(std::isfinite(file->X[i]) && std::isfinite(file->Y[i]));
        small = small && std::fabs(file->X[i]) < 1e15 && std::fabs(file->Y[i]) < 1e15;
    }

    // Finite points make the writer refuse only when a value's 15-digit form rounds past the
    // largest double, which cannot happen below 1e15.
    const std::optional<QByteArray> text = formatArf(file->title, file->N, file->X, file->Y);
    FUZZ_CHECK(text.has_value() || !small);
    if (!text)
        return 0;

    const bool plainTitle = titleRoundTrips(file->title);
    const QByteArray title = plainTitle ? file->title : QByteArray("T");
    const std::optional<QByteArray> written =
        plainTitle ? text : formatArf(title, file->N, file->X, file->Y);
    FUZZ_CHECK(written.has_value());

    const std::optional<ArfFile> again = parseArf(*written);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->title == title);
    FUZZ_CHECK(again->N == file->N);
    for (int i = 1; i <= file->N; ++i) {
        FUZZ_CHECK(closeEnough(file->X[i], again->X[i]));
        FUZZ_CHECK(closeEnough(file->Y[i], again->Y[i]));
    }
    return 0;
}
