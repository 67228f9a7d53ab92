#pragma once
#include <QString>

namespace sonaplex {

class Forms;

// Starts the program on its start-up window, keeping its folders in `programFolder`, and
// returns at once; the caller runs the event loop. The program's windows are top-level
// widgets found by their names ("frmSplash", "FrmMidi", ...).
void startProgram(const QString& programFolder);

// The window registry of the program started last, for tests.
Forms* runningProgram();

} // namespace sonaplex
