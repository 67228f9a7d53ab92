#pragma once
#include "actions/gathering.h"
#include "actions/prepared_run.h"
#include "readers/backup_manifest.h"
#include "record/replacement_record.h"
#include "record/plan.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace sonaplex {

// Backups of game files and the sets they make, put back: what a backup copies, and what
// restoring a set writes, as one recorded run.

// What a backup of game files copies for each: a game file that holds what Sonaplex put there
// is backed up from the original Sonaplex kept of it, never as the replacement; any other (and
// every one, without an open record) is copied as it is. What the files hold is read through
// `progress` (off this thread when a window offloads it); the record is used on this thread.
// `notes` receives a line for each file not backed up as a plain original ("fx1.wav: ...").
std::vector<StagedFile> originalsFor(const std::vector<StagedFile>& gameFiles, ReplacementRecord* record,
    WorkProgress* progress, QStringList* notes);
// What a gathering into a staging folder did: each file copied or not (`run`), and what the
// folder says of itself (`noted`: a backup's manifest, a set's note). A folder that ends up
// holding no file is emptied: such a backup or set is never named nor offered.
struct Gathered {
    Report run;
    FileResult noted = FileResult::success();
    QStringList notes; // a backup: each file not backed up as a plain original (originalsFor)
    bool cancelled = false; // the user cancelled: nothing was gathered, nothing is to be said
    bool holdsFiles() const { return run.done() > 0; }
};

// A backup of the game files of the selections that have one, gathered into `staging`: a game
// file Sonaplex replaced is backed up from the original it kept (originalsFor), and the manifest
// says where each file came from, so that the set can be put back in one step.
class BackupGathering {
public:
    explicit BackupGathering(const std::vector<Selection>& selections) : files_(gameFilesOf(selections)) {}
    bool empty() const { return files_.empty(); }
    Gathered gather(ReplacementRecord* record, const QString& staging, WorkProgress& progress) const;

private:
    std::vector<StagedFile> files_;
};

// A set of the replacements of the selections that have both sides, under their game files'
// names, gathered into `staging` with the note that says it holds replacements (never offered as
// a backup of game files).
class SetGathering {
public:
    explicit SetGathering(const std::vector<Selection>& selections) : files_(replacementsUnderGameNames(selections)) {}
    bool empty() const { return files_.empty(); }
    Gathered gather(const QString& staging, WorkProgress& progress) const;

private:
    std::vector<StagedFile> files_;
};

// One file a restore of a set would write, and what is unusual about it, to show the user first.
struct SetTarget {
    QString gamePath, source;
    bool newFile = false; // no such file now: it would be created
    bool outsideGameFolders = false; // in a folder where Sonaplex has replaced no file
};
struct SetPlan {
    std::vector<SetTarget> targets;
    std::vector<SetRefusal> refused; // what is not restored, and why
};
// What restoring a set would write: by its manifest, where each file came from; for a set
// without one, into `intoFolder` under the files' own names. A set is data a user may have got
// from someone else: only sound files of the kind of their file in the set are written,
// never through a symbolic link, and a manifest creates no file in a folder the record does not
// know as a game folder. Everything else is refused with the reason.
SetPlan planSetRestore(ReplacementRecord* record, const QString& setFolder, const QString& intoFolder = {});
// Putting a set back, put together: what it would write and refuse (`shown`, for the user to see
// first) and the run that writes it, one restore that can be undone like a SWITCH.
struct SetRestore {
    SetPlan shown;
    PreparedRun run;
};
SetRestore prepareSetRestore(ReplacementRecord* record, const QString& setFolder, const QString& intoFolder = {});

} // namespace sonaplex
