#include "app/windows.h"

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
#include "packs/frm_packs.h"
#include "restore/frm_restore.h"
#include "ui/forms.h"
#include "ui/replace_confirm.h"

namespace sonaplex {

void registerWindows(Forms& forms)
{
    forms.registerWindow<FrmSplash>(QStringLiteral("frmSplash"));
    forms.registerWindow<FrmMidi>(QStringLiteral("FrmMidi"));
    forms.registerWindow<FrmCopyMidi>(QStringLiteral("FrmCopyMidi"));
    forms.registerWindow<FrmFavorites>(QStringLiteral("FrmFavorites"));
    forms.registerWindow<FrmReplaceConfirm>(QStringLiteral("FrmReplaceConfirm"));
    forms.registerWindow<FrmWavSelect>(QStringLiteral("FrmWavSelect"));
    forms.registerWindow<FrmCopyWavs>(QStringLiteral("FrmCopyWavs"));
    forms.registerWindow<FrmWavBackup>(QStringLiteral("FrmWavBackup"));
    forms.registerWindow<FrmMidiBackup>(QStringLiteral("FrmMidiBackup"));
    forms.registerWindow<FrmSetName2>(QStringLiteral("FrmSetName2"));
    forms.registerWindow<FrmSetName>(QStringLiteral("FrmSetName"));
    forms.registerWindow<FrmBackupConfirm>(QStringLiteral("FrmBackupConfirm"));
    forms.registerWindow<FrmSetConfirm>(QStringLiteral("FrmSetConfirm"));
    forms.registerWindow<FrmAbout>(QStringLiteral("frmAbout"));
    forms.registerWindow<FrmGameLinks>(QStringLiteral("FrmGameLinks"));
    forms.registerWindow<FrmWavGame>(QStringLiteral("FrmWavGame"));
    forms.registerWindow<FrmMidiHelp>(QStringLiteral("FrmMidiHelp"));
    forms.registerWindow<FrmMidiHelp2>(QStringLiteral("FrmMidiHelp2"));
    forms.registerWindow<FrmWavHelp1>(QStringLiteral("FrmWavHelp1"));
    forms.registerWindow<FrmWavHelp2>(QStringLiteral("FrmWavHelp2"));
    forms.registerWindow<FrmBackupHelpMidi>(QStringLiteral("FrmBackupHelpMidi"));
    forms.registerWindow<FrmBackupHelpWav>(QStringLiteral("FrmBackupHelpWav"));
    forms.registerWindow<FrmSaveSetInfo>(QStringLiteral("FrmSaveSetInfo"));
    forms.registerWindow<FrmRestore>(QStringLiteral("FrmRestore"));
    forms.registerWindow<FrmPacks>(QStringLiteral("FrmPacks"));
}

} // namespace sonaplex
