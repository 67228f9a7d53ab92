#pragma once
#include "base/original_store.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace sonaplex {

class WorkProgress;

// What a game file holds now, measured against the record.
enum class GameFileState {
    Replaced, // what Sonaplex put there
    Original, // its original again (the game's own repair or update put it back)
    ChangedSince, // neither: a game update or another tool changed it
    Missing,
};

// One game file the record knows, as the restore window lists it.
struct ReplacedFile {
    QString gamePath;
    QString replacedBy; // where the content put there last came from
    QDateTime at; // when
    QString originalHash; // what it held before Sonaplex first changed it
    QString lastHash; // what Sonaplex put there last
    GameFileState state = GameFileState::Missing;
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
// the game file. A record that cannot be read is moved aside, never silently reset, and a new
// one is started; problem() tells the user.
class ReplacementRecord {
public:
    // `folder`: where the record and the store live (created when missing).
    explicit ReplacementRecord(const QString& folder);
    ~ReplacementRecord();
    ReplacementRecord(const ReplacementRecord&) = delete;
    ReplacementRecord& operator=(const ReplacementRecord&) = delete;

    bool isOpen() const { return open_; }
    // What went wrong opening the record, for the user; empty when nothing did.
    const QString& problem() const { return problem_; }
    const OriginalStore& store() const { return store_; }
    QString databasePath() const;

    // A run is one SWITCH, restore or undo. `undoes` names the run an undo takes back.
    qint64 beginRun(const QString& kind, qint64 undoes = 0);
    // Before a game file is put in place, and after.
    qint64 intend(
        qint64 run, const QString& gamePath, const QString& before, const QString& after, const QString& source);
    void happened(qint64 entry);
    void didNotHappen(qint64 entry);
    // Writes between begin() and end() reach the disk together, in one flush.
    void begin();
    void end();

    // The content hash of a file the record has seen, when the file has not changed since
    // (same inode, size, modification and change times); empty otherwise. Saves reading big
    // files again that Sonaplex wrote or read itself.
    QString knownHash(const QString& path) const;
    void remember(const QString& path, const QString& hash);
    // What identifies a file's present state: inode, size, modification and change times.
    static QString stampOf(const QString& path);

    // Settles entries a killed run left unfinished, by what their game files hold now.
    int settleUnfinished();

    // Every game file the record knows, with what it holds now. The files whose content is
    // not remembered are read through `progress` (off this thread when a window offloads it).
    std::vector<ReplacedFile> replacedFiles(WorkProgress* progress = nullptr) const;
    // The game files the record knows directly inside `folder`, without reading them: their
    // states are left for the caller to find (findStates), off the window's thread.
    std::vector<ReplacedFile> knownIn(const QString& folder) const;
    // The content hash remembered for each file (knownHash), empty where it must be read.
    std::vector<QString> rememberedHashes(const std::vector<ReplacedFile>& files) const;
    // Sets each file's state from its remembered hash, or from its content where none is
    // remembered. Uses no record: for any thread.
    static void findStates(
        std::vector<ReplacedFile>& files, const std::vector<QString>& remembered, WorkProgress* progress = nullptr);
    static GameFileState stateFor(const ReplacedFile& file, const QString& currentHash);
    // The changes of the latest SWITCH or restore not yet undone (empty when none), newest last.
    std::vector<RecordEntry> lastRun(qint64* run = nullptr) const;
    // Drops the entries of these game files, and the kept contents nothing else needs.
    void forget(const QStringList& gamePaths);

private:
    bool prepare();
    std::vector<ReplacedFile> query(const QString& folder) const;
    QString connection_;
    QString folder_;
    OriginalStore store_;
    bool open_ = false;
    QString problem_;
};

// What a game file's state is called in the restore window.
QString stateName(GameFileState state);

} // namespace sonaplex
