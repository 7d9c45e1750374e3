// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <cmath>
#include <utility>
#include <vector>

// Points of a test contour in file order: trailing edge, upper surface, leading edge, lower
// surface, trailing edge.
using Contour = std::vector<std::pair<double, double>>;

// A symmetric NACA 00tt section at `points` points (odd), cosine spaced, both ends at x = 1.
inline Contour nacaSymmetric(int points, double thickness = 0.12) {
    const int half = points / 2;
    const double pi = 4.0 * std::atan(1.0);
    auto yt = [thickness](double x) {
        return 5 * thickness *
               (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                0.1015 * x * x * x * x);
    };
    Contour contour;
    for (int k = 0; k <= 2 * half; ++k) {
        const double x = (1 + std::cos(pi * k / half)) / 2;
        const double sign = k <= half ? 1.0 : -1.0;
        contour.emplace_back(k == half ? 0.0 : x, k == half ? 0.0 : sign * yt(x));
    }
    return contour;
}

// The text of a coordinate file holding the contour.
inline QByteArray arfText(const QByteArray &title, const Contour &contour) {
    QByteArray text = title + "\r\n " + QByteArray::number(qsizetype(contour.size())) + " \r\n";
    int i = 0;
    for (const auto &[x, y] : contour)
        text += "  " + QByteArray::number(++i) + "  " + QByteArray::number(x, 'f', 10) + "  " +
                QByteArray::number(y, 'f', 10) + "\r\n";
    return text;
}

// Points 1..N of anything that holds N, X and Y (a read or imported coordinate file), in order.
template <typename File> Contour pointsOf(const File &file) {
    Contour points;
    for (int i = 1; i <= file.N; ++i)
        points.emplace_back(file.X[i], file.Y[i]);
    return points;
}

// The clean 61-point NACA 0012 with x scaled by sx and y by sy; mistyped puts point 9's x 5e-5
// short of point 8's, as a typing error leaves two points of a surface on top of each other.
inline Contour warningSection(double sx, double sy, bool mistyped = false) {
    Contour contour = nacaSymmetric(61);
    if (mistyped)
        contour[8].first = contour[7].first - 5e-5;
    for (auto &point : contour)
        point = {point.first * sx, point.second * sy};
    return contour;
}
