// Starts the program in a scratch folder, goes through its main windows as a user would
// and saves a picture of each into the folder given on the command line.
#include "app/program.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

static QWidget* window(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

static void shoot(const QString& name, const QString& folder)
{
    QTest::qWait(400);
    if (QWidget* w = window(name))
        w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

static void click(const QString& form, const QString& button)
{
    if (QWidget* w = window(form))
        if (auto* b = w->findChild<QPushButton*>(button))
            b->click();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QTemporaryDir programFolder;
    sonaplex::startProgram(programFolder.path());
    shoot(QStringLiteral("frmSplash"), out);
    click(QStringLiteral("frmSplash"), QStringLiteral("CmdEntermidi"));
    shoot(QStringLiteral("FrmMidi"), out);
    click(QStringLiteral("FrmMidi"), QStringLiteral("CmdSonaplex"));
    shoot(QStringLiteral("FrmCopyMidi"), out);
    click(QStringLiteral("FrmCopyMidi"), QStringLiteral("CmdExitFrmCopyMidi"));
    QTest::qWait(100);
    click(QStringLiteral("FrmMidi"), QStringLiteral("CmdGotoWavSelect1"));
    shoot(QStringLiteral("FrmWavSelect"), out);
    click(QStringLiteral("FrmWavSelect"), QStringLiteral("CmdSwitch"));
    shoot(QStringLiteral("FrmCopyWavs"), out);

    // The information windows, each shown modally over the window that opens it.
    const auto page = [&](const char* from, const char* button, const char* name) {
        QTimer::singleShot(1500, [&, name] {
            shoot(QLatin1String(name), out);
            if (QWidget* w = window(QLatin1String(name)))
                w->close();
        });
        click(QLatin1String(from), QLatin1String(button));
    };
    page("FrmCopyWavs", "CmdWavHelp2", "FrmWavHelp2");
    click(QStringLiteral("FrmCopyWavs"), QStringLiteral("CmdExitFrmCopyWavs"));
    QTest::qWait(100);
    click(QStringLiteral("FrmWavSelect"), QStringLiteral("CmdQuit2"));
    QTest::qWait(100);
    page("FrmMidi", "CmdHelpMidi", "FrmMidiHelp");
    page("FrmMidi", "CmdAbout", "frmAbout");
    page("FrmMidi", "CmdMidiGames", "FrmGameLinks");
    return 0;
}
