// Start-up: how long until the first window is painted and shown, and the peak memory until
// then, against a minimal Qt Widgets program showing one window, run alternately in the same
// run. Usage: bench_startup [runs, 20] [program, ../sonaplex]
// Both programs report through SONAPLEX_REPORT_FIRST_PAINT; the platform is whatever
// QT_QPA_PLATFORM says (offscreen when unset): `make bench` runs it offscreen and under X
// (Xvfb with a window manager).
#include "figures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Start {
    double ms = -1;
    long long peakKb = -1;
};

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
    QElapsedTimer clock;
    clock.start();
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    Start s;
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

    // A first start of each warms the disk cache and makes the program's folders.
    if (startOnce(minimal).ms < 0 || startOnce(program).ms < 0) {
        std::fprintf(stderr, "a program did not report its first window\n");
        return 1;
    }
    Figures msMinimal, msProgram, msRatio, mbMinimal, mbProgram, mbRatio;
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
    }
    std::printf("Start-up, min, median and max of %d interleaved pairs (platform %s)\n", runs,
        qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  first window shown, ms\n    minimal Qt window  %s\n    Sonaplex           %s\n    ratio              %s"
                "   (target 1.3)\n",
        qPrintable(msMinimal.text()), qPrintable(msProgram.text()), qPrintable(msRatio.text()));
    std::printf("  peak memory until then, MB\n    minimal Qt window  %s\n    Sonaplex           %s\n    ratio  "
                "            %s   (target 1.3)\n",
        qPrintable(mbMinimal.text()), qPrintable(mbProgram.text()), qPrintable(mbRatio.text()));
    return 0;
}
