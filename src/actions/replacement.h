#pragma once
#include "actions/prepared_run.h"
#include "record/replacement_record.h"
#include "record/plan.h"
#include "base/selection.h"

#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace sonaplex {

class WorkProgress;

// Why a file may not serve as a replacement (not a sound file of the window's kind), or empty
// when it may: the window's own words, carried into the report as they are.
using ReplacementCheck = std::function<QString(const QString& path)>;

// The selections that name the same game file as an earlier one: each group by the numbers of
// its selections (1-based), the first first.
std::vector<std::vector<int>> sameGameFiles(const std::vector<Selection>& selections);

// The plan of a SWITCH: each complete selection's replacement over its game file, in ascending
// order. Selections empty on both sides are skipped; a selection with one side only, or whose
// replacement `check` refuses, is refused and the others go on. When two selections name the
// same game file every one is refused (ChosenTwice, on the first of each group) and nothing
// runs. `substitutes` (selection number -> file) copies another file in place of a
// selection's replacement, such as a copy converted to the game file's format; the record
// still names the replacement as where the content came from. `notConverted` (selection number
// -> why the conversion failed) names selections not to replace, reported in their place among
// the others (NotConverted).
// `refused` (selection number -> why) names selections refused outright (Refused).
Plan switchPlan(const std::vector<Selection>& selections, const ReplacementCheck& check = {},
    const std::map<int, QString>& substitutes = {}, const std::map<int, QString>& notConverted = {},
    const std::map<int, QString>& refused = {});
// Runs a SWITCH (see run()): with a record, what each game file held is kept first (a file
// whose content cannot be kept is not replaced) and every change is recorded.
Report replaceGameFiles(const std::vector<Selection>& selections, const ReplacementCheck& check = {},
    ReplacementRecord* record = nullptr, const std::map<int, QString>& substitutes = {},
    WorkProgress* progress = nullptr, const std::map<int, QString>& notConverted = {});

// Puts each game file's original back (what it held before Sonaplex first replaced it). With
// `expectCurrent`, a file is put back only while it holds what its state was read from
// (`ReplacedFile::currentHash`).
Plan restorePlan(ReplacementRecord& record, const std::vector<ReplacedFile>& files, bool expectCurrent = false);
Report restoreOriginals(
    ReplacementRecord& record, const std::vector<ReplacedFile>& files, WorkProgress* progress = nullptr);
PreparedRun prepareRestore(ReplacementRecord& record, const std::vector<ReplacedFile>& files, bool expectCurrent);
// Whether what Sonaplex put over `file` was undone since: it holds its original again, or
// something new (a game update or a launcher's repair, most likely). Not for a file Sonaplex put
// back itself, nor one missing or not read.
bool undoneSince(const ReplacedFile& file);
// Puts back what Sonaplex put over each of `files` that an update undid (undoneSince), as a
// SWITCH: from the store of kept contents, or from its source while the source still holds it;
// each file only while it holds what its state was read from. What the file holds now is kept
// first, so that this run can be undone too. Files not undone are left out.
Plan reapplyPlan(ReplacementRecord& record, const std::vector<ReplacedFile>& files);
// Replace Again, put together: the kept contents are read through `progress` (off this thread
// when a window offloads it).
PreparedRun prepareReplaceAgain(
    ReplacementRecord& record, const std::vector<ReplacedFile>& files, WorkProgress* progress = nullptr);

// Takes back the latest SWITCH or restore not yet undone: each game file it changed gets back
// exactly what that run overwrote. An empty plan when there is nothing to undo; `undone`, when
// given, receives the kind of the run it takes back.
Plan undoPlan(ReplacementRecord& record, RunKind* undone = nullptr);
Report undoLastRun(ReplacementRecord& record, WorkProgress* progress = nullptr);
PreparedRun prepareUndo(ReplacementRecord& record, RunKind* undone = nullptr);

} // namespace sonaplex
