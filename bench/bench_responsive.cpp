// How long the event loop is held during a SWITCH of six large files, as the windows run it
// (the file work off the GUI thread, a progress window after half a second) against the same
// SWITCH run on the GUI thread (the baseline: the loop is held for all of it), in the same run.
// A 5 ms timer measures the longest gap between two of its ticks while each SWITCH runs.
#include "actions/replacement.h"
#include "words/report_words.h"
#include "random_file.h"
#include "ui/long_work.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <random>

using namespace sonaplex;

namespace {
// The longest gap between ticks while `run` runs, and whether a progress window was shown.
struct Held {
    double longestMs = 0, totalMs = 0;
    bool progressShown = false;
};

Held measure(const std::function<void()>& run)
{
    Held held;
    QElapsedTimer clock, sinceTick;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double gap = sinceTick.nsecsElapsed() / 1e6;
        held.longestMs = std::max(held.longestMs, gap);
        if (gap > 20 && qEnvironmentVariableIsSet("SONAPLEX_BENCH_GAPS"))
            std::fprintf(stderr, "gap of %.1f ms ending at %.1f ms\n", gap, clock.nsecsElapsed() / 1e6);
        sinceTick.restart();
        for (QWidget* w : QApplication::topLevelWidgets())
            held.progressShown |= w->objectName() == QLatin1String("WorkProgress") && w->isVisible();
    });
    clock.start();
    sinceTick.start();
    tick.start();
    run();
    // The gap up to the first tick after the run counts too: the run may have held it.
    QCoreApplication::processEvents();
    held.longestMs = std::max(held.longestMs, sinceTick.nsecsElapsed() / 1e6);
    held.totalMs = clock.nsecsElapsed() / 1e6;
    if (qEnvironmentVariableIsSet("SONAPLEX_BENCH_GAPS"))
        std::fprintf(stderr, "\n");
    return held;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const qint64 size = (argc > 1 ? atoll(argv[1]) : 250) << 20;
    const int rounds = argc > 2 ? atoi(argv[2]) : 3;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-responsive-XXXXXX")); // $TMPDIR, never the source tree
    std::mt19937_64 random(11);
    std::vector<Selection> selections;
    for (int n = 1; n <= 6; ++n) {
        const QString source = dir.path() + QStringLiteral("/new%1.wav").arg(n);
        if (!writeRandomFile(source, size, random))
            return 1;
        selections.push_back({dir.path() + QStringLiteral("/GAME%1.WAV").arg(n), QStringLiteral("GAME%1.WAV").arg(n),
            source, QStringLiteral("new%1.wav").arg(n)});
    }
    QWidget window; // what the progress window opens over
    window.show();
    // Each SWITCH replaces small game files of new content, with a new record: every source
    // is copied and hashed, every original kept. The record is opened before (the program opens
    // it at start).
    int round = 0;
    auto measureSwitch = [&](bool offloaded) {
        ++round;
        for (const Selection& s : selections) {
            QFile game(s.gamePath);
            if (game.open(QIODevice::WriteOnly))
                game.write(QByteArray("game file, round ") + QByteArray::number(round));
        }
        ReplacementRecord record(dir.path() + QStringLiteral("/record%1").arg(round));
        Report run;
        const Held held = measure([&] {
            if (!offloaded) {
                run = replaceGameFiles(selections, {}, &record);
                return;
            }
            LongWork work(&window, QStringLiteral("Replacing the game files\u2026"));
            run = replaceGameFiles(selections, {}, &record, {}, &work.progress());
        });
        if (!run.ok())
            std::fprintf(stderr, "switch failed: %s\n", qPrintable(failureLines(run).join(QLatin1Char('\n'))));
        return held;
    };
    Held inlineRun, offThread; // the worst round of each
    bool shown = true;
    for (int r = 0; r < rounds; ++r) {
        const Held a = measureSwitch(false), b = measureSwitch(true);
        if (a.longestMs > inlineRun.longestMs)
            inlineRun = a;
        if (b.longestMs > offThread.longestMs)
            offThread = b;
        shown &= b.progressShown || b.totalMs < 500;
    }
    std::printf("SWITCH of six %lld MB files, longest time the event loop was held (worst of %d rounds):\n",
        static_cast<long long>(size >> 20), rounds);
    std::printf(
        "  on the GUI thread (baseline):   %8.1f ms of a %8.1f ms run\n", inlineRun.longestMs, inlineRun.totalMs);
    std::printf("  off the GUI thread (the windows): %6.1f ms of a %8.1f ms run (target <= 50 ms)\n",
        offThread.longestMs, offThread.totalMs);
    std::printf("  progress window shown in every run over half a second: %s\n", shown ? "yes" : "NO");
    return 0;
}
