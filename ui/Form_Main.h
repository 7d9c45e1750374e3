// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "io/ArfReader.h"
#include "numerics/Module_Interp.h"
#include "numerics/Warnings.h"

#include <QByteArray>
#include <QMainWindow>
#include <QPointF>
#include <QPointer>

class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStatusBar;

namespace tessaro {

class AirfoilView;
class DirectoryList;
class FileList;
class Form_About;
class Form_Inspect;

// The main window: every control the user works with, and the handlers behind them.
class Form_Main : public QMainWindow {
    Q_OBJECT

  public:
    explicit Form_Main(QWidget *parent = nullptr);
    ~Form_Main() override;

    // Clears the surface and draws the points read (red) and the new points (blue).
    void Show_Airfoil(int N, const PointArray &X, const PointArray &Y, double NI,
                      const PointArray &XN, const PointArray &YN);

    // The title bytes of the file read, and the title a save writes.
    const QByteArray &title() const { return Title; }
    const QByteArray &outTitle() const { return OutTitle; }
    Form_About *aboutWindow() const;
    Form_Inspect *inspectWindow() const;

    // The file named on the command line: imported as File -> Import would, with the file browser
    // on its folder; a file that cannot be imported shows Import's message and loads nothing.
    void importAtStart(const QString &path);

  private:
    void buildControls();
    void buildMenu();
    void setTabOrderChain();
    void connectHandlers();
    void redraw();
    // Puts a file that was read completely into the working set, the titles and the view.
    void acceptLoad(const ArfFile &file, const QString &path);
    void importFile(const QString &path);
    void exportTo(const QString &path);
    // The standing warning of the last calculation, or none; a damaged section's also colours
    // the order check.
    void setWarnings(const CalculationWarnings &warnings);
    // A passing confirmation, shown above the standing warning.
    void confirm(const QString &text);
    // Shows the working set in the Inspect window, when it is open.
    void updateInspect();

    void Mn_Open_Click();
    void Mn_Save_Click();
    void Mn_Import_Click();
    void Mn_Export_Click();
    void Mn_About_Click();
    void Mn_Quit_Click();
    void Mn_Inspect_Click();
    void Drive1_Change();
    void Dir1_Change(const QString &dir);
    void File1_Click();
    void Command_Save_Click();
    void Command1_Click();
    void HScroll_Olcek_Change();
    void HScroll_X0_Change();
    void VScroll_Y0_Change();
    void Picture_Airfoil_Wheel(int steps);
    void Picture_Airfoil_DragStart();
    void Picture_Airfoil_Drag(QPointF viewDelta);
    void Picture_Airfoil_DoubleClick();

    QByteArray Title;
    QByteArray OutTitle;
    // The file of the last successful load, which a save must never overwrite.
    QString loadedPath;
    // A drag pans from the pan bars' positions at its start by the distance the drawing has
    // travelled since, in airfoil units, so rounding to the bars' steps never adds up.
    QPoint panStart;
    QPointF panTravel;
    // How the working set was last calculated since the last load; None before that.
    InterpMethod calculatedWith = InterpMethod::None;
    QString calculationSettings;

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    QGroupBox *Frame5 = nullptr;
    QGroupBox *Frame6 = nullptr;
    QCheckBox *Check_TrailingEdges = nullptr;
    QCheckBox *Check_LeadingEdge = nullptr;
    QRadioButton *Option_DivDiff = nullptr;
    QRadioButton *Option_Lagrange = nullptr;
    QLineEdit *Text_nPoly = nullptr;
    QLineEdit *Text_Save = nullptr;
    QLineEdit *Text_NI = nullptr;
    QLineEdit *Text_Scale = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *Label_Warning = nullptr;
    QPushButton *Command_Save = nullptr;
    QPushButton *Command1 = nullptr;
    QComboBox *Drive1 = nullptr;
    DirectoryList *Dir1 = nullptr;
    FileList *File1 = nullptr;
    QScrollBar *HScroll_Olcek = nullptr;
    QScrollBar *HScroll_X0 = nullptr;
    QScrollBar *VScroll_Y0 = nullptr;
    AirfoilView *Picture_Airfoil = nullptr;
    QMenu *Mn_File = nullptr;
    QAction *Mn_Open = nullptr;
    QAction *Mn_Save = nullptr;
    QAction *Mn_Import = nullptr;
    QAction *Mn_Export = nullptr;
    QAction *Mn_Quit = nullptr;
    QFileDialog *Dialog_Import = nullptr;
    QFileDialog *Dialog_Export = nullptr;
    QMenu *Mn_View = nullptr;
    QAction *Mn_Inspect = nullptr;
    QAction *Mn_About = nullptr;
    QPointer<Form_About> about;
    QPointer<Form_Inspect> inspect;
};

} // namespace tessaro
