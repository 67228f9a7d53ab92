#pragma once
#include "base/program_folder.h"

#include <QString>

class QWidget;

namespace sonaplex {

class Forms;

// Before files are gathered into a staging folder ("BackDir", "TempDir") of the program
// folder: files that an unnamed gathering left there are neither mixed into the new one nor
// thrown away unasked. The user names them as their own set (in the naming dialog of that
// name), discards them, or gives up. A program folder that cannot be written is said in one
// message. True when the folder is clear to use.
bool settleLeftovers(
    Forms& forms, ProgramFolder::Staging which, const QString& what, const QString& namingDialog, QWidget* parent);

} // namespace sonaplex
