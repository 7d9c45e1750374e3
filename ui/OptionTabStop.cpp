// SPDX-License-Identifier: MIT
#include "ui/OptionTabStop.h"

#include <QAbstractButton>
#include <QEvent>

namespace tessaro {

OptionTabStop::OptionTabStop(const QList<QAbstractButton *> &group, QObject *parent)
    : QObject(parent), buttons(group) {
    for (QAbstractButton *button : buttons) {
        connect(button, &QAbstractButton::toggled, this, &OptionTabStop::follow);
        button->installEventFilter(this);
    }
    follow();
}

bool OptionTabStop::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusOut)
        follow();
    return QObject::eventFilter(watched, event);
}

void OptionTabStop::follow() {
    // With nothing chosen the first button is the stop, so the group stays reachable.
    QAbstractButton *stop = buttons.isEmpty() ? nullptr : buttons.front();
    for (QAbstractButton *button : buttons)
        if (button->isChecked())
            stop = button;
    for (QAbstractButton *button : buttons)
        button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace tessaro
