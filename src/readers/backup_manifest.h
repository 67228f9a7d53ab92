#pragma once
#include "base/files.h"
#include "base/staged_file.h"

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
// An entry of a set that is not restored, and why.
struct SetRefusal {
    enum class Why {
        NotAManifestLine, // a line of the manifest that is no entry
        NameLeavesSet, // its name in the set leaves the set's folder
        NotPlainGamePath, // its game path is not plain and absolute
        NamedTwice, // its game file is named by an earlier entry
        NotSoundKind, // only sound files (base/sound_names.h) are restored
        SetFileOfOtherKind, // its file in the set is not of its game file's kind (`detail`)
        NotInSet, // its file is not in the set
        NameUnreadable, // its game file's name cannot be read back (`detail` says why)
        FolderMissingOrLinked, // its game folder is missing or reached through a symbolic link
        SymbolicLink, // its game file is a symbolic link
        NotRegularFile, // its game file is not a regular file
        NoFolderKnown, // no such game file, in a folder where Sonaplex replaced nothing
    };
    int line = 0; // of the manifest, for a line not followed; 0 for an entry
    QString what; // the entry as shown: its text, name or path, or "name (game path)"
    Why why = Why::NotAManifestLine;
    QString detail = {};
};

// The manifest of a set folder; empty when it has none (or it cannot be read). `refused`, when
// given, receives each line that is not followed, with the reason.
std::vector<ManifestLine> readManifest(const QString& folder, std::vector<SetRefusal>* refused = nullptr);

} // namespace sonaplex
