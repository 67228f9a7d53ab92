// The audio side against the tools people would otherwise use, in the same run:
//   waveform overview of a big wave file        against `sox FILE -n stat`
//   conversion to a game's format               against sox doing the same conversion
//   MIDI render (CPU per second of audio)       against `fluidsynth -F` with the same SoundFont
// (Play to first sound, and what a click on a big MIDI file costs, are in bench_first_sound.)
// Usage: bench_audio [MB of the big wave file, 1024]
#include "audio/analysis.h"
#include "audio/audio_support.h"
#include "audio/convert.h"
#include "audio/midi_source.h"
#include "timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

using namespace sonaplex;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}
double childCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
double ownCpuSeconds() // every thread of this process: the parse runs on one of its own
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Noise with a slow swell, written in pieces so that a big file costs little memory.
void writeBigWave(const QString& path, qint64 bytes, int rate, int channels, int format)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> block(size_t(65536 * channels));
    const int bytesPerFrame = channels * ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT ? 4 : 2);
    for (qint64 frames = bytes / bytesPerFrame, done = 0; done < frames; done += 65536) {
        for (size_t i = 0; i < block.size(); ++i)
            block[i] = noise(random) * float(0.5 + 0.5 * std::sin(double(done) / rate));
        sf_writef_float(f, block.data(), std::min<qint64>(65536, frames - done));
    }
    sf_close(f);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 bigMb = argc > 1 ? atoll(argv[1]) : 1024;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/bench-audio-XXXXXX")); // $TMPDIR, never the source tree
    auto at = [&](const QString& name) { return dir.path() + QLatin1Char('/') + name; };

    // Waveform overview.
    writeBigWave(at("big.wav"), bigMb << 20, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    run(QStringLiteral("cat"), {at("big.wav")}); // both read it from the page cache
    double sox = 1e12, ours = 1e12;
    for (int i = 0; i < 2; ++i) {
        sox = std::min(sox, msOf([&] { run(QStringLiteral("sox"), {at("big.wav"), "-n", "stat"}); }));
        ours = std::min(ours, msOf([&] { audio::waveOverview(at("big.wav"), 2048, [](auto&&) { return true; }); }));
    }
    std::printf("Waveform overview of a %lld MB wave file:\n", static_cast<long long>(bigMb));
    std::printf("  sox FILE -n stat (baseline):  %9.1f ms\n  Sonaplex overview:            %9.1f ms   ratio %.2f "
                "(target <= 1.0)\n",
        sox, ours, ours / sox);
    QFile::remove(at("big.wav"));

    // Conversion of a 300 MB 48 kHz stereo float file to 22 kHz mono 8-bit.
    writeBigWave(at("new.wav"), 300 << 20, 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    sox = ours = 1e12;
    audio::SoundInfo game;
    game.rate = 22050;
    game.channels = 1;
    game.sfFormat = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
    for (int i = 0; i < 2; ++i) {
        sox = std::min(sox, msOf([&] {
            run(QStringLiteral("sox"),
                {at("new.wav"), "-r", "22050", "-c", "1", "-b", "8", "-e", "unsigned-integer", at("sox.wav")});
        }));
        ours = std::min(ours, msOf([&] { audio::convertRecording(at("new.wav"), at("ours.wav"), game); }));
    }
    std::printf("Conversion of a 300 MB 48 kHz stereo float file to 22050 Hz mono 8-bit:\n");
    std::printf("  sox (baseline):               %9.1f ms\n  Sonaplex conversion:          %9.1f ms   ratio %.2f "
                "(target <= 1.0)\n",
        sox, ours, ours / sox);
    QFile::remove(at("new.wav"));

    // MIDI render: CPU time per second of audio, SoundFont loading included on both sides.
    QString song = QStringLiteral("/usr/share/games/openttd/baseset/openmsx/keep_on_rolling.mid");
    if (!QFile::exists(song)) {
        song = at("song.mid");
        writeBytes(song, test::manyNotes(8, 400, 240, 200));
    }
    const QString font = audio::findSoundFont(audio::defaultSoundFontCandidates());
    double theirCpu = 1e12, ourCpu = 1e12, theirSeconds = 0, ourSeconds = 0;
    for (int i = 0; i < 2; ++i) {
        const double before = childCpuSeconds();
        run(QStringLiteral("fluidsynth"), {"-ni", "-q", "-r", "44100", "-F", at("fs.wav"), font, song});
        theirCpu = std::min(theirCpu, childCpuSeconds() - before);
        SF_INFO info{};
        if (SNDFILE* f = sf_open(QFile::encodeName(at("fs.wav")).constData(), SFM_READ, &info)) {
            theirSeconds = double(info.frames) / info.samplerate;
            sf_close(f);
        }
        const double start = ownCpuSeconds();
        audio::MidiSynth synth(audio::defaultSoundFontCandidates());
        audio::OpenResult opened = synth.open(song);
        const std::vector<float> sound = opened.source ? test::readToEnd(*opened.source) : std::vector<float>{};
        ourCpu = std::min(ourCpu, ownCpuSeconds() - start);
        ourSeconds = double(sound.size()) / 2 / audio::kMidiSampleRate;
    }
    std::printf("MIDI render of %s (%.1f s of audio):\n", qPrintable(QFileInfo(song).fileName()), ourSeconds);
    std::printf("  fluidsynth -F (baseline):     %9.2f ms CPU per second of audio\n", theirCpu * 1000 / theirSeconds);
    std::printf("  Sonaplex:                     %9.2f ms CPU per second of audio   ratio %.2f (target <= 1.0)\n",
        ourCpu * 1000 / ourSeconds, (ourCpu / ourSeconds) / (theirCpu / theirSeconds));

    return 0;
}
