#include "ui/selection_window.h"
#include "ui/window_names.h"
#include "ui/window_requests.h"

#include "ui/installed_games.h"
#include "words/report_words.h"

#include "ui/messages.h"
#include "ui/sample_player.h"
#include "ui/waveform.h"
#include "ui/window_parts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include <cmath>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SelectionWindow)
};

// The board refuses replacements that the side's replacement player could not open.
// The panes offer the home folder and the program folder (where backups and sets are kept)
// beside the drives.
PaneSetup withPlaces(PaneSetup pane, Forms& forms, bool gameSide)
{
    pane.places = {QDir::homePath(), forms.programFolder()};
    pane.games = &forms.games(); // and the installed games after them
    pane.settingsFile = forms.programFolder() + QStringLiteral("/settings.ini");
    if (gameSide) { // game files Sonaplex replaced are marked; a game's sounds can be listed whole
        pane.record = forms.recordHandle();
        pane.gameSounds = QStringLiteral("ChkGameSounds") + pane.drive.mid(3);
    }
    return pane;
}

SelectionBoardSetup checkedBoard(const SelectionWindowSetup& setup)
{
    SelectionBoardSetup board = setup.board;
    if (!board.replacementCheck)
        board.replacementCheck = replacementCheckFor(setup.replacementPane.deviceKind);
    if (board.replacementKind.isEmpty())
        board.replacementKind = setup.replacementPane.deviceKind == audio::DeviceKind::Sequencer
            ? Say::tr("MIDI file, recording or tracker module")
            : Say::tr("wave file or recording");
    return board;
}
} // namespace

SelectionWindow::SelectionWindow(Forms& forms, const SelectionWindowSetup& setup)
    : Form(forms, setup.name, setup.title, CloseBox | MinimizeBox), reviewName_(setup.reviewName),
      count_(setup.board.count),
      gamePane_(new BrowserPane(withPlaces(setup.gamePane, forms, true), forms.audio(), this)),
      replacementPane_(new BrowserPane(withPlaces(setup.replacementPane, forms, false), forms.audio(), this)),
      board_(new SelectionBoard(
          checkedBoard(setup), gamePane_->files(), replacementPane_->files(),
          [this]() -> SelectionList& { return selections(); }, this)),
      bottom_(new QHBoxLayout), matchLoudness_(new QCheckBox(Say::tr("Match loudness"), this)),
      updateNotice_(new QLabel(this))
{
    auto* gameTitle = makeLabel(setup.gameTitleName, Say::tr("GAME FILES"), this);
    auto* replaceTitle = makeLabel(setup.replaceTitleName, Say::tr("REPLACEMENT FILES"), this);
    gameTitle->setToolTip(setup.gameTitleTip);
    replaceTitle->setToolTip(setup.replaceTitleTip);
    setTextColour(gameTitle, kGameRed);
    setTextColour(replaceTitle, kReplacementBlue);
    for (QLabel* l : {gameTitle, replaceTitle}) {
        setBold(l);
        l->setAlignment(Qt::AlignCenter);
    }

    auto* next = makeButton(setup.nextName, Say::tr("Next"),
        Say::tr("When all desired selections have been made, click here to continue."), this);
    next->setMinimumHeight(34);
    connect(next, &QPushButton::clicked, this, [this] { emit nextClicked(); });

    auto* compare = makeButton(QStringLiteral("CmdCompare"), Say::tr("Compare A/B"),
        Say::tr("Switches between the highlighted game file and the highlighted replacement at the same point "
                "of the sound (Ctrl+B)."),
        this);
    connect(compare, &QPushButton::clicked, this, &SelectionWindow::compare);
    auto* compareKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+B")), this);
    connect(compareKey, &QShortcut::activated, this, &SelectionWindow::compare);
    // The player of the pane that has the focus (the game pane's when neither has it):
    // Ctrl+Space plays or pauses it, Ctrl+. stops it.
    auto focusedPlayer = [this] {
        QWidget* focus = QApplication::focusWidget();
        return focus && replacementPane_->isAncestorOf(focus) ? replacementPane_->player() : gamePane_->player();
    };
    auto* playKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Space")), this);
    connect(playKey, &QShortcut::activated, this, [focusedPlayer] {
        SamplePlayer* player = focusedPlayer();
        if (player->engine().state() == audio::PlayState::Playing)
            player->pause();
        else
            player->play();
    });
    auto* stopKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+.")), this);
    connect(stopKey, &QShortcut::activated, this, [focusedPlayer] { focusedPlayer()->stop(); });
    matchLoudness_->setObjectName(QStringLiteral("ChkMatchLoudness"));
    matchLoudness_->setToolTip(Say::tr("While comparing, the louder of the two plays as loud as the quieter."));
    connect(matchLoudness_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            for (BrowserPane* pane : {gamePane_, replacementPane_})
                pane->player()->engine().setGain(1.0f);
    });
    // A file dropped on a selection's name is shown in its pane and chosen as the button would.
    connect(board_, &SelectionBoard::fileDropped, this, [this](int n, bool gameSide, const QString& path) {
        BrowserPane* pane = gameSide ? gamePane_ : replacementPane_;
        if (!pane->showFile(
                path, [this, n, gameSide] { gameSide ? board_->chooseGame(n) : board_->chooseReplacement(n); }))
            showMessage(Say::tr("%1 is not a file this side lists.").arg(QFileInfo(path).fileName()),
                Say::tr("File Selection Error"), this);
    });
    auto* compareRow = new QHBoxLayout;
    compareRow->addWidget(compare);
    compareRow->addWidget(matchLoudness_);

    auto* left = new QVBoxLayout;
    left->addWidget(gameTitle);
    left->addWidget(gamePane_, 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(board_);
    middle->addStretch(1);
    // In the room under the selections: the row of buttons along the bottom is full.
    middle->addWidget(makeGameSoundsButton(*this, [this] { return gamePane_->gameFolderShown(); }));
    middle->addLayout(compareRow);
    middle->addWidget(next);
    auto* right = new QVBoxLayout;
    right->addWidget(replaceTitle);
    right->addWidget(replacementPane_, 1);
    // Enlarged, the window gives the room to the two panes (their lists); the selections keep
    // their width.
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(middle);
    columns->addLayout(right, 1);
    updateNotice_->setObjectName(QStringLiteral("LblUpdateNotice"));
    updateNotice_->setTextFormat(Qt::RichText);
    updateNotice_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    updateNotice_->setWordWrap(true);
    updateNotice_->setToolTip(Say::tr("Open the restore window (or the game's sounds) on the game: Replace "
                                      "Again puts back what Sonaplex put there."));
    updateNotice_->hide();
    connect(updateNotice_, &QLabel::linkActivated, this, &SelectionWindow::openFromNotice);
    for (BrowserPane* pane : {gamePane_, replacementPane_})
        connect(pane, &BrowserPane::gameSoundsWanted, this,
            [this](const QString& folder) { openFromNotice(QStringLiteral("game:") + QString::fromLatin1(QUrl::toPercentEncoding(folder))); });
    connect(&forms.games(), &InstalledGames::found, this, &SelectionWindow::showUpdateNotice);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addWidget(updateNotice_);
    outer->addLayout(bottom_);
    showUpdateNotice();
}

void SelectionWindow::showUpdateNotice()
{
    const InstalledGames& games = forms().games();
    QStringList lines;
    for (size_t i = 0; i < games.games().size() && i < games.counts().size(); ++i)
        if (const int changed = games.counts()[i].changed; changed > 0)
            lines << Say::tr("<a href=\"%1\">%2</a> <a href=\"changed:%1\">Game Sounds...</a>")
                         .arg(QString::fromLatin1(QUrl::toPercentEncoding(games.games()[i].folder)),
                             changedByUpdateWords(changed, games.games()[i].name).toHtmlEscaped());
    updateNotice_->setText(lines.join(QStringLiteral("<br>")));
    updateNotice_->setVisible(!lines.isEmpty());
}

void SelectionWindow::openFromNotice(const QString& link)
{
    // The game's own window, on the game (from the update notice: on the sounds it changed).
    if (link.startsWith(QLatin1String("game:")) || link.startsWith(QLatin1String("changed:"))) {
        const qsizetype colon = link.indexOf(QLatin1Char(':'));
        Form& gameWindow = forms().load(windowName::FrmGame);
        const QString folder = QUrl::fromPercentEncoding(link.mid(colon + 1).toLatin1());
        if (link.startsWith(QLatin1String("game:")) && takes<ShowsGame>(gameWindow))
            takes<ShowsGame>(gameWindow)->showGame(folder);
        else if (link.startsWith(QLatin1String("changed:")) && takes<ShowsChanges>(gameWindow))
            takes<ShowsChanges>(gameWindow)->showChanges(folder);
        forms().showModal(gameWindow);
        return;
    }
    Form& restore = forms().load(windowName::FrmRestore);
    if (auto* shows = takes<ShowsFolder>(restore))
        shows->showFolder(QUrl::fromPercentEncoding(link.toLatin1()));
    forms().showModal(restore);
}

SelectionList& SelectionWindow::selections() const
{
    return forms().selections(reviewName_, count_, true); // every side has recordings to compare
}

void SelectionWindow::compare() { compareAB(gamePane_->player(), replacementPane_->player(), matchLoudness_->isChecked()); }

void SelectionWindow::formLoad()
{
    gamePane_->preparePlayer();
    replacementPane_->preparePlayer();
}

void SelectionWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    gamePane_->files()->refreshMarks();
}

void SelectionWindow::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return; // minimised: the user may still be listening
    for (BrowserPane* pane : {gamePane_, replacementPane_})
        if (pane->player()->engine().state() == audio::PlayState::Playing)
            pane->player()->stop();
}

void SelectionWindow::formUnload()
{
    gamePane_->closePlayer();
    replacementPane_->closePlayer();
}

void SelectionWindow::goToReview(Form& review)
{
    gamePane_->player()->closeFile();
    board_->clearNames();
    forms().hide(*this);
    forms().showModeless(review);
}

} // namespace sonaplex
