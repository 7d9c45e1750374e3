// SPDX-License-Identifier: MIT
#include "common/QuotedBytes.h"

#include <QChar>

#include <utility>

namespace tessaro {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The code point that starts at bytes[i] and its length, or length 0 where no valid UTF-8
// sequence (shortest form, no surrogate, at most U+10FFFF) starts.
std::pair<char32_t, int> utf8At(QByteArrayView bytes, qsizetype i) {
    const auto byte = [&bytes](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return {lead, 1};
    int length = 0;
    char32_t code = 0, least = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, code = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, code = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, code = lead & 0x07, least = 0x10000;
    else
        return {0, 0};
    if (i + length > bytes.size())
        return {0, 0};
    for (int k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return {0, 0};
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {0, 0};
    return {code, length};
}

// Characters that move the cursor, colour a terminal, turn text round or break a line.
bool isUnsafe(char32_t code) {
    switch (QChar::category(code)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

} // namespace

QString quotedBytes(QByteArrayView bytes) {
    qsizetype begin = 0, end = bytes.size();
    while (begin < end && isSpace(bytes[begin]))
        ++begin;
    while (end > begin && isSpace(bytes[end - 1]))
        --end;
    const QByteArrayView text = bytes.sliced(begin, end - begin);

    QString shown;
    bool cut = false;
    for (qsizetype i = 0; i < text.size();) {
        const auto [code, length] = utf8At(text, i);
        const qsizetype taken = length > 0 ? length : 1;
        QString piece;
        if (length > 0 && !isUnsafe(code)) {
            piece = QString::fromUcs4(&code, 1);
        } else {
            for (qsizetype k = i; k < i + taken; ++k)
                piece += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(text[k]), 2, 16,
                                                     QLatin1Char('0'));
        }
        if (shown.size() + piece.size() > MaxQuotedChars) {
            cut = true;
            break;
        }
        shown += piece;
        i += taken;
    }
    return u'"' + shown + (cut ? QStringLiteral("...\"") : QStringLiteral("\""));
}

} // namespace tessaro
