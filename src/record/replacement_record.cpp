#include "record/replacement_record.h"

#include "base/content_hash.h"
#include "base/result.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>

#include <chrono>
#include <cstdio>
#include <thread>
#include <tuple>
#include <utility>

#include <sys/file.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReplacementRecord)
};

const QString kFile = QStringLiteral("record.sqlite");
// The stamp of the record as the last program copy to close it left it, every write checkpointed
// into it: while the record is still exactly so, it needs no check for damage at open (which
// reads the whole file: about 100 ms for 100,000 replaced files).
const QString kClosedAs = QStringLiteral("record.closed");

QString now() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }

} // namespace

ReplacementRecord::ReplacementRecord(const QString& folder)
    : turn_(folder), connection_(QStringLiteral("record-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
      home_(QThread::currentThread()), folder_(folder),
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
    Opened opened = prepare();
    // Another program copy creating or opening the record at the same moment: it is busy for a
    // moment, not unusable (SQLite does not always wait for it by itself, as in a change of
    // journal mode or a recovery of the shared index). About a second, then it is reported.
    for (int tries = 0; opened == Opened::Busy && tries < 30; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + 10 * (tries % 5)));
        opened = prepare();
    }
    if (opened == Opened::Yes)
        return;
    if (opened == Opened::Failed || opened == Opened::Busy) {
        problem_ = {RecordProblem::Kind::CannotOpen, databasePath(), openCause_};
        return;
    }
    const QString reason = openCause_;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString aside = databasePath() + QStringLiteral(".damaged-") + stamp;
    bool moved = QFile::rename(databasePath(), aside);
    for (const char* tail : {"-wal", "-shm"})
        QFile::rename(databasePath() + QLatin1String(tail), aside + QLatin1String(tail));
    if (moved && prepare() == Opened::Yes) {
        const int salvaged = salvage(aside);
        problem_ = {RecordProblem::Kind::MovedAside, databasePath(), reason, aside, {}, store_.folder(), salvaged};
        return;
    }
    problem_ = {RecordProblem::Kind::CannotReplace, folder_, reason, {}, openCause_};
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
        // Only from tables: a view of the same name may never end.
        auto isTable = [&](const QString& name) {
            QSqlQuery t(old);
            t.prepare(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ?"));
            t.addBindValue(name);
            return t.exec() && t.next() && t.value(0).toString() == QLatin1String("table");
        };
        if (old.open() && isTable(QStringLiteral("runs")) && isTable(QStringLiteral("entries"))) {
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
    if (open_)
        noteClosed();
}

namespace {
bool walIsEmpty(const QString& database)
{
    struct stat st {};
    return ::stat(QFile::encodeName(database + QStringLiteral("-wal")).constData(), &st) != 0 || st.st_size == 0;
}
} // namespace

// Whether the record is as a program copy left it when it closed it last: its stamp the one
// written then, and nothing waiting in its write-ahead log. Anything else (a kill, another
// program copy still at work, a write from outside, a copy from elsewhere) is checked.
bool ReplacementRecord::closedAsLeft() const
{
    QFile note(folder_ + QLatin1Char('/') + kClosedAs);
    if (!note.open(QIODevice::ReadOnly))
        return false;
    const QString stamp = fileStamp(databasePath());
    return !stamp.isEmpty() && walIsEmpty(databasePath()) && QString::fromLatin1(note.read(200)).trimmed() == stamp;
}

// After the connection is closed: when it was the last one, SQLite has written the log into
// the record and removed it, and the record's stamp is noted. Written whole or not at all (a
// partial note matches nothing); a note that is lost only costs a check at the next open.
void ReplacementRecord::noteClosed()
{
    const QString note = folder_ + QLatin1Char('/') + kClosedAs;
    const QString stamp = fileStamp(databasePath());
    if (stamp.isEmpty() || !walIsEmpty(databasePath())) {
        QFile::remove(note);
        return;
    }
    const QString part = note + QStringLiteral(".part");
    QFile f(part);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(stamp.toLatin1() + '\n') > 0 && f.flush()) {
        f.close();
        if (::rename(QFile::encodeName(part).constData(), QFile::encodeName(note).constData()) == 0)
            return;
    }
    QFile::remove(part);
    QFile::remove(note);
}

QString ReplacementRecord::databasePath() const { return folder_ + QLatin1Char('/') + kFile; }

namespace {
// SQLite's primary result code of an error (extended codes carry it in the low byte).
int sqliteCode(const QSqlError& e) { return e.nativeErrorCode().toInt() & 0xff; }
// The form of the record this version writes (SQLite's user_version); see upgrade().
constexpr int kRecordVersion = 2;
constexpr int kSqliteBusy = 5, kSqliteLocked = 6, kSqliteReadOnly = 8, kSqliteCorrupt = 11, kSqliteFull = 13, kSqliteNotADatabase = 26;

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
        openCause_ = Say::tr("the SQLite driver of Qt could not be loaded");
        return Opened::Failed;
    }
    db.setDatabaseName(databasePath());
    if (!db.open()) {
        openCause_ = sqlWords(db.lastError());
        return Opened::Failed;
    }
    Opened verdict = Opened::Yes;
    {
        QSqlQuery q(db);
        if (!closedAsLeft())
            verdict = checkForDamage(q);
        if (verdict == Opened::Yes)
            verdict = makeOwnTables(q);
        // The file the connection has open: compared with the path before every run.
        if (verdict == Opened::Yes && !statOf(databasePath(), &dev_, &ino_)) {
            openCause_ = Say::tr("it vanished while it was opened");
            verdict = Opened::Failed;
        }
    }
    if (verdict != Opened::Yes) {
        db.close();
        return verdict;
    }
    open_ = true;
    openCause_.clear();
    problem_ = {};
    return Opened::Yes;
}

// What a statement that failed while the record was opened says of it: damaged, busy for a
// moment, or not to be opened now.
ReplacementRecord::Opened ReplacementRecord::failedOpening(const QSqlQuery& q)
{
    openCause_ = sqlWords(q.lastError());
    const int code = sqliteCode(q.lastError());
    return code == kSqliteCorrupt || code == kSqliteNotADatabase ? Opened::Damaged
        : code == kSqliteBusy || code == kSqliteLocked          ? Opened::Busy
                                                                 : Opened::Failed;
}

// SQLite's check for damage, read through. It lists what it found, a row each. A page it could
// not read (an I/O error, no memory) is listed too, with SQLite's code: that is no verdict on the
// record, which is kept closed and untouched, as when it cannot be opened.
ReplacementRecord::Opened ReplacementRecord::checkForDamage(QSqlQuery& q)
{
    if (!q.exec(QStringLiteral("PRAGMA quick_check")))
        return failedOpening(q);
    QStringList found;
    while (q.next() && found.size() < 100)
        found << q.value(0).toString();
    if (found == QStringList{QStringLiteral("ok")})
        return Opened::Yes;
    static const QRegularExpression errorCode(QStringLiteral("error code=(\\d+)"));
    constexpr int kNoMemory = 7, kIoError = 10;
    for (const QString& line : found) {
        const int code = errorCode.match(line).captured(1).toInt() & 0xff;
        if (code == kIoError || code == kNoMemory || code == kSqliteBusy || code == kSqliteLocked) {
            openCause_ = Say::tr("it could not be read to check it (%1)")
                             .arg(code == kNoMemory ? Say::tr("out of memory") : Say::tr("disk I/O error"));
            return Opened::Failed;
        }
    }
    if (q.lastError().isValid()) { // the check itself stopped: it could not read on
        const Opened verdict = failedOpening(q);
        openCause_ = Say::tr("it could not be read to check it (%1)").arg(openCause_);
        return verdict == Opened::Damaged ? Opened::Damaged : Opened::Failed;
    }
    openCause_ = Say::tr("it is damaged");
    return Opened::Damaged;
}

// The record's tables, made when missing; only the program's own are read. A record whose runs,
// entries or hashes are something else (a view, which may never end; a trigger that writes
// elsewhere) was not written by Sonaplex: it is damaged.
ReplacementRecord::Opened ReplacementRecord::makeOwnTables(QSqlQuery& q)
{
    // A record a later Sonaplex wrote may hold what this one cannot keep whole: it is left as it
    // is, closed, never moved aside, and that version opens it again.
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return failedOpening(q);
    const int version = q.value(0).toInt();
    q.finish();
    if (version > kRecordVersion) {
        openCause_ = Say::tr("it was written by a later version of Sonaplex (record version %1; this one reads up to %2)")
                         .arg(version)
                         .arg(kRecordVersion);
        return Opened::Failed;
    }
    for (const QString& sql : {QStringLiteral("PRAGMA journal_mode=WAL"), QStringLiteral("PRAGMA synchronous=FULL"),
             QStringLiteral("CREATE TABLE IF NOT EXISTS runs(id INTEGER PRIMARY KEY, at TEXT NOT NULL, "
                            "kind TEXT NOT NULL, undoes INTEGER NOT NULL DEFAULT 0)"),
             QStringLiteral("CREATE TABLE IF NOT EXISTS entries(id INTEGER PRIMARY KEY, run INTEGER NOT NULL, "
                            "game_path TEXT NOT NULL, before_hash TEXT NOT NULL, after_hash TEXT NOT NULL, "
                            "source TEXT NOT NULL, at TEXT NOT NULL, done INTEGER NOT NULL DEFAULT 0)"),
             // done: 0 about to change, 1 changed, 2 left as it is by an undo (changed since its run)
             QStringLiteral("CREATE INDEX IF NOT EXISTS entries_by_path ON entries(game_path)"),
             QStringLiteral("CREATE TABLE IF NOT EXISTS known(path TEXT PRIMARY KEY, stamp TEXT NOT NULL, "
                            "hash TEXT NOT NULL)"),
             QStringLiteral("SELECT type, name FROM sqlite_master")})
        if (!q.exec(sql))
            return failedOpening(q);
    const QStringList tables{QStringLiteral("runs"), QStringLiteral("entries"), QStringLiteral("known")};
    while (q.next()) {
        const QString type = q.value(0).toString(), name = q.value(1).toString();
        if (type == QLatin1String("view") || type == QLatin1String("trigger")
            || (tables.contains(name) && type != QLatin1String("table"))) {
            openCause_ = Say::tr("it holds a %1 named %2, which Sonaplex never writes").arg(type, name);
            return Opened::Damaged;
        }
    }
    return version < kRecordVersion ? upgrade(q, version) : Opened::Yes;
}

// An older record brought up to this version, in one transaction: all of it or none. What the
// steps add is not needed to read and write the older form, so a record that cannot be upgraded
// now (on a full or read-only disk) is used as it is, and upgraded at a later open.
//   0 (no version kept, the record's first form) -> 2: the version is kept; the index that
//     finds the entries a run left unfinished at every open, however long the record.
ReplacementRecord::Opened ReplacementRecord::upgrade(QSqlQuery& q, int from)
{
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failedOpening(q);
    QStringList steps;
    if (from < 2)
        steps << QStringLiteral("CREATE INDEX IF NOT EXISTS entries_unfinished ON entries(id) WHERE done = 0");
    steps << QStringLiteral("PRAGMA user_version = %1").arg(kRecordVersion) << QStringLiteral("COMMIT");
    for (const QString& sql : std::as_const(steps))
        if (!q.exec(sql)) {
            const Opened failed = failedOpening(q);
            q.exec(QStringLiteral("ROLLBACK"));
            return failed == Opened::Damaged ? Opened::Damaged : Opened::Yes;
        }
    return Opened::Yes;
}

FileResult ReplacementRecord::ready()
{
    if (open_) {
        qint64 dev = 0, ino = 0;
        if (!statOf(databasePath(), &dev, &ino) || dev != dev_ || ino != ino_) {
            // Writes into a deleted file would be lost at the next start without a word.
            notice_ = {RecordProblem::Kind::ReplacedUnderUs, databasePath()};
            open_ = false;
        }
    }
    if (!open_) {
        openOrMoveAside();
        if (!open_)
            return unusable();
        if (!problem_.isEmpty()) // moved aside just now: the user hears of it
            notice_ = std::exchange(problem_, RecordProblem{});
    }
    settleUnfinished();
    return FileResult::success();
}

RecordProblem ReplacementRecord::takeNotice() { return std::exchange(notice_, RecordProblem{}); }

FileResult ReplacementRecord::unusable() const
{
    const QString cause = problem_.kind == RecordProblem::Kind::CannotReplace
        ? Say::tr("%1, and no new one could be started (%2)").arg(problem_.cause, problem_.newCause)
        : problem_.cause;
    if (cause.isEmpty())
        return FileResult::failure(Say::tr("the record of replacements is not open"), FileCause::Other);
    return FileResult::failure(
        Say::tr("the record of replaced game files (%1) cannot be used: %2").arg(databasePath(), cause),
        FileCause::Other);
}

FileResult ReplacementRecord::writeFailure(const QString& what) const
{
    return failureOf(QSqlDatabase::database(connection_, false).lastError(), what);
}

FileResult ReplacementRecord::lastWriteFailure() const
{
    if (!open_ && lastError_.type() == QSqlError::NoError)
        return unusable();
    return failureOf(lastError_, QStringLiteral("write"));
}

FileResult ReplacementRecord::failureOf(const QSqlError& e, const QString& what)
{
    const int code = sqliteCode(e);
    const FileCause cause = code == kSqliteFull ? FileCause::NoSpace
        : code == kSqliteReadOnly               ? FileCause::ReadOnly
                                                : FileCause::Other;
    return FileResult::failure(
        Say::tr("the record of replacements could not be written (%1: %2)").arg(what, sqlWords(e)), cause);
}

QString ReplacementRecord::sqlWords(const QSqlError& e)
{
    const QString said = e.databaseText().trimmed();
    return said.isEmpty() ? Say::tr("SQLite gave no reason") : said;
}

// A statement that failed because the connection itself went bad (an I/O error, a lock SQLite
// could not release, the file gone or damaged) closes it: every later call fails at once instead
// of stalling in SQLite's retries, and the next run's ready() opens the record again.
bool ReplacementRecord::checked(QSqlQuery& q, bool ok)
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
        problem_ = {RecordProblem::Kind::ReadWriteFailed, databasePath(), e.text()};
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

qint64 ReplacementRecord::leftAsItIs(qint64 run, const QString& gamePath)
{
    if (!open_ || run == 0)
        return 0;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("INSERT INTO entries(run, game_path, before_hash, after_hash, source, at, done) "
                             "VALUES(?, ?, '', '', '', ?, 2)"));
    q.addBindValue(run);
    q.addBindValue(gamePath);
    q.addBindValue(now());
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

FileResult ReplacementRecord::begin()
{
    if (!open_)
        return unusable();
    if (!QSqlDatabase::database(connection_).transaction())
        return writeFailure(QStringLiteral("begin"));
    return FileResult::success();
}

FileResult ReplacementRecord::end()
{
    if (!open_)
        return FileResult::failure(Say::tr("the record of replacements is not open"));
    QSqlDatabase db = QSqlDatabase::database(connection_);
    if (db.commit())
        return FileResult::success();
    const FileResult failed = writeFailure(QStringLiteral("commit"));
    db.rollback();
    return failed;
}

FileResult ReplacementRecord::abandon()
{
    if (!open_)
        return unusable();
    QSqlDatabase db = QSqlDatabase::database(connection_);
    if (db.rollback())
        return FileResult::success();
    return writeFailure(QStringLiteral("rollback"));
}

int ReplacementRecord::settleUnfinished()
{
    if (!open_)
        return 0;
    if (turn_.held())
        return settle();
    // Entries of a run going on in another window or process are not unfinished: they wait.
    if (!turn_.tryTake())
        return 0;
    const int settled = settle();
    turn_.release();
    return settled;
}

namespace {
const auto kStagingNote = QStringLiteral("staging");
}

void ReplacementRecord::noteStaging(const QStringList& gamePaths)
{
    // Not made durable: it matters after a kill, not a power cut, and what it misses is swept
    // by the next run beside those files.
    QFile note(folder_ + QLatin1Char('/') + kStagingNote);
    if (note.open(QIODevice::WriteOnly | QIODevice::Truncate))
        note.write(gamePaths.join(QChar(0)).toUtf8()); // a file name may hold a line break, never a NUL
}

void ReplacementRecord::stagingDone() { QFile::remove(folder_ + QLatin1Char('/') + kStagingNote); }

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
    // A run killed between naming its copy and the rename left the copy beside the game file,
    // whole (intents are written only once every copy is): only a file that holds what the
    // entry says it was putting there is that copy. A record names paths; it is not trusted to
    // say which files may go. A run killed while its copies were staged left them beside the
    // files its note names, each of them its own: runs take turns, and this one holds it. Each
    // folder is read once, however many entries and names lie in it.
    const QString staging = folder_ + QLatin1Char('/') + kStagingNote;
    const Result<QByteArray> noted = readSmallFile(staging, 256 << 20);
    QStringList paths = noted ? QString::fromUtf8(noted.value()).split(QChar(0), Qt::SkipEmptyParts) : QStringList();
    const qsizetype stagedCount = paths.size();
    for (const Open& e : open)
        paths << e.path;
    removeTemporariesBeside(paths, [&](const QString& temporary, qsizetype i) {
        if (i < stagedCount)
            return true;
        const QString& after = open[size_t(i - stagedCount)].after;
        if (after.isEmpty())
            return false;
        const HashResult held = contentHash(temporary);
        return held.result && held.hash == after;
    });
    if (noted)
        QFile::remove(staging);
    // The store's copies staged by a killed run (".HASH.sonaplex-XXXXXX", named before they
    // were complete): nothing names them, and every run that stages them holds the turn.
    static const QRegularExpression stagedInStore(QStringLiteral("^\\.[0-9a-f]+\\.sonaplex-[A-Za-z0-9]+$"));
    for (const QString& name : QDir(store_.folder()).entryList({QStringLiteral(".*.sonaplex-*")}, QDir::Files | QDir::Hidden | QDir::System))
        if (stagedInStore.match(name).hasMatch())
            QFile::remove(store_.folder() + QLatin1Char('/') + name);
    for (const Open& e : open) {
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

std::vector<RecordEntry> ReplacementRecord::lastRun(qint64* runId, QString* kind)
{
    std::vector<RecordEntry> entries;
    if (!open_)
        return entries;
    QSqlQuery q(QSqlDatabase::database(connection_));
    // The newest run that changed something and that no undo has taken back whole; an undo's
    // own run is not undone again by this. An undo that was stopped part way (killed, or a
    // write that failed) took back only some files: the run is still the last one, and what
    // is left of it is taken back next, what cannot ever be (its original not kept, or the file
    // changed since and left as it is by an undo) aside.
    checked(q, q.exec(QStringLiteral("SELECT r.id, r.kind, EXISTS (SELECT 1 FROM runs u WHERE u.undoes = r.id) "
                                     "FROM runs r WHERE r.kind != 'undo' "
                                     "AND EXISTS (SELECT 1 FROM entries e WHERE e.run = r.id AND e.done = 1) "
                                     "ORDER BY r.id DESC")));
    std::vector<std::tuple<qint64, QString, bool>> runs;
    while (q.next()) {
        runs.emplace_back(q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toBool());
        if (!std::get<2>(runs.back()))
            break; // no run before the newest one not undone at all is looked at
    }
    for (const auto& [run, runKind, undoneOnce] : runs) {
        q.prepare(undoneOnce
                ? QStringLiteral("SELECT id, game_path, before_hash, after_hash, source FROM entries e "
                                 "WHERE run = ? AND done = 1 AND NOT EXISTS (SELECT 1 FROM entries x JOIN runs u "
                                 "ON x.run = u.id WHERE u.undoes = e.run AND x.done IN (1, 2) AND x.game_path = e.game_path) "
                                 "ORDER BY id")
                : QStringLiteral("SELECT id, game_path, before_hash, after_hash, source FROM entries "
                                 "WHERE run = ? AND done = 1 ORDER BY id"));
        q.addBindValue(run);
        checked(q, q.exec());
        while (q.next())
            entries.push_back({q.value(0).toLongLong(), run, q.value(1).toString(), q.value(2).toString(),
                q.value(3).toString(), q.value(4).toString()});
        if (undoneOnce)
            std::erase_if(entries, [&](const RecordEntry& e) { return e.beforeHash.isEmpty() || !store_.holds(e.beforeHash); });
        if (entries.empty())
            continue;
        if (runId)
            *runId = run;
        if (kind)
            *kind = runKind;
        break;
    }
    return entries;
}

QString ReplacementRecord::replacedBefore(const QString& gamePath, const QString& after, const QString& source)
{
    if (!open_)
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("SELECT e.before_hash FROM entries e JOIN runs r ON r.id = e.run "
                             "WHERE e.game_path = ? AND e.after_hash = ? AND e.done = 1 AND r.kind IN ('switch', 'reapply') "
                             "ORDER BY e.source = ? DESC, e.id DESC LIMIT 1"));
    q.addBindValue(gamePath);
    q.addBindValue(after);
    q.addBindValue(source);
    if (!checked(q, q.exec()) || !q.next())
        return {};
    return q.value(0).toString();
}

QStringList ReplacementRecord::neededOnlyBy(const QStringList& gamePaths)
{
    if (!open_)
        return {};
    const QSet<QString> paths(gamePaths.begin(), gamePaths.end());
    QSet<QString> theirs, others;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.setForwardOnly(true);
    if (!checked(q, q.exec(QStringLiteral("SELECT game_path, before_hash, after_hash FROM entries"))))
        return {};
    while (q.next()) {
        QSet<QString>& of = paths.contains(q.value(0).toString()) ? theirs : others;
        of.insert(q.value(1).toString());
        of.insert(q.value(2).toString());
    }
    QStringList only;
    for (const QString& hash : theirs)
        if (!hash.isEmpty() && !others.contains(hash))
            only << hash;
    return only;
}

FileResult ReplacementRecord::forget(const QStringList& gamePaths)
{
    if (!open_)
        return unusable();
    if (gamePaths.isEmpty())
        return FileResult::success();
    QSqlQuery q(QSqlDatabase::database(connection_));
    // The contents kept: what game files held before, and what SWITCH put there.
    const QString keptContents = QStringLiteral("SELECT before_hash FROM entries UNION SELECT after_hash FROM entries");
    if (!checked(q, q.exec(keptContents)))
        return lastWriteFailure();
    QSet<QString> kept;
    while (q.next())
        kept.insert(q.value(0).toString());
    if (const FileResult begun = begin(); !begun)
        return begun;
    q.prepare(QStringLiteral("DELETE FROM entries WHERE game_path = ?"));
    for (const QString& path : gamePaths) {
        q.addBindValue(path);
        if (!checked(q, q.exec())) {
            const FileResult failed = lastWriteFailure();
            (void)abandon();
            return failed;
        }
    }
    // Nothing leaves the store unless the record no longer naming these files is on disk: a
    // record that still names them after a failed commit still needs what it kept for them.
    if (const FileResult committed = end(); !committed)
        return committed;
    if (!checked(q, q.exec(keptContents)))
        return FileResult::success(); // forgotten; what is kept stays until a later forget
    QSet<QString> stillNeeded;
    while (q.next())
        stillNeeded.insert(q.value(0).toString());
    for (const QString& hash : kept)
        if (!stillNeeded.contains(hash))
            store_.drop(hash);
    return FileResult::success();
}

} // namespace sonaplex
