#include "music/frm_midi.h"
#include "ui/window_names.h"

#include "base/files.h"
#include "music/frm_copy_midi.h"
#include "ui/window_parts.h"
#include "base/sound_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmMidi)
};

SelectionWindowSetup musicSetup()
{
    SelectionWindowSetup s;
    s.name = windowName::FrmMidi;
    s.title = Say::tr("Sonaplex/Background Music");
    s.gameTitleName = QStringLiteral("LblGameMidiFilesTitle");
    s.replaceTitleName = QStringLiteral("LblReplaceMidiTitle");
    s.gamePane = gamePaneSetup(QStringLiteral("Midi2"), QStringLiteral("LblMidiSample2"), QStringLiteral("midi"),
        musicPattern(), audio::DeviceKind::Sequencer);
    s.replacementPane = replacementPaneSetup(QStringLiteral("Midi1"), QStringLiteral("LblMidiSample1"),
        QStringLiteral("midi"), Say::tr("your Favorite Midi Folder"), musicPattern(), audio::DeviceKind::Sequencer);
    s.board.count = 3;
    s.board.columns = 1;
    s.board.frameName = [](int n) { return QStringLiteral("FramMidiSel%1").arg(n); };
    s.board.gameLabelName = [](int n) { return QStringLiteral("LblGameMidi%1").arg(n); };
    s.board.replaceLabelName = [](int n) { return QStringLiteral("LblReplaceMidi%1").arg(n); };
    s.board.gameButtonName = [](int n) { return QStringLiteral("CmdChooseGame%1mid").arg(n); };
    s.board.removeButtonName = [](int n) { return QStringLiteral("CmdRemoveMidi%1").arg(n); };
    s.board.replaceButtonName = [](int n) { return QStringLiteral("CmdReplaceMidi%1").arg(n); };
    s.board.orderErrorTitle = Say::tr("Midi Selection Error");
    s.nextName = QStringLiteral("CmdSonaplex");
    s.reviewName = windowName::FrmCopyMidi;
    return s;
}
} // namespace

FrmMidi::FrmMidi(Forms& forms)
    : SelectionWindow(forms, musicSetup())
{
    const QString tutorial = Say::tr("The Sonaplex Step-by-Step Visual Tutorial.");
    auto* about = makeButton(QStringLiteral("CmdAbout"), Say::tr("About"), tutorial, this);
    auto* effects = makeButton(
        QStringLiteral("CmdGotoWavSelect1"), Say::tr("Sound Effects"), Say::tr("Go to Sonaplex-Sound Effects."), this);
    auto* games = makeButton(QStringLiteral("CmdMidiGames"), Say::tr("Games"), Say::tr("PC Game Download Sites"), this);
    auto* exit = makeButton(QStringLiteral("CmdExit1"), Say::tr("Exit Program"), QString(), this);
    auto* help = makeButton(QStringLiteral("CmdHelpMidi"), Say::tr("Help"), tutorial, this);
    for (QPushButton* b : {about, effects, games, exit, help, makeRestoreButton(*this), makePacksButton(*this)})
        bottomRow()->addWidget(b);
    connect(effects, &QPushButton::clicked, this, &FrmMidi::CmdGotoWavSelect1_Click);
    connect(exit, &QPushButton::clicked, this, &FrmMidi::CmdExit1_Click);
    connect(about, &QPushButton::clicked, this, &FrmMidi::CmdAbout_Click);
    connect(games, &QPushButton::clicked, this, &FrmMidi::CmdMidiGames_Click);
    connect(help, &QPushButton::clicked, this, &FrmMidi::CmdHelpMidi_Click);
    helpOn(help);
    connect(this, &SelectionWindow::nextClicked, this, &FrmMidi::CmdSonaplex_Click);
    growFromFirstSize();
}

void FrmMidi::formLoad()
{
    SelectionWindow::formLoad();
    // Favourite replacement music lives here; it is usually there already, which is fine.
    createFolder(forms().folders().favorites());
}

void FrmMidi::CmdSonaplex_Click() { goToReview(forms().load<FrmCopyMidi>()); }

void FrmMidi::CmdGotoWavSelect1_Click()
{
    forms().hide(*this);
    forms().unload(*this);
    forms().showModeless(windowName::FrmWavSelect);
}

void FrmMidi::CmdExit1_Click() { forms().endProgram(); }
void FrmMidi::CmdAbout_Click() { forms().showModal(windowName::frmAbout); }
void FrmMidi::CmdMidiGames_Click() { forms().showModal(windowName::FrmGameLinks); }
void FrmMidi::CmdHelpMidi_Click() { forms().showModal(windowName::FrmMidiHelp); }

} // namespace sonaplex
