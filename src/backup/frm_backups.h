#pragma once
#include "backup/backup_window.h"

namespace sonaplex {

// Backup of the sound-effects side's game files (six selections).
class FrmWavBackup : public BackupWindow {
    Q_OBJECT
public:
    explicit FrmWavBackup(Forms& forms);
    void CmdBackup1_Click() { backUp(); }
    void CmdClose1_Click() { cancel(); }
};

// Backup of the music side's game files (three selections).
class FrmMidiBackup : public BackupWindow {
    Q_OBJECT
public:
    explicit FrmMidiBackup(Forms& forms);
    void CmdProceed_Click() { backUp(); }
    void CmdCancel_Click() { cancel(); }
};

} // namespace sonaplex
