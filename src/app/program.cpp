#include "app/program.h"
#include "base/language.h"

#include "app/first_paint.h"
#include "app/frm_splash.h"
#include "app/window_pictures.h"
#include "app/windows.h"
#include "audio/audio_host.h"
#include "base/files.h"
#include "ui/forms.h"
#include "ui/messages.h"
#include "words/report_words.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Program)
};

QPointer<Forms>& current()
{
    static QPointer<Forms> forms;
    return forms;
}

// Windows must go while the application still stands, not among its leftover children.
void releaseWindows() { delete current().data(); }

// When the desktop asks the program to end (QApplication::quit(), as when the session ends;
// SIGTERM or SIGINT), it ends as "Exit Program" ends it: windows do not refuse.
class DesktopQuit : public QObject {
public:
    DesktopQuit()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalFds_) != 0)
            return;
        auto* notifier = new QSocketNotifier(signalFds_[1], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] {
            char c;
            (void)!::read(signalFds_[1], &c, 1);
            endNow();
        });
        struct sigaction action {};
        action.sa_handler = [](int) { (void)!::write(signalFds_[0], "x", 1); };
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, nullptr);
        ::sigaction(SIGINT, &action, nullptr);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit && current()) {
            endNow();
            return true;
        }
        return false;
    }

private:
    static void endNow()
    {
        if (Forms* forms = current())
            forms->endProgram();
        else
            QCoreApplication::exit(0);
    }
    static inline int signalFds_[2] = {-1, -1};
};
} // namespace

void startProgram(const QString& programFolder)
{
    // The program decides for itself when it ends (its last window gone), not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    loadTranslations(); // before the first window says anything
    // Every window's icon; each size is read when a window first asks for it.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/art/sonaplex-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    static const bool cleanupRegistered = (qAddPostRoutine(releaseWindows), true);
    Q_UNUSED(cleanupRegistered);
    static DesktopQuit* const quit = [] {
        auto* q = new DesktopQuit;
        q->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(q);
        return q;
    }();
    Q_UNUSED(quit);
    if (current()) {
        current()->endProgram();
        // The ended program's windows go before the Forms they refer to.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete current().data();
    }
    auto* forms = new Forms(programFolder, QCoreApplication::instance());
    registerWindows(*forms);
    // Every replacement is recorded and its original kept, so that it can be undone. A record
    // a killed run left unfinished is settled first; one that cannot be read is moved aside
    // and the user told. It opens once the first window is up, or before when asked for.
    forms->setRecordOpener([layout = forms->folders()] {
        removeAbandonedWork(layout.work(), layout.root());
        auto record = std::make_shared<ReplacementRecord>(layout.replacements());
        record->settleUnfinished();
        return record;
    });
    forms->setWindowPictures([audio = forms->audio()](const QString& key) -> const WindowPicture& {
        return programWindowPicture(key, audio);
    });
    current() = forms;
    forms->showModeless<FrmSplash>();
    // What the first window does not need waits until it is on screen: the record, and the
    // audio output, which connects to the sound server on a thread while the user reads the
    // window. FluidSynth and the SoundFont wait for the first MIDI file.
    AfterFirstPaint::run(forms, [forms] {
        if (forms->hasEnded())
            return;
        forms->audio()->prepareOutputInBackground();
        const ReplacementRecord* record = forms->record();
        if (record && !record->problem().isEmpty())
            showMessage(
                recordProblemWords(record->problem()), Say::tr("Record of Replacements"), QApplication::activeWindow());
    });
}

void openGivenFile(Forms& forms, const QString& path)
{
    if (FrmSplash* splash = forms.loaded<FrmSplash>(); splash && splash->isVisible())
        splash->CmdEntermidi_Click();
    QTimer::singleShot(0, &forms, [&forms, path] { forms.openPack(path); });
}

void runDesktopProgram(int argc, char** argv, const std::function<void(Forms&)>& started)
{
    int code = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Sonaplex"));
        QApplication::setOrganizationName(QStringLiteral("Sonaplex"));
        QApplication::setDesktopFileName(QStringLiteral("org.sonaplex.sonaplex"));
        startProgram(resolveProgramFolder(QCoreApplication::applicationDirPath()));
        // "sonaplex FILE", as the desktop entry's Exec line has it (Qt has taken its own options).
        for (const QString& given : QCoreApplication::arguments().mid(1))
            if (!given.startsWith(QLatin1Char('-'))) {
                openGivenFile(*current(), QFileInfo(given).absoluteFilePath());
                break;
            }
        if (started)
            started(*current());
        reportFirstPaintIfAsked();
        code = app.exec();
    }
    // Everything of the program's own is closed by now, in order: the windows and their
    // players (each closing its audio output), the record, the pool that finishes closed
    // sources, and the application object. What is left are library globals, among them Qt
    // Multimedia's connection to the sound server, whose destructor races the sound server's
    // own thread and can abort the process at exit. The program ends without them.
    std::fflush(nullptr);
    std::_Exit(code);
}

Forms* runningProgram() { return current(); }

} // namespace sonaplex
