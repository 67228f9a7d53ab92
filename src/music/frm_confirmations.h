#pragma once
#include "shell/confirmation_window.h"

namespace sonaplex {

// "Replacement Successful", shown after a SWITCH on either side.
class FrmReplaceConfirm : public ConfirmationWindow {
    Q_OBJECT
public:
    explicit FrmReplaceConfirm(Forms& forms);
    void CmdReplaceConfirm_Click() { close_Click(); }
};

// "Successfully added to favorites".
class FrmFavorites : public ConfirmationWindow {
    Q_OBJECT
public:
    explicit FrmFavorites(Forms& forms);
    void CmdFavorites_Click() { close_Click(); }
};

} // namespace sonaplex
