#include "platform/messages.h"

#include <QMessageBox>

namespace sonaplex {

namespace {
MessageHandler& handler()
{
    static MessageHandler h;
    return h;
}
} // namespace

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

MessageAnswer showMessage(const Message& message, QWidget* parent)
{
    if (handler())
        return handler()(message);

    QMessageBox box(QMessageBox::NoIcon, message.title, message.text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (message.buttons == MessageButtons::RetryCancel) {
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return message.buttons == MessageButtons::RetryCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
}

} // namespace sonaplex
