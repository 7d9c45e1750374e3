// SPDX-License-Identifier: MIT
#pragma once

#include "common/Module_Common.h"
#include "support/Controls.h"
#include "ui/FileBrowser.h"
#include "ui/Form_Main.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A main window working in a fresh temporary folder: the folder is the process's working
// directory (so relative save names and DivDif.text land there) and the file list shows it.
class WindowFixture {
  public:
    // A fresh working set and folder; call from init(), then write the test's files.
    bool makeFolder() {
        tessaro::resetCommon();
        savedCurrent = QDir::currentPath();
        dir = std::make_unique<QTemporaryDir>();
        return dir->isValid() && QDir::setCurrent(dir->path());
    }

    // Shows the window with its lists on the given subfolder (the folder itself when empty).
    bool showWindow(const QString &listed = QString()) {
        window = std::make_unique<tessaro::Form_Main>();
        window->show();
        return QTest::qWaitForWindowExposed(window.get()) &&
               !child<tessaro::DirectoryList>("Dir1")->setPath(path(listed));
    }

    // Call from cleanup().
    void tearDown() {
        window.reset();
        if (!savedCurrent.isEmpty())
            QDir::setCurrent(savedCurrent);
        dir.reset();
    }

    QString path(const QString &name) const {
        return name.isEmpty() ? dir->path() : QDir(dir->path()).filePath(name);
    }

    template <typename T> T *child(const char *name) const {
        return findControl<T>(window.get(), name);
    }

    void openPanel() const { child<QAction>("Mn_Open")->trigger(); }

    // Clicks a name of the file list as a user would; false when the list does not show it once.
    bool clickFile(const QString &name) const {
        auto *files = child<tessaro::FileList>("File1");
        const auto items = files->findItems(name, Qt::MatchExactly);
        if (items.size() != 1)
            return false;
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualItemRect(items.front()).center());
        return true;
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<tessaro::Form_Main> window;

  private:
    QString savedCurrent;
};
