// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace tessaro {

// Writes text to a stdio stream as UTF-8; returns whether every byte went out.
inline bool writeBytes(std::FILE *stream, const QByteArray &bytes) {
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
}

inline bool writeText(std::FILE *stream, const QString &text) {
    return writeBytes(stream, text.toUtf8());
}

} // namespace tessaro
