#pragma once
#include "platform/forms.h"

namespace sonaplex {

// "Replacement Successful", shown after a SWITCH on either side.
class FrmReplaceConfirm : public Form {
    Q_OBJECT
public:
    explicit FrmReplaceConfirm(Forms& forms);
    void CmdReplaceConfirm_Click();
protected:
    void reject() override { CmdReplaceConfirm_Click(); }
};

// "Successfully added to favorites".
class FrmFavorites : public Form {
    Q_OBJECT
public:
    explicit FrmFavorites(Forms& forms);
    void CmdFavorites_Click();
protected:
    void reject() override { CmdFavorites_Click(); }
};

} // namespace sonaplex
