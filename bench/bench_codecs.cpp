// Compressed sound files against the tools people would otherwise use, in the same run:
//   overview and loudness of a 5-minute Ogg Vorbis file, through the helper as a player reads it,
//                                                  against `sox FILE -n stats`
//   a 5-minute 48 kHz stereo wave file converted (in the helper, as SWITCH does) to a 22 kHz
//   mono Vorbis game file
//                                                  against `sox in.wav -r 22050 -c 1 out.ogg`
//   the same to an Opus game file (48 kbit/s)      against `opusenc --bitrate 48`
// with the bitrate of each result against the game file's (quality per byte the same).
// Usage: bench_codecs [rounds, 5]
#include "audio/analysis.h"
#include "audio/audio_support.h"
#include "audio/convert.h"
#include "audio/probe.h"
#include "figures.h"
#include "timing.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using namespace sonaplex;

namespace {

// Music-like: chords that change, and some noise, so that encoders work as on real music.
bool writeMusic(const QString& path, int rate, int channels, double seconds, int format)
{
    std::vector<float> s(size_t(rate * seconds) * size_t(channels));
    uint32_t noise = 1;
    for (size_t i = 0; i < s.size() / size_t(channels); ++i) {
        const double t = double(i) / rate, root = 110.0 * (1 + int(t / 2) % 4 * 0.25);
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            s[i * size_t(channels) + size_t(c)] = float(0.2 * std::sin(2 * M_PI * root * t) + 0.15 * std::sin(2 * M_PI * root * 1.5 * t + c)
                + 0.1 * std::sin(2 * M_PI * root * 2.52 * t) + 0.03 * (double(noise >> 8) / (1 << 24) - 0.5));
        }
    }
    return test::writeWave(path, s, rate, channels, format);
}
void line(const char* what, const std::vector<double>& ours, const std::vector<double>& theirs, const char* baseline)
{
    Figures o, t, ratio;
    for (size_t i = 0; i < ours.size(); ++i) {
        o.add(ours[i]);
        t.add(theirs[i]);
        ratio.add(ours[i] / theirs[i]);
    }
    std::printf("%s, ms\n  reference (%s)  %s\n  Sonaplex  %s\n  ratio     %s\n", what, baseline, qPrintable(t.text()),
        qPrintable(o.text()), qPrintable(ratio.text()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    auto at = [&](const char* name) { return dir.path() + QLatin1Char('/') + QLatin1String(name); };
    if (!writeMusic(at("music.ogg"), 44100, 2, 300, SF_FORMAT_OGG | SF_FORMAT_VORBIS)
        || !writeMusic(at("in.wav"), 48000, 2, 300, SF_FORMAT_WAV | SF_FORMAT_PCM_16)
        || !writeMusic(at("game.ogg"), 22050, 1, 5, SF_FORMAT_OGG | SF_FORMAT_VORBIS)
        || !run(QStringLiteral("opusenc"), {"--quiet", "--bitrate", "48", at("in.wav"), at("game.opus")})) {
        std::fprintf(stderr, "bench_codecs: the test files could not be made\n");
        return 1;
    }
    std::printf("helper: %s\n", qPrintable(audio::probeProgram().isEmpty() ? QStringLiteral("none (in process)") : audio::probeProgram()));
    std::vector<double> ours, theirs;
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(msOf([&] {
            audio::probeAnalysis(at("music.ogg"), 2048, [](const audio::SoundInfo&) {}, [](audio::OverviewPart&&) { return true; });
        }));
        theirs.push_back(msOf([&] { run(QStringLiteral("sox"), {at("music.ogg"), "-n", "stats"}); }));
    }
    line("Overview and loudness of a 5-minute Ogg Vorbis file (target 1.2)", ours, theirs, "sox FILE -n stats");

    const audio::SoundInfo vorbis = audio::soundFileInfo(at("game.ogg"));
    ours.clear();
    theirs.clear();
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(msOf([&] { audio::convertInHelper(at("in.wav"), at("ours.ogg"), vorbis, 0, {}, audio::LoopChoice::Own); }));
        theirs.push_back(msOf([&] { run(QStringLiteral("sox"), {at("in.wav"), "-r", "22050", "-c", "1", at("sox.ogg")}); }));
    }
    line("A 5-minute 48 kHz stereo wave file to a 22 kHz mono Vorbis game file (target 1.0)", ours, theirs,
        "sox in.wav -r 22050 -c 1 out.ogg");
    const audio::SoundInfo madeVorbis = audio::soundFileInfo(at("ours.ogg"));
    std::printf("  nominal bitrate: game %d, ours %d (%.1f%%)\n", vorbis.bitrate, madeVorbis.bitrate,
        100.0 * (madeVorbis.bitrate - vorbis.bitrate) / vorbis.bitrate);

    const audio::SoundInfo opus = audio::soundFileInfo(at("game.opus"));
    ours.clear();
    theirs.clear();
    for (int r = 0; r < rounds; ++r) {
        ours.push_back(msOf([&] { audio::convertInHelper(at("in.wav"), at("ours.opus"), opus, 0, {}, audio::LoopChoice::Own); }));
        theirs.push_back(msOf([&] { run(QStringLiteral("opusenc"), {"--quiet", "--bitrate", "48", at("in.wav"), at("enc.opus")}); }));
    }
    line("The same to an Opus game file of 48 kbit/s (target 1.0)", ours, theirs, "opusenc --bitrate 48");
    const audio::SoundInfo madeOpus = audio::soundFileInfo(at("ours.opus"));
    std::printf("  bitrate: game %d, ours %d (%.1f%%)\n", opus.bitrate, madeOpus.bitrate,
        100.0 * (madeOpus.bitrate - opus.bitrate) / opus.bitrate);
    return 0;
}
