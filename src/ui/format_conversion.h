#pragma once
#include "actions/switch_session.h"
#include "record/plan.h"

#include <functional>
#include <optional>

class QWidget;

namespace sonaplex {

// For SWITCH: when some replacements differ in format from their game files, asks which to
// convert to the game files' exact formats (optionally matched to the game files' loudness) and
// which to copy as they are; when the game loops some by tags their replacements lack, whether
// to loop the whole of each. Nothing when the user cancelled.
std::optional<ConversionChoice> askConversion(const SwitchSession& session, QWidget* parent);

// SWITCH as a window runs it: the questions above, the conversions chosen (off the window's
// thread, with progress shown when they take a while), then one recorded run with progress.
// `cancelled` when the user cancelled before anything changed.
struct SwitchOutcome {
    bool cancelled = false;
    Report run;
};
SwitchOutcome switchInWindow(SwitchSession& session, QWidget* parent, bool skipUnchanged = false);

} // namespace sonaplex
