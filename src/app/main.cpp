#include "app/first_paint.h"
#include "app/program.h"
#include "base/files.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonaplex"));
    QApplication::setOrganizationName(QStringLiteral("Sonaplex"));
    QApplication::setDesktopFileName(QStringLiteral("org.sonaplex.sonaplex"));
    sonaplex::startProgram(sonaplex::resolveProgramFolder(QCoreApplication::applicationDirPath()));
    sonaplex::reportFirstPaintIfAsked();
    return app.exec();
}
