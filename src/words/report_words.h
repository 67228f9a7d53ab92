#pragma once
#include "readers/backup_manifest.h"
#include "record/plan.h"
#include "record/replacement_record.h"
#include "readers/sound_pack.h"

#include <QStringList>

#include <vector>

namespace sonaplex {

// How the program names a step: "Selection 2 (TRACK2.MID)", "File 1 (/games/x/a.wav)"; a
// selection chosen twice names its group, "Selections 1 and 3 (TRACK1.MID)".
QString stepLabel(const ReportItem& item);
// Why a step was not done (or not durably), in a few words: "no replacement file was chosen",
// "not changed, because the run was cancelled", or the cause its result carries.
QString outcomeWords(const ReportItem& item);
// One line of a report: "Selection 2 (b.wav): no replacement file was chosen".
QString reportLine(const ReportItem& item);
// The lines of every step not done, in order.
QStringList failureLines(const Report& report);
// The one message that names every step not done under `heading`, and those done but perhaps not
// durable after it; empty when every step was done durably.
QString failureReport(const QString& heading, const Report& report, const QString& notDurableHeading = {});
// What the restore window and the command line say of a restore or an undo that was done.
// What the user is told of the record itself: the sentence of each problem (empty for none).
QString recordProblemWords(const RecordProblem& problem);

// "Line 3 (x.wav): its name in the set leaves the set's folder", "a.wav (/game/a.wav): named twice".
QString setRefusalLine(const SetRefusal& refusal);

QString restoredWords(int files);
QString replacedAgainWords(int files);
// "3 replaced files of Portal 2 were changed, probably by an update."
QString changedByUpdateWords(int files, const QString& game);
QString nothingToUndoWords();
// "SWITCH" or "restore": what an undo takes back (a restore of a backup set is a restore).
QString undoneRunName(RunKind undone);
QString undoneWords(RunKind undone, int files);

// The selections chosen twice, "Selections 1 and 3 (TRACK1.MID)" each.
QStringList sameGameFileLines(const std::vector<std::vector<int>>& groups, const std::vector<QString>& names);

} // namespace sonaplex

namespace sonaplex {

// Stable one-word names for scripts (the command line's --json): "replaced", "original",
// "changed", "missing", "not-read".
QString stateKeyword(GameFileState state);
// The state as the restore window says it ("changed since", "cannot be read").
QString stateWords(GameFileState state);
// "done", "not-durable", "failed", "refused", "no-game-file", ...
QString outcomeKeyword(Outcome outcome);
// "not-found", "exists", "read-only", "no-permission", "no-space", "not-a-file", "cancelled",
// "other"; empty for none.
QString causeKeyword(FileCause cause);

// Sound packs.
// "quiet (1.0) by Ann, for LTris": who made a pack and for what.
QString packTitle(const PackManifest& pack);
// "sounds/drop.wav: its path leaves its folder ('..')", or the pack's own problem alone.
QString packRefusalWords(const PackRefusal& refused);
// What a game file holds against a pack entry, and what applying would do, in a few words:
// "the original it expects", "already this sound", ...; "replace", "keep", ...
QString packStateWords(PackState state);
QString packActionWords(PackAction action);
// Stable one-word names for scripts: "original", "other", "applied", "replaced", "missing";
// "replace", "nothing", "keep", "skip".
QString packStateKeyword(PackState state);
QString packActionKeyword(PackAction action);
QString packAppliedWords(int files);
// A pack none of whose files is in the game folder ("the pack is for GAME, ...").
QString packForAnotherGameWords(const QString& game, const QString& folder);
QString packRemovedWords(int files);

} // namespace sonaplex
