// SPDX-License-Identifier: MIT
#pragma once

// The files of the shared exact-sections folder and the curve each one samples, told by its name:
// <section>_<sampling>.dat, the section's last letter c or o for a closed or open trailing edge.

#include "../tools/JoukowskiExact.h"
#include "../tools/NacaExact.h"

#include <QDir>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace tessaro::bench {

struct ExactFile {
    QString path;
    QString section; // 2412, 23012, jouk
    QString edge;    // c, o; empty for the Joukowski section
    QChar sampling;  // a, c
    std::function<double(naca::Point)> distance;
};

inline std::optional<naca::Section> nacaOf(const QString &section, const QString &edge) {
    const double a4 = edge == QStringLiteral("o") ? naca::kOpenEdge : naca::kClosedEdge;
    if (section == QStringLiteral("23012"))
        return naca::naca23012(a4);
    if (section.size() != 4)
        return std::nullopt;
    return naca::Section{section.mid(0, 1).toInt() / 100.0, section.mid(1, 1).toInt() / 10.0,
                         section.mid(2).toInt() / 100.0, a4};
}

// Every file of the folder whose curve is known, in name order; none where the folder is missing.
inline std::vector<ExactFile> exactFiles(const QString &folder) {
    static const joukowski::Section jouk;
    std::vector<ExactFile> files;
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*_?.dat")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString stem = name.chopped(4);
        ExactFile file{
            QDir(folder).filePath(name), stem.section(u'_', 0, 0), QString(), stem.back(), {}};
        if (file.section == QStringLiteral("jouk")) {
            file.distance = [](naca::Point q) { return jouk.distance(q); };
        } else {
            file.edge = file.section.right(1);
            file.section.chop(1);
            const std::optional<naca::Section> naca = nacaOf(file.section, file.edge);
            if (!naca)
                continue;
            file.distance = [s = *naca](naca::Point q) { return naca::distance(s, q); };
        }
        files.push_back(file);
    }
    return files;
}

} // namespace tessaro::bench
