// SPDX-License-Identifier: MIT
#include "common/TitleText.h"

#include <QStringDecoder>

namespace tessaro {

namespace {
// Windows-1254 0x80..0x9F; 0 marks the five unassigned bytes, shown as U+FFFD.
constexpr char16_t kHigh1254[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0,      0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

char16_t from1254(unsigned char byte) {
    switch (byte) {
    case 0xD0:
        return u'\u011E'; // Ğ
    case 0xDD:
        return u'\u0130'; // İ
    case 0xDE:
        return u'\u015E'; // Ş
    case 0xF0:
        return u'\u011F'; // ğ
    case 0xFD:
        return u'\u0131'; // ı
    case 0xFE:
        return u'\u015F'; // ş
    default:
        break;
    }
    if (byte >= 0x80 && byte < 0xA0) {
        const char16_t mapped = kHigh1254[byte - 0x80];
        return mapped ? mapped : u'\uFFFD';
    }
    return byte; // the rest is Latin-1
}
} // namespace

QString decodeTitle(const QByteArray &bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.append(QChar(from1254(static_cast<unsigned char>(c))));
    return text;
}

} // namespace tessaro
