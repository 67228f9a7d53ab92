#include "ui/selection_window.h"

#include "ui/sample_player.h"
#include "ui/window_parts.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The board refuses replacements that the side's replacement player could not open.
// The panes offer the home folder and the program folder (where backups and sets are kept)
// beside the drives.
PaneSetup withPlaces(PaneSetup pane, const Forms& forms, bool gameSide)
{
    pane.places = {QDir::homePath(), forms.programFolder()};
    if (gameSide) // game files Sonaplex replaced are marked
        pane.record = forms.record();
    return pane;
}

SelectionBoardSetup checkedBoard(const SelectionWindowSetup& setup)
{
    SelectionBoardSetup board = setup.board;
    if (!board.replacementCheck)
        board.replacementCheck = replacementCheckFor(setup.replacementPane.deviceType);
    if (board.replacementKind.isEmpty())
        board.replacementKind = isMidiDevice(setup.replacementPane.deviceType) ? QStringLiteral("MIDI file")
                                                                               : QStringLiteral("wave file");
    return board;
}
} // namespace

SelectionWindow::SelectionWindow(
    Forms& forms, const SelectionWindowSetup& setup, std::function<SelectionStore&()> store)
    : Form(forms, setup.name, setup.title, CloseBox | MinimizeBox),
      gamePane_(new BrowserPane(withPlaces(setup.gamePane, forms, true), forms.audio(), this)),
      replacementPane_(new BrowserPane(withPlaces(setup.replacementPane, forms, false), forms.audio(), this)),
      board_(new SelectionBoard(
          checkedBoard(setup), gamePane_->files(), replacementPane_->files(), std::move(store), this)),
      bottom_(new QHBoxLayout)
{
    auto* gameTitle = makeLabel(setup.gameTitleName, QStringLiteral("GAME FILES"), this);
    auto* replaceTitle = makeLabel(setup.replaceTitleName, QStringLiteral("REPLACEMENT FILES"), this);
    gameTitle->setToolTip(setup.gameTitleTip);
    replaceTitle->setToolTip(setup.replaceTitleTip);
    setTextColour(gameTitle, kGameRed);
    setTextColour(replaceTitle, kReplacementBlue);
    for (QLabel* l : {gameTitle, replaceTitle}) {
        setBold(l);
        l->setAlignment(Qt::AlignCenter);
    }

    auto* next = makeButton(setup.nextName, QStringLiteral("Next"),
        QStringLiteral("When all desired selections have been made, click here to continue."), this);
    next->setMinimumHeight(34);
    connect(next, &QPushButton::clicked, this, [this] { emit nextClicked(); });

    auto* left = new QVBoxLayout;
    left->addWidget(gameTitle);
    left->addWidget(gamePane_, 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(board_);
    middle->addStretch(1);
    middle->addWidget(next);
    auto* right = new QVBoxLayout;
    right->addWidget(replaceTitle);
    right->addWidget(replacementPane_, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle, 1);
    columns->addLayout(right);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addLayout(bottom_);
}

void SelectionWindow::formLoad()
{
    gamePane_->preparePlayer();
    replacementPane_->preparePlayer();
}

void SelectionWindow::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    gamePane_->files()->refreshMarks();
}

void SelectionWindow::formUnload()
{
    gamePane_->closePlayer();
    replacementPane_->closePlayer();
}

void SelectionWindow::goToReview(Form& review)
{
    gamePane_->player()->setCommand(QStringLiteral("close"));
    board_->clearNames();
    forms().hide(*this);
    forms().showModeless(review);
}

} // namespace sonaplex
