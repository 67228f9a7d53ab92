#pragma once
#include "ui/selection_window.h"

namespace sonaplex {

// The music selection window, the program's main window: three selections of MIDI files,
// recordings and tracker modules.
class FrmMidi : public SelectionWindow {
    Q_OBJECT
public:
    explicit FrmMidi(Forms& forms);

    void CmdSonaplex_Click();
    void CmdGotoWavSelect1_Click();
    void CmdExit1_Click();
    void CmdAbout_Click();
    void CmdMidiGames_Click();
    void CmdHelpMidi_Click();

protected:
    void formLoad() override;
};

} // namespace sonaplex
