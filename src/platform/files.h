#pragma once
#include <QString>

namespace sonaplex {

// Outcome of a file operation: what failed and why, for the window to tell the user.
struct FileResult {
    bool ok = true;
    QString error; // one line, names the file and the reason

    static FileResult success() { return {}; }
    static FileResult failure(QString why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

// Copies source over destination so that destination is either the old file or the
// complete new one, never a torn file; keeps the destination's permissions. A copy of a
// file onto itself changes nothing and succeeds. A read-only destination is refused.
FileResult copyReplace(const QString& source, const QString& destination);

// Creates a folder; succeeds when it is already there.
FileResult createFolder(const QString& path);

// Removes the files directly inside a folder (a missing folder is already empty). A link is
// removed as a link; nothing outside the folder is touched.
FileResult emptyFolder(const QString& path);

// Renames a file or folder; never replaces anything at `to`, an empty folder included.
FileResult renameNoReplace(const QString& from, const QString& to);

// The folder the program keeps its folders in: the executable's folder, or the per-user
// data folder when the executable's folder cannot be written.
QString resolveProgramFolder(const QString& executableFolder);

// True for a name that stays a single entry inside its folder: not empty, not "." or "..",
// no path separator, no control character. Blanks alone are a valid name.
bool isPlainName(const QString& name);

} // namespace sonaplex
