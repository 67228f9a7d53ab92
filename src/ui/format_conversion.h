#pragma once
#include "base/selection.h"

#include <QStringList>

#include <map>
#include <vector>

class QWidget;

namespace sonaplex {

// What became of the offer to convert replacements to their game files' formats.
struct Conversions {
    bool cancelled = false; // the user cancelled: nothing is to be replaced
    std::map<int, QString> substitutes; // selection number -> converted copy to put in place
    std::map<int, QString> failed; // selection number -> why its conversion failed (it is not replaced)
};

// For SWITCH: when some selections' replacements differ in format from their game files (their
// format checks, which must be settled), asks whether to convert them to the game files'
// exact formats (optionally matched to the game files' loudness) or to copy them as they are.
// Converted copies are written into `folder`, off the GUI thread, with progress shown when it
// takes a while; nothing is converted unless the user chooses it.
Conversions offerConversion(const SelectionList& selections, const QString& folder, QWidget* parent);

} // namespace sonaplex
