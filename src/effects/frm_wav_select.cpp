#include "effects/frm_wav_select.h"
#include "ui/window_names.h"

#include "effects/frm_copy_wavs.h"
#include "ui/window_parts.h"
#include "base/sound_names.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmWavSelect)
};

SelectionWindowSetup effectsSetup()
{
    SelectionWindowSetup s;
    s.name = windowName::FrmWavSelect;
    s.title = Say::tr("Sonaplex/Sound Effects");
    s.gameTitleName = QStringLiteral("LblGameFilesTitle");
    s.replaceTitleName = QStringLiteral("LblReplaceTitle");
    s.gameTitleTip = Say::tr("Game or program files are displayed in red.");
    s.replaceTitleTip = Say::tr("Replacement files are displayed in blue.");
    s.gamePane = gamePaneSetup(QStringLiteral("Wav1"), QStringLiteral("LblSampleWav1"), QStringLiteral("wav"),
        effectsPattern(), audio::DeviceKind::WaveAudio);
    s.replacementPane = replacementPaneSetup(QStringLiteral("Wav2"), QStringLiteral("LblSampleWav2"),
        QStringLiteral("wav"), Say::tr("an Effects Set"), effectsPattern(), audio::DeviceKind::WaveAudio);
    s.board.count = 6;
    s.board.columns = 2;
    s.board.frameName = [](int n) {
        return n <= 2 ? QStringLiteral("FrmSelectionTitle%1").arg(n) : QStringLiteral("Frame%1").arg(n);
    };
    s.board.gameLabelName = [](int n) { return QStringLiteral("LblGameWav%1").arg(n); };
    s.board.replaceLabelName = [](int n) { return QStringLiteral("LblReplaceWav%1").arg(n); };
    s.board.gameButtonName = [](int n) { return QStringLiteral("CmdChooseGame%1").arg(n); };
    s.board.removeButtonName = [](int n) { return QStringLiteral("CmdRemove%1").arg(n); };
    s.board.replaceButtonName = [](int n) { return QStringLiteral("CmdReplaceWav%1").arg(n); };
    s.board.framesInTimes = true;
    s.board.labelsHiddenAtLoad = true;
    s.board.orderErrorTitle = Say::tr("Wav Selection Error");
    s.nextName = QStringLiteral("CmdSwitch");
    s.reviewName = windowName::FrmCopyWavs;
    return s;
}
} // namespace

FrmWavSelect::FrmWavSelect(Forms& forms)
    : SelectionWindow(forms, effectsSetup())
{
    auto* close = makeButton(QStringLiteral("CmdQuit2"), Say::tr("Close"), Say::tr("Return to Sonaplex"), this);
    auto* games = makeButton(QStringLiteral("CmdWavGames"), Say::tr("Games"), Say::tr("PC Game Download Sites"), this);
    auto* exit = makeButton(QStringLiteral("CmdExitProgWav"), Say::tr("Exit Program"), QString(), this);
    auto* help = makeButton(
        QStringLiteral("CmdWavHelp1"), Say::tr("Help"), Say::tr("The Sonaplex Step-by-Step Visual Tutorial."), this);
    for (QPushButton* b : {close, games, exit, help, makeRestoreButton(*this), makePacksButton(*this)})
        bottomRow()->addWidget(b);
    connect(close, &QPushButton::clicked, this, &FrmWavSelect::CmdQuit2_Click);
    connect(exit, &QPushButton::clicked, this, &FrmWavSelect::CmdExitProgWav_Click);
    connect(games, &QPushButton::clicked, this, &FrmWavSelect::CmdWavGames_Click);
    connect(help, &QPushButton::clicked, this, &FrmWavSelect::CmdWavHelp1_Click);
    helpOn(help);
    connect(this, &SelectionWindow::nextClicked, this, &FrmWavSelect::CmdSwitch_Click);
    growFromFirstSize();
}

void FrmWavSelect::CmdSwitch_Click() { goToReview(forms().load<FrmCopyWavs>()); }

void FrmWavSelect::CmdQuit2_Click()
{
    forms().hide(*this);
    forms().unload(*this);
    forms().showModeless(windowName::FrmMidi);
}

void FrmWavSelect::CmdExitProgWav_Click() { forms().endProgram(); }
void FrmWavSelect::CmdWavGames_Click() { forms().showModal(windowName::FrmWavGame); }
void FrmWavSelect::CmdWavHelp1_Click() { forms().showModal(windowName::FrmWavHelp1); }

} // namespace sonaplex
