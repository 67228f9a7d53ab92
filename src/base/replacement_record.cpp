#include "base/replacement_record.h"

#include "base/content_hash.h"
#include "base/work_progress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <algorithm>
#include <cstdio>
#include <atomic>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace sonaplex {

namespace {
const QString kFile = QStringLiteral("record.sqlite");

QString now() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }

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

ReplacementRecord::ReplacementRecord(const QString& folder)
    : connection_(QStringLiteral("record-") + QUuid::createUuid().toString(QUuid::WithoutBraces)), folder_(folder),
      store_(folder + QStringLiteral("/originals"))
{
    QDir().mkpath(folder_);
    openOrMoveAside();
}

// Opens the record at its path. Only a record that was read and found damaged is moved aside
// (with what SQLite keeps beside it) and a new one started; an error opening or reading it is
// not damage, and the record is left as it is, closed, until it can be opened.
void ReplacementRecord::openOrMoveAside()
{
    const Opened opened = prepare();
    if (opened == Opened::Yes)
        return;
    if (opened == Opened::Failed) {
        problem_ = QStringLiteral("The record of replaced game files (%1) cannot be opened: %2. Nothing can be "
                                  "replaced, restored or undone until it can; the record itself is kept as it is.")
                       .arg(databasePath(), problem_);
        return;
    }
    const QString reason = problem_;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = databasePath() + QStringLiteral(".damaged-") + stamp;
    bool moved = QFile::rename(databasePath(), aside);
    for (const char* tail : {"-wal", "-shm"})
        QFile::rename(databasePath() + QLatin1String(tail), aside + QLatin1String(tail));
    if (moved && prepare() == Opened::Yes) {
        const int salvaged = salvage(aside);
        problem_ = salvaged > 0
            ? QStringLiteral("The record of replaced game files was damaged (%1). It was moved aside to %2 and a new "
                             "record was started with the %3 replacement(s) that could still be read from it: they "
                             "can be restored from the restore window. The originals of any others are still kept "
                             "in %4.")
                  .arg(reason, aside)
                  .arg(salvaged)
                  .arg(store_.folder())
            : QStringLiteral("The record of replaced game files was damaged (%1). It was moved aside to %2 "
                             "and a new record was started: nothing could be read from the old one, so files "
                             "replaced before cannot be restored from the restore window, but their originals are "
                             "still kept in %3.")
                  .arg(reason, aside, store_.folder());
        return;
    }
    problem_ = QStringLiteral("The record of replaced game files in %1 is damaged (%2) and could not be replaced by "
                              "a new one (%3). Nothing can be replaced, restored or undone until it can.")
                   .arg(folder_, reason, problem_);
}

// What can still be read from a record moved aside as damaged (SQLite reads the pages that are
// whole) goes into the new one, so that those replacements stay restorable from the window.
int ReplacementRecord::salvage(const QString& damaged)
{
    const QString name = connection_ + QStringLiteral("-salvage");
    int copied = 0;
    {
        QSqlDatabase old = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        old.setDatabaseName(damaged);
        old.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (old.open()) {
            QSqlQuery runs(old), entries(old);
            QSqlDatabase db = QSqlDatabase::database(connection_);
            QSqlQuery put(db);
            db.transaction();
            if (runs.exec(QStringLiteral("SELECT id, at, kind, undoes FROM runs"))) {
                put.prepare(QStringLiteral("INSERT OR IGNORE INTO runs(id, at, kind, undoes) VALUES(?, ?, ?, ?)"));
                while (runs.next()) {
                    for (int c = 0; c < 4; ++c)
                        put.addBindValue(runs.value(c));
                    put.exec();
                }
            }
            if (entries.exec(QStringLiteral("SELECT id, run, game_path, before_hash, after_hash, source, at FROM "
                                            "entries WHERE done = 1"))) {
                put.prepare(QStringLiteral("INSERT OR IGNORE INTO entries(id, run, game_path, before_hash, after_hash, "
                                           "source, at, done) VALUES(?, ?, ?, ?, ?, ?, ?, 1)"));
                while (entries.next()) {
                    for (int c = 0; c < 7; ++c)
                        put.addBindValue(entries.value(c));
                    copied += put.exec() ? 1 : 0;
                }
            }
            if (!db.commit()) {
                db.rollback();
                copied = 0;
            }
        }
        old.close();
    }
    QSqlDatabase::removeDatabase(name);
    return copied;
}

ReplacementRecord::~ReplacementRecord()
{
    releaseTurn();
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QString ReplacementRecord::databasePath() const { return folder_ + QLatin1Char('/') + kFile; }

namespace {
// SQLite's primary result code of an error (extended codes carry it in the low byte).
int sqliteCode(const QSqlError& e) { return e.nativeErrorCode().toInt() & 0xff; }
constexpr int kSqliteReadOnly = 8, kSqliteCorrupt = 11, kSqliteFull = 13, kSqliteNotADatabase = 26;

bool statOf(const QString& path, qint64* dev, qint64* ino)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    *dev = qint64(st.st_dev);
    *ino = qint64(st.st_ino);
    return true;
}
} // namespace

ReplacementRecord::Opened ReplacementRecord::prepare()
{
    open_ = false;
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid()) {
        problem_ = QStringLiteral("the SQLite driver of Qt could not be loaded");
        return Opened::Failed;
    }
    db.setDatabaseName(databasePath());
    if (!db.open()) {
        problem_ = db.lastError().text();
        return Opened::Failed;
    }
    QSqlQuery q(db);
    bool damaged = false;
    auto run = [&](const QString& sql) {
        if (!q.exec(sql)) {
            problem_ = q.lastError().text();
            const int code = sqliteCode(q.lastError());
            damaged = code == kSqliteCorrupt || code == kSqliteNotADatabase;
            return false;
        }
        return true;
    };
    if (!run(QStringLiteral("PRAGMA quick_check"))) {
        db.close();
        return damaged ? Opened::Damaged : Opened::Failed;
    }
    if (!q.next() || q.value(0).toString() != QLatin1String("ok")) {
        problem_ = QStringLiteral("it is damaged");
        db.close();
        return Opened::Damaged;
    }
    const bool ok = run(QStringLiteral("PRAGMA journal_mode=WAL")) && run(QStringLiteral("PRAGMA synchronous=FULL"))
        && run(QStringLiteral("CREATE TABLE IF NOT EXISTS runs(id INTEGER PRIMARY KEY, at TEXT NOT NULL, "
                              "kind TEXT NOT NULL, undoes INTEGER NOT NULL DEFAULT 0)"))
        && run(QStringLiteral("CREATE TABLE IF NOT EXISTS entries(id INTEGER PRIMARY KEY, run INTEGER NOT NULL, "
                              "game_path TEXT NOT NULL, before_hash TEXT NOT NULL, after_hash TEXT NOT NULL, "
                              "source TEXT NOT NULL, at TEXT NOT NULL, done INTEGER NOT NULL DEFAULT 0)"))
        && run(QStringLiteral("CREATE INDEX IF NOT EXISTS entries_by_path ON entries(game_path)"))
        && run(QStringLiteral("CREATE TABLE IF NOT EXISTS known(path TEXT PRIMARY KEY, stamp TEXT NOT NULL, "
                              "hash TEXT NOT NULL)"));
    // The file the connection has open: compared with the path before every run.
    if (!ok || !statOf(databasePath(), &dev_, &ino_)) {
        if (ok)
            problem_ = QStringLiteral("it vanished while it was opened");
        db.close();
        return damaged ? Opened::Damaged : Opened::Failed;
    }
    open_ = true;
    problem_.clear();
    return Opened::Yes;
}

FileResult ReplacementRecord::ready()
{
    if (open_) {
        qint64 dev = 0, ino = 0;
        if (!statOf(databasePath(), &dev, &ino) || dev != dev_ || ino != ino_) {
            // Writes into a deleted file would be lost at the next start without a word.
            notice_ = QStringLiteral("The record of replaced game files (%1) was deleted or replaced by another file "
                                     "while Sonaplex was running. Sonaplex now keeps its record in the file at that "
                                     "path; what was recorded since the change may be missing from it.")
                          .arg(databasePath());
            open_ = false;
        }
    }
    if (!open_) {
        openOrMoveAside();
        if (!open_)
            return FileResult::failure(problem_, FileCause::Other);
        if (!problem_.isEmpty()) // moved aside just now: the user hears of it
            notice_ = std::exchange(problem_, QString());
    }
    settleUnfinished();
    return FileResult::success();
}

QString ReplacementRecord::takeNotice() { return std::exchange(notice_, QString()); }

bool ReplacementRecord::tryTakeTurn()
{
    if (turn_ >= 0)
        return false;
    const int fd = ::open(QFile::encodeName(folder_ + QStringLiteral("/run.lock")).constData(),
        O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return true; // a folder that cannot hold the lock cannot hold the record either: ready() says so
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    turn_ = fd;
    return true;
}

void ReplacementRecord::releaseTurn()
{
    if (turn_ < 0)
        return;
    ::flock(turn_, LOCK_UN);
    ::close(std::exchange(turn_, -1));
}

FileResult ReplacementRecord::writeFailure(const QString& what) const
{
    return failureOf(QSqlDatabase::database(connection_, false).lastError(), what);
}

FileResult ReplacementRecord::lastWriteFailure() const
{
    if (!open_ && lastError_.type() == QSqlError::NoError)
        return FileResult::failure(problem_);
    return failureOf(lastError_, QStringLiteral("write"));
}

FileResult ReplacementRecord::failureOf(const QSqlError& e, const QString& what)
{
    const int code = sqliteCode(e);
    const FileCause cause = code == kSqliteFull ? FileCause::NoSpace
        : code == kSqliteReadOnly               ? FileCause::ReadOnly
                                                : FileCause::Other;
    return FileResult::failure(
        QStringLiteral("the record of replacements could not be written (%1: %2)").arg(what, e.text()), cause);
}

// A statement that failed because the connection itself went bad (an I/O error, a lock SQLite
// could not release, the file gone or damaged) closes it: every later call fails at once instead
// of stalling in SQLite's retries, and the next run's ready() opens the record again.
bool ReplacementRecord::checked(QSqlQuery& q, bool ok) const
{
    if (ok)
        return true;
    const QSqlError e = q.lastError();
    lastError_ = e;
    const int code = sqliteCode(e);
    constexpr int kIoError = 10, kCantOpen = 14, kProtocol = 15;
    if (open_ && (code == kIoError || code == kCantOpen || code == kProtocol || code == kSqliteCorrupt
                     || code == kSqliteNotADatabase)) {
        open_ = false;
        problem_ = QStringLiteral("The record of replaced game files (%1) could not be read or written: %2.")
                       .arg(databasePath(), e.text());
        QSqlDatabase::database(connection_, false).close();
    }
    return false;
}

qint64 ReplacementRecord::beginRun(const QString& kind, qint64 undoes)
{
    if (!open_)
        return 0;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("INSERT INTO runs(at, kind, undoes) VALUES(?, ?, ?)"));
    q.addBindValue(now());
    q.addBindValue(kind);
    q.addBindValue(undoes);
    return checked(q, q.exec()) ? q.lastInsertId().toLongLong() : 0;
}

qint64 ReplacementRecord::intend(
    qint64 run, const QString& gamePath, const QString& before, const QString& after, const QString& source)
{
    if (!open_ || run == 0)
        return 0;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("INSERT INTO entries(run, game_path, before_hash, after_hash, source, at, done) "
                             "VALUES(?, ?, ?, ?, ?, ?, 0)"));
    // A game file that did not exist has no hash: stored as empty text (a null string would bind
    // as NULL, which the record refuses).
    auto text = [](const QString& s) { return QVariant(s.isNull() ? QStringLiteral("") : s); };
    for (const QVariant& v : {QVariant(run), text(gamePath), text(before), text(after), text(source), QVariant(now())})
        q.addBindValue(v);
    return checked(q, q.exec()) ? q.lastInsertId().toLongLong() : 0;
}

bool ReplacementRecord::happened(qint64 entry)
{
    if (!open_ || entry == 0)
        return false;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("UPDATE entries SET done = 1 WHERE id = ?"));
    q.addBindValue(entry);
    return checked(q, q.exec());
}

bool ReplacementRecord::didNotHappen(qint64 entry)
{
    if (!open_ || entry == 0)
        return false;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("DELETE FROM entries WHERE id = ?"));
    q.addBindValue(entry);
    return checked(q, q.exec());
}

// What changes whenever a file's content may have: the change time cannot be set by tools.
QString ReplacementRecord::stampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    char stamp[160]; // QString::asprintf is several times slower, and a list of many files takes one each
    const int n = std::snprintf(stamp, sizeof stamp, "%llu:%llu:%lld:%lld.%lld:%lld.%lld", (unsigned long long)st.st_dev,
        (unsigned long long)st.st_ino, (long long)st.st_size, (long long)st.st_mtim.tv_sec,
        (long long)st.st_mtim.tv_nsec, (long long)st.st_ctim.tv_sec, (long long)st.st_ctim.tv_nsec);
    return QString::fromLatin1(stamp, n);
}

QString ReplacementRecord::knownHash(const QString& path) const
{
    if (!open_)
        return {};
    const QString stamp = stampOf(path);
    if (stamp.isEmpty())
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("SELECT hash FROM known WHERE path = ? AND stamp = ?"));
    q.addBindValue(path);
    q.addBindValue(stamp);
    return checked(q, q.exec()) && q.next() ? q.value(0).toString() : QString();
}

void ReplacementRecord::remember(const QString& path, const QString& hash)
{
    const QString stamp = stampOf(path);
    if (!open_ || stamp.isEmpty() || hash.isEmpty())
        return;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO known(path, stamp, hash) VALUES(?, ?, ?)"));
    q.addBindValue(path);
    q.addBindValue(stamp);
    q.addBindValue(hash);
    checked(q, q.exec());
}

FileResult ReplacementRecord::begin()
{
    if (!open_)
        return FileResult::failure(problem_.isEmpty() ? QStringLiteral("the record of replacements is not open") : problem_);
    if (!QSqlDatabase::database(connection_).transaction())
        return writeFailure(QStringLiteral("begin"));
    return FileResult::success();
}

FileResult ReplacementRecord::end()
{
    if (!open_)
        return FileResult::failure(QStringLiteral("the record of replacements is not open"));
    QSqlDatabase db = QSqlDatabase::database(connection_);
    if (db.commit())
        return FileResult::success();
    const FileResult failed = writeFailure(QStringLiteral("commit"));
    db.rollback();
    return failed;
}

void ReplacementRecord::abandon()
{
    if (open_)
        QSqlDatabase::database(connection_).rollback();
}

int ReplacementRecord::settleUnfinished()
{
    if (!open_)
        return 0;
    if (turn_ >= 0)
        return settle();
    // Entries of a run going on in another window or process are not unfinished: they wait.
    if (!tryTakeTurn())
        return 0;
    const int settled = settle();
    releaseTurn();
    return settled;
}

int ReplacementRecord::settle()
{
    QSqlQuery q(QSqlDatabase::database(connection_));
    if (!checked(q, q.exec(QStringLiteral("SELECT id, game_path, before_hash, after_hash FROM entries WHERE done = 0"))))
        return 0;
    struct Open {
        qint64 id;
        QString path, before, after;
    };
    std::vector<Open> open;
    while (q.next())
        open.push_back({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()});
    for (const Open& e : open) {
        // A run killed between naming its copy and the rename left the copy beside the game file.
        removeTemporariesBeside(e.path);
        // The new content in place: it happened. The old one, or none: it did not. Anything
        // else was changed after us and is kept, to show as "changed since".
        const HashResult now = contentHash(e.path);
        if (!now.result && now.result.cause != FileCause::NotFound)
            continue; // cannot be told now: settled another time
        const QString& current = now.hash;
        if (current.isEmpty() || current == e.before)
            didNotHappen(e.id);
        else
            happened(e.id);
    }
    return int(open.size());
}

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

std::vector<RecordEntry> ReplacementRecord::lastRun(qint64* runId, QString* kind) const
{
    std::vector<RecordEntry> entries;
    if (!open_)
        return entries;
    QSqlQuery q(QSqlDatabase::database(connection_));
    // The newest run that changed something and that no undo has taken back; an undo's own
    // run is not undone again by this.
    checked(q, q.exec(QStringLiteral("SELECT r.id, r.kind FROM runs r WHERE r.kind != 'undo' "
                          "AND NOT EXISTS (SELECT 1 FROM runs u WHERE u.undoes = r.id) "
                          "AND EXISTS (SELECT 1 FROM entries e WHERE e.run = r.id AND e.done = 1) "
                          "ORDER BY r.id DESC LIMIT 1")));
    if (!q.next())
        return entries;
    const qint64 run = q.value(0).toLongLong();
    if (runId)
        *runId = run;
    if (kind)
        *kind = q.value(1).toString();
    q.prepare(QStringLiteral("SELECT id, game_path, before_hash, after_hash, source FROM entries "
                             "WHERE run = ? AND done = 1 ORDER BY id"));
    q.addBindValue(run);
    checked(q, q.exec());
    while (q.next())
        entries.push_back({q.value(0).toLongLong(), run, q.value(1).toString(), q.value(2).toString(),
            q.value(3).toString(), q.value(4).toString()});
    return entries;
}

void ReplacementRecord::forget(const QStringList& gamePaths)
{
    if (!open_ || gamePaths.isEmpty())
        return;
    QSqlDatabase db = QSqlDatabase::database(connection_);
    QSqlQuery q(db);
    if (!checked(q, q.exec(QStringLiteral("SELECT DISTINCT before_hash FROM entries"))))
        return;
    QSet<QString> kept;
    while (q.next())
        kept.insert(q.value(0).toString());
    db.transaction();
    q.prepare(QStringLiteral("DELETE FROM entries WHERE game_path = ?"));
    for (const QString& path : gamePaths) {
        q.addBindValue(path);
        checked(q, q.exec());
    }
    db.commit();
    if (!checked(q, q.exec(QStringLiteral("SELECT DISTINCT before_hash FROM entries"))))
        return; // nothing is dropped from the store unless the record says it is no longer needed
    QSet<QString> stillNeeded;
    while (q.next())
        stillNeeded.insert(q.value(0).toString());
    for (const QString& hash : kept)
        if (!stillNeeded.contains(hash))
            store_.drop(hash);
}

} // namespace sonaplex
