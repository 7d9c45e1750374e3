// SPDX-License-Identifier: MIT
#pragma once

#include <QListWidget>
#include <QString>

#include <optional>

namespace tessaro {

// The directory list: the current directory's ancestors from the root down, the current
// directory itself, then its subdirectories. Opening an entry makes it current.
class DirectoryList : public QListWidget {
    Q_OBJECT

  public:
    explicit DirectoryList(QWidget *parent = nullptr);

    QString path() const { return current; }

    // Makes dir current and emits pathChanged. Returns the reason when dir cannot be read;
    // the list then stays where it was.
    std::optional<QString> setPath(const QString &dir);

  signals:
    void pathChanged(const QString &dir);

  private:
    void open(QListWidgetItem *item);
    QString current;
};

// The file list: bare names of the files in one directory that match the pattern (letter case
// ignored), sorted by name.
class FileList : public QListWidget {
    Q_OBJECT

  public:
    explicit FileList(QWidget *parent = nullptr);

    QString path() const { return directory; }
    void setPath(const QString &dir);
    // Lists the directory again, keeping the selected name when it is still there.
    void refresh();

    // The selected name, empty when nothing is selected.
    QString fileName() const;
    void setFileName(const QString &name);
    QString pattern() const { return namePattern; }

  signals:
    // A click (or Enter) on a name.
    void fileChosen();

  private:
    QString directory;
    QString namePattern = QStringLiteral("*.arf");
};

// The file-system roots, the first one being "/" on Linux.
QStringList fileSystemRoots();

} // namespace tessaro
