// SPDX-License-Identifier: MIT
#pragma once

#include <QFileDialog>
#include <QStringList>

namespace tessaro {

// A window's own file dialog, made once and shown with open(): Qt's widget dialog rather than the
// desktop's, so it behaves alike everywhere and tests can reach it by its object name. The last
// filter offered is always "All files (*)".
QFileDialog *newFileDialog(QWidget *parent, const char *objectName, const QString &caption,
                           QFileDialog::AcceptMode acceptMode, const QString &filter);

} // namespace tessaro
