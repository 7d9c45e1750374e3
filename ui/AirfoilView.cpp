// SPDX-License-Identifier: MIT
#include "ui/AirfoilView.h"

#include "ui/RingStamp.h"

#include <QAbstractSlider>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tessaro {

namespace {

constexpr double kLeft = -0.6;
constexpr double kTop = 0.15;
constexpr double kWidth = 1.2;
constexpr double kHeight = 0.3;
constexpr float kNewRadius = 0.003f;
constexpr float kOldRadius = 0.005f;
// One notch of a common mouse wheel.
constexpr int kWheelNotch = 120;

// View coordinates are handed over in single precision, then mapped onto pixels.
struct Mapping {
    double sx;
    double sy;
    QPointF pixel(float vx, float vy) const {
        return {(double(vx) - kLeft) * sx, (kTop - double(vy)) * sy};
    }
};

struct ViewPoint {
    float x;
    float y;
};

ViewPoint toView(double x, double y, const AirfoilScene &s) {
    return {static_cast<float>((x - s.X0 - 0.5) * s.Scale),
            static_cast<float>((y - s.Y0) * s.Scale)};
}

bool finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// Keeps huge or far-away coordinates out of the painter: a ring is drawn only when it can touch
// the surface, a segment only in its part inside a slightly larger box.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &box) {
    if (!finite(a) || !finite(b))
        return false;
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(),
                         box.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = {start.x() + t0 * dx, start.y() + t0 * dy};
    b = {start.x() + t1 * dx, start.y() + t1 * dy};
    return true;
}

bool touchesBox(QPointF centre, double radius, const QRectF &box) {
    return finite(centre) && box.adjusted(-radius, -radius, radius, radius).contains(centre);
}

// Puts rings of one radius and colour, each only where it can touch the surface.
class RingPainter {
  public:
    RingPainter(QPainter &painter, double radius, const QColor &colour, const QRectF &box,
                RingDrawing how)
        : painter(painter), radius(radius), box(box) {
        if (how == RingDrawing::Stamped)
            stamp.emplace(radius, colour);
    }

    void draw(QPointF centre) const {
        if (!touchesBox(centre, radius, box))
            return;
        if (stamp)
            stamp->draw(painter, centre);
        else
            painter.drawEllipse(centre, radius, radius);
    }

  private:
    QPainter &painter;
    double radius;
    QRectF box;
    std::optional<RingStamp> stamp;
};

} // namespace

void drawAirfoil(QPainter &painter, QSize size, const AirfoilScene &scene, RingDrawing rings) {
    const Mapping map{size.width() / kWidth, size.height() / kHeight};
    const QRectF box = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(-8, -8, 8, 8);

    const int oldCount = std::clamp(scene.N, 0, MaxIndex);
    const int newCount = wholeCount(scene.NI);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), kViewBackground);
    painter.setBrush(Qt::NoBrush);

    painter.setPen(QPen(kHorizontalCentreLine, 0));
    painter.drawLine(map.pixel(-0.6f, 0.0f), map.pixel(0.6f, 0.0f));
    painter.setPen(QPen(kVerticalCentreLine, 0));
    painter.drawLine(map.pixel(0.0f, -0.15f), map.pixel(0.0f, 0.15f));

    const double newRadius = double(kNewRadius) * map.sx;
    const double oldRadius = double(kOldRadius) * map.sx;

    painter.setPen(QPen(kNewPointColour, 0));
    if (newCount > 0) {
        const RingPainter ring(painter, newRadius, kNewPointColour, box, rings);
        for (int i = 1; i <= newCount; ++i) {
            const ViewPoint v = toView((*scene.XN)[i], (*scene.YN)[i], scene);
            ring.draw(map.pixel(v.x, v.y));
        }
    }

    // Red after blue, so the points read stay visible where both meet.
    painter.setPen(QPen(kOldPointColour, 0));
    if (oldCount > 0) {
        const RingPainter ring(painter, oldRadius, kOldPointColour, box, rings);
        for (int i = 1; i <= oldCount; ++i) {
            const ViewPoint v = toView((*scene.X)[i], (*scene.Y)[i], scene);
            const QPointF here = map.pixel(v.x, v.y);
            if (i < oldCount) {
                const ViewPoint w = toView((*scene.X)[i + 1], (*scene.Y)[i + 1], scene);
                QPointF a = here, b = map.pixel(w.x, w.y);
                if (clipSegment(a, b, box))
                    painter.drawLine(a, b);
            }
            ring.draw(here);
        }
    }
    painter.restore();
}

AirfoilView::AirfoilView(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    image = QImage(QSize(1, 1), QImage::Format_RGB32);
    image.fill(kViewBackground);
}

void AirfoilView::draw(const AirfoilScene &scene) {
    if (image.size() != size())
        image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    drawAirfoil(painter, image.size(), scene, rings);
    painter.end();
    update();
}

void AirfoilView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kViewBackground);
    painter.drawImage(QPoint(0, 0), image);
}

// The pan bars lie on the surface and scroll themselves; a wheel they pass on at the end of their
// range must not zoom the drawing.
bool AirfoilView::overScrollBar(QPointF position) const {
    return qobject_cast<QAbstractSlider *>(childAt(position.toPoint())) != nullptr;
}

void AirfoilView::wheelEvent(QWheelEvent *event) {
    if (overScrollBar(event->position())) {
        event->ignore();
        return;
    }
    wheelRemainder += event->angleDelta().y();
    const int steps = wheelRemainder / kWheelNotch;
    wheelRemainder -= steps * kWheelNotch;
    if (steps != 0)
        emit wheelSteps(steps);
    event->accept();
}

void AirfoilView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || overScrollBar(event->position())) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging = true;
    lastDragPosition = event->position();
    setCursor(Qt::ClosedHandCursor);
    emit dragStarted();
}

void AirfoilView::mouseMoveEvent(QMouseEvent *event) {
    if (!dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // The whole surface shows the view window, so a pixel is the same view length everywhere.
    const QPointF pixels = event->position() - lastDragPosition;
    lastDragPosition = event->position();
    emit dragged(QPointF(pixels.x() * kWidth / std::max(width(), 1),
                         -pixels.y() * kHeight / std::max(height(), 1)));
}

void AirfoilView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !dragging) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging = false;
    unsetCursor();
}

void AirfoilView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || overScrollBar(event->position())) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    emit doubleClicked();
}

} // namespace tessaro
