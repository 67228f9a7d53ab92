#include "ui/installed_games.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QSaveFile>
#include <QThread>

namespace sonaplex {

InstalledGames::InstalledGames(
    QString programFolder, std::function<std::shared_ptr<ReplacementRecord>()> record, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)), record_(std::move(record))
{
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

void InstalledGames::refresh()
{
    if (found_ || searching_)
        searchNow();
    else
        search();
}

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
