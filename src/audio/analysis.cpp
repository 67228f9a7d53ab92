#include "audio/analysis.h"

#include "audio/audio_file.h"
#include "audio/handoff.h"
#include "audio/libraries.h"
#include "audio/midi_source.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Analysis)
};

QString channelsName(int channels)
{
    switch (channels) {
    case 1:
        return Say::tr("mono");
    case 2:
        return Say::tr("stereo");
    default:
        return Say::tr("%1 channels").arg(channels);
    }
}

QString containerName(int sfFormat)
{
    switch (sfFormat & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
        return {};
    case SF_FORMAT_WAVEX:
        return QStringLiteral("WAVE_FORMAT_EXTENSIBLE");
    case SF_FORMAT_RF64:
        return QStringLiteral("RF64");
    case SF_FORMAT_OGG:
        return (sfFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_OPUS ? QStringLiteral("Opus") : Say::tr("Ogg Vorbis");
    case SF_FORMAT_FLAC:
        return QStringLiteral("FLAC");
    case SF_FORMAT_MPEG:
        return QStringLiteral("MP3");
    default:
        return Say::tr("not WAV");
    }
}

// Vorbis, Opus and MP3 keep no bits per sample, but a bitrate.
bool isLossy(int sfFormat)
{
    const int major = sfFormat & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_OGG || major == SF_FORMAT_MPEG;
}

QString bitrateText(const SoundInfo& info)
{
    if (info.bitrate <= 0)
        return {};
    QString text = Say::tr("%1 kbps").arg((info.bitrate + 500) / 1000);
    if ((info.sfFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG)
        text += info.variableBitrate ? Say::tr(" VBR") : Say::tr(" CBR");
    return text;
}

QString loopText(const SoundInfo& info)
{
    if (info.loopOutside)
        return Say::tr("its loop tags point past its end: they are not used");
    if (!info.loop.present())
        return {};
    const int rate = info.rate > 0 ? info.rate : 1;
    const int decimals = std::max(1, clockDecimals(info.loop.start + std::max<int64_t>(info.loop.length, 0), rate));
    if (info.loop.length > 0)
        return Say::tr("loops %1 to %2")
            .arg(clockText(info.loop.start, rate, decimals),
                clockText(info.loop.start + info.loop.length, rate, decimals));
    return Say::tr("loops from %1").arg(clockText(info.loop.start, rate, decimals));
}

constexpr int64_t kScanFrames = 1 << 15;

} // namespace

int clockDecimals(int64_t frames, int rate)
{
    return rate <= 0 ? 0 : frames < rate ? 2 : frames < int64_t(rate) * 10 ? 1 : 0;
}

QString clockText(int64_t frames, int rate, int decimals)
{
    if (rate <= 0)
        return QStringLiteral("0:00");
    const int64_t scale = decimals == 2 ? 100 : decimals == 1 ? 10 : 1;
    const int64_t t = frames * scale / rate;
    const int64_t s = t / scale;
    QString text = QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    if (decimals > 0)
        text += QLatin1Char('.') + QStringLiteral("%1").arg(t % scale, decimals, 10, QLatin1Char('0'));
    return text;
}

namespace {
// A sound's length on its format line: at least tenths, hundredths under a second.
QString lengthText(int64_t frames, int rate)
{
    return clockText(frames, rate, std::max(1, clockDecimals(frames, rate)));
}
} // namespace

QString sampleFormatName(int sfFormat)
{
    switch (sfFormat & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return Say::tr("8-bit");
    case SF_FORMAT_PCM_16:
        return Say::tr("16-bit");
    case SF_FORMAT_PCM_24:
        return Say::tr("24-bit");
    case SF_FORMAT_PCM_32:
        return Say::tr("32-bit");
    case SF_FORMAT_FLOAT:
        return Say::tr("32-bit float");
    case SF_FORMAT_DOUBLE:
        return Say::tr("64-bit float");
    case SF_FORMAT_ULAW:
        return QStringLiteral("mu-law");
    case SF_FORMAT_ALAW:
        return QStringLiteral("A-law");
    case SF_FORMAT_IMA_ADPCM:
        return Say::tr("IMA ADPCM");
    case SF_FORMAT_MS_ADPCM:
        return Say::tr("MS ADPCM");
    case SF_FORMAT_GSM610:
        return Say::tr("GSM 6.10");
    case SF_FORMAT_G721_32:
        return Say::tr("G.721 ADPCM");
    case SF_FORMAT_VORBIS:
        return QStringLiteral("Vorbis");
    case SF_FORMAT_OPUS:
        return QStringLiteral("Opus");
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
        return Say::tr("MPEG audio");
    default:
        return Say::tr("compressed");
    }
}

SoundInfo midiInfo(const MidiSong& song)
{
    SoundInfo info;
    info.kind = DeviceKind::Sequencer;
    info.seconds = song.lastEventSeconds + kMidiTailSeconds;
    info.midiFormat = song.format;
    info.tracks = song.tracks;
    // A channel sounds the program last chosen on it (the piano until one is).
    int program[16] = {};
    std::set<int> used;
    for (const MidiEvent& e : song.events) {
        const int ch = e.status & 0x0F;
        if ((e.status & 0xF0) == 0xC0) {
            program[ch] = e.data1;
        } else if ((e.status & 0xF0) == 0x90 && e.data2 > 0) {
            if (ch == 9)
                info.drums = true;
            else
                used.insert(program[ch]);
        }
    }
    info.instruments = int(used.size());
    return info;
}

namespace {
// The bytes of sound in a file: its size less the tags beside the sound, an ID3v2 tag in front
// (of any size: pictures, lyrics) and an ID3v1 tag at its end, which no bitrate counts.
qint64 soundBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    qint64 bytes = file.size();
    const QByteArray head = file.read(10);
    if (head.size() == 10 && head.startsWith("ID3")) {
        const auto b = [&](int i) { return qint64(quint8(head[i]) & 0x7F); };
        const qint64 tag = 10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9)) + ((quint8(head[5]) & 0x10) ? 10 : 0);
        bytes -= std::min(tag, bytes);
    }
    if (bytes >= 128 && file.seek(file.size() - 128) && file.read(3) == "TAG")
        bytes -= 128;
    return bytes;
}
} // namespace

SoundInfo soundInfo(DeviceKind kind, const QString& path, bool headersOnly)
{
    SoundInfo info;
    info.kind = kind;
    if (kind == DeviceKind::Sequencer) {
        MidiRead read = readMidi(path);
        if (!read.error.isEmpty()) {
            info.error = read.error;
            return info;
        }
        return midiInfo(read.song);
    }
    AudioHeader header;
    if (const QString why = headersOnly ? readAudioHeader(path, header) : openAudio(path, &header).error;
        !why.isEmpty()) {
        info.error = why;
        return info;
    }
    info.format = header.format;
    info.sfFormat = header.sfFormat;
    info.rate = header.rate;
    info.channels = header.channels;
    info.frames = header.frames;
    info.seconds = double(header.frames) / header.rate;
    info.variableBitrate = header.variableBitrate;
    info.loop = header.loop;
    info.loopOutside = header.loopOutside;
    info.moduleType = header.moduleType;
    info.moduleChannels = header.moduleChannels;
    if (header.ogg.codec == OggHeaders::Codec::Opus)
        info.sourceRate = header.ogg.rate;
    if (header.ogg.nominalBitrate > 0)
        info.bitrate = header.ogg.nominalBitrate;
    else if (isLossy(header.sfFormat) && info.seconds > 0) {
        // The sound's own bytes: only MP3 files carry ID3 tags (read for them alone); an Ogg
        // file's header pages (comments, a picture) are no part of its bitrate either.
        const qint64 bytes = (header.sfFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG
            ? soundBytes(path)
            : QFileInfo(path).size() - std::max<qint64>(0, header.ogg.soundStart);
        info.bitrate = int(std::min(double(std::max<qint64>(0, bytes)) * 8 / info.seconds, 1e8));
    }
    return info;
}

QString formatSummary(const SoundInfo& info)
{
    if (!info.ok())
        return {};
    if (info.kind == DeviceKind::Sequencer)
        return Say::tr("MIDI format %1").arg(info.midiFormat);
    if (info.format == SoundFormat::Module)
        return Say::tr("%1 module").arg(info.moduleType);
    QString text = isLossy(info.sfFormat)
        ? Say::tr("%1 Hz %2").arg(info.rate).arg(channelsName(info.channels))
        : Say::tr("%1 Hz %2 %3").arg(info.rate).arg(channelsName(info.channels), sampleFormatName(info.sfFormat));
    if (const QString container = containerName(info.sfFormat); !container.isEmpty())
        text += QStringLiteral(" (%1)").arg(container);
    return text;
}

QString formatLine(const SoundInfo& info)
{
    if (!info.ok())
        return {};
    const QString dot = QStringLiteral(" \u00b7 ");
    if (info.format == SoundFormat::Module)
        return QStringList{Say::tr("%1 module").arg(info.moduleType),
            info.moduleChannels == 1 ? Say::tr("1 channel") : Say::tr("%1 channels").arg(info.moduleChannels),
            lengthText(info.frames, info.rate)}
            .join(dot);
    if (info.kind == DeviceKind::WaveAudio) {
        QStringList parts{Say::tr("%1 Hz").arg(info.rate), channelsName(info.channels),
            isLossy(info.sfFormat) ? bitrateText(info) : sampleFormatName(info.sfFormat),
            lengthText(info.frames, info.rate)};
        parts.removeAll(QString());
        if (const QString container = containerName(info.sfFormat); !container.isEmpty())
            parts.insert(0, container);
        QString line = parts.join(dot);
        if (const QString loop = loopText(info); !loop.isEmpty())
            line += QLatin1Char('\n') + loop;
        return line;
    }
    QString instruments = info.instruments == 1 ? Say::tr("1 General MIDI instrument")
                                                : Say::tr("%1 General MIDI instruments").arg(info.instruments);
    if (info.drums)
        instruments += Say::tr(" and drums");
    return QStringList{Say::tr("MIDI format %1").arg(info.midiFormat),
               info.tracks == 1 ? Say::tr("1 track") : Say::tr("%1 tracks").arg(info.tracks),
               lengthText(int64_t(info.seconds * kMidiSampleRate), kMidiSampleRate)}
               .join(dot)
        + QLatin1Char('\n') + instruments;
}

QString formatDifference(const SoundInfo& game, const SoundInfo& replacement)
{
    if (!game.ok() || !replacement.ok() || game.kind != DeviceKind::WaveAudio || replacement.kind != game.kind
        || game.format == SoundFormat::Module || replacement.format == SoundFormat::Module)
        return {};
    const QString a = formatSummary(game), b = formatSummary(replacement);
    if (a == b && (game.sfFormat & SF_FORMAT_TYPEMASK) == (replacement.sfFormat & SF_FORMAT_TYPEMASK))
        return {};
    return Say::tr("game: %1; replacement: %2").arg(a, b);
}

SoundInfo soundFileInfoInProcess(const QString& path, bool headersOnly)
{
    const SoundFormat format = soundFormatOfName(path);
    SoundInfo info;
    if (format == SoundFormat::Unknown) {
        info.error = Say::tr("%1 is not a sound file Sonaplex knows (%2)")
                         .arg(QFileInfo(path).fileName(),
                             Say::tr("wave, MIDI, Ogg Vorbis, Opus, FLAC, MP3 or a "
                                     "tracker module"));
        return info;
    }
    const bool midi = format == SoundFormat::Midi;
    info = soundInfo(midi ? DeviceKind::Sequencer : DeviceKind::WaveAudio, path, headersOnly);
    if (info.ok() && !midi && info.frames <= 0)
        info.error = Say::tr("%1 holds no sound").arg(QFileInfo(path).fileName());
    if (info.error.isEmpty() && !info.ok())
        info.error = Say::tr("%1 holds no sound that can be played").arg(QFileInfo(path).fileName());
    return info;
}

bool codecsDiffer(int game, int replacement)
{
    auto container = [](int f) {
        const int major = f & SF_FORMAT_TYPEMASK;
        return major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64 ? SF_FORMAT_WAV : major;
    };
    if (container(game) != container(replacement))
        return true;
    return isLossy(game) && (game & SF_FORMAT_SUBMASK) != (replacement & SF_FORMAT_SUBMASK);
}

FormatCheck checkFormats(const SoundInfo& a, const SoundInfo& b)
{
    FormatCheck check{FormatCheck::State::Same, {}, {}};
    check.loopMissing = a.ok() && b.ok() && a.kind == DeviceKind::WaveAudio && b.kind == DeviceKind::WaveAudio
        && a.format != SoundFormat::Module && a.loop.present() && !b.loop.present();
    if (formatDifference(a, b).isEmpty())
        return check;
    check.state = FormatCheck::State::Differs;
    check.codecDiffers = codecsDiffer(a.sfFormat, b.sfFormat);
    check.game = {a.rate, a.channels, a.sfFormat};
    check.replacement = {b.rate, b.channels, b.sfFormat};
    return check;
}

QString formatDifference(const FormatCheck& check)
{
    if (check.state != FormatCheck::State::Differs)
        return {};
    auto info = [](const WaveFormat& f) {
        SoundInfo i;
        i.kind = DeviceKind::WaveAudio;
        i.rate = f.rate;
        i.channels = f.channels;
        i.sfFormat = f.sfFormat;
        return i;
    };
    return formatDifference(info(check.game), info(check.replacement));
}

namespace {

// EBU R128 integrated loudness needs 400 ms blocks: a shorter clip (most game effects) is
// measured as one window over the whole of it instead, with the same K-weighting.
struct Meter {
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> state;
    unsigned shortWindowMs = 0;
    Meter(int channels, int rate, int64_t frames)
        : state(ebur128().error.isEmpty() ? ebur128().ebur128_init(
                    unsigned(channels), unsigned(rate), EBUR128_MODE_I | EBUR128_MODE_M | EBUR128_MODE_SAMPLE_PEAK)
                                          : nullptr,
            [](ebur128_state* s) { ebur128().ebur128_destroy(&s); })
    {
        if (!state)
            return;
        if (channels == 1)
            ebur128().ebur128_set_channel(state.get(), 0, EBUR128_DUAL_MONO);
        const int64_t ms = frames * 1000 / rate;
        if (ms > 0 && ms < 400) {
            shortWindowMs = unsigned(ms);
            ebur128().ebur128_set_max_window(state.get(), shortWindowMs);
        }
    }
    Loudness result(int channels) const
    {
        Loudness l;
        double peak = 0;
        for (int c = 0; c < channels; ++c) {
            double p = 0;
            ebur128().ebur128_sample_peak(state.get(), unsigned(c), &p);
            peak = std::max(peak, p);
        }
        double lufs = -HUGE_VAL;
        if (shortWindowMs)
            ebur128().ebur128_loudness_window(state.get(), shortWindowMs, &lufs);
        else
            ebur128().ebur128_loudness_global(state.get(), &lufs);
        l.ok = true;
        l.peakDb = peak > 0 ? 20 * std::log10(peak) : -200;
        l.lufs = std::isfinite(lufs) && lufs > -200 ? lufs : -200;
        return l;
    }
};

} // namespace

namespace {

// The whole-file picture (`bins` > 0) and the loudness (`meter`), in one pass over `source`.
bool scan(AudioSource& source, int bins, const std::function<bool(OverviewPart&&)>& deliver, ebur128_state* meter,
    const std::function<bool()>& stopped)
{
    const int channels = source.channels();
    const int64_t total = source.lengthFrames();
    // The file is decoded on another thread, a few blocks ahead of the measuring here.
    Handoff decoded([&source, channels](std::vector<float>& block) {
        block.resize(size_t(kScanFrames) * size_t(channels));
        const int64_t n = source.read(block.data(), kScanFrames);
        block.resize(size_t(std::max<int64_t>(n, 0)) * size_t(channels));
        return n > 0;
    });
    std::vector<float> buffer;
    OverviewPart part;
    int bin = 0;
    float lo = 0, hi = 0;
    int64_t frame = 0;
    int64_t binEnd = bins > 0 && total / bins > 0 ? total / bins : 1;
    int lastSent = 0;
    auto closeBin = [&] {
        part.min.push_back(lo);
        part.max.push_back(hi);
        lo = hi = 0;
        ++bin;
        binEnd = std::max<int64_t>(binEnd + 1, total * (bin + 1) / std::max(bins, 1));
    };
    for (;;) {
        if (stopped && stopped())
            return false;
        if (!decoded.take(buffer))
            break;
        const int64_t n = int64_t(buffer.size()) / channels;
        if (meter)
            ebur128().ebur128_add_frames_float(meter, buffer.data(), size_t(n));
        if (bins <= 0)
            continue;
        const float* p = buffer.data();
        for (int64_t i = 0; i < n; ++i, ++frame) {
            if (frame >= binEnd && bin < bins - 1)
                closeBin();
            for (int c = 0; c < channels; ++c, ++p) {
                lo = std::min(lo, *p);
                hi = std::max(hi, *p);
            }
        }
        // Hand over what is finished a few times a second's worth of file, not per block.
        if (bin - lastSent >= std::max(1, bins / 32)) {
            OverviewPart done{lastSent, std::move(part.min), std::move(part.max)};
            part = {};
            lastSent = bin;
            if (!deliver(std::move(done)))
                return false;
        }
    }
    if (bins <= 0)
        return true;
    while (bin < bins) // the last bin, and any a short read left empty
        closeBin();
    return deliver(OverviewPart{lastSent, std::move(part.min), std::move(part.max)});
}

} // namespace

bool waveOverview(const QString& path, int bins, const std::function<bool(OverviewPart&&)>& deliver)
{
    OpenResult opened = openAudio(path); // the checks the player makes, then its reader
    if (bins <= 0 || !opened.source || opened.source->lengthFrames() <= 0)
        return false;
    return scan(*opened.source, bins, deliver, nullptr, {});
}

std::vector<float> noteDensity(const MidiSong& song, int bins)
{
    std::vector<float> density(size_t(std::max(bins, 0)), 0.f);
    const double length = song.lastEventSeconds + kMidiTailSeconds;
    if (bins <= 0 || length <= 0)
        return density;
    for (const MidiEvent& e : song.events)
        if ((e.status & 0xF0) == 0x90 && e.data2 > 0)
            density[std::min<size_t>(size_t(e.seconds / length * bins), size_t(bins - 1))] += 1.f;
    const float most = *std::max_element(density.begin(), density.end());
    if (most > 0)
        for (float& d : density)
            d /= most;
    return density;
}

Loudness measureLoudness(const QString& path, const std::function<bool()>& stopped)
{
    return analyseRecording(
        path, 0, [](OverviewPart&&) { return true; }, stopped);
}

Loudness analyseRecording(const QString& path, int bins, const std::function<bool(OverviewPart&&)>& deliver,
    const std::function<bool()>& stopped)
{
    OpenResult opened = openAudio(path);
    if (!opened.source || opened.source->lengthFrames() <= 0)
        return {};
    AudioSource& source = *opened.source;
    Meter meter(source.channels(), source.sampleRate(), source.lengthFrames());
    if (!meter.state || !scan(source, bins, deliver, meter.state.get(), stopped))
        return {};
    return meter.result(source.channels());
}

Loudness measureLoudness(const float* samples, int64_t frames, int channels, int rate)
{
    Meter meter(channels, rate, frames);
    if (!meter.state)
        return {};
    ebur128().ebur128_add_frames_float(meter.state.get(), samples, size_t(frames));
    return meter.result(channels);
}

} // namespace sonaplex::audio
