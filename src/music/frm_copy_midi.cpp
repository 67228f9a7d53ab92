#include "music/frm_copy_midi.h"
#include "ui/window_names.h"

#include "base/content_hash.h"
#include "base/files.h"
#include "actions/gathering.h"
#include "music/frm_confirmations.h"
#include "music/frm_midi.h"
#include "ui/messages.h"
#include "ui/replace_confirm.h"
#include "ui/window_parts.h"
#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmCopyMidi)
};

ReviewWindowSetup musicReviewSetup()
{
    ReviewWindowSetup s;
    s.name = windowName::FrmCopyMidi;
    s.title = Say::tr("Sonaplex/Background Music");
    s.warning = Say::tr("Please be certain that the \"Selection\" entries are Game Files and not Replacement Midi's.");
    s.deviceKind = audio::DeviceKind::Sequencer;
    s.board.count = 3;
    s.board.gameFrameName = [](int n) { return QStringLiteral("FrmMidiSelect%1").arg(n); };
    s.board.gameNameLabel = [](int n) { return QStringLiteral("LblFileName%1b").arg(n); };
    s.board.gamePathLabel = [](int n) { return QStringLiteral("LblMidiGamePath%1").arg(n); };
    s.board.replaceFrameName = [](int n) { return QStringLiteral("FrmWithMidi%1").arg(n); };
    s.board.replaceNameLabel = [](int n) { return QStringLiteral("LblMidiFileName%1").arg(n); };
    s.board.replacePathLabel = [](int n) { return QStringLiteral("LblMidiReplacePath%1").arg(n); };
    s.board.removeButtonName = [](int n) { return QStringLiteral("CmdMidiRemove%1").arg(n); };
    return s;
}
} // namespace

FrmCopyMidi::FrmCopyMidi(Forms& forms) : ReviewWindow(forms, musicReviewSetup())
{
    auto* backup = makeButton(QStringLiteral("CmdMidiBackup"), Say::tr("BACKUP ORIGINAL GAME FILES"),
        QStringLiteral(
            "Click here to back up original game files. IMPORTANT: PLEASE SEE \"HELP\"/\"ABOUT BACKING UP ORIGINALS\""),
        this);
    auto* sw = makeButton(
        QStringLiteral("CmdSwitch3"), QStringLiteral("SWITCH"), Say::tr("Complete the replacement process."), this);
    auto* favorites = makeButton(QStringLiteral("CmdFavorites"), Say::tr("Add to Favorites"),
        Say::tr("If you'd like to make a selection more easily accessible, click here to add it to your "
                "Favorite Midi directory."),
        this);
    auto* close = makeButton(
        QStringLiteral("CmdExitFrmCopyMidi"), Say::tr("Close"), Say::tr("Return to previous window."), this);
    auto* help = makeButton(
        QStringLiteral("CmdMidiHelp2"), Say::tr("Help"), Say::tr("The Sonaplex Step-by-Step Visual Tutorial."), this);
    for (QPushButton* b : {backup, sw, favorites, close, help, makeRestoreButton(*this)})
        bottomRow()->addWidget(b);
    connect(sw, &QPushButton::clicked, this, &FrmCopyMidi::CmdSwitch3_Click);
    connect(favorites, &QPushButton::clicked, this, &FrmCopyMidi::CmdFavorites_Click);
    connect(close, &QPushButton::clicked, this, &FrmCopyMidi::CmdExitFrmCopyMidi_Click);
    connect(help, &QPushButton::clicked, this, &FrmCopyMidi::CmdMidiHelp2_Click);
    closesWith(close);
    helpOn(help);
    connect(backup, &QPushButton::clicked, this, &FrmCopyMidi::CmdMidiBackup_Click);
}

void FrmCopyMidi::CmdSwitch3_Click()
{
    if (switchFiles())
        forms().showModeless<FrmReplaceConfirm>();
}

void FrmCopyMidi::CmdFavorites_Click()
{
    const QString folder = forms().folders().favorites();
    // A favourite of the same name with other content is replaced only when the user says so.
    QStringList taken;
    for (const Selection& s : board()->selections()) {
        const QString kept = folder + QDir::separator() + s.replacementName;
        if (!s.replacementName.isEmpty() && QFileInfo(kept).isFile() && fileIdentity(kept) != fileIdentity(s.replacementPath)
            && contentHash(kept).hash != contentHash(s.replacementPath).hash)
            taken << s.replacementName;
    }
    taken.removeDuplicates();
    if (!taken.isEmpty()
        && showMessage(Message{Say::tr("Your favorites already hold other files of these names:\n\n%1\n\n"
                                       "Replace them with the new ones?")
                                   .arg(taken.join(QLatin1Char('\n'))),
                           Say::tr("Add to Favorites"), MessageButtons::OkCancel},
               this)
            != MessageAnswer::Ok)
        return;
    const Report run = copyReplacementsInto(board()->selections(), folder);
    if (!run.ok()) {
        showMessage(failureReport(Say::tr("Not every file was added to your favorites:"), run,
                        Say::tr("These are in your favorites, but may not survive a crash or a power cut:")),
            Say::tr("Favorites Error"), this);
        return;
    }
    if (run.done() == 0) {
        showMessage(
            Say::tr("There are no replacement files to add to your favorites."), Say::tr("Favorites Error"), this);
        return;
    }
    forms().showModeless<FrmFavorites>();
}

void FrmCopyMidi::CmdMidiBackup_Click() { showBackup(windowName::FrmMidiBackup); }

void FrmCopyMidi::CmdExitFrmCopyMidi_Click() { backTo(forms().load<FrmMidi>()); }

void FrmCopyMidi::CmdMidiHelp2_Click() { forms().showModal(windowName::FrmMidiHelp2); }

} // namespace sonaplex
