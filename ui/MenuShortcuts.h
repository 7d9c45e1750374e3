// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>

class QAction;

namespace tessaro {

// Gives a menu entry a shortcut (shown in its menu) that fires whichever control of the window has
// the focus. A line edit claims some Ctrl keys for its own editing on X11 (Ctrl+E moves to the end
// of the line, Ctrl+K deletes to it), which would otherwise keep the shortcut from firing.
void setMenuShortcut(QAction *action, const QKeySequence &keys);

} // namespace tessaro
