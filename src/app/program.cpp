#include "app/program.h"

#include "app/frm_splash.h"
#include "app/window_pictures.h"
#include "app/windows.h"
#include "audio/audio_host.h"
#include "ui/forms.h"
#include "ui/messages.h"

#include <QApplication>
#include <QPointer>

namespace sonaplex {

namespace {
QPointer<Forms>& current()
{
    static QPointer<Forms> forms;
    return forms;
}

// Windows must go while the application still stands, not among its leftover children.
void releaseWindows() { delete current().data(); }
} // namespace

void startProgram(const QString& programFolder)
{
    // The program decides for itself when it ends (its last window gone), not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    static const bool cleanupRegistered = (qAddPostRoutine(releaseWindows), true);
    Q_UNUSED(cleanupRegistered);
    if (current()) {
        current()->endProgram();
        delete current().data();
    }
    auto* forms = new Forms(programFolder, QCoreApplication::instance());
    registerWindows(*forms);
    // Every replacement is recorded and its original kept, so that it can be undone. A record
    // a killed run left unfinished is settled first; one that cannot be read is moved aside
    // and the user told.
    auto record = std::make_shared<ReplacementRecord>(forms->folders().replacements());
    record->settleUnfinished();
    forms->setRecord(record);
    forms->setWindowPictures([audio = forms->audio()](const QString& key) -> const WindowPicture& {
        return programWindowPicture(key, audio);
    });
    current() = forms;
    forms->showModeless<FrmSplash>();
    // The SoundFont loads while the user reads the first window, not at the first MIDI click.
    forms->audio()->loadInBackground();
    if (!record->problem().isEmpty())
        showMessage(record->problem(), QStringLiteral("Record of Replacements"), forms->loaded<FrmSplash>());
}

Forms* runningProgram() { return current(); }

} // namespace sonaplex
