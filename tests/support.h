#pragma once
// Helpers shared by the tests: a program started in a scratch folder, a message recorder,
// windows and controls found by name, and files made unwritable in a way root cannot bypass.
#include "app/program.h"
#include "file_support.h"
#include "ui/forms.h"
#include "ui/desktop.h"
#include "ui/messages.h"

#include <QApplication>
#include <QStringList>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// A test program's main, as QTEST_MAIN's, that ends as the program itself does: without the
// libraries' static teardown. Qt Multimedia's global connection to the sound server is torn down
// by a static destructor that races the server's thread, and now and then aborts a test that
// passed. Leaks are looked for before, where the build looks for them.
#if defined(__SANITIZE_ADDRESS__)
#define SONAPLEX_LEAK_CHECK() __lsan_do_leak_check()
#else
#define SONAPLEX_LEAK_CHECK()
#endif
#define SONAPLEX_TEST_MAIN(TestObject) \
    int main(int argc, char* argv[]) \
    { \
        int status = 0; \
        { \
            QApplication app(argc, argv); \
            app.setAttribute(Qt::AA_Use96Dpi, true); \
            TestObject tc; \
            QTEST_SET_MAIN_SOURCE_PATH \
            status = QTest::qExec(&tc, argc, argv); \
        } \
        std::fflush(nullptr); \
        SONAPLEX_LEAK_CHECK(); \
        std::_Exit(status); \
    }

namespace sonaplex::test {

// Records every message box instead of showing it; answers from a queue (Cancel when empty
// for Retry/Cancel questions, so that no test can loop for ever).
class MessageRecorder : public Desktop {
public:
    MessageAnswer showMessage(const Message& m, QWidget*) override
    {
        // What the box shows: its text, then the rows of its list, each ticked as the test
        // chooses (those `untick` names the start of are left unticked).
        messages.push_back(m);
        if (m.rows) {
            for (size_t i = 0; i < m.rows->size(); ++i) {
                MessageRow& row = (*m.rows)[i];
                const bool left = std::any_of(untick.begin(), untick.end(), [&](const QString& t) { return row.text.startsWith(t); });
                row.ticked = row.fixed || (row.ticked && !left);
                messages.back().text += QStringLiteral("\n") + (row.fixed ? "[fixed] " : row.ticked ? "[x] " : "[ ] ") + row.text;
            }
            messages.back().rows = nullptr;
            untick.clear();
        }
        if (m.buttons == MessageButtons::Ok)
            return MessageAnswer::Ok;
        if (answers.empty())
            return MessageAnswer::Cancel;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    QString lastText() const { return messages.empty() ? QString() : messages.back().text; }
    QString lastTitle() const { return messages.empty() ? QString() : messages.back().title; }
    void clear() { messages.clear(); }

    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;
    QStringList untick; // rows of the next list to leave unticked, by the start of their text
};

// A test's answers to the folder dialog and the browser while it lives; what it is not given
// goes to the Desktop before it.
class DesktopAnswers : public Desktop {
public:
    std::function<QString(const QString& title)> folder;
    std::function<bool(const QUrl&)> url;
    std::function<QString(const QString& label, const QString& text)> typed;
    std::function<QString(const QString& title, bool save)> file;
    QString chooseFile(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent) override
    {
        return file ? file(title, save) : Desktop::chooseFile(title, start, filter, save, parent);
    }
    QString askText(const QString& title, const QString& label, const QString& text, QWidget* parent) override
    {
        return typed ? typed(label, text) : Desktop::askText(title, label, text, parent);
    }
    QString chooseFolder(const QString& title, const QString& start, QWidget* parent) override
    {
        return folder ? folder(title) : Desktop::chooseFolder(title, start, parent);
    }
    bool openUrl(const QUrl& u) override { return url ? url(u) : Desktop::openUrl(u); }
};

inline QWidget* window(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

inline bool isShown(const QString& name)
{
    QWidget* w = window(name);
    return w && w->isVisible();
}

template <class T = QWidget> T* control(const QString& form, const QString& name)
{
    QWidget* w = window(form);
    return w ? w->findChild<T*>(name) : nullptr;
}

inline void click(const QString& form, const QString& button)
{
    auto* b = control<QPushButton>(form, button);
    QVERIFY2(b, qPrintable(form + "." + button + " not found"));
    b->click();
}

inline QString text(const QString& form, const QString& label)
{
    auto* l = control<QLabel>(form, label);
    return l ? l->text() : QStringLiteral("<no %1.%2>").arg(form, label);
}


// Runs `action` as soon as the named window is the active modal window: the way to act
// inside a modal window while the handler that opened it waits.
// Deleting the returned timer gives up waiting.
// Holds every wait for a modal window, so that waits whose window never came can be dropped
// before they act on a later test's windows.
inline QObject& modalWaits()
{
    static QObject* const holder = new QObject;
    return *holder;
}
inline void dropModalWaits() { qDeleteAll(modalWaits().children()); }

inline QTimer* onModal(const QString& name, std::function<void()> action)
{
    auto* timer = new QTimer(&modalWaits());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, name, action] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == name && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action();
        }
    });
    timer->start();
    return timer;
}

// The program started in a scratch program folder, with its message boxes recorded.
// A label of a review window, which shows the side's selections from the moment it is loaded
// (a choice in a selection window no longer loads it).
inline QString reviewText(const QString& form, const QString& label)
{
    if (!window(form) && runningProgram())
        runningProgram()->load(form);
    return text(form, label);
}

class Program {
public:
    Program() { startProgram(folder.path()); }
    ~Program()
    {
        dropModalWaits();
        if (Forms* f = runningProgram())
            f->endProgram();
        QTest::qWait(0);
    }
    Forms& forms() { return *runningProgram(); }
    QString path(const QString& name) const { return folder.path() + QLatin1Char('/') + name; }

    // From the start-up window to the music window.
    void enter() { click(QStringLiteral("frmSplash"), QStringLiteral("CmdEntermidi")); }

    QTemporaryDir folder;
    MessageRecorder messages;
};

} // namespace sonaplex::test
