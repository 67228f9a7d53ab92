#pragma once
#include "base/selection.h"
#include "base/staged_file.h"
#include "record/plan.h"

#include <vector>

namespace sonaplex {

class WorkProgress;

// Gathering files into the program folder: favourites, and the staging folders where a backup
// or a set waits to be named. Nothing here changes a game file. Reports name each file as
// its selection (StepName::Of::Selection); a step's `gamePath` is where the file goes.

// Copies each chosen replacement file into `folder` under its own name, in ascending order;
// a later file of the same name overwrites an earlier one.
Report copyReplacementsInto(const std::vector<Selection>& selections, const QString& folder);

// Copies each file into `folder` (created when missing) under its given name, in order.
// A second file of a name already copied in this run is not copied but reported (SameName), so
// that nothing gathered is silently lost. `copied`, when given, receives the files now in the
// folder. A cancel through `progress` stops the run between files (or inside one) and removes
// what it copied: a cancelled run gathers nothing and reports no failure for it.
Report stageFiles(const std::vector<StagedFile>& files, const QString& folder,
    std::vector<StagedFile>* copied = nullptr, WorkProgress* progress = nullptr);

// The game files of the selections that have one (what a backup holds).
std::vector<StagedFile> gameFilesOf(const std::vector<Selection>& selections);
// The replacement files of the selections that have both sides, under the game files' names
// (what a set holds).
std::vector<StagedFile> replacementsUnderGameNames(const std::vector<Selection>& selections);

} // namespace sonaplex
