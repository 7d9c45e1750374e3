// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

#include <array>

class QPainter;

namespace tessaro {

// One ring of the view (a circle in a cosmetic pen, not antialiased), drawn once for each of a
// few sub-pixel offsets of its centre and then placed by copying, which costs a small part of
// drawing every ring. A copy's centre lies within 1 / (2 * kPhases) pixel of the one asked for.
class RingStamp {
  public:
    static constexpr int kPhases = 4;

    RingStamp(double radius, const QColor &colour);

    // Places a ring whose centre, in surface pixels, is finite and within a few radii of the
    // surface; the painter must map surface pixels one to one.
    void draw(QPainter &painter, QPointF centre) const;

  private:
    int margin;
    std::array<QImage, kPhases * kPhases> images;
};

} // namespace tessaro
