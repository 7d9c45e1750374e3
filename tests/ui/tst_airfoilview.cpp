// SPDX-License-Identifier: MIT
#include "common/Module_Common.h"
#include "ui/AirfoilView.h"
#include "ui/Form_Main.h"

#include <QLabel>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <limits>
#include <set>

using namespace tessaro;

namespace {

const QSize kSurface(800, 200);

// Pixel of a point in airfoil units with Scale 1 and no pan.
QPoint pixelOf(double x, double y) {
    return {int(std::lround((x - 0.5 + 0.6) / 1.2 * kSurface.width())),
            int(std::lround((0.15 - y) / 0.3 * kSurface.height()))};
}

int countColour(const QImage &image, const QColor &colour, QRect area = QRect()) {
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && image.pixelColor(x, y) == colour)
                ++count;
    return count;
}

QRect around(QPoint centre, int half) {
    return QRect(centre - QPoint(half, half), centre + QPoint(half, half));
}

struct Points {
    PointArray X{}, Y{}, XN{}, YN{};
    int N = 0;
    double NI = 0;

    QImage render(double scale = 1, double X0 = 0, double Y0 = 0,
                  RingDrawing rings = RingDrawing::Stamped) const {
        QImage image(kSurface, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        drawAirfoil(painter, kSurface, AirfoilScene{N, &X, &Y, NI, &XN, &YN, scale, X0, Y0}, rings);
        return image;
    }
};

// Mean position of the pixels of a colour within eight pixels of a point; (-99, -99) for none.
QPointF centroid(const QImage &image, const QColor &colour, QPoint near) {
    QPointF sum;
    int count = 0;
    const QRect area = around(near, 8) & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                sum += QPointF(x, y), ++count;
    return count ? sum / count : QPointF(-99, -99);
}

// Puts point i where the drawing centres it on the given surface pixel (Scale 1, no pan).
void putAt(PointArray &X, PointArray &Y, int i, QPointF pixel) {
    X[i] = pixel.x() / kSurface.width() * 1.2 - 0.1;
    Y[i] = 0.15 - pixel.y() / kSurface.height() * 0.3;
}

} // namespace

class tst_AirfoilView : public QObject {
    Q_OBJECT

  private slots:
    void init() { resetCommon(); }
    void backgroundAndCentreLines();
    void oldPointIsARedRing();
    void newPointIsABlueRing();
    void contourIsAnOpenPolyline();
    void nothingDrawnForEmptyCounts_data();
    void nothingDrawnForEmptyCounts();
    void fractionalNewCountUsesWholePart();
    void ringsKeepTheirSizeWhenMagnified();
    void panMovesAirfoilOutOfView();
    void hugeCoordinatesAreClipped();
    void pictureSurvivesHideAndShow();
    void stampedRingSitsWhereDrawnOne_data();
    void stampedRingSitsWhereDrawnOne();
    void stampingChangesNothingElse();
};

void tst_AirfoilView::backgroundAndCentreLines() {
    const QImage image = Points{}.render();
    QCOMPARE(image.pixelColor(20, 20), QColor(255, 255, 192));
    QCOMPARE(image.pixelColor(780, 180), QColor(255, 255, 192));
    // Horizontal line at y = 0 across the whole width, vertical at x = 0 across the height.
    QVERIFY(countColour(image, QColor(150, 150, 150), QRect(50, 98, 1, 5)) == 1);
    QVERIFY(countColour(image, QColor(200, 200, 200), QRect(398, 20, 5, 1)) == 1);
    QVERIFY(countColour(image, QColor(150, 150, 150)) >= 790);
    QVERIFY(countColour(image, QColor(200, 200, 200)) >= 195);
}

void tst_AirfoilView::oldPointIsARedRing() {
    Points p;
    p.N = 1;
    p.X[1] = 0.6;
    p.Y[1] = 0.05;
    const QImage image = p.render();
    const QPoint centre = pixelOf(0.6, 0.05);
    QVERIFY(countColour(image, QColor(255, 0, 0), around(centre, 5)) >= 12);
    // A ring, not a disc, and nothing red elsewhere (one point draws no segment).
    QCOMPARE(image.pixelColor(centre), QColor(255, 255, 192));
    QCOMPARE(countColour(image, QColor(255, 0, 0)),
             countColour(image, QColor(255, 0, 0), around(centre, 5)));
}

void tst_AirfoilView::newPointIsABlueRing() {
    Points p;
    p.NI = 1;
    p.XN[1] = 0.25;
    p.YN[1] = -0.05;
    const QImage image = p.render();
    const QPoint centre = pixelOf(0.25, -0.05);
    const int blue = countColour(image, QColor(0, 0, 255), around(centre, 3));
    QVERIFY(blue >= 8);
    QCOMPARE(countColour(image, QColor(0, 0, 255)), blue);
    QCOMPARE(image.pixelColor(centre), QColor(255, 255, 192));
    // Radius 0.003 is two pixels on this surface: nothing blue three pixels out.
    QCOMPARE(countColour(image, QColor(0, 0, 255), around(centre, 4)), blue);
}

void tst_AirfoilView::contourIsAnOpenPolyline() {
    Points p;
    p.N = 3;
    p.X[1] = 0.2, p.Y[1] = 0;
    p.X[2] = 0.8, p.Y[2] = 0;
    p.X[3] = 0.5, p.Y[3] = 0.1;
    const QImage image = p.render();
    // Segment 1-2 runs along the chord line and is drawn over the grey centre line.
    QVERIFY(countColour(image, QColor(255, 0, 0),
                        QRect(pixelOf(0.35, 0) - QPoint(0, 2), QSize(1, 5))) == 1);
    // Segment 2-3 exists, but there is none from the last point back to the first.
    QVERIFY(countColour(image, QColor(255, 0, 0), around(pixelOf(0.65, 0.05), 2)) >= 1);
    QCOMPARE(countColour(image, QColor(255, 0, 0), around(pixelOf(0.35, 0.05), 2)), 0);
}

void tst_AirfoilView::nothingDrawnForEmptyCounts_data() {
    QTest::addColumn<int>("N");
    QTest::addColumn<double>("NI");
    QTest::newRow("both zero") << 0 << 0.0;
    QTest::newRow("negative counts") << -3 << -5.0;
    QTest::newRow("new count below one") << 0 << 0.99;
}

void tst_AirfoilView::nothingDrawnForEmptyCounts() {
    QFETCH(int, N);
    QFETCH(double, NI);
    Points p;
    p.N = N;
    p.NI = NI;
    p.X[1] = p.XN[1] = 0.5;
    p.Y[1] = p.YN[1] = 0.05;
    const QImage image = p.render();
    QCOMPARE(countColour(image, QColor(255, 0, 0)), 0);
    QCOMPARE(countColour(image, QColor(0, 0, 255)), 0);
}

void tst_AirfoilView::fractionalNewCountUsesWholePart() {
    Points p;
    p.NI = 2.7;
    for (int i = 1; i <= 3; ++i) {
        p.XN[i] = 0.2 * i;
        p.YN[i] = 0;
    }
    const QImage image = p.render();
    QVERIFY(countColour(image, QColor(0, 0, 255), around(pixelOf(0.2, 0), 3)) > 0);
    QVERIFY(countColour(image, QColor(0, 0, 255), around(pixelOf(0.4, 0), 3)) > 0);
    QCOMPARE(countColour(image, QColor(0, 0, 255), around(pixelOf(0.6, 0), 3)), 0);
}

void tst_AirfoilView::ringsKeepTheirSizeWhenMagnified() {
    Points p;
    p.N = 1;
    p.X[1] = 0.5;
    p.Y[1] = 0;
    const int atOne = countColour(p.render(1), QColor(255, 0, 0));
    const int atTwentyOne = countColour(p.render(21), QColor(255, 0, 0));
    QVERIFY(atOne > 0);
    QCOMPARE(atTwentyOne, atOne);
}

void tst_AirfoilView::panMovesAirfoilOutOfView() {
    Points p;
    p.N = 2;
    p.X[1] = 1, p.X[2] = 0;
    p.Y[1] = p.Y[2] = 0.01;
    QVERIFY(countColour(p.render(1, 0, 0), QColor(255, 0, 0)) > 0);
    // X0 = 5 puts the chord at view x -5.5..-4.5; Y0 = 2 puts it two units below.
    QCOMPARE(countColour(p.render(1, 5, 0), QColor(255, 0, 0)), 0);
    QCOMPARE(countColour(p.render(1, 0, 2), QColor(255, 0, 0)), 0);
    QVERIFY(countColour(p.render(1, 5, 0), QColor(150, 150, 150)) >= 790);
}

void tst_AirfoilView::hugeCoordinatesAreClipped() {
    Points p;
    p.N = 3;
    p.X[1] = 1e300, p.Y[1] = -1e300;
    p.X[2] = 0.5, p.Y[2] = 0;
    p.X[3] = -std::numeric_limits<double>::max(), p.Y[3] = 1e300;
    const QImage image = p.render(21);
    // The rings far away are gone, while the segments still reach the visible point.
    QVERIFY(countColour(image, QColor(255, 0, 0), around(pixelOf(0.5, 0), 4)) > 0);
}

void tst_AirfoilView::pictureSurvivesHideAndShow() {
    Form_Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Module_Common &ws = common();
    ws.Scale = 1;
    ws.N = 1;
    ws.X[1] = 0.5;
    ws.Y[1] = 0.05;
    window.Show_Airfoil(ws.N, ws.X, ws.Y, ws.niValue(), ws.XN, ws.YN);
    auto *view = window.findChild<AirfoilView *>(QStringLiteral("Picture_Airfoil"));
    const QImage before = view->picture();
    QVERIFY(countColour(before, QColor(255, 0, 0)) > 0);

    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(window.size() + QSize(40, 40));
    QCOMPARE(view->picture(), before);
    const QImage onScreen = view->grab().toImage();
    QVERIFY(countColour(onScreen, QColor(255, 0, 0), around(pixelOf(0.5, 0.05), 5)) > 0);
}

void tst_AirfoilView::stampedRingSitsWhereDrawnOne_data() {
    QTest::addColumn<bool>("old");
    QTest::addColumn<QPointF>("centre");
    for (const bool old : {true, false}) {
        const QByteArray colour = old ? "red ring " : "blue ring ";
        QTest::newRow(colour + "inside") << old << QPointF(400, 100);
        QTest::newRow(colour + "cut by the left edge") << old << QPointF(-0.5, 100);
        QTest::newRow(colour + "cut by the bottom edge") << old << QPointF(600, 199.5);
        QTest::newRow(colour + "in the top left corner") << old << QPointF(-0.5, -0.5);
    }
}

void tst_AirfoilView::stampedRingSitsWhereDrawnOne() {
    QFETCH(bool, old);
    QFETCH(QPointF, centre);
    const QColor colour = old ? QColor(255, 0, 0) : QColor(0, 0, 255);
    // Every sub-pixel position of the centre in steps of an eighth of a pixel.
    for (int i = 0; i < 64; ++i) {
        const QPointF at = centre + QPointF((i % 8) / 8.0, (i / 8) / 8.0);
        Points p;
        p.N = old ? 1 : 0, p.NI = old ? 0 : 1;
        putAt(old ? p.X : p.XN, old ? p.Y : p.YN, 1, at);
        const QPointF drawn = centroid(p.render(1, 0, 0, RingDrawing::Exact), colour, at.toPoint());
        const QPointF off = centroid(p.render(), colour, at.toPoint()) - drawn;
        QVERIFY(drawn.x() > -20);
        QVERIFY2(std::abs(off.x()) <= 0.5 && std::abs(off.y()) <= 0.5,
                 qPrintable(QString::number(i)));
    }
}

void tst_AirfoilView::stampingChangesNothingElse() {
    // A zigzag of points read across the top and bottom edges and off both sides, new points
    // between them.
    Points p;
    p.N = 40, p.NI = 39;
    std::vector<QPointF> centres;
    for (int i = 1; i <= 40; ++i) {
        centres.emplace_back(-30 + 22.3 * i, i % 2 ? -2.5 : 201.7);
        putAt(p.X, p.Y, i, centres.back());
        centres.emplace_back(-19 + 22.3 * i, 100.4 + i);
        putAt(p.XN, p.YN, i, centres.back());
    }
    const QImage drawn = p.render(1, 0, 0, RingDrawing::Exact);
    const QImage stamped = p.render();
    // Away from the rings (3.3 pixels across at most) segments, centre lines and background are
    // the same pixel for pixel; and no colour appears that the reference does not draw.
    int segmentPixels = 0;
    std::set<QRgb> drawnColours, stampedColours;
    for (int y = 0; y < kSurface.height(); ++y) {
        for (int x = 0; x < kSurface.width(); ++x) {
            drawnColours.insert(drawn.pixel(x, y));
            stampedColours.insert(stamped.pixel(x, y));
            if (std::none_of(centres.begin(), centres.end(), [&](QPointF c) {
                    return std::abs(c.x() - x) < 6 && std::abs(c.y() - y) < 6;
                })) {
                QCOMPARE(stamped.pixel(x, y), drawn.pixel(x, y));
                segmentPixels += drawn.pixelColor(x, y) == QColor(255, 0, 0);
            }
        }
    }
    QVERIFY(segmentPixels > 2000);
    QCOMPARE(stampedColours, drawnColours);
}

QTEST_MAIN(tst_AirfoilView)
#include "tst_airfoilview.moc"
