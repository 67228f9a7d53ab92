#pragma once
#include "ui/forms.h"

#include <QUrl>

namespace sonaplex {

// The program's web site, opened from the about window.
// The guide the about window opens (the README installed with the program).
QUrl programGuide();

// The about window: title, version, what the program does, contact lines and the web site.
class FrmAbout : public Form {
    Q_OBJECT
public:
    explicit FrmAbout(Forms& forms);
    void cmdOK_Click();
    void Lblsite_Click();

protected:
    void formLoad() override;
    void reject() override { cmdOK_Click(); }
};

} // namespace sonaplex
