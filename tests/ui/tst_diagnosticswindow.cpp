// SPDX-License-Identifier: MIT
// View -> Inspect…: one window that follows the working set, plots the mouse moves, pictures.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/PlotView.h"

#include <QChart>
#include <QCheckBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>

using namespace tessaro;

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
