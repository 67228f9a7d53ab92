#pragma once
// A SWITCH from a user's choices to a run, one way for Game Sounds, the review windows,
// `sonaplex replace` and a sound pack: which replacements differ in format from their game files,
// what must or may be converted and what would loop at the wrong place, what is refused and why;
// then the conversions the user chose (made in passing work of the session's own, gone with it)
// and the run. The front-ends only ask and show.
#include "actions/conversion.h"
#include "actions/game_sounds.h"
#include "actions/prepared_run.h"
#include "actions/replacement.h"
#include "base/selection.h"

#include <QMap>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QTemporaryDir;

namespace sonaplex {

class ReplacementRecord;
class WorkProgress;

// Whether a selection's replacement has its game file's format, read in bounded time (a file
// that does not answer in time is not compared): what a window shows beside a selection.
FormatCheck selectionFormat(const Selection& selection);

// What the user chose to do about formats.
struct ConversionChoice {
    bool all = false; // convert those that differ only in rate, channels or bits too
    bool matchLoudness = false; // each converted copy turned to its game file's loudness
    bool loopWhole = false; // each the game loops by tags and that has no loop of its own, looped whole
    std::set<int> asIs; // replacements (by key) to copy as they are; one that must be converted still is
};

// What became of a replacement's format.
enum class FormatFate {
    Kept, // its game file's format already, or not compared
    Converted,
    CopiedAsIs, // it differs, and the user chose to copy it as it is
    NotConverted, // its conversion failed: it is not put in (the report says why)
};

// One replacement of a SWITCH, by its key: the selection's number (from 1) or the pack entry's.
struct SwitchItem {
    int key = 0;
    QString gamePath;
    QString label; // how the questions and notes name it
    FormatCheck format;
    audio::SoundInfo gameFormat; // the format its game file takes, when read
    QString keptOriginal; // the kept original whose format its game file takes, or empty
};

class SwitchSession {
public:
    // A whole game's chosen replacements (Game Sounds, `sonaplex replace`): formats are read by
    // readFormats(), from what was read already (in `chosen`) and the rest in the helper.
    // `workTemplate` is a QTemporaryDir template for the converted copies.
    static SwitchSession ofGame(
        ReplacementRecord* record, const ChosenReplacements& chosen, const QString& workTemplate);
    // A side's numbered selections (the review windows), their format checks settled already;
    // `check` refuses a replacement that is not a sound of the window's kind.
    static SwitchSession ofSelections(ReplacementRecord* record, const std::vector<Selection>& selections,
        const std::vector<FormatCheck>& checks, ReplacementCheck check, const QString& workTemplate);
    // A pack's sounds to replace, read already: each item's sound is `soundOf(key)`, inflated when
    // it is first needed (empty, with why, when it cannot be). The run is the pack's own.
    static SwitchSession ofPack(std::vector<SwitchItem> items, std::function<QString(int key, QString* why)> soundOf,
        const QString& workTemplate);

    SwitchSession(SwitchSession&&) noexcept;
    SwitchSession& operator=(SwitchSession&&) noexcept;
    ~SwitchSession();

    // Reads what is still to be read of the game files and replacements: what the record keeps
    // here, then the files off this thread (WorkProgress::offload). False when cancelled.
    bool readFormats(WorkProgress& progress);

    // Makes the converted copies in `folder` itself (made when needed, removed with the session)
    // rather than in a new folder of the work template: for a caller that watches the copies.
    void setWorkFolder(const QString& folder) { workFolder_ = folder; }

    const std::vector<SwitchItem>& items() const { return items_; }
    const SwitchItem* item(int key) const;
    // Replacements refused outright (key -> why): a game file that is a link out of its game, a
    // file that could not be read.
    const std::map<int, QString>& refused() const { return refused_; }
    // Some replacement is in another container or codec: it is converted whatever is chosen.
    bool mustConvert() const;
    // The keys of the replacements a conversion would make a copy of, for `choice`.
    std::vector<int> toConvert(const ConversionChoice& choice) const;

    // Converts what `choice` asks for (toConvert) off this thread; nothing when it asks for
    // nothing. False, with nothing converted, when cancelled. Every conversion serves the next
    // run only.
    bool convert(const ConversionChoice& choice, WorkProgress& progress);
    const Conversions& conversions() const { return conversions_; }
    FormatFate fate(int key) const;
    // Whether the game loops `key` by tags and the run looped the whole replacement.
    bool loopedWhole(int key) const { return loopedWhole_.count(key) > 0; }

    // The run (see switchPlan; recorded when there is a record): converted copies go in place
    // of their replacements, those not converted are reported as not done, the refused ones as
    // refused. With `skipUnchanged`, a game file that holds its replacement already is left out.
    // The converted copies go with the session: start the run while it lives.
    PreparedRun prepare(bool skipUnchanged);

private:
    SwitchSession() = default;
    QString workFolder();

    ReplacementRecord* record_ = nullptr;
    QString gameFolder_; // a whole game's, when it is one
    std::vector<Selection> selections_;
    std::vector<ChosenSound> known_; // a whole game's, in the order of the selections
    ReplacementCheck check_;
    std::function<QString(int, QString*)> soundOf_;
    std::vector<SwitchItem> items_;
    std::map<int, QString> refused_;
    QString workTemplate_, workFolder_;
    std::unique_ptr<QTemporaryDir> work_;
    ConversionChoice chosen_;
    Conversions conversions_;
    std::set<int> loopedWhole_;
};

} // namespace sonaplex
