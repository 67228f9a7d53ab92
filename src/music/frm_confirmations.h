#pragma once
#include "ui/confirmation_window.h"

namespace sonaplex {

// "Successfully added to favorites".
class FrmFavorites : public ConfirmationWindow {
    Q_OBJECT
public:
    explicit FrmFavorites(Forms& forms);
    void CmdFavorites_Click() { close_Click(); }
};

} // namespace sonaplex
