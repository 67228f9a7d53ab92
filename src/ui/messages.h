#pragma once
#include <QString>

#include <vector>

class QWidget;

namespace sonaplex {

// The buttons a message box can offer. Plain messages have OK only; KeepDiscardCancel asks
// what to do with files left behind ("Name Them" / "Discard" / "Cancel"); ConvertCopyCancel
// what to do with replacements in another format than their game files ("Convert", "Convert
// and Match Loudness", "Copy As They Are", "Cancel"); ConvertCancel the same for replacements
// that cannot be copied as they are; LoopLeaveCancel whether to loop whole replacements of
// game files that loop ("Loop Whole Replacements", "Leave Them", "Cancel").
// ChooseCancel: "Choose Them" (the default) and Cancel; answered Ok or Cancel.
enum class MessageButtons { Ok, OkCancel, RetryCancel, KeepDiscardCancel, ConvertCopyCancel, ConvertCancel, LoopLeaveCancel, ChooseCancel };
enum class MessageAnswer { Ok, Retry, Cancel, Keep, Discard, Convert, ConvertMatched, CopyAsIs, LoopWhole, Leave };

// A row of a question's list, ticked or not by the user (a replacement to convert, say). A fixed
// row stays ticked.
struct MessageRow {
    QString text;
    bool ticked = true;
    bool fixed = false;
};

struct Message {
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
    // Shown under the text as a list that scrolls, whatever its length; each row's tick is set
    // again when the question is answered. Null: no list.
    std::vector<MessageRow>* rows = nullptr;
};

// Every message box of the program goes through here (to the Desktop in use): text, title,
// buttons, no icon.
MessageAnswer showMessage(const Message& message, QWidget* parent = nullptr);
inline void showMessage(const QString& text, const QString& title, QWidget* parent = nullptr)
{
    showMessage(Message{text, title, MessageButtons::Ok}, parent);
}

// Asks the user for a folder (through the Desktop in use); empty when they cancel.
QString chooseFolder(const QString& title, const QString& start, QWidget* parent = nullptr);

// Asks the user for a line of text (through the Desktop in use); empty when they cancel.
QString askText(const QString& title, const QString& label, const QString& text, QWidget* parent = nullptr);

// What a run of changes to game files did, said once it is over: the record's notice, then
// either every file not `verb` ("put back", "replaced") under a heading (titled `errorTitle`),
// or `done` when files were and all went well.
void showRunReport(const struct Report& run, const QString& done, const QString& verb, const QString& title,
    const QString& errorTitle, QWidget* parent = nullptr);

// Asks the user for a file to open or to write (through the Desktop in use); empty when they cancel.
QString chooseFile(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent = nullptr);

// The system's own: a QMessageBox, the folder and file dialogs and the text dialog.
MessageAnswer systemMessageBox(const Message& message, QWidget* parent);
QString systemFolderDialog(const QString& title, const QString& start, QWidget* parent);
QString systemFileDialog(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent);
QString systemTextDialog(const QString& title, const QString& label, const QString& text, QWidget* parent);

} // namespace sonaplex
