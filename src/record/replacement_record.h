#pragma once
#include "record/record_problem.h"
#include "record/run_turn.h"
#include "base/file_stamp.h"
#include "base/original_store.h"

#include <QDateTime>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <vector>

class QSqlQuery;
class QThread;

namespace sonaplex {

class WorkProgress;
class ListingRows;

// What a game file holds now, measured against the record.
enum class GameFileState {
    Replaced, // what Sonaplex put there
    Original, // its original again (the game's own repair or update put it back)
    ChangedSince, // neither: a game update or another tool changed it
    Missing,
    NotRead, // its reading was cancelled
    Unreadable, // it is there but could not be read (`readFailure` says why)
};

// One game file the record knows, as the restore window lists it.
struct ReplacedFile {
    QString gamePath;
    QString replacedBy; // where the content put there last came from
    QDateTime at; // when, in UTC (shown in local time)
    QString originalHash; // what it held before Sonaplex first changed it
    QString lastHash; // what Sonaplex put there last
    GameFileState state = GameFileState::Missing;
    QString currentHash; // what it held when its state was found (empty: missing or not read)
    FileResult readFailure = {}; // Unreadable: why
};

// One change of one game file within a run.
struct RecordEntry {
    qint64 id = 0;
    qint64 run = 0;
    QString gamePath, beforeHash, afterHash, source;
};


// The record of every replacement, in SQLite (WAL journal) in the program folder, with the
// store of the contents the game files held before. Written so that a kill at any moment
// leaves record and game folders consistent: an entry is written before its file is put in
// place and marked done after; an entry found unfinished at start is settled by looking at
// the game file. A record found damaged is moved aside, never silently reset, and a new one is
// started; one that cannot be opened or written for another reason (a passing I/O error, a full
// or read-only disk) is kept as it is, and no run starts until it can be written. problem()
// tells the user.
class ReplacementRecord {
public:
    // `folder`: where the record and the store live (created when missing).
    explicit ReplacementRecord(const QString& folder);
    ~ReplacementRecord();
    ReplacementRecord(const ReplacementRecord&) = delete;
    ReplacementRecord& operator=(const ReplacementRecord&) = delete;

    bool isOpen() const { return open_; }
    // What went wrong opening the record, for the user; empty when nothing did.
    const RecordProblem& problem() const { return problem_; }
    const OriginalStore& store() const { return store_; }
    QString databasePath() const;

    // Whether a run may start: the record is open (opened again when an earlier open failed),
    // still the file at its path (a record deleted or replaced under the program is opened again
    // at its path, and notice() says so), and entries left unfinished are settled. A failure
    // names its cause, for the report of a run that replaced nothing.
    FileResult ready();
    // What the user should hear about the record since the last call (empty when nothing);
    // cleared by the call.
    RecordProblem takeNotice();

    // The turn runs take, kept beside the record (see RunTurn): this record's runs take it here.
    bool tryTakeTurn() { return turn_.tryTake(); }
    void releaseTurn() { turn_.release(); }

    // A run is one SWITCH, restore or undo. `undoes` names the run an undo takes back. Each
    // returns 0 when the record could not take the write (the transaction then fails as a whole).
    qint64 beginRun(const QString& kind, qint64 undoes = 0);
    // Before a game file is put in place, and after.
    qint64 intend(
        qint64 run, const QString& gamePath, const QString& before, const QString& after, const QString& source);
    bool happened(qint64 entry);
    // An undo that found `gamePath` changed since the run it takes back leaves it as it is; its
    // entry (done = 2, no contents) says so, so that the next undo goes on to the run before
    // rather than stopping at this file again. 0 when the record could not take the write.
    qint64 leftAsItIs(qint64 run, const QString& gamePath);
    bool didNotHappen(qint64 entry);
    // Writes between begin() and end() reach the disk together, in one flush; a failure of
    // either (with its cause) leaves none of them in the record.
    FileResult begin();
    FileResult end();
    // Why the last statement that failed did, as the failure of a write.
    FileResult lastWriteFailure() const;
    // Drops the writes since begin().
    FileResult abandon();

    // The content hash of a file the record has seen, when the file has not changed since
    // (same inode, size, modification and change times); empty otherwise. Saves reading big
    // files again that Sonaplex wrote or read itself.
    QString knownHash(const QString& path);
    FileResult remember(const QString& path, const QString& hash);

    // Settles entries a killed run left unfinished, by what their game files hold now.
    int settleUnfinished();
    // A run that names its copies beside these game files before their intents are written notes
    // them here (in a file beside the record), so that the copies a kill leaves are removed at
    // the next settle; the note goes once the run is over.
    void noteStaging(const QStringList& gamePaths);
    void stagingDone();

    // Every game file the record knows, with what it holds now. The files whose content is
    // not remembered are read through `progress` (off this thread when a window offloads it);
    // a cancel leaves the files not yet read NotRead. A record that cannot be read lists no file,
    // and `listed` (when given) says why.
    std::vector<ReplacedFile> replacedFiles(WorkProgress* progress = nullptr, FileResult* listed = nullptr);
    // The same for the files anywhere under `folder` (every file when empty). The record is read
    // in the offloaded work too, on a read-only connection of its own, so that a window's
    // thread never waits for a large record. Callable from any thread: only on the record's own
    // thread does a listing that cannot be read that way fall back to the record's connection.
    std::vector<ReplacedFile> readUnder(
        const QString& folder, WorkProgress* progress = nullptr, FileResult* listed = nullptr);
    // The game files the record knows directly inside `folder`, without reading them: their
    // states are left for the caller to find (findStates), off the window's thread.
    std::vector<ReplacedFile> knownIn(const QString& folder);
    // The content hash remembered for each file (knownHash), empty where it must be read.
    std::vector<QString> rememberedHashes(const std::vector<ReplacedFile>& files);
    // Sets each file's state from its remembered hash, or from its content where none is
    // remembered. Uses no record: for any thread.
    static void findStates(
        std::vector<ReplacedFile>& files, const std::vector<QString>& remembered, WorkProgress* progress = nullptr);
    static GameFileState stateFor(const ReplacedFile& file, const QString& currentHash);
    // The changes of the latest SWITCH or restore not yet undone (empty when none), newest last.
    // `kind` receives the run's kind ("switch", "restore").
    std::vector<RecordEntry> lastRun(qint64* run = nullptr, QString* kind = nullptr);
    // What `gamePath` held before the latest SWITCH that put `after` there, one from `source`
    // first (empty when none did, or the file did not exist then).
    QString replacedBefore(const QString& gamePath, const QString& after, const QString& source);
    // Drops the entries of these game files, in one transaction, and then (only once that is
    // committed) the kept contents nothing else needs. A failure keeps the record and the store
    // as they were, and says why.
    FileResult forget(const QStringList& gamePaths);
    // The kept contents that only the entries of these game files need: what forget() would let go.
    QStringList neededOnlyBy(const QStringList& gamePaths);

private:
    enum class Opened { Yes, Damaged, Busy, Failed };
    Opened prepare();
    Opened failedOpening(const QSqlQuery& q);
    Opened checkForDamage(QSqlQuery& q);
    Opened upgrade(QSqlQuery& q, int from);
    Opened makeOwnTables(QSqlQuery& q);
    bool closedAsLeft() const;
    void noteClosed();
    void openOrMoveAside();
    int salvage(const QString& damaged);
    FileResult writeFailure(const QString& what) const;
    static FileResult failureOf(const QSqlError& e, const QString& what);
    // What SQLite said of an error ("disk I/O error"), without the driver's own words ("Unable to
    // fetch row"), which mean nothing to a user.
    static QString sqlWords(const QSqlError& e);
    bool checked(QSqlQuery& q, bool ok);
    int settle();
    qint64 dev_ = 0, ino_ = 0; // of the file the connection opened
    RunTurn turn_; // held while one of this record's runs goes on
    RecordProblem notice_;
    // The record cannot be used, as the cause of a run's failure.
    FileResult unusable() const;
    std::vector<ReplacedFile> query(const QString& folder);
    struct Remembered {
        QString stamp, hash;
    };
    static QString listingStatement(bool remembered, bool inFolder);
    static QString knownStatement(bool inFolder);
    static std::vector<ReplacedFile> read(ListingRows& rows, const QString& storeFolder, std::vector<Remembered>* remembered);
    std::vector<ReplacedFile> readThrough(QSqlQuery& q, const QString& folder, std::vector<Remembered>* remembered);
    QString connection_;
    QThread* home_; // the thread the record's own connection belongs to
    QString folder_;
    OriginalStore store_;
    bool open_ = false; // a connection gone bad closes itself (checked())
    RecordProblem problem_;
    QString openCause_; // why the last prepare() failed
    QSqlError lastError_; // of the last statement that failed
};

} // namespace sonaplex
