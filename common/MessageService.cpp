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
} // namespace

MessageHandler setMessageHandler(MessageHandler next) {
    return std::exchange(handler(), std::move(next));
}

void showMessage(const QString &text) {
    if (handler())
        handler()(text);
    else
        qWarning().noquote() << "Tessaro:" << text;
}

} // namespace tessaro
