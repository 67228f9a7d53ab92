// SWITCH of three 300 MB files against `cp` of the same files followed by `sync` of the
// copies, in the same run. Both write every byte to disk before they are done.
#include "base/content_hash.h"
#include "actions/replacement.h"
#include "words/report_words.h"
#include "random_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

using namespace sonaplex;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 size = (argc > 1 ? atoll(argv[1]) : 300) << 20;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-switch-XXXXXX")); // $TMPDIR, never the source tree
    std::mt19937_64 random(7);
    std::vector<Selection> selections;
    for (int n = 1; n <= 3; ++n) {
        const QString source = dir.path() + QStringLiteral("/new%1.mid").arg(n);
        if (!writeRandomFile(source, size, random))
            return 1;
        const QString target = dir.path() + QStringLiteral("/GAME%1.MID").arg(n);
        QFile::copy(source, target);
        selections.push_back({target, QStringLiteral("GAME%1.MID").arg(n), source, QStringLiteral("new%1.mid").arg(n)});
    }
    QProcess::execute(QStringLiteral("sync"), {});

    auto timeCp = [&] {
        QElapsedTimer t;
        t.start();
        QStringList copies;
        for (int n = 1; n <= 3; ++n) {
            const QString copy = dir.path() + QStringLiteral("/cp%1.mid").arg(n);
            QProcess::execute(QStringLiteral("cp"), {selections[n - 1].replacementPath, copy});
            copies << copy;
        }
        QProcess::execute(QStringLiteral("sync"), copies);
        const double ms = t.nsecsElapsed() / 1e6;
        for (const QString& c : copies)
            QFile::remove(c);
        return ms;
    };
    // With the record: originals kept (in a fresh store, or one that holds them already).
    int storeRound = 0;
    auto timeRecorded = [&](bool alreadyKept) {
        const QString folder = dir.path() + QStringLiteral("/record%1").arg(alreadyKept ? 0 : ++storeRound);
        ReplacementRecord record(folder);
        if (alreadyKept) // the same three contents kept before, as after an earlier SWITCH
            for (const Selection& s : selections)
                record.store().keep(s.gamePath, contentHash(s.gamePath).hash);
        QElapsedTimer t;
        t.start();
        const Report run = replaceGameFiles(selections, {}, &record);
        const double ms = t.nsecsElapsed() / 1e6;
        if (!run.ok())
            std::fprintf(stderr, "switch failed: %s\n", qPrintable(failureLines(run).join(QLatin1Char('\n'))));
        if (!alreadyKept)
            QDir(folder).removeRecursively();
        return ms;
    };
    auto timeSwitch = [&] {
        QElapsedTimer t;
        t.start();
        const Report run = replaceGameFiles(selections);
        const double ms = t.nsecsElapsed() / 1e6;
        if (!run.ok())
            std::fprintf(stderr, "switch failed: %s\n", qPrintable(failureLines(run).join(QLatin1Char('\n'))));
        return ms;
    };

    double cp = 1e12, ours = 1e12, fresh = 1e12, kept = 1e12;
    for (int round = 0; round < 3; ++round) {
        cp = std::min(cp, timeCp());
        ours = std::min(ours, timeSwitch());
        fresh = std::min(fresh, timeRecorded(false));
    }
    // Switching again what was switched before, as a user does: the originals are kept and
    // the record knows what the game files hold (the first of these fills it).
    timeRecorded(true);
    for (int round = 0; round < 3; ++round) {
        cp = std::min(cp, timeCp());
        kept = std::min(kept, timeRecorded(true));
    }
    std::printf("SWITCH of three %lld MB files:\n", static_cast<long long>(size >> 20));
    std::printf("  cp + sync of the copies (baseline): %9.1f ms\n", cp);
    std::printf("  Sonaplex SWITCH:                    %9.1f ms\n", ours);
    std::printf("  ratio (target <= 1.0):              %9.2f\n", ours / cp);
    std::printf("  SWITCH keeping originals, new:      %9.1f ms   ratio %5.2f (target <= 1.3)\n", fresh, fresh / cp);
    std::printf("  SWITCH keeping originals, kept:     %9.1f ms   ratio %5.2f (target <= 1.0)\n", kept, kept / cp);
    return 0;
}
