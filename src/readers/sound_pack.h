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

// Writes a pack: each entry's sound from `files[i]` (hashed here: the manifest's hashes are
// set from the files), the archive made beside `out` and put there only once it reads back
// whole. Never replaces a file at `out`.
FileResult writePack(const QString& out, PackManifest manifest, const std::vector<QString>& files);

// What a new pack holds: entries (their hashes set when it is written) and the file of each.
struct PackContents {
    std::vector<PackEntry> entries;
    std::vector<QString> files;
    QStringList problems; // "name: why", for each file that could not be placed in the game
    QStringList leftOut; // "name: why", for each replaced file left out of a pack on purpose
    std::shared_ptr<QTemporaryDir> work = {}; // passing files among `files`, while they are needed
};
// What Sonaplex replaced under `gameFolder` and the files still hold (`known`, states read), from
// the copies the store kept where it has them, else from their sources: a sound from a pack is
// inflated from it into a folder made from `workTemplate`.
PackContents contentsFromReplacements(const QString& gameFolder, const std::vector<ReplacedFile>& known,
    const OriginalStore& store, const QString& workTemplate);
// A saved set's sound files, each replacing the one game file of its name (any case)
// anywhere under `gameFolder`; the original each expects is the one the record knows, or what
// the game file holds now.
PackContents contentsFromSet(const QString& setFolder, const QString& gameFolder, const std::vector<ReplacedFile>& known);

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

struct PackItem {
    size_t entry = 0;
    QString gamePath;
    PackState state = PackState::Missing;
    PackAction action = PackAction::Skip;
    QString currentHash; // what the game file holds now
    QString replacedBy; // Replaced: where what Sonaplex put there came from
    FormatCheck format; // wave files to replace: the sound's format against the game file's
};

// What the pack check needs of the sounds themselves, from the layer that can open them.
struct PackInspection {
    // Why a file is not a sound the players can open (or not of the kind its name says); empty
    // when it is.
    std::function<QString(const QString& path)> soundProblem;
    // The sound's format against the game file's.
    std::function<FormatCheck(const QString& game, const QString& sound)> formats;
};

struct PackCheck {
    std::vector<PackItem> items; // one per entry, in manifest order
    PackRefusal refused; // when not empty, the pack may not be applied at all
    // None of the pack's files is in the game folder: a pack for another game, never "nothing
    // to apply".
    bool forAnotherGame() const;
};

// Checks an opened pack against a game folder, its sounds named for `inspection` by `sounds`
// (in entry order; none: they are not inspected): every entry stays inside it (findInside),
// every sound opens, and each entry gets what its game file holds now and what applying would do. `known`: what the record
// knows under the folder, with states read (readUnder). `overOthers`: files another
// replacement changed are replaced too. Writes nothing.
// `remembered`: the content hash the record remembers of each entry's game file (packRemembered),
// so that files Sonaplex wrote or read are not read again. For any thread.
// An entry counts as applied when its game file holds its sound, or holds what Sonaplex put there
// from this pack (at `packPath`: a sound converted to the game file's format).
PackCheck checkPack(const QString& packPath, const PackManifest& manifest, const std::vector<QString>& sounds, const QString& gameFolder,
    const std::vector<ReplacedFile>& known, const std::vector<QString>& remembered, const PackInspection& inspection,
    bool overOthers, WorkProgress* progress = nullptr);
// What the record remembers of each entry's game file under `gameFolder` (empty where nothing);
// on the record's thread.
// `progress` breathes between entries (a pack may have thousands).
std::vector<QString> packRemembered(const PackManifest& manifest, const QString& gameFolder, ReplacementRecord& record,
    const WorkProgress* progress = nullptr);

// What the record names as the source of an entry put in place: the pack's path and the
// sound's name inside it.
QString packSourceName(const QString& packPath, const PackEntry& entry);

// Applying a checked pack, as one SWITCH: each entry to replace, its sound inflated from `pack`
// straight into the copy that replaces its game file (or from its substitute, by entry index,
// such as a copy converted to the game file's format), only while its game file holds what the
// check found. `notConverted` (entry index -> why) names entries not to replace. What is put in
// place is not kept again: the pack at `packPath` keeps it (see PackMembers).
Plan packApplyPlan(const PackCheck& check, const std::shared_ptr<PackArchive>& pack, const QString& packPath,
    const std::map<size_t, QString>& substitutes = {}, const std::map<size_t, QString>& notConverted = {});

// A sound put in place from a pack, found again from what the record names as its source
// (packSourceName) and what it held: the pack's source of it, or why there is none (the pack is
// gone, or no longer holds it), in words for the user.
struct PackMember {
    ByteSource source;
    QString why;
};
class PackMembers {
public:
    // Whether `recordedSource` names a sound inside a pack file (its path, then the sound's name).
    static bool names(const QString& recordedSource);
    // Each pack is opened once, however many of its sounds are found.
    PackMember find(const QString& recordedSource, const QString& hash);

private:
    struct Opened {
        std::shared_ptr<PackArchive> pack; // null: it cannot be opened (`why`)
        QHash<QString, size_t> entryOf; // "name in the pack" + '\0' + hash -> entry
        QString why;
    };
    std::map<QString, Opened> packs_; // by path
};

// Taking a pack off, as one restore: every game file that holds an entry's sound (or what Sonaplex
// put there from the pack at `packPath`) gets back what the change that put it there replaced. `notPacks`, when given, receives the entries whose game
// files hold something else (left as they are).
// `progress` breathes between entries (the record is read on its own thread).
Plan packRemovalPlan(const QString& packPath, const PackManifest& manifest, const QString& gameFolder, ReplacementRecord& record,
    const std::vector<ReplacedFile>& known, std::vector<size_t>* notPacks = nullptr, const WorkProgress* progress = nullptr);

} // namespace sonaplex
