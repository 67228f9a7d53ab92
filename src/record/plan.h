#pragma once
#include "base/files.h"
#include "record/record_problem.h"

#include <QString>

#include <vector>

namespace sonaplex {

// What a run of changes to game files is, as the record keeps it.
// Reapply puts back what Sonaplex put over files a game update changed since (Replace Again).
enum class RunKind { Switch, Restore, Undo, Reapply };
// The kind's name in the record ("switch", "restore", "undo", "reapply"): stored data, not wording.
QString recordedKind(RunKind kind);
RunKind runKindFrom(const QString& recorded);

// Who a step is, for whoever reports it: a numbered selection of a window (by its game file's
// name, or its replacement's when it has no game file), or a numbered file of a list (by path).
struct StepName {
    enum class Of { Selection, File };
    Of of = Of::File;
    int number = 0;
    QString name;
};

// One file to put over a game file.
struct Step {
    StepName name;
    QString gamePath;
    QString source;
    QString recordedSource = {}; // what the record names as the source, when not `source`
    // The content hash the game file is expected to hold now, when known: a file found holding
    // anything else is left as it is (NotAsExpected). Empty: whatever it holds is replaced.
    QString expectedHash = {};
    // The source is a passing file of the program's own (a pack's sound converted), never changed
    // once made: what a SWITCH put in place is kept by giving the source a name in the store,
    // not by copying the game file again.
    bool ownSource = false;
    // What the source holds, when known without reading it (a pack's sound, its hash checked as
    // it is read): the run copies it without hashing it again. Empty: hashed as copied.
    QString sourceHash = {};
    // The source's bytes come from here, not from a file (a sound inside a pack, inflated as it
    // is copied, its hash checked by the time the copy is made): `source` names it. What such a
    // step puts in place is not kept again: its source keeps it.
    ByteSource stream = {};
};

// What became of one step.
enum class Outcome {
    Done, // put in place
    DoneNotDurable, // put in place, but its folder could not be written to disk (result says why)
    Failed, // the file work failed (result says why)
    Refused, // refused before the run by whoever planned it (result says why, in its words)
    NotConverted, // its replacement was to be converted to its game file's format and could not be (result)
    NoGameFile, // a selection with a replacement only
    NoReplacement, // a selection with a game file only
    ChosenTwice, // its game file is another selection's too (`others`); nothing was run
    SameName, // gathering: an earlier file (`others`) has its name in the folder
    OriginalGone, // restore: the original is no longer kept
    ReplacementGone, // replace again: what Sonaplex put there is not kept, and its source no longer holds it
    NothingBefore, // undo: the game file did not exist before the run
    BeforeGone, // undo: what it held before is no longer kept
    NotAsExpected, // it no longer holds the content the plan expected (`found`)
    AlreadyInPlace, // it held what the step would put there already: nothing changed, nothing recorded
    NotKept, // what it holds could not be kept for undo (result says why)
    RecordUnusable, // the record could not take the run (result says why); nothing was changed
    Cancelled, // the user cancelled before any game file changed
    Stopped, // the run stopped before any game file changed (result says why)
    StoppedMidway, // the run stopped while game files were changing, before this one (result)
};

struct ReportItem {
    Step step;
    Outcome outcome = Outcome::Done;
    FileResult result = {}; // the cause, where there is one
    std::vector<int> others = {}; // ChosenTwice, SameName: the other steps' numbers
    QString found = {}; // NotAsExpected: the content hash found

    bool done() const { return outcome == Outcome::Done || outcome == Outcome::DoneNotDurable; }
};

// What a run did, one item per step in the order of the steps. Steps with nothing to do (an
// empty selection) have no item.
struct Report {
    std::vector<ReportItem> items;
    // What the user should hear of the record itself (it was opened again), though the run went on.
    RecordProblem recordNotice;

    int done() const;
    // Every step was done and is durable.
    bool ok() const;
    // Items of these outcomes, in order.
    std::vector<const ReportItem*> notDone() const;
    std::vector<const ReportItem*> notDurable() const;
    // The items sorted by step number (stable), whichever stage of the run produced them.
    void sortByStep();
};

// A list of changes to game files, run as one recorded run of `kind` (see run() in
// replacement.h). `refused` holds the steps refused while planning, reported in their place.
struct Plan {
    RunKind kind = RunKind::Switch;
    qint64 undoes = 0; // the run an undo takes back
    // A step whose game file holds what it would put there already changes nothing, and is not
    // recorded (AlreadyInPlace): a run of only such steps is no run.
    bool skipUnchanged = false;
    std::vector<Step> steps;
    std::vector<ReportItem> refused;
};

} // namespace sonaplex
