#pragma once
#include <QString>

#include <functional>

namespace sonaplex {

class Forms;

// Starts the program on its start-up window, keeping its folders in `programFolder`, and
// returns at once; the caller runs the event loop. The program's windows are top-level
// widgets found by their names ("frmSplash", "FrmMidi", ...).
void startProgram(const QString& programFolder);
// A file the program was started with (a pack double-clicked in the file manager): the
// start-up window is passed by, as Enter does, and the file opens in the Packs window.
void openGivenFile(Forms& forms, const QString& path);

// The program with its windows, as main() runs it: the application object, the program
// started in the folder beside the executable (or the user's), the event loop, then an end
// in order. `started` (for tests) runs once the program has started. Never returns: the
// process ends with the event loop's exit code.
[[noreturn]] void runDesktopProgram(int argc, char** argv, const std::function<void(Forms&)>& started = {});

// The window registry of the program started last, for tests.
Forms* runningProgram();

} // namespace sonaplex
