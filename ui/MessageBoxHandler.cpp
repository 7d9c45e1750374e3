// SPDX-License-Identifier: MIT
#include "ui/MessageBoxHandler.h"

#include "common/MessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace tessaro {

void installMessageBoxHandler() {
    setMessageHandler([](const QString &text) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(QStringLiteral("Tessaro"));
        box.setIcon(QMessageBox::NoIcon);
        box.setText(text);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
    });
}

} // namespace tessaro
