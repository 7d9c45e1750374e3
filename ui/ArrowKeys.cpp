// SPDX-License-Identifier: MIT
#include "ui/ArrowKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace tessaro {

namespace {

class ArrowKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *bar = qobject_cast<QScrollBar *>(watched);
        if (!bar || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        const bool rightToLeft = bar->isRightToLeft();
        if (key->key() == Qt::Key_Right) {
            bar->triggerAction(rightToLeft ? QAbstractSlider::SliderSingleStepSub
                                           : QAbstractSlider::SliderSingleStepAdd);
            return true;
        }
        if (key->key() == Qt::Key_Left) {
            bar->triggerAction(rightToLeft ? QAbstractSlider::SliderSingleStepAdd
                                           : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
        return false;
    }
};

} // namespace

void stepWithArrowButtons(QScrollBar *bar) {
    if (bar->orientation() == Qt::Horizontal)
        bar->installEventFilter(new ArrowKeys(bar));
}

} // namespace tessaro
