#include "effects/frm_copy_wavs.h"
#include "ui/window_names.h"

#include "actions/backup_sets.h"

#include "base/files.h"
#include "effects/frm_wav_select.h"
#include "ui/long_work.h"
#include "ui/messages.h"
#include "ui/replace_confirm.h"
#include "ui/staging.h"
#include "ui/window_parts.h"
#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmCopyWavs)
};

ReviewWindowSetup effectsReviewSetup()
{
    ReviewWindowSetup s;
    s.name = windowName::FrmCopyWavs;
    s.title = Say::tr("Sonaplex/Sound Effects");
    s.warning = Say::tr("Please be certain that the \"Selection\" entries are Game Files and not Replacement Wav's.");
    s.warningInTimes = true;
    s.deviceKind = audio::DeviceKind::WaveAudio;
    s.board.count = 6;
    s.board.gameFrameName = [](int n) { return QStringLiteral("FrmReplaceGame%1").arg(n); };
    s.board.gameNameLabel = [](int n) { return QStringLiteral("LblFileName%1").arg(n); };
    s.board.gamePathLabel = [](int n) { return QStringLiteral("LblGamePath%1").arg(n); };
    s.board.replaceFrameName = [](int n) { return QStringLiteral("FrmWithWav%1").arg(n); };
    s.board.replaceNameLabel = [](int n) { return QStringLiteral("LblRepFile%1").arg(n); };
    s.board.replacePathLabel = [](int n) { return QStringLiteral("LblReplacePath%1").arg(n); };
    s.board.removeButtonName = [](int n) { return QStringLiteral("CmdClear%1").arg(n); };
    s.board.gameNameHasTip = [](int n) { return n != 3 && n != 4; };
    s.board.framesInTimes = true;
    return s;
}
} // namespace

FrmCopyWavs::FrmCopyWavs(Forms& forms) : ReviewWindow(forms, effectsReviewSetup())
{
    auto* backup = makeButton(QStringLiteral("CmdWavBackup"), Say::tr("BACKUP ORIGINAL GAME FILES"),
        QStringLiteral(
            "Click here to back up original game files. IMPORTANT: PLEASE SEE \"HELP\"/\"ABOUT BACKING UP ORIGINALS\""),
        this);
    auto* sw = makeButton(
        QStringLiteral("CmdSwitch2"), QStringLiteral("SWITCH"), Say::tr("Complete the replacement process."), this);
    auto* saveSet = makeButton(QStringLiteral("CmdCreateSet"), Say::tr("Save Set"),
        Say::tr("Create a set with chosen replacement files for easy accessibility at a later date. REFER TO "
                "\"HELP\"/\"ABOUT SAVING SETS\""),
        this);
    auto* close = makeButton(
        QStringLiteral("CmdExitFrmCopyWavs"), Say::tr("Close"), Say::tr("Return to previous window."), this);
    auto* help = makeButton(
        QStringLiteral("CmdWavHelp2"), Say::tr("Help"), Say::tr("The Sonaplex Step-by-Step Visual Tutorial."), this);
    for (QPushButton* b : {backup, sw, saveSet, close, help, makeRestoreButton(*this)})
        bottomRow()->addWidget(b);
    connect(sw, &QPushButton::clicked, this, &FrmCopyWavs::CmdSwitch2_Click);
    connect(close, &QPushButton::clicked, this, &FrmCopyWavs::CmdExitFrmCopyWavs_Click);
    connect(help, &QPushButton::clicked, this, &FrmCopyWavs::CmdWavHelp2_Click);
    closesWith(close);
    helpOn(help);
    connect(backup, &QPushButton::clicked, this, &FrmCopyWavs::CmdWavBackup_Click);
    connect(saveSet, &QPushButton::clicked, this, &FrmCopyWavs::CmdCreateSet_Click);
}

void FrmCopyWavs::CmdSwitch2_Click()
{
    if (switchFiles())
        forms().showModeless<FrmReplaceConfirm>();
}

void FrmCopyWavs::CmdWavBackup_Click() { showBackup(windowName::FrmWavBackup); }

void FrmCopyWavs::CmdCreateSet_Click()
{
    const SetGathering set(board()->selections());
    if (set.empty()) {
        showMessage(Say::tr("No selection has both a game file and a replacement, so there is no set to save."),
            Say::tr("Save Set Error"), this);
        return;
    }
    // A set holds only what the user chose for it now: files an abandoned naming left in the
    // staging folder are named as their own set or discarded first, as the user says.
    if (!settleLeftovers(
            forms(), ProgramFolder::Staging::Set, QStringLiteral("set"), windowName::FrmSetName, this))
        return;
    Gathered gathered;
    {
        LongWork work(this, Say::tr("Gathering the set\u2026"));
        gathered = set.gather(forms().folders().staging(ProgramFolder::Staging::Set), work.progress());
    }
    if (gathered.cancelled)
        return;
    const Report& run = gathered.run;
    const FileResult& noted = gathered.noted;
    if (!run.ok() || !noted) {
        const QString heading = Say::tr("These files could not be added and are not in the set:");
        QString text
            = failureReport(heading, run, Say::tr("These are in the set, but may not survive a crash or a power cut:"));
        if (!noted) // what the set is could not be written: said after the files
            text = (text.isEmpty() ? heading + QStringLiteral("\n") : text) + QStringLiteral("\n") + noted.error;
        showMessage(text, Say::tr("Save Set Error"), this);
    }
    if (!gathered.holdsFiles()) {
        // A set that holds no file is never saved nor offered.
        showMessage(Say::tr("No file could be added, so no set was saved."), Say::tr("Save Set Error"), this);
        return;
    }
    forms().showModal(windowName::FrmSetName);
}

void FrmCopyWavs::CmdExitFrmCopyWavs_Click() { backTo(forms().load<FrmWavSelect>()); }

void FrmCopyWavs::CmdWavHelp2_Click() { forms().showModal(windowName::FrmWavHelp2); }

} // namespace sonaplex
