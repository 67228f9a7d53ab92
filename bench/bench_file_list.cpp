// Fills a file list from a folder of 100,000 files (half of them music files, in mixed letter
// case) and compares the time with `find DIR -maxdepth 1 -iname '*.mid'` in the same run.
// Also measures the longest time the window's event loop was held up meanwhile. Then the same
// for "Sounds of this game": every sound file of a game's folder tree, against find.
#include "audio/audio_host.h"
#include "base/content_hash.h"
#include "ui/browser_pane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace sonaplex;

namespace {
// Shows `list`, runs `start` and waits until the listing is finished: its time in ms, and in
// `worstStall` the longest the event loop was held meanwhile (a 5 ms timer's longest gap).
double timeListing(FileList& list, qint64* worstStall, const std::function<void()>& start)
{
    list.show();
    QElapsedTimer sinceTick;
    qint64 worst = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, sinceTick.elapsed());
        sinceTick.restart();
    });
    QEventLoop loop;
    QObject::connect(&list, &FileList::listingFinished, &loop, &QEventLoop::quit);
    QElapsedTimer t;
    t.start();
    sinceTick.start();
    tick.start();
    start();
    if (list.isListing())
        loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    *worstStall = std::max(worst, sinceTick.elapsed());
    return ms;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    for (int i = 0; i < count; ++i) {
        const char* ext = i % 2 ? ".txt" : (i % 4 ? ".MID" : ".mid");
        QFile f(dir.path() + QStringLiteral("/track%1%2").arg(i, 6, 10, QLatin1Char('0')).arg(QLatin1String(ext)));
        f.open(QIODevice::WriteOnly);
    }

    auto timeFind = [&] {
        QElapsedTimer t;
        t.start();
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"),
            {dir.path(), QStringLiteral("-maxdepth"), QStringLiteral("1"), QStringLiteral("-iname"),
                QStringLiteral("*.mid")});
        find.waitForFinished(-1);
        return t.nsecsElapsed() / 1e6;
    };

    // A record that knows some of the folder's files, as after SWITCHes: the lists mark them.
    // NOMARK=1 in the environment lists without it, for comparison.
    QTemporaryDir recordFolder;
    auto shared = std::make_shared<ReplacementRecord>(recordFolder.path());
    ReplacementRecord& record = *shared;
    const std::weak_ptr<ReplacementRecord> marking
        = qEnvironmentVariableIsSet("NOMARK") ? std::weak_ptr<ReplacementRecord>() : shared;
    const qint64 run = record.beginRun(QStringLiteral("switch"));
    for (int i = 0; i < 50; ++i) {
        const int n = (i * 997 % (count / 4)) * 4; // a ".mid" one
        const QString game = dir.path() + QStringLiteral("/track%1.mid").arg(n, 6, 10, QLatin1Char('0'));
        record.happened(
            record.intend(run, game, QStringLiteral("aa"), contentHash(game).hash, QStringLiteral("/x.mid")));
    }

    // Fills either a bare file list or a whole pane (whose folder list reads the folder too).
    int marked = 0;
    auto timeList = [&](qint64* worstStall, int* listed, bool wholePane) {
        PaneSetup setup{"Drv", "Dir", "Fle", "Lbl", "Player", {}, {}, {}, QStringLiteral("*.Mid"), audio::DeviceKind::Sequencer};
        setup.record = marking;
        BrowserPane pane(setup, std::make_shared<audio::AudioHost>());
        FileList bare(QStringLiteral("*.Mid"));
        bare.markFrom(marking);
        FileList& list = wholePane ? *pane.files() : bare;
        const double ms = timeListing(list, worstStall, [&] {
            if (wholePane)
                pane.folders()->setPath(dir.path());
            else
                list.setPath(dir.path());
        });
        *listed = list.listCount();
        QTest::qWait(100); // the marks arrive from their worker
        marked = int(static_cast<FileNameModel*>(list.model())->marks().size());
        return ms;
    };

    // Warm the folder cache once, then take the best of three of each.
    timeFind();
    double find = 1e9, ours = 1e9;
    qint64 stall = 0, paneStall = 0;
    int listed = 0, paneListed = 0;
    for (int round = 0; round < 3; ++round) {
        find = std::min(find, timeFind());
        qint64 s = 0;
        ours = std::min(ours, timeList(&s, &listed, false));
        stall = std::max(stall, s);
        timeList(&s, &paneListed, true);
        paneStall = std::max(paneStall, s);
    }
    std::printf("file list, %d files (%d listed, %d marked as replaced):\n", count, listed, marked);
    std::printf("  find -maxdepth 1 -iname '*.mid' (baseline): %8.1f ms\n", find);
    std::printf("  Sonaplex file list filled:                  %8.1f ms\n", ours);
    std::printf("  ratio (target <= 2.0):                      %8.2f\n", ours / find);
    std::printf("  longest event-loop stall (target <= 50 ms): %8lld ms\n", static_cast<long long>(stall));
    std::printf("  the same when a whole pane opens the folder: %7lld ms\n", static_cast<long long>(paneStall));

    // "Sounds of this game": a game of `count` sound files in 1,000 folders three deep (and as
    // many other files), listed whole, against `find GAME -iname '*.wav'`.
    QTemporaryDir game;
    for (int i = 0; i < count; ++i) {
        const QString folder = game.path() + QStringLiteral("/data%1/sound%2/set%3").arg(i % 10).arg(i % 100).arg(i % 1000);
        if (i < 1000)
            QDir().mkpath(folder);
        for (const char* ext : {".wav", ".dat"}) {
            QFile f(folder + QStringLiteral("/fx%1%2").arg(i).arg(QLatin1String(ext)));
            f.open(QIODevice::WriteOnly);
        }
    }
    auto timeGameFind = [&] {
        QElapsedTimer t;
        t.start();
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"), {game.path(), QStringLiteral("-iname"), QStringLiteral("*.wav")});
        find.waitForFinished(-1);
        return t.nsecsElapsed() / 1e6;
    };
    auto timeGame = [&](qint64* worstStall, int* gameListed) {
        FileList list(QStringLiteral("*.Wav"));
        list.markFrom(marking);
        list.setWholeFolder(true);
        const double ms = timeListing(list, worstStall, [&] { list.setPath(game.path()); });
        *gameListed = list.listCount();
        return ms;
    };
    timeGameFind();
    std::vector<double> ratios;
    double gameFind = 1e9, gameOurs = 1e9;
    qint64 gameStall = 0;
    int gameListed = 0;
    for (int round = 0; round < 3; ++round) {
        const double f = timeGameFind();
        qint64 st = 0;
        const double o = timeGame(&st, &gameListed);
        gameFind = std::min(gameFind, f);
        gameOurs = std::min(gameOurs, o);
        gameStall = std::max(gameStall, st);
        ratios.push_back(o / f);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("\"Sounds of this game\", %d sound files in 1,000 folders (%d listed):\n", count, gameListed);
    std::printf("  find GAME -iname '*.wav' (baseline):        %8.1f ms\n", gameFind);
    std::printf("  Sonaplex file list filled:                  %8.1f ms\n", gameOurs);
    std::printf("  ratio min %.2f median %.2f max %.2f (target <= 1.5)\n", ratios.front(), ratios[ratios.size() / 2],
        ratios.back());
    std::printf("  longest event-loop stall (target <= 50 ms): %8lld ms\n", static_cast<long long>(gameStall));
    return listed == count / 2 && paneListed == listed && gameListed == count ? 0 : 1;
}
