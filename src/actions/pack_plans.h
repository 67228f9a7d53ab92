#pragma once
// What a sound pack does to a game, put together from the pack (readers/sound_pack.h) and the
// record: what a new pack holds, a pack checked against a game, applied and taken off as one
// recorded run each, and a sound put in place from a pack found again.
#include "readers/sound_pack.h"
#include "record/plan.h"
#include "record/replacement_record.h"
#include "base/selection.h"

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace sonaplex {

class WorkProgress;

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
