// SPDX-License-Identifier: MIT
#pragma once

#include <QChartView>

#include <functional>

namespace tessaro {

// A chart the user moves with the mouse: the wheel zooms about the pointer, a left-button drag
// pans, a double click fits the data. Zoom and pan go through QChart, so log axes follow too.
class PlotView : public QChartView {
    Q_OBJECT

  public:
    explicit PlotView(QChart *chart, QWidget *parent = nullptr);

    // What a double click does; the owner knows the data and how it should fit.
    void setFit(std::function<void()> fit) { fitter = std::move(fit); }
    void fit();
    // Zooms by factor (above 1: in) keeping the chart point under `at` where it is.
    void zoomAbout(QPointF at, double factor);

  signals:
    // After a zoom or a pan by the user.
    void moved();

  protected:
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    QPointF chartPoint(QPointF viewPoint) const;

    std::function<void()> fitter;
    bool dragging = false;
    QPointF lastDrag;
};

} // namespace tessaro
