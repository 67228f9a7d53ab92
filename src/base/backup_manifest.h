#pragma once
#include "base/replacement.h"

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
// Writes the manifest of the files a backup copied into `folder` (what stageFiles reports).
FileResult writeManifest(const QString& folder, const std::vector<StagedFile>& copied);
// The manifest of a set folder; empty when it has none (or it cannot be read).
std::vector<ManifestLine> readManifest(const QString& folder);

// Puts every file of a backup set back where it came from (by its manifest), or, for a set
// without one, into `intoFolder` under the files' own names. A recorded run: it can be
// undone like a SWITCH.
CopyRun restoreBackupSet(ReplacementRecord* record, const QString& setFolder, const QString& intoFolder = {},
    WorkProgress* progress = nullptr);

} // namespace sonaplex
