// SPDX-License-Identifier: MIT
#include "ui/Form_Main.h"
#include "ui/MessageBoxHandler.h"
#include "ui/StartArguments.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[]) {
    // Qt takes its own options (-platform, -style, …) out of the arguments here.
    QApplication app(argc, argv);
    const tessaro::StartArguments start =
        tessaro::parseStartArguments(QCoreApplication::arguments().mid(1));
    if (!start.error.isEmpty()) {
        std::fprintf(stderr, "tessaro: %s\n%s\n", qPrintable(start.error),
                     qPrintable(tessaro::startUsage()));
        return 2;
    }
    if (start.help) {
        std::printf("%s\n", qPrintable(tessaro::startUsage()));
        return 0;
    }
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tessaro"));
    tessaro::installMessageBoxHandler();
    tessaro::Form_Main window;
    window.show();
    // Once the window is up, so that a refusal's message lies over it.
    if (!start.file.isEmpty())
        QTimer::singleShot(0, &window, [&window, &start] { window.importAtStart(start.file); });
    return QApplication::exec();
}
