// SPDX-License-Identifier: MIT
#include "ui/FileDialogs.h"

namespace tessaro {

QFileDialog *newFileDialog(QWidget *parent, const char *objectName, const QString &caption,
                           QFileDialog::AcceptMode acceptMode, const QString &filter) {
    auto *dialog = new QFileDialog(parent, caption);
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(acceptMode);
    dialog->setFileMode(acceptMode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                              : QFileDialog::AnyFile);
    dialog->setNameFilters({filter, QStringLiteral("All files (*)")});
    return dialog;
}

} // namespace tessaro
