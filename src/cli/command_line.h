#pragma once

namespace sonaplex::cli {

// Whether the program was started as a command ("sonaplex status ...", "sonaplex --help")
// rather than to open its windows: its first argument, after any --program-folder DIR, is a
// word or --help. Options for the windows (Qt's, such as -platform) start with a dash.
bool wantsCommandLine(int argc, char** argv);

// Runs the command without windows, with Qt Core only: no display is needed. Returns the exit
// status: 0 everything asked was done, 1 some files were not (each named on stderr with its
// cause), 2 a usage error, 3 the program folder or its record cannot be used.
int run(int argc, char** argv);

// Whether the windows have somewhere to open: a display named (DISPLAY, WAYLAND_DISPLAY), or a
// Qt platform asked for that needs none (QT_QPA_PLATFORM, -platform).
bool hasDisplay(int argc, char** argv);
// Says, on stderr, that there is no display to open the windows on, how to start them and what
// the commands are; returns the exit status of a usage error (2).
int noDisplay(int argc, char** argv);

} // namespace sonaplex::cli
