#include "ui/browser_pane.h"

#include "base/drives.h"
#include "ui/installed_games.h"
#include "ui/messages.h"
#include "ui/sample_player.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(BrowserPane)
};

PaneSetup namedPane(
    const QString& suffix, const QString& sampleLabel, const QString& pattern, audio::DeviceKind deviceKind)
{
    PaneSetup p;
    p.drive = QStringLiteral("Drv") + suffix;
    p.folder = QStringLiteral("Dir") + suffix;
    p.file = QStringLiteral("Fle") + suffix;
    p.player = QStringLiteral("MMControl") + suffix;
    p.sampleLabel = sampleLabel;
    p.pattern = pattern;
    p.deviceKind = deviceKind;
    return p;
}

} // namespace

PaneSetup gamePaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind, const QString& pattern,
    audio::DeviceKind deviceKind)
{
    PaneSetup p = namedPane(suffix, sampleLabel, pattern, deviceKind);
    p.folderTip = Say::tr("Display's the directories on your hard drive. Access a game directory or program "
                          "directory from this list.");
    p.fileTip = Say::tr("Choose the game files you wish to replace from this list box.");
    p.playerTip
        = Say::tr("Sample game or program %1 files. NOTE: To repeat a selection you must click on it again.").arg(kind);
    return p;
}

PaneSetup replacementPaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind,
    const QString& replacementPlace, const QString& pattern, audio::DeviceKind deviceKind)
{
    PaneSetup p = namedPane(suffix, sampleLabel, pattern, deviceKind);
    p.folderTip
        = Say::tr("Display's the directories on your hard drive. Access a replacement directory or %1 from this list.")
              .arg(replacementPlace);
    p.fileTip = Say::tr("Choose the files you wish to use as replacements from this list box.");
    p.playerTip
        = Say::tr("Sample replacement %1 files. NOTE: To repeat a selection you must click on it again.").arg(kind);
    return p;
}

BrowserPane::BrowserPane(const PaneSetup& setup, std::shared_ptr<audio::AudioHost> audio, QWidget* parent)
    : QWidget(parent), setup_(setup), drives_(new DriveList(setup.places, this)), folders_(new FolderList(this)),
      files_(new FileList(setup.pattern, this)), player_(new SamplePlayer(std::move(audio), this))
{
    drives_->setObjectName(setup.drive);
    folders_->setObjectName(setup.folder);
    files_->setObjectName(setup.file);
    files_->markFrom(setup.record);
    player_->setObjectName(setup.player);
    drives_->setToolTip(Say::tr("Select Drive"));
    folders_->setToolTip(setup.folderTip);
    files_->setToolTip(setup.fileTip);
    player_->setToolTip(setup.playerTip);

    auto* sample = new QLabel(Say::tr("Sample"), this);
    sample->setObjectName(setup.sampleLabel);
    sample->setAlignment(Qt::AlignCenter);
    QFont bold = sample->font();
    bold.setBold(true);
    sample->setFont(bold);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(drives_);
    if (!setup.gameSounds.isEmpty()) {
        gameSounds_ = new QCheckBox(Say::tr("Sounds of this game"), this);
        gameSounds_->setObjectName(setup.gameSounds);
        gameSounds_->setToolTip(Say::tr("List every sound file of the game shown, in all its folders (%1).")
                                    .arg(QString(setup.pattern)
                                             .remove(QStringLiteral("*."))
                                             .toLower()
                                             .replace(QLatin1Char(';'), QStringLiteral(", "))));
        gameSounds_->setEnabled(false);
        connect(gameSounds_, &QCheckBox::toggled, this, [this] { listFiles(false); });
        column->addWidget(gameSounds_);
    }
    column->addWidget(folders_, 1);
    column->addWidget(files_, 1);
    column->addWidget(sample);
    column->addWidget(player_);
    folders_->setMinimumHeight(120);
    files_->setMinimumHeight(120);
    // 200 pixels wide at the window's first size; wider as the window grows.
    setMinimumWidth(std::max(kFirstWidth, gameSounds_ ? gameSounds_->sizeHint().width() : 0));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    connect(drives_, &DriveList::changed, this, &BrowserPane::driveChange);
    // A game shown in the drive list: its menu opens the game's own window on it.
    drives_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(drives_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const Game* game = setup_.games ? shownGame() : nullptr;
        if (!game)
            return;
        QMenu menu(this);
        const QString folder = game->folder;
        menu.addAction(Say::tr("Game Sounds..."), this, [this, folder] { emit gameSoundsWanted(folder); });
        menu.exec(drives_->mapToGlobal(at));
    });
    connect(folders_, &FolderList::changed, this, &BrowserPane::folderChange);
    connect(files_, &FileList::fileClicked, this, &BrowserPane::fileClick);
    setAcceptDrops(true);

    // Lists start where the user left them (a remembered folder that is gone: the home
    // folder), or at the program's current folder the first time.
    QString start = QDir::currentPath();
    if (!setup.settingsFile.isEmpty()) {
        const QString remembered = QSettings(setup.settingsFile, QSettings::IniFormat)
                                       .value(QStringLiteral("folders/") + setup.folder)
                                       .toString();
        if (!remembered.isEmpty())
            start = QFileInfo(remembered).isDir() ? remembered : QDir::homePath();
    }
    if (setup.games) {
        InstalledGames* games = setup.games;
        drives_->offerAdding();
        connect(drives_, &DriveList::addGameFolder, this, &BrowserPane::addGameFolder);
        connect(games, &InstalledGames::found, drives_, [this, games] {
            drives_->setGames(games->games());
            // A folder just added by hand is opened.
            // (A search that started before it was added does not list it yet: the next one does.)
            if (const QString game = drives_->gameWithFolder(addedGame_); !addedGame_.isEmpty() && !game.isEmpty()) {
                addedGame_.clear();
                drives_->setDrive(game);
            }
            listFiles(false);
        });
        if (games->isFound())
            drives_->setGames(games->games());
        else
            games->search();
    }
    drives_->showDriveOf(start);
    lastGoodDrive_ = drives_->drive();
    if (!folders_->trySetPath(start))
        folders_->trySetPath(QDir::homePath());
}

void BrowserPane::driveChange()
{
    for (;;) {
        const QString drive = drives_->drive();
        const QString root = drives_->rootOf(drive);
        const QString target = lastFolderOnDrive_.value(drive, root);
        if (folders_->trySetPath(target) || (target != root && folders_->trySetPath(root))) {
            lastGoodDrive_ = drive;
            return;
        }
        const MessageAnswer answer = showMessage(
            Message{Say::tr("Please insert a disk or CD."), Say::tr("Drive Not Ready"), MessageButtons::RetryCancel},
            window());
        if (answer != MessageAnswer::Retry) {
            drives_->showDrive(lastGoodDrive_);
            return;
        }
    }
}

void BrowserPane::folderChange()
{
    lastFolderOnDrive_[drives_->drive()] = folders_->path();
    // A game's folder shown: what an update may have changed in it is looked at again.
    const Game* game = shownGame();
    const QString shown = game ? game->folder : QString();
    if (std::exchange(gameShown_, shown) != shown && game)
        setup_.games->refresh();
    listFiles(true);
    if (!setup_.settingsFile.isEmpty())
        QSettings(setup_.settingsFile, QSettings::IniFormat)
            .setValue(QStringLiteral("folders/") + setup_.folder, folders_->path());
}

void BrowserPane::addGameFolder()
{
    const QString title = Say::tr("Add Game Folder");
    const QString folder = chooseFolder(Say::tr("Which folder holds the game?"), QDir::homePath(), window());
    if (folder.isEmpty())
        return;
    const QString name = askText(title, Say::tr("The game's name:"), QFileInfo(folder).fileName(), window()).trimmed();
    if (name.isEmpty())
        return;
    if (const FileResult added = setup_.games->add(name, folder); !added) {
        showMessage(Say::tr("The folder could not be added: %1.").arg(added.error), title, window());
        return;
    }
    addedGame_ = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

const Game* BrowserPane::shownGame() const
{
    return setup_.games && setup_.games->isFound() ? gameHolding(setup_.games->games(), folders_->path()) : nullptr;
}

void BrowserPane::listFiles(bool again)
{
    const Game* game = shownGame();
    if (gameSounds_) {
        gameSounds_->setEnabled(game != nullptr);
        if (!game && gameSounds_->isChecked()) {
            QSignalBlocker quiet(gameSounds_);
            gameSounds_->setChecked(false);
        }
    }
    const bool whole = gameSounds_ && gameSounds_->isChecked();
    const QString path = whole ? game->folder : folders_->path();
    if (!again && whole == files_->wholeFolder() && path == files_->path())
        return;
    files_->setWholeFolder(whole);
    files_->setPath(path);
}

bool BrowserPane::showFile(const QString& path, std::function<void()> then)
{
    const QFileInfo file(path);
    if (!file.isFile() || !QDir::match(setup_.pattern, file.fileName()))
        return false; // not a file this pane lists
    if (QDir::cleanPath(QDir::fromNativeSeparators(folders_->path())) != QDir::cleanPath(file.absolutePath())
        && !folders_->trySetPath(file.absolutePath()))
        return false;
    const QString name = file.fileName();
    if (!files_->isListing()) {
        files_->setFileName(name);
        if (then)
            then();
        return true;
    }
    auto* once = new QObject(this);
    connect(files_, &FileList::listingFinished, once, [this, once, name, then] {
        once->deleteLater();
        files_->setFileName(name);
        if (then)
            then();
    });
    return true;
}

void BrowserPane::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()
            && QDir::match(setup_.pattern, QFileInfo(url.toLocalFile()).fileName())) {
            event->acceptProposedAction();
            return;
        }
}

void BrowserPane::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && showFile(url.toLocalFile())) {
            event->acceptProposedAction();
            return;
        }
}

void BrowserPane::fileClick()
{
    for (int i = 0; i < files_->listCount(); ++i) {
        if (!files_->selected(i))
            continue;
        player_->openFile(audio::deviceKindOf(files_->fullPath(), setup_.deviceKind), files_->fullPath());
    }
}

void BrowserPane::preparePlayer()
{
    player_->prepare(setup_.deviceKind, QStringLiteral("SelectedFile"));
}

void BrowserPane::closePlayer() { player_->closeFile(); }

} // namespace sonaplex
