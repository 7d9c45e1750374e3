// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>

class QAbstractButton;

namespace tessaro {

// Makes an exclusive group of option buttons one Tab stop, the checked button, at that button's
// own place in the Tab order; the arrow keys still move within the group. Qt moves the stop to
// whichever button last took focus, which may be an unchecked one, so the stop is put back on
// the checked button whenever the choice changes or focus leaves the group.
class OptionTabStop : public QObject {
    Q_OBJECT

  public:
    OptionTabStop(const QList<QAbstractButton *> &group, QObject *parent);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void follow();

    QList<QAbstractButton *> buttons;
};

} // namespace tessaro
