#include "ui/desktop.h"

#include "version.h"

#include <QDesktopServices>

namespace sonaplex {

QString programVersion() { return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch); }

namespace {
Desktop* inUse = nullptr; // windows run on one thread

} // namespace

Desktop::Desktop() : before_(std::exchange(inUse, this)) {}

Desktop::~Desktop()
{
    if (inUse == this)
        inUse = before_;
}

Desktop& Desktop::current()
{
    static Desktop system{System{}}; // answers with the system's own, and is never in the chain
    return inUse ? *inUse : system;
}

MessageAnswer Desktop::showMessage(const Message& message, QWidget* parent)
{
    return before_ ? before_->showMessage(message, parent) : systemMessageBox(message, parent);
}

QString Desktop::chooseFolder(const QString& title, const QString& start, QWidget* parent)
{
    return before_ ? before_->chooseFolder(title, start, parent) : systemFolderDialog(title, start, parent);
}

QString Desktop::chooseFile(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent)
{
    return before_ ? before_->chooseFile(title, start, filter, save, parent)
                   : systemFileDialog(title, start, filter, save, parent);
}

QString Desktop::askText(const QString& title, const QString& label, const QString& text, QWidget* parent)
{
    return before_ ? before_->askText(title, label, text, parent) : systemTextDialog(title, label, text, parent);
}

bool Desktop::openUrl(const QUrl& url) { return before_ ? before_->openUrl(url) : QDesktopServices::openUrl(url); }

bool openUrl(const QUrl& url) { return Desktop::current().openUrl(url); }

} // namespace sonaplex
