#pragma once
#include "base/gathering.h"
#include "base/replacement_record.h"
#include "base/run.h"

#include <QString>
#include <vector>

namespace sonaplex {

// Where each file of a backup set came from: a small text file inside the set's folder, one
// line per file (content hash, the name the file has in the set, its game path), so that a
// whole set can be put back where it came from in one step. The set's files keep their own
// names, so a set can still be used the old way, file by file.
struct ManifestLine {
    QString hash, name, gamePath;
};

// The manifest's name inside a set folder.
QString manifestName();
// The note a set of replacements (Save Set) carries, so that it is never offered as a backup of
// game files; its name inside the set folder.
QString replacementSetNoteName();
FileResult writeReplacementSetNote(const QString& folder);
bool isReplacementSet(const QString& folder);
// Writes the manifest of the files a backup copied into `folder` (what stageFiles reports).
FileResult writeManifest(const QString& folder, const std::vector<StagedFile>& copied);
// Whether a set folder has a manifest (a backup set made since backups have one).
bool hasManifest(const QString& folder);
// The manifest of a set folder; empty when it has none (or it cannot be read). `refused`, when
// given, receives each line that is not followed, with the reason.
std::vector<ManifestLine> readManifest(const QString& folder, QStringList* refused = nullptr);

// One file a restore of a set would write, and what is unusual about it, to show the user first.
struct SetTarget {
    QString gamePath, source;
    bool newFile = false; // no such file now: it would be created
    bool outsideGameFolders = false; // in a folder where Sonaplex has replaced no file
};
struct SetPlan {
    std::vector<SetTarget> targets;
    QStringList refused; // what is not restored, and why
};
// What restoring a set would write: by its manifest, where each file came from; for a set
// without one, into `intoFolder` under the files' own names. A set is data a user may have got
// from someone else: only .wav and .mid files of the kind of their file in the set are written,
// never through a symbolic link, and a manifest creates no file in a folder the record does not
// know as a game folder. Everything else is refused with the reason.
SetPlan planSetRestore(const ReplacementRecord* record, const QString& setFolder, const QString& intoFolder = {});
// The plan of writing a set: one restore, which can be undone like a SWITCH.
Plan restorePlan(const SetPlan& plan);
Report restoreBackupSet(ReplacementRecord* record, const SetPlan& plan, WorkProgress* progress = nullptr);

} // namespace sonaplex
