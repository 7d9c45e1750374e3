// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <functional>

namespace tessaro {

// Every message to the user goes through here. The UI installs a modal box; tests install a
// recorder. Without a handler the text goes to the log, so the core never blocks or shows a widget.
// detail, empty for most messages, says more below the text (a box's informative text).
using MessageHandler = std::function<void(const QString &text, const QString &detail)>;

// Installs a handler and returns the one it replaces.
MessageHandler setMessageHandler(MessageHandler handler);

void showMessage(const QString &text, const QString &detail = QString());

// A question the user answers Yes or No, No being the default. The UI installs a modal box;
// tests install a recorder that gives a set answer. Without a handler the text goes to the log
// and the answer is No, so nothing unattended ever goes ahead on a guess.
using QuestionHandler = std::function<bool(const QString &text)>;

// Installs a handler and returns the one it replaces.
QuestionHandler setQuestionHandler(QuestionHandler handler);

// True when the user answered Yes.
bool askYesNo(const QString &text);

} // namespace tessaro
