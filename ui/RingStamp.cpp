// SPDX-License-Identifier: MIT
#include "ui/RingStamp.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

// Centre of sub-pixel offset band k, as a fraction of a pixel.
double bandCentre(int k) {
    return (k + 0.5) / RingStamp::kPhases;
}

int band(double fraction) {
    return std::clamp(static_cast<int>(fraction * RingStamp::kPhases), 0, RingStamp::kPhases - 1);
}

} // namespace

RingStamp::RingStamp(double radius, const QColor &colour)
    : margin(static_cast<int>(std::ceil(radius)) + 2) {
    const QSize size(2 * margin + 1, 2 * margin + 1);
    for (int row = 0; row < kPhases; ++row) {
        for (int column = 0; column < kPhases; ++column) {
            QImage &image = images[row * kPhases + column];
            image = QImage(size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(colour, 0));
            painter.drawEllipse(QPointF(margin + bandCentre(column), margin + bandCentre(row)),
                                radius, radius);
        }
    }
}

void RingStamp::draw(QPainter &painter, QPointF centre) const {
    const double left = std::floor(centre.x());
    const double top = std::floor(centre.y());
    const QImage &image = images[band(centre.y() - top) * kPhases + band(centre.x() - left)];
    painter.drawImage(QPoint(static_cast<int>(left) - margin, static_cast<int>(top) - margin),
                      image);
}

} // namespace tessaro
