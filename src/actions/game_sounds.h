#pragma once
// A whole game's sounds: every sound file under its folder, replacements chosen for any number of
// them (by hand or from a folder of the user's sounds), and the one SWITCH that puts them all in.
// What the game window and `sonaplex sounds` / `sonaplex replace` share.
#include "actions/conversion.h"
#include "actions/prepared_run.h"
#include "base/selection.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace sonaplex {

class ReplacementRecord;

// The sound files anywhere under `folder` by their paths from it ("sfx/jump.ogg"), sorted;
// hidden files and folders are left out, links to folders not followed.
QStringList gameSoundNames(const QString& folder);

// Why `replacement` cannot stand in for the game file `gameName`, or empty when it can (it is a
// sound of a kind the game file takes; see soundFit).
QString replacementRefusal(const QString& gameName, const QString& replacement);

// A folder of the user's sounds matched to a game's sound files: first by the path inside the
// game (sfx/jump.wav for sfx/jump.ogg), then by the name alone without its extension, any case
// either way. A name that several game files share matches none of them by name alone (which
// one was meant is not known); a game file two of the user's files match takes the one of its
// own format, else the first by path.
struct SoundMatch {
    QString gameName; // the path inside the game
    QString replacement; // the user's file, full path
    bool byPath = false; // matched by its path inside the game, not by its name alone
};
struct FolderMatches {
    std::vector<SoundMatch> matched; // in the order of the game's names
    QStringList refused; // "sfx/jump.mid: why", the user's files that match but cannot be used
    QStringList unused; // the user's sound files (paths from `from`) that match no game file
};
FolderMatches matchFolder(const QStringList& gameNames, const QString& from);

// The selections of a whole-game SWITCH: one per chosen replacement, the game file by its full
// path and its path inside the game.
std::vector<Selection> gameSelections(const QString& gameFolder, const std::vector<SoundMatch>& chosen);

// The format check of each selection, both files read in the helper (the replacements come
// from strangers); files that cannot be read compare as the same.
std::vector<FormatCheck> checkSelectionFormats(const std::vector<Selection>& selections);

// The conversions a SWITCH of `selections` needs, by their format checks (numbered from 1): each
// replacement in another container or codec always (a game cannot read it as it is), those
// that differ only in rate, channels or bits when `all`, and with `loopWhole` each that the game
// loops by tags and that has no loop of its own, looped whole. Copies go into `folder`.
std::vector<ConversionJob> conversionJobs(const std::vector<Selection>& selections,
    const std::vector<FormatCheck>& checks, const QString& folder, bool all, bool matchLoudness, bool loopWhole);

// A SWITCH of `selections` put together (see switchPlan; recorded when there is a record):
// converted copies go in place of their replacements, those not converted are reported as not
// done; `check` may refuse a replacement as the window's side does.
PreparedRun prepareSwitch(ReplacementRecord* record, const std::vector<Selection>& selections,
    const Conversions& conversions = {}, const std::function<QString(const QString&)>& check = {});

} // namespace sonaplex
