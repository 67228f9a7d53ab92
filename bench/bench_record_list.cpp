// The restore window's list and `sonaplex status` over a large record (by default 100,000
// replaced files in 2,000 folders, made here), against the sqlite3 shell reading the same
// rows in the same run (the baseline), and against the same rows read with a stat() of each
// game file (the least work that tells a file's state), in interleaved rounds. For the
// window: time until its list is shown, and the longest the GUI thread was held meanwhile (a
// 5 ms timer's longest gap).
//   bench_record_list [ENTRIES] [FOLDERS] [ROUNDS]
#include "app/program.h"
#include "record/replacement_record.h"
#include "ui/forms.h"
#include "figures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>

using namespace sonaplex;

namespace {

double runProcess(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAllStandardError().constData());
        return -1;
    }
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int entries = argc > 1 ? atoi(argv[1]) : 100000;
    const int folders = argc > 2 ? atoi(argv[2]) : 2000;
    const int rounds = argc > 3 ? atoi(argv[3]) : 3;
    QTemporaryDir scratch; // under $TMPDIR
    if (qEnvironmentVariableIsSet("SONAPLEX_BENCH_KEEP")) { // to profile the commands on it afterwards
        scratch.setAutoRemove(false);
        std::printf("scratch kept in %s\n", qPrintable(scratch.path()));
    }
    const QString programFolder = scratch.path() + QStringLiteral("/program");
    const QString games = scratch.path() + QStringLiteral("/games");

    // The record: one SWITCH of every file, each game file present with the content recorded,
    // its hash remembered as a SWITCH remembers it.
    QElapsedTimer made;
    made.start();
    {
        ReplacementRecord record(programFolder + QStringLiteral("/Replacements"));
        record.begin();
        const qint64 run = record.beginRun(QStringLiteral("switch"));
        for (int i = 0; i < entries; ++i) {
            const QString folder = games + QStringLiteral("/game%1/sound").arg(i % folders);
            if (i < folders)
                QDir().mkpath(folder);
            const QString path = folder + QStringLiteral("/fx%1.wav").arg(i);
            const QString after = QStringLiteral("%1").arg(i, 32, 16, QLatin1Char('a'));
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write("RIFF") != 4)
                return 1;
            f.close();
            const qint64 entry = record.intend(run, path, QStringLiteral("%1").arg(i, 32, 16, QLatin1Char('b')), after,
                QStringLiteral("/home/user/sounds/new%1.wav").arg(i));
            record.happened(entry);
            record.remember(path, after);
        }
        if (!record.end()) {
            std::fprintf(stderr, "the record could not be written\n");
            return 1;
        }
    }
    std::printf("record of %d files in %d folders made in %.1f s\n\n", entries, folders, made.nsecsElapsed() / 1e9);
    const QString database = programFolder + QStringLiteral("/Replacements/record.sqlite");
    const QString executable = QCoreApplication::applicationDirPath() + QStringLiteral("/../sonaplex");

    Figures sqlite, sqliteStat, status, window, statusRatio, windowRatio, statusStatRatio, windowStatRatio, held;
    for (int r = 0; r < rounds; ++r) {
        const double base = runProcess(QStringLiteral("sqlite3"),
            {QStringLiteral("-readonly"), database,
                QStringLiteral("SELECT game_path, before_hash, after_hash, source, at FROM entries WHERE done = 1 "
                               "ORDER BY game_path, id")});
        // The same rows, and each game file's stat: the least work that tells a file's state.
        const double baseStat = runProcess(QStringLiteral("sh"),
            {QStringLiteral("-c"),
                QStringLiteral("sqlite3 -readonly '%1' 'SELECT game_path FROM entries WHERE done = 1 ORDER BY game_path, "
                               "id' | xargs -d '\\n' stat --format=%s:%i:%Y:%Z >/dev/null")
                    .arg(database)});
        const double cli = runProcess(executable,
            {QStringLiteral("--program-folder"), programFolder, QStringLiteral("status"), games, QStringLiteral("--json")});
        // The window: from asking for it to its list shown, with a timer watching the loop.
        startProgram(programFolder);
        QCoreApplication::processEvents();
        QElapsedTimer clock, sinceTick;
        double longest = 0;
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        (void)runningProgram()->record(); // opened at start, before the window is asked for
        QCoreApplication::processEvents();
        clock.start();
        sinceTick.start();
        tick.start();
        Form& restore = runningProgram()->showModeless(QStringLiteral("FrmRestore"));
        auto* list = restore.findChild<QTreeView*>(QStringLiteral("LstReplaced"));
        while (!list || list->model()->rowCount() < folders) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
            if (clock.elapsed() > 300000) {
                std::fprintf(stderr, "the restore window did not list every folder\n");
                return 1;
            }
        }
        const double shown = clock.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents();
        longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
        tick.stop();
        runningProgram()->endProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (base <= 0 || cli <= 0 || baseStat <= 0)
            return 1;
        sqlite.add(base);
        sqliteStat.add(baseStat);
        statusStatRatio.add(cli / baseStat);
        windowStatRatio.add(shown / baseStat);
        status.add(cli);
        window.add(shown);
        statusRatio.add(cli / base);
        windowRatio.add(shown / base);
        held.add(longest);
        std::printf("round %d: sqlite3 %.0f ms, sonaplex status %.0f ms, restore window %.0f ms (GUI thread held at "
                    "most %.0f ms)\n",
            r + 1, base, cli, shown, longest);
    }
    std::printf("\nsqlite3 (baseline), ms:           %s\n", qPrintable(sqlite.text()));
    std::printf("sqlite3 + stat of each file, ms:  %s\n", qPrintable(sqliteStat.text()));
    std::printf("sonaplex status, ms:              %s\n", qPrintable(status.text()));
    std::printf("restore window list shown, ms:    %s\n", qPrintable(window.text()));
    std::printf("status / sqlite3:                 %s   (target at most 3)\n", qPrintable(statusRatio.text()));
    std::printf("restore window / sqlite3:         %s   (target at most 3)\n", qPrintable(windowRatio.text()));
    std::printf("status / (sqlite3 + stat):        %s\n", qPrintable(statusStatRatio.text()));
    std::printf("restore window / (sqlite3 + stat): %s\n", qPrintable(windowStatRatio.text()));
    std::printf("GUI thread held, longest, ms:     %s   (target at most 50)\n", qPrintable(held.text()));
    return 0;
}
