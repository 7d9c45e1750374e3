// SPDX-License-Identifier: MIT
#include "ui/Form_Main.h"
#include "ui/MessageBoxHandler.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    tessaro::installMessageBoxHandler();
    tessaro::Form_Main window;
    window.show();
    return QApplication::exec();
}
