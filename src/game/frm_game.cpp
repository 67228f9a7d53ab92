#include "game/frm_game.h"

#include "base/files.h"

#include "actions/game_sounds.h"
#include "actions/replacement.h"
#include "record/format_cache.h"
#include "audio/probe.h"
#include "audio/source.h"
#include "base/sound_names.h"
#include "game/game_sounds_model.h"
#include "ui/format_conversion.h"
#include "ui/installed_games.h"
#include "ui/long_work.h"
#include "ui/messages.h"
#include "ui/sample_player.h"
#include "ui/window_names.h"
#include "ui/window_parts.h"
#include "words/report_words.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmGame)
};
} // namespace

// The replacements chosen in the game window and not yet put in, per game folder: they stay
// with the program, not the window, until it ends.
namespace {

QString kTitle() { return Say::tr("Game Sounds"); }

QString settingsFile(const Forms& forms) { return forms.programFolder() + QStringLiteral("/settings.ini"); }

// A state ("replaced by NAME, DATE") too long for its column loses its end, the date, not the
// name of what replaced the sound (the list cuts paths in their middle).
class CutAtTheEnd : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideRight;
    }
};

} // namespace

FrmGame::FrmGame(Forms& forms)
    : Form(forms, windowName::FrmGame, Say::tr("Sonaplex/Game Sounds"), CloseBox | MinimizeBox),
      games_(new QComboBox(this)), filter_(new QLineEdit(this)), show_(new QComboBox(this)), list_(new QTreeView(this)),
      model_(new GameSoundsModel(this)), filtered_(new GameSoundsFilter(model_, this)),
      summary_(makeLabel(QStringLiteral("LblGameSummary"), QString(), this)),
      difference_(makeLabel(QStringLiteral("LblFormatDifference"), QString(), this)),
      gamePlayer_(new SamplePlayer(forms.audio(), this)), replacementPlayer_(new SamplePlayer(forms.audio(), this)),
      matchLoudness_(new QCheckBox(Say::tr("Match loudness"), this)),
      autoPlay_(new QCheckBox(Say::tr("Play on select"), this))
{
    helpOn(QString(windowName::FrmGameHelp)); // F1
    games_->setObjectName(QStringLiteral("CboGame"));
    games_->setToolTip(Say::tr("The game whose sounds are listed."));
    games_->setMinimumWidth(260);
    filter_->setObjectName(QStringLiteral("TxtFilter"));
    filter_->setPlaceholderText(Say::tr("Filter by path"));
    filter_->setClearButtonEnabled(true);
    filter_->setToolTip(Say::tr("Shows only the sounds whose path holds this text (Ctrl+F)."));
    show_->setObjectName(QStringLiteral("CboShow"));
    show_->addItems({Say::tr("All sounds"), Say::tr("Replaced"), Say::tr("Changed by an update"), Say::tr("Pending")});
    show_->setToolTip(Say::tr("Which sounds to show, by their state."));
    connect(filter_, &QLineEdit::textChanged, filtered_, &GameSoundsFilter::setText);
    connect(show_, &QComboBox::currentIndexChanged, this,
        [this](int i) { filtered_->setShow(GameSoundsModel::Show(std::max(0, i))); });
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, filter_, [this] { filter_->setFocus(Qt::ShortcutFocusReason); });

    setUpList();

    const struct {
        const char* name;
        const char* caption;
        const char* tip;
        void (FrmGame::*handler)();
    } choosing[] = {
        {"CmdChooseReplacement", QT_TRANSLATE_NOOP("FrmGame", "Choose &Replacement..."), QT_TRANSLATE_NOOP("FrmGame", "Choose the file that replaces the selected sounds (Enter)."),
            &FrmGame::CmdChooseReplacement_Click},
        {"CmdReplaceFromFolder", QT_TRANSLATE_NOOP("FrmGame", "Replace from &Folder..."),
            QT_TRANSLATE_NOOP("FrmGame", "Match a folder of your sounds to the game's, by their paths inside the game, then by their names."),
            &FrmGame::CmdReplaceFromFolder_Click},
        {"CmdClearReplacement", QT_TRANSLATE_NOOP("FrmGame", "C&lear Replacement"), QT_TRANSLATE_NOOP("FrmGame", "Clear the replacements of the selected sounds (Delete)."),
            &FrmGame::CmdClearReplacement_Click},
    },
      acting[] = {
          {"CmdSwitchGame", "SWITCH", QT_TRANSLATE_NOOP("FrmGame", "Replace every sound that has a replacement chosen, in one run."),
              &FrmGame::CmdSwitchGame_Click},
          {"CmdRestoreSelected", QT_TRANSLATE_NOOP("FrmGame", "Restore &Selected"), QT_TRANSLATE_NOOP("FrmGame", "Put the selected sounds back as they were originally."),
              &FrmGame::CmdRestoreSelected_Click},
          {"CmdUndoGame", QT_TRANSLATE_NOOP("FrmGame", "&Undo Last SWITCH"), QT_TRANSLATE_NOOP("FrmGame", "Put back exactly what the last SWITCH (or restore) overwrote."),
              &FrmGame::CmdUndoGame_Click},
          {"CmdReplaceAgain", QT_TRANSLATE_NOOP("FrmGame", "Replace &Again"),
              QT_TRANSLATE_NOOP("FrmGame", "Put back what Sonaplex put over the selected sounds (all of them, when none is selected) that a game "
              "update changed since."),
              &FrmGame::CmdReplaceAgain_Click},
          {"CmdPackGame", QT_TRANSLATE_NOOP("FrmGame", "Make &Pack..."), QT_TRANSLATE_NOOP("FrmGame", "Make a sound pack of what Sonaplex replaced in this game."),
              &FrmGame::CmdPackGame_Click},
          {"CmdCloseGame", QT_TRANSLATE_NOOP("FrmGame", "Close"), QT_TRANSLATE_NOOP("FrmGame", "Return to the previous window."), &FrmGame::CmdCloseGame_Click},
      };
    auto buttonRow = [this](const auto& buttons) {
        auto* row = new QHBoxLayout;
        for (const auto& b : buttons) {
            auto* button = makeButton(QLatin1String(b.name), Say::tr(b.caption), Say::tr(b.tip), this);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, b.handler);
            row->addWidget(button);
        }
        return row;
    };
    auto* top = new QHBoxLayout;
    top->addWidget(makeLabel(QStringLiteral("LblGame"), Say::tr("Game:"), this));
    top->addWidget(games_, 1);
    top->addWidget(filter_, 1);
    top->addWidget(show_);
    auto* chooseRow = buttonRow(choosing);
    chooseRow->addStretch(1);
    chooseRow->addWidget(autoPlay_);
    QHBoxLayout* players = makePlayers();
    auto* actRow = buttonRow(acting);
    actRow->insertStretch(actRow->count() - 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addWidget(summary_);
    layout->addLayout(chooseRow);
    layout->addLayout(players);
    layout->addWidget(difference_);
    layout->addLayout(actRow);
    setSizeGripEnabled(true);
    resize(900, 640);
    connect(games_, &QComboBox::activated, this, &FrmGame::gameChosen);
    // The games found again (a launcher's manifest changed: an update, most likely): the list
    // follows what the game's files hold now.
    connect(&forms.games(), &InstalledGames::found, this, [this] {
        fillGames();
        refreshStates();
    });
}

void FrmGame::setUpList()
{
    list_->setObjectName(QStringLiteral("LstGameSounds"));
    list_->setAccessibleName(Say::tr("Sounds of the game"));
    list_->setModel(filtered_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setTextElideMode(Qt::ElideMiddle); // a path's end names the sound
    list_->setItemDelegateForColumn(GameSoundsModel::State, new CutAtTheEnd(list_));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSortingEnabled(true);
    list_->sortByColumn(GameSoundsModel::Name, Qt::AscendingOrder);
    list_->setDragDropMode(QAbstractItemView::DropOnly);
    list_->setAcceptDrops(true);
    list_->setDropIndicatorShown(true);
    list_->setMinimumSize(560, 200);
    list_->header()->setStretchLastSection(true);
    // Each at least as wide as its heading, in the language the program speaks.
    for (auto [column, width] : {std::pair{GameSoundsModel::Name, 260}, std::pair{GameSoundsModel::Format, 170},
             std::pair{GameSoundsModel::Length, 60}, std::pair{GameSoundsModel::State, 200}}) {
        list_->setColumnWidth(column, std::max(width, headingWidth(column)));
    }
    list_->installEventFilter(this);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FrmGame::currentChanged);
    connect(model_, &GameSoundsModel::fileDropped, this,
        [this](int row, const QString& path) { chooseReplacement(model_->at(row).name, path); });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        const QModelIndex current = filtered_->mapToSource(list_->currentIndex());
        if (current.isValid() && current.row() >= from.row() && current.row() <= to.row())
            difference_->setText(model_->difference(current.row()));
    });

}

QHBoxLayout* FrmGame::makePlayers()
{
    gamePlayer_->setObjectName(QStringLiteral("PlayerGameSound"));
    replacementPlayer_->setObjectName(QStringLiteral("PlayerReplacement"));
    matchLoudness_->setObjectName(QStringLiteral("ChkMatchLoudness"));
    matchLoudness_->setToolTip(Say::tr("While comparing, the louder of the two plays as loud as the quieter."));
    connect(matchLoudness_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            for (SamplePlayer* p : {gamePlayer_, replacementPlayer_})
                p->engine().setGain(1.0f);
    });
    autoPlay_->setObjectName(QStringLiteral("ChkAutoPlay"));
    autoPlay_->setToolTip(Say::tr("Moving through the list plays each game sound."));
    difference_->setWordWrap(true);

    auto* compare = makeButton(QStringLiteral("CmdCompare"), Say::tr("Compare A/B"),
        Say::tr("Switches between the game sound and its replacement at the same point of the sound (Ctrl+B)."), this);
    compare->setAutoDefault(false);
    connect(compare, &QPushButton::clicked, this, &FrmGame::CmdCompare_Click);
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+B")), this), &QShortcut::activated, this,
        &FrmGame::CmdCompare_Click);

    auto* players = new QHBoxLayout;
    for (auto [player, caption] : {std::pair{gamePlayer_, QT_TRANSLATE_NOOP("FrmGame", "Game sound")},
             std::pair{replacementPlayer_, QT_TRANSLATE_NOOP("FrmGame", "Replacement")}}) {
        auto* box = new QGroupBox(Say::tr(caption), this);
        auto* inside = new QVBoxLayout(box);
        inside->addWidget(player);
        players->addWidget(box, 1);
    }
    auto* compareColumn = new QVBoxLayout;
    compareColumn->addWidget(compare);
    compareColumn->addWidget(matchLoudness_);
    compareColumn->addStretch(1);
    players->addLayout(compareColumn);
    return players;
}

FrmGame::~FrmGame() { stopReading(); }

void FrmGame::formLoad()
{
    QSettings settings(settingsFile(forms()), QSettings::IniFormat);
    if (const QSize size = settings.value(QStringLiteral("game/size")).toSize(); size.isValid())
        resize(size);
    const QStringList widths = settings.value(QStringLiteral("game/columns")).toStringList();
    for (int c = 0; c < widths.size() && c < GameSoundsModel::ColumnCount - 1; ++c)
        if (const int w = widths[c].toInt(); w > 10)
            list_->setColumnWidth(c, w);
    forms().games().search();
    fillGames();
    const QString last = settings.value(QStringLiteral("game/last")).toString();
    if (folder_.isEmpty() && !last.isEmpty() && QFileInfo(last).isDir())
        showGame(last);
}

void FrmGame::remember()
{
    QSettings settings(settingsFile(forms()), QSettings::IniFormat);
    settings.setValue(QStringLiteral("game/size"), size());
    QStringList widths;
    for (int c = 0; c < GameSoundsModel::ColumnCount - 1; ++c)
        widths << QString::number(list_->columnWidth(c));
    settings.setValue(QStringLiteral("game/columns"), widths);
    if (!folder_.isEmpty())
        settings.setValue(QStringLiteral("game/last"), folder_);
}

void FrmGame::formUnload()
{
    remember();
    stopReading();
}

void FrmGame::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    list_->setFocus(Qt::ActiveWindowFocusReason);
}

void FrmGame::changeEvent(QEvent* event)
{
    Form::changeEvent(event);
    // Back in front: what changed on the disk meanwhile (an update, another window's run) is shown.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshStates();
}

void FrmGame::showChanges(const QString& folder)
{
    showGame(folder);
    show_->setCurrentIndex(int(GameSoundsModel::Show::ChangedByUpdate));
}

void FrmGame::refreshStates()
{
    if (folder_.isEmpty() || !statesDone_ || refreshing_)
        return;
    refreshing_ = true;
    QPointer<FrmGame> self(this);
    std::weak_ptr<ReplacementRecord> record = forms().recordHandle();
    (void)QtConcurrent::run([self, record, folder = folder_, stop = stop_] {
        std::vector<ReplacedFile> files;
        FileResult listed = FileResult::failure(QString());
        if (const std::shared_ptr<ReplacementRecord> open = record.lock(); open && open->isOpen()) {
            WorkProgress progress;
            files = open->readUnder(folder, &progress, &listed);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, stop, listed, files = std::move(files)] {
                if (!self)
                    return;
                self->refreshing_ = false;
                if (!listed || !stop || *stop) // a listing not read is no news; another game is shown
                    return;
                // The sounds whose content changed meanwhile: their format and length read again.
                std::vector<std::pair<int, QString>> changed;
                for (const ReplacedFile& f : files)
                    if (const int row = self->model_->rowOf(f.gamePath.mid(self->folder_.size() + 1)); row >= 0)
                        if (const auto& was = self->model_->at(row).record; !was || was->currentHash != f.currentHash)
                            changed.push_back({row, f.gamePath});
                self->model_->setRecord(self->folder_, files);
                self->readInfosAgain(changed);
                self->filtered_->invalidate();
                self->showSummary();
            },
            Qt::QueuedConnection);
    });
}

void FrmGame::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    // Nothing plays that no window can stop.
    gamePlayer_->closeFile();
    replacementPlayer_->closeFile();
}

void FrmGame::fillGames()
{
    const QString current = folder_;
    games_->clear();
    for (const Game& g : forms().games().games())
        games_->addItem(g.name, g.folder);
    games_->addItem(Say::tr("Game Folder..."));
    if (!current.isEmpty()) {
        int at = games_->findData(current);
        if (at < 0) {
            games_->insertItem(games_->count() - 1, QDir::toNativeSeparators(current), current);
            at = games_->count() - 2;
        }
        games_->setCurrentIndex(at);
    } else {
        games_->setCurrentIndex(-1);
    }
}

void FrmGame::gameChosen(int index)
{
    QString folder = games_->itemData(index).toString();
    if (folder.isEmpty()) { // "Game Folder..."
        folder = chooseFolder(
            Say::tr("Which folder holds the game?"), folder_.isEmpty() ? QDir::homePath() : folder_, this);
        if (folder.isEmpty()) {
            fillGames(); // back to the game shown
            return;
        }
    }
    showGame(folder);
}

void FrmGame::showGame(const QString& folder)
{
    // A game's folder is known by what it is: reached through a link, the folder it leads to.
    const QString clean = realFolder(folder);
    if (!QFileInfo(clean).isDir()) {
        showMessage(Say::tr("The folder %1 is not there.").arg(QDir::toNativeSeparators(clean)), kTitle(), this);
        return;
    }
    folder_ = clean;
    fillGames();
    startReading();
    remember();
}

void FrmGame::stopReading()
{
    if (stop_)
        stop_->store(true);
    stop_.reset();
}

void FrmGame::startReading()
{
    stopReading();
    gamePlayer_->closeFile();
    replacementPlayer_->closeFile();
    model_->clear();
    infosRead_ = 0;
    unlisted_.clear();
    namesDone_ = statesDone_ = readDone_ = false;
    auto stop = std::make_shared<std::atomic_bool>(false);
    stop_ = stop;
    const QString folder = folder_;
    std::weak_ptr<ReplacementRecord> record = forms().recordHandle(); // held only while it is read
    QPointer<FrmGame> self(this);
    // On this window's thread, unless the window or the reading went since (the window is
    // looked at there only: the application is what the worker posts to).
    auto post = [self, stop](std::function<void(FrmGame&)> f) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, stop, f = std::move(f)] {
                if (self && !*stop)
                    f(*self);
            },
            Qt::QueuedConnection);
    };
    showSummary();
    (void)QtConcurrent::run([folder, record, stop, post, cache = formatCacheIn(forms().programFolder())] {
        GameSoundsReading reading;
        reading.formatCache = cache;
        reading.found = [&](const QStringList& names) { post([names](FrmGame& w) { w.rowsFound(names); }); };
        reading.listed = [&](const QStringList& problems) {
            post([problems](FrmGame& w) {
                w.unlisted_ = problems;
                w.namesDone_ = true;
            });
        };
        reading.states = [&](std::vector<ReplacedFile> files) {
            post([files = std::move(files)](FrmGame& w) {
                w.model_->setRecord(w.folder_, files);
                w.statesDone_ = true;
                w.showSummary();
            });
        };
        reading.read = [&](int first, std::vector<audio::SoundInfo> infos) {
            post([first, infos = std::move(infos)](FrmGame& w) {
                w.model_->setInfos(first, infos);
                w.infosRead_ = first + int(infos.size());
                w.showSummary();
            });
        };
        reading.stopped = [&] { return bool(*stop); };
        readGameSounds(folder, record, reading);
        post([](FrmGame& w) {
            w.readDone_ = true;
            w.showSummary();
        });
    });
}

void FrmGame::rowsFound(const QStringList& names)
{
    const int first = model_->rowCount();
    model_->append(names);
    const ChosenReplacements& chosen = forms().chosenFor(folder_);
    for (int row = first; row < model_->rowCount() && !chosen.byName.isEmpty(); ++row)
        if (const QString p = chosen.replacementOf(model_->at(row).name); !p.isEmpty())
            chooseReplacement(model_->at(row).name, p);
    if (first == 0 && model_->rowCount() > 0)
        list_->setCurrentIndex(filtered_->index(0, 0));
    showSummary();
}

void FrmGame::readStates()
{
    std::shared_ptr<ReplacementRecord> record = forms().recordHandle().lock();
    if (!record || !record->isOpen())
        return;
    std::vector<ReplacedFile> files;
    {
        LongWork work(this, Say::tr("Reading the game files Sonaplex replaced\u2026"));
        files = record->readUnder(folder_, &work.progress());
    }
    model_->setRecord(folder_, files);
    showSummary();
}

void FrmGame::showSummary()
{
    if (folder_.isEmpty()) {
        summary_->setText(Say::tr("Choose a game, or a game's folder."));
        return;
    }
    int replaced = 0, changed = 0, chosen = 0;
    const int rows = model_->rowCount();
    for (int row = 0; row < rows; ++row) {
        replaced += model_->shows(row, GameSoundsModel::Show::Replaced);
        changed += model_->shows(row, GameSoundsModel::Show::ChangedByUpdate);
        chosen += model_->shows(row, GameSoundsModel::Show::Pending);
    }
    QString text = !namesDone_ ? Say::tr("%n sound file(s) found so far\u2026", nullptr, int(rows))
        : rows == 0
        ? Say::tr("No sound file in %1.").arg(QDir::toNativeSeparators(folder_))
        : Say::tr("%n sound file(s): %1 replaced, %2 changed by an update, %3 to replace.", nullptr, int(rows))
              .arg(replaced)
              .arg(changed)
              .arg(chosen);
    if (namesDone_ && !readDone_ && rows > 0)
        text += Say::tr(" Reading their formats: %1 of %2\u2026").arg(infosRead_).arg(rows);
    // What could not be listed is said, and named in the tooltip: its sounds are not in the list.
    if (!unlisted_.isEmpty())
        text += Say::tr(" %n file(s) or folder(s) could not be listed (see the tooltip).", nullptr,
            int(unlisted_.size()));
    summary_->setText(text);
    summary_->setToolTip(unlisted_.mid(0, 40).join(QLatin1Char('\n')));
}

std::vector<int> FrmGame::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& i : list_->selectionModel()->selectedRows())
        rows.push_back(filtered_->mapToSource(i).row());
    if (rows.empty() && list_->currentIndex().isValid())
        rows.push_back(filtered_->mapToSource(list_->currentIndex()).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool FrmGame::chooseReplacement(const QString& name, const QString& path)
{
    const int row = model_->rowOf(name);
    if (row < 0)
        return false;
    QString why = replacementRefusal(name, path);
    if (why.isEmpty() && !QFileInfo(path).isFile())
        why = Say::tr("%1 is not a file").arg(QDir::toNativeSeparators(path));
    if (!why.isEmpty()) {
        showMessage(Say::tr("%1 cannot replace %2: %3.").arg(QFileInfo(path).fileName(), name, why),
            Say::tr("File Selection Error"), this);
        return false;
    }
    model_->setPending(row, path);
    forms().chosenFor(folder_).choose(name, path);
    // What it is, read in the helper (it comes from elsewhere), for the format difference: the
    // files chosen together are read by one helper.
    if (toRead_.empty())
        QTimer::singleShot(0, this, &FrmGame::readChosen);
    toRead_.push_back({row, path});
    showSummary();
    return true;
}

void FrmGame::readChosen()
{
    QPointer<FrmGame> self(this);
    (void)QtConcurrent::run([self, chosen = std::exchange(toRead_, {})] {
        QStringList paths;
        for (const auto& c : chosen)
            paths << c.second;
        const std::vector<audio::SoundInfo> infos = audio::probeInfos(paths, audio::kProbeTimeLimit);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, chosen, infos] {
                if (self)
                    self->chosenRead(chosen, infos);
            },
            Qt::QueuedConnection);
    });
}

void FrmGame::chosenRead(const std::vector<std::pair<int, QString>>& chosen, const std::vector<audio::SoundInfo>& infos)
{
    // A replacement that cannot be played is no choice: it goes again, and the user hears why.
    QStringList refused;
    for (size_t i = 0; i < chosen.size() && i < infos.size(); ++i) {
        const auto& [row, path] = chosen[i];
        if (row >= model_->rowCount() || model_->at(row).pending != path)
            continue; // chosen otherwise since
        if (infos[i].ok()) {
            model_->setPendingInfo(row, path, infos[i]);
            continue;
        }
        const QString name = model_->at(row).name;
        model_->setPending(row, {});
        forms().chosenFor(folder_).byName.remove(name);
        refused << Say::tr("%1 cannot replace %2: %3").arg(QFileInfo(path).fileName(), name, infos[i].error);
    }
    if (refused.isEmpty())
        return;
    filtered_->invalidate();
    currentChanged();
    showSummary();
    constexpr int kShown = 20;
    QString text = refused.mid(0, kShown).join(QLatin1Char('\n'));
    if (refused.size() > kShown)
        text += Say::tr("\n\u2026 and %1 more").arg(refused.size() - kShown);
    showMessage(text, Say::tr("File Selection Error"), this);
}

void FrmGame::CmdChooseReplacement_Click()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        showMessage(Say::tr("Select the sounds to replace first."), kTitle(), this);
        return;
    }
    const QString first = model_->at(rows.front()).pending;
    const QString path = chooseFile(Say::tr("Choose the Replacement"),
        first.isEmpty() ? QDir::homePath() : QFileInfo(first).absolutePath(),
        Say::tr("Sound files (%1)").arg(QStringLiteral("*.") + soundSuffixes().join(QStringLiteral(" *."))), false,
        this);
    if (path.isEmpty())
        return;
    for (int row : rows)
        if (!chooseReplacement(model_->at(row).name, path))
            break;
    currentChanged();
}

void FrmGame::CmdReplaceFromFolder_Click()
{
    if (folder_.isEmpty())
        return;
    const QString from = chooseFolder(Say::tr("Which folder holds your sounds?"), QDir::homePath(), this);
    if (from.isEmpty())
        return;
    QStringList names;
    for (const GameSound& s : model_->sounds())
        names << s.name;
    FolderMatches matches;
    {
        LongWork work(this, Say::tr("Matching your sounds to the game's\u2026"));
        work.progress().offload([&] { matches = matchFolder(names, QDir::cleanPath(from)); });
    }
    if (matches.matched.empty()) {
        showMessage(
            Say::tr("No sound file in %1 has the path or name of a sound of this game.%2")
                .arg(QDir::toNativeSeparators(from),
                    matches.refused.isEmpty() ? QString()
                                              : QStringLiteral("\n\n") + matches.refused.join(QLatin1Char('\n'))),
            kTitle(), this);
        return;
    }
    // What matched, by path, before anything is chosen (a long list shows its start, and all of it
    // in the question's details).
    QStringList lines;
    for (const SoundMatch& m : matches.matched)
        lines << QStringLiteral("%1  \u2190  %2%3")
                     .arg(m.gameName, QFileInfo(m.replacement).fileName(), m.byPath ? QString() : Say::tr(" (by name)"));
    lines.sort();
    QString text = Say::tr("%1 of your sounds match sounds of this game:\n\n%2")
                       .arg(matches.matched.size())
                       .arg(lines.join(QLatin1Char('\n')));
    // Earlier choices these would take the place of are named: nothing is replaced in silence.
    QStringList earlier;
    for (const SoundMatch& m : matches.matched)
        if (const int row = model_->rowOf(m.gameName); row >= 0)
            if (const QString& before = model_->at(row).pending; !before.isEmpty() && before != m.replacement)
                earlier << QStringLiteral("%1  (%2)").arg(m.gameName, QFileInfo(before).fileName());
    if (!earlier.isEmpty())
        text += Say::tr("\n\nThese take the place of replacements chosen before:\n%1").arg(earlier.join(QLatin1Char('\n')));
    if (!matches.refused.isEmpty())
        text += Say::tr("\n\nNot used:\n%1").arg(matches.refused.join(QLatin1Char('\n')));
    if (!matches.unused.isEmpty())
        text += Say::tr("\n\nThese match no sound of the game:\n%1").arg(matches.unused.join(QLatin1Char('\n')));
    if (!matches.unlisted.isEmpty())
        text += Say::tr("\n\nThese could not be listed:\n%1").arg(matches.unlisted.join(QLatin1Char('\n')));
    text += Say::tr("\n\nChoose them as the replacements? Nothing is replaced until SWITCH.");
    if (showMessage(Message{text, kTitle(), MessageButtons::ChooseCancel}, this) != MessageAnswer::Ok)
        return;
    for (const SoundMatch& m : matches.matched)
        chooseReplacement(m.gameName, m.replacement);
    filtered_->invalidate();
    currentChanged();
}

void FrmGame::CmdClearReplacement_Click()
{
    for (int row : selectedRows()) {
        model_->setPending(row, {});
        forms().chosenFor(folder_).byName.remove(model_->at(row).name);
    }
    replacementPlayer_->closeFile();
    showSummary();
}

void FrmGame::currentChanged()
{
    const QModelIndex current = filtered_->mapToSource(list_->currentIndex());
    if (!current.isValid()) { // its row is gone (filtered out, or the list read again)
        difference_->clear();
        gamePlayer_->closeFile();
        replacementPlayer_->closeFile();
        return;
    }
    const GameSound& s = model_->at(current.row());
    const QString path = folder_ + QLatin1Char('/') + s.name;
    gamePlayer_->openFile(audio::deviceKindOf(path, audio::DeviceKind::WaveAudio), path);
    if (s.pending.isEmpty())
        replacementPlayer_->closeFile();
    else
        replacementPlayer_->openFile(audio::deviceKindOf(s.pending, audio::DeviceKind::WaveAudio), s.pending);
    difference_->setText(model_->difference(current.row()));
    if (autoPlay_->isChecked())
        gamePlayer_->play();
}

void FrmGame::CmdCompare_Click() { compareAB(gamePlayer_, replacementPlayer_, matchLoudness_->isChecked()); }

int FrmGame::headingWidth(int column) const
{
    return list_->header()->fontMetrics().horizontalAdvance(
               model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString())
        + 24;
}

bool FrmGame::eventFilter(QObject* watched, QEvent* event)
{
    // A wider or narrower window is shared by the columns of text (the last one takes the rest):
    // three eighths to the sound's name, a quarter each to its format and its state. Each keeps at
    // least its heading.
    if (watched == list_ && event->type() == QEvent::Resize) {
        const auto* resized = static_cast<QResizeEvent*>(event);
        const int grown = resized->size().width() - resized->oldSize().width();
        if (resized->oldSize().isValid() && grown != 0)
            for (auto [column, eighths] : {std::pair{GameSoundsModel::Name, 3}, std::pair{GameSoundsModel::Format, 2},
                     std::pair{GameSoundsModel::State, 2}})
                list_->setColumnWidth(column, std::max(headingWidth(column), list_->columnWidth(column) + grown * eighths / 8));
    }
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Space:
            if (gamePlayer_->engine().state() == audio::PlayState::Playing)
                gamePlayer_->pause();
            else
                gamePlayer_->play();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            CmdChooseReplacement_Click();
            return true;
        case Qt::Key_Delete:
            CmdClearReplacement_Click();
            return true;
        default:
            break;
        }
    }
    return Form::eventFilter(watched, event);
}

void FrmGame::afterRun(const Report& run, const QString& done, const QString& verb)
{
    showRunReport(run, done, verb, kTitle(), Say::tr("Replacement Error"), this);
    readStates();
    if (run.done() == 0)
        return;
    forms().games().refresh(); // what the update notice counts may have changed
    // What the changed files are now (a copy as it was may have another format), read again.
    std::vector<std::pair<int, QString>> changed;
    for (const ReportItem& item : run.items)
        if (item.done() && item.step.gamePath.startsWith(folder_ + QLatin1Char('/')))
            if (const int row = model_->rowOf(item.step.gamePath.mid(folder_.size() + 1)); row >= 0)
                changed.push_back({row, item.step.gamePath});
    readInfosAgain(changed);
}

void FrmGame::readInfosAgain(const std::vector<std::pair<int, QString>>& changed)
{
    if (changed.empty())
        return;
    QPointer<FrmGame> self(this);
    const std::shared_ptr<std::atomic_bool> stop = stop_;
    (void)QtConcurrent::run([self, stop, changed] {
        QStringList paths;
        for (const auto& c : changed)
            paths << c.second;
        const std::vector<audio::SoundInfo> infos = audio::probeInfos(paths, audio::kProbeTimeLimit);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, stop, changed, infos] {
                if (self && stop && !*stop) // the same game still listed
                    for (size_t i = 0; i < changed.size(); ++i)
                        self->model_->setInfos(changed[i].first, {infos[i]});
            },
            Qt::QueuedConnection);
    });
}

void FrmGame::CmdSwitchGame_Click()
{
    // What the program holds as chosen for this game's listed sounds, with what was read of both
    // files already.
    const ChosenReplacements& held = forms().chosenFor(folder_);
    ChosenReplacements chosen{folder_, {}};
    for (auto it = held.byName.cbegin(); it != held.byName.cend(); ++it) {
        const int row = model_->rowOf(it.key());
        if (row < 0 || model_->at(row).pending != it.value().replacement)
            continue;
        chosen.byName.insert(it.key(), ChosenSound{it.value().replacement,
            model_->at(row).info.value_or(audio::SoundInfo{}), model_->at(row).pendingInfo.value_or(audio::SoundInfo{})});
    }
    ReplacementRecord* record = forms().record();
    if (chosen.byName.isEmpty() || !record) {
        showMessage(chosen.byName.isEmpty() ? Say::tr("Choose a replacement for at least one sound first.")
                                   : Say::tr("No record of replacements is kept: nothing can be replaced."),
            kTitle(), this);
        return;
    }
    gamePlayer_->closeFile();
    replacementPlayer_->closeFile();
    SwitchSession session
        = SwitchSession::ofGame(record, chosen, forms().folders().workTemplate(QStringLiteral("converting")));
    {
        LongWork work(this, Say::tr("Reading the formats\u2026"));
        if (!session.readFormats(work.progress())) {
            showMessage(Say::tr("Nothing was replaced."), kTitle(), this);
            return;
        }
    }
    const SwitchOutcome switched = switchInWindow(session, this, true);
    if (switched.cancelled) {
        showMessage(Say::tr("Nothing was replaced."), kTitle(), this);
        return;
    }
    const Report& run = switched.run;
    // The sounds replaced (or holding their replacement already) are no longer pending; those not
    // done stay chosen.
    for (const ReportItem& item : run.items) {
        if (!item.done() && item.outcome != Outcome::AlreadyInPlace)
            continue;
        const QString name = item.step.gamePath.mid(folder_.size() + 1);
        if (const int row = model_->rowOf(name); row >= 0) {
            model_->setPending(row, {});
            forms().chosenFor(folder_).byName.remove(name);
        }
    }
    afterRun(run, Say::tr("%n game file(s) were replaced. Undo takes this back.", nullptr, int(run.done())),
        Say::tr("replaced"));
}

void FrmGame::CmdRestoreSelected_Click()
{
    std::vector<ReplacedFile> files;
    QStringList changed;
    for (int row : selectedRows()) {
        const GameSound& s = model_->at(row);
        if (!s.record || s.record->state == GameFileState::Original)
            continue;
        files.push_back(*s.record);
        if (s.record->state == GameFileState::ChangedSince)
            changed << s.name;
    }
    if (files.empty()) {
        showMessage(Say::tr("Select sounds that Sonaplex replaced to restore them."), kTitle(), this);
        return;
    }
    if (!changed.isEmpty()
        && showMessage(Message{Say::tr("These files were changed since Sonaplex replaced them (by a game update "
                                       "or another tool):\n\n%1\n\nRestore them anyway? What they hold now is "
                                       "kept too, so this can be undone.")
                                   .arg(changed.join(QLatin1Char('\n'))),
                           kTitle(), MessageButtons::OkCancel},
               this)
            != MessageAnswer::Ok)
        return;
    gamePlayer_->closeFile();
    Report run;
    {
        LongWork work(this, Say::tr("Putting the originals back\u2026"));
        run = restoreOriginals(*forms().record(), files, &work.progress());
    }
    afterRun(run, restoredWords(run.done()), Say::tr("put back"));
}

void FrmGame::CmdUndoGame_Click()
{
    ReplacementRecord* record = forms().record();
    RunKind undone = RunKind::Switch;
    const PreparedRun undoing = record ? prepareUndo(*record, &undone) : PreparedRun();
    if (undoing.nothingToDo()) {
        showMessage(nothingToUndoWords(), kTitle(), this);
        return;
    }
    gamePlayer_->closeFile();
    Report run;
    {
        LongWork work(this, Say::tr("Undoing the last %1\u2026").arg(undoneRunName(undone)));
        run = undoing.start(&work.progress());
    }
    afterRun(run, undoneWords(undone, run.done()), Say::tr("put back"));
}

void FrmGame::CmdReplaceAgain_Click()
{
    std::vector<int> rows; // the selected sounds; with none selected, every sound of the game
    if (list_->selectionModel()->hasSelection())
        rows = selectedRows();
    else
        for (int row = 0; row < model_->rowCount(); ++row)
            rows.push_back(row);
    std::vector<ReplacedFile> files;
    for (int row : rows)
        if (const GameSound& s = model_->at(row); s.record && undoneSince(*s.record))
            files.push_back(*s.record);
    if (files.empty()) {
        showMessage(Say::tr("No sound here was changed since Sonaplex replaced it: there is nothing to replace "
                            "again."),
            kTitle(), this);
        return;
    }
    gamePlayer_->closeFile();
    Report run;
    {
        LongWork work(this, Say::tr("Replacing again\u2026"));
        run = prepareReplaceAgain(*forms().record(), files, &work.progress()).start(&work.progress());
    }
    afterRun(run, replacedAgainWords(run.done()), Say::tr("replaced again"));
}

void FrmGame::CmdPackGame_Click()
{
    if (folder_.isEmpty())
        return;
    // Made as the Packs window makes a pack of a game's replacements, on this game; that window
    // is not shown (it was not asked for) and goes again unless it was open already.
    const bool wasLoaded = forms().isLoaded(windowName::FrmPacks);
    Form& packs = forms().load(windowName::FrmPacks);
    if (auto* makes = takes<MakesGamePacks>(packs))
        makes->makePackOfGame(folder_);
    if (!wasLoaded)
        forms().unload(packs);
}

void FrmGame::CmdCloseGame_Click()
{
    remember();
    forms().hide(*this);
    forms().unload(*this);
}

} // namespace sonaplex
