#pragma once
#include "ui/review_window.h"

namespace sonaplex {

// The sound-effects review window: six selections, SWITCH, backup, "Save Set", Close.
class FrmCopyWavs : public ReviewWindow {
    Q_OBJECT
public:
    explicit FrmCopyWavs(Forms& forms);

    void CmdSwitch2_Click();
    void CmdExitFrmCopyWavs_Click();
    void CmdWavHelp2_Click();
    void CmdWavBackup_Click();
    void CmdCreateSet_Click();
};

} // namespace sonaplex
