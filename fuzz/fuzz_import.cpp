// SPDX-License-Identifier: MIT
// Arbitrary bytes through the importer; what it takes must be a usable point set, and an export of
// it must import back as the same points to eight decimals.
#include "FuzzCheck.h"

#include "io/AirfoilImport.h"
#include "io/SeligWriter.h"

#include <QByteArrayView>

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace tessaro;

namespace {

const QString FileName = QStringLiteral("fuzz.dat");

// Eight decimals of the value's 15-significant-digit form: half a unit of the eighth decimal plus
// half a unit of the fifteenth digit, and a little for the binary conversions.
bool closeEnough(double exported, double read) {
    return std::fabs(exported - read) <= 5.1e-9 + 6e-15 * std::fabs(exported);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ImportResult result = importAirfoil(bytes, FileName);
    if (!result.file) {
        FUZZ_CHECK(result.error.startsWith(QStringLiteral("Cannot import \"fuzz.dat\": ")));
        FUZZ_CHECK(result.error.endsWith(u'.'));
        return 0;
    }
    FUZZ_CHECK(result.error.isEmpty());
    const ArfFile &file = *result.file;

    if (result.layout == ImportLayout::Arf) {
        // Read by the file list's own rules: a count from 1 and the title as that reader takes it.
        FUZZ_CHECK(file.N >= 1 && file.N <= MaxIndex);
        const QByteArrayView body = bytes.startsWith("\xef\xbb\xbf") ? bytes.sliced(3) : bytes;
        const std::optional<ArfFile> arf = parseArf(body);
        FUZZ_CHECK(arf && arf->title == file.title && arf->N == file.N);
    } else {
        FUZZ_CHECK(file.N >= 3 && file.N <= MaxIndex);
        for (char c : file.title)
            FUZZ_CHECK(c != ',' && c != '"' && c != '\r' && c != '\n');
    }
    bool small = true;
    for (int i = 1; i <= file.N; ++i) {
        FUZZ_CHECK(std::isfinite(file.X[i]) && std::isfinite(file.Y[i]));
        small = small && std::fabs(file.X[i]) < 1e15 && std::fabs(file.Y[i]) < 1e15;
    }

    // Below 1e15 no 15-digit form rounds past the largest double, so the export cannot refuse.
    const std::optional<QByteArray> exported = formatSelig("T", file.N, file.X, file.Y);
    FUZZ_CHECK(exported.has_value() || !small);
    if (!exported || file.N < 3)
        return 0;
    const ImportResult again = importAirfoil(*exported, FileName);
    FUZZ_CHECK(again.file.has_value());
    FUZZ_CHECK(again.layout == ImportLayout::Selig);
    FUZZ_CHECK(again.file->title == "T" && again.file->N == file.N);
    for (int i = 1; i <= file.N; ++i) {
        FUZZ_CHECK(closeEnough(file.X[i], again.file->X[i]));
        FUZZ_CHECK(closeEnough(file.Y[i], again.file->Y[i]));
    }
    return 0;
}
