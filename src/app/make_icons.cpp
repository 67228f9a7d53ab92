// Draws the program's icon at the sizes a desktop asks for, into the folder given: the PNG
// icons the package installs beside the SVG one. Usage: make_icons FOLDER
#include "ui/splash_art.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        if (!sonaplex::drawLogo(size).save(QStringLiteral("%1/sonaplex-%2.png").arg(folder).arg(size)))
            return 1;
    return 0;
}
