// SPDX-License-Identifier: MIT
#include "ui/DiagnosticsWindow.h"

#include "common/MessageService.h"
#include "common/NumberText.h"
#include "io/ArfWriter.h"
#include "ui/FileDialogs.h"
#include "ui/PlotView.h"
#include "ui/RoundTicks.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScatterSeries>
#include <QStackedLayout>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

namespace tessaro {

namespace {

const QColor kRead{220, 0, 0};
const QColor kNew{0, 0, 200};
// Deviations below this, exact zeros included, are drawn on it: a log axis has no zero.
constexpr double kFloor = 1e-9;
constexpr double kTwoPi = 2 * std::numbers::pi;
const QMargins kChartMargins{4, 2, 8, 2};

struct Tick {
    double at;
    QString label;
};

QScatterSeries *marks(QChart *chart, const char *name, const QString &legend, const QColor &colour,
                      bool ring, double size) {
    auto *series = new QScatterSeries(chart);
    series->setObjectName(QString::fromLatin1(name));
    series->setName(legend);
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(size);
    // The colour first: it sets the brush too.
    series->setColor(colour);
    series->setBorderColor(colour);
    series->setPen(QPen(colour, ring ? 1.4 : 0.5));
    series->setBrush(ring ? QBrush(Qt::NoBrush) : QBrush(colour));
    chart->addSeries(series);
    // A hollow ring would leave its legend square empty.
    chart->legend()->markers(series).front()->setBrush(QBrush(colour));
    return series;
}

QLineSeries *joiningLine(QChart *chart, const char *name, const QColor &colour) {
    auto *series = new QLineSeries(chart);
    series->setObjectName(QString::fromLatin1(name));
    QColor light = colour;
    light.setAlpha(110);
    series->setPen(QPen(light, 1));
    chart->addSeries(series);
    chart->legend()->markers(series).front()->setVisible(false);
    return series;
}

QChart *newChart(const QString &title) {
    auto *chart = new QChart;
    chart->setTitle(title);
    QFont font = chart->titleFont();
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setBackgroundRoundness(0);
    chart->setMargins(kChartMargins);
    chart->legend()->setAlignment(Qt::AlignTop);
    return chart;
}

void attach(QChart *chart, QAbstractAxis *x, QAbstractAxis *y) {
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

// The candidates, taken in order, that fall inside the axis range and leave room between their
// labels at this length of the axis in pixels.
QList<Tick> clearTicks(const QList<Tick> &candidates, double min, double max, double pixels,
                       const QFontMetricsF &metrics, bool horizontal) {
    QList<Tick> chosen;
    const double perUnit = pixels / (max - min);
    for (const Tick &tick : candidates) {
        if (!(tick.at >= min && tick.at <= max))
            continue;
        const auto room = [&](const Tick &other) {
            const double gap = std::fabs(tick.at - other.at) * perUnit;
            const double needed = horizontal ? (metrics.horizontalAdvance(tick.label) +
                                                metrics.horizontalAdvance(other.label)) /
                                                       2 +
                                                   12
                                             : metrics.height() + 2;
            return gap >= needed;
        };
        if (std::all_of(chosen.begin(), chosen.end(), room))
            chosen << tick;
    }
    std::sort(chosen.begin(), chosen.end(),
              [](const Tick &a, const Tick &b) { return a.at < b.at; });
    return chosen;
}

void setTicks(QCategoryAxis *axis, const QList<Tick> &ticks) {
    const QStringList labels = axis->categoriesLabels();
    bool same = labels.size() == ticks.size();
    for (qsizetype i = 0; same && i < ticks.size(); ++i)
        same = labels[i] == ticks[i].label && axis->endValue(labels[i]) == ticks[i].at;
    if (same)
        return;
    for (const QString &label : labels)
        axis->remove(label);
    axis->setStartValue(ticks.isEmpty() ? axis->min() : ticks.front().at - 1);
    for (const Tick &tick : ticks)
        axis->append(tick.label, tick.at);
}

QCategoryAxis *tickedAxis(const QString &title) {
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    return axis;
}

QString kappaLabel(double kappa) {
    QString digits = std::fabs(kappa) >= 1e5
                         ? QStringLiteral("1e%1").arg(std::lround(std::log10(std::fabs(kappa))))
                         : QString::number(std::fabs(kappa), 'g', 6);
    return kappa < 0 ? QString(QChar(0x2212)) + digits : digits;
}

// asinh(kappa) reads like kappa near zero and like a log scale beyond |kappa| ~ 1, so a nose
// of kappa ~ 100 and a mid-chord of ~ 1 share one readable axis.
QList<Tick> kappaCandidates() {
    QList<Tick> ticks{{0, QStringLiteral("0")}};
    for (const double k : {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6, 0.1, 3.0, 30.0, 300.0, 3e3}) {
        ticks << Tick{std::asinh(k), kappaLabel(k)};
        ticks << Tick{std::asinh(-k), kappaLabel(-k)};
    }
    return ticks;
}

// Ticks at round chord positions x on both surfaces, at the angle the calculation gave them:
// x = end (1 + cos theta) / 2 on a surface whose trailing edge lies at x = end. Labels on the
// second surface are set apart by blanks (a category axis needs distinct labels).
QList<Tick> angleCandidates(double firstEnd, double secondEnd) {
    QList<Tick> ticks{{std::numbers::pi, QStringLiteral("0")}};
    for (const double x : {1.0,    0.5, 0.1, 0.01, 0.001, 0.25, 0.75, 0.05, 0.02,  0.005,
                           0.0001, 0.2, 0.3, 0.4,  0.6,   0.7,  0.8,  0.9,  0.002, 0.0005}) {
        const QString label = QString::number(x);
        if (x <= firstEnd)
            ticks << Tick{std::acos(std::clamp(2 * x / firstEnd - 1, -1.0, 1.0)), label};
        if (x <= secondEnd) {
            ticks << Tick{kTwoPi - std::acos(std::clamp(2 * x / secondEnd - 1, -1.0, 1.0)),
                          QLatin1Char(' ') + label + QLatin1Char(' ')};
        }
    }
    return ticks;
}

template <typename Values> std::pair<double, double> finiteRange(const Values &values) {
    double low = INFINITY, high = -INFINITY;
    for (const double v : values) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return {low, high};
}

// Far beyond any drawing, yet sums, spans and squares of such coordinates stay finite.
constexpr double kLargestDrawn = 1e150;
// The narrowest contour plot, in units per pixel, absolute and relative to where it is centred.
constexpr double kFinestPerPixel = 1e-12;

} // namespace

QString nothingToPlotReason(const ContourInspection &contour) {
    if (contour.X.empty())
        return {};
    if (contour.X.size() == 1)
        return QStringLiteral("the section has only one point");
    double largest = 0;
    for (const auto *values : {&contour.X, &contour.Y, &contour.XN, &contour.YN}) {
        for (const double v : *values) {
            if (std::isfinite(v))
                largest = std::max(largest, std::fabs(v));
        }
    }
    if (largest > kLargestDrawn) {
        return QStringLiteral("coordinates as large as %1 cannot be drawn")
            .arg(QString::number(largest, 'g', 6).replace(u'.', screenDecimalPoint()));
    }
    const auto allSame = [](const std::vector<double> &v) {
        return std::all_of(v.begin(), v.end(), [&v](double value) { return value == v.front(); });
    };
    if (allSame(contour.X))
        return QStringLiteral("every point has the same x");
    if (allSame(contour.Y))
        return QStringLiteral("every point has the same y");
    return {};
}

std::optional<std::pair<QString, PictureFormat>> picturePath(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return std::pair{path, PictureFormat::Svg};
    if (suffix == QLatin1String("pdf"))
        return std::pair{path, PictureFormat::Pdf};
    if (suffix == QLatin1String("png"))
        return std::pair{path, PictureFormat::Png};
    if (suffix.isEmpty())
        return std::pair{path + QStringLiteral(".png"), PictureFormat::Png};
    return std::nullopt;
}

Form_Inspect::Form_Inspect(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form_Inspect"));
    setWindowTitle(QStringLiteral("Inspect"));
    resize(960, 860);
    setMinimumSize(480, 420);

    buildContourChart();
    buildCurvatureChart();
    buildDeviationChart();
    Label_NothingToPlot = new QLabel(this);
    Label_NothingToPlot->setObjectName(QStringLiteral("Label_NothingToPlot"));
    Label_NothingToPlot->setTextFormat(Qt::PlainText);
    Label_NothingToPlot->setAlignment(Qt::AlignCenter);
    Label_NothingToPlot->setWordWrap(true);
    Label_NothingToPlot->setAutoFillBackground(true);
    Label_NothingToPlot->hide();

    Label_Hint = new QLabel(
        QStringLiteral("Wheel: zoom about the pointer · drag: pan · double click: fit"), this);
    Label_Hint->setObjectName(QStringLiteral("Label_Hint"));
    Command_SavePlot = new QPushButton(QStringLiteral("Save picture…"), this);
    Command_SavePlot->setObjectName(QStringLiteral("Command_SavePlot"));
    connect(Command_SavePlot, &QPushButton::clicked, this, &Form_Inspect::Command_SavePlot_Click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Label_Hint, 1);
    buttons->addWidget(Command_SavePlot);
    auto *plots = new QWidget(this);
    auto *plotLayout = new QVBoxLayout(plots);
    plotLayout->setContentsMargins(0, 0, 0, 0);
    plotLayout->setSpacing(4);
    plotLayout->addWidget(contourView, 5);
    plotLayout->addWidget(curvatureView, 4);
    plotLayout->addWidget(deviationView, 4);
    // The reason covers the plots rather than hiding them: hidden charts miss their layouts and
    // come back with stale ranges and marks.
    auto *stack = new QStackedLayout;
    stack->setStackingMode(QStackedLayout::StackAll);
    stack->addWidget(plots);
    stack->addWidget(Label_NothingToPlot);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(stack, 1);
    layout->addLayout(buttons);

    // Plots 2 and 3 show one stretch of the contour.
    const auto link = [this](QCategoryAxis *from, QCategoryAxis *to) {
        connect(from, &QValueAxis::rangeChanged, this, [this, to](double min, double max) {
            if (to->min() != min || to->max() != max)
                to->setRange(min, max);
            relabelAngleAxes();
        });
    };
    link(curvatureTheta, deviationTheta);
    link(deviationTheta, curvatureTheta);
    connect(curvatureK, &QValueAxis::rangeChanged, this, &Form_Inspect::relabelCurvatureAxis);
    connect(curvatureChart, &QChart::plotAreaChanged, this, [this] {
        relabelAngleAxes();
        relabelCurvatureAxis();
    });
    // Queued: a zoom sets the y range after the layout it causes has reported the new plot area.
    connect(contourChart, &QChart::plotAreaChanged, this, &Form_Inspect::keepEqualScales,
            Qt::QueuedConnection);
    connect(deviationChart, &QChart::plotAreaChanged, this, &Form_Inspect::placeWorstLabels);
    connect(deviationTheta, &QValueAxis::rangeChanged, this, &Form_Inspect::placeWorstLabels);
    connect(deviationD, &QLogValueAxis::rangeChanged, this, &Form_Inspect::placeWorstLabels);
    for (QChart *chart : {curvatureChart, deviationChart})
        connect(chart, &QChart::plotAreaChanged, this, &Form_Inspect::alignAngleCharts);

    setSnapshot(InspectSnapshot{});
}

Form_Inspect::~Form_Inspect() = default;

void Form_Inspect::buildContourChart() {
    contourChart = newChart(QStringLiteral("Contour"));
    joiningLine(contourChart, "newContourLine", kNew);
    marks(contourChart, "newContour", QStringLiteral("new points"), kNew, false, 5);
    marks(contourChart, "readContour", QStringLiteral("points read"), kRead, true, 9);
    contourX = new QValueAxis;
    contourX->setTitleText(QStringLiteral("x"));
    contourY = new QValueAxis;
    contourY->setTitleText(QStringLiteral("y"));
    attach(contourChart, contourX, contourY);
    contourView = new PlotView(contourChart, this);
    contourView->setObjectName(QStringLiteral("Plot_Contour"));
    contourView->setFit([this] { fitContour(); });
}

void Form_Inspect::buildCurvatureChart() {
    curvatureChart = newChart(QStringLiteral("Curvature"));
    joiningLine(curvatureChart, "newCurvatureLine", kNew);
    joiningLine(curvatureChart, "readCurvatureLine", kRead);
    marks(curvatureChart, "newCurvature", QStringLiteral("new points"), kNew, false, 5);
    marks(curvatureChart, "readCurvature", QStringLiteral("points read"), kRead, true, 8);
    curvatureTheta = tickedAxis(QString());
    curvatureK = tickedAxis(QStringLiteral("κ (asinh scale)"));
    attach(curvatureChart, curvatureTheta, curvatureK);
    curvatureView = new PlotView(curvatureChart, this);
    curvatureView->setObjectName(QStringLiteral("Plot_Curvature"));
    curvatureView->setFit([this] {
        fitAngle();
        fitCurvature();
    });
}

void Form_Inspect::buildDeviationChart() {
    deviationChart = newChart(QStringLiteral("Deviation"));
    marks(deviationChart, "newDeviation",
          QStringLiteral("new point from the polygon through the points read"), kNew, false, 5);
    marks(deviationChart, "readDeviation", QStringLiteral("point read left out and predicted"),
          kRead, true, 8);
    for (const char *name : {"worstRead", "worstNew"}) {
        auto *worst = marks(deviationChart, name, QString(), Qt::black, true, 14);
        worst->setPen(QPen(Qt::black, 2));
        deviationChart->legend()->markers(worst).front()->setVisible(false);
        // On a pale box, above the series, which the chart stacks over its own children.
        auto *box = new QGraphicsRectItem(deviationChart);
        box->setZValue(1000);
        box->setPen(Qt::NoPen);
        box->setBrush(QColor(255, 255, 255, 210));
        auto *label = new QGraphicsSimpleTextItem(box);
        label->setBrush(Qt::black);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        worstLabels.push_back(label);
    }
    deviationTheta =
        tickedAxis(QStringLiteral("x along the contour: first surface, nose (0), second surface"));
    deviationD = new QLogValueAxis;
    deviationD->setBase(10);
    deviationD->setLabelFormat(QStringLiteral("%.0e"));
    deviationD->setTitleText(QStringLiteral("distance"));
    attach(deviationChart, deviationTheta, deviationD);
    deviationView = new PlotView(deviationChart, this);
    deviationView->setObjectName(QStringLiteral("Plot_Deviation"));
    deviationView->setFit([this] {
        fitAngle();
        fitDeviation();
    });
}

void Form_Inspect::setSnapshot(const InspectSnapshot &snapshot) {
    shown = snapshot;
    const ContourInspection &c = shown.contour;
    const bool calculated = !shown.settings.isEmpty() && !c.Teta.empty();
    QString title = shown.fileName.isEmpty() ? QStringLiteral("Inspect") : shown.fileName;
    if (!shown.fileName.isEmpty()) {
        title += QStringLiteral(" — ") +
                 (calculated ? shown.settings : QStringLiteral("points read, not calculated"));
    }
    setWindowTitle(title);

    // Sections the plots cannot show say why in their place.
    const QString nothing = nothingToPlotReason(c);
    Label_NothingToPlot->setVisible(!nothing.isEmpty());
    Label_NothingToPlot->raise();
    Label_NothingToPlot->setText(nothing.isEmpty() ? QString()
                                                   : QStringLiteral("Nothing to plot: ") + nothing);
    if (!nothing.isEmpty()) {
        for (QChart *chart : {contourChart, curvatureChart, deviationChart}) {
            for (QAbstractSeries *s : chart->series())
                static_cast<QXYSeries *>(s)->clear();
        }
        placeWorstLabels();
        return;
    }

    const auto series = [](QChart *chart, const char *name) {
        return chart->findChild<QXYSeries *>(QString::fromLatin1(name));
    };
    const auto points = [](const std::vector<double> &x, const auto &y, auto value) {
        QList<QPointF> list;
        for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i) {
            if (const std::optional<double> v = value(y[i]); v && std::isfinite(*v))
                list << QPointF(x[i], *v);
        }
        return list;
    };
    const auto plain = [](double v) { return std::optional<double>(v); };
    const auto asinhOf = [](double v) { return std::optional<double>(std::asinh(v)); };
    const auto floored = [](auto v) -> std::optional<double> {
        if constexpr (std::is_same_v<decltype(v), double>)
            return std::max(v, kFloor);
        else
            return v ? std::optional<double>(std::max(*v, kFloor)) : std::nullopt;
    };

    series(contourChart, "readContour")->replace(points(c.X, c.Y, plain));
    series(contourChart, "newContour")->replace(points(c.XN, c.YN, plain));
    series(contourChart, "newContourLine")->replace(points(c.XN, c.YN, plain));
    const std::vector<double> noAngles;
    const std::vector<double> &Teta = calculated ? c.Teta : noAngles;
    const std::vector<double> &TetaN = calculated ? c.TetaN : noAngles;
    for (const char *name : {"readCurvature", "readCurvatureLine"})
        series(curvatureChart, name)->replace(points(Teta, c.curvature, asinhOf));
    for (const char *name : {"newCurvature", "newCurvatureLine"})
        series(curvatureChart, name)->replace(points(TetaN, c.curvatureN, asinhOf));
    series(deviationChart, "readDeviation")->replace(points(Teta, c.miss, floored));
    series(deviationChart, "newDeviation")->replace(points(TetaN, c.deviationN, floored));

    // The worst of each set, marked and named.
    const auto markWorst = [&](const char *name, const std::vector<double> &angles,
                               const std::vector<std::optional<double>> &values,
                               const QString &what) {
        auto *worst = series(deviationChart, name);
        worst->clear();
        worst->setName(QString());
        const auto at = std::max_element(values.begin(), values.end());
        if (at == values.end() || !*at || angles.empty())
            return;
        const std::size_t i = static_cast<std::size_t>(at - values.begin());
        worst->append(angles[i], std::max(**at, kFloor));
        // The legend leaves the series out; its name is the text of the label beside it.
        worst->setName(QStringLiteral("%1 %2: %3")
                           .arg(what, wholeNumberForm(static_cast<long long>(i) + 1),
                                exponentForm(**at, 2, screenDecimalPoint())));
    };
    markWorst("worstRead", Teta, calculated ? c.miss : std::vector<std::optional<double>>{},
              QStringLiteral("point"));
    std::vector<std::optional<double>> deviations(c.deviationN.begin(), c.deviationN.end());
    markWorst("worstNew", TetaN, calculated ? deviations : std::vector<std::optional<double>>{},
              QStringLiteral("new point"));

    curvatureChart->setTitle(calculated ? QStringLiteral("Curvature along the contour")
                                        : QStringLiteral("Curvature along the contour (shown "
                                                         "after a calculation)"));
    deviationChart->setTitle(
        calculated ? QStringLiteral("Deviation (values below 1e-9, exact zeros too, on the floor)")
                   : QStringLiteral("Deviation (shown after a calculation)"));
    fitContour();
    fitAngle();
    fitCurvature();
    fitDeviation();
    placeWorstLabels();
}

void Form_Inspect::placeWorstLabels() {
    const QRectF plot = deviationChart->plotArea();
    std::array<QPointF, 2> at;
    std::array<bool, 2> shownHere{};
    for (std::size_t i = 0; i < worstLabels.size(); ++i) {
        auto *worst = deviationChart->findChild<QXYSeries *>(
            QString::fromLatin1(i == 0 ? "worstRead" : "worstNew"));
        worstLabels[i]->setText(worst->name());
        if (worst->count() == 1) {
            at[i] = deviationChart->mapToPosition(worst->at(0), worst);
            shownHere[i] = plot.contains(at[i]);
        }
    }
    // Each label just above its mark, right of it where it fits; when the marks lie close, the
    // left one's label goes left so that the two never overlap.
    const auto boxOf = [this](std::size_t i) { return worstLabels[i]->parentItem(); };
    const bool close =
        shownHere[0] && shownHere[1] &&
        std::fabs(at[0].x() - at[1].x()) < worstLabels[0]->boundingRect().width() + 20;
    for (std::size_t i = 0; i < worstLabels.size(); ++i) {
        auto *box = static_cast<QGraphicsRectItem *>(boxOf(i));
        box->setVisible(shownHere[i]);
        if (!shownHere[i])
            continue;
        const QRectF text = worstLabels[i]->boundingRect();
        box->setRect(text.adjusted(-3, -1, 3, 1));
        const bool toLeft =
            close ? at[i].x() <= at[1 - i].x() : at[i].x() + 6 + text.width() > plot.right();
        const double x = toLeft ? at[i].x() - 6 - text.width() : at[i].x() + 6;
        const double y = std::clamp(at[i].y() - 8 - text.height(), plot.top() + 1,
                                    plot.bottom() - text.height());
        box->setPos(x, y);
    }
}

void Form_Inspect::fitContour() {
    std::vector<double> xs = shown.contour.X, ys = shown.contour.Y;
    xs.insert(xs.end(), shown.contour.XN.begin(), shown.contour.XN.end());
    ys.insert(ys.end(), shown.contour.YN.begin(), shown.contour.YN.end());
    auto [x0, x1] = finiteRange(xs);
    auto [y0, y1] = finiteRange(ys);
    if (!(x0 <= x1) || !(y0 <= y1)) {
        x0 = 0, x1 = 1, y0 = -0.1, y1 = 0.1;
    }
    const QRectF plot = contourChart->plotArea();
    const double w = std::max(plot.width(), 1.0), h = std::max(plot.height(), 1.0);
    const double cx = x0 / 2 + x1 / 2, cy = y0 / 2 + y1 / 2;
    // The larger of the two units per pixel serves both axes, so the data fits with equal scales;
    // never so fine that the range would be narrower than the doubles about its centre can tell.
    const double perPixel = std::max({(x1 - x0) * 1.06 / w, (y1 - y0) * 1.15 / h, kFinestPerPixel,
                                      kFinestPerPixel * std::max(std::fabs(cx), std::fabs(cy))});
    setRangeTicksFirst(contourX, cx - perPixel * w / 2, cx + perPixel * w / 2, w);
    setRangeTicksFirst(contourY, cy - perPixel * h / 2, cy + perPixel * h / 2, h);
}

void Form_Inspect::keepEqualScales() {
    const QRectF plot = contourChart->plotArea();
    if (plot.width() < 1 || plot.height() < 1)
        return;
    const double perPixel = (contourX->max() - contourX->min()) / plot.width();
    const double half = perPixel * plot.height() / 2;
    const double cy = (contourY->min() + contourY->max()) / 2;
    // The y range follows the plot's shape; a change in rounding only would never settle.
    if (std::fabs((contourY->max() - contourY->min()) - 2 * half) > 1e-9 * half)
        setRangeTicksFirst(contourY, cy - half, cy + half, plot.height());
    roundTicks(contourX, plot.width());
    roundTicks(contourY, plot.height());
}

void Form_Inspect::fitAngle() {
    curvatureTheta->setRange(-0.03 * kTwoPi, 1.03 * kTwoPi);
}

void Form_Inspect::fitCurvature() {
    std::vector<double> values;
    for (const auto *set : {&shown.contour.curvature, &shown.contour.curvatureN}) {
        for (const double k : *set)
            values.push_back(std::asinh(k));
    }
    auto [low, high] = finiteRange(values);
    if (shown.contour.Teta.empty() || !(low <= high)) {
        low = std::asinh(-10.0), high = std::asinh(100.0);
    }
    const double pad = 0.06 * (high - low) + 0.2;
    curvatureK->setRange(low - pad, high + pad);
}

void Form_Inspect::fitDeviation() {
    double high = kFloor;
    for (const std::optional<double> &m : shown.contour.miss)
        high = std::max(high, m.value_or(0.0));
    for (const double d : shown.contour.deviationN)
        high = std::max(high, std::isfinite(d) ? d : 0.0);
    // Room above the worst mark for its label, and never past the doubles' range.
    deviationD->setRange(kFloor / 2, std::clamp(high * 40, kFloor * 100, 1e300));
}

void Form_Inspect::alignAngleCharts() {
    // Both charts start their plot at the further-right of the two natural starts, so that one
    // angle lies at one x on the screen in both.
    const auto natural = [](QChart *chart, int extra) { return chart->plotArea().left() - extra; };
    const double curvatureStart = natural(curvatureChart, curvatureExtra);
    const double deviationStart = natural(deviationChart, deviationExtra);
    const double start = std::max(curvatureStart, deviationStart);
    const int wantCurvature = static_cast<int>(std::lround(start - curvatureStart));
    const int wantDeviation = static_cast<int>(std::lround(start - deviationStart));
    for (auto [chart, extra, want] : {std::tuple{curvatureChart, &curvatureExtra, wantCurvature},
                                      std::tuple{deviationChart, &deviationExtra, wantDeviation}}) {
        if (*extra == want)
            continue;
        *extra = want;
        QMargins margins = chart->margins();
        margins.setLeft(kChartMargins.left() + want);
        chart->setMargins(margins);
    }
}

void Form_Inspect::relabelAngleAxes() {
    const std::vector<double> &XN = shown.contour.XN;
    // Where each surface ends on the chord: 1 unless each keeps its own trailing edge.
    const double first = XN.empty() ? 1.0 : XN.front();
    const double second = XN.empty() ? 1.0 : XN.back();
    const QList<Tick> candidates = angleCandidates(first, second);
    for (auto [chart, axis] :
         {std::pair{curvatureChart, curvatureTheta}, std::pair{deviationChart, deviationTheta}}) {
        setTicks(axis, clearTicks(candidates, axis->min(), axis->max(), chart->plotArea().width(),
                                  QFontMetricsF(axis->labelsFont()), true));
    }
}

void Form_Inspect::relabelCurvatureAxis() {
    static const QList<Tick> candidates = kappaCandidates();
    setTicks(curvatureK, clearTicks(candidates, curvatureK->min(), curvatureK->max(),
                                    curvatureChart->plotArea().height(),
                                    QFontMetricsF(curvatureK->labelsFont()), false));
}

void Form_Inspect::paintPicture(QPainter &painter) {
    painter.fillRect(rect(), Qt::white);
    if (!Label_NothingToPlot->isHidden()) {
        Label_NothingToPlot->render(&painter, Label_NothingToPlot->mapTo(this, QPoint(0, 0)));
    } else {
        for (PlotView *view : {contourView, curvatureView, deviationView}) {
            const QRect target(view->mapTo(this, QPoint(0, 0)), view->size());
            view->render(&painter, QRectF(target), view->viewport()->rect());
        }
    }
    // What the plots show, where the window has its buttons.
    const QRect strip(Label_Hint->mapTo(this, QPoint(0, 0)),
                      QSize(width() - 12, Label_Hint->height()));
    painter.setPen(Qt::black);
    painter.setFont(font());
    painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter, windowTitle());
}

QByteArray Form_Inspect::picture(PictureFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == PictureFormat::Png) {
        QImage image(size() * 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(2, 2);
            paintPicture(painter);
        }
        if (!image.save(&buffer, "PNG"))
            return {};
    } else if (format == PictureFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size());
        svg.setViewBox(rect());
        svg.setTitle(windowTitle());
        QPainter painter(&svg);
        paintPicture(painter);
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(windowTitle());
        pdf.setCreator(QStringLiteral("Tessaro"));
        // One point per pixel: the page is the window's size.
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(size()), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        QPainter painter(&pdf);
        paintPicture(painter);
    }
    return bytes;
}

void Form_Inspect::Command_SavePlot_Click() {
    if (!Dialog_SavePlot) {
        Dialog_SavePlot = newFileDialog(
            this, "Dialog_SavePlot", QStringLiteral("Save the plots as a picture"),
            QFileDialog::AcceptSave,
            QStringLiteral("Pictures: PNG, SVG or PDF by the name's ending (*.png *.svg *.pdf)"));
        connect(Dialog_SavePlot, &QFileDialog::fileSelected, this, &Form_Inspect::savePictureTo);
    }
    if (!shown.folder.isEmpty())
        Dialog_SavePlot->setDirectory(shown.folder);
    const QString stem = QFileInfo(shown.fileName).completeBaseName();
    Dialog_SavePlot->selectFile((stem.isEmpty() ? QStringLiteral("contour") : stem) +
                                QStringLiteral("-inspect.png"));
    Dialog_SavePlot->open();
}

void Form_Inspect::savePictureTo(const QString &path) {
    const auto named = picturePath(path);
    if (!named) {
        // Another extension would silently become "name.jpg.png".
        showMessage(QStringLiteral("Could not save \"%1\": a picture is saved as PNG, SVG or PDF; "
                                   "end the name in .png, .svg or .pdf.")
                        .arg(QFileInfo(path).fileName()));
        return;
    }
    const auto &[target, format] = *named;
    const QString name = QFileInfo(target).fileName();
    const QByteArray bytes = picture(format);
    if (bytes.isEmpty()) {
        showMessage(
            QStringLiteral("Could not save \"%1\": the picture could not be made").arg(name));
        return;
    }
    if (const auto problem = writeWholeFile(target, bytes))
        showMessage(QStringLiteral("Could not save \"%1\": %2").arg(name, *problem));
}

} // namespace tessaro
