// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "io/ArfReader.h"

#include <QtGlobal>

#include <cstring>

// Arrays compare bit for bit, so a NaN or a changed sign of zero counts as a change.
inline bool samePoints(const char *name, const tessaro::PointArray &after,
                       const tessaro::PointArray &before) {
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (std::memcmp(&after[i], &before[i], sizeof(double)) != 0) {
            qWarning("%s(%zu) changed: %.17g -> %.17g", name, i, before[i], after[i]);
            return false;
        }
    }
    return true;
}

// Every field of the working set; each difference is logged.
inline bool sameWorkingSet(const tessaro::Module_Common &after,
                           const tessaro::Module_Common &before) {
    bool same = true;
    auto check = [&same](const char *name, bool equal) {
        if (!equal) {
            qWarning("%s changed", name);
            same = false;
        }
    };
    auto bits = [](double a, double b) { return std::memcmp(&a, &b, sizeof(double)) == 0; };
    check("Pi", bits(after.Pi, before.Pi));
    check("FileLoaded", after.FileLoaded == before.FileLoaded);
    check("Scale", bits(after.Scale, before.Scale));
    check("X0", bits(after.X0, before.X0));
    check("Y0", bits(after.Y0, before.Y0));
    check("N", after.N == before.N);
    check("NI", after.NI.has_value() == before.NI.has_value() &&
                    (!after.NI || bits(*after.NI, *before.NI)));
    check("iLE", after.iLE == before.iLE);
    check("nPoly", bits(after.nPoly, before.nPoly));
    same = samePoints("X", after.X, before.X) && same;
    same = samePoints("Y", after.Y, before.Y) && same;
    same = samePoints("XN", after.XN, before.XN) && same;
    same = samePoints("YN", after.YN, before.YN) && same;
    same = samePoints("Teta", after.Teta, before.Teta) && same;
    same = samePoints("TetaN", after.TetaN, before.TetaN) && same;
    return same;
}

// Puts the count and the points of a coordinate file into ws, nothing else.
inline bool readContour(const QString &path, tessaro::Module_Common &ws) {
    const std::optional<tessaro::ArfFile> file = tessaro::readArfFile(path);
    if (!file)
        return false;
    ws.N = file->N;
    for (int i = 1; i <= file->N; ++i) {
        ws.X[i] = file->X[i];
        ws.Y[i] = file->Y[i];
    }
    return true;
}
