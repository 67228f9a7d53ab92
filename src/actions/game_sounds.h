#pragma once
// A whole game's sounds: every sound file under its folder, replacements chosen for any number of
// them (by hand or from a folder of the user's sounds), and the one SWITCH that puts them all in.
// What the game window and `sonaplex sounds` / `sonaplex replace` share.
#include "audio/analysis.h"
#include "base/files.h"
#include "base/selection.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace sonaplex {

class ReplacementRecord;
struct ReplacedFile;

// The sound files anywhere under `folder` by their paths from it ("sfx/jump.ogg"), sorted;
// hidden files and folders are left out, links to folders not followed, and what could not be
// listed is named (see listFilesBelow). `found` gets each sound as it is found.
FilesBelow gameSounds(const QString& folder, const std::function<bool(const QString& name)>& found = {});

// A game's sounds read in the order they are shown: the names first, in batches as they are
// found (gameSounds), then what the record knows of them (read on a connection of the reading
// thread's own; nothing without a record), then what each file is (its headers), read in
// helpers, `infoBatch` files first, each batch after twice the one before up to 32 times it (the
// first rows show their formats at once, and a large game starts few helpers). Each stage is
// told to its function on the reading thread;
// `stopped` ends the reading between batches. The Game Sounds window and `sonaplex sounds` read a
// game this way, and so list the same sounds and name the same problems.
struct GameSoundsReading {
    std::function<void(const QStringList& names)> found;
    std::function<void(const QStringList& unlisted)> listed; // every name found; what was not listed
    std::function<void(std::vector<ReplacedFile> files)> states;
    std::function<void(int first, std::vector<audio::SoundInfo> infos)> read;
    std::function<bool()> stopped = [] { return false; };
    int namesEveryMs = 40; // names found are told at least this often
    int namesBatch = 1000; // and in batches of at most this many
    int infoBatch = 64;
    QString formatCache = {}; // where what was read is remembered (FormatCache); empty: nowhere
};
void readGameSounds(const QString& folder, const std::weak_ptr<ReplacementRecord>& record, const GameSoundsReading& to);

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

// One game sound's chosen replacement, with what was read of either file already: what a
// whole-game SWITCH reads before it converts or copies anything takes these (a SoundInfo not ok
// is read again).
struct ChosenSound {
    QString replacement; // the user's file, full path
    audio::SoundInfo gameInfo = {}, replacementInfo = {};
    bool pagesChecked = false; // the replacement's Ogg pages were checked as it was read (matchFolder does)
};

// What the user chose for a game, however it was chosen (by hand in Game Sounds, from a folder of
// their sounds): per game sound, by its path inside the game, its replacement. What a whole-game
// SWITCH is made of (SwitchSession::ofGame).
struct ChosenReplacements {
    QString gameFolder;
    QMap<QString, ChosenSound> byName;
    QString replacementOf(const QString& name) const { return byName.value(name).replacement; }
    void choose(const QString& name, const QString& replacement) { byName.insert(name, ChosenSound{replacement}); }
};

// A folder's matches as chosen replacements for the game in `gameFolder`, with what matchFolder
// read of them.
ChosenReplacements chosenFrom(const FolderMatches& matches, const QString& gameFolder);

// Why a sound read as `info` cannot be put into a game as it is, or empty: an Ogg page damaged
// inside it (its headers read well, and a decoder would pass over the hole in silence).
QString damagedWhole(const QString& path, const audio::SoundInfo& info);

} // namespace sonaplex
