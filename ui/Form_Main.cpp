// SPDX-License-Identifier: MIT
#include "ui/Form_Main.h"

#include "common/MessageService.h"
#include "common/NumberText.h"
#include "common/TitleText.h"
#include "io/AirfoilImport.h"
#include "io/ArfReader.h"
#include "io/ArfWriter.h"
#include "io/ResultFile.h"
#include "numerics/Calculation.h"
#include "numerics/ContourDiagnostics.h"
#include "numerics/QualityFigures.h"
#include "numerics/QualityText.h"
#include "numerics/Warnings.h"
#include "ui/AirfoilView.h"
#include "ui/ArrowKeys.h"
#include "ui/CountField.h"
#include "ui/DiagnosticsWindow.h"
#include "ui/FileBrowser.h"
#include "ui/FileDialogs.h"
#include "ui/Form_About.h"
#include "ui/MenuShortcuts.h"
#include "ui/OptionTabStop.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace {

const QString kCaption =
    QStringLiteral("Tessaro -  Redists Airfoil coordinates by using interpolation polynomials");
const QSize kClientSize{840, 359};
const QColor kWindowGrey{192, 192, 192};
const QColor kTitleRed{255, 0, 0};
const QColor kTitleBlue{0, 0, 192};
const QColor kDisabledText{112, 112, 112};
const QString kOwnTrailingEdgesCaption = QStringLiteral("Keep each surface's own trailing edge");
const QString kLeadingEdgeCaption = QStringLiteral("Normalise at the true leading edge");
// Pixels between a label's text and its right edge.
constexpr int kLabelEndRoom = 4;
const QColor kWarningRed = Qt::darkRed;
// Three warnings at once, with their numbers at full length, fill three lines of the status bar.
constexpr int kWarningLines = 3;
// How long a confirmation stands.
constexpr int kConfirmationMs = 5000;

// The layout is sized for a small sans-serif face of Arial's widths.
QFont clientFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")});
    font.setPixelSize(11);
    return font;
}

template <typename Widget, typename... Args>
Widget *place(QWidget *parent, const char *name, QRect geometry, Args &&...args) {
    auto *widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

void setColours(QWidget *widget, const QColor &background, const QColor &text = QColor()) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    if (text.isValid())
        palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Frames are opaque, so a shown panel hides what lies under it.
QGroupBox *frame(QWidget *parent, const char *name, QRect geometry) {
    auto *box = place<QGroupBox>(parent, name, geometry);
    setColours(box, kWindowGrey);
    return box;
}

// The first of the given siblings ends up on top, the last at the bottom.
void stackTopFirst(std::initializer_list<QWidget *> topToBottom) {
    for (auto it = std::rbegin(topToBottom); it != std::rend(topToBottom); ++it)
        (*it)->raise();
}

QScrollBar *scrollBar(QWidget *parent, const char *name, QRect geometry,
                      Qt::Orientation orientation, int minimum, int maximum, int value) {
    auto *bar = place<QScrollBar>(parent, name, geometry, orientation);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setSingleStep(1);
    bar->setPageStep(5);
    bar->setFocusPolicy(Qt::StrongFocus);
    // A dragged thumb changes the value only when it is released.
    bar->setTracking(false);
    stepWithArrowButtons(bar);
    return bar;
}

// Sets a label's text against its right edge, `room` pixels short of it, narrowing the face
// just enough for the whole text to fit (the "=" of a label ending in one would touch the edge).
void fitTextWithRoom(QLabel *label, int room) {
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setIndent(room);
    QFont font = label->font();
    for (int stretch = 100; stretch > 80; --stretch) {
        font.setStretch(stretch);
        if (QFontMetricsF(font).horizontalAdvance(label->text()) + room + 1 <= label->width())
            break;
    }
    label->setFont(font);
}

// The bar's own message hides the bar's widgets while it stands, so a confirmation is shown on a
// line of its own above the warning; the bar still keeps and times it.
void shareStatusBar(QStatusBar *bar, QLabel *warning) {
    auto *panel = new QWidget(bar);
    panel->setObjectName(QStringLiteral("Panel_Status"));
    // Opaque, over the place where the bar would paint its message itself.
    panel->setAutoFillBackground(true);
    auto *confirmation = new QLabel(panel);
    confirmation->setObjectName(QStringLiteral("Label_Confirmation"));
    confirmation->setTextFormat(Qt::PlainText);
    confirmation->setContentsMargins(4, 2, 4, 0);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(confirmation);
    layout->addWidget(warning);
    bar->addPermanentWidget(panel, 1);
    QObject::connect(bar, &QStatusBar::messageChanged, confirmation, &QLabel::setText);
}

// The bar position nearest to `position`, within the bar's range.
int nearestPosition(const QScrollBar *bar, double position) {
    return int(std::clamp(std::round(position), double(bar->minimum()), double(bar->maximum())));
}

} // namespace

Form_Main::Form_Main(QWidget *parent) : QMainWindow(parent) {
    startUpCommon();
    setWindowTitle(kCaption);
    buildControls();
    buildMenu();
    setTabOrderChain();
    connectHandlers();
    Picture_Airfoil->draw(AirfoilScene{});
}

Form_Main::~Form_Main() = default;

Form_About *Form_Main::aboutWindow() const {
    return about;
}

Form_Inspect *Form_Main::inspectWindow() const {
    return inspect;
}

void Form_Main::buildControls() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Form_Main_Client"));
    client->setFixedSize(kClientSize);
    client->setFont(clientFont());
    setColours(client, kWindowGrey);
    setCentralWidget(client);

    // Below the client area, which keeps its size: the window grows by the bar's height. A
    // confirmation and the warning share the bar; neither covers the other.
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFont(clientFont());
    StatusBar1->setSizeGripEnabled(false);
    Label_Warning = new QLabel(StatusBar1);
    Label_Warning->setObjectName(QStringLiteral("Label_Warning"));
    Label_Warning->setWordWrap(true);
    Label_Warning->setTextFormat(Qt::PlainText);
    Label_Warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_Warning->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette warningPalette = Label_Warning->palette();
    warningPalette.setColor(QPalette::WindowText, kWarningRed);
    Label_Warning->setPalette(warningPalette);
    // Its text starts where a confirmation's does, and keeps clear of the window's edges.
    Label_Warning->setContentsMargins(4, 2, 4, 2);
    // A wrapped line takes a pixel more than the face's line spacing; 4 for the margins.
    Label_Warning->setFixedHeight(kWarningLines * (QFontMetrics(clientFont()).lineSpacing() + 1) +
                                  4);
    shareStatusBar(StatusBar1, Label_Warning);
    setStatusBar(StatusBar1);

    Frame5 = frame(client, "Frame5", twips(240, 4080, 3735, 975));
    Option_DivDiff = place<QRadioButton>(Frame5, "Option_DivDiff", twips(120, 600, 1815, 255),
                                         QStringLiteral("Divided differences"));
    Text_nPoly =
        place<QLineEdit>(Frame5, "Text_nPoly", twips(3240, 240, 375, 285), QStringLiteral("1"));
    Option_Lagrange = place<QRadioButton>(Frame5, "Option_Lagrange", twips(120, 240, 1935, 255),
                                          QStringLiteral("Lagrange polynomials"));
    Option_Lagrange->setChecked(true);
    Label5 = place<QLabel>(Frame5, "Label5", twips(2520, 240, 615, 255), QStringLiteral("nPoly ="));
    stackTopFirst({Option_DivDiff, Text_nPoly, Option_Lagrange, Label5});

    Frame4 = frame(client, "Frame4", twips(120, 120, 2295, 1695));
    Command_Save = place<QPushButton>(Frame4, "Command_Save", twips(120, 840, 2055, 615),
                                      QStringLiteral("Print new file name and click"));
    Text_Save = place<QLineEdit>(Frame4, "Text_Save", twips(120, 240, 2055, 375));
    stackTopFirst({Command_Save, Text_Save});

    Frame3 = frame(client, "Frame3", twips(120, 0, 5295, 3255));
    File1 = place<FileList>(Frame3, "File1", twips(2880, 240, 2295, 2820));
    Dir1 = place<DirectoryList>(Frame3, "Dir1", twips(120, 600, 2655, 2340));
    Drive1 = place<QComboBox>(Frame3, "Drive1", twips(120, 240, 2655, 315));
    stackTopFirst({File1, Dir1, Drive1});

    Frame2 = frame(client, "Frame2", twips(3240, 120, 5895, 735));
    Command1 = place<QPushButton>(Frame2, "Command1", twips(2760, 240, 2895, 375),
                                  QStringLiteral("Calculate and Show new airfoil points"));
    Text_NI = place<QLineEdit>(Frame2, "Text_NI", twips(2040, 240, 495, 285), QStringLiteral("51"));
    Label1 = place<QLabel>(Frame2, "Label1", twips(240, 240, 1695, 255),
                           QStringLiteral("Number of new points ="));
    fitTextWithRoom(Label1, kLabelEndRoom);
    stackTopFirst({Command1, Text_NI, Label1});

    Frame1 = frame(client, "Frame1", twips(4320, 4080, 3495, 735));
    Text_Scale =
        place<QLineEdit>(Frame1, "Text_Scale", twips(720, 240, 495, 285), QStringLiteral("1"));
    HScroll_Olcek =
        scrollBar(Frame1, "HScroll_Olcek", twips(1200, 240, 2055, 255), Qt::Horizontal, -5, 100, 1);
    Label2 = place<QLabel>(Frame1, "Label2", twips(240, 240, 495, 255), QString::fromUtf8("Ölçek"));
    setColours(Label2, QApplication::palette("QMenu").color(QPalette::Window));
    stackTopFirst({Text_Scale, HScroll_Olcek, Label2});

    Picture_Airfoil = place<AirfoilView>(client, "Picture_Airfoil", twips(120, 960, 12000, 3000));
    VScroll_Y0 = scrollBar(Picture_Airfoil, "VScroll_Y0", twips(11760, 0, 255, 3015), Qt::Vertical,
                           -20, 20, 0);
    HScroll_X0 = scrollBar(Picture_Airfoil, "HScroll_X0", twips(0, 2760, 11775, 255),
                           Qt::Horizontal, -50, 50, 0);
    Label4 = place<QLabel>(Picture_Airfoil, "Label4", twips(6240, 120, 3255, 255));
    setColours(Label4, kViewBackground, kTitleBlue);
    Label3 = place<QLabel>(Picture_Airfoil, "Label3", twips(2400, 120, 3255, 255));
    setColours(Label3, kViewBackground, kTitleRed);
    stackTopFirst({VScroll_Y0, HScroll_X0, Label4, Label3});

    // Right of the scale panel, clear of every other control.
    Frame6 = frame(client, "Frame6", twips(7920, 4080, 4560, 1185));
    Check_TrailingEdges = place<QCheckBox>(Frame6, "Check_TrailingEdges",
                                           twips(120, 120, 4320, 240), kOwnTrailingEdgesCaption);
    Check_LeadingEdge = place<QCheckBox>(Frame6, "Check_LeadingEdge", twips(120, 360, 4320, 240),
                                         kLeadingEdgeCaption);
    // Fusion greys a disabled caption into the frame's grey; keep it readable as greyed out.
    for (QCheckBox *box : {Check_TrailingEdges, Check_LeadingEdge}) {
        QPalette palette = box->palette();
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(QPalette::Disabled, role, kDisabledText);
        box->setPalette(palette);
    }
    Check_LeadingEdge->setToolTip(QStringLiteral(
        "Move, turn and scale the section, x and y alike, so that its true nose (the point of the "
        "contour farthest from the trailing edge) is at 0, 0 and its trailing edge at 1, 0. Each "
        "surface keeps its own trailing edge."));
    // How good the last calculation is; empty until there is one.
    Label6 = place<QLabel>(Frame6, "Label6", twips(120, 600, 4320, 240));
    Label6->setToolTip(QStringLiteral(
        "Order check: the largest error in y when each point read is left out and predicted from "
        "the others with this method and order, so a large figure asks for another order."));
    Label7 = place<QLabel>(Frame6, "Label7", twips(120, 840, 4320, 240));
    Label7->setToolTip(QStringLiteral(
        "Panel fit: the largest distance of a point read from the polygon through the new "
        "points, as a panel code sees it, so a large figure asks for more new points."));

    stackTopFirst({Frame5, Frame4, Frame3, Frame2, Frame1, Picture_Airfoil, Frame6});
    Frame4->hide();
    Frame3->hide();

    // The lists start on the working directory and its file-system root.
    Drive1->addItems(fileSystemRoots());
    if (Dir1->setPath(QDir::currentPath()))
        Dir1->setPath(QDir::rootPath());
    File1->setPath(Dir1->path());
}

void Form_Main::buildMenu() {
    Mn_File = menuBar()->addMenu(QStringLiteral("File"));
    Mn_File->setObjectName(QStringLiteral("Mn_File"));
    Mn_File->menuAction()->setObjectName(QStringLiteral("Mn_File"));
    Mn_Open = Mn_File->addAction(QStringLiteral("Open"));
    Mn_Open->setObjectName(QStringLiteral("Mn_Open"));
    Mn_Save = Mn_File->addAction(QStringLiteral("Save"));
    Mn_Save->setObjectName(QStringLiteral("Mn_Save"));
    Mn_File->addSeparator();
    Mn_Import = Mn_File->addAction(QStringLiteral("Import…"));
    Mn_Import->setObjectName(QStringLiteral("Mn_Import"));
    Mn_Export = Mn_File->addAction(QStringLiteral("Export…"));
    Mn_Export->setObjectName(QStringLiteral("Mn_Export"));
    Mn_File->addSeparator();
    Mn_Quit = Mn_File->addAction(QStringLiteral("Quit"));
    Mn_Quit->setObjectName(QStringLiteral("Mn_Quit"));
    setMenuShortcut(Mn_Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    setMenuShortcut(Mn_Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    setMenuShortcut(Mn_Import, QKeySequence(Qt::CTRL | Qt::Key_I));
    setMenuShortcut(Mn_Export, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    setMenuShortcut(Mn_Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    Mn_View = menuBar()->addMenu(QStringLiteral("View"));
    Mn_View->setObjectName(QStringLiteral("Mn_View"));
    Mn_View->menuAction()->setObjectName(QStringLiteral("Mn_View"));
    Mn_Inspect = Mn_View->addAction(QStringLiteral("Inspect…"));
    Mn_Inspect->setObjectName(QStringLiteral("Mn_Inspect"));
    setMenuShortcut(Mn_Inspect, QKeySequence(Qt::CTRL | Qt::Key_K));
    Mn_About = menuBar()->addAction(QStringLiteral("About"));
    Mn_About->setObjectName(QStringLiteral("Mn_About"));
}

void Form_Main::setTabOrderChain() {
    // The one keyboard order of the controls that take focus; Tab skips those hidden. Of the
    // method options only the checked one is a stop, each at its own place here.
    const QList<QWidget *> chain{
        HScroll_Olcek,
        Text_Scale,
        HScroll_X0,
        VScroll_Y0,
        Text_NI,
        Drive1,
        Dir1,
        File1,
        Text_Save,
        Command_Save,
        Command1,
        Option_Lagrange,
        Text_nPoly,
        Option_DivDiff,
        Check_TrailingEdges,
        Check_LeadingEdge,
    };
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
    new OptionTabStop({Option_Lagrange, Option_DivDiff}, Frame5);
    // The window opens on the first control of the order, not on whichever Qt meets first.
    chain.front()->setFocus(Qt::OtherFocusReason);
}

void Form_Main::connectHandlers() {
    connect(Mn_Open, &QAction::triggered, this, &Form_Main::Mn_Open_Click);
    connect(Mn_Save, &QAction::triggered, this, &Form_Main::Mn_Save_Click);
    connect(Mn_Import, &QAction::triggered, this, &Form_Main::Mn_Import_Click);
    connect(Mn_Export, &QAction::triggered, this, &Form_Main::Mn_Export_Click);
    connect(Mn_About, &QAction::triggered, this, &Form_Main::Mn_About_Click);
    connect(Mn_Quit, &QAction::triggered, this, &Form_Main::Mn_Quit_Click);
    connect(Mn_Inspect, &QAction::triggered, this, &Form_Main::Mn_Inspect_Click);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &Form_Main::Drive1_Change);
    connect(Dir1, &DirectoryList::pathChanged, this, &Form_Main::Dir1_Change);
    connect(File1, &FileList::fileChosen, this, &Form_Main::File1_Click);
    connect(Command_Save, &QPushButton::clicked, this, &Form_Main::Command_Save_Click);
    connect(Command1, &QPushButton::clicked, this, &Form_Main::Command1_Click);
    // The leading-edge mode always keeps each surface's own trailing edge, so the box shows it
    // ticked and fixed while the mode is on, and gets the user's own choice back after.
    connect(Check_LeadingEdge, &QCheckBox::toggled, Check_TrailingEdges,
            [this, ownChoice = false](bool ticked) mutable {
                if (ticked)
                    ownChoice = Check_TrailingEdges->isChecked();
                Check_TrailingEdges->setChecked(ticked || ownChoice);
                Check_TrailingEdges->setEnabled(!ticked);
            });
    for (QLineEdit *field : {Text_NI, Text_nPoly})
        connect(field, &QLineEdit::returnPressed, Command1, &QPushButton::click);
    connect(Text_Save, &QLineEdit::returnPressed, Command_Save, &QPushButton::click);
    connect(HScroll_Olcek, &QScrollBar::valueChanged, this, &Form_Main::HScroll_Olcek_Change);
    connect(HScroll_X0, &QScrollBar::valueChanged, this, &Form_Main::HScroll_X0_Change);
    connect(VScroll_Y0, &QScrollBar::valueChanged, this, &Form_Main::VScroll_Y0_Change);
    connect(Picture_Airfoil, &AirfoilView::wheelSteps, this, &Form_Main::Picture_Airfoil_Wheel);
    connect(Picture_Airfoil, &AirfoilView::dragStarted, this,
            &Form_Main::Picture_Airfoil_DragStart);
    connect(Picture_Airfoil, &AirfoilView::dragged, this, &Form_Main::Picture_Airfoil_Drag);
    connect(Picture_Airfoil, &AirfoilView::doubleClicked, this,
            &Form_Main::Picture_Airfoil_DoubleClick);
}

void Form_Main::Show_Airfoil(int N, const PointArray &X, const PointArray &Y, double NI,
                             const PointArray &XN, const PointArray &YN) {
    const Module_Common &ws = common();
    Label3->setText(decodeTitle(Title));
    Label4->setText(decodeTitle(OutTitle));
    Picture_Airfoil->draw(AirfoilScene{N, &X, &Y, NI, &XN, &YN, ws.Scale, ws.X0, ws.Y0});
}

void Form_Main::redraw() {
    const Module_Common &ws = common();
    Show_Airfoil(ws.N, ws.X, ws.Y, ws.niValue(), ws.XN, ws.YN);
}

void Form_Main::Mn_Open_Click() {
    // Files saved since the list was filled show up too.
    File1->refresh();
    Frame3->show();
}

void Form_Main::Drive1_Change() {
    const QString previous = Dir1->path();
    if (const auto problem = Dir1->setPath(Drive1->currentText())) {
        showMessage(*problem);
        const QSignalBlocker block(Drive1);
        const int back = Drive1->findText(QDir::toNativeSeparators(QDir(previous).rootPath()));
        if (back >= 0)
            Drive1->setCurrentIndex(back);
    }
}

void Form_Main::Dir1_Change(const QString &dir) {
    File1->setPath(dir);
}

void Form_Main::File1_Click() {
    const QString name = File1->fileName();
    if (name.isEmpty())
        return;
    const QString path = QDir(File1->path()).filePath(name);
    Frame3->hide();

    // All or nothing: a file that cannot be read completely leaves everything as it was.
    const ImportResult opened = openArfFile(path);
    if (!opened.file) {
        showMessage(QString::fromUtf8("Hata oluştu"), opened.error);
        return;
    }
    acceptLoad(*opened.file, path);
}

void Form_Main::acceptLoad(const ArfFile &file, const QString &path) {
    Module_Common &ws = common();
    applyLoad(ws, file);
    sectionAsLoaded() = sectionOf(ws);
    Title = file.title;
    OutTitle.clear();
    Label6->clear();
    Label7->clear();
    setWarnings({});
    redraw();
    ws.FileLoaded = true;
    loadedPath = path;
    calculatedWith = InterpMethod::None;
    calculationSettings.clear();
    updateInspect();
    confirm(
        QStringLiteral("%1: %2 points").arg(QFileInfo(path).fileName(), wholeNumberForm(file.N)));
}

void Form_Main::setWarnings(const CalculationWarnings &warnings) {
    Label_Warning->setText(warnings.list().join(u' '));
    // Both are about the order check, which turns dark red with them.
    if (!warnings.damaged.isEmpty() || !warnings.unchecked.isEmpty()) {
        QPalette palette = Label6->palette();
        palette.setColor(QPalette::WindowText, kWarningRed);
        Label6->setPalette(palette);
    } else {
        // Back to the colours of the panel it sits on.
        Label6->setPalette(QPalette());
    }
}

void Form_Main::confirm(const QString &text) {
    StatusBar1->showMessage(text, kConfirmationMs);
}

void Form_Main::Mn_Import_Click() {
    if (!Dialog_Import) {
        Dialog_Import = newFileDialog(
            this, "Dialog_Import", QStringLiteral("Import airfoil coordinates"),
            QFileDialog::AcceptOpen, QStringLiteral("Airfoil coordinates (*.dat *.txt *.arf)"));
        connect(Dialog_Import, &QFileDialog::fileSelected, this, &Form_Main::importFile);
    }
    Dialog_Import->setDirectory(File1->path());
    Dialog_Import->open();
}

void Form_Main::importFile(const QString &path) {
    const ImportResult result = importAirfoilFile(path);
    if (!result.file) {
        showMessage(result.error);
        return;
    }
    // The panels stay as they are: an import is not a click in the file list.
    acceptLoad(*result.file, path);
}

void Form_Main::importAtStart(const QString &path) {
    const QFileInfo file(path);
    // The browser shows the file's folder even when the file is missing, to pick another there.
    const QString folder = file.absolutePath();
    if (QFileInfo(folder).isDir() && !Dir1->setPath(folder)) {
        const QSignalBlocker block(Drive1);
        const int drive = Drive1->findText(QDir::toNativeSeparators(QDir(folder).rootPath()));
        if (drive >= 0)
            Drive1->setCurrentIndex(drive);
    }
    importFile(file.absoluteFilePath());
}

void Form_Main::Mn_Export_Click() {
    const Module_Common &ws = common();
    // After a load the new-point arrays hold the points read; OutTitle marks a calculation.
    if (ws.FileLoaded && OutTitle.isEmpty()) {
        showMessage(QStringLiteral("Calculate first: there are no new points to export yet."));
        return;
    }
    if (wholeCount(ws.niValue()) < 1) {
        showMessage(QStringLiteral("There are no new points to export"));
        return;
    }
    if (!Dialog_Export) {
        Dialog_Export =
            newFileDialog(this, "Dialog_Export", QStringLiteral("Export the new points"),
                          QFileDialog::AcceptSave, QStringLiteral("Selig coordinates (*.dat)"));
        connect(Dialog_Export, &QFileDialog::fileSelected, this, &Form_Main::exportTo);
    }
    const QFileInfo loaded(loadedPath);
    Dialog_Export->setDirectory(loadedPath.isEmpty() ? File1->path() : loaded.absolutePath());
    Dialog_Export->selectFile(loaded.completeBaseName() + QStringLiteral("-redistributed.dat"));
    Dialog_Export->open();
}

void Form_Main::exportTo(const QString &path) {
    const QString name = QFileInfo(path).fileName();
    if (!loadedPath.isEmpty() && isSameFile(path, loadedPath)) {
        showMessage(QStringLiteral("Could not export \"%1\": it is the file the points were read "
                                   "from; choose another name.")
                        .arg(name));
        return;
    }
    // The window-modal dialog kept the points as Mn_Export_Click found them.
    const Module_Common &ws = common();
    const NewPoints points{Title, OutTitle, ws.NI, ws.XN, ws.YN};
    if (const auto message = writeResult(ResultLayout::Selig, points, path, name))
        showMessage(*message);
    else
        confirm(QStringLiteral("Saved ") + QFileInfo(path).absoluteFilePath());
}

void Form_Main::Mn_Save_Click() {
    Frame4->show();
    Text_Save->setText(File1->fileName());
}

void Form_Main::Command_Save_Click() {
    const Module_Common &ws = common();
    // A file without a point line cannot be read back: nothing is written, the panel stays.
    if (!ws.FileLoaded || wholeCount(ws.niValue()) < 1) {
        showMessage(QStringLiteral("There are no new points to save yet."));
        return;
    }
    const QString name = Text_Save->text();
    if (name == File1->fileName() || (!loadedPath.isEmpty() && isSameFile(name, loadedPath))) {
        showMessage(QStringLiteral("Use a different file name then the old one"));
        return;
    }
    // Any other file of that name is replaced only when the user says so; on No the panel stays
    // for another name.
    if (const QFileInfo existing(name); existing.isFile()) {
        const QString question = QStringLiteral("\"%1\" already exists. Replace it?")
                                     .arg(QDir::toNativeSeparators(existing.absoluteFilePath()));
        if (!askYesNo(question))
            return;
    }
    Frame4->hide();

    if (name.isEmpty()) {
        showMessage(QStringLiteral("Could not save: no file name was given."));
        return;
    }
    const NewPoints points{Title, OutTitle, ws.NI, ws.XN, ws.YN};
    if (const auto message = writeResult(ResultLayout::Arf, points, name, name))
        showMessage(*message);
    else
        confirm(QStringLiteral("Saved ") + QFileInfo(name).absoluteFilePath());
}

void Form_Main::Command1_Click() {
    InterpMethod method = InterpMethod::None;
    if (Option_Lagrange->isChecked())
        method = InterpMethod::Lagrange;
    else if (Option_DivDiff->isChecked())
        method = InterpMethod::DivDiff;
    // After the checks for a file and a method, which come first: a count that gives no new point
    // would wipe the result and leave a save nothing it could read back.
    if (common().FileLoaded && method != InterpMethod::None) {
        if (const auto refusal = noNewPointRefusal(Text_NI->text())) {
            showMessage(*refusal);
            return;
        }
    }
    CalculationRequest request{method, readNumber(Text_NI->text()), readNumber(Text_nPoly->text())};
    request.ownTrailingEdges = Check_TrailingEdges->isChecked();
    request.leadingEdge = Check_LeadingEdge->isChecked();

    Module_Common &ws = common();
    CalculationOutcome outcome;
    if (const auto message = Calculate(ws, sectionAsLoaded(), request, &outcome)) {
        if (outcome.suggestion == Suggestion::OwnTrailingEdges) {
            showMessage(*message + QStringLiteral(" Tick \"%1\" to redistribute such a section.")
                                       .arg(kOwnTrailingEdgesCaption));
        } else if (outcome.suggestion == Suggestion::LeadingEdgeOff) {
            showMessage(*message + QStringLiteral(" Untick \"%1\" to scale x alone, from the "
                                                  "point of least x.")
                                       .arg(kLeadingEdgeCaption));
        } else {
            showMessage(*message);
        }
        return;
    }
    OutTitle = Title + " - redistributed";
    const WarningFacts facts = readWarningFacts(ws, method, outcome.chord, request.leadingEdge);
    Label6->setText(facts.orderUnchecked ? orderCheckTooFewText()
                                         : orderCheckText(facts.orderCheck, screenDecimalPoint()));
    Label7->setText(panelFitText(PanelFit(ws), screenDecimalPoint()));
    setWarnings(calculationWarnings(
        facts, QStringLiteral("tick \"%1\" to scale both.").arg(kLeadingEdgeCaption),
        screenDecimalPoint()));
    const int count = wholeCount(ws.niValue());
    const QString settings =
        QStringLiteral("%1 new %2, %3, order %4")
            .arg(wholeNumberForm(count), count == 1 ? u"point" : u"points",
                 method == InterpMethod::Lagrange ? u"Lagrange" : u"divided differences",
                 generalForm(ws.nPoly, screenDecimalPoint()));
    confirm(settings);
    ws.X0 = 0;
    ws.Y0 = 0;
    ws.Scale = 1;
    // Each bar that moves redraws at once through its own handler.
    HScroll_X0->setValue(0);
    HScroll_Olcek->setValue(0);
    redraw();
    calculatedWith = method;
    calculationSettings = settings;
    if (request.leadingEdge)
        calculationSettings += QStringLiteral(", normalised at the true leading edge");
    else if (request.ownTrailingEdges)
        calculationSettings += QStringLiteral(", own trailing edges");
    updateInspect();
}

void Form_Main::HScroll_Olcek_Change() {
    const int p = HScroll_Olcek->value();
    double s = p / 5.0 + 1;
    if (s == 0)
        s = (p + 1) / 5.0 + 1;
    common().Scale = s;
    Text_Scale->setText(generalForm(s, screenDecimalPoint()));
    redraw();
}

void Form_Main::HScroll_X0_Change() {
    common().X0 = HScroll_X0->value() / 10.0;
    redraw();
}

void Form_Main::VScroll_Y0_Change() {
    common().Y0 = -VScroll_Y0->value() / 10.0;
    redraw();
}

// The mouse changes the view only through the bars, so their handlers stay the one way in.
void Form_Main::Picture_Airfoil_Wheel(int steps) {
    HScroll_Olcek->setValue(HScroll_Olcek->value() + steps);
}

void Form_Main::Picture_Airfoil_DragStart() {
    panStart = QPoint(HScroll_X0->value(), VScroll_Y0->value());
    panTravel = QPointF();
}

void Form_Main::Picture_Airfoil_Drag(QPointF viewDelta) {
    // Before the first scale is set the drawing is a point and a pan cannot move it.
    const double scale = common().Scale;
    if (!(scale > 0))
        return;
    panTravel += viewDelta / scale;
    // The drawing follows the pointer: moved right, it needs a smaller X0; moved up, a smaller
    // Y0, which the vertical bar shows as a larger position.
    HScroll_X0->setValue(nearestPosition(HScroll_X0, panStart.x() - panTravel.x() * 10));
    VScroll_Y0->setValue(nearestPosition(VScroll_Y0, panStart.y() + panTravel.y() * 10));
}

void Form_Main::Picture_Airfoil_DoubleClick() {
    HScroll_Olcek->setValue(0);
    HScroll_X0->setValue(0);
    VScroll_Y0->setValue(0);
}

void Form_Main::Mn_Quit_Click() {
    close();
}

void Form_Main::Mn_About_Click() {
    if (!about)
        about = new Form_About(this);
    about->show();
    about->raise();
    about->activateWindow();
}

void Form_Main::Mn_Inspect_Click() {
    const bool opening = !inspect || !inspect->isVisible();
    if (!inspect)
        inspect = new Form_Inspect(this);
    inspect->show();
    inspect->raise();
    inspect->activateWindow();
    // A window brought forward keeps the zoom the user left it at.
    if (opening)
        updateInspect();
}

void Form_Main::updateInspect() {
    if (!inspect || !inspect->isVisible())
        return;
    const QString folder =
        loadedPath.isEmpty() ? File1->path() : QFileInfo(loadedPath).absolutePath();
    inspect->setSnapshot(InspectSnapshot{QFileInfo(loadedPath).fileName(), calculationSettings,
                                         inspectContour(common(), calculatedWith), folder});
}

} // namespace tessaro
