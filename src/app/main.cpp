#include "app/program.h"
#include "cli/command_line.h"

int main(int argc, char** argv)
{
    // Given a command, the program runs without windows (and without a display).
    if (sonaplex::cli::wantsCommandLine(argc, argv))
        return sonaplex::cli::run(argc, argv);
    sonaplex::runDesktopProgram(argc, argv);
}
