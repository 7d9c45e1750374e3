// SPDX-License-Identifier: MIT
#include "ui/MenuShortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>

namespace tessaro {

namespace {

constexpr Qt::KeyboardModifiers kShortcutModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Before a key press reaches the focus widget, Qt asks it whether it wants the key for itself
// (a ShortcutOverride event). This filter answers "no" for the action's keys before any widget
// can say yes, so Qt's own shortcut handling goes on and triggers the action.
class ShortcutClaim : public QObject {
  public:
    static constexpr QLatin1StringView kName{"ShortcutClaim"};

    ShortcutClaim(QAction *action, const QKeySequence &keys)
        : QObject(action), action(action), keys(keys) {
        setObjectName(kName);
        QCoreApplication::instance()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::ShortcutOverride || !action->isEnabled())
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeyCombination pressed(key->modifiers() & kShortcutModifiers, Qt::Key(key->key()));
        if (keys.count() != 1 || keys[0] != pressed)
            return QObject::eventFilter(watched, event);
        event->ignore();
        return true;
    }

  private:
    QAction *action;
    QKeySequence keys;
};

} // namespace

void setMenuShortcut(QAction *action, const QKeySequence &keys) {
    action->setShortcut(keys);
    delete action->findChild<QObject *>(ShortcutClaim::kName, Qt::FindDirectChildrenOnly);
    new ShortcutClaim(action, keys);
}

} // namespace tessaro
