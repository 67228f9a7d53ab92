// Sound really comes out: the player widget plays into a PulseAudio null sink and the
// sink's monitor, recorded with parec, holds the file's own samples.
#include "audio/audio_host.h"
#include "audio/audio_support.h"
#include "audio/midi_source.h"
#include "support.h"
#include "ui/sample_player.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {
// Records the null sink's monitor as raw mono floats.
class Recorder {
public:
    explicit Recorder(int rate)
    {
        const QString sink = qEnvironmentVariable("SONAPLEX_TEST_SINK");
        process.start("parec",
            {"-d", sink + ".monitor", "--raw", "--format=float32le", "--channels=1", "--rate=" + QString::number(rate),
                "--latency-msec=20"});
        process.waitForStarted();
        QTest::qWait(400); // the stream is connected and running
    }
    std::vector<float> stop()
    {
        QTest::qWait(500); // what is still on its way through the server
        process.terminate();
        process.waitForFinished();
        const QByteArray raw = process.readAllStandardOutput();
        std::vector<float> samples(size_t(raw.size()) / sizeof(float));
        memcpy(samples.data(), raw.constData(), samples.size() * sizeof(float));
        return samples;
    }
    QProcess process;
};

double correlation(const float* x, const float* y, size_t n)
{
    double xy = 0, xx = 0, yy = 0;
    for (size_t i = 0; i < n; ++i) {
        xy += double(x[i]) * y[i];
        xx += double(x[i]) * x[i];
        yy += double(y[i]) * y[i];
    }
    return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
}

// How well the recording holds the reference: a stretch of the recording is located in the
// reference, then the two are compared over all they share, which must be most of the file.
double heardCorrelation(const std::vector<float>& reference, const std::vector<float>& recording)
{
    constexpr size_t kProbe = 2000;
    size_t onset = 0;
    while (onset < recording.size() && std::abs(recording[onset]) < 0.02f)
        ++onset;
    if (onset + kProbe > recording.size() || reference.size() < kProbe)
        return 0;
    double best = -1;
    size_t at = 0;
    for (size_t o = 0; o + kProbe <= reference.size(); ++o) {
        const double c = correlation(recording.data() + onset, reference.data() + o, kProbe);
        if (c > best)
            best = c, at = o;
    }
    // The recording may miss the first moments (the server wakes the sink), not more.
    if (at > reference.size() / 10)
        return 0;
    const size_t n = std::min(reference.size() - at, recording.size() - onset);
    if (n < reference.size() * 8 / 10)
        return 0;
    return correlation(reference.data() + at, recording.data() + onset, n);
}
} // namespace

class TestPlayback : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    void play(SamplePlayer& player, const QString& type, const QString& path)
    {
        player.setDeviceType(type);
        player.setFileName(path);
        player.setCommand("Open");
        QCOMPARE(player.mode(), QStringLiteral("stopped"));
        player.findChild<QToolButton*>("PlayButton")->click();
        QVERIFY2(player.mode() == QStringLiteral("playing"), qPrintable(player.problem()));
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("SONAPLEX_TEST_SINK"))
            QSKIP("needs the null-sink audio server: run under scripts/with-audio-server (make test does)");
    }

    void waveFileIsHeardAsWritten()
    {
        const auto reference = referenceSignal(48000, 1, 1.0);
        QVERIFY(writeWave(dir.path() + "/effect.wav", reference, 48000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        SamplePlayer player(std::make_shared<audio::AudioHost>());
        Recorder recorder(48000);
        play(player, "WaveAudio", dir.path() + "/effect.wav");
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), QStringLiteral("stopped"), 5000); // played to its end
        const auto recording = recorder.stop();
        const double c = heardCorrelation(reference, recording);
        QVERIFY2(c > 0.95, qPrintable(QStringLiteral("correlation %1 over %2 samples").arg(c).arg(recording.size())));
    }

    // Ogg Vorbis and Opus files are heard as their decoders give them (the decoded file, not
    // the signal written: Vorbis is lossy).
    void oggAndOpusFilesAreHeardAsDecoded()
    {
        QVERIFY(writeWave(dir.path() + "/music.ogg", referenceSignal(48000, 1, 1.0), 48000, 1, SF_FORMAT_OGG | SF_FORMAT_VORBIS));
        QVERIFY(writeWave(dir.path() + "/voice.opus", referenceSignal(48000, 1, 1.0), 48000, 1, SF_FORMAT_OGG | SF_FORMAT_OPUS));
        for (const char* name : {"music.ogg", "voice.opus"}) {
            const QString path = dir.path() + "/" + name;
            SF_INFO info{};
            SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
            QVERIFY(f);
            std::vector<float> decoded(size_t(info.frames));
            sf_readf_float(f, decoded.data(), info.frames);
            sf_close(f);
            SamplePlayer player(std::make_shared<audio::AudioHost>());
            Recorder recorder(48000);
            play(player, "WaveAudio", path);
            QTRY_COMPARE_WITH_TIMEOUT(player.mode(), QStringLiteral("stopped"), 5000);
            const double c = heardCorrelation(decoded, recorder.stop());
            QVERIFY2(c > 0.95, qPrintable(QStringLiteral("%1: correlation %2").arg(name).arg(c)));
        }
    }

    void midiFileIsHeardAsRendered()
    {
        const QByteArray smf = MidiBuilder().track().program(0, 0, 0).note(0, 480, 0, 60).note(480, 960, 0, 64).bytes();
        QVERIFY(writeFile(dir.path() + "/tune.mid", smf));
        auto source = audio::MidiSynth(audio::defaultSoundFontCandidates()).open(dir.path() + "/tune.mid").source;
        QVERIFY(source);
        const auto stereo = readToEnd(*source);
        std::vector<float> reference(stereo.size() / 2);
        for (size_t i = 0; i < reference.size(); ++i)
            reference[i] = (stereo[2 * i] + stereo[2 * i + 1]) / 2;
        reference.resize(size_t(1.2 * audio::kMidiSampleRate)); // the notes, not the fading tail

        SamplePlayer player(std::make_shared<audio::AudioHost>());
        Recorder recorder(audio::kMidiSampleRate);
        play(player, "Sequencer", dir.path() + "/tune.mid");
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), QStringLiteral("stopped"), 8000);
        const double c = heardCorrelation(reference, recorder.stop());
        QVERIFY2(c > 0.8, qPrintable(QStringLiteral("correlation %1").arg(c)));
    }

    void pauseStopAndPlayAgainAfterTheEnd()
    {
        const auto reference = referenceSignal(44100, 2, 0.6);
        QVERIFY(writeWave(dir.path() + "/short.wav", reference, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        SamplePlayer player(std::make_shared<audio::AudioHost>());
        play(player, "waveaudio", dir.path() + "/short.wav");
        QTest::qWait(150);
        player.setCommand("PAUSE");
        QCOMPARE(player.mode(), QStringLiteral("paused"));
        const int64_t pausedAt = player.engine().position();
        QVERIFY(pausedAt > 0);
        QTest::qWait(200);
        QCOMPARE(player.engine().position(), pausedAt);
        player.setCommand("play");
        QTRY_COMPARE_WITH_TIMEOUT(player.mode(), QStringLiteral("stopped"), 3000);
        QCOMPARE(player.engine().position(), player.engine().lengthFrames());
        // Play after the end starts again from the beginning.
        player.setCommand("play");
        QCOMPARE(player.mode(), QStringLiteral("playing"));
        QVERIFY(player.engine().position() < player.engine().lengthFrames() / 2);
        player.setCommand("stop");
        QCOMPARE(player.mode(), QStringLiteral("stopped"));
        player.setCommand("close");
        QCOMPARE(player.mode(), QStringLiteral("not open"));
    }

    void oneMidiFileSoundsAtATimeAndFailuresAreAState()
    {
        QVERIFY(writeFile(dir.path() + "/a.mid", MidiBuilder().track().note(0, 4800, 0, 60).bytes()));
        auto host = std::make_shared<audio::AudioHost>();
        SamplePlayer first(host), second(host), elsewhere(std::make_shared<audio::AudioHost>());
        play(first, "Sequencer", dir.path() + "/a.mid");
        play(elsewhere, "Sequencer", dir.path() + "/a.mid"); // another host: its own synthesizer
        play(second, "Sequencer", dir.path() + "/a.mid");
        QCOMPARE(first.mode(), QStringLiteral("paused"));
        QCOMPARE(second.mode(), QStringLiteral("playing"));
        QCOMPARE(elsewhere.mode(), QStringLiteral("playing"));

        // A file that cannot be opened puts the engine in its error state, with the reason.
        QSignalSpy states(&first.engine(), &audio::Player::stateChanged);
        QVERIFY(!first.engine().open(audio::DeviceKind::Sequencer, dir.path() + "/missing.mid"));
        QCOMPARE(first.engine().state(), audio::PlayState::Error);
        QVERIFY(!states.isEmpty());
        QVERIFY(first.engine().error().contains("missing.mid"));
        QCOMPARE(first.mode(), QStringLiteral("not open"));
        QVERIFY(!first.engine().play());
        first.engine().close();
        QCOMPARE(first.engine().state(), audio::PlayState::NotOpen);
    }

    void seekingInQuickSuccessionNeverStallsTheSound()
    {
        const auto reference = referenceSignal(44100, 1, 6.0);
        QVERIFY(writeWave(dir.path() + "/long.wav", reference, 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        SamplePlayer player(std::make_shared<audio::AudioHost>());
        auto* bar = player.findChild<QSlider*>("PositionSlider");
        QVERIFY(bar);
        {
            Recorder keepsTheSinkAwake(44100);
            play(player, "WaveAudio", dir.path() + "/long.wav");
            QTRY_VERIFY_WITH_TIMEOUT(player.engine().position() > 0, 5000); // the idle null sink has woken
            // A second of page steps and arrow keys, as a held mouse button or key gives them.
            QElapsedTimer held;
            held.start();
            for (int i = 0; held.elapsed() < 1000; ++i) {
                bar->triggerAction(i % 3 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderSingleStepAdd);
                QTest::qWait(10);
            }
            QCOMPARE(player.mode(), QStringLiteral("playing"));
            const int64_t before = player.engine().position();
            QTRY_VERIFY2_WITH_TIMEOUT(
                player.engine().position() > before + 4410, "time stands still after seeking", 3000);
            player.setCommand("stop");
            keepsTheSinkAwake.stop();
        }
        // Stop and play again: time runs and sound comes out.
        Recorder recorder(44100);
        player.setCommand("play");
        QTRY_VERIFY_WITH_TIMEOUT(player.engine().position() > 22050, 5000);
        player.setCommand("stop");
        const auto heard = recorder.stop();
        QVERIFY2(rms(heard.data(), heard.size()) > 0.01, "silence after seeking");
    }
};

SONAPLEX_TEST_MAIN(TestPlayback)
#include "test_playback.moc"
