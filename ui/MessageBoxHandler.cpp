// SPDX-License-Identifier: MIT
#include "ui/MessageBoxHandler.h"

#include "common/MessageService.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace tessaro {

namespace {

// Messages quote file names and file contents: a "<b>" in them shows as written, not as markup.
void setPlainText(QMessageBox &box, const QString &text, const QString &detail) {
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setInformativeText(detail);
    // The informative label takes no format from the box; it is found by Qt's own name.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        label->setTextFormat(Qt::PlainText);
}

} // namespace

void installMessageBoxHandler() {
    setMessageHandler([](const QString &text, const QString &detail) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QStringLiteral("Tessaro"));
        box.setIcon(QMessageBox::NoIcon);
        setPlainText(box, text, detail);
        box.setStandardButtons(QMessageBox::Ok);
        // Some styles put a picture on dialog buttons; this box shows text only.
        box.button(QMessageBox::Ok)->setIcon(QIcon());
        box.exec();
    });
    setQuestionHandler([](const QString &text) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QStringLiteral("Tessaro"));
        box.setIcon(QMessageBox::NoIcon);
        setPlainText(box, text, QString());
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // No is the safe answer, so Enter and Escape keep the file.
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        for (QAbstractButton *button : box.buttons())
            button->setIcon(QIcon());
        return box.exec() == QMessageBox::Yes;
    });
}

} // namespace tessaro
