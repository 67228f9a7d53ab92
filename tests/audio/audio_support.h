#pragma once
// Test material for the audio engine: Standard MIDI Files built byte by byte, reference
// signals written as wave files, and helpers to read a source to its end.
#include "audio/source.h"
#include "ogg_support.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>

#include <sndfile.h>

#include <cmath>
#include <vector>

namespace sonaplex::test {

// Builds a Standard MIDI File.
class MidiBuilder {
public:
    explicit MidiBuilder(int format = 0, int division = 480) : format_(format), division_(division) {}

    // Starts a new track; events after it go into that track.
    MidiBuilder& track()
    {
        tracks_.emplace_back();
        last_ = 0;
        return *this;
    }
    MidiBuilder& tempo(uint32_t tick, uint32_t usPerQuarter)
    {
        return event(
            tick, {char(0xFF), 0x51, 3, char(usPerQuarter >> 16), char(usPerQuarter >> 8), char(usPerQuarter)});
    }
    MidiBuilder& program(uint32_t tick, int channel, int prog)
    {
        return event(tick, {char(0xC0 | channel), char(prog)});
    }
    MidiBuilder& controller(uint32_t tick, int channel, int number, int value)
    {
        return event(tick, {char(0xB0 | channel), char(number), char(value)});
    }
    // The General MIDI "system on" message.
    MidiBuilder& gmReset(uint32_t tick) { return event(tick, {char(0xF0), 5, 0x7E, 0x7F, 0x09, 0x01, char(0xF7)}); }
    MidiBuilder& note(uint32_t on, uint32_t off, int channel, int key, int velocity = 100)
    {
        event(on, {char(0x90 | channel), char(key), char(velocity)});
        return event(off, {char(0x80 | channel), char(key), 0});
    }
    QByteArray bytes(int declaredTracks = -1) const
    {
        QByteArray out("MThd");
        be32(out, 6);
        be16(out, format_);
        be16(out, declaredTracks >= 0 ? declaredTracks : int(tracks_.size()));
        be16(out, division_);
        for (const QByteArray& t : tracks_) {
            QByteArray body = t;
            body.append(QByteArray("\x00\xFF\x2F\x00", 4));
            out.append("MTrk");
            be32(out, uint32_t(body.size()));
            out.append(body);
        }
        return out;
    }

private:
    // Events must be added in time order within a track.
    MidiBuilder& event(uint32_t tick, std::initializer_list<char> data)
    {
        QByteArray& t = tracks_.back();
        uint32_t delta = tick - last_;
        last_ = tick;
        QByteArray vlq;
        vlq.prepend(char(delta & 0x7F));
        while (delta >>= 7)
            vlq.prepend(char(0x80 | (delta & 0x7F)));
        t.append(vlq);
        for (char c : data)
            t.append(c);
        return *this;
    }
    static void be32(QByteArray& b, uint32_t v)
    {
        for (int s = 24; s >= 0; s -= 8)
            b.append(char(v >> s));
    }
    static void be16(QByteArray& b, int v)
    {
        b.append(char(v >> 8));
        b.append(char(v));
    }
    int format_, division_;
    uint32_t last_ = 0;
    std::vector<QByteArray> tracks_;
};

// A song for benchmarks: `tracks` instruments, each playing `notes` notes of `length` ticks,
// one every `step` ticks.
inline QByteArray manyNotes(int tracks, int notes, uint32_t step, uint32_t length)
{
    MidiBuilder b(1);
    b.track().tempo(0, 500000);
    for (int t = 0; t < tracks; ++t) {
        b.track().program(0, t, t * 8);
        for (int n = 0; n < notes; ++n)
            b.note(uint32_t(n) * step, uint32_t(n) * step + length, t, 40 + (n * 7 + t * 5) % 40);
    }
    return b.bytes();
}

// A signal every channel of which can be told apart: a sine per channel plus a slow sweep.
inline std::vector<float> referenceSignal(int rate, int channels, double seconds)
{
    const int64_t frames = int64_t(rate * seconds);
    std::vector<float> s(size_t(frames * channels));
    for (int64_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const double t = double(i) / rate;
            s[size_t(i * channels + c)] = float(
                0.4 * std::sin(2 * M_PI * (220.0 + 110 * c) * t) + 0.3 * std::sin(2 * M_PI * (50 + 400 * t) * t));
        }
    return s;
}

// A sound file of libsndfile's `format`; `loop` (start, end in frames), when given, goes in
// as a wave file's "smpl" loop.
inline bool writeWave(const QString& path, const std::vector<float>& samples, int rate, int channels, int format,
    std::pair<unsigned, unsigned> loop = {})
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    sf_command(f, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (loop.second > loop.first) {
        SF_INSTRUMENT instrument{};
        instrument.loop_count = 1;
        instrument.loops[0] = {SF_LOOP_FORWARD, loop.first, loop.second, 0};
        sf_command(f, SFC_SET_INSTRUMENT, &instrument, sizeof instrument);
    }
    // In pieces: libvorbis fails on one write of minutes of sound.
    const sf_count_t frames = sf_count_t(samples.size() / size_t(channels));
    bool ok = true;
    for (sf_count_t at = 0; at < frames && ok; at += 8192) {
        const sf_count_t n = std::min<sf_count_t>(8192, frames - at);
        ok = sf_writef_float(f, samples.data() + at * channels, n) == n;
    }
    sf_close(f);
    return ok;
}

inline std::vector<float> readToEnd(audio::AudioSource& source)
{
    std::vector<float> all;
    std::vector<float> block(size_t(4096 * source.channels()));
    for (;;) {
        const int64_t n = source.read(block.data(), 4096);
        if (n <= 0)
            break;
        all.insert(all.end(), block.begin(), block.begin() + n * source.channels());
    }
    return all;
}

inline double rms(const float* s, size_t n)
{
    double sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += double(s[i]) * s[i];
    return n ? std::sqrt(sum / double(n)) : 0;
}

// Signal-to-noise ratio of `decoded` against `reference`, in dB.
inline double snr(const std::vector<float>& reference, const std::vector<float>& decoded)
{
    double signal = 0, noise = 0;
    const size_t n = std::min(reference.size(), decoded.size());
    for (size_t i = 0; i < n; ++i) {
        signal += double(reference[i]) * reference[i];
        noise += double(reference[i] - decoded[i]) * (reference[i] - decoded[i]);
    }
    return noise == 0 ? 200 : 10 * std::log10(signal / noise);
}

// The sounds of Debian's game data packages the tests use as real game files.
inline const QString kFrozenBubbleSounds = QStringLiteral("/usr/share/games/frozen-bubble/snd/");
inline const QString kWarzoneMusic = QStringLiteral("/usr/share/games/warzone2100/music/albums/original_soundtrack/");

// What file(1) makes of a file: the codec, rate and channels a game's loader would find.
inline QString fileSays(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("file"), {QStringLiteral("-b"), path});
    p.waitForFinished(10'000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// Three seconds of Vorbis at `path` with `tag` ("LOOPSTART=...") among its comments. libsndfile
// writes only its own tags: a title as long as the tag is written, then changed in place.
inline bool vorbisWithTag(const QString& path, const QByteArray& tag)
{
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    const QByteArray title = "aaaa" + QByteArray(tag.size() - 10, '0');
    sf_set_string(f, SF_STR_TITLE, title.constData());
    const std::vector<float> sound = referenceSignal(44100, 1, 3);
    sf_writef_float(f, sound.data(), sf_count_t(sound.size()));
    sf_close(f);
    QFile in(path);
    std::vector<QByteArray> pages = oggPages(in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray());
    in.close();
    bool patched = false;
    for (QByteArray& page : pages)
        if (const qsizetype i = page.indexOf("TITLE=" + title); i >= 0) {
            page.replace(i, tag.size(), tag);
            sealPage(page);
            patched = true;
        }
    QByteArray all;
    for (const QByteArray& p : pages)
        all += p;
    QFile out(path);
    return patched && out.open(QIODevice::WriteOnly) && out.write(all) == all.size();
}

} // namespace sonaplex::test
