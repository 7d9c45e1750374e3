// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessaro {

// How a set of new points is written: as a save writes it (.arf) or as an export writes it
// (Selig).
enum class ResultLayout { Arf, Selig };

// The new points as they are written, with the titles they are written under.
struct NewPoints {
    const QByteArray &Title;
    const QByteArray &OutTitle;
    std::optional<double> NI;
    const PointArray &XN;
    const PointArray &YN;
};

// The bytes of the file: a save is titled OutTitle, an export named by exportName. Otherwise the
// message, which names the file as name: "Could not save "name": ..." or "Could not export ...".
struct ResultBytes {
    QByteArray bytes;
    QString refusal;
};
ResultBytes formatResult(ResultLayout layout, const NewPoints &points, const QString &name);

// The start of every message about a result that was not written: Could not save "name".
QString couldNotWrite(ResultLayout layout, const QString &name);

// Formats the points and writes them to path atomically; the message naming name on a failure.
std::optional<QString> writeResult(ResultLayout layout, const NewPoints &points,
                                   const QString &path, const QString &name);

} // namespace tessaro
