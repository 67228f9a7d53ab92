// What the record knows of replaced game files, read for a list, and the state each file is in.
#include "record/replacement_record.h"

#include "base/content_hash.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>
#include <functional>

#include <sqlite3.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(RecordStates)
};

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

std::vector<QString> ReplacementRecord::rememberedHashes(const std::vector<ReplacedFile>& files)
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
        if (!known.isEmpty()) {
            files[i].currentHash = known;
            files[i].state = stateFor(files[i], known);
        } else if (const HashResult read = contentHash(files[i].gamePath);
                   read.result || read.result.cause == FileCause::NotFound) {
            files[i].currentHash = read.hash;
            files[i].state = stateFor(files[i], read.hash);
        } else {
            // There, but not readable: never taken for missing (a plan would pass it over and
            // say all was done).
            files[i].currentHash.clear();
            files[i].state = GameFileState::Unreadable;
            files[i].readFailure = read.result;
        }
        if (progress)
            progress->fileDone();
    }
}

std::vector<ReplacedFile> ReplacementRecord::replacedFiles(WorkProgress* progress, FileResult* listed)
{
    return readUnder({}, progress, listed);
}

std::vector<ReplacedFile> ReplacementRecord::knownIn(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    std::vector<ReplacedFile> files = query(clean);
    std::erase_if(files, [&](const ReplacedFile& f) { return QFileInfo(f.gamePath).absolutePath() != clean; });
    return files;
}

std::vector<ReplacedFile> ReplacementRecord::query(const QString& folder)
{
    if (!open_)
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_));
    std::vector<ReplacedFile> files = readThrough(q, folder, nullptr);
    checked(q, !q.lastError().isValid());
    return files;
}

// The rows of the listing, one at a time, whichever way they are read.
class ListingRows {
public:
    virtual ~ListingRows() = default;
    virtual bool next() = 0;
    // Column `i` of the row: game_path, before_hash, after_hash, source, at, and with
    // remembered hashes the stamp and hash known for the path.
    virtual QString text(int i) = 0;
};

namespace {
class QtRows final : public ListingRows {
public:
    explicit QtRows(QSqlQuery& q) : q_(q) {}
    bool next() override { return q_.next(); }
    QString text(int i) override { return q_.value(i).toString(); }

private:
    QSqlQuery& q_;
};

// Read through SQLite's own interface: a list of many thousand files reads several times
// faster than through Qt SQL, which copies every row into variants first.
class SqliteRows final : public ListingRows {
public:
    explicit SqliteRows(sqlite3_stmt* statement) : s_(statement) {}
    bool next() override
    {
        const int step = sqlite3_step(s_);
        failed_ = step != SQLITE_ROW && step != SQLITE_DONE;
        return step == SQLITE_ROW;
    }
    QString text(int i) override
    {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s_, i));
        return text ? QString::fromUtf8(text, sqlite3_column_bytes(s_, i)) : QString();
    }
    bool failed() const { return failed_; }

private:
    sqlite3_stmt* s_;
    bool failed_ = false;
};

// The listing of the record at `database`, on a read-only connection of SQLite's own (WAL lets
// it read beside the record's connection). False when it could not be read.
bool readDirectly(const QString& database, const QString& statement, const QString& folder,
    const std::function<void(ListingRows&)>& take)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(database).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
            nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_busy_timeout(db, 5000);
    sqlite3_stmt* q = nullptr;
    const QByteArray sql = statement.toUtf8();
    bool ok = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &q, nullptr) == SQLITE_OK;
    if (ok && !folder.isEmpty()) {
        const QByteArray from = (folder + QLatin1Char('/')).toUtf8(), to = (folder + QLatin1Char('0')).toUtf8();
        ok = sqlite3_bind_text(q, 1, from.constData(), int(from.size()), SQLITE_TRANSIENT) == SQLITE_OK
            && sqlite3_bind_text(q, 2, to.constData(), int(to.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    if (ok) {
        SqliteRows rows(q);
        take(rows);
        ok = !rows.failed();
    }
    sqlite3_finalize(q);
    sqlite3_close(db);
    return ok;
}
} // namespace

std::vector<ReplacedFile> ReplacementRecord::readThrough(
    QSqlQuery& q, const QString& folder, std::vector<Remembered>* remembered)
{
    q.setForwardOnly(true); // before exec(): set after, it drops the rows
    if (!q.prepare(listingStatement(remembered, !folder.isEmpty())))
        return {};
    if (!folder.isEmpty()) {
        q.addBindValue(folder + QLatin1Char('/'));
        q.addBindValue(folder + QLatin1Char('0')); // '0' follows '/'
    }
    if (!q.exec())
        return {};
    QtRows rows(q);
    return read(rows, store_.folder(), remembered);
}

QString ReplacementRecord::listingStatement(bool remembered, bool inFolder)
{
    // With `remembered`, the hash remembered for each file comes in the same reading: one
    // statement, however many files. A folder is a range on the indexed path: quick whatever
    // the size of the record.
    return (remembered ? QStringLiteral("SELECT e.game_path, e.before_hash, e.after_hash, e.source, e.at, k.stamp, k.hash "
                                        "FROM entries e LEFT JOIN known k ON k.path = e.game_path WHERE e.done = 1 ")
                       : QStringLiteral("SELECT e.game_path, e.before_hash, e.after_hash, e.source, e.at FROM entries e "
                                        "WHERE e.done = 1 "))
        + (inFolder ? QStringLiteral("AND e.game_path > ? AND e.game_path < ? ") : QString())
        + QStringLiteral("ORDER BY e.game_path, e.id");
}

std::vector<ReplacedFile> ReplacementRecord::read(
    ListingRows& rows, const QString& storeFolder, std::vector<Remembered>* remembered)
{
    std::vector<ReplacedFile> files;
    const QString inStore = storeFolder + QLatin1Char('/');
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
        auto from = std::find_if(given.rbegin(), given.rend(), [&](const Given& g) { return g.hash == f.lastHash; });
        bool put = from != given.rend();
        // The last content put back is neither the original nor any replacement: an undo of a
        // restore returned what a game update had written. Sonaplex did not choose those bytes, so
        // what it put there is still the last replacement, and the file holds something else.
        if (!put && f.lastHash != f.originalHash && !given.empty()) {
            from = given.rbegin();
            f.lastHash = from->hash;
            put = true;
        }
        f.replacedBy = put ? from->source : f.lastHash == f.originalHash ? QString() : firstSource;
        const QString& at = put && !from->at.isEmpty() ? from->at : firstAt;
        f.at = recordedTime(at);
        given.clear();
    };
    while (rows.next()) {
        const QString path = rows.text(0);
        const QString source = rows.text(3);
        if (files.empty() || files.back().gamePath != path) {
            finish();
            files.push_back({path, {}, {}, rows.text(1), {}, GameFileState::Missing, {}});
            firstSource = source;
            firstAt = rows.text(4);
            if (remembered)
                remembered->push_back({rows.text(5), rows.text(6)});
        }
        ReplacedFile& f = files.back();
        f.lastHash = rows.text(2);
        if (!source.startsWith(inStore))
            given.push_back({f.lastHash, source, rows.text(4)});
    }
    finish();
    return files;
}

std::vector<ReplacedFile> ReplacementRecord::readUnder(const QString& folder, WorkProgress* progress, FileResult* listed)
{
    std::vector<ReplacedFile> files;
    if (!open_) { // closed by a failure (settling what a killed run left, say): no listing
        if (listed)
            *listed = unusable();
        return files;
    }
    const QString clean = folder.isEmpty() || QDir::cleanPath(folder) == QLatin1String("/") ? QString() : QDir::cleanPath(folder);
    WorkProgress unwatched;
    WorkProgress& p = progress ? *progress : unwatched;
    std::vector<Remembered> remembered;
    bool read = false;
    // Off the window's thread: a connection of its own, read-only, on the thread that does the
    // work (SQLite's WAL lets it read beside the record's connection).
    p.offload([&] {
        read = readDirectly(databasePath(), listingStatement(true, !clean.isEmpty()), clean,
            [&](ListingRows& rows) { files = ReplacementRecord::read(rows, store_.folder(), &remembered); });
    });
    // A reader could not open it: the record's own connection reads it, on its own thread (a
    // connection is used by the thread that made it only).
    QString cause;
    if (!read && !p.cancelled() && QThread::currentThread() == home_) {
        QSqlQuery q(QSqlDatabase::database(connection_));
        remembered.clear();
        files = readThrough(q, clean, &remembered);
        read = checked(q, !q.lastError().isValid());
        cause = sqlWords(q.lastError());
    }
    // A listing that could not be read whole is no listing: never "nothing was replaced".
    if (!read && !p.cancelled()) {
        files.clear();
        remembered.clear();
        if (listed)
            *listed = FileResult::failure(
                Say::tr("the record of replaced game files (%1) could not be read%2")
                    .arg(databasePath(), cause.isEmpty() ? QString() : QStringLiteral(": ") + cause));
    } else if (listed) {
        *listed = FileResult::success();
    }
    p.setTotal(int(files.size()), 0);
    for (ReplacedFile& f : files)
        f.state = GameFileState::NotRead; // until read (a cancel, or a failure, leaves it so)
    // A remembered hash counts while the file is as it was when it was hashed.
    p.offload([&] {
        std::vector<QString> hashes(files.size());
        StampCheck stamps;
        for (size_t i = 0; i < files.size() && !p.cancelled(); ++i)
            if (stamps.matches(files[i].gamePath, remembered[i].stamp))
                hashes[i] = remembered[i].hash;
        findStates(files, hashes, &p);
    });
    return files;
}

} // namespace sonaplex
