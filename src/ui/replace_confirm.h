#pragma once
#include "ui/confirmation_window.h"

namespace sonaplex {

// "Replacement Successful", shown after a SWITCH on either side.
class FrmReplaceConfirm : public ConfirmationWindow {
    Q_OBJECT
public:
    explicit FrmReplaceConfirm(Forms& forms);
    void CmdReplaceConfirm_Click() { close_Click(); }
};

} // namespace sonaplex
