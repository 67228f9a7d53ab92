// What the record knows of replaced game files, read for a list, and the state each file is in.
#include "base/replacement_record.h"

#include "base/content_hash.h"
#include "base/work_progress.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>
#include <atomic>

namespace sonaplex {

namespace {
// A time now() wrote ("2026-12-08T11:40:05.123Z"), in UTC; read by hand, as a list of many
// thousand files reads one per file and QDateTime::fromString is slow.
QDateTime recordedTime(const QString& at)
{
    auto number = [&](int from, int digits) {
        int n = 0;
        for (int i = from; i < from + digits; ++i) {
            const int d = at[i].digitValue();
            if (d < 0)
                return -1;
            n = n * 10 + d;
        }
        return n;
    };
    if (at.size() == 24 && at[4] == QLatin1Char('-') && at[10] == QLatin1Char('T') && at[19] == QLatin1Char('.')
        && at[23] == QLatin1Char('Z')) {
        const QDate date(number(0, 4), number(5, 2), number(8, 2));
        const QTime time(number(11, 2), number(14, 2), number(17, 2), number(20, 3));
        if (date.isValid() && time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    return QDateTime::fromString(at, Qt::ISODateWithMs).toUTC();
}
} // namespace

GameFileState ReplacementRecord::stateFor(const ReplacedFile& f, const QString& current)
{
    return current.isEmpty()        ? GameFileState::Missing
        : current == f.originalHash ? GameFileState::Original
        : current == f.lastHash     ? GameFileState::Replaced
                                    : GameFileState::ChangedSince;
}

std::vector<QString> ReplacementRecord::rememberedHashes(const std::vector<ReplacedFile>& files) const
{
    std::vector<QString> hashes;
    hashes.reserve(files.size());
    for (const ReplacedFile& f : files)
        hashes.push_back(knownHash(f.gamePath));
    return hashes;
}

void ReplacementRecord::findStates(
    std::vector<ReplacedFile>& files, const std::vector<QString>& remembered, WorkProgress* progress)
{
    for (size_t i = 0; i < files.size(); ++i) {
        if (progress && progress->cancelled()) {
            files[i].state = GameFileState::NotRead;
            continue;
        }
        const QString& known = i < remembered.size() ? remembered[i] : QString();
        files[i].currentHash = known.isEmpty() ? contentHash(files[i].gamePath).hash : known;
        files[i].state = stateFor(files[i], files[i].currentHash);
        if (progress)
            progress->fileDone();
    }
}

std::vector<ReplacedFile> ReplacementRecord::replacedFiles(WorkProgress* progress) const { return readUnder({}, progress); }

std::vector<ReplacedFile> ReplacementRecord::knownIn(const QString& folder) const
{
    const QString clean = QDir::cleanPath(folder);
    std::vector<ReplacedFile> files = query(clean);
    std::erase_if(files, [&](const ReplacedFile& f) { return QFileInfo(f.gamePath).absolutePath() != clean; });
    return files;
}

std::vector<ReplacedFile> ReplacementRecord::query(const QString& folder) const
{
    if (!open_)
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_));
    std::vector<ReplacedFile> files = read(q, store_.folder(), folder, nullptr);
    checked(q, !q.lastError().isValid());
    return files;
}

std::vector<ReplacedFile> ReplacementRecord::read(
    QSqlQuery& q, const QString& storeFolder, const QString& folder, std::vector<Remembered>* remembered)
{
    std::vector<ReplacedFile> files;
    // With `remembered`, the hash remembered for each file comes in the same reading: one
    // statement, however many files.
    const QString columns = remembered
        ? QStringLiteral("SELECT e.game_path, e.before_hash, e.after_hash, e.source, e.at, k.stamp, k.hash FROM entries e "
                         "LEFT JOIN known k ON k.path = e.game_path WHERE e.done = 1 ")
        : QStringLiteral("SELECT e.game_path, e.before_hash, e.after_hash, e.source, e.at FROM entries e WHERE e.done = 1 ");
    q.setForwardOnly(true);
    if (folder.isEmpty()) {
        if (!q.exec(columns + QStringLiteral("ORDER BY e.game_path, e.id")))
            return files;
    } else {
        // A range on the indexed path: quick whatever the size of the record.
        q.prepare(columns + QStringLiteral("AND e.game_path > ? AND e.game_path < ? ORDER BY e.game_path, e.id"));
        q.addBindValue(folder + QLatin1Char('/'));
        q.addBindValue(folder + QLatin1Char('0')); // '0' follows '/'
        if (!q.exec())
            return files;
    }
    // The rows come file by file (ordered by path). Per file: where each content it was given
    // came from, and when. What replaced it is where its present content (the last one put there)
    // came from: after an undo, the SWITCH it went back to, not the one undone. A restore or undo
    // puts back, it does not replace.
    struct Given {
        QString hash, source, at;
    };
    std::vector<Given> given; // of the file being read, newest last
    QString firstSource, firstAt;
    auto finish = [&] {
        if (files.empty())
            return;
        ReplacedFile& f = files.back();
        const auto from = std::find_if(given.rbegin(), given.rend(), [&](const Given& g) { return g.hash == f.lastHash; });
        const bool put = from != given.rend();
        f.replacedBy = put ? from->source : f.lastHash == f.originalHash ? QString() : firstSource;
        const QString& at = put && !from->at.isEmpty() ? from->at : firstAt;
        f.at = recordedTime(at);
        given.clear();
    };
    const QString inStore = storeFolder + QLatin1Char('/');
    while (q.next()) {
        const QString path = q.value(0).toString();
        if (files.empty() || files.back().gamePath != path) {
            finish();
            files.push_back({path, {}, {}, q.value(1).toString(), {}, GameFileState::Missing, {}});
            firstSource = q.value(3).toString();
            firstAt = q.value(4).toString();
            if (remembered)
                remembered->push_back({q.value(5).toString(), q.value(6).toString()});
        }
        ReplacedFile& f = files.back();
        f.lastHash = q.value(2).toString();
        const QString source = q.value(3).toString();
        if (!source.startsWith(inStore))
            given.push_back({f.lastHash, source, q.value(4).toString()});
    }
    finish();
    return files;
}

std::vector<ReplacedFile> ReplacementRecord::readUnder(const QString& folder, WorkProgress* progress) const
{
    std::vector<ReplacedFile> files;
    if (!open_)
        return files;
    const QString clean = folder.isEmpty() || QDir::cleanPath(folder) == QLatin1String("/") ? QString() : QDir::cleanPath(folder);
    WorkProgress unwatched;
    WorkProgress& p = progress ? *progress : unwatched;
    std::vector<Remembered> remembered;
    bool read = false;
    // Off the window's thread: a connection of its own, read-only, on the thread that does the
    // work (SQLite's WAL lets it read beside the record's connection).
    p.offload([&] {
        static std::atomic<int> readers{0};
        const QString name = connection_ + QStringLiteral("-reader-%1").arg(++readers);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(databasePath());
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (db.open()) {
                QSqlQuery q(db);
                files = ReplacementRecord::read(q, store_.folder(), clean, &remembered);
                read = !q.lastError().isValid();
            }
        }
        QSqlDatabase::removeDatabase(name);
    });
    if (!read && !p.cancelled()) { // a reader could not open it: the record's own connection reads it
        QSqlQuery q(QSqlDatabase::database(connection_));
        remembered.clear();
        files = ReplacementRecord::read(q, store_.folder(), clean, &remembered);
        checked(q, !q.lastError().isValid());
    }
    p.setTotal(int(files.size()), 0);
    for (ReplacedFile& f : files)
        f.state = GameFileState::NotRead; // until read (a cancel, or a failure, leaves it so)
    // A remembered hash counts while the file is as it was when it was hashed.
    p.offload([&] {
        std::vector<QString> hashes(files.size());
        for (size_t i = 0; i < files.size() && !p.cancelled(); ++i)
            if (!remembered[i].stamp.isEmpty() && remembered[i].stamp == stampOf(files[i].gamePath))
                hashes[i] = remembered[i].hash;
        findStates(files, hashes, &p);
    });
    return files;
}

} // namespace sonaplex
