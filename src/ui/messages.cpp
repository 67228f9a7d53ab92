#include "ui/messages.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace sonaplex {

namespace {
MessageHandler& handler()
{
    static MessageHandler h;
    return h;
}
} // namespace

void setMessageHandler(MessageHandler h) { handler() = std::move(h); }

namespace {
std::function<QString(const QString&)>& folderChooser()
{
    static std::function<QString(const QString&)> chooser;
    return chooser;
}
} // namespace

void setFolderChooser(std::function<QString(const QString&)> chooser) { folderChooser() = std::move(chooser); }

QString chooseFolder(const QString& title, const QString& start, QWidget* parent)
{
    if (folderChooser())
        return folderChooser()(title);
    return QFileDialog::getExistingDirectory(parent, title, start);
}

MessageAnswer showMessage(const Message& message, QWidget* parent)
{
    if (handler())
        return handler()(message);

    QMessageBox box(QMessageBox::NoIcon, message.title, message.text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (message.buttons == MessageButtons::KeepDiscardCancel) {
        QPushButton* keep = box.addButton(QStringLiteral("Name Them"), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(keep);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == keep)
            return MessageAnswer::Keep;
        if (box.clickedButton() == discard)
            return MessageAnswer::Discard;
        return MessageAnswer::Cancel;
    }
    if (message.buttons == MessageButtons::ConvertCopyCancel) {
        QPushButton* convert = box.addButton(QStringLiteral("Convert"), QMessageBox::AcceptRole);
        QPushButton* matched = box.addButton(QStringLiteral("Convert and Match Loudness"), QMessageBox::AcceptRole);
        QPushButton* asIs = box.addButton(QStringLiteral("Copy As They Are"), QMessageBox::AcceptRole);
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(convert);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == convert)
            return MessageAnswer::Convert;
        if (box.clickedButton() == matched)
            return MessageAnswer::ConvertMatched;
        if (box.clickedButton() == asIs)
            return MessageAnswer::CopyAsIs;
        return MessageAnswer::Cancel;
    }
    if (message.buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
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
