#include "ui/browser_pane.h"

#include "base/drives.h"
#include "base/folder_scan.h"
#include "ui/messages.h"
#include "ui/sample_player.h"
#include "ui/window_parts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QSettings>
#include <QStyle>
#include <QThreadPool>
#include <QTimer>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
// How long a list waits for its folder to be read before showing it as it arrives: long
// enough for any ordinary folder, short enough that the window never seems to stick.
constexpr int kSettleMs = 10;

QString cleanFolder(const QString& path)
{
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (QDir(clean).isRoot() && !clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return QDir::toNativeSeparators(clean);
}
} // namespace

// ---------------------------------------------------------------- DriveList

DriveList::DriveList(const QStringList& places, QWidget* parent) : QComboBox(parent)
{
    addItems(listDrives(places));
    showDriveOf(QDir::currentPath());
    connect(this, &QComboBox::activated, this, [this] { emit changed(); });
}

void DriveList::setDrive(const QString& drive)
{
    showDrive(drive);
    emit changed();
}

void DriveList::showDriveOf(const QString& path)
{
    QStringList drives;
    for (int i = 0; i < count(); ++i)
        drives << itemText(i);
    showDrive(driveOf(path, drives));
}

void DriveList::showDrive(const QString& drive)
{
    int i = findText(drive);
    if (i < 0) {
        addItem(drive);
        i = count() - 1;
    }
    setCurrentIndex(i);
}

// ---------------------------------------------------------------- FolderList

FolderList::FolderList(QWidget* parent) : QListWidget(parent), scan_(new FolderScan(this))
{
    setUniformItemSizes(true);
    connect(scan_, &FolderScan::finished, this, &FolderList::showSubfolders);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(kPathRole).toString();
        if (target != path_ && !trySetPath(target)) {
            QApplication::beep();
            trySetPath(path_); // the folder may have gone: show what is there now
        }
    });
}

FolderList::~FolderList() = default;

bool FolderList::trySetPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !QDir(path).isReadable())
        return false;
    path_ = cleanFolder(path);

    // Ancestors first, each one step further in, then the open folder itself.
    clear();
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    QStringList chain;
    for (QDir d(path_);;) {
        chain.prepend(cleanFolder(d.absolutePath()));
        if (d.isRoot() || !d.cdUp())
            break;
    }
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& folder = chain[depth];
        QString label = depth == 0 ? folder : QFileInfo(QDir::fromNativeSeparators(folder)).fileName();
        auto* item = new QListWidgetItem(
            depth + 1 == chain.size() ? openIcon : closedIcon, QString(depth * 2, QLatin1Char(' ')) + label, this);
        item->setData(kPathRole, folder);
    }
    setCurrentRow(count() - 1);
    scan_->start(path_, FolderScan::Kind::Folders);
    scan_->settle(kSettleMs);
    emit changed();
    return true;
}

void FolderList::showSubfolders(const QStringList& names)
{
    const QIcon icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const int depth = count();
    const QString base = QDir::fromNativeSeparators(path_);
    const QString indent(depth * 2, QLatin1Char(' '));
    setUpdatesEnabled(false);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(icon, indent + name, this);
        item->setData(kPathRole, cleanFolder(base + QLatin1Char('/') + name));
    }
    setUpdatesEnabled(true);
}

// ---------------------------------------------------------------- FileNameModel

QVariant FileNameModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= names_.size())
        return {};
    if (role == Qt::DecorationRole || (role == Qt::ToolTipRole && !marks_.isEmpty())) {
        const auto mark = marks_.constFind(names_[index.row()]);
        if (mark != marks_.constEnd()) {
            if (role == Qt::ToolTipRole)
                return names_[index.row()] + QLatin1Char('\n') + mark->note;
            static const QHash<GameFileState, QColor> colours{{GameFileState::Replaced, kReplacementBlue},
                {GameFileState::ChangedSince, QColor(200, 120, 0)}, {GameFileState::Original, QColor(120, 120, 120)},
                {GameFileState::Missing, QColor(120, 120, 120)}};
            QPixmap dot(10, 10);
            dot.fill(Qt::transparent);
            QPainter p(&dot);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(colours.value(mark->state));
            p.setPen(Qt::NoPen);
            p.drawEllipse(1, 1, 8, 8);
            return QIcon(dot);
        }
        if (role == Qt::DecorationRole)
            return {};
    }
    // A name whose bytes are not UTF-8 reads back with U+FFFD and cannot be opened again by it:
    // shown greyed, with the reason, and refused by every button.
    if (names_[index.row()].contains(QChar::ReplacementCharacter)) {
        if (role == Qt::ForegroundRole)
            return QColor(140, 140, 140);
        if (role == Qt::ToolTipRole)
            return names_[index.row()]
                + QStringLiteral("\nThis name cannot be read as UTF-8 (it was written in another character set): "
                                 "rename the file to use it.");
    }
    if (role == Qt::DisplayRole)
        return oneLine(names_[index.row()]);
    if (role == Qt::ToolTipRole)
        return names_[index.row()];
    return {};
}

void FileNameModel::setMarks(QHash<QString, Mark> marks)
{
    if (marks.isEmpty() && marks_.isEmpty())
        return;
    // Only the rows whose mark comes or goes are redrawn: a big folder has few marks.
    QStringList touched = marks_.keys();
    touched += marks.keys();
    marks_ = std::move(marks);
    for (const QString& name : std::as_const(touched))
        if (const qsizetype row = names_.indexOf(name); row >= 0)
            emit dataChanged(index(int(row)), index(int(row)), {Qt::DecorationRole, Qt::ToolTipRole});
}

void FileNameModel::clear() { replace({}); }

void FileNameModel::append(const QStringList& names)
{
    if (names.isEmpty())
        return;
    beginInsertRows({}, int(names_.size()), int(names_.size() + names.size() - 1));
    names_ += names;
    endInsertRows();
}

void FileNameModel::replace(const QStringList& names)
{
    beginResetModel();
    names_ = names;
    endResetModel();
}

// ---------------------------------------------------------------- FileList

FileList::FileList(const QString& pattern, QWidget* parent)
    : QListView(parent), pattern_(pattern), model_(new FileNameModel(this)), scan_(new FolderScan(this)),
      watcher_(new QFileSystemWatcher(this)), refreshTimer_(new QTimer(this))
{
    // Files added or removed in the shown folder appear or go: the system tells (inotify,
    // nothing polled), and a burst of changes is read once, a moment after it.
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(250);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, refreshTimer_, qOverload<>(&QTimer::start));
    connect(refreshTimer_, &QTimer::timeout, this, &FileList::refresh);
    setModel(model_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListView::clicked, this, [this] { emit fileClicked(); });
    connect(scan_, &FolderScan::batchFound, model_, [this](const QStringList& names) {
        if (!refreshing_) // a refresh keeps the list shown until the new one is complete
            model_->append(names);
    });
    connect(scan_, &FolderScan::finished, this, [this](const QStringList& sorted) {
        // Batches came in the folder's own order; settle on the sorted list, keeping the highlight.
        const QString current = refreshing_ ? keepName_ : fileName();
        refreshing_ = false;
        model_->replace(sorted);
        if (!pendingName_.isEmpty()) {
            const QString wanted = std::exchange(pendingName_, QString());
            highlight(wanted, true);
        } else if (!current.isEmpty()) {
            highlight(current, false);
        }
        findMarks();
        emit listingFinished();
    });
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (!pendingName_.isEmpty() && model_->names().contains(pendingName_)) {
            const QString wanted = std::exchange(pendingName_, QString());
            highlight(wanted, true);
        }
    });
}

FileList::~FileList() = default;

// Which listed files the record knows comes from one quick query; what they hold now is
// read on a worker, only for those files, and shown when it is known.
void FileList::findMarks()
{
    const int round = ++markRound_;
    model_->setMarks({});
    const std::shared_ptr<ReplacementRecord> record = record_.lock();
    if (!record || path_.isEmpty())
        return;
    std::vector<ReplacedFile> known = record->knownIn(path_);
    if (known.empty())
        return;
    // Files unchanged since Sonaplex last saw them need not be read again.
    std::vector<QString> remembered = record->rememberedHashes(known);
    QPointer<FileList> self(this);
    QThreadPool::globalInstance()->start(
        [self, round, known = std::move(known), remembered = std::move(remembered)]() mutable {
            ReplacementRecord::findStates(known, remembered);
            QHash<QString, FileNameModel::Mark> marks;
            for (const ReplacedFile& f : known) {
                const QString when = QLocale().toString(f.at.toLocalTime(), QLocale::ShortFormat);
                const QString note = f.state == GameFileState::Replaced
                    ? QStringLiteral("Replaced by %1 on %2").arg(QFileInfo(f.replacedBy).fileName(), when)
                    : f.state == GameFileState::Original
                    ? QStringLiteral("Holds its original again")
                    : QStringLiteral("Changed since Sonaplex replaced it on %1").arg(when);
                marks.insert(QFileInfo(f.gamePath).fileName(), {f.state, note});
            }
            QMetaObject::invokeMethod(
                qApp,
                [self, round, marks = std::move(marks)]() mutable {
                    if (self && self->markRound_ == round)
                        self->model_->setMarks(std::move(marks));
                },
                Qt::QueuedConnection);
        });
}

void FileList::setPath(const QString& path)
{
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    path_ = path;
    pendingName_.clear();
    refreshing_ = false;
    refreshTimer_->stop();
    rescan();
    if (!path_.isEmpty())
        watcher_->addPath(path_);
    emit pathChanged();
}

void FileList::refresh()
{
    if (path_.isEmpty())
        return;
    if (scan_->isRunning()) { // it may have read the folder before the change: look again after it
        refreshTimer_->start();
        return;
    }
    keepName_ = fileName();
    refreshing_ = true;
    scan_->start(path_, FolderScan::Kind::Files, pattern_);
}

void FileList::setPattern(const QString& pattern)
{
    pattern_ = pattern;
    if (!path_.isEmpty())
        rescan();
}

void FileList::rescan()
{
    model_->clear();
    if (!path_.isEmpty()) {
        scan_->start(path_, FolderScan::Kind::Files, pattern_);
        scan_->settle(kSettleMs);
    }
}

bool FileList::isListing() const { return scan_->isRunning(); }

QString FileList::fileName() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : model_->names().value(rows.first().row());
}

void FileList::setFileName(const QString& name)
{
    if (model_->names().contains(name))
        highlight(name, true);
    else if (isListing())
        pendingName_ = name; // highlighted as soon as the listing reaches it
}

void FileList::highlight(const QString& name, bool raiseClick)
{
    const int row = int(model_->names().indexOf(name));
    if (row < 0)
        return;
    const QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    if (raiseClick)
        emit fileClicked();
}

bool FileList::selected(int index) const { return selectionModel()->isRowSelected(index, {}); }

QString FileList::fullPath() const { return path_ + QDir::separator() + fileName(); }

void FileList::keyPressEvent(QKeyEvent* event)
{
    const QString before = fileName();
    QListView::keyPressEvent(event);
    const QString after = fileName();
    // Moving the highlight with the keyboard counts as a click, as does Enter or Space.
    if ((after != before || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
            || event->key() == Qt::Key_Space)
        && !after.isEmpty())
        emit fileClicked();
}

// ---------------------------------------------------------------- BrowserPane

namespace {
PaneSetup namedPane(
    const QString& suffix, const QString& sampleLabel, const QString& pattern, const QString& deviceType)
{
    PaneSetup p;
    p.drive = QStringLiteral("Drv") + suffix;
    p.folder = QStringLiteral("Dir") + suffix;
    p.file = QStringLiteral("Fle") + suffix;
    p.player = QStringLiteral("MMControl") + suffix;
    p.sampleLabel = sampleLabel;
    p.pattern = pattern;
    p.deviceType = deviceType;
    return p;
}

const QString kRepeatNote = QStringLiteral(" files. NOTE: To repeat a selection you must click on it again.");
} // namespace

PaneSetup gamePaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind, const QString& pattern,
    const QString& deviceType)
{
    PaneSetup p = namedPane(suffix, sampleLabel, pattern, deviceType);
    p.folderTip = QStringLiteral("Display's the directories on your hard drive. Access a game directory or program "
                                 "directory from this list.");
    p.fileTip = QStringLiteral("Choose the game files you wish to replace from this list box.");
    p.playerTip = QStringLiteral("Sample game or program ") + kind + kRepeatNote;
    return p;
}

PaneSetup replacementPaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind,
    const QString& replacementPlace, const QString& pattern, const QString& deviceType)
{
    PaneSetup p = namedPane(suffix, sampleLabel, pattern, deviceType);
    p.folderTip = QStringLiteral("Display's the directories on your hard drive. Access a replacement directory or ")
        + replacementPlace + QStringLiteral(" from this list.");
    p.fileTip = QStringLiteral("Choose the files you wish to use as replacements from this list box.");
    p.playerTip = QStringLiteral("Sample replacement ") + kind + kRepeatNote;
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
    drives_->setToolTip(QStringLiteral("Select Drive"));
    folders_->setToolTip(setup.folderTip);
    files_->setToolTip(setup.fileTip);
    player_->setToolTip(setup.playerTip);

    auto* sample = new QLabel(QStringLiteral("Sample"), this);
    sample->setObjectName(setup.sampleLabel);
    sample->setAlignment(Qt::AlignCenter);
    QFont bold = sample->font();
    bold.setBold(true);
    sample->setFont(bold);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(drives_);
    column->addWidget(folders_, 1);
    column->addWidget(files_, 1);
    column->addWidget(sample);
    column->addWidget(player_);
    folders_->setMinimumHeight(120);
    files_->setMinimumHeight(120);
    setFixedWidth(200);

    connect(drives_, &DriveList::changed, this, &BrowserPane::driveChange);
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
    drives_->showDriveOf(start);
    lastGoodDrive_ = drives_->drive();
    if (!folders_->trySetPath(start))
        folders_->trySetPath(QDir::homePath());
}

void BrowserPane::driveChange()
{
    for (;;) {
        const QString drive = drives_->drive();
        const QString target = lastFolderOnDrive_.value(drive, driveRoot(drive));
        if (folders_->trySetPath(target) || (target != driveRoot(drive) && folders_->trySetPath(driveRoot(drive)))) {
            lastGoodDrive_ = drive;
            return;
        }
        const MessageAnswer answer = showMessage(Message{QStringLiteral("Please insert a disk or CD."),
                                                     QStringLiteral("Drive Not Ready"), MessageButtons::RetryCancel},
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
    files_->setPath(folders_->path());
    if (!setup_.settingsFile.isEmpty())
        QSettings(setup_.settingsFile, QSettings::IniFormat)
            .setValue(QStringLiteral("folders/") + setup_.folder, folders_->path());
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
        player_->openFile(deviceKind(setup_.deviceType), files_->fullPath());
    }
}

void BrowserPane::preparePlayer()
{
    player_->prepare(deviceKind(setup_.deviceType), QStringLiteral("SelectedFile"));
}

void BrowserPane::closePlayer() { player_->closeFile(); }

} // namespace sonaplex
