#include "ui/file_list.h"

#include "base/folder_scan.h"
#include "ui/window_parts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FileList)
};
} // namespace

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
                {GameFileState::Missing, QColor(120, 120, 120)},
                {GameFileState::Unreadable, QColor(200, 40, 40)}};
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
                + Say::tr("\nThis name cannot be read as UTF-8 (it was written in another character set): "
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

namespace {
// A replaced file's mark and its tooltip.
FileNameModel::Mark markOf(const ReplacedFile& f)
{
    const QString when = QLocale().toString(f.at.toLocalTime(), QLocale::ShortFormat);
    const QString note = f.state == GameFileState::Replaced
        ? Say::tr("Replaced by %1 on %2").arg(QFileInfo(f.replacedBy).fileName(), when)
        : f.state == GameFileState::Original   ? Say::tr("Holds its original again")
        : f.state == GameFileState::Unreadable ? Say::tr("Cannot be read: %1").arg(f.readFailure.error)
                                               : Say::tr("Changed since Sonaplex replaced it on %1").arg(when);
    return {f.state, note};
}
} // namespace

// Marks found on a worker, shown on the list's thread unless a newer listing has begun.
void FileList::showMarks(QPointer<FileList> self, int round, QHash<QString, FileNameModel::Mark> marks)
{
    QMetaObject::invokeMethod(
        qApp,
        [self, round, marks = std::move(marks)]() mutable {
            if (self && self->markRound_ == round)
                self->model_->setMarks(std::move(marks));
        },
        Qt::QueuedConnection);
}

// Which listed files the record knows comes from one quick query; what they hold now is
// read on a worker, only for those files, and shown when it is known.
void FileList::findMarks()
{
    const int round = ++markRound_;
    model_->setMarks({});
    const std::shared_ptr<ReplacementRecord> record = record_.lock();
    if (!record || path_.isEmpty())
        return;
    if (whole_) { // every file below: the record is read off this thread, on its own connections
        QPointer<FileList> self(this);
        const QString folder = QDir::cleanPath(path_);
        QThreadPool::globalInstance()->start([self, round, record, folder] {
            QHash<QString, FileNameModel::Mark> marks;
            for (const ReplacedFile& f : record->readUnder(folder))
                marks.insert(f.gamePath.mid(folder.size() + 1), markOf(f));
            showMarks(self, round, std::move(marks));
        });
        return;
    }
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
            for (const ReplacedFile& f : known)
                marks.insert(QFileInfo(f.gamePath).fileName(), markOf(f));
            showMarks(self, round, std::move(marks));
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
    scan_->start(path_, whole_ ? FolderScan::Kind::FilesBelow : FolderScan::Kind::Files, pattern_);
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
        scan_->start(path_, whole_ ? FolderScan::Kind::FilesBelow : FolderScan::Kind::Files, pattern_);
        scan_->settle();
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

} // namespace sonaplex
