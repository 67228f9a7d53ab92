#pragma once
#include "ui/selection_window.h"

namespace sonaplex {

// The sound-effects selection window: six selections of wave files and recordings.
class FrmWavSelect : public SelectionWindow {
    Q_OBJECT
public:
    explicit FrmWavSelect(Forms& forms);

    void CmdSwitch_Click();
    void CmdQuit2_Click();
    void CmdExitProgWav_Click();
    void CmdWavGames_Click();
    void CmdWavHelp1_Click();
};

} // namespace sonaplex
