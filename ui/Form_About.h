// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace tessaro {

// The About window: labels only, shown modeless.
class Form_About : public QWidget {
    Q_OBJECT

  public:
    explicit Form_About(QWidget *parent = nullptr);
};

} // namespace tessaro
