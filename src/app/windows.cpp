#include "app/windows.h"
#include "ui/window_names.h"

#include "app/frm_splash.h"
#include "backup/frm_backups.h"
#include "backup/frm_set_names.h"
#include "effects/frm_copy_wavs.h"
#include "effects/frm_wav_select.h"
#include "info/frm_about.h"
#include "info/frm_game_links.h"
#include "info/tutorial_page.h"
#include "music/frm_confirmations.h"
#include "music/frm_copy_midi.h"
#include "music/frm_midi.h"
#include "game/frm_game.h"
#include "packs/frm_packs.h"
#include "restore/frm_restore.h"
#include "ui/forms.h"
#include "ui/replace_confirm.h"

namespace sonaplex {

void registerWindows(Forms& forms)
{
    forms.registerWindow<FrmSplash>(windowName::frmSplash);
    forms.registerWindow<FrmMidi>(windowName::FrmMidi);
    forms.registerWindow<FrmCopyMidi>(windowName::FrmCopyMidi);
    forms.registerWindow<FrmFavorites>(windowName::FrmFavorites);
    forms.registerWindow<FrmReplaceConfirm>(windowName::FrmReplaceConfirm);
    forms.registerWindow<FrmWavSelect>(windowName::FrmWavSelect);
    forms.registerWindow<FrmCopyWavs>(windowName::FrmCopyWavs);
    forms.registerWindow<FrmWavBackup>(windowName::FrmWavBackup);
    forms.registerWindow<FrmMidiBackup>(windowName::FrmMidiBackup);
    forms.registerWindow<FrmSetName2>(windowName::FrmSetName2);
    forms.registerWindow<FrmSetName>(windowName::FrmSetName);
    forms.registerWindow<FrmBackupConfirm>(windowName::FrmBackupConfirm);
    forms.registerWindow<FrmSetConfirm>(windowName::FrmSetConfirm);
    forms.registerWindow<FrmAbout>(windowName::frmAbout);
    forms.registerWindow<FrmGameLinks>(windowName::FrmGameLinks);
    forms.registerWindow<FrmWavGame>(windowName::FrmWavGame);
    forms.registerWindow<FrmMidiHelp>(windowName::FrmMidiHelp);
    forms.registerWindow<FrmMidiHelp2>(windowName::FrmMidiHelp2);
    forms.registerWindow<FrmWavHelp1>(windowName::FrmWavHelp1);
    forms.registerWindow<FrmWavHelp2>(windowName::FrmWavHelp2);
    forms.registerWindow<FrmBackupHelpMidi>(windowName::FrmBackupHelpMidi);
    forms.registerWindow<FrmBackupHelpWav>(windowName::FrmBackupHelpWav);
    forms.registerWindow<FrmSaveSetInfo>(windowName::FrmSaveSetInfo);
    forms.registerWindow<FrmRestore>(windowName::FrmRestore);
    forms.registerWindow<FrmPacks>(windowName::FrmPacks);
    forms.registerWindow<FrmGame>(windowName::FrmGame);
    forms.registerWindow<FrmRestoreHelp>(windowName::FrmRestoreHelp);
    forms.registerWindow<FrmPacksHelp>(windowName::FrmPacksHelp);
    forms.registerWindow<FrmGameHelp>(windowName::FrmGameHelp);
}

} // namespace sonaplex
