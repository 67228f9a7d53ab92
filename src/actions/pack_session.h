#pragma once
#include "actions/pack_plans.h"
#include "actions/prepared_run.h"
#include "actions/switch_session.h"
#include "readers/games.h"
#include "readers/sound_pack.h"

#include <map>
#include <memory>

namespace sonaplex {

// A sound pack opened for a game, as the command line and the Packs window both use it: read,
// checked against a game folder (its sounds inflated where they cost no disk writes, and looked
// at), its odd formats converted, then applied (each sound inflated straight into its game
// file's new copy) or taken off as one recorded run. The record is used on its own thread; the long parts go
// through a WorkProgress (offloaded, counted, cancellable).
class PackSession {
public:
    // Reads the pack at `path` and checks its list of sounds; sounds to play or convert are
    // inflated into passing work made from `workTemplate` (a QTemporaryDir template), when they
    // are wanted. False with refused() when the pack is refused; false with it empty when cancelled.
    bool open(const QString& path, const QString& workTemplate, WorkProgress& progress);
    // Reads the pack's manifest only, inflating nothing: enough to take it off.
    bool read(const QString& path);
    // Lets the pack go, the sounds inflated from it with it.
    void close();

    bool isOpen() const { return archive_ != nullptr; }
    const QString& path() const { return path_; }
    const PackManifest& manifest() const { return archive_->manifest(); }
    // Entry `i`'s sound as a file, to play: inflated into passing work the first time (hash
    // checked). Empty, with `why`, when it cannot be.
    QString soundFile(size_t i, QString* why = nullptr);
    // Why the pack was refused by the last open(), read() or check(); empty when it was not.
    const PackRefusal& refused() const { return refused_; }

    // Checks the pack against `gameFolder`, whose files the record knows as `known` (states
    // read): what each entry's game file holds and what applying would do (checkPack). The
    // first check reads every sound whole (a damaged or lying pack is refused here) and has the
    // helper look at each, inflated in batches to memory-backed files where there are some. What the
    // record remembers of the game files is read here; the files are read off this thread.
    // `overOthers`: files another replacement changed are replaced too. False when the pack is
    // refused for this game (refused()) or the user cancelled.
    bool check(ReplacementRecord& record, const QString& gameFolder, const std::vector<ReplacedFile>& known,
        bool overOthers, WorkProgress& progress);
    const PackCheck& checked() const { return check_; }
    void forgetCheck()
    {
        check_ = {};
        refused_ = {};
        switching_.reset();
    }

    // Converts the sounds to apply whose format differs from their game file's into that
    // format, off this thread, for the next apply(): every one with `all`, else only those in
    // another container or codec, which a game cannot read as they are. False, with nothing
    // converted, when the user cancelled.
    bool convert(WorkProgress& progress, bool all = true);
    // Whether some sound to apply must be converted before it can be (see convert()).
    bool mustConvert() const;
    // The converted copies, by entry index (why each of the others could not be goes into the
    // apply's report).
    const std::map<size_t, QString>& converted() const { return converted_; }
    // What became of entry `entry`'s format for the next apply.
    FormatFate fate(size_t entry) const { return switching_ ? switching_->fate(int(entry)) : FormatFate::Kept; }

    // Applying the checked pack: one SWITCH of every entry to replace (converted ones from their
    // copies), each only while its game file holds what the check found. Without convert()
    // just before, every sound is copied as it is.
    PreparedRun apply(ReplacementRecord& record);
    // Taking the pack off `gameFolder`: one restore of every game file holding one of its sounds.
    // `notPacks`, when given, receives the entries whose game files hold something else.
    PreparedRun takeOff(ReplacementRecord& record, const QString& gameFolder, const std::vector<ReplacedFile>& known,
        std::vector<size_t>* notPacks = nullptr, const WorkProgress* progress = nullptr) const;

private:
    QString path_;
    bool inspect(WorkProgress& progress);
    QTemporaryDir* work();

    std::shared_ptr<PackArchive> archive_;
    QString workTemplate_;
    std::shared_ptr<QTemporaryDir> work_; // made when a sound is first inflated into it
    std::map<size_t, QString> files_; // the sounds inflated into it, by entry
    // What the helper read of each sound, the first time the pack was checked (by entry, as
    // `inspectedAs_` names them): the pack's sounds never change while the session holds it.
    std::shared_ptr<const struct InspectedSounds> inspected_;
    std::vector<QString> inspectedAs_;
    PackRefusal refused_;
    PackCheck check_;
    std::map<size_t, QString> converted_, notConverted_;
    QHash<QString, QString> keptOriginals_; // game file -> the kept original whose format it takes
    std::unique_ptr<SwitchSession> switching_; // the checked sounds' conversions, made for the next apply
};

// The installed game a pack is for, by its launcher's id (or its name, when it names no id);
// null when none is installed.
const Game* gameOfPack(const PackManifest& manifest, const std::vector<Game>& games);

// When the pack was made for another game than the one at `gameFolder` (told apart as a new
// pack names its game: by the launcher's id, else by name), what to say first, with how many of
// its sounds (`found` of its entries) that game has: "made for Ardent Drift; 0 of its 120 sounds
// are in Copper Tides". Empty when it was made for this game, or names none.
QString madeForAnotherGame(const PackManifest& manifest, const QString& gameFolder, const std::vector<Game>& games, int found);

// A new pack, put together for the game at `gameFolder`: its manifest says which game it is for
// (as installed, else by the folder's name) and lists the entries; `contents` has the file of
// each, and the problems that keep it from being written.
struct NewPack {
    PackManifest manifest;
    PackContents contents;
    bool holdsSounds() const { return !contents.entries.empty(); }
};
// Of what Sonaplex replaced in the game (`known`, states read) and the files still hold.
// A sound put there from a pack is inflated from it, into passing work made from `workTemplate`.
NewPack packOfReplacements(const QString& gameFolder, const std::vector<ReplacedFile>& known, const OriginalStore& store,
    const QString& workTemplate, const std::vector<Game>& games);
// Of a saved set, for the game.
NewPack packOfSet(const QString& setFolder, const QString& gameFolder, const std::vector<ReplacedFile>& known,
    const std::vector<Game>& games);

} // namespace sonaplex
