// SPDX-License-Identifier: MIT
#include "ui/Form_Main.h"
#include "ui/MessageBoxHandler.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tessaro"));
    tessaro::installMessageBoxHandler();
    tessaro::Form_Main window;
    window.show();
    return QApplication::exec();
}
