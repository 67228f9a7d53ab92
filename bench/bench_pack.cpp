// Applying a sound pack of many wave files (by default 5,000 of 10-200 KB) to a game folder
// through the Packs window, and taking it off, against `cp -r` of the same files followed by
// `sync`, in interleaved rounds of the same run. Applying is timed from opening the pack
// (read, checked against the game) to the run's end, originals kept and the record written;
// taking off from the button to its end. The longest the GUI thread was held meanwhile is a
// 5 ms timer's longest gap. Also the bytes this process had written to disk by the end of
// applying (opening included), against the sounds' size, and its peak memory. Scratch files go
// under $TMPDIR.
//   bench_pack [FILES] [ROUNDS]
#include "app/program.h"
#include "readers/sound_pack.h"
#include "packs/frm_packs.h"
#include "ui/desktop.h"
#include "ui/forms.h"
#include "figures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <random>

using namespace sonaplex;

namespace {

// A PCM wave file of random samples: nothing compresses, every file differs.
bool writeWave(const QString& path, qint64 bytes, std::mt19937_64& random)
{
    const quint32 data = quint32(bytes - 44) & ~1u;
    QByteArray f(44 + int(data), '\0');
    auto put32 = [&](int at, quint32 v) { std::memcpy(f.data() + at, &v, 4); };
    auto put16 = [&](int at, quint16 v) { std::memcpy(f.data() + at, &v, 2); };
    std::memcpy(f.data(), "RIFF", 4);
    put32(4, 36 + data);
    std::memcpy(f.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 22050);
    put32(28, 44100);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(f.data() + 36, "data", 4);
    put32(40, data);
    for (int i = 44; i + 8 <= f.size(); i += 8) {
        const quint64 r = random();
        std::memcpy(f.data() + i, &r, 8);
    }
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(f) == f.size();
}

double runShell(const QString& command)
{
    QElapsedTimer t;
    t.start();
    if (QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command}) != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}

// A line of /proc/self/FILE ("write_bytes: N", "VmHWM: N kB"), as a number.
qint64 procValue(const char* file, const QByteArray& key)
{
    QFile f(QStringLiteral("/proc/self/") + QLatin1String(file));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').front().toLongLong();
    return -1;
}

// Every message box is answered at once (the bench measures the work, not a reader).
class Answered : public Desktop {
public:
    MessageAnswer showMessage(const Message& message, QWidget*) override
    {
        last = message.text;
        return MessageAnswer::Ok;
    }
    QString last;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-pack-XXXXXX"));
    const QString game = dir.path() + QStringLiteral("/Game"), sounds = dir.path() + QStringLiteral("/sounds");
    std::mt19937_64 random(11);
    std::uniform_int_distribution<qint64> size(10 << 10, 200 << 10);
    PackManifest manifest;
    manifest.name = QStringLiteral("bench");
    std::vector<QString> soundFiles;
    qint64 total = 0;
    for (int i = 0; i < files; ++i) {
        const QString folder = QStringLiteral("/sfx%1").arg(i / 500);
        const QString name = QStringLiteral("%1/s%2.wav").arg(folder).arg(i);
        QDir().mkpath(game + folder);
        QDir().mkpath(sounds + folder);
        const qint64 bytes = size(random);
        if (!writeWave(game + name, size(random), random) || !writeWave(sounds + name, bytes, random))
            return 1;
        total += bytes;
        manifest.entries.push_back({name.mid(1), {}, {}, {}});
        soundFiles.push_back(sounds + name);
    }
    const QString pack = dir.path() + QStringLiteral("/bench.sonaplexpack");
    if (const FileResult written = writePack(pack, manifest, soundFiles); !written) {
        std::fprintf(stderr, "%s\n", qPrintable(written.error));
        return 1;
    }
    QProcess::execute(QStringLiteral("sync"), {});
    std::printf("%d wave files, %.0f MB, in a pack of %.0f MB\n\n", files, total / 1e6, QFileInfo(pack).size() / 1e6);

    const QString programFolder = dir.path() + QStringLiteral("/program");
    QDir().mkpath(programFolder);
    Answered answers;
    Figures cp, applied, removed, applyRatio, removeRatio, held, writtenRatio;
    const qint64 peakBefore = procValue("status", "VmHWM");
    for (int r = 0; r < rounds; ++r) {
        const double base = runShell(QStringLiteral("cp -r '%1' '%2/copy' && sync").arg(sounds, dir.path()));
        QDir(dir.path() + QStringLiteral("/copy")).removeRecursively();
        startProgram(programFolder);
        QCoreApplication::processEvents();
        (void)runningProgram()->record();
        auto& window = static_cast<FrmPacks&>(runningProgram()->showModeless(QStringLiteral("FrmPacks")));
        QCoreApplication::processEvents();
        double longest = 0;
        QElapsedTimer sinceTick, clock;
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        sinceTick.start();
        tick.start();
        // The longest hold of each step, to tell which one holds the window.
        auto step = [&](const char* name, const std::function<void()>& work) {
            const double before = longest;
            longest = 0;
            work();
            QCoreApplication::processEvents();
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
            std::printf("  %-12s GUI thread held at most %.0f ms\n", name, longest);
            longest = std::max(longest, before);
        };
        step("show game", [&] { window.showGame(game); });
        clock.start();
        const qint64 writtenBefore = procValue("io", "write_bytes");
        step("open pack", [&] { window.openPack(pack); });
        step("apply", [&] { window.CmdApplyPack_Click(); });
        const double apply = clock.nsecsElapsed() / 1e6;
        writtenRatio.add(double(procValue("io", "write_bytes") - writtenBefore) / double(total));
        if (!answers.last.startsWith(QStringLiteral("%1 game file(s) were replaced").arg(files))) {
            std::fprintf(stderr, "the pack was not applied: %s\n", qPrintable(answers.last));
            return 1;
        }
        clock.restart();
        step("take off", [&] { window.CmdRemovePack_Click(); });
        const double remove = clock.nsecsElapsed() / 1e6;
        if (!answers.last.startsWith(QStringLiteral("%1 game file(s) were put back").arg(files))) {
            std::fprintf(stderr, "the pack was not taken off: %s\n", qPrintable(answers.last));
            return 1;
        }
        QCoreApplication::processEvents();
        longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
        tick.stop();
        runningProgram()->endProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (base <= 0)
            return 1;
        cp.add(base);
        applied.add(apply);
        removed.add(remove);
        applyRatio.add(apply / base);
        removeRatio.add(remove / base);
        held.add(longest);
        std::printf("round %d: cp -r + sync %.0f ms, apply %.0f ms, take off %.0f ms (GUI thread held at most %.0f ms)\n",
            r + 1, base, apply, remove, longest);
    }
    std::printf("\ncp -r + sync (baseline), ms:  %s\n", qPrintable(cp.text()));
    std::printf("apply the pack, ms:            %s\n", qPrintable(applied.text()));
    std::printf("take it off, ms:               %s\n", qPrintable(removed.text()));
    std::printf("apply / baseline:              %s   (target at most 1.5)\n", qPrintable(applyRatio.text()));
    std::printf("bytes written / sounds' size:  %s   (target at most 1.1)\n", qPrintable(writtenRatio.text()));
    std::printf("peak memory, MB:               %.0f before the rounds, %.0f after   (target: apply under 64 more)\n",
        peakBefore / 1024.0, procValue("status", "VmHWM") / 1024.0);
    std::printf("take off / baseline:           %s   (target at most 1.2)\n", qPrintable(removeRatio.text()));
    std::printf("GUI thread held, longest, ms:  %s   (target at most 50)\n", qPrintable(held.text()));
    return 0;
}
