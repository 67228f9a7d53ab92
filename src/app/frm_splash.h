#pragma once
#include "ui/forms.h"

class QLabel;
class QPushButton;

namespace sonaplex {

// The start-up window: logo, title, version and "Enter". Any other key ends the program.
class FrmSplash : public Form {
    Q_OBJECT
public:
    explicit FrmSplash(Forms& forms);

    void CmdEntermidi_Click();

protected:
    void formLoad() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool typedKey(QKeyEvent* event);
    QLabel* lblVersion_;
    QPushButton* cmdEnter_;
};

} // namespace sonaplex
