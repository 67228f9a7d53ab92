#pragma once
#include "base/replacement_record.h"
#include "base/selection.h"

#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace sonaplex {

class WorkProgress;

// What a run of copies did: how many it tried and, for each one that failed, which
// selection and why.
struct CopyRun {
    int copied = 0;
    QStringList failures;
    // Files that were replaced but whose folder could not be written to disk.
    QStringList unsure;
    // What the user should hear of the record itself (it was opened again), though the run went on.
    QString notice;
    bool ok() const { return failures.isEmpty() && unsure.isEmpty(); }
};

// Why a file may not serve as a replacement (not a sound file of the window's kind), or empty
// when it may.
using ReplacementCheck = std::function<QString(const QString& path)>;

// The selections that name the same game file as an earlier one, each as "Selections 1 and 3
// (TRACK1.MID)"; empty when every game file is named once.
QStringList sameGameFiles(const std::vector<Selection>& selections);

// Copies each complete selection's replacement file over its game file, in ascending order.
// Every replacement is read as it is when the run starts: all new copies are made first,
// then put in place, so a swapped pair swaps and a chain chains. Selections empty on both
// sides are skipped; a selection with one side only, or whose replacement `check` refuses,
// is a failure and the others go on. When two selections name the same game file nothing
// is copied. With a record, what each game file held is kept first (a file whose content
// cannot be kept is not replaced) and every change is recorded, so that it can be undone.
// `substitutes` (selection number -> file) copies another file in place of a selection's
// replacement, such as a copy converted to the game file's format; the record still names the
// replacement as where the content came from. The file work goes through `progress` (see
// WorkProgress), which may cancel it until the first game file changes: then none changes, and
// each file not replaced is reported as cancelled. `refused` (selection number -> why) names
// selections not to replace, reported in their place among the others.
CopyRun replaceGameFiles(const std::vector<Selection>& selections, const ReplacementCheck& check = {},
    ReplacementRecord* record = nullptr, const std::map<int, QString>& substitutes = {},
    WorkProgress* progress = nullptr, const std::map<int, QString>& refused = {});

// One file to put over a game file, and how reports name it.
struct Replacement {
    QString label; // "Selection 2 (TRACK2.MID)", "File 1 (/games/x/a.wav)"
    QString gamePath;
    QString source;
    QString recordedSource = {}; // what the record names as the source, when not `source`
};

// Puts each source over its game file as one recorded run of `kind` ("restore", ...): all new
// copies first, originals kept, each change recorded so that it can be undone.
CopyRun runRecordedReplacements(
    std::vector<Replacement> work, ReplacementRecord* record, const QString& kind, WorkProgress* progress = nullptr);

// Puts each game file's original back (what it held before Sonaplex first replaced it), as a
// recorded run of its own that can be undone in turn.
CopyRun restoreOriginals(
    ReplacementRecord& record, const std::vector<ReplacedFile>& files, WorkProgress* progress = nullptr);
// Takes back the latest SWITCH or restore not yet undone: each game file it changed gets
// back exactly what that run overwrote.
CopyRun undoLastRun(ReplacementRecord& record, WorkProgress* progress = nullptr);

// Copies each chosen replacement file into `folder` under its own name, in ascending order;
// a later file of the same name overwrites an earlier one.
CopyRun copyReplacementsInto(const std::vector<Selection>& selections, const QString& folder);

// One file to gather into a staging folder, under the name it is to have there.
struct StagedFile {
    int selection;
    QString source;
    QString name;
};

// Copies each file into `folder` (created when missing) under its given name, in order.
// A second file of a name already copied in this run is not copied but reported, so that
// nothing gathered is silently lost. `copied`, when given, receives the files now in the folder.
// A cancel through `progress` stops the run between files (or inside one) and removes what it
// copied: a cancelled run gathers nothing and reports no failure for it.
CopyRun stageFiles(const std::vector<StagedFile>& files, const QString& folder,
    std::vector<StagedFile>* copied = nullptr, WorkProgress* progress = nullptr);

// The game files of the selections that have one (what a backup holds).
std::vector<StagedFile> gameFilesOf(const std::vector<Selection>& selections);
// The replacement files of the selections that have both sides, under the game files' names
// (what a set holds).
std::vector<StagedFile> replacementsUnderGameNames(const std::vector<Selection>& selections);

// The one message that names every failure of a run.
QString failureReport(const QString& heading, const CopyRun& run);

} // namespace sonaplex
