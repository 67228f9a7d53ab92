#include "app/first_paint.h"
#include "app/program.h"
#include "base/files.h"
#include "cli/command_line.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Given a command, the program runs without windows (and without a display).
    if (sonaplex::cli::wantsCommandLine(argc, argv))
        return sonaplex::cli::run(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonaplex"));
    QApplication::setOrganizationName(QStringLiteral("Sonaplex"));
    QApplication::setDesktopFileName(QStringLiteral("org.sonaplex.sonaplex"));
    sonaplex::startProgram(sonaplex::resolveProgramFolder(QCoreApplication::applicationDirPath()));
    sonaplex::reportFirstPaintIfAsked();
    return app.exec();
}
