#include "backup/frm_backups.h"
#include "ui/window_names.h"
#include <QCoreApplication>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmBackups)
};

QString message(const char* kind, int count)
{
    return QStringLiteral(
        "IMPORTANT: Backup can be done only one time for each game. Be sure that all  %1 files in chosen "
        "game directory have been included for backup. If more than %2 %3 files exist for the chosen "
        "game, backup the remainder manually, or back them up and give the new backup set a different name.")
        .arg(QLatin1String(kind))
        .arg(count)
        .arg(QLatin1String(count == 6 ? "effects" : "midi"));
}

BackupWindowSetup wavSetup()
{
    return {windowName::FrmWavBackup, Say::tr("Wav Backup"), QStringLiteral("LblBackupOrig1"),
        Say::tr("Backup Original Game Files Only"), message("wav", 6),
        {QStringLiteral("LblBackupPath1"), QStringLiteral("LblBackupPath2"), QStringLiteral("LblBackupPath3"),
            QStringLiteral("LblBackupPath4"), QStringLiteral("LblBackupPath5"), QStringLiteral("LblBackupPath6")},
        {QStringLiteral("LblFileNameA"), QStringLiteral("LblFilenameB"), QStringLiteral("LblFileNameC"),
            QStringLiteral("LblFileNameD"), QStringLiteral("LblFileNameE"), QStringLiteral("LblFileNameF")},
        QStringLiteral("CmdBackup1"), QStringLiteral("CmdClose1")};
}

BackupWindowSetup midiSetup()
{
    return {windowName::FrmMidiBackup, Say::tr("Midi Backup"), QStringLiteral("LblWarning2"),
        Say::tr("Backup original game files only."), message("midi", 3),
        {QStringLiteral("LblmidBackupPath1"), QStringLiteral("LblmidBackupPath2"), QStringLiteral("LblmidBackupPath3")},
        {QStringLiteral("LblmidFileNameA"), QStringLiteral("LblmidFilenameB"), QStringLiteral("LblmidFileNameC")},
        QStringLiteral("CmdProceed"), QStringLiteral("CmdCancel")};
}
} // namespace

FrmWavBackup::FrmWavBackup(Forms& forms) : BackupWindow(forms, wavSetup()) { helpOn(QString(windowName::FrmBackupHelpWav)); }
FrmMidiBackup::FrmMidiBackup(Forms& forms) : BackupWindow(forms, midiSetup()) { helpOn(QString(windowName::FrmBackupHelpMidi)); }

} // namespace sonaplex
