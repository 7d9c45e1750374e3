// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"

#include <QImage>
#include <QWidget>

class QPainter;

namespace tessaro {

// Everything one picture of the airfoil depends on.
struct AirfoilScene {
    int N = 0;
    const PointArray *X = nullptr;
    const PointArray *Y = nullptr;
    double NI = 0;
    const PointArray *XN = nullptr;
    const PointArray *YN = nullptr;
    double Scale = 0;
    double X0 = 0;
    double Y0 = 0;
};

inline const QColor kViewBackground{255, 255, 192};
inline const QColor kHorizontalCentreLine{150, 150, 150};
inline const QColor kVerticalCentreLine{200, 200, 200};
inline const QColor kNewPointColour{0, 0, 255};
inline const QColor kOldPointColour{255, 0, 0};

// How the rings of the points are put on the surface: each drawn on its own (the reference,
// slow for many points), or copied from one drawing per colour, within a fraction of a pixel of
// where the reference puts it.
enum class RingDrawing { Exact, Stamped };

// Draws the scene into a surface of the given size. The whole surface shows the view window
// x -0.6..0.6, y 0.15..-0.15 (y up); anything outside it is clipped. The painter maps surface
// pixels one to one.
void drawAirfoil(QPainter &painter, QSize size, const AirfoilScene &scene,
                 RingDrawing rings = RingDrawing::Stamped);

// The drawing surface. It keeps the last picture in an image, so covering or resizing the
// window never loses it. It reports the mouse gestures on the drawing; what they do to the view is
// the window's business.
class AirfoilView : public QWidget {
    Q_OBJECT

  public:
    explicit AirfoilView(QWidget *parent = nullptr);

    void draw(const AirfoilScene &scene);
    // For comparing against the reference drawing; the stamped one is the default.
    void setRingDrawing(RingDrawing drawing) { rings = drawing; }
    const QImage &picture() const { return image; }

  signals:
    // Whole wheel notches, positive away from the user; fine-grained wheels add up to a notch.
    void wheelSteps(int steps);
    // A left-button drag: its start, then each move in view units (x to the right, y up).
    void dragStarted();
    void dragged(QPointF viewDelta);
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    bool overScrollBar(QPointF position) const;

    QImage image;
    RingDrawing rings = RingDrawing::Stamped;
    int wheelRemainder = 0;
    bool dragging = false;
    QPointF lastDragPosition;
};

} // namespace tessaro
