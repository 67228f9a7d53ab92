#pragma once
#include "ui/messages.h"

#include <QString>
#include <QUrl>

class QWidget;

namespace sonaplex {

// "1.2.0", from the project version.
QString programVersion();

// What the program asks of the user's desktop besides its own windows: message boxes, the
// folder dialog and the browser. With no Desktop made, the system's answer. A Desktop answers
// from the moment it is made until it goes, when the one before it answers again; what a kind
// of Desktop does not override goes to the one before it (so a test's folder answers sit over
// its message recorder). Desktops are made and go in turn, like the objects on a stack.
class Desktop {
public:
    Desktop();
    virtual ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    virtual MessageAnswer showMessage(const Message& message, QWidget* parent);
    virtual QString chooseFolder(const QString& title, const QString& start, QWidget* parent);
    // A line of text the user types, starting as `text`; empty when they cancel.
    virtual QString askText(const QString& title, const QString& label, const QString& text, QWidget* parent);
    // A file to open (`save` false) or to write (`save` true), of `filter` ("Sound packs
    // (*.sonaplexpack)"); empty when they cancel.
    virtual QString chooseFile(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent);
    virtual bool openUrl(const QUrl& url);

    static Desktop& current();

private:
    struct System {};
    explicit Desktop(System) : before_(nullptr) {}
    Desktop* before_;
};

// Opens a web address in the user's browser (through the Desktop in use); false when the
// system could not.
bool openUrl(const QUrl& url);

} // namespace sonaplex
