#pragma once
#include <QString>
#include <QStringList>

#include <functional>

#include <memory>
#include <vector>

namespace sonaplex {

// Why a file operation failed, so that a window can choose what to say by cause.
enum class FileCause {
    None,
    NotFound, // a file or folder that should be there is not
    Exists, // the name is taken
    ReadOnly, // locked, read-only file or file system
    NoPermission,
    NoSpace, // disk full or over quota
    NotAFile, // a folder, device or other non-regular file where a file was wanted
    Cancelled, // the user stopped the work
    Other,
};

// Outcome of a file operation: what failed and why, for the window to tell the user.
struct FileResult {
    bool ok = true;
    QString error; // one line, names the file and the reason
    FileCause cause = FileCause::None;

    static FileResult success() { return {}; }
    static FileResult failure(QString why, FileCause cause = FileCause::Other)
    {
        return {false, std::move(why), cause};
    }
    explicit operator bool() const { return ok; }
};

template <class T> class Result; // base/result.h

// The cause an errno value stands for.
FileCause causeOfErrno(int err);

// A copy of one file over another, made in two steps so that a run of copies can read every
// source before it changes any destination: prepare() copies the source into an unnamed
// temporary file beside the destination, flush() makes it durable, commit() puts it in place
// in one rename. Until commit the destination is untouched; a copy dropped (or a process
// killed) before commit leaves nothing behind.
class ContentHasher;
class WorkProgress;

// Bytes a copy takes from something other than a file (a sound inside an archive): `read` hands
// them to `take` in order, stopping when `take` returns false, and says what went wrong; a stop
// asked for by `take` is a failure with an empty error. `bytes`: how many it hands over.
struct ByteSource {
    qint64 bytes = 0;
    std::function<FileResult(const std::function<bool(const char*, size_t)>& take)> read;
    explicit operator bool() const { return bool(read); }
};

class PendingCopy {
public:
    PendingCopy();
    ~PendingCopy();
    PendingCopy(PendingCopy&&) noexcept;
    PendingCopy& operator=(PendingCopy&&) noexcept;

    // With a hasher, the copy goes through memory and the hasher sees every byte written: the
    // hash of what the copy holds, without reading the source a second time. With `progress`,
    // the bytes copied are counted and a cancel stops the copy (a failure with cause Cancelled).
    // Stale temporaries beside the destination are removed first, unless `swept` says the
    // caller did (removeTemporariesBeside of all its destinations).
    FileResult prepare(const QString& source, const QString& destination, ContentHasher* hasher = nullptr,
        WorkProgress* progress = nullptr, bool swept = false);
    // The same, the copy's bytes taken from `source` (named `name` in messages).
    FileResult prepare(const ByteSource& source, const QString& name, const QString& destination,
        ContentHasher* hasher = nullptr, WorkProgress* progress = nullptr, bool swept = false);
    // Asks the system to start writing the copy to disk without waiting for it, so that the
    // copies of a run are written together before each is flushed.
    void startWriting();
    // Gives the prepared copy a temporary name beside its game file (".NAME.sonaplex-XXXXXX")
    // and closes it, so that a run of thousands of files keeps few files open; flush() and
    // commit() reach it again by that name. A parked copy dropped, or a failed one, is removed;
    // one a kill left behind is removed by the next run beside that game file.
    FileResult park();
    bool isOpen() const; // holds a descriptor
    // The file system the prepared copy is on (0 when there is nothing to write out).
    quint64 device() const;
    FileResult flush();
    // Puts the copy in place; `syncFolder` false leaves the folder's flush to the caller
    // (one syncFolder() per folder after a run of commits).
    FileResult commit(bool syncFolder = true);
    // The folder the destination really lies in (links followed), once prepared.
    QString folder() const;

    struct State;

private:
    std::unique_ptr<State> d;
};

// Makes prepared copies durable, each one's result in their order (flushCopies in
// file_copy_posix.cpp says how).
std::vector<FileResult> flushCopies(const std::vector<PendingCopy*>& copies);

// How a run of many copies is staged: at most `openCopies` prepared copies are kept open (the
// rest are parked), and a file system that receives at least `syncAllFrom` of them is written
// out with one sync of the whole file system before each copy is checked. Tests lower them to
// reach those paths.
struct StagingLimits {
    int openCopies = 64;
    int syncAllFrom = 16;
};
StagingLimits& stagingLimits();

// A folder for passing files that cost no disk writes, as the system has one: the session's
// runtime folder, else /dev/shm, when memory-backed and writable; empty when there is none.
QString memoryBackedFolder();

// Makes a folder's entries (renames, new names) durable.
FileResult syncFolder(const QString& folder);

// Opens `path` for reading only when it is a regular file, as checked on the opened descriptor
// (opened non-blocking, so that a FIFO or a device is never waited on; blocking again once
// checked). The descriptor, which the caller closes, or why there is none.
Result<int> openRegularFile(const QString& path);

// The whole of a small file someone else wrote (a list, a manifest): read only when it is a
// regular file (openRegularFile) of at most `limit` bytes, or why it was not read.
Result<QByteArray> readSmallFile(const QString& path, qint64 limit);

// Why `path` cannot be used as a file name, or empty when it can: a name whose bytes are not
// UTF-8 reads back with U+FFFD in place of those bytes, and the name read back names another
// file, or none. Such a file must be renamed before it can be used.
QString undecodableName(const QString& path);

// Where a '/'-separated path (checked by the caller: no empty, "." or ".." part) lies inside
// `folder`, found without trusting what someone else's list names: each folder on the way is
// looked at without following links; a link to a folder is followed only while it stays inside
// `folder`. `problem` says why the path may not be written: it goes through a link that leaves
// the folder, a part of it is not a folder, the file is a link or not a regular file, or a part
// is missing while the folder holds a name differing from it in case only (a file system that
// ignores case would write that other file). Otherwise `path` is the file's path under `folder`
// (as given, links not resolved) and `exists`/`folderExists` say what is there.
struct InsidePath {
    QString path;
    bool exists = false;
    bool folderExists = false; // the folder the file goes in
    QString problem;
};
InsidePath findInside(const QString& folder, const QString& relative);

// Removes the temporary files an interrupted copy to one of `paths` may have left beside it
// (ours only, by their names), each folder read once: a run of thousands of files in one folder
// would otherwise read it once per file. With `isOurs`, only those it says are, given each
// temporary's path with the index in `paths` of a file it may belong to.
void removeTemporariesBeside(const QStringList& paths, const std::function<bool(const QString&, qsizetype)>& isOurs = {});

// Copies source over destination so that destination is either the old file or the
// complete new one, never a torn file; keeps the destination's permissions. A copy of a
// file onto itself changes nothing and succeeds. A read-only destination is refused.
// `progress` as for PendingCopy::prepare.
FileResult copyReplace(const QString& source, const QString& destination, WorkProgress* progress = nullptr);

// What identifies a file whatever the spelling of its path (links, "..", doubled slashes):
// two paths with the same identity are the same file. A missing file is identified by its
// cleaned absolute path.
QString fileIdentity(const QString& path);

// Creates a folder; succeeds when it is already there.
FileResult createFolder(const QString& path);

// Creates the folders of `relative` (plain names, isPlainRelativePath) inside `folder`, one
// after another; a link on the way is refused, never followed out of `folder`.
FileResult createFolders(const QString& folder, const QString& relative);

// Raises this process's soft limit of open files towards its hard limit (up to 16,384), as file
// managers do, for the folders and libraries of a large game; runs keep few open whatever the limit.
void raiseOpenFileLimit();

// The files anywhere below `folder`, by their paths from it ("music/x.mid"), sorted; links to
// folders are not followed, hidden files are listed only with `hidden`. (What could not be
// listed is left out: see listFilesBelow.)
QStringList filesBelow(const QString& folder, bool hidden = false);

// The same, with what could not be listed named, each as "path: why" (the path from `folder`,
// shownName): a folder that could not be opened or read, a name that is not UTF-8 (it cannot be
// opened again by its name), a path longer than the file system takes, a link to a file outside
// `folder` (never listed: what it leads to is someone else's). A link to a file inside `folder`
// is not listed either: its file is, under its own name. With `wanted`, only the files it takes
// by their path from `folder` are listed or named. `found` gets each file as it is found (from a
// worker's thread, when the caller runs it on one) and returns false to stop the walk.
struct FilesBelow {
    QStringList names; // sorted
    QStringList problems;
};
// With `followFileLinks` (a folder only read, never written), a link to a file is listed as the
// file it leads to, wherever that is. Anything else there that is not a regular file (a pipe, a
// device) is named, never read.
FilesBelow listFilesBelow(const QString& folder, bool hidden = false,
    const std::function<bool(const QString& name)>& wanted = {},
    const std::function<bool(const QString& name)>& found = {}, bool followFileLinks = false);

// A file's path, or a part of one, as it can be shown on one line: line breaks, other control
// characters and the marks that turn text right to left are written as escapes ("\n", "\u202e"),
// so that a name can never print a line of its own or read backwards.
QString shownName(const QString& name);

// Whether `path` (a file, followed through links) lies inside `folder` (links resolved too); when
// it does not, why, in words ("... leads outside the game folder"); empty when it does, or when
// `path` does not exist yet and its folder lies inside.
QString outsideFolder(const QString& folder, const QString& path);

// A game folder as the record names it, however it was reached: the folder a link (or a link on
// its way) leads to, absolute and clean; a folder that is not there, as given, made absolute.
QString realFolder(const QString& folder);

// A game folder as the program knows it: where it really is (realFolder), with the spelling it
// was reached by when that differs (through a link: a launcher's, the user's, or one that records
// of older versions name its files under). Both spellings hold the same files.
struct KnownFolder {
    QString real;
    QString spelledAs = {};
    static KnownFolder of(const QString& folder);
    bool isEmpty() const { return real.isEmpty(); }
    // Whether `path` is the folder or inside it, under either spelling.
    bool holds(const QString& path) const
    {
        auto under = [&](const QString& f) {
            return !f.isEmpty() && (path == f || path.startsWith(f + QLatin1Char('/')));
        };
        return under(real) || under(spelledAs);
    }
    // `path`, when under the other spelling, named under the real one.
    QString named(const QString& path) const
    {
        return !spelledAs.isEmpty() && path.startsWith(spelledAs + QLatin1Char('/'))
            ? real + path.mid(spelledAs.size())
            : path;
    }
};

// Removes the files inside a folder, and the folders inside it with theirs (a missing folder is
// already empty). A link is removed as a link; nothing outside the folder is touched.
FileResult emptyFolder(const QString& path);

// Renames a file or folder; never replaces anything at `to`, an empty folder included.
FileResult renameNoReplace(const QString& from, const QString& to);

// Removes the folders of passing work (ProgramFolder::workTemplate) whose process has ended (a
// crash or a kill left them), and `Converting-XXXXXX` folders that older versions left in
// `programFolder` itself.
void removeAbandonedWork(const QString& workFolder, const QString& programFolder);

// The folder the program keeps its folders in: the per-user data folder, unless a file named
// "portable" lies in the executable's folder (a portable copy keeps its folders beside it).
QString resolveProgramFolder(const QString& executableFolder);

// Why `name` cannot be a set name that stays a single entry inside its folder, or empty when
// it can: not empty, not "." or "..", no path separator, no control character. Blanks alone
// are a valid name.
QString nameProblem(const QString& name);
inline bool isPlainName(const QString& name) { return nameProblem(name).isEmpty(); }
// Whether `path` names something inside a folder by plain names only ("music/x.mid"): one or
// more plain names (isPlainName) joined by "/", so it never leaves the folder.
bool isPlainRelativePath(const QString& path);

} // namespace sonaplex
