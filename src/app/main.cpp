#include "app/program.h"
#include "base/files.h"
#include "cli/command_line.h"

int main(int argc, char** argv)
{
    sonaplex::raiseOpenFileLimit(); // a SWITCH of thousands of files under a desktop's usual 1,024
    // Given a command, the program runs without windows (and without a display).
    if (sonaplex::cli::wantsCommandLine(argc, argv))
        return sonaplex::cli::run(argc, argv);
    if (!sonaplex::cli::hasDisplay(argc, argv))
        return sonaplex::cli::noDisplay(argc, argv);
    sonaplex::runDesktopProgram(argc, argv);
}
