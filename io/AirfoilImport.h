// SPDX-License-Identifier: MIT
#pragma once

#include "io/ArfReader.h"
#include "io/FileBytes.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tessaro {

enum class ImportLayout { Arf, Selig, Lednicer };

struct ImportResult {
    std::optional<ArfFile> file; // set on success: title bytes, N, X[1..N], Y[1..N]
    ImportLayout layout = ImportLayout::Selig;
    QString error; // set on failure: the one message for the user, naming the file
    FileFault fault = FileFault::None; // why the file could not be read, where that was the failure
};

// Reads a coordinate file of any known layout, told apart by its content alone (line 1 and the
// first filled line after it): Selig without a name line, the program's own .arf layout (by the
// rules of parseArf), Selig with a point count, Lednicer, or Selig with a name line. All or
// nothing: on a fault the result holds only the message, "Cannot import "<fileName>": ...".
// fileName is the name shown to the user; without its extension it is the title of a Selig file
// without a name line.
ImportResult importAirfoil(QByteArrayView bytes, const QString &fileName);

// Reads path (refusing missing files, folders, devices and FIFOs, files over 64 MiB and
// unreadable ones, without blocking), then importAirfoil(bytes, QFileInfo(path).fileName()).
ImportResult importAirfoilFile(const QString &path);

// Reads path in the program's own .arf layout only, as a click in the file list loads it. On a
// fault the message says why in an import's words: "Cannot open "<fileName>": ...".
ImportResult openArfFile(const QString &path);

} // namespace tessaro
