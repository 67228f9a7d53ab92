#pragma once
#include "base/selection.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace sonaplex {

// What a run of copies did: how many it tried and, for each one that failed, which
// selection and why.
struct CopyRun {
    int copied = 0;
    QStringList failures;
    bool ok() const { return failures.isEmpty(); }
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
// is copied.
CopyRun replaceGameFiles(const std::vector<Selection>& selections, const ReplacementCheck& check = {});

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
// nothing gathered is silently lost.
CopyRun stageFiles(const std::vector<StagedFile>& files, const QString& folder);

// The game files of the selections that have one (what a backup holds).
std::vector<StagedFile> gameFilesOf(const std::vector<Selection>& selections);
// The replacement files of the selections that have both sides, under the game files' names
// (what a set holds).
std::vector<StagedFile> replacementsUnderGameNames(const std::vector<Selection>& selections);

// The one message that names every failure of a run.
QString failureReport(const QString& heading, const CopyRun& run);

} // namespace sonaplex
