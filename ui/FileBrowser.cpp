// SPDX-License-Identifier: MIT
#include "ui/FileBrowser.h"

#include "common/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

namespace tessaro {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kIndentPerLevel = 2;

QString displayName(const QDir &dir) {
    return dir.isRoot() ? QDir::toNativeSeparators(dir.absolutePath()) : dir.dirName();
}
} // namespace

DirectoryList::DirectoryList(QWidget *parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this, &DirectoryList::open);
}

std::optional<QString> DirectoryList::setPath(const QString &dir) {
    const QFileInfo info(dir);
    if (!info.exists())
        return QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(dir));
    if (!info.isDir())
        return QStringLiteral("%1 is not a folder.").arg(QDir::toNativeSeparators(dir));
    if (!info.isReadable() || !info.isExecutable())
        return QStringLiteral("The folder %1 cannot be read: permission denied.")
            .arg(QDir::toNativeSeparators(dir));

    const QDir target(info.absoluteFilePath());
    const QStringList subdirs =
        target.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);

    // Ancestors, root first.
    QList<QDir> chain;
    for (QDir walk = target;;) {
        chain.prepend(walk);
        if (walk.isRoot() || !walk.cdUp())
            break;
    }

    clear();
    const QIcon openIcon = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    int level = 0;
    for (const QDir &ancestor : chain) {
        auto *item = new QListWidgetItem(openIcon, QString(level * kIndentPerLevel, u' ') +
                                                       displayName(ancestor));
        item->setData(kPathRole, ancestor.absolutePath());
        addItem(item);
        ++level;
    }
    setCurrentRow(count() - 1);
    for (const QString &name : subdirs) {
        auto *item = new QListWidgetItem(closedIcon, QString(level * kIndentPerLevel, u' ') + name);
        item->setData(kPathRole, target.absoluteFilePath(name));
        addItem(item);
    }

    current = target.absolutePath();
    emit pathChanged(current);
    return std::nullopt;
}

void DirectoryList::open(QListWidgetItem *item) {
    const QString target = item->data(kPathRole).toString();
    if (target == current)
        return;
    // Refilled once the click that chose the entry is done with its item.
    QMetaObject::invokeMethod(
        this,
        [this, target] {
            // A folder that vanished or cannot be read keeps the list where it was.
            if (const auto problem = setPath(target))
                showMessage(*problem);
        },
        Qt::QueuedConnection);
}

FileList::FileList(QWidget *parent) : QListWidget(parent) {
    setSortingEnabled(false);
    connect(this, &QListWidget::itemClicked, this, &FileList::fileChosen);
    connect(this, &QListWidget::itemActivated, this, &FileList::fileChosen);
}

void FileList::setPath(const QString &dir) {
    directory = dir;
    clear();
    refresh();
}

void FileList::refresh() {
    const QString selected = fileName();
    clear();
    const QStringList names = QDir(directory).entryList({namePattern}, QDir::Files | QDir::Readable,
                                                        QDir::Name | QDir::IgnoreCase);
    addItems(names);
    if (!selected.isEmpty())
        setFileName(selected);
}

QString FileList::fileName() const {
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void FileList::setFileName(const QString &name) {
    const auto matches = findItems(name, Qt::MatchExactly);
    if (!matches.isEmpty())
        setCurrentItem(matches.front());
}

QStringList fileSystemRoots() {
    QStringList roots;
    for (const QFileInfo &root : QDir::drives())
        roots << QDir::toNativeSeparators(root.absoluteFilePath());
    if (roots.isEmpty())
        roots << QDir::toNativeSeparators(QDir::rootPath());
    return roots;
}

} // namespace tessaro
