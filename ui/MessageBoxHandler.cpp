// SPDX-License-Identifier: MIT
#include "ui/MessageBoxHandler.h"

#include "common/MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tessaro {

void installMessageBoxHandler() {
    setMessageHandler([](const QString &text) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QStringLiteral("Tessaro"));
        box.setIcon(QMessageBox::NoIcon);
        box.setText(text);
        box.setStandardButtons(QMessageBox::Ok);
        // Some styles put a picture on dialog buttons; this box shows text only.
        box.button(QMessageBox::Ok)->setIcon(QIcon());
        box.exec();
    });
    setQuestionHandler([](const QString &text) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QStringLiteral("Tessaro"));
        box.setIcon(QMessageBox::NoIcon);
        box.setText(text);
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
