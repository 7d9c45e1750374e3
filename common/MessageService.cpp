// SPDX-License-Identifier: MIT
#include "common/MessageService.h"

#include <QDebug>

#include <utility>

namespace tessaro {

namespace {
MessageHandler &handler() {
    static MessageHandler current;
    return current;
}
QuestionHandler &questionHandler() {
    static QuestionHandler current;
    return current;
}
} // namespace

MessageHandler setMessageHandler(MessageHandler next) {
    return std::exchange(handler(), std::move(next));
}

void showMessage(const QString &text, const QString &detail) {
    if (handler())
        handler()(text, detail);
    else if (detail.isEmpty())
        qWarning().noquote() << "Tessaro:" << text;
    else
        qWarning().noquote() << "Tessaro:" << text << detail;
}

QuestionHandler setQuestionHandler(QuestionHandler next) {
    return std::exchange(questionHandler(), std::move(next));
}

bool askYesNo(const QString &text) {
    if (questionHandler())
        return questionHandler()(text);
    qWarning().noquote() << "Tessaro:" << text << "(answered No)";
    return false;
}

} // namespace tessaro
