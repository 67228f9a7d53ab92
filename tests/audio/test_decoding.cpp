// Wave files of every flavour a game may ship decode to what was written; MIDI files render
// real sound of the right length; damaged files give a reason, never a crash.
#include "audio/audio_support.h"
#include "audio/midi_file.h"
#include "audio/midi_source.h"
#include "audio/pcm_device.h"
#include "audio/audio_file.h"
#include "support.h"

#include <QProcess>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestDecoding : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) { return dir.path() + "/" + name; }

    audio::MidiSynth synth{audio::defaultSoundFontCandidates()};

    std::vector<float> render(const QByteArray& smf, int64_t* length = nullptr, QString* error = nullptr,
        const audio::MidiSynth* using_ = nullptr)
    {
        static int serial = 0;
        const QString path = at(QStringLiteral("song%1.mid").arg(++serial));
        writeFile(path, smf);
        audio::OpenResult r = (using_ ? *using_ : synth).open(path);
        if (error)
            *error = r.error;
        if (!r.source)
            return {};
        if (length)
            *length = r.source->lengthFrames();
        return readToEnd(*r.source);
    }
    // Loudness of the left channel between two times.
    static double loudness(const std::vector<float>& stereo, double from, double to)
    {
        const size_t a = size_t(from * audio::kMidiSampleRate) * 2,
                     b = std::min(stereo.size(), size_t(to * audio::kMidiSampleRate) * 2);
        return b > a ? rms(stereo.data() + a, b - a) : 0;
    }

private slots:
    void missingSoundFontIsExplained()
    {
        // A synthesizer told to look where there is none.
        const audio::MidiSynth without({at("no-such.sf2")});
        QString error;
        render(MidiBuilder().track().note(0, 480, 0, 60).bytes(), nullptr, &error, &without);
        QVERIFY2(error.contains(QStringLiteral("timgm6mb-soundfont")), qPrintable(error));
    }

    void aSoundFontThatWillNotLoadIsExplainedAtPlay()
    {
        // The SoundFont loads while the song is prepared, after the open: its failure comes
        // with the source, before any sound, and every later open is refused at once.
        writeFile(at("broken.sf2"), QByteArray("RIFF\x04\0\0\0sfbk", 12));
        const audio::MidiSynth broken({at("broken.sf2")});
        const QByteArray song = MidiBuilder().track().note(0, 480, 0, 60).bytes();
        writeFile(at("broken-song.mid"), song);
        audio::OpenResult first = broken.open(at("broken-song.mid"));
        QVERIFY(first.source);
        QVERIFY2(first.source->problem().contains(QStringLiteral("could not be loaded")), qPrintable(first.source->problem()));
        QString error;
        render(song, nullptr, &error, &broken);
        QVERIFY2(error.contains(QStringLiteral("broken.sf2")), qPrintable(error));
    }

    void waveFlavours_data()
    {
        QTest::addColumn<QStringList>("soxArgs");
        QTest::addColumn<double>("minSnr");
        QTest::newRow("8-bit") << QStringList{"-b", "8", "-e", "unsigned-integer"} << 35.0;
        QTest::newRow("16-bit") << QStringList{"-b", "16", "-e", "signed-integer"} << 85.0;
        QTest::newRow("24-bit") << QStringList{"-b", "24", "-e", "signed-integer"} << 130.0;
        QTest::newRow("32-bit") << QStringList{"-b", "32", "-e", "signed-integer"} << 130.0;
        QTest::newRow("float") << QStringList{"-b", "32", "-e", "floating-point"} << 140.0;
        QTest::newRow("IMA ADPCM") << QStringList{"-e", "ima-adpcm"} << 15.0;
        QTest::newRow("MS ADPCM") << QStringList{"-e", "ms-adpcm"} << 15.0;
        QTest::newRow("A-law") << QStringList{"-e", "a-law"} << 30.0;
        QTest::newRow("mu-law") << QStringList{"-e", "u-law"} << 30.0;
    }
    void waveFlavours()
    {
        QFETCH(QStringList, soxArgs);
        QFETCH(double, minSnr);
        const int rate = 22050, channels = 2;
        const auto reference = referenceSignal(rate, channels, 0.5);
        QVERIFY(writeWave(at("ref.wav"), reference, rate, channels, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
        const QString out = at(QString(QTest::currentDataTag()).replace(' ', '_') + ".wav");
        QCOMPARE(QProcess::execute("sox", QStringList{"-D", at("ref.wav")} + soxArgs + QStringList{out}), 0);

        audio::OpenResult r = audio::openAudio(out);
        QVERIFY2(r.source, qPrintable(r.error));
        QCOMPARE(r.source->sampleRate(), rate);
        QCOMPARE(r.source->channels(), channels);
        const auto decoded = readToEnd(*r.source);
        QVERIFY(decoded.size() >= reference.size());
        const double ratio = snr(reference, decoded);
        QVERIFY2(ratio >= minSnr, qPrintable(QStringLiteral("SNR %1 dB").arg(ratio)));

        // Seeking lands on the same samples as reading straight through.
        QVERIFY(r.source->seek(1000));
        std::vector<float> block(size_t(10 * channels));
        QCOMPARE(r.source->read(block.data(), 10), int64_t(10));
        QCOMPARE(block[0], decoded[1000 * channels]);
    }

    void ratesAndChannelCounts_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("format");
        QTest::newRow("8 kHz mono") << 8000 << 1 << (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        QTest::newRow("96 kHz 5.1 extensible") << 96000 << 6 << (SF_FORMAT_WAVEX | SF_FORMAT_PCM_24);
    }
    void ratesAndChannelCounts()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, format);
        const auto reference = referenceSignal(rate, channels, 0.25);
        QVERIFY(writeWave(at("rc.wav"), reference, rate, channels, format));
        audio::OpenResult r = audio::openAudio(at("rc.wav"));
        QVERIFY2(r.source, qPrintable(r.error));
        QCOMPARE(r.source->sampleRate(), rate);
        QCOMPARE(r.source->channels(), channels);
        QCOMPARE(r.source->lengthFrames(), int64_t(reference.size() / size_t(channels)));
        QVERIFY(snr(reference, readToEnd(*r.source)) > 85);
    }

    void badWaveFilesAreRefusedWithAReason()
    {
        QVERIFY(writeFile(at("empty.wav"), ""));
        QVERIFY(writeFile(at("text.wav"), "this is not a wave file at all, just some words"));
        QVERIFY(writeFile(at("header-only.wav"), QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16)));
        for (const char* name : {"empty.wav", "text.wav", "header-only.wav", "missing.wav"}) {
            audio::OpenResult r = audio::openAudio(at(name));
            QVERIFY2(!r.source, name);
            QVERIFY2(r.error.contains(QString::fromLatin1(name)), qPrintable(r.error));
        }
        // A truncated file plays what is there.
        const auto reference = referenceSignal(8000, 1, 1.0);
        QVERIFY(writeWave(at("whole.wav"), reference, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QByteArray cut = readAll(at("whole.wav"));
        cut.truncate(cut.size() / 2);
        QVERIFY(writeFile(at("cut.wav"), cut));
        audio::OpenResult r = audio::openAudio(at("cut.wav"));
        QVERIFY(r.source);
        QVERIFY(!readToEnd(*r.source).empty());
    }

    void midiRendersItsNotesForTheirLength()
    {
        // One second of middle C at 120 beats a minute, then the release tail.
        int64_t length = 0;
        const auto sound = render(MidiBuilder().track().program(0, 0, 0).note(0, 960, 0, 60).bytes(), &length);
        QCOMPARE(length, int64_t((1.0 + audio::kMidiTailSeconds) * audio::kMidiSampleRate));
        QVERIFY(loudness(sound, 0.1, 0.9) > 0.01);
        // It plays on while the note dies away, and no further than a moment after that.
        const double seconds = double(sound.size()) / 2 / audio::kMidiSampleRate;
        QVERIFY2(seconds > 1.2 && seconds < 1.0 + audio::kMidiMaxTailSeconds, qPrintable(QString::number(seconds)));
        QVERIFY(loudness(sound, seconds - 0.05, seconds) < 0.001);

        // Half the tempo: the same ticks last twice as long.
        render(MidiBuilder().track().tempo(0, 1'000'000).note(0, 960, 0, 60).bytes(), &length);
        QCOMPARE(length, int64_t((2.0 + audio::kMidiTailSeconds) * audio::kMidiSampleRate));
    }

    void aSongSoundsTheSameEveryTimeItIsPlayed()
    {
        // Strings with a long release, then another song, then the strings again: the synth
        // keeps nothing of what it played before, and the song ends when its sound has died
        // away rather than at a fixed time after its last note.
        const QByteArray strings
            = MidiBuilder().track().program(0, 0, 48).note(0, 480, 0, 60).note(240, 720, 0, 67).bytes();
        int64_t length = 0;
        const auto first = render(strings, &length);
        render(MidiBuilder().track().program(0, 1, 19).note(0, 4000, 1, 40).note(0, 4000, 1, 47).bytes());
        const auto again = render(strings);
        QCOMPARE(again.size(), first.size());
        QVERIFY(again == first);
        QVERIFY(loudness(first, double(length) / audio::kMidiSampleRate - 0.05, 1e9) < 1e-4);
    }

    void instrumentsLoadedOnDemandSoundAsIfAllWereLoaded()
    {
        // What a song played first after start-up gives: a reset, the default piano, chosen
        // instruments, a bank select, drums, and an instrument changed mid-song.
        MidiBuilder b(1);
        b.track().gmReset(0);
        b.track(); // the default piano
        for (int n = 0; n < 8; ++n)
            b.note(uint32_t(n * 240), uint32_t(n * 240 + 200), 0, 60 + n);
        b.track().program(0, 1, 48);
        for (int n = 0; n < 8; ++n) {
            if (n == 4)
                b.program(uint32_t(n * 240), 1, 19);
            b.note(uint32_t(n * 240), uint32_t(n * 240 + 220), 1, 48 + n);
        }
        b.track().controller(0, 2, 0, 0).program(0, 2, 61);
        for (int n = 0; n < 8; ++n)
            b.note(uint32_t(n * 240), uint32_t(n * 240 + 180), 2, 55 + n);
        b.track();
        for (int n = 0; n < 8; ++n)
            b.note(uint32_t(n * 240), uint32_t(n * 240 + 60), 9, n % 2 ? 38 : 36);
        const QByteArray song = b.bytes();
        const audio::MidiSynth onDemand(audio::defaultSoundFontCandidates(), audio::SampleLoading::OnDemand);
        const audio::MidiSynth upFront(audio::defaultSoundFontCandidates(), audio::SampleLoading::UpFront);
        const auto first = render(song, nullptr, nullptr, &onDemand);
        const auto loaded = render(song, nullptr, nullptr, &upFront);
        QCOMPARE(first.size(), loaded.size());
        // The envelope, 10 ms at a time, within 1 dB wherever the song is above -40 dB, and
        // what differs at least 30 dB below the song. (Loaded on demand, FluidSynth checks a
        // sample's loop against that sample alone rather than the whole SoundFont: a SoundFont
        // with loops past their sample's end sounds very slightly different; others are
        // identical to within 1e-4.)
        const double window = 0.01, seconds = double(first.size()) / 2 / audio::kMidiSampleRate;
        int sounding = 0;
        for (double t = 0; t + window <= seconds; t += window) {
            const double a = loudness(first, t, t + window), b = loudness(loaded, t, t + window);
            const bool close = b > 0.01 ? std::abs(20 * std::log10(a / b)) <= 1.0 : std::abs(a - b) <= 1e-3;
            QVERIFY2(close, qPrintable(QStringLiteral("at %1 s: %2 against %3").arg(t).arg(a).arg(b)));
            sounding += b > 0.01;
        }
        QVERIFY(sounding > int(2.0 / window));
        std::vector<float> difference(first.size());
        for (size_t i = 0; i < first.size(); ++i)
            difference[i] = first[i] - loaded[i];
        QVERIFY(rms(difference.data(), difference.size()) < 0.03 * rms(loaded.data(), loaded.size()));
        // The song closed gives its instruments back; played again, they come back the same.
        QVERIFY(render(song, nullptr, nullptr, &onDemand) == first);
    }

    void formatOneTracksAllSound()
    {
        MidiBuilder song(1);
        song.track().tempo(0, 500'000);
        song.track().note(0, 480, 0, 60); // 0 - 0.5 s
        song.track().note(1920, 2400, 1, 67); // 2.0 - 2.5 s, another channel
        const auto sound = render(song.bytes());
        QVERIFY(loudness(sound, 0.1, 0.4) > 0.01);
        QVERIFY(loudness(sound, 2.1, 2.4) > 0.01);
        QVERIFY(loudness(sound, 1.6, 1.9) < loudness(sound, 2.1, 2.4) / 10);
    }

    void damagedMidiFilesGiveAReason()
    {
        const QByteArray good = MidiBuilder().track().note(0, 480, 0, 60).bytes();
        struct Case {
            const char* name;
            QByteArray bytes;
        };
        const Case cases[] = {
            {"empty", QByteArray()},
            {"noise", QByteArray(5000, '\x9c')},
            {"short header", good.left(10)},
            {"no tracks", good.left(14)},
            {"bad format", QByteArray(good).replace(9, 1, "\x07")},
            {"no timing", QByteArray(good).replace(12, 2, QByteArray(2, '\0'))},
        };
        for (const Case& c : cases) {
            QString error;
            render(c.bytes, nullptr, &error);
            QVERIFY2(!error.isEmpty(), c.name);
        }
        // A track cut short, or a header that promises 65535 tracks: what is there plays.
        QString error;
        QVERIFY(!render(good.left(good.size() - 6), nullptr, &error).empty());
        QVERIFY(!render(good.left(14) + good.mid(14), nullptr, &error).empty());
        QByteArray many = MidiBuilder(1).track().note(0, 480, 0, 60).bytes(65535);
        QVERIFY2(!render(many, nullptr, &error).empty(), qPrintable(error));
    }

    void absurdTempoIsCapped()
    {
        MidiBuilder song;
        song.track().tempo(0, 0xFFFFFF).note(0, 100000, 0, 60);
        writeFile(at("slow.mid"), song.bytes());
        audio::OpenResult r = synth.open(at("slow.mid"));
        QVERIFY(r.source);
        QVERIFY(r.source->lengthFrames() <= int64_t((30 * 60 + audio::kMidiTailSeconds) * audio::kMidiSampleRate));
        // Seeking far in needs no rendering of what comes before.
        QVERIFY(r.source->seek(r.source->lengthFrames() - 100));
        std::vector<float> block(400);
        QVERIFY(r.source->read(block.data(), 200) > 0);
    }

    void theQuickSummaryAgreesWithTheFullParse()
    {
        // What an open reads at once (the events follow on another thread) must agree with the
        // events: tempo changes in another track, a cut at the cap, a tempo change after the
        // last note, and tracks merged in time order with simultaneous events as written.
        MidiBuilder changes(1);
        changes.track().tempo(0, 500'000).tempo(960, 250'000).tempo(4000, 1'000'000);
        changes.track().note(0, 480, 0, 60).note(1920, 2400, 0, 64);
        changes.track().program(0, 1, 40).note(0, 3000, 1, 67);
        MidiBuilder capped;
        capped.track().tempo(0, 0xFFFFFF).note(0, 100000, 0, 60);
        for (const QByteArray& bytes : {changes.bytes(), capped.bytes()}) {
            const audio::MidiParse full = audio::parseMidi(bytes);
            const audio::MidiParse summary = audio::parseMidi(bytes, 30 * 60, audio::MidiDetail::Summary);
            QVERIFY(summary.hasEvents && summary.song.events.empty());
            QCOMPARE(summary.song.lastEventSeconds, full.song.lastEventSeconds);
            QCOMPARE(summary.song.tracks, full.song.tracks);
            QVERIFY(std::is_sorted(full.song.events.begin(), full.song.events.end(),
                [](const audio::MidiEvent& a, const audio::MidiEvent& b) { return a.seconds < b.seconds; }));
        }
        const auto& events = audio::parseMidi(changes.bytes()).song.events;
        // 0.5 s per quarter for two quarters, then 0.25 s: tick 3000 is 0.5 + 0.25 * (2040 / 480).
        QCOMPARE(audio::parseMidi(changes.bytes()).song.lastEventSeconds, 1.0 + 0.25 * 2040 / 480);
        QCOMPARE(events[0].status, uint8_t(0x90)); // track 2's note before track 3's program at 0
        QCOMPARE(events[1].status, uint8_t(0xC1));
    }

    void deviceFeedResamplesAndMixes()
    {
        // 22.05 kHz stereo into a 44.1 kHz mono device: twice the frames, the channels averaged.
        const auto reference = referenceSignal(22050, 2, 0.2);
        QVERIFY(writeWave(at("feed.wav"), reference, 22050, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
        audio::OpenResult r = audio::openAudio(at("feed.wav"));
        QAudioFormat mono;
        mono.setSampleRate(44100);
        mono.setChannelCount(1);
        mono.setSampleFormat(QAudioFormat::Float);
        audio::PcmDevice device(*r.source, mono);
        device.restartAt(0);
        std::vector<float> out(20000);
        QCOMPARE(device.read(reinterpret_cast<char*>(out.data()), qint64(out.size() * 4)), qint64(out.size() * 4));
        QVERIFY(device.ended());
        const size_t sourceFrames = reference.size() / 2;
        QCOMPARE(device.framesBeforeEnd(), int64_t(sourceFrames * 2));
        // A band-limited resampler: every second output frame is the source frame (to within
        // the filter's ripple), and those between lie on the smooth curve, not on a straight
        // line between neighbours.
        double worst = 0;
        for (size_t k = 200; k < sourceFrames - 200; ++k) {
            const double here = (reference[2 * k] + reference[2 * k + 1]) / 2;
            worst = std::max(worst, std::abs(out[2 * k] - here));
        }
        QVERIFY2(worst < 0.01, qPrintable(QString::number(worst)));
        QCOMPARE(out.back(), 0.0f); // silence past the end, never an empty read
    }
};

QTEST_GUILESS_MAIN(TestDecoding)
#include "test_decoding.moc"
