#include "record/format_cache.h"

#include "base/file_stamp.h"

#include <QFile>
#include <QHash>

#include <sqlite3.h>

#include <utility>

namespace sonaplex {

namespace {
// Changed whenever what is remembered of a file is read or written differently: a cache of
// another version is emptied.
constexpr int kVersion = 2;

// A statement, finalized however it ends.
struct Statement {
    sqlite3_stmt* s = nullptr;
    Statement(sqlite3* db, const char* sql)
    {
        if (db && sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
            s = nullptr;
    }
    ~Statement() { sqlite3_finalize(s); }
    void text(int at, const QByteArray& v) { sqlite3_bind_text(s, at, v.constData(), int(v.size()), SQLITE_TRANSIENT); }
    void blob(int at, const QByteArray& v) { sqlite3_bind_blob(s, at, v.constData(), int(v.size()), SQLITE_TRANSIENT); }
    QByteArray column(int at) const
    {
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(s, at)), sqlite3_column_bytes(s, at));
    }
};

bool run(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
} // namespace

FormatCache::FormatCache(const QString& file)
{
    if (file.isEmpty())
        return;
    // A cache that cannot be read as one (damaged, or not a database) is made anew, once; one
    // that is busy or cannot be written (a read-only folder) is left as it is, and not used.
    if (!open(file) && (lastError_ == SQLITE_NOTADB || lastError_ == SQLITE_CORRUPT)) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-wal"));
        QFile::remove(file + QStringLiteral("-shm"));
        (void)open(file);
    }
}

bool FormatCache::open(const QString& file)
{
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db_,
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK) {
        lastError_ = sqlite3_errcode(db_);
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    sqlite3_busy_timeout(db_, 2000); // another copy of the program writing: it waits, then forgets
    // What is lost in a crash is read again; the file itself is never left damaged (WAL).
    int version = -1;
    {
        Statement q(db_, "PRAGMA user_version");
        if (q.s && sqlite3_step(q.s) == SQLITE_ROW)
            version = sqlite3_column_int(q.s, 0);
    }
    const bool usable = version >= 0 && run(db_, "PRAGMA journal_mode=WAL") && run(db_, "PRAGMA synchronous=NORMAL");
    lastError_ = sqlite3_errcode(db_);
    if (usable && version != kVersion)
        (void)(run(db_, "DROP TABLE IF EXISTS formats")
            && run(db_,
                "CREATE TABLE formats(path TEXT PRIMARY KEY, stamp TEXT NOT NULL, info BLOB NOT NULL) WITHOUT ROWID")
            && run(db_, ("PRAGMA user_version=" + QByteArray::number(kVersion)).constData()));
    if (!usable) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
    return usable;
}

FormatCache::~FormatCache() { sqlite3_close(db_); }

std::vector<QByteArray> FormatCache::lookUp(
    const QString& folder, const QStringList& paths, std::vector<QString>& stamps)
{
    std::vector<QByteArray> found(size_t(paths.size()));
    stamps.assign(size_t(paths.size()), QString());
    QHash<QString, std::pair<QString, QByteArray>> known;
    if (db_) { // the folder's rows in one pass ('0' follows '/')
        Statement q(db_, "SELECT path, stamp, info FROM formats WHERE path >= ? AND path < ?");
        if (q.s) {
            q.text(1, (folder + QLatin1Char('/')).toUtf8());
            q.text(2, (folder + QLatin1Char('0')).toUtf8());
            while (sqlite3_step(q.s) == SQLITE_ROW)
                known.insert(QString::fromUtf8(q.column(0)), {QString::fromUtf8(q.column(1)), q.column(2)});
        }
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        stamps[size_t(i)] = fileStamp(paths[i]);
        const auto at = known.constFind(paths[i]);
        if (at != known.cend() && !stamps[size_t(i)].isEmpty() && at->first == stamps[size_t(i)])
            found[size_t(i)] = at->second;
    }
    return found;
}

void FormatCache::remember(
    const QStringList& paths, const std::vector<QString>& stamps, const std::vector<QByteArray>& read)
{
    if (!db_ || !run(db_, "BEGIN IMMEDIATE"))
        return;
    {
        Statement q(db_, "INSERT OR REPLACE INTO formats(path, stamp, info) VALUES(?, ?, ?)");
        for (qsizetype i = 0; q.s && i < paths.size(); ++i) {
            if (read[size_t(i)].isEmpty() || stamps[size_t(i)].isEmpty())
                continue;
            q.text(1, paths[i].toUtf8());
            q.text(2, stamps[size_t(i)].toUtf8());
            q.blob(3, read[size_t(i)]);
            if (sqlite3_step(q.s) != SQLITE_DONE)
                break;
            sqlite3_reset(q.s);
        }
    }
    if (!run(db_, "COMMIT"))
        (void)run(db_, "ROLLBACK");
}

} // namespace sonaplex
