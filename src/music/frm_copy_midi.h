#pragma once
#include "ui/review_window.h"

namespace sonaplex {

// The music review window: three selections, SWITCH, "Add to Favorites", backup, Close.
class FrmCopyMidi : public ReviewWindow {
    Q_OBJECT
public:
    explicit FrmCopyMidi(Forms& forms);

    void CmdSwitch3_Click();
    void CmdFavorites_Click();
    void CmdExitFrmCopyMidi_Click();
    void CmdMidiHelp2_Click();
    void CmdMidiBackup_Click();
};

} // namespace sonaplex
