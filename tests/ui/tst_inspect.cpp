// SPDX-License-Identifier: MIT
// View -> Inspect…: one window that follows the working set, plots the mouse moves, pictures.
#include "support/Contours.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "ui/Form_Inspect.h"
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

#include <unistd.h>

using namespace tessaro;

class tst_Inspect : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() {
        QVERIFY(fx.makeFolder());
        writeFile(*fx.dir, QStringLiteral("foil.arf"), arfText("Foil", nacaSymmetric(41)));
        QVERIFY(fx.showWindow());
    }
    void cleanup() { fx.tearDown(); }

    void oneWindowFromTheMenu();
    void followsLoadAndCalculation();
    void mouseZoomsPansAndFits();
    void savesEachFormat_data();
    void savesEachFormat();
    void refusedWriteLeavesNothing_data();
    void refusedWriteLeavesNothing();

  private:
    Form_Inspect *openInspect() {
        fx.child<QAction>("Mn_Inspect")->trigger();
        return fx.window->inspectWindow();
    }
    void loadAndCalculate() {
        fx.openPanel();
        QVERIFY(fx.clickFile(QStringLiteral("foil.arf")));
        fx.child<QLineEdit>("Text_NI")->setText(QStringLiteral("81"));
        fx.child<QLineEdit>("Text_nPoly")->setText(QStringLiteral("3"));
        QTest::mouseClick(fx.child<QPushButton>("Command1"), Qt::LeftButton);
    }
    static QXYSeries *series(Form_Inspect *inspect, const char *view, const char *name) {
        return findControl<PlotView>(inspect, view)->chart()->findChild<QXYSeries *>(name);
    }
    // Saves through the button and its dialog, as a user does.
    static void saveAs(Form_Inspect *inspect, const QString &path) {
        QTest::mouseClick(findControl<QPushButton>(inspect, "Command_SavePlot"), Qt::LeftButton);
        auto *dialog = findControl<QFileDialog>(inspect, "Dialog_SavePlot");
        QVERIFY(dialog->isVisible() && dialog->testOption(QFileDialog::DontUseNativeDialog));
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog hides its accept()
    }

    WindowFixture fx;
};

void tst_Inspect::oneWindowFromTheMenu() {
    auto *action = fx.child<QAction>("Mn_Inspect");
    QCOMPARE(action->text(), QString::fromUtf8("Inspect…"));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));

    Form_Inspect *first = openInspect();
    QVERIFY(first && first->isVisible() && first->isWindow() && !first->isModal());
    QCOMPARE(openInspect(), first);
    QCOMPARE(fx.window->findChildren<Form_Inspect *>().size(), 1);
    QCOMPARE(first->windowTitle(), QStringLiteral("Inspect")); // nothing loaded yet
}

void tst_Inspect::followsLoadAndCalculation() {
    Form_Inspect *inspect = openInspect();
    fx.openPanel();
    QVERIFY(fx.clickFile(QStringLiteral("foil.arf")));
    QCOMPARE(inspect->windowTitle(), QString::fromUtf8("foil.arf — points read, not calculated"));
    QCOMPARE(series(inspect, "Plot_Contour", "readContour")->count(), 41);
    QCOMPARE(series(inspect, "Plot_Contour", "newContour")->count(), 0);
    QCOMPARE(series(inspect, "Plot_Curvature", "readCurvature")->count(), 0);

    loadAndCalculate();
    QCOMPARE(inspect->windowTitle(),
             QString::fromUtf8("foil.arf — 81 new points, Lagrange, order 3"));
    // Red rings for the points read (curvature and misses not at the two ends), blue dots for
    // the new points.
    for (const auto &[view, name, count] : {std::tuple{"Plot_Contour", "readContour", 41},
                                            std::tuple{"Plot_Curvature", "readCurvature", 39},
                                            std::tuple{"Plot_Deviation", "readDeviation", 39},
                                            std::tuple{"Plot_Contour", "newContour", 81},
                                            std::tuple{"Plot_Curvature", "newCurvature", 79}}) {
        auto *marks = static_cast<QScatterSeries *>(series(inspect, view, name));
        const bool read = QByteArray(name).startsWith("read");
        QCOMPARE(marks->count(), count);
        QCOMPARE(marks->pen().color(), read ? QColor(220, 0, 0) : QColor(0, 0, 200));
        QCOMPARE(marks->brush().style(), read ? Qt::NoBrush : Qt::SolidPattern);
    }
    auto *deviations = series(inspect, "Plot_Deviation", "newDeviation");
    QCOMPARE(deviations->count(), 81);
    QCOMPARE(deviations->at(0).y(), 1e-9); // the trailing edge is a point read: on the floor
    QVERIFY(series(inspect, "Plot_Deviation", "worstRead")->name().startsWith("point "));
    QVERIFY(series(inspect, "Plot_Deviation", "worstNew")->name().startsWith("new point "));
    fx.child<QCheckBox>("Check_LeadingEdge")->setChecked(true);
    QTest::mouseClick(fx.child<QPushButton>("Command1"), Qt::LeftButton);
    QCOMPARE(inspect->windowTitle(), QString::fromUtf8("foil.arf — 81 new points, Lagrange, "
                                                       "order 3, normalised at the true leading "
                                                       "edge"));

    // A closed window is not followed, and opens on the working set as it is by then.
    inspect->close();
    fx.openPanel();
    QVERIFY(fx.clickFile(QStringLiteral("foil.arf")));
    QVERIFY(inspect->windowTitle().endsWith(QStringLiteral("normalised at the true leading edge")));
    QCOMPARE(openInspect(), inspect);
    QCOMPARE(series(inspect, "Plot_Contour", "newContour")->count(), 0);
}

void tst_Inspect::mouseZoomsPansAndFits() {
    loadAndCalculate();
    Form_Inspect *inspect = openInspect();
    QVERIFY(QTest::qWaitForWindowExposed(inspect));
    auto *view = findControl<PlotView>(inspect, "Plot_Contour");
    QChart *chart = view->chart();
    auto *x = static_cast<QValueAxis *>(chart->axes(Qt::Horizontal).front());
    auto *y = static_cast<QValueAxis *>(chart->axes(Qt::Vertical).front());
    const auto equalScales = [&] {
        const QRectF plot = chart->plotArea();
        const double ratio =
            (x->max() - x->min()) / plot.width() / ((y->max() - y->min()) / plot.height());
        return std::fabs(ratio - 1) < 1e-6;
    };
    QTRY_VERIFY(equalScales());
    const double fitted = x->max() - x->min();

    const QPoint at =
        view->mapFromScene(chart->mapToScene(chart->plotArea().center() + QPointF(100, 10)));
    const QPointF under = chart->mapToValue(chart->mapFromScene(view->mapToScene(at)));
    QWheelEvent wheel(at, view->mapToGlobal(at), {}, QPoint(0, 240), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QVERIFY(std::fabs((x->max() - x->min()) * 1.25 * 1.25 / fitted - 1) < 1e-9);
    const QPointF still = chart->mapToValue(chart->mapFromScene(view->mapToScene(at)));
    // The point under the pointer stays there, but for the pixel or two by which the axis
    // labels, grown a digit, push the plot.
    const double pixel = (x->max() - x->min()) / chart->plotArea().width();
    QVERIFY(std::fabs(still.x() - under.x()) < 3 * pixel);
    QVERIFY(std::fabs(still.y() - under.y()) < 3 * pixel);
    QTRY_VERIFY(equalScales()); // once the chart has laid out its labels again

    // Dragging 50 pixels right and down moves the data with the pointer.
    const double perPixel = (x->max() - x->min()) / chart->plotArea().width();
    const double left = x->min(), bottom = y->min();
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseMove(view->viewport(), at + QPoint(50, 50));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at + QPoint(50, 50));
    QVERIFY(std::fabs((left - x->min()) / perPixel - 50) < 0.5);
    QVERIFY(std::fabs((y->min() - bottom) / perPixel - 50) < 0.5);

    // resize keeps equal scales; a double click fits again.
    inspect->resize(inspect->width() + 200, inspect->height() - 100);
    QTRY_VERIFY(equalScales());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    QVERIFY(x->min() < 0 && x->max() > 1 && equalScales());

    // The two plots along the contour share their angle range.
    auto *curvature = findControl<PlotView>(inspect, "Plot_Curvature");
    auto *deviation = findControl<PlotView>(inspect, "Plot_Deviation");
    curvature->zoomAbout(curvature->chart()->plotArea().center(), 3);
    const auto range = [](PlotView *v) {
        auto *axis = static_cast<QValueAxis *>(v->chart()->axes(Qt::Horizontal).front());
        return std::pair(axis->min(), axis->max());
    };
    QVERIFY(range(curvature).second - range(curvature).first < 3);
    QCOMPARE(range(deviation), range(curvature));
}

void tst_Inspect::savesEachFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("png") << "a.png"
                         << "a.png" << QByteArray("\x89PNG");
    QTest::newRow("svg, upper case") << "a.SVG"
                                     << "a.SVG" << QByteArray("<?xml");
    QTest::newRow("pdf") << "a.pdf"
                         << "a.pdf" << QByteArray("%PDF");
    QTest::newRow("no extension: png") << "a"
                                       << "a.png" << QByteArray("\x89PNG");
    QTest::newRow("another extension: png") << "a.jpg"
                                            << "a.jpg.png" << QByteArray("\x89PNG");
}

void tst_Inspect::savesEachFormat() {
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(QByteArray, magic);
    loadAndCalculate();
    Form_Inspect *inspect = openInspect();
    MessageRecorder messages;
    saveAs(inspect, fx.path(name));
    QCOMPARE(messages.texts, QStringList());
    const QByteArray bytes = readBytes(fx.path(written));
    QVERIFY2(bytes.startsWith(magic), bytes.left(16).constData());
    QCOMPARE(QDir(fx.path({})).entryList(QDir::Files).size(), 2); // foil.arf and the picture
    if (magic.startsWith("\x89PNG"))
        QCOMPARE(QImage::fromData(bytes).size(), inspect->size() * 2);
    if (magic == "<?xml")
        QVERIFY(bytes.contains("<svg"));
}

void tst_Inspect::refusedWriteLeavesNothing_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "missing"
                                    << "the folder";
    QTest::newRow("read-only folder") << "locked"
                                      << "permission denied";
    QTest::newRow("/proc, which takes no new file even from root") << "/proc"
                                                                   << "";
}

void tst_Inspect::refusedWriteLeavesNothing() {
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    if (folder == "locked") {
        if (::geteuid() == 0)
            QSKIP("file permissions do not hold for root");
        QVERIFY(QDir().mkdir(fx.path(folder)));
        QVERIFY(QFile::setPermissions(fx.path(folder), QFile::ReadOwner | QFile::ExeOwner));
    }
    Form_Inspect *inspect = openInspect();
    MessageRecorder messages;
    folder = folder.startsWith('/') ? folder : fx.path(folder);
    saveAs(inspect, folder + "/plots.pdf");
    if (folder.endsWith("locked"))
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].startsWith("Could not save \"plots.pdf\": " + reason),
             qPrintable(messages.texts[0]));
    QVERIFY(!QFile::exists(folder + "/plots.pdf"));
    QCOMPARE(QDir(folder).entryList({"plots*"}, QDir::Files).size(), 0);
}

QTEST_MAIN(tst_Inspect)
#include "tst_inspect.moc"
