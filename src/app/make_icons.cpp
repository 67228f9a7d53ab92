// Draws, into the folder given, the program's icon at the sizes a desktop asks for (the PNG
// icons the package installs beside the SVG one) and the first window's art, which the
// program carries as pictures so that it shows at once. Usage: make_icons FOLDER
#include "ui/splash_art.h"

#include <QDir>
#include <QFile>
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
    using namespace sonaplex;
    const auto carry = [&](const QString& name, const QPixmap& art) {
        const QByteArray pixels = artPixels(art);
        QFile file(folder + QLatin1Char('/') + name);
        return file.open(QIODevice::WriteOnly) && file.write(pixels) == pixels.size() && file.flush();
    };
    if (!carry(QStringLiteral("splash-logo.argb"), drawLogo(splashLogoSize.width()))
        || !carry(QStringLiteral("splash-title.argb"), drawTitleArt(splashTitleSize.width(), splashTitleSize.height())))
        return 1;
    return 0;
}
