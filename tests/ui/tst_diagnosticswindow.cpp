// SPDX-License-Identifier: MIT
// View -> Inspect…: one window that follows the working set, plots the mouse moves, pictures.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"
#include "support/WindowFixture.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/PlotView.h"

#include <QChart>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>

using namespace tessaro;

namespace {

// A small closed section scaled by `scale`, as a coordinate file.
QByteArray scaledSection(const char *title, double scale) {
    const double points[][2] = {{1, 0}, {0.5, 0.06}, {0, 0}, {0.5, -0.06}, {1, 0}};
    QByteArray text = QByteArray(title) + "\r\n 5 \r\n";
    for (int i = 0; i < 5; ++i)
        text += QByteArray::number(i + 1) + ' ' +
                QByteArray::number(points[i][0] * scale, 'g', 17) + ' ' +
                QByteArray::number(points[i][1] * scale, 'g', 17) + "\r\n";
    return text;
}

} // namespace

class tst_DiagnosticsWindow : public QObject {
    Q_OBJECT

    WindowFixture fx;

    Form_Inspect *openInspect() {
        fx.child<QAction>("Mn_Inspect")->trigger();
        return fx.window->inspectWindow();
    }
    void load() {
        fx.openPanel();
        QVERIFY(fx.clickFile(QStringLiteral("foil.arf")));
    }
    void calculate(bool leadingEdge = false) {
        fx.child<QLineEdit>("Text_NI")->setText(QStringLiteral("81"));
        fx.child<QLineEdit>("Text_nPoly")->setText(QStringLiteral("3"));
        fx.child<QCheckBox>("Check_LeadingEdge")->setChecked(leadingEdge);
        QTest::mouseClick(fx.child<QPushButton>("Command1"), Qt::LeftButton);
    }
    static QXYSeries *series(Form_Inspect *inspect, const char *view, const char *name) {
        return findControl<PlotView>(inspect, view)->chart()->findChild<QXYSeries *>(name);
    }
    static QValueAxis *axis(PlotView *view, Qt::Orientation orientation) {
        return static_cast<QValueAxis *>(view->chart()->axes(orientation).front());
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        QVERIFY(fx.makeFolder());
        writeFile(*fx.dir, QStringLiteral("foil.arf"), arfText("Foil", nacaSymmetric(41)));
        QVERIFY(fx.showWindow());
    }
    void cleanup() { fx.tearDown(); }

    void opensOnceAndFollowsTheWorkingSet() {
        Form_Inspect *inspect = openInspect();
        QVERIFY(inspect && inspect->isVisible() && inspect->isWindow() && !inspect->isModal());
        QCOMPARE(openInspect(), inspect);
        QCOMPARE(fx.window->findChildren<Form_Inspect *>().size(), 1);
        QCOMPARE(inspect->windowTitle(), QStringLiteral("Inspect")); // nothing loaded yet

        // Red rings for the points read (curvature and misses not at the two ends), blue dots for
        // the new points; counts before and after a calculation.
        const std::tuple<const char *, const char *, int, int> plotted[] = {
            {"Plot_Contour", "readContour", 41, 41},
            {"Plot_Curvature", "readCurvature", 0, 39},
            {"Plot_Deviation", "readDeviation", 0, 39},
            {"Plot_Contour", "newContour", 0, 81},
            {"Plot_Curvature", "newCurvature", 0, 79}};
        load();
        QCOMPARE(inspect->windowTitle(),
                 QString::fromUtf8("foil.arf — points read, not calculated"));
        for (const auto &[view, name, before, after] : plotted)
            QCOMPARE(series(inspect, view, name)->count(), before);
        calculate();
        const QString calculated = QString::fromUtf8("foil.arf — 81 new points, Lagrange, order 3");
        QCOMPARE(inspect->windowTitle(), calculated);
        for (const auto &[view, name, before, after] : plotted) {
            auto *marks = static_cast<QScatterSeries *>(series(inspect, view, name));
            const bool read = QByteArray(name).startsWith("read");
            QCOMPARE(marks->count(), after);
            QCOMPARE(marks->pen().color(), read ? QColor(220, 0, 0) : QColor(0, 0, 200));
            QCOMPARE(marks->brush().style(), read ? Qt::NoBrush : Qt::SolidPattern);
        }
        auto *deviations = series(inspect, "Plot_Deviation", "newDeviation");
        QCOMPARE(deviations->count(), 81);
        QCOMPARE(deviations->at(0).y(), 1e-9); // the trailing edge is a point read: on the floor
        QVERIFY(series(inspect, "Plot_Deviation", "worstRead")->name().startsWith("point "));
        QVERIFY(series(inspect, "Plot_Deviation", "worstNew")->name().startsWith("new point "));
        calculate(true);
        const QString normalised = calculated + ", normalised at the true leading edge";
        QCOMPARE(inspect->windowTitle(), normalised);

        // A closed window is not followed, and opens on the working set as it is by then.
        inspect->close();
        load();
        QCOMPARE(inspect->windowTitle(), normalised);
        QCOMPARE(openInspect(), inspect);
        QCOMPARE(series(inspect, "Plot_Contour", "newContour")->count(), 0);
    }

    // The wheel zooms about the pointer and a double click fits, with equal scales in x and y
    // throughout; the two plots along the contour share their angle range.
    void mouseZoomsAndFits() {
        load();
        calculate();
        Form_Inspect *inspect = openInspect();
        QVERIFY(QTest::qWaitForWindowExposed(inspect));
        auto *view = findControl<PlotView>(inspect, "Plot_Contour");
        QChart *chart = view->chart();
        QValueAxis *x = axis(view, Qt::Horizontal), *y = axis(view, Qt::Vertical);
        const auto equalScales = [&] {
            return std::fabs((x->max() - x->min()) / chart->plotArea().width() /
                                 ((y->max() - y->min()) / chart->plotArea().height()) -
                             1) < 1e-6;
        };
        QTRY_VERIFY(equalScales());
        const double fitted = x->max() - x->min();
        const QPoint at = view->mapFromScene(chart->mapToScene(chart->plotArea().center()));
        QWheelEvent wheel(at, view->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QVERIFY(std::fabs((x->max() - x->min()) * 1.25 * 1.25 / fitted - 1) < 1e-9);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(x->min() < 0 && x->max() > 1);
        QTRY_VERIFY(equalScales());

        auto *curvature = findControl<PlotView>(inspect, "Plot_Curvature");
        QValueAxis *angle = axis(curvature, Qt::Horizontal);
        QValueAxis *shared = axis(findControl<PlotView>(inspect, "Plot_Deviation"), Qt::Horizontal);
        curvature->zoomAbout(curvature->chart()->plotArea().center(), 3);
        QCOMPARE(std::pair(shared->min(), shared->max()), std::pair(angle->min(), angle->max()));
    }

    // Loading these with Inspect open once froze the window: the contour axes kept a tick interval
    // sized for the last range while they were handed one 1e9 times wider. Every step is a queued
    // call that must leave the event loop free within 10 s; sections that cannot be plotted say
    // why in place of the plots, and the last file is drawn.
    void loadsInTurnWithoutBlocking_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("nothing"); // why nothing is plotted; empty: plotted
        const std::pair<const char *, QString> steps[] = {
            {"one.arf", QStringLiteral("the section has only one point")},
            {"two.arf", QString()},
            {"samex.arf", QStringLiteral("every point has the same x")},
            {"samey.arf", QStringLiteral("every point has the same y")},
            {"huge.arf", QStringLiteral("coordinates as large as 1e+300 cannot be drawn")},
            {"tiny.arf", QString()},
        };
        QStringList all, allNothing;
        for (const auto &[file, nothing] : steps) {
            QTest::newRow(file) << QStringList{file, "naca2412.arf"} << QStringList{nothing, {}};
            all << file;
            allNothing << nothing;
        }
        QTest::newRow("all in turn")
            << all + QStringList{"naca2412.arf"} << allNothing + QStringList{QString()};
    }
    void loadsInTurnWithoutBlocking() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, nothing);
        writeFile(*fx.dir, "one.arf", "One\r\n 1 \r\n 1 0.5 0.25\r\n");
        writeFile(*fx.dir, "two.arf", "Two\r\n 2 \r\n 1 1 0\r\n 2 0 0.05\r\n");
        writeFile(*fx.dir, "samex.arf", "X\r\n 3 \r\n 1 0.5 0.1\r\n 2 0.5 0\r\n 3 0.5 -0.1\r\n");
        writeFile(*fx.dir, "samey.arf", "Y\r\n 3 \r\n 1 1 0\r\n 2 0.5 0\r\n 3 0 0\r\n");
        writeFile(*fx.dir, "huge.arf", scaledSection("Huge", 1e300));
        writeFile(*fx.dir, "tiny.arf", scaledSection("Tiny", 1e-300));
        QVERIFY(QFile::copy(TESSARO_SAMPLES_DIR "/naca2412.arf", fx.path("naca2412.arf")));
        Form_Inspect *inspect = openInspect();
        QVERIFY(QTest::qWaitForWindowExposed(inspect));
        auto *contour = findControl<PlotView>(inspect, "Plot_Contour");
        auto *label = findControl<QLabel>(inspect, "Label_NothingToPlot");

        Watchdog watchdog(std::chrono::seconds(10));
        for (qsizetype i = 0; i < files.size(); ++i) {
            QElapsedTimer clock;
            clock.start();
            const QByteArray step = files[i].toUtf8();
            watchdog.arm(step.constData());
            bool loaded = false, idle = false;
            QMetaObject::invokeMethod(
                fx.window.get(),
                [&] {
                    fx.openPanel();
                    loaded = fx.clickFile(files[i]);
                    // Runs after whatever the load queued.
                    QMetaObject::invokeMethod(
                        fx.window.get(), [&] { idle = true; }, Qt::QueuedConnection);
                },
                Qt::QueuedConnection);
            QTRY_VERIFY_WITH_TIMEOUT(idle, 10000);
            QTest::qWait(20); // the queued equal-scale fit
            watchdog.disarm();
            QVERIFY(loaded);
            QVERIFY2(clock.elapsed() < 10000, qPrintable(files[i]));

            // The reason stands in the plots' place, over them.
            QCOMPARE(label->isVisible(), !nothing[i].isEmpty());
            const QPoint middle = contour->mapTo(inspect, contour->rect().center());
            QCOMPARE(inspect->childAt(middle) == label, !nothing[i].isEmpty());
            if (!nothing[i].isEmpty()) {
                QCOMPARE(label->text(), "Nothing to plot: " + nothing[i]);
                continue;
            }
            for (const Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
                const QValueAxis *a = axis(contour, o);
                QVERIFY2(std::isfinite(a->min()) && std::isfinite(a->max()) && a->max() > a->min(),
                         qPrintable(files[i]));
                // The interval in force fits the range: a handful of ticks, not billions.
                QCOMPARE(a->tickType(), QValueAxis::TicksDynamic);
                QVERIFY((a->max() - a->min()) / a->tickInterval() < 40);
            }
        }
        // The last file is drawn: its red rings show on the contour plot.
        QCOMPARE(series(inspect, "Plot_Contour", "readContour")->count(), 61);
        const QImage shot = contour->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
            }
        }
        QVERIFY2(red > 200, qPrintable(QString::number(red)));

        // A zoom out by a billion at once: the chart sets these ranges itself.
        watchdog.arm("zoom");
        contour->zoomAbout(contour->chart()->plotArea().center(), 1e-9);
        watchdog.disarm();
        for (const Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
            const QValueAxis *a = axis(contour, o);
            QVERIFY(a->max() - a->min() > 1e8 && (a->max() - a->min()) / a->tickInterval() < 40);
        }
    }

    // The three formats by extension, png for a name without one; any other extension is refused,
    // as is a write that fails, saying why and leaving nothing.
    void savesPicturesOrRefuses_data() {
        QTest::addColumn<QString>("name");     // in the test's folder unless absolute
        QTest::addColumn<QByteArray>("start"); // of the picture, or of the refusal's reason
        QTest::addColumn<QString>("written");  // none when the write is refused
        QTest::newRow("png") << "a.png" << QByteArray("\x89PNG") << "a.png";
        QTest::newRow("svg, upper case") << "a.SVG" << QByteArray("<?xml") << "a.SVG";
        QTest::newRow("pdf") << "a.pdf" << QByteArray("%PDF") << "a.pdf";
        QTest::newRow("no extension: png") << "a" << QByteArray("\x89PNG") << "a.png";
        QTest::newRow("another extension: refused")
            << "plots.jpg"
            << QByteArray("a picture is saved as PNG, SVG or PDF; end the name in "
                          ".png, .svg or .pdf.")
            << "";
        QTest::newRow("missing folder") << "missing/plots.pdf" << QByteArray("the folder") << "";
        QTest::newRow("/proc, which takes no new file even from root")
            << "/proc/plots.pdf" << QByteArray() << "";
    }
    void savesPicturesOrRefuses() {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QFETCH(QString, written);
        load();
        calculate();
        Form_Inspect *inspect = openInspect();
        MessageRecorder messages;
        // Through the button and its dialog, as a user saves.
        QTest::mouseClick(findControl<QPushButton>(inspect, "Command_SavePlot"), Qt::LeftButton);
        auto *dialog = findControl<QFileDialog>(inspect, "Dialog_SavePlot");
        QVERIFY(dialog->isVisible() && dialog->testOption(QFileDialog::DontUseNativeDialog));
        dialog->selectFile(fx.path(name));
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its accept()

        // No temporary file stays behind.
        const QStringList files =
            written.isEmpty() ? QStringList{"foil.arf"} : QStringList{written, "foil.arf"};
        QCOMPARE(QDir(fx.path({})).entryList(QDir::Files), files);
        QCOMPARE(messages.texts.size(), written.isEmpty() ? 1 : 0);
        if (written.isEmpty()) {
            const QString shown = QFileInfo(name).fileName();
            QVERIFY2(messages.texts[0].startsWith("Could not save \"" + shown + "\": " + start),
                     qPrintable(messages.texts[0]));
            QCOMPARE(QFileInfo(fx.path(name)).dir().entryList({"plots*"}, QDir::Files),
                     QStringList());
            return;
        }
        const QByteArray bytes = readBytes(fx.path(written));
        QVERIFY2(bytes.startsWith(start), bytes.left(16).constData());
        if (start.startsWith("\x89PNG"))
            QCOMPARE(QImage::fromData(bytes).size(), inspect->size() * 2);
        QVERIFY(start != "<?xml" || bytes.contains("<svg"));
    }
};

QTEST_MAIN(tst_DiagnosticsWindow)
#include "tst_diagnosticswindow.moc"
