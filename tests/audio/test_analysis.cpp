// What the players show of a file and what a conversion writes, checked against sox's own
// figures for files sox made: the overview, format, peak and loudness, and a converted copy.
#include "audio/analysis.h"
#include "audio/audio_support.h"
#include "audio/convert.h"
#include "audio/midi_source.h"
#include "ui/waveform.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {
QString sox(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral("sox"), args);
    p.waitForFinished(60'000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
}
QString soxInfo(const QString& option, const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("soxi"), {option, path});
    p.waitForFinished(10'000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
double soxPeakDb(const QString& path)
{
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("Pk lev dB\\s+(-?[0-9.]+)")).match(sox({path, "-n", "stats"}));
    return m.hasMatch() ? m.captured(1).toDouble() : 1e9;
}
// Loudness envelope in 10 ms windows, for telling whether two sounds are the same sound.
std::vector<double> envelope(const QString& path)
{
    SF_INFO info{};
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    std::vector<double> out;
    if (!f)
        return out;
    std::vector<float> frame(size_t(info.channels));
    const int window = info.samplerate / 100;
    double sum = 0;
    for (sf_count_t i = 0; sf_readf_float(f, frame.data(), 1) == 1; ++i) {
        for (float v : frame)
            sum += double(v) * v;
        if ((i + 1) % window == 0) {
            out.push_back(std::sqrt(sum / window / info.channels));
            sum = 0;
        }
    }
    sf_close(f);
    return out;
}
double correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const size_t n = std::min(a.size(), b.size());
    double ma = 0, mb = 0;
    for (size_t i = 0; i < n; ++i)
        ma += a[i], mb += b[i];
    ma /= double(n), mb /= double(n);
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < n; ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb);
}
} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) { return dir.path() + QLatin1Char('/') + name; }

private slots:
    void overviewShowsTheSoundWhereItIs()
    {
        // One second of silence, half a second of tone, one and a half of silence.
        sox({"-n", "-r", "22050", "-b", "16", "-c", "1", at("burst.wav"), "synth", "0.5", "sine", "1000", "gain", "-6",
            "pad", "1", "1.5"});
        Waveform waveform;
        waveform.setFile(audio::DeviceKind::WaveAudio, at("burst.wav"));
        QTRY_VERIFY(waveform.finished());
        const auto& highs = waveform.highs();
        QCOMPARE(int(highs.size()), Waveform::kBins);
        const int toneFrom = Waveform::kBins / 3, toneTo = Waveform::kBins / 2;
        for (int b = 0; b < Waveform::kBins; ++b) {
            if (b > toneFrom + 2 && b < toneTo - 2)
                QVERIFY2(
                    highs[size_t(b)] > 0.45f && waveform.lows()[size_t(b)] < -0.45f, qPrintable(QString::number(b)));
            else if (b < toneFrom - 2 || b > toneTo + 2)
                QVERIFY2(highs[size_t(b)] < 0.001f, qPrintable(QString::number(b)));
        }
        // The tone's peak is -6 dBFS, as sox made it; the format line reads the header.
        QVERIFY(std::abs(waveform.loudness().peakDb - soxPeakDb(at("burst.wav"))) < 0.05);
        QCOMPARE(
            audio::formatLine(waveform.info()), QStringLiteral("22050 Hz \u00b7 mono \u00b7 16-bit \u00b7 0:03.0"));
    }

    void formatAndLevelsMatchSox()
    {
        struct Case {
            QStringList encoding;
            QString sampleFormat;
        } cases[] = {
            {{"-b", "8", "-e", "unsigned-integer"}, "8-bit"},
            {{"-b", "16"}, "16-bit"},
            {{"-b", "24"}, "24-bit"},
            {{"-b", "32", "-e", "floating-point"}, "32-bit float"},
            {{"-e", "ima-adpcm"}, "IMA ADPCM"},
        };
        int k = 0;
        for (const Case& c : cases) {
            const QString path = at(QStringLiteral("f%1.wav").arg(++k));
            const QString rate = k % 2 ? "11025" : "44100", channels = k % 2 ? "1" : "2";
            sox(QStringList{"-n", "-r", rate, "-c", channels} + c.encoding
                + QStringList{path, "synth", "1.3", "sine", "300-900", "gain", QString::number(-3 * k)});
            const audio::SoundInfo info = audio::soundInfo(audio::DeviceKind::WaveAudio, path);
            QVERIFY2(info.ok(), qPrintable(info.error));
            QCOMPARE(QString::number(info.rate), soxInfo("-r", path));
            QCOMPARE(QString::number(info.channels), soxInfo("-c", path));
            QCOMPARE(audio::sampleFormatName(info.sfFormat), c.sampleFormat);
            QVERIFY(std::abs(info.seconds - soxInfo("-D", path).toDouble()) < 0.001);
            const audio::Loudness l = audio::measureLoudness(path);
            QVERIFY(l.ok);
            QVERIFY2(std::abs(l.peakDb - soxPeakDb(path)) < 0.1, qPrintable(QString::number(l.peakDb)));
        }
        // The EBU reference: a 1 kHz stereo tone at -23 dBFS measures -23 LUFS.
        sox({"-n", "-r", "48000", "-c", "2", "-b", "24", at("ebu.wav"), "synth", "20", "sine", "1000", "gain", "-23"});
        const audio::Loudness ebu = audio::measureLoudness(at("ebu.wav"));
        QVERIFY2(std::abs(ebu.lufs + 23) < 0.1, qPrintable(QString::number(ebu.lufs)));
        // Silence has no loudness and no peak, without dividing by zero.
        sox({"-n", "-r", "8000", "-c", "1", at("quiet.wav"), "trim", "0", "1"});
        const audio::Loudness quiet = audio::measureLoudness(at("quiet.wav"));
        QVERIFY(quiet.ok && quiet.lufs <= -199 && quiet.peakDb <= -199);
        // A clip too short for 400 ms blocks is measured over the whole of it: the same tone
        // cut to 0.2 s reads the same loudness.
        sox({at("ebu.wav"), at("short.wav"), "trim", "5", "0.2"});
        const audio::Loudness clip = audio::measureLoudness(at("short.wav"));
        QVERIFY2(std::abs(clip.lufs + 23) < 0.2, qPrintable(QString::number(clip.lufs)));
    }

    void midiInfoCountsInstrumentsAndDrums()
    {
        QFile f(at("song.mid"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(MidiBuilder(1)
                    .track()
                    .tempo(0, 500000)
                    .track()
                    .program(0, 0, 40)
                    .note(0, 480, 0, 60)
                    .program(480, 0, 41)
                    .note(480, 960, 0, 62)
                    .track()
                    .note(0, 240, 9, 36) // drums
                    .program(240, 2, 90) // chosen but never heard
                    .note(240, 1920, 1, 48) // no program chosen: the piano
                    .bytes());
        f.close();
        const audio::SoundInfo info = audio::soundInfo(audio::DeviceKind::Sequencer, at("song.mid"));
        QVERIFY(info.ok());
        QCOMPARE(info.tracks, 3);
        QCOMPARE(info.instruments, 3);
        QVERIFY(info.drums);
        QCOMPARE(audio::formatLine(info),
            QStringLiteral("MIDI format 1 \u00b7 3 tracks \u00b7 0:04.0\n3 General MIDI instruments and drums"));

        // Its picture is its rendered sound: loud while the notes play, quiet after.
        audio::MidiSynth synth(audio::defaultSoundFontCandidates());
        Waveform waveform;
        waveform.setFile(audio::DeviceKind::Sequencer, at("song.mid"), &synth);
        QTRY_VERIFY(waveform.finished());
        const auto& highs = waveform.highs();
        // Loud in the first second; still sounding at 1 s of 4 (a piano note decays, how fast
        // depends on the SoundFont); silent at the end.
        QVERIFY(*std::max_element(highs.begin(), highs.begin() + Waveform::kBins / 4) > 0.05f);
        QVERIFY(highs[Waveform::kBins / 4] > 0.02f);
        QVERIFY(highs[Waveform::kBins - 2] < 0.01f);
        QVERIFY(waveform.lows()[Waveform::kBins / 4] < -0.05f); // a waveform, not note counts
    }

    void conversionWritesExactlyTheGameFormat()
    {
        sox({"-n", "-r", "22050", "-c", "1", "-b", "8", "-e", "unsigned-integer", at("game.wav"), "synth", "0.4",
            "square", "200"});
        // A replacement whose loudness moves: a rising and falling chirp.
        sox({"-n", "-r", "48000", "-c", "2", "-b", "32", "-e", "floating-point", at("new.wav"), "synth", "2", "sine",
            "300-2000", "fade", "t", "0.5", "2", "0.8"});
        const audio::SoundInfo game = audio::soundInfo(audio::DeviceKind::WaveAudio, at("game.wav"));
        const audio::SoundInfo replacement = audio::soundInfo(audio::DeviceKind::WaveAudio, at("new.wav"));
        QCOMPARE(audio::formatDifference(game, replacement),
            QStringLiteral("game: 22050 Hz mono 8-bit; replacement: 48000 Hz stereo 32-bit float"));
        QCOMPARE(audio::formatDifference(game, game), QString());

        QCOMPARE(audio::convertRecording(at("new.wav"), at("out.wav"), game), QString());
        QCOMPARE(soxInfo("-r", at("out.wav")), QStringLiteral("22050"));
        QCOMPARE(soxInfo("-c", at("out.wav")), QStringLiteral("1"));
        QCOMPARE(soxInfo("-b", at("out.wav")), QStringLiteral("8"));
        QCOMPARE(soxInfo("-e", at("out.wav")), QStringLiteral("Unsigned Integer PCM"));
        QVERIFY(std::abs(soxInfo("-D", at("out.wav")).toDouble() - 2.0) < 0.001);
        const double r = correlation(envelope(at("new.wav")), envelope(at("out.wav")));
        QVERIFY2(r > 0.98, qPrintable(QString::number(r)));

        // A gain is applied; a conversion that cannot write leaves nothing behind.
        QCOMPARE(audio::convertRecording(at("new.wav"), at("quieter.wav"), game, -6), QString());
        QVERIFY(std::abs(soxPeakDb(at("quieter.wav")) - soxPeakDb(at("out.wav")) + 6) < 0.3);
        QVERIFY(!audio::convertRecording(at("new.wav"), at("missing/out.wav"), game).isEmpty());
        QVERIFY(!audio::convertRecording(at("song.mid"), at("bad.wav"), game).isEmpty());
        QVERIFY(!QFile::exists(at("bad.wav")));
    }
};

QTEST_MAIN(TestAnalysis)
#include "test_analysis.moc"
