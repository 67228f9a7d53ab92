#pragma once
#include "actions/conversion.h"
#include "base/selection.h"
#include "record/plan.h"

#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace sonaplex {

// For SWITCH: when some selections' replacements differ in format from their game files (their
// format checks, which must be settled), asks whether to convert them to the game files'
// exact formats (optionally matched to the game files' loudness) or to copy them as they are.
// Converted copies are written into `folder`, off the GUI thread, with progress shown when it
// takes a while; nothing is converted unless the user chooses it. The result is keyed by
// selection number; `cancelled` when the user cancelled (nothing is to be replaced).
Conversions offerConversion(const SelectionList& selections, const QString& folder, QWidget* parent);
// The same for any number of selections with their format checks, each named in the questions
// by `label` (of its number, from 1).
// `gameFormats`, when given, are the formats the game files take (see checkGameSwitch).
Conversions offerConversion(const std::vector<Selection>& selections, const std::vector<FormatCheck>& checks,
    const QString& folder, QWidget* parent, const std::function<QString(int)>& label,
    const std::vector<audio::SoundInfo>& gameFormats = {});

class Forms;

// SWITCH as a window runs it: the conversions `offer` asks for (made in passing work of the
// program folder, gone after the run), then one recorded run of `selections` with progress.
// `cancelled` when the user cancelled before anything changed.
struct SwitchOutcome {
    bool cancelled = false;
    Report run;
};
SwitchOutcome switchWithConversions(Forms& forms, const std::vector<Selection>& selections,
    const std::function<Conversions(const QString& folder)>& offer, QWidget* parent,
    const std::function<QString(const QString&)>& check = {}, const std::map<int, QString>& refused = {},
    bool skipUnchanged = false);

} // namespace sonaplex
