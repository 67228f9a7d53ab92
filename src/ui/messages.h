#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace sonaplex {

// The buttons a message box can offer. Plain messages have OK only; KeepDiscardCancel asks
// what to do with files left behind ("Name Them" / "Discard" / "Cancel"); ConvertCopyCancel
// what to do with replacements in another format than their game files ("Convert", "Convert
// and Match Loudness", "Copy As They Are", "Cancel").
enum class MessageButtons { Ok, OkCancel, RetryCancel, KeepDiscardCancel, ConvertCopyCancel };
enum class MessageAnswer { Ok, Retry, Cancel, Keep, Discard, Convert, ConvertMatched, CopyAsIs };

struct Message {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box of the program goes through here: text, title, buttons, no icon.
MessageAnswer showMessage(const Message& message, QWidget* parent = nullptr);
inline void showMessage(const QString& text, const QString& title, QWidget* parent = nullptr)
{
    showMessage(Message{text, title, MessageButtons::Ok}, parent);
}

// Asks the user for a folder (the system's folder dialog); empty when they cancel.
QString chooseFolder(const QString& title, const QString& start, QWidget* parent = nullptr);
// Tests answer here in place of the dialog; an empty function restores it.
void setFolderChooser(std::function<QString(const QString& title)> chooser);

// Tests put a recorder here in place of the real message box; an empty function restores it.
using MessageHandler = std::function<MessageAnswer(const Message&)>;
void setMessageHandler(MessageHandler handler);

} // namespace sonaplex
