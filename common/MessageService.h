// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

namespace tessaro {

// Every message to the user goes through here. The UI installs a modal box; tests install a
// recorder. Without a handler the text goes to the log, so the core never blocks or shows a widget.
using MessageHandler = std::function<void(const QString &text)>;

// Installs a handler and returns the one it replaces.
MessageHandler setMessageHandler(MessageHandler handler);

void showMessage(const QString &text);

} // namespace tessaro
