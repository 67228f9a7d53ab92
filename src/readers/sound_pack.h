#pragma once
#include "base/files.h"
#include "record/plan.h"
#include "base/selection.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace sonaplex {

class OriginalStore;
class ReplacementRecord;
class WorkProgress;
struct ReplacedFile;

// A sound pack: one zip archive (".sonaplexpack") holding replacement sounds and a manifest
// ("manifest.json") that says which game file each one replaces. A pack comes from someone
// else: everything in it is checked before anything is written (see PackArchive, checkPack).

// The manifest format this program writes, and the newest it reads.
constexpr int kPackFormat = 1;
QString packSuffix(); // ".sonaplexpack"
QString packManifestName(); // "manifest.json"
// Whether `path` is a pack file as the desktop tells one (application/x-sonaplex-pack): named
// "*.sonaplexpack", or a zip archive whose first member is the manifest, as every pack the
// program writes is. Reads at most a few bytes, of a regular file only.
bool looksLikePack(const QString& path);

struct PackEntry {
    QString path; // the game file, inside the game folder: relative, '/'-separated
    QString file; // the sound's name inside the archive
    QString hash; // the sound's content hash (content_hash.h)
    QString original = {}; // the content hash of the game file it expects to replace; empty: any
};

struct PackManifest {
    int format = kPackFormat;
    QString name, author, version, description;
    QString gameName, gameLauncher, gameId; // the game it is for, as far as its maker knew
    std::vector<PackEntry> entries;
};

// Why a pack is refused: the entry (its path in the game, or its name in the archive; empty
// when the pack as a whole is) and why, in words for the user.
struct PackRefusal {
    QString entry;
    QString why;
    // Not the pack's fault: it could not be read here (an I/O error, no memory), or its sounds
    // could not be written to the working folder. Said as such, never as a refusal of the pack.
    bool local = false;
    bool isEmpty() const { return why.isEmpty(); }
};
// A refusal of the pack, and a failure that is not its fault (see PackRefusal::local).
inline PackRefusal packRefusal(QString entry, QString why) { return {std::move(entry), std::move(why)}; }
inline PackRefusal localFailure(QString entry, QString why) { return {std::move(entry), std::move(why), true}; }
// Says `what` to whoever asked why (`to`), when someone did.
inline void tellWhy(PackRefusal* to, PackRefusal what)
{
    if (to)
        *to = std::move(what);
}

// What a pack may hold, read and written alike: the program never writes a pack it would refuse
// to open (a manifest of 100,000 entries with long paths takes about 40 MB). An entry that inflates past `entryBytes`, or past `ratio` times its
// compressed size (once over `ratioFrom`), is refused before it is inflated, and again while
// it is, should the archive lie about its sizes.
struct PackLimits {
    qint64 manifestBytes = 64 << 20;
    int entries = 100000;
    qint64 entryBytes = qint64(1) << 30;
    qint64 totalBytes = qint64(8) << 30;
    qint64 ratio = 200;
    qint64 ratioFrom = 1 << 20;
};

// Why `path` cannot name a game file inside a game folder, or empty when it can: it must be
// relative and '/'-separated, with no empty, "." or ".." part, no NUL or control character,
// parts of at most 255 bytes, and name a sound file the program knows (base/sound_names.h).
QString packPathProblem(const QString& path);

QByteArray manifestJson(const PackManifest& manifest);
// Reads and checks a manifest: its format, every entry's path (packPathProblem), file and
// hashes, and no game file named twice, in any case. False, with `why`, when it is refused.
bool readManifestJson(const QByteArray& json, PackManifest& manifest, PackRefusal* why);

// A pack file opened and checked: its manifest read, every entry present in the archive as a
// plain, unencrypted file within the limits. Nothing is inflated until it is read.
class PackArchive {
public:
    ~PackArchive();
    PackArchive(const PackArchive&) = delete;
    PackArchive& operator=(const PackArchive&) = delete;

    static std::unique_ptr<PackArchive> open(const QString& path, PackRefusal* why, const PackLimits& limits = {});
    static std::unique_ptr<PackArchive> fromBytes(const QByteArray& bytes, PackRefusal* why, const PackLimits& limits = {});

    const PackManifest& manifest() const { return manifest_; }
    // Inflates entry `i` through `take` (false stops), never past its declared size, and checks
    // its hash. False, with `why`, when it is damaged, lies about its size or holds another
    // sound than its hash names (or `take` stopped: `why` empty then).
    bool read(size_t i, const std::function<bool(const char*, size_t)>& take, PackRefusal* why);
    // Inflates entry `i` into a new file at `path` (read()); a file not whole is removed. With
    // `progress`, bytes are counted and a cancel stops it (false, `why` empty).
    bool inflateTo(size_t i, const QString& path, PackRefusal* why, WorkProgress* progress = nullptr);
    // The kind of sound entry `i` holds, as a file name ends ("wav"): its member's name says, else
    // its game path's. A file it is inflated into is named so, to be opened as that.
    QString kindOf(size_t i) const;
    qint64 sizeOf(size_t i) const { return size_[i]; }
    qint64 totalBytes() const;
    // Entry `i` as the bytes of a copy (PendingCopy::prepare), inflated as they are taken and
    // checked against its hash at the end: a copy of a sound the pack does not hold whole fails.
    // The pack stays open while the source lives.
    static ByteSource member(const std::shared_ptr<PackArchive>& pack, size_t i);

private:
    PackArchive() = default;
    static std::unique_ptr<PackArchive> opened(void* zip, PackRefusal* why, const PackLimits& limits);
    std::mutex reading_; // one member is read at a time (a run, a sound played meanwhile)
    void* zip_ = nullptr;
    PackManifest manifest_;
    std::vector<qint64> index_, size_; // each entry's index and size in the archive
    PackLimits limits_;
};

// How a pack entry meets the game file it replaces.
enum class PackState {
    Original, // the original it expects (or, when it names none, a file Sonaplex has not replaced)
    Other, // a file other than the one it expects (another version of the game?)
    Applied, // already this sound
    Replaced, // something else Sonaplex put there (another pack, a SWITCH)
    Missing, // no such game file
};
enum class PackAction {
    Replace,
    Nothing, // already in place
    Keep, // another replacement stays: the user did not say this pack wins
    Skip, // no game file to replace: a pack adds no files
};

// Writes a pack: each entry's sound from `files[i]` (hashed here: the manifest's hashes are
// set from the files), the archive made beside `out` and put there only once it reads back
// whole. Never replaces a file at `out`.
FileResult writePack(const QString& out, PackManifest manifest, const std::vector<QString>& files);

} // namespace sonaplex
