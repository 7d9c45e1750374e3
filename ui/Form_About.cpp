// SPDX-License-Identifier: MIT
#include "ui/Form_About.h"

#include "ui/Twips.h"

#include <QFont>
#include <QLabel>

namespace tessaro {

namespace {

const QColor kBackground{255, 255, 192};
const QColor kGreen{0, 128, 0};
const QColor kBlue{0, 0, 255};

struct AboutLabel {
    const char *name;
    QString text;
    QRect geometry;
    QColor colour; // invalid: the usual label text colour
    double points;
    bool bold = false;
    bool underline = false;
    bool centredAndWrapped = false;
};

} // namespace

Form_About::Form_About(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(twips(0, 0, 4275, 3195).size());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    const AboutLabel labels[] = {
        {"Label1", QStringLiteral("Tessaro"), twips(1320, 240, 1455, 255), kGreen, 12, true, true},
        {"Label2", QStringLiteral("Program for"), twips(1440, 720, 1215, 255), kGreen, 9.75},
        {"Label3",
         QStringLiteral("Redistributing Airfoil Coordinates by using interpolation polynomials"),
         twips(360, 1080, 3375, 615), kGreen, 9.75, false, false, true},
        {"Label4", QStringLiteral("by the Tessaro developers"), twips(840, 1800, 2535, 255),
         QColor(), 8.25},
        {"Label5", QStringLiteral("last modified : 29 November 2007"), twips(600, 2160, 3015, 255),
         QColor(), 8.25},
        {"Label6", QStringLiteral("for comments and questions e-mail to"),
         twips(480, 2520, 3375, 255), QColor(), 8.25},
        {"Label7", QStringLiteral("tessaro@example.org"), twips(1200, 2760, 1935, 255), kBlue,
         8.25},
    };
    for (const AboutLabel &entry : labels) {
        auto *label = new QLabel(entry.text, this);
        label->setObjectName(QString::fromLatin1(entry.name));
        label->setGeometry(entry.geometry);
        // Verdana where installed, else DejaVu Sans, drawn from the same design.
        QFont font;
        font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
        font.setPointSizeF(entry.points);
        font.setBold(entry.bold);
        font.setUnderline(entry.underline);
        label->setFont(font);
        if (entry.colour.isValid()) {
            QPalette labelPalette = label->palette();
            labelPalette.setColor(QPalette::WindowText, entry.colour);
            label->setPalette(labelPalette);
        }
        if (entry.centredAndWrapped) {
            label->setAlignment(Qt::AlignCenter);
            label->setWordWrap(true);
        }
    }
}

} // namespace tessaro
