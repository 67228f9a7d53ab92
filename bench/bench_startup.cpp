// Start-up: how long until the first window is painted and shown, and the peak memory until
// then, against a minimal Qt Widgets program showing one window, run alternately in the same
// run. Usage: bench_startup [runs, 20] [program, ../sonaplex]
// Both programs report through SONAPLEX_REPORT_FIRST_PAINT; the platform is whatever
// QT_QPA_PLATFORM says (offscreen when unset): `make bench` runs it offscreen and under X
// (Xvfb with a window manager). Under X it also times what a user sees, from outside: from
// the exec to the first window the display maps (the window manager's frame, when there is
// one), as the display's own events say.
#include "figures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char** environ;

namespace {

struct Start {
    double ms = -1;
    long long peakKb = -1;
    double mappedMs = -1; // under X: the first window mapped
};

// Watches an X display for windows mapped at its top level, through a connection of its own.
class MapWatch {
public:
    MapWatch()
    {
        if (qgetenv("QT_QPA_PLATFORM") != "xcb" || qEnvironmentVariableIsEmpty("DISPLAY"))
            return;
        c_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c_)) {
            xcb_disconnect(c_);
            c_ = nullptr;
            return;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c_);
    }
    ~MapWatch()
    {
        if (c_)
            xcb_disconnect(c_);
    }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;
    bool watching() const { return c_ != nullptr; }
    // What happened before (the last program's windows going) is passed over.
    void forget()
    {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_))
            std::free(e);
    }
    // Waits at most `ms` for a window to be mapped; true when one was.
    bool mapped(int ms)
    {
        pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
        QElapsedTimer waited;
        waited.start();
        for (;;) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
                const bool map = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
                std::free(e);
                if (map)
                    return true;
            }
            const int left = ms - int(waited.elapsed());
            if (left <= 0 || poll(&p, 1, left) <= 0)
                return false;
        }
    }

private:
    xcb_connection_t* c_ = nullptr;
};
MapWatch* display = nullptr;

// Runs `program` and waits for its first-paint line.
Start startOnce(const QString& program)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const QByteArray path = QFile::encodeName(program);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};
    if (display)
        display->forget();
    QElapsedTimer clock;
    clock.start();
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    Start s;
    if (failed == 0 && display && display->mapped(20000))
        s.mappedMs = clock.nsecsElapsed() / 1e6;
    if (failed == 0) {
        std::string line;
        char c;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            line += c;
        s.ms = clock.nsecsElapsed() / 1e6;
        long long kb = -1;
        if (std::sscanf(line.c_str(), "first-paint peak-kb %lld", &kb) == 1)
            s.peakKb = kb;
        else
            s.ms = -1;
        waitpid(pid, nullptr, 0);
    }
    close(out[0]);
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const QString here = QCoreApplication::applicationDirPath();
    const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : here + QStringLiteral("/../sonaplex");
    const QString minimal = here + QStringLiteral("/minimal_window");
    // A home of its own, so that the program's folders and settings are its own too.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("SONAPLEX_REPORT_FIRST_PAINT", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    MapWatch watch;
    if (watch.watching())
        display = &watch;

    // A first start of each warms the disk cache and makes the program's folders.
    if (startOnce(minimal).ms < 0 || startOnce(program).ms < 0) {
        std::fprintf(stderr, "a program did not report its first window\n");
        return 1;
    }
    Figures msMinimal, msProgram, msRatio, mbMinimal, mbProgram, mbRatio, mapMinimal, mapProgram, mapRatio;
    for (int i = 0; i < runs; ++i) {
        const Start a = startOnce(minimal), b = startOnce(program);
        if (a.ms < 0 || b.ms < 0) {
            std::fprintf(stderr, "a program did not report its first window\n");
            return 1;
        }
        msMinimal.add(a.ms);
        msProgram.add(b.ms);
        msRatio.add(b.ms / a.ms);
        mbMinimal.add(a.peakKb / 1024.0);
        mbProgram.add(b.peakKb / 1024.0);
        mbRatio.add(double(b.peakKb) / a.peakKb);
        if (a.mappedMs > 0 && b.mappedMs > 0) {
            mapMinimal.add(a.mappedMs);
            mapProgram.add(b.mappedMs);
            mapRatio.add(b.mappedMs / a.mappedMs);
        }
    }
    std::printf("Start-up, min, median and max of %d interleaved pairs (platform %s)\n", runs,
        qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  first window shown, ms\n    minimal Qt window  %s\n    Sonaplex           %s\n    ratio              %s"
                "   (target 1.3)\n",
        qPrintable(msMinimal.text()), qPrintable(msProgram.text()), qPrintable(msRatio.text()));
    std::printf("  peak memory until then, MB\n    minimal Qt window  %s\n    Sonaplex           %s\n    ratio  "
                "            %s   (target 1.3)\n",
        qPrintable(mbMinimal.text()), qPrintable(mbProgram.text()), qPrintable(mbRatio.text()));
    if (display)
        std::printf("  first window mapped, from exec, as the display sees it, ms (%s)\n    minimal Qt window  %s\n"
                    "    Sonaplex           %s\n    ratio              %s   (target 1.3)\n",
            mapRatio.text().isEmpty() ? "no window was seen" : "with the window manager's frame, when one runs",
            qPrintable(mapMinimal.text()), qPrintable(mapProgram.text()), qPrintable(mapRatio.text()));
    return 0;
}
