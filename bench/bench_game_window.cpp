// The Game Sounds window on a game of N sound files (20,000 by default) in mixed formats, ten to a
// folder: how soon the first rows show, how long until every row has its state against
// `find GAME -type f` with the same name tests (the baseline, run interleaved), the longest the
// window's thread is held meanwhile, and the memory per row. Then a SWITCH of M pending rows
// (2,000) against `cp` of the same files + `sync`, and how long opening a sound holds the
// window's thread as the user moves through the list with "Play on select", a 6.5 MB MIDI file
// among them.
//   bench_game_window [FILES] [SWITCHED] [ROUNDS]
#include "audio/audio_support.h"
#include "game/frm_game.h"
#include "game/game_sounds_model.h"
#include "timing.h"
#include "ui/desktop.h"
#include "ui/forms.h"
#include "app/program.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <unistd.h>

using namespace sonaplex;

namespace {

// Every question answered as a user in a hurry would: OK, convert.
class Answers : public Desktop {
public:
    MessageAnswer showMessage(const Message& m, QWidget*) override
    {
        last = m.text;
        return m.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Convert;
    }
    QString last;
};

// What the process holds in memory now, with what the heaps have free given back first (the
// rows are made on a worker thread: its heap counts too).
qint64 heapBytes()
{
    malloc_trim(0);
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// The longest gap between ticks of a 5 ms timer while `until` is false.
struct Watch {
    double longestMs = 0, firstRowsMs = -1, totalMs = 0;
};
Watch watchUntil(const std::function<bool()>& done, const std::function<bool()>& firstRows)
{
    Watch w;
    QElapsedTimer clock, sinceTick;
    clock.start();
    sinceTick.start();
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        w.longestMs = std::max(w.longestMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
        if (w.firstRowsMs < 0 && firstRows())
            w.firstRowsMs = clock.nsecsElapsed() / 1e6;
    }
    w.totalMs = clock.nsecsElapsed() / 1e6;
    return w;
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int files = argc > 1 ? atoi(argv[1]) : 20000;
    const int switched = argc > 2 ? atoi(argv[2]) : 2000;
    const int rounds = argc > 3 ? atoi(argv[3]) : 3;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-game-XXXXXX"));
    const QString game = dir.path() + QStringLiteral("/Game"), mine = dir.path() + QStringLiteral("/Mine");
    // Mixed formats, as a game keeps them: wave, Ogg Vorbis, Opus, MIDI; other files beside them.
    const std::vector<float> clip = test::referenceSignal(22050, 1, 0.2);
    if (!test::writeWave(dir.path() + QStringLiteral("/clip.wav"), clip, 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16)
        || !test::writeWave(dir.path() + QStringLiteral("/clip.ogg"), clip, 22050, 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS)
        || !test::writeWave(dir.path() + QStringLiteral("/clip.opus"), test::referenceSignal(48000, 1, 0.2), 48000, 1,
            SF_FORMAT_OGG | SF_FORMAT_OPUS)) {
        std::fprintf(stderr, "cannot write the sample sounds\n");
        return 1;
    }
    auto bytesOf = [&](const QString& name) {
        QFile f(dir.path() + QLatin1Char('/') + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray wave = bytesOf(QStringLiteral("clip.wav")), ogg = bytesOf(QStringLiteral("clip.ogg")),
                     opus = bytesOf(QStringLiteral("clip.opus")),
                     midi = test::MidiBuilder().track().note(0, 480, 0, 60).bytes();
    const char* const suffixes[] = {"wav", "ogg", "opus", "mid"};
    const QByteArray* contents[] = {&wave, &ogg, &opus, &midi};
    for (int n = 0; n < files; ++n) {
        const QString folder = game + QStringLiteral("/area%1/set%2").arg(n / 100).arg(n / 10);
        if (n % 10 == 0 && !QDir().mkpath(folder))
            return 1;
        const int kind = n < switched ? 0 : n % 4; // the files to switch are wave files
        if (!writeBytes(folder + QStringLiteral("/sound%1.%2").arg(n).arg(QLatin1String(suffixes[kind])), *contents[kind]))
            return 1;
        if (n % 10 == 0 && !writeBytes(folder + QStringLiteral("/readme.txt"), "not a sound"))
            return 1;
    }
    // A long MIDI song: 6.5 MB of notes.
    test::MidiBuilder song(1);
    song.track();
    for (uint32_t i = 0; i < 800'000; ++i)
        song.note(i * 10, i * 10 + 5, int(i % 9), 40 + int(i % 40));
    const QString bigMidi = game + QStringLiteral("/area0/set0/long.mid");
    if (!writeBytes(bigMidi, song.bytes()))
        return 1;
    std::printf("A game of %d sound files (+1 MIDI file of %.1f MB) in %d folders\n", files,
        QFileInfo(bigMidi).size() / 1e6, (files + 9) / 10);

    const QString empty = dir.path() + QStringLiteral("/empty");
    QDir().mkpath(empty);
    QTemporaryDir programFolder;
    Answers answers;
    startProgram(programFolder.path());
    Forms& forms = *runningProgram();
    auto& window = forms.load<FrmGame>();
    forms.showModeless(window);
    auto* list = window.findChild<QTreeView*>(QStringLiteral("LstGameSounds"));

    const QString findArgs = QStringLiteral("%1 -type f ( -iname *.wav -o -iname *.mid -o -iname *.midi -o -iname *.ogg "
                                            "-o -iname *.oga -o -iname *.opus -o -iname *.flac -o -iname *.mp3 -o -iname "
                                            "*.it -o -iname *.s3m -o -iname *.xm -o -iname *.mod )")
                                 .arg(game);
    std::printf("\nListing (first rows / every row with its state / find; longest hold; memory):\n");
    for (int round = 1; round <= rounds; ++round) {
        const double findMs = msOf([&] { run(QStringLiteral("find"), findArgs.split(QLatin1Char(' '))); });
        window.showGame(empty); // another folder first: the game is chosen afresh
        watchUntil([&] { return window.isListed(); }, [] { return true; });
        const qint64 before = heapBytes();
        window.showGame(game);
        const Watch w = watchUntil([&] { return window.isListed(); }, [&] { return list->model()->rowCount() > 0; });
        const qint64 after = heapBytes();
        const int rows = window.model()->rowCount();
        std::printf("  round %d: first rows %.1f ms; all %d rows with states %.1f ms; find %.1f ms (ratio %.2f); "
                    "window held at most %.1f ms; %.0f bytes per row\n",
            round, w.firstRowsMs, rows, w.totalMs, findMs, w.totalMs / findMs, w.longestMs,
            double(after - before) / std::max(1, rows));
    }
    // The formats, read in the helper while the list is used.
    window.showGame(empty);
    watchUntil([&] { return window.isRead(); }, [] { return true; });
    const qint64 empty0 = heapBytes();
    window.showGame(game);
    const Watch formats = watchUntil([&] { return window.isRead(); }, [] { return true; });
    std::printf("  listed and every file's format read in the helper: %.1f s; window held at most %.1f ms; %.0f bytes "
                "per row\n",
        formats.totalMs / 1e3, formats.longestMs, double(heapBytes() - empty0) / std::max(1, window.model()->rowCount()));

    // Play on select: each row opened as the list moves onto it.
    std::printf("\nOpening a sound as the list moves onto it (window's thread held):\n");
    auto* autoPlay = window.findChild<QWidget*>(QStringLiteral("ChkAutoPlay"));
    QMetaObject::invokeMethod(autoPlay, "setChecked", Q_ARG(bool, true));
    std::vector<double> opens;
    QAbstractItemModel* shown = list->model();
    for (int row = 0; row < 40; ++row) {
        opens.push_back(msOf([&] { list->setCurrentIndex(shown->index(row * 37 % shown->rowCount(), 0)); }));
        QTest::qWait(20);
    }
    std::sort(opens.begin(), opens.end());
    std::printf("  40 sounds of every kind: median %.2f ms, max %.2f ms\n", opens[opens.size() / 2], opens.back());
    const int bigRow = window.model()->rowOf(QStringLiteral("area0/set0/long.mid"));
    std::vector<double> bigOpens;
    for (int i = 0; i < 7; ++i) {
        list->setCurrentIndex(shown->index(1, 0));
        QTest::qWait(50);
        bigOpens.push_back(msOf([&] {
            list->setCurrentIndex(qobject_cast<QSortFilterProxyModel*>(shown)->mapFromSource(window.model()->index(bigRow, 0)));
        }));
        QTest::qWait(300);
    }
    std::sort(bigOpens.begin(), bigOpens.end());
    std::printf("  the 6.5 MB MIDI file, 7 times: median %.2f ms, max %.2f ms\n", bigOpens[3], bigOpens.back());
    QMetaObject::invokeMethod(autoPlay, "setChecked", Q_ARG(bool, false));

    // SWITCH of the pending rows against cp + sync of the same files.
    std::printf("\nSWITCH of %d pending rows against cp + sync:\n", switched);
    QDir().mkpath(mine);
    std::vector<float> other = test::referenceSignal(22050, 1, 0.3);
    const QString replacement = mine + QStringLiteral("/mine.wav");
    test::writeWave(replacement, other, 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    QStringList pendingNames;
    for (int n = 0; n < switched; ++n)
        pendingNames << QStringLiteral("area%1/set%2/sound%3.wav").arg(n / 100).arg(n / 10).arg(n);
    for (int round = 1; round <= rounds; ++round) {
        const QString copies = dir.path() + QStringLiteral("/copies%1").arg(round);
        QDir().mkpath(copies);
        QStringList cpArgs;
        for (int n = 0; n < switched; ++n) {
            const QString each = copies + QStringLiteral("/%1.wav").arg(n);
            QFile::copy(replacement, each);
            cpArgs << each;
        }
        const QString target = dir.path() + QStringLiteral("/target%1").arg(round);
        QDir().mkpath(target);
        const double cpMs = msOf([&] {
            run(QStringLiteral("cp"), cpArgs + QStringList{target});
            run(QStringLiteral("sync"), {});
        });
        for (int n = 0; n < switched; ++n)
            window.chooseReplacement(pendingNames[int(n)], cpArgs[n]);
        // What they are is read as they are chosen; the user listens before pressing SWITCH.
        auto allRead = [&] {
            for (const QString& name : pendingNames)
                if (!window.model()->at(window.model()->rowOf(name)).pendingInfo)
                    return false;
            return true;
        };
        for (int waited = 0; !allRead() && waited < 60000; waited += 20)
            QTest::qWait(20);
        const double switchMs = msOf([&] { window.CmdSwitchGame_Click(); });
        std::printf("  round %d: SWITCH %.0f ms, cp + sync %.0f ms, ratio %.2f (%s)\n", round, switchMs, cpMs,
            switchMs / cpMs, qPrintable(answers.last.section(QLatin1Char('.'), 0, 0)));
        window.CmdUndoGame_Click();
    }
    forms.endProgram();
    return 0;
}
