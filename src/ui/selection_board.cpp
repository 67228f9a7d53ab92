#include "ui/selection_board.h"

#include "audio/source.h"
#include "base/files.h"
#include "ui/browser_pane.h"
#include "ui/messages.h"
#include "ui/sample_player.h"
#include "ui/window_parts.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/sound_names.h"

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SelectionBoard)
};
} // namespace

std::function<QString(const QString&)> replacementCheckFor(audio::DeviceKind kind)
{
    return [kind](const QString& path) { return audio::playableProblem(kind, path); };
}

SelectionBoard::SelectionBoard(const SelectionBoardSetup& setup, FileList* gameFiles, FileList* replacementFiles,
    std::function<SelectionList&()> selections, QWidget* parent)
    : QWidget(parent), setup_(setup), gameFiles_(gameFiles), replacementFiles_(replacementFiles),
      selections_(std::move(selections))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(4);
    for (int n = 1; n <= setup.count; ++n) {
        const QString number = QString::number(n);
        auto* frame = new QGroupBox(Say::tr("Selection ") + number, this);
        frame->setObjectName(setup.frameName(n));
        const QString frameTip = Say::tr("Indicates Selection %1 game and replacement file choices.").arg(n);
        frame->setToolTip(frameTip);
        if (setup.framesInTimes)
            useTimes(frame, 9, true);
        auto* game = new NameLabel(frame);
        game->setObjectName(setup.gameLabelName(n));
        game->setToolTip(frameTip);
        auto* replacement = new NameLabel(frame);
        replacement->setObjectName(setup.replaceLabelName(n));
        for (QLabel* l : {game, replacement}) {
            l->setAlignment(Qt::AlignCenter);
            usePlainFont(l);
            l->setMinimumHeight(l->fontMetrics().height());
            l->setMinimumWidth(140);
            l->setTextFormat(Qt::PlainText);
            QSizePolicy policy = l->sizePolicy();
            policy.setRetainSizeWhenHidden(true); // a hidden name still holds its line in the frame
            l->setSizePolicy(policy);
            l->setVisible(!setup.labelsHiddenAtLoad);
        }
        auto* inner = new QVBoxLayout(frame);
        inner->setContentsMargins(4, 2, 4, 2);
        inner->setSpacing(1);
        inner->addWidget(game);
        inner->addWidget(replacement);

        auto* chooseGame = new QPushButton(Say::tr("Game File"), this);
        chooseGame->setObjectName(setup.gameButtonName(n));
        chooseGame->setToolTip(Say::tr("Set Selection %1 game or program file choice.").arg(n));
        auto* remove = new QPushButton(Say::tr("Remove"), this);
        remove->setObjectName(setup.removeButtonName(n));
        remove->setToolTip(Say::tr("Clear Selection %1 choices.").arg(n));
        auto* replace = new QPushButton(Say::tr("Replace"), this);
        replace->setObjectName(setup.replaceButtonName(n));
        replace->setToolTip(Say::tr("Set Selection %1 replacement choice.").arg(n));
        connect(chooseGame, &QPushButton::clicked, this, [this, n] { this->chooseGame(n); });
        connect(remove, &QPushButton::clicked, this, [this, n] { this->remove(n); });
        connect(replace, &QPushButton::clicked, this, [this, n] { chooseReplacement(n); });

        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(frame);
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(2);
        for (QPushButton* b : {chooseGame, remove, replace}) {
            b->setAutoDefault(false);
            buttons->addWidget(b);
        }
        cell->addLayout(buttons);
        grid->addLayout(cell, (n - 1) / setup.columns, (n - 1) % setup.columns);
        slots_.push_back({frame, game, replacement});
        for (QLabel* l : {game, replacement}) { // a file dropped here is chosen as the button would
            l->setAcceptDrops(true);
            l->installEventFilter(this);
        }
    }
}

bool SelectionBoard::inOrder(bool gameSide, int n) const
{
    for (int k = 1; k < n; ++k) {
        const Slot& slot = slots_[size_t(k - 1)];
        if ((gameSide ? slot.game : slot.replacement)->text().isEmpty()) {
            showMessage(Say::tr("Please make selections in correct order"), setup_.orderErrorTitle, window());
            return false;
        }
    }
    return true;
}

bool SelectionBoard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QList<QUrl> urls = drop->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile() || !QFileInfo(urls.front().toLocalFile()).isFile())
        return false; // one file at a time, as a button takes one
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        for (int n = 1; n <= int(slots_.size()); ++n)
            if (watched == slots_[size_t(n - 1)].game || watched == slots_[size_t(n - 1)].replacement)
                emit fileDropped(n, watched == slots_[size_t(n - 1)].game, urls.front().toLocalFile());
    return true;
}

// A file whose name cannot be read back is refused by name: choosing it would make SWITCH write
// a new file under another name.
bool SelectionBoard::usable(const QString& path) const
{
    const QString why = undecodableName(path);
    if (why.isEmpty())
        return true;
    QString text = why;
    text[0] = text[0].toUpper();
    showMessage(text + QLatin1Char('.'), setup_.orderErrorTitle, window());
    return false;
}

void SelectionBoard::chooseGame(int n)
{
    if (!inOrder(true, n))
        return;
    const QString name = gameFiles_->fileName();
    if (!usable(gameFiles_->fullPath()))
        return;
    showName(slots_[size_t(n - 1)], true, name);
    // Nothing highlighted chooses no game file (not the folder under an empty name).
    selections_().setGameFile(n, name.isEmpty() ? QString() : gameFiles_->fullPath(), name);
}

void SelectionBoard::chooseReplacement(int n)
{
    if (!inOrder(false, n))
        return;
    const QString name = replacementFiles_->fileName();
    if (!usable(replacementFiles_->fullPath()))
        return;
    // Only a sound the program can open may replace a game's: anything else is refused here,
    // before it can reach a game folder.
    if (!name.isEmpty() && setup_.replacementCheck) {
        if (const QString why = setup_.replacementCheck(replacementFiles_->fullPath()); !why.isEmpty()) {
            showMessage(why
                    + Say::tr("\n\n%1 cannot be a replacement: only a %2 that Sonaplex can play can "
                              "replace a game file.")
                          .arg(name, setup_.replacementKind),
                setup_.orderErrorTitle, window());
            return;
        }
    }
    // A game reads its file by the format its name promises: a recording never stands in for a
    // module or a MIDI file, nor the other way round.
    if (const QString game = selections_().at(n).gameName; !name.isEmpty() && !game.isEmpty()) {
        if (const SoundFitAnswer fit = soundFit(game, name); fit.fit == SoundFit::Refused) {
            QString text = fit.why;
            text[0] = text[0].toUpper();
            showMessage(text + QLatin1Char('.'), setup_.orderErrorTitle, window());
            return;
        }
    }
    showName(slots_[size_t(n - 1)], false, name);
    selections_().setReplacementFile(n, name.isEmpty() ? QString() : replacementFiles_->fullPath(), name);
}

void SelectionBoard::showName(Slot& slot, bool gameSide, const QString& name)
{
    QLabel* label = gameSide ? slot.game : slot.replacement;
    label->setText(name);
    label->show();
    setTextColour(label, gameSide ? kGameRed : kReplacementBlue);
}

void SelectionBoard::remove(int n)
{
    Slot& slot = slots_[size_t(n - 1)];
    slot.game->clear();
    slot.replacement->clear();
    selections_().remove(n);
}

void SelectionBoard::clearNames()
{
    for (auto& slot : slots_) {
        slot.replacement->clear();
        slot.game->clear();
    }
}

} // namespace sonaplex
