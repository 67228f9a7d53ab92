// What a user feels first, each against its reference in the same run, in interleaved pairs:
//   play pressed to first sound at the sound server   against `paplay` of the same file
//     (the program's first play of a run, in a fresh process, and its second)
//   memory 0.5 s after the first window, nothing played  against a minimal Qt window
//   the window's thread held when a file is clicked right after a large MIDI file (target 5 ms)
//   exits while playing: how many of N runs end in an abort (target none)
// Usage: bench_first_sound [rounds, 15] [exits, 200]   (run under scripts/with-audio-server)
#include "audio/audio_host.h"
#include "audio/audio_support.h"
#include "audio/player.h"
#include "figures.h"
#include "monotonic.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <mutex>
#include <cstdio>
#include <thread>

using namespace sonaplex;

namespace {

// Listens to the null sink through parec and notes when each sound begins (sound after at
// least 50 ms of silence), on the monotonic clock.
class SoundWatch {
public:
    SoundWatch()
    {
        parec_.start(QStringLiteral("parec"),
            {QStringLiteral("--raw"), QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                QStringLiteral("--rate=48000"), QStringLiteral("--latency-msec=1"), QStringLiteral("-d"),
                qEnvironmentVariable("SONAPLEX_TEST_SINK") + QStringLiteral(".monitor")});
        parec_.waitForStarted();
        reader_ = std::thread([this] {
            // Nothing sounds before the watch begins; the sink's monitor may send nothing at all
            // until the first sound wakes the sink, and that sound is an onset too.
            long long quietSince = 48 * 50;
            while (!stop_) {
                if (!parec_.waitForReadyRead(20))
                    continue;
                const long long now = monotonicNs();
                const QByteArray data = parec_.readAll();
                const auto* s = reinterpret_cast<const int16_t*>(data.constData());
                for (qsizetype i = 0; i < data.size() / 2; ++i) {
                    const bool loud = std::abs(s[i]) > 300;
                    if (loud && quietSince >= 48 * 50) {
                        std::lock_guard lock(guard_);
                        onsets_.push_back(now);
                    }
                    quietSince = loud ? 0 : quietSince + 1;
                }
            }
        });
        QThread::msleep(300);
    }
    ~SoundWatch()
    {
        stop_ = true;
        reader_.join();
        parec_.kill();
        parec_.waitForFinished();
    }
    // When the first sound after `since` began, or -1 after two seconds without one.
    long long onsetAfter(long long since)
    {
        for (int i = 0; i < 400; ++i) {
            {
                std::lock_guard lock(guard_);
                for (long long t : onsets_)
                    if (t >= since)
                        return t;
            }
            QThread::msleep(5);
        }
        return -1;
    }

private:
    QProcess parec_;
    std::thread reader_;
    std::atomic<bool> stop_{false};
    std::mutex guard_;
    std::vector<long long> onsets_;
};

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

void row(const char* what, const Figures& reference, const Figures& ours, const Figures& ratio, const char* target)
{
    std::printf("%s\n  reference  %s\n  Sonaplex   %s\n  ratio      %s   (target %s)\n", what,
        qPrintable(reference.text()), qPrintable(ours.text()), qPrintable(ratio.text()), target);
}

// Runs a program to its end and returns its standard output; exit status in *status.
QByteArray runToEnd(const QString& program, const QStringList& args, const QProcessEnvironment& env, int* status = nullptr)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(30'000);
    if (status)
        *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : 128 + 6;
    return p.readAllStandardOutput();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int exits = argc > 2 ? std::max(0, std::atoi(argv[2])) : 200;
    if (qEnvironmentVariableIsEmpty("SONAPLEX_TEST_SINK")) {
        std::fprintf(stderr, "bench_first_sound: run under scripts/with-audio-server\n");
        return 1;
    }
    const QString here = QCoreApplication::applicationDirPath();
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-first-sound-XXXXXX")); // never the source tree
    const QString clickWav = dir.filePath(QStringLiteral("click.wav"));
    test::writeWave(clickWav, std::vector<float>(4410, 0.8f), 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    const QString clickOgg = dir.filePath(QStringLiteral("click.ogg")); // the same, as Ogg Vorbis
    test::writeWave(clickOgg, std::vector<float>(4410, 0.8f), 44100, 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    std::printf("Figures are min, median and max of %d interleaved rounds.\n\n", rounds);

    // Play to first sound, of a wave file and of an Ogg Vorbis file.
    for (const QString& click : {clickWav, clickOgg}) {
        SoundWatch watch;
        // A fresh sound server takes over a second to sound the first time; that is no one's
        // play, so one sound plays before the rounds.
        runToEnd(QStringLiteral("paplay"), {click}, env);
        QThread::msleep(150);
        Figures paplay, first, second, ratio;
        for (int i = 0; i < rounds; ++i) {
            const long long start = monotonicNs();
            QProcess p;
            p.start(QStringLiteral("paplay"), {click});
            const long long heard = watch.onsetAfter(start);
            p.waitForFinished();
            QThread::msleep(150);
            QProcess ours;
            ours.setProcessEnvironment(env);
            ours.start(here + QStringLiteral("/first_play"), {click, QStringLiteral("500")});
            ours.waitForStarted();
            long long plays[2] = {-1, -1}, heardOurs[2] = {-1, -1};
            for (int n = 0; n < 2; ++n) {
                while (ours.state() == QProcess::Running && !ours.canReadLine())
                    ours.waitForReadyRead(50);
                std::sscanf(ours.readLine().constData(), "play-at %lld", &plays[n]);
                heardOurs[n] = plays[n] < 0 ? -1 : watch.onsetAfter(plays[n]);
            }
            ours.waitForFinished();
            if (heard < 0 || plays[0] < 0 || heardOurs[0] < 0 || plays[1] < 0 || heardOurs[1] < 0) {
                std::fprintf(stderr, "round %d: not heard: paplay %lld, plays %lld %lld, ours %lld %lld\n", i,
                    heard, plays[0], plays[1], heardOurs[0], heardOurs[1]);
                continue;
            }
            paplay.add((heard - start) / 1e6);
            first.add((heardOurs[0] - plays[0]) / 1e6);
            second.add((heardOurs[1] - plays[1]) / 1e6);
            ratio.add((heardOurs[0] - plays[0]) / double(heard - start));
            QThread::msleep(150);
        }
        row(qPrintable(QStringLiteral("Play pressed to first sound at the sound server, %1, ms (reference: paplay; "
                                      "Sonaplex: the first play of a fresh process)")
                           .arg(QFileInfo(click).fileName())),
            paplay, first, ratio, "within 10 ms of paplay");
        Figures difference;
        for (size_t i = 0; i < first.values.size(); ++i)
            difference.add(first.values[i] - paplay.values[i]);
        std::printf("  difference %s ms\n  second play of the same run: %s ms\n\n", qPrintable(difference.text()),
            qPrintable(second.text()));
    }

    // Memory once the first window has been up for half a second.
    {
        QProcessEnvironment report = env;
        report.insert(QStringLiteral("SONAPLEX_REPORT_FIRST_PAINT"), QStringLiteral("1"));
        report.insert(QStringLiteral("SONAPLEX_REPORT_MEMORY_AFTER_MS"), QStringLiteral("500"));
        auto later = [&](const QString& program) {
            long long kb = -1;
            const QByteArray out = runToEnd(program, {}, report);
            for (const QByteArray& line : out.split('\n'))
                std::sscanf(line.constData(), "later resident-kb %lld", &kb);
            return kb / 1024.0;
        };
        later(here + QStringLiteral("/minimal_window")); // the disk cache warmed, the folders made
        later(here + QStringLiteral("/../sonaplex"));
        Figures minimal, ours, ratio;
        for (int i = 0; i < rounds; ++i) {
            const double a = later(here + QStringLiteral("/minimal_window")), b = later(here + QStringLiteral("/../sonaplex"));
            if (a <= 0 || b <= 0)
                continue;
            minimal.add(a);
            ours.add(b);
            ratio.add(b / a);
        }
        row("Memory 0.5 s after the first window, nothing played, MB (reference: a minimal Qt window)", minimal, ours,
            ratio, "1.5");
        std::printf("\n");
    }

    // The window's thread when a file is clicked right after a large MIDI file.
    {
        const QString big = dir.filePath(QStringLiteral("big.mid"));
        writeBytes(big, test::manyNotes(16, 40000, 96, 90));
        auto host = std::make_shared<audio::AudioHost>();
        audio::Player player(host);
        Figures openBig, clickAfter;
        for (int i = 0; i < rounds; ++i) {
            QElapsedTimer t;
            t.start();
            player.open(audio::DeviceKind::Sequencer, big);
            openBig.add(t.nsecsElapsed() / 1e6);
            t.restart();
            player.open(audio::DeviceKind::WaveAudio, clickWav);
            clickAfter.add(t.nsecsElapsed() / 1e6);
            QThread::msleep(300);
        }
        std::printf("The window's thread held by a click, ms, %.1f MB MIDI file\n  opening it  %s\n  the next "
                    "click right after  %s   (target under 5 ms)\n\n",
            QFileInfo(big).size() / 1048576.0, qPrintable(openBig.text()), qPrintable(clickAfter.text()));
    }

    // Exits while playing.
    if (exits > 0) {
        const QString music = dir.filePath(QStringLiteral("tune.mid"));
        test::MidiBuilder song;
        song.track().program(0, 0, 48);
        for (int n = 0; n < 8; ++n)
            song.note(uint32_t(n * 240), uint32_t(n * 240 + 200), 0, 60 + n);
        writeBytes(music, song.bytes());
        int aborted = 0, failed = 0;
        for (int i = 0; i < exits; ++i) {
            int status = 0;
            runToEnd(here + QStringLiteral("/../tests/play_and_exit"),
                {i % 2 ? music : clickWav, QString::number(50 + i % 5 * 40)}, env,
                &status);
            aborted += status >= 128;
            failed += status != 0 && status < 128;
        }
        std::printf("Exits while playing: %d of %d aborted, %d failed otherwise (target none)\n", aborted, exits, failed);
    }
    return 0;
}
