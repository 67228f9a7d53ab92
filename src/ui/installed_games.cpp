#include "ui/installed_games.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <QMetaObject>
#include <QPointer>
#include <QSaveFile>
#include <QThread>

namespace sonaplex {

InstalledGames::InstalledGames(
    QString programFolder, std::function<std::shared_ptr<ReplacementRecord>()> record, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)), record_(std::move(record)),
      watcher_(new QFileSystemWatcher(this)), settle_(new QTimer(this))
{
    settle_->setSingleShot(true);
    settle_->setInterval(3000); // a download rewrites the manifest many times
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
    connect(settle_, &QTimer::timeout, this, &InstalledGames::refresh);
}

void InstalledGames::watchLibraries()
{
    // LIBRARY/steamapps/common/GAME: its manifest is LIBRARY/steamapps/appmanifest_ID.acf. The
    // folder tells of a manifest written anew and renamed into place, the file of one rewritten.
    // (The files of a few hundred games at most: the system's watches are few.)
    constexpr size_t kWatchedFiles = 256;
    QStringList paths;
    for (const Game& g : games_)
        if (g.launcher == Launcher::Steam) {
            const QString apps = QFileInfo(QFileInfo(g.folder).absolutePath()).absolutePath();
            if (!paths.contains(apps))
                paths << apps;
            if (games_.size() <= kWatchedFiles)
                paths << apps + QStringLiteral("/appmanifest_") + g.id + QStringLiteral(".acf");
        }
    // The record: a command or another program copy that replaces, restores or undoes changes
    // what the update notice counts (its log, while any copy has the record open; the folder
    // when the log comes or goes).
    const QString replacements = programFolder_ + QStringLiteral("/Replacements");
    if (QFileInfo(replacements).isDir())
        paths << replacements;
    if (QFileInfo::exists(replacements + QStringLiteral("/record.sqlite-wal")))
        paths << replacements + QStringLiteral("/record.sqlite-wal");
    const QStringList watched = watcher_->directories() + watcher_->files();
    for (const QString& p : watched)
        if (!paths.contains(p))
            watcher_->removePath(p);
    for (const QString& p : paths)
        if (!watched.contains(p))
            watcher_->addPath(p);
}

// A search still running is waited for: it only reads, and briefly.
InstalledGames::~InstalledGames()
{
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

QString InstalledGames::logFile() const { return programFolder_ + QStringLiteral("/Games.log"); }

void InstalledGames::search()
{
    if (!found_ && !searching_)
        searchNow();
}

void InstalledGames::refresh() { searchNow(); }

void InstalledGames::searchNow()
{
    if (searching_) {
        again_ = true;
        return;
    }
    searching_ = true;
    const GamePlaces places = GamePlaces::ofUser(programFolder_);
    const QString log = logFile();
    QPointer<InstalledGames> self(this);
    std::shared_ptr<ReplacementRecord> record = record_ ? record_() : nullptr;
    if (record && !record->isOpen())
        record.reset();
    // A thread of its own, not the shared pool: the pool is for the players' and the lists' work.
    QThread* worker = QThread::create([places, log, self, record] {
        GameSearch result = findGames(places);
        // The record is read on connections of this thread's own (readUnder).
        std::vector<GameCount> counts = record ? countReplaced(result.games, record->readUnder({}))
                                               : std::vector<GameCount>(result.games.size());
        QSaveFile out(log);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(result.log.join(QLatin1Char('\n')).toUtf8() + (result.log.isEmpty() ? "" : "\n"));
            out.commit();
        }
        QMetaObject::invokeMethod(
            qApp, [self, games = std::move(result.games), counts = std::move(counts)]() mutable {
                if (!self)
                    return;
                self->games_ = std::move(games);
                self->counts_ = std::move(counts);
                self->found_ = true;
                self->searching_ = false;
                self->watchLibraries();
                emit self->found();
                if (std::exchange(self->again_, false))
                    self->searchNow();
            },
            Qt::QueuedConnection);
    });
    worker_ = worker;
    connect(worker, &QThread::finished, this, [this, worker] {
        if (worker_ == worker)
            worker_ = nullptr;
        worker->deleteLater();
    });
    worker->start(QThread::LowPriority);
}

FileResult InstalledGames::add(const QString& name, const QString& folder)
{
    const FileResult added = addGame(GamePlaces::ofUser(programFolder_).added, name, folder);
    if (added)
        searchNow();
    return added;
}

} // namespace sonaplex
