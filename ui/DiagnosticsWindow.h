// SPDX-License-Identifier: MIT
#pragma once

#include "numerics/ContourDiagnostics.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

class QCategoryAxis;
class QChart;
class QFileDialog;
class QGraphicsSimpleTextItem;
class QLabel;
class QLogValueAxis;
class QPushButton;
class QValueAxis;

namespace tessaro {

class PlotView;

// Everything the Inspect window shows, read off the working set by the main window.
struct InspectSnapshot {
    QString fileName;          // of the last load or import; empty before any
    QString settings;          // of the last calculation since it; empty before one
    ContourInspection contour; // the points read only, before a calculation
    QString folder;            // where Save picture… opens: the loaded file's, as Export's
};

// Picture formats Save picture… writes, told from the name.
enum class PictureFormat { Png, Svg, Pdf };

// Where a picture of this name goes and as what: .png, .svg or .pdf as named (any case), a name
// without an extension with ".png" added; nothing for any other extension.
std::optional<std::pair<QString, PictureFormat>> picturePath(const QString &path);

// Why the plots cannot show this contour, or empty when they can (nothing loaded included):
// one point, every x or every y the same, or coordinates too large to draw.
QString nothingToPlotReason(const ContourInspection &contour);

// View -> Inspect…: the contour, the curvature along it and the deviations along it.
class Form_Inspect : public QWidget {
    Q_OBJECT

  public:
    explicit Form_Inspect(QWidget *parent = nullptr);
    ~Form_Inspect() override;

    // Replaces what the plots show and fits them to it.
    void setSnapshot(const InspectSnapshot &snapshot);

    // The three plots as a picture of the window's size (PNG at twice its pixels).
    QByteArray picture(PictureFormat format);

  private:
    void buildContourChart();
    void buildCurvatureChart();
    void buildDeviationChart();
    void fitContour();
    void fitCurvature();
    void fitDeviation();
    void fitAngle();
    void keepEqualScales();
    void relabelAngleAxes();
    void relabelCurvatureAxis();
    void alignAngleCharts();
    void placeWorstLabels();
    void Command_SavePlot_Click();
    void savePictureTo(const QString &path);
    void paintPicture(QPainter &painter);

    InspectSnapshot shown;
    PlotView *contourView = nullptr;
    PlotView *curvatureView = nullptr;
    PlotView *deviationView = nullptr;
    QChart *contourChart = nullptr;
    QChart *curvatureChart = nullptr;
    QChart *deviationChart = nullptr;
    QValueAxis *contourX = nullptr;
    QValueAxis *contourY = nullptr;
    QCategoryAxis *curvatureTheta = nullptr;
    QCategoryAxis *curvatureK = nullptr;
    QCategoryAxis *deviationTheta = nullptr;
    QLogValueAxis *deviationD = nullptr;
    QLabel *Label_NothingToPlot = nullptr;
    QLabel *Label_Hint = nullptr;
    QPushButton *Command_SavePlot = nullptr;
    QFileDialog *Dialog_SavePlot = nullptr;
    // Left margin added to each angle chart to line its plot up with the other's.
    int curvatureExtra = 0;
    int deviationExtra = 0;
    std::vector<QGraphicsSimpleTextItem *> worstLabels;
};

} // namespace tessaro
