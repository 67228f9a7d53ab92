#pragma once
// A whole game's sounds: every sound file under its folder, replacements chosen for any number of
// them (by hand or from a folder of the user's sounds), and the one SWITCH that puts them all in.
// What the game window and `sonaplex sounds` / `sonaplex replace` share.
#include "actions/conversion.h"
#include "actions/prepared_run.h"
#include "audio/analysis.h"
#include "base/files.h"
#include "base/selection.h"

#include <QString>
#include <QTemporaryDir>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace sonaplex {

class ReplacementRecord;

// The sound files anywhere under `folder` by their paths from it ("sfx/jump.ogg"), sorted;
// hidden files and folders are left out, links to folders not followed, and what could not be
// listed is named (see listFilesBelow). `found` gets each sound as it is found.
FilesBelow gameSounds(const QString& folder, const std::function<bool(const QString& name)>& found = {});

// Why `replacement` cannot stand in for the game file `gameName`, or empty when it can (it is a
// sound of a kind the game file takes; see soundFit).
QString replacementRefusal(const QString& gameName, const QString& replacement);

// A folder of the user's sounds matched to a game's sound files: first by the path inside the
// game (sfx/jump.wav for sfx/jump.ogg), then by the name alone without its extension, any case
// either way. A path or name that several game files share (sfx/grow.ogg and sfx/grow.wav,
// Jump.wav and jump.wav) matches none of them (which one was meant is not known); a game file
// two of the user's files match takes the one of its own format, else the first by path. Each
// match is read in the helper: a file that cannot be played is refused, with why.
struct SoundMatch {
    QString gameName; // the path inside the game
    QString replacement; // the user's file, full path
    bool byPath = false; // matched by its path inside the game, not by its name alone
    audio::SoundInfo info = {}; // the replacement, as read (matchFolder reads it)
};
struct FolderMatches {
    std::vector<SoundMatch> matched; // in the order of the game's names
    QStringList refused; // "sfx/jump.mid: why", the user's files that match but cannot be used
    QStringList unused; // the user's sound files (paths from `from`) that match no game file
    QStringList unlisted; // what of the user's folder could not be listed, "path: why"
};
FolderMatches matchFolder(const QStringList& gameNames, const QString& from);

// The selections of a whole-game SWITCH: one per chosen replacement, the game file by its full
// path and its path inside the game.
std::vector<Selection> gameSelections(const QString& gameFolder, const std::vector<SoundMatch>& chosen);

// What a whole-game SWITCH of `selections` (gameSelections of `gameFolder`) reads before it
// converts or copies anything. Each selection's format check, against the format its game file
// takes: the game's own, kept by the record, where the file holds what Sonaplex put there (so
// that one conversion after another never drifts from it). And the selections refused, with why:
// a game file that is a link leading out of the game folder, a replacement or game file that
// could not be read (a file not read is no verdict). `known` gives what was read already (per
// selection; a SoundInfo not ok is read again); the rest is read in the helper.
struct GameSwitchCheck {
    std::vector<FormatCheck> formats;
    std::vector<audio::SoundInfo> gameFormats; // per selection: the format its game file takes
    std::map<int, QString> refused; // selection number -> why
};
struct KnownSounds {
    std::vector<audio::SoundInfo> games, replacements; // per selection, or empty
    bool replacementsChecked = false; // the replacements' Ogg pages were checked too (matchFolder does)
};
// `originals`: keptOriginals', read on the record's thread before; this reads no record and may
// run off the window's thread.
GameSwitchCheck checkGameSwitch(const QString& gameFolder, const std::vector<Selection>& selections,
    const std::vector<QString>& originals, const KnownSounds& known = {});
// Contents the store keeps, under the names of the game files they were (a kept original has no
// name of its own, and a sound is read by its name): each a link in passing work beside the
// store, gone with this object. Falls back to the game file itself when none can be made.
class KeptUnderGameNames {
public:
    KeptUnderGameNames() = default;
    ~KeptUnderGameNames();
    KeptUnderGameNames(const KeptUnderGameNames&) = delete;
    KeptUnderGameNames& operator=(const KeptUnderGameNames&) = delete;
    QString named(const QString& kept, const QString& gamePath);

private:
    std::unique_ptr<QTemporaryDir> dir_;
    int count_ = 0;
};

// Per selection, the kept original whose format its game file takes, or empty: where the game
// file holds what Sonaplex put there last. On the record's thread (no game file is read whole).
std::vector<QString> keptOriginals(ReplacementRecord* record, const std::vector<Selection>& selections);

// The conversions a SWITCH of `selections` needs, by their format checks (numbered from 1): each
// replacement in another container or codec always (a game cannot read it as it is), those
// that differ only in rate, channels or bits when `all`, and with `loopWhole` each that the game
// loops by tags and that has no loop of its own, looped whole. Copies go into `folder`.
std::vector<ConversionJob> conversionJobs(const std::vector<Selection>& selections,
    const std::vector<FormatCheck>& checks, const QString& folder, bool all, bool matchLoudness, bool loopWhole,
    const std::vector<audio::SoundInfo>& gameFormats = {});

// A SWITCH of `selections` put together (see switchPlan; recorded when there is a record):
// converted copies go in place of their replacements, those not converted are reported as not
// done; `check` may refuse a replacement as the window's side does, and `refused` (selection
// number -> why) refuses selections outright. With `skipUnchanged`, a game file that holds its
// replacement already is left out of the run (AlreadyInPlace): a whole game replaced twice from
// the same folder records no second run.
PreparedRun prepareSwitch(ReplacementRecord* record, const std::vector<Selection>& selections,
    const Conversions& conversions = {}, const std::function<QString(const QString&)>& check = {},
    const std::map<int, QString>& refused = {}, bool skipUnchanged = false);

} // namespace sonaplex
