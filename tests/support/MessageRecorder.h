// SPDX-License-Identifier: MIT
#pragma once

#include "common/MessageService.h"

#include <QStringList>

// Captures every message shown while it lives, in order, instead of opening a box.
class MessageRecorder {
  public:
    MessageRecorder()
        : previous(tessaro::setMessageHandler([this](const QString &text, const QString &detail) {
              texts << text;
              details << detail;
          })) {}
    ~MessageRecorder() { tessaro::setMessageHandler(previous); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList texts;
    // What each message says below its text; empty where it says nothing more.
    QStringList details;

  private:
    tessaro::MessageHandler previous;
};

// Captures every question asked while it lives, in order, and gives each the same answer.
class QuestionRecorder {
  public:
    explicit QuestionRecorder(bool answerYes)
        : previous(tessaro::setQuestionHandler([this, answerYes](const QString &text) {
              texts << text;
              return answerYes;
          })) {}
    ~QuestionRecorder() { tessaro::setQuestionHandler(previous); }
    QuestionRecorder(const QuestionRecorder &) = delete;
    QuestionRecorder &operator=(const QuestionRecorder &) = delete;

    QStringList texts;

  private:
    tessaro::QuestionHandler previous;
};
