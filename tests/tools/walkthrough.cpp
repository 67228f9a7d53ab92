// Starts the program in a scratch folder, goes through its main windows as a user would
// and saves a picture of each into the folder given on the command line.
// Usage: walkthrough OUT [MUSIC_FOLDER SOUNDS_FOLDER] - with the folders, both panes of each
// selection window show a file of theirs, with its waveform and format line. WALKTHROUGH_DARK=1
// shows everything in a dark palette.
#include "app/program.h"
#include "ui/browser_pane.h"
#include "ui/forms.h"
#include "ui/long_work.h"
#include "ui/review_board.h"
#include "ui/review_window.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
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

// Opens `folder` in both panes of a selection window and highlights a file in each.
static void fillPanes(const QString& form, const QString& folder)
{
    QWidget* w = window(form);
    if (!w || folder.isEmpty())
        return;
    for (auto* folders : w->findChildren<sonaplex::FolderList*>())
        folders->setPath(folder);
    int n = 0;
    for (auto* files : w->findChildren<sonaplex::FileList*>()) {
        for (int i = 0; i < 200 && files->isListing(); ++i)
            QTest::qWait(10);
        const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
        if (names.size() > n)
            files->setFileName(names[n]);
        n += 3;
    }
    QTest::qWait(1500); // the pictures and loudness are worked out in the background
}

static void darken(QApplication& app)
{
    app.setStyle(QStringLiteral("Fusion"));
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 32));
    p.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
    p.setColor(QPalette::Text, QColor(230, 230, 230));
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    p.setColor(QPalette::Highlight, QColor(61, 142, 201));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    app.setPalette(p);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIntValue("WALKTHROUGH_DARK"))
        darken(app);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QString music = argc > 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString sounds = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTemporaryDir programFolder;
    sonaplex::startProgram(programFolder.path());
    shoot(QStringLiteral("frmSplash"), out);
    click(QStringLiteral("frmSplash"), QStringLiteral("CmdEntermidi"));
    fillPanes(QStringLiteral("FrmMidi"), music);
    shoot(QStringLiteral("FrmMidi"), out);
    click(QStringLiteral("FrmMidi"), QStringLiteral("CmdSonaplex"));
    shoot(QStringLiteral("FrmCopyMidi"), out);
    click(QStringLiteral("FrmCopyMidi"), QStringLiteral("CmdExitFrmCopyMidi"));
    QTest::qWait(100);
    click(QStringLiteral("FrmMidi"), QStringLiteral("CmdGotoWavSelect1"));
    fillPanes(QStringLiteral("FrmWavSelect"), sounds);
    // The highlighted pair becomes selection 1, so that the review window shows a selection
    // (and what differs between the two files' formats, when something does).
    if (!sounds.isEmpty()) {
        click(QStringLiteral("FrmWavSelect"), QStringLiteral("CmdChooseGame1"));
        click(QStringLiteral("FrmWavSelect"), QStringLiteral("CmdReplaceWav1"));
    }
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
    // A long SWITCH: WALKTHROUGH_LONG_SWITCH names a scratch folder of game files fx1-6.wav
    // and large replacements big1-6.wav. The screen is taken while the progress window shows.
    if (const QString folder = qEnvironmentVariable("WALKTHROUGH_LONG_SWITCH"); !folder.isEmpty()) {
        if (auto* review = qobject_cast<sonaplex::ReviewWindow*>(window(QStringLiteral("FrmCopyWavs")))) {
            for (int n = 1; n <= 6; ++n) {
                const QString game = QStringLiteral("fx%1.wav").arg(n), big = QStringLiteral("big%1.wav").arg(n);
                review->board()->model().setGameFile(n, folder + QLatin1Char('/') + game, game);
                review->board()->model().setReplacementFile(n, folder + QLatin1Char('/') + big, big);
            }
            sonaplex::LongWork::setShowAfter(std::chrono::milliseconds(0)); // to be sure to see it
            QTimer::singleShot(300, [&] {
                QApplication::primaryScreen()->grabWindow(0).save(out + QStringLiteral("/LongSwitch.png"));
                if (QWidget* w = window(QStringLiteral("WorkProgress")))
                    w->grab().save(out + QStringLiteral("/WorkProgress.png"));
            });
            click(QStringLiteral("FrmCopyWavs"), QStringLiteral("CmdSwitch2"));
            shoot(QStringLiteral("FrmReplaceConfirm"), out);
            if (QWidget* w = window(QStringLiteral("FrmReplaceConfirm")))
                w->close();
        }
    }
    click(QStringLiteral("FrmCopyWavs"), QStringLiteral("CmdExitFrmCopyWavs"));
    QTest::qWait(100);
    click(QStringLiteral("FrmWavSelect"), QStringLiteral("CmdQuit2"));
    QTest::qWait(100);
    page("FrmMidi", "CmdHelpMidi", "FrmMidiHelp");
    page("FrmMidi", "CmdAbout", "frmAbout");
    page("FrmMidi", "CmdMidiGames", "FrmGameLinks");
    return 0;
}
