#include "cli/terminal.h"

#include "base/work_progress.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace sonaplex::cli {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Terminal)
};

volatile std::sig_atomic_t gInterrupted = 0;
// How many HandlesInterrupts are alive: work that stops itself cleanly on Ctrl+C. Outside them
// a command has nothing it must finish, and a signal ends it at once (reading a stranger's
// file that will not end, say).
std::atomic<int> gHandling{0};
std::atomic<bool> gHandledToTheEnd{false};

// Names, paths and texts from strangers' files (a pack's manifest, a launcher's list) reach the
// terminal: a control character among them is shown escaped ("\x1b"), never sent, so that it
// cannot set the title, clear the screen or colour the text. Line breaks the program puts
// between lines stay.
QString visible(const QString& line)
{
    QString shown;
    shown.reserve(line.size());
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u == u'\n' || !(u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029))
            shown += c;
        else
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    }
    return shown;
}

// Standard output is buffered as the C library buffers it (by line on a terminal, by block
// into a pipe or a file: a listing of 100,000 files is a few writes, not 100,000); what goes to
// stderr follows what was said before it.
void write(FILE* to, const QString& line)
{
    const QByteArray bytes = visible(line).toLocal8Bit() + '\n';
    if (to == stderr)
        std::fflush(stdout);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

// The progress line on the terminal now, if any: a message goes on a line of its own, not after it.
Watched* onScreen = nullptr;

QString sizeText(qint64 bytes)
{
    return bytes < 10 * 1024 * 1024 ? Say::tr("%1 KB").arg((bytes + 1023) / 1024)
                                    : Say::tr("%1 MB").arg(bytes / (1024 * 1024));
}
} // namespace

void out(const QString& line) { write(stdout, line); }
void err(const QString& line)
{
    if (onScreen)
        onScreen->clear();
    write(stderr, line);
}

void catchInterrupts()
{
    struct sigaction action {};
    action.sa_handler = [](int signal) {
        gInterrupted = 1;
        if (gHandling.load() == 0 && !gHandledToTheEnd.load())
            ::_exit(128 + signal);
    };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction before {};
        ::sigaction(signal, nullptr, &before);
        if (before.sa_handler != SIG_IGN) // a job started to ignore it (nohup, `&` in a script) keeps ignoring it
            ::sigaction(signal, &action, nullptr);
    }
}

bool interrupted() { return gInterrupted != 0; }

void handleInterruptsToTheEnd() { gHandledToTheEnd = true; }

HandlesInterrupts::HandlesInterrupts() { ++gHandling; }
HandlesInterrupts::~HandlesInterrupts() { --gHandling; }

Watched::Watched(WorkProgress& progress, QString what)
    : progress_(progress), what_(std::move(what)), terminal_(::isatty(STDERR_FILENO) == 1)
{
    progress_.setOffloader([this](const std::function<void()>& work) {
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
        std::thread worker([&] {
            work();
            const std::lock_guard<std::mutex> lock(mutex);
            finished = true;
            ended.notify_one();
        });
        // Woken the moment the work ends; meanwhile a signal is noticed within a tenth of a
        // second, and the line redrawn every fifth of one.
        std::unique_lock<std::mutex> lock(mutex);
        for (int tick = 0; !ended.wait_for(lock, std::chrono::milliseconds(100), [&] { return finished; }); ++tick) {
            if (interrupted() && progress_.cancellable())
                progress_.cancel();
            if (tick % 2 == 1)
                show();
        }
        lock.unlock();
        worker.join();
    });
    if (interrupted())
        progress_.cancel();
}

Watched::~Watched()
{
    progress_.setOffloader({});
    clear();
    if (onScreen == this)
        onScreen = nullptr;
}

void Watched::show()
{
    if (!terminal_)
        return;
    QString line = Say::tr("%1 %2 of %3 files").arg(what_).arg(progress_.files()).arg(progress_.fileTotal());
    if (progress_.byteTotal() > 0)
        line += Say::tr(", %1 of %2").arg(sizeText(progress_.bytes()), sizeText(progress_.byteTotal()));
    if (!progress_.cancellable())
        line += Say::tr(" (finishing: game files are changing)");
    else if (progress_.cancelled())
        line += Say::tr(" (stopping)");
    const int width = int(line.size());
    line += QString(std::max(0, shownWidth_ - width), QLatin1Char(' '));
    shownWidth_ = width;
    const QByteArray bytes = '\r' + line.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
    onScreen = this;
}

void Watched::clear()
{
    if (!terminal_ || shownWidth_ == 0)
        return;
    const QByteArray blank = '\r' + QByteArray(shownWidth_, ' ') + '\r';
    std::fwrite(blank.constData(), 1, size_t(blank.size()), stderr);
    std::fflush(stderr);
    shownWidth_ = 0;
    if (onScreen == this)
        onScreen = nullptr;
}

} // namespace sonaplex::cli
