// SPDX-License-Identifier: MIT
#include "ui/PlotView.h"

#include "ui/RoundTicks.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace tessaro {

namespace {

// One wheel notch (120 eighths of a degree) zooms by this much; finer wheels in proportion.
constexpr double kZoomPerNotch = 1.25;

} // namespace

PlotView::PlotView(QChart *chart, QWidget *parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
}

void PlotView::fit() {
    if (fitter)
        fitter();
}

QPointF PlotView::chartPoint(QPointF viewPoint) const {
    return chart()->mapFromScene(mapToScene(viewPoint.toPoint()));
}

void PlotView::zoomAbout(QPointF at, double factor) {
    const QRectF plot = chart()->plotArea();
    if (!(factor > 0) || plot.isEmpty())
        return;
    // The plot rectangle shrinks (or grows) about `at`, so the point there stays put, and keeps
    // its shape, so equal x and y scales stay equal.
    const QPointF topLeft = at - (at - plot.topLeft()) / factor;
    // The axes count their ticks until they have their new ranges.
    const TickHold hold(chart());
    chart()->zoomIn(QRectF(topLeft, plot.size() / factor));
    emit moved();
}

void PlotView::wheelEvent(QWheelEvent *event) {
    const QPointF at = chartPoint(event->position());
    if (!chart()->plotArea().contains(at) || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    zoomAbout(at, std::pow(kZoomPerNotch, event->angleDelta().y() / 120.0));
    event->accept();
}

void PlotView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QChartView::mousePressEvent(event);
        return;
    }
    dragging = true;
    lastDrag = event->position();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void PlotView::mouseMoveEvent(QMouseEvent *event) {
    if (!dragging) {
        QChartView::mouseMoveEvent(event);
        return;
    }
    const QPointF delta = event->position() - lastDrag;
    lastDrag = event->position();
    // The data follows the pointer: the visible range moves the other way.
    const TickHold hold(chart());
    chart()->scroll(-delta.x(), delta.y());
    emit moved();
    event->accept();
}

void PlotView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !dragging) {
        QChartView::mouseReleaseEvent(event);
        return;
    }
    dragging = false;
    unsetCursor();
    event->accept();
}

void PlotView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) {
        QChartView::mouseDoubleClickEvent(event);
        return;
    }
    fit();
    event->accept();
}

} // namespace tessaro
