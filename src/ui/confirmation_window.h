#pragma once
#include "ui/forms.h"

class QLabel;
class QVBoxLayout;

namespace sonaplex {

// A small window that tells the user something went well and closes itself with "OK"
// (hide, then unload), with Esc or with its close box.
class ConfirmationWindow : public Form {
    Q_OBJECT
public:
    void close_Click();

protected:
    ConfirmationWindow(Forms& forms, const QString& name, const QString& title, const QString& buttonName);
    // A line of text above the button; centred.
    QLabel* addLine(const QString& name, const QString& text);
    // Where subclasses put more; the button stays at the bottom.
    QVBoxLayout* body() const { return body_; }
    void reject() override { close_Click(); }

private:
    QVBoxLayout* body_;
};

} // namespace sonaplex
