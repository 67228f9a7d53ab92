#pragma once
#include <QLatin1StringView>

#include <array>

namespace sonaplex::windowName {

// The name of every window the registry knows (its object name): a window opens one in another
// folder by its name, through the registry, and a name misspelt here is a compile error, not a
// failure when the user first presses the button. app/windows.cpp registers each under it.
inline constexpr QLatin1StringView frmSplash{"frmSplash"};
inline constexpr QLatin1StringView FrmMidi{"FrmMidi"};
inline constexpr QLatin1StringView FrmCopyMidi{"FrmCopyMidi"};
inline constexpr QLatin1StringView FrmFavorites{"FrmFavorites"};
inline constexpr QLatin1StringView FrmReplaceConfirm{"FrmReplaceConfirm"};
inline constexpr QLatin1StringView FrmWavSelect{"FrmWavSelect"};
inline constexpr QLatin1StringView FrmCopyWavs{"FrmCopyWavs"};
inline constexpr QLatin1StringView FrmWavBackup{"FrmWavBackup"};
inline constexpr QLatin1StringView FrmMidiBackup{"FrmMidiBackup"};
inline constexpr QLatin1StringView FrmSetName2{"FrmSetName2"};
inline constexpr QLatin1StringView FrmSetName{"FrmSetName"};
inline constexpr QLatin1StringView FrmBackupConfirm{"FrmBackupConfirm"};
inline constexpr QLatin1StringView FrmSetConfirm{"FrmSetConfirm"};
inline constexpr QLatin1StringView frmAbout{"frmAbout"};
inline constexpr QLatin1StringView FrmGameLinks{"FrmGameLinks"};
inline constexpr QLatin1StringView FrmWavGame{"FrmWavGame"};
inline constexpr QLatin1StringView FrmMidiHelp{"FrmMidiHelp"};
inline constexpr QLatin1StringView FrmMidiHelp2{"FrmMidiHelp2"};
inline constexpr QLatin1StringView FrmWavHelp1{"FrmWavHelp1"};
inline constexpr QLatin1StringView FrmWavHelp2{"FrmWavHelp2"};
inline constexpr QLatin1StringView FrmBackupHelpMidi{"FrmBackupHelpMidi"};
inline constexpr QLatin1StringView FrmBackupHelpWav{"FrmBackupHelpWav"};
inline constexpr QLatin1StringView FrmSaveSetInfo{"FrmSaveSetInfo"};
inline constexpr QLatin1StringView FrmRestore{"FrmRestore"};
inline constexpr QLatin1StringView FrmPacks{"FrmPacks"};
inline constexpr QLatin1StringView FrmGame{"FrmGame"};

// Every one of them, for the check that each is registered.
inline constexpr QLatin1StringView FrmRestoreHelp{"FrmRestoreHelp"};
inline constexpr QLatin1StringView FrmPacksHelp{"FrmPacksHelp"};
inline constexpr QLatin1StringView FrmGameHelp{"FrmGameHelp"};
inline constexpr std::array all{frmSplash, FrmMidi, FrmCopyMidi, FrmFavorites, FrmReplaceConfirm, FrmWavSelect,
    FrmCopyWavs, FrmWavBackup, FrmMidiBackup, FrmSetName2, FrmSetName, FrmBackupConfirm, FrmSetConfirm, frmAbout,
    FrmGameLinks, FrmWavGame, FrmMidiHelp, FrmMidiHelp2, FrmWavHelp1, FrmWavHelp2, FrmBackupHelpMidi, FrmBackupHelpWav,
    FrmSaveSetInfo, FrmRestore, FrmPacks, FrmGame, FrmRestoreHelp, FrmPacksHelp, FrmGameHelp};

} // namespace sonaplex::windowName
