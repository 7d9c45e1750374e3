// SPDX-License-Identifier: MIT
#pragma once

#include "common/MessageService.h"

#include <QStringList>

// Captures every message shown while it lives, in order, instead of opening a box.
class MessageRecorder {
  public:
    MessageRecorder()
        : previous(tessaro::setMessageHandler([this](const QString &text) { texts << text; })) {}
    ~MessageRecorder() { tessaro::setMessageHandler(previous); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList texts;

  private:
    tessaro::MessageHandler previous;
};
