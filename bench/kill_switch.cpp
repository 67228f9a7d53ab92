// Kills a recorded SWITCH of several large files at random moments, many times, and checks
// after each that every game file is whole, the record agrees, and everything restores.
// Usage: kill_switch [trials] [MB per file]
#include "base/kill_trial.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

using namespace sonaplex;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int trials = argc > 1 ? atoi(argv[1]) : 100;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kill-switch-XXXXXX")); // $TMPDIR, never the source tree
    test::KillTrial trial{dir.path() + QStringLiteral("/t"), 3, qint64(argc > 2 ? atoi(argv[2]) : 64) << 20};

    // How long one SWITCH takes uninterrupted sets the range of kill moments.
    QElapsedTimer t;
    t.start();
    trial.run(-1);
    const int whole = int(t.elapsed());
    std::mt19937 random(11);
    std::uniform_int_distribution<int> moment(0, whole);
    int faults = 0;
    for (int i = 0; i < trials; ++i) {
        const int at = moment(random);
        const QString fault = trial.run(at);
        if (!fault.isEmpty()) {
            ++faults;
            std::printf("trial %d, killed after %d ms: %s\n", i + 1, at, qPrintable(fault));
        }
    }
    std::printf("%d kill trials over a %d ms SWITCH of 3 x %lld MB: %d faults\n", trials, whole,
        static_cast<long long>(trial.bytes >> 20), faults);
    return faults == 0 ? 0 : 1;
}
