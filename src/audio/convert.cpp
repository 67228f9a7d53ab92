#include "audio/convert.h"

#include "audio/audio_file.h"
#include "audio/channel_mix.h"
#include "audio/handoff.h"
#include "audio/libraries.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Convert)
};

// libsndfile's compression level (0 best, 1 smallest) that gives a Vorbis stream of this rate
// and channels the nominal bitrate `target`: found by writing headers only, into memory.
double vorbisLevelFor(int rate, int channels, int target)
{
    struct Memory {
        QByteArray bytes;
        sf_count_t at = 0;
    };
    auto nominalAt = [&](double level) {
        Memory m;
        SF_VIRTUAL_IO io{};
        io.get_filelen = [](void* u) { return sf_count_t(static_cast<Memory*>(u)->bytes.size()); };
        io.seek = [](sf_count_t offset, int whence, void* u) {
            auto* m = static_cast<Memory*>(u);
            m->at = whence == SEEK_SET ? offset : whence == SEEK_CUR ? m->at + offset : m->bytes.size() + offset;
            return m->at;
        };
        io.read = [](void* out, sf_count_t n, void* u) {
            auto* m = static_cast<Memory*>(u);
            const sf_count_t got = std::clamp<sf_count_t>(m->bytes.size() - m->at, 0, n);
            std::memcpy(out, m->bytes.constData() + m->at, size_t(got));
            m->at += got;
            return got;
        };
        io.write = [](const void* in, sf_count_t n, void* u) {
            auto* m = static_cast<Memory*>(u);
            if (m->at + n > m->bytes.size())
                m->bytes.resize(qsizetype(m->at + n));
            std::memcpy(m->bytes.data() + m->at, in, size_t(n));
            m->at += n;
            return n;
        };
        io.tell = [](void* u) { return static_cast<Memory*>(u)->at; };
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        SNDFILE* file = sndfile().sf_open_virtual(&io, SFM_WRITE, &info, &m);
        if (!file)
            return 0;
        sndfile().sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
        const float silence[64] = {};
        sndfile().sf_writef_float(file, silence, 64 / channels > 0 ? 64 / channels : 1);
        sndfile().sf_close(file);
        QBuffer buffer(&m.bytes);
        buffer.open(QIODevice::ReadOnly);
        return readOggHeaders(buffer).nominalBitrate;
    };
    // The nominal bitrate falls as the level rises.
    double lo = 0, hi = 1;
    for (int i = 0; i < 12; ++i) {
        const double mid = (lo + hi) / 2;
        if (nominalAt(mid) > target)
            lo = mid;
        else
            hi = mid;
    }
    return (lo + hi) / 2;
}

// The encoder's settings for a copy as close as the codec allows to the game file's own
// quality: Vorbis at its nominal bitrate, Opus and MP3 at its bitrate, MP3 CBR or VBR as it is.
void chooseQuality(SNDFILE* out, const SoundInfo& like, std::optional<double> vorbisLevel)
{
    const int major = like.sfFormat & SF_FORMAT_TYPEMASK, codec = like.sfFormat & SF_FORMAT_SUBMASK;
    std::optional<double> level;
    if (major == SF_FORMAT_OGG && codec == SF_FORMAT_VORBIS && like.bitrate > 0) {
        level = vorbisLevel ? vorbisLevel : vorbisLevelLike(like);
    } else if (major == SF_FORMAT_OGG && codec == SF_FORMAT_OPUS && like.bitrate > 0) {
        // libsndfile spreads 6 to 256 kbit/s a channel over the levels, evenly.
        level = 1 - (double(like.bitrate) / like.channels - 6000) / 250000;
    } else if (major == SF_FORMAT_MPEG && like.bitrate > 0) {
        int mode = like.variableBitrate ? SF_BITRATE_MODE_VARIABLE : SF_BITRATE_MODE_CONSTANT;
        sndfile().sf_command(out, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        // And the bitrates of the MPEG version the rate belongs to.
        const double low = like.rate >= 32000 ? 32000 : 8000,
                     high = like.rate >= 32000 ? 320000
            : like.rate >= 16000               ? 160000
                                               : 64000;
        level = 1 - (like.bitrate - low) / (high - low);
    }
    if (!level)
        return; // the encoder's own default (FLAC and wave files have no bitrate to match)
    double chosen = std::clamp(*level, 0.0, 1.0);
    sndfile().sf_command(out, SFC_SET_COMPRESSION_LEVEL, &chosen, sizeof chosen);
}

} // namespace

namespace {

using Resampler = std::unique_ptr<std::remove_pointer_t<soxr_t>, void (*)(soxr_t)>;

// The replacement's own loop, moved to the new rate, or the whole of it when asked.
LoopPoints loopOf(const AudioHeader& in, LoopChoice choice, double ratio, int64_t frames)
{
    LoopPoints loop;
    if (choice == LoopChoice::Whole) {
        loop = {0, frames};
    } else if (in.loop.present()) {
        loop.start = std::min<int64_t>(int64_t(std::llround(double(in.loop.start) * ratio)), frames);
        loop.length = in.loop.length > 0
            ? std::min<int64_t>(int64_t(std::llround(double(in.loop.length) * ratio)), frames - loop.start)
            : -1;
    }
    return loop;
}

bool isWaveContainer(int sfFormat)
{
    const int major = sfFormat & SF_FORMAT_TYPEMASK;
    return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
}

// A wave file's loop is written before its sound ("smpl"); Ogg's tags once it is written.
void setWaveLoop(SNDFILE* out, const LoopPoints& loop, int64_t frames)
{
    SF_INSTRUMENT instrument{};
    instrument.basenote = 60;
    instrument.velocity_hi = 127;
    instrument.key_hi = 127;
    instrument.loop_count = 1;
    const int64_t end = loop.length > 0 ? loop.start + loop.length : frames;
    instrument.loops[0] = {SF_LOOP_FORWARD, unsigned(loop.start), unsigned(end), 0};
    sndfile().sf_command(out, SFC_SET_INSTRUMENT, &instrument, sizeof instrument);
}

// Reads the source, mixes its channels to the game file's and resamples to its rate, a block
// at a time: on the Handoff's thread, while the encoder works on this one.
struct Shaping {
    AudioSource& in;
    int inChannels, channels;
    float gain;
    double ratio;
    Resampler resampler;
    int64_t block;
    std::vector<float> raw, mixed;
    size_t inputLeft = 0;
    int64_t framesRead = 0; // of the source
    bool done = false;
    QString error; // read once the Handoff has ended

    Shaping(AudioSource& source, int outChannels, float g, double r, Resampler rs)
        : in(source), inChannels(source.channels()), channels(outChannels), gain(g), ratio(r), resampler(std::move(rs))
    {
        // Buffers are sized by what the file holds and by what one block becomes at the new
        // rate: an input block shrinks as the ratio grows, so no buffer passes a few megabytes.
        constexpr int64_t kBlock = 1 << 15;
        block = std::clamp<int64_t>(
            std::min<int64_t>(int64_t(kBlock / std::max(ratio, 1.0)), std::max<int64_t>(in.lengthFrames(), 1)), 1,
            kBlock);
        raw.resize(size_t(block) * size_t(inChannels));
        mixed.resize(size_t(block) * size_t(channels));
    }

    // Encoders are handed full scale at most, and no NaN: a damaged file's decoder may give
    // anything, and LAME aborts the program on some of it.
    static bool bounded(std::vector<float>& samples)
    {
        for (float& v : samples)
            v = std::isfinite(v) ? std::clamp(v, -1.f, 1.f) : 0.f;
        return true;
    }

    // The next block at the game file's rate and channels; false at the end (or on `error`).
    bool next(std::vector<float>& out)
    {
        for (;;) {
            if (inputLeft == 0 && !done) {
                const int64_t n = in.read(raw.data(), block);
                done = n <= 0;
                framesRead += std::max<int64_t>(n, 0);
                if (n > 0)
                    mixChannels(raw.data(), inChannels, mixed.data(), channels, n, gain);
                inputLeft = size_t(std::max<int64_t>(n, 0));
            }
            if (!resampler) {
                if (done)
                    return false;
                out.assign(mixed.begin(), mixed.begin() + qsizetype(inputLeft) * channels);
                inputLeft = 0;
                return bounded(out);
            }
            // At the end, the resampler is drained: called with no input until it gives no more.
            out.resize(size_t(std::ceil(double(block) * ratio) + 64) * size_t(channels));
            size_t used = 0, made = 0;
            const soxr_error_t failure = soxr().soxr_process(resampler.get(), done ? nullptr : mixed.data(), inputLeft,
                &used, out.data(), out.size() / size_t(channels), &made);
            if (failure) {
                error = Say::tr("resampling failed (%1)").arg(QString::fromUtf8(failure));
                return false;
            }
            out.resize(made * size_t(channels));
            if (!done) {
                std::copy(mixed.begin() + qsizetype(used) * channels, mixed.begin() + qsizetype(inputLeft) * channels,
                    mixed.begin());
                inputLeft -= used;
            }
            if (made > 0)
                return bounded(out);
            if (done)
                return false;
        }
    }
};

// Whether what was written at `path` is the whole copy asked for: it opens in the container
// and codec of `like`, at its rate and with its channels, and decodes to its end with about
// the frames written (lossy codecs pad or trim a little at the edges). A write that failed
// without a word (an encoder's pages lost to a full disk) leaves a copy that does not.
QString checkWholeCopy(const QString& path, const SoundInfo& like, int64_t written)
{
    // Read back as every file is read: the program's own checks of its headers, then libsndfile.
    AudioHeader header;
    OpenResult opened = openAudio(path, &header);
    if (!opened.source)
        return Say::tr("the converted copy cannot be read back (%1)").arg(opened.error);
    constexpr int kKind = SF_FORMAT_TYPEMASK | SF_FORMAT_SUBMASK;
    if ((header.sfFormat & kKind) != (like.sfFormat & kKind) || header.rate != like.rate
        || header.channels != like.channels)
        return Say::tr("the converted copy is not in the format asked for");
    AudioSource& in = *opened.source;
    std::vector<float> block(size_t(4096) * size_t(in.channels()));
    int64_t decoded = 0;
    for (int64_t n; (n = in.read(block.data(), 4096)) > 0;)
        decoded += n;
    if (!in.problem().isEmpty())
        return Say::tr("the converted copy does not decode to its end");
    const bool lossless = isWaveContainer(like.sfFormat) || (like.sfFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_FLAC;
    const int64_t slack = lossless ? 0 : std::min<int64_t>(written / 2, 4096);
    if (decoded + slack < written)
        return Say::tr("the converted copy is cut short (%1 of %2 frames)").arg(decoded).arg(written);
    return {};
}

} // namespace

std::optional<double> vorbisLevelLike(const SoundInfo& like)
{
    const int major = like.sfFormat & SF_FORMAT_TYPEMASK, codec = like.sfFormat & SF_FORMAT_SUBMASK;
    if (major != SF_FORMAT_OGG || codec != SF_FORMAT_VORBIS || like.bitrate <= 0 || !sndfile().error.isEmpty())
        return {};
    static std::mutex guard;
    static std::map<std::tuple<int, int, int>, double> found;
    const std::tuple<int, int, int> key{like.rate, like.channels, like.bitrate};
    std::lock_guard<std::mutex> lock(guard);
    if (const auto it = found.find(key); it != found.end())
        return it->second;
    return found[key] = vorbisLevelFor(like.rate, like.channels, like.bitrate);
}

QString convertRecording(const QString& source, const QString& destination, const SoundInfo& like, double gainDb,
    const std::function<bool()>& stopped, LoopChoice loopChoice, std::optional<double> vorbisLevel)
{
    const QString name = QFileInfo(source).fileName();
    AudioHeader inInfo;
    OpenResult opened = openAudio(source, &inInfo); // the checks the player makes, then its reader
    if (!opened.source)
        return Say::tr("%1 cannot be read as a recording").arg(name);
    AudioSource& in = *opened.source;

    if (!sndfile().error.isEmpty())
        return sndfile().error;
    SF_INFO outInfo{};
    outInfo.samplerate = like.rate;
    outInfo.channels = like.channels;
    outInfo.format = like.sfFormat;
    if (!sndfile().sf_format_check(&outInfo))
        return Say::tr("the game file's format (%1) cannot be written").arg(formatSummary(like));
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> out(
        sndfile().sf_open(QFile::encodeName(destination).constData(), SFM_WRITE, &outInfo), sndfile().sf_close);
    if (!out)
        return Say::tr("the converted copy cannot be written (%1)")
            .arg(QString::fromUtf8(sndfile().sf_strerror(nullptr)));
    sndfile().sf_command(out.get(), SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    sndfile().sf_command(out.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    chooseQuality(out.get(), like, vorbisLevel);

    auto failed = [&](const QString& why) {
        out.reset();
        QFile::remove(destination);
        return why;
    };
    Resampler resampler(nullptr, soxr().soxr_delete);
    if (inInfo.rate != like.rate) {
        if (!soxr().error.isEmpty())
            return failed(soxr().error);
        soxr_error_t error = nullptr;
        const soxr_io_spec_t io = soxr().soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr().soxr_quality_spec(SOXR_HQ, 0);
        resampler.reset(soxr().soxr_create(
            double(inInfo.rate), double(like.rate), unsigned(like.channels), &error, &io, &quality, nullptr));
        if (!resampler)
            return failed(Say::tr("the resampler cannot start (%1)").arg(QString::fromUtf8(error)));
    }
    const double ratio = double(like.rate) / inInfo.rate;
    const int64_t frames = std::max<int64_t>(1, int64_t(std::llround(double(in.lengthFrames()) * ratio)));
    const LoopPoints loop = loopOf(inInfo, loopChoice, ratio, frames);
    if (loop.present() && isWaveContainer(like.sfFormat))
        setWaveLoop(out.get(), loop, frames);

    Shaping shaping(in, like.channels, float(std::pow(10.0, gainDb / 20)), ratio, std::move(resampler));
    int64_t written = 0;
    {
        Handoff shaped([&shaping](std::vector<float>& block) { return shaping.next(block); });
        for (std::vector<float> block; shaped.take(block);) {
            if (stopped && stopped())
                return failed(Say::tr("the conversion was stopped"));
            const auto n = sf_count_t(block.size() / size_t(like.channels));
            if (n > 0 && sndfile().sf_writef_float(out.get(), block.data(), n) != n)
                return failed(Say::tr("the converted copy cannot be written (disk full?)"));
            written += n;
        }
    }
    if (!shaping.error.isEmpty())
        return failed(shaping.error);
    if (const QString why = in.problem(); !why.isEmpty()) // the replacement was not read whole
        return failed(Say::tr("%1: %2").arg(name, why));
    // A decoder that stops early at a damaged page says nothing: its length says it (an MP3's is
    // only estimated).
    if ((inInfo.sfFormat & SF_FORMAT_TYPEMASK) != SF_FORMAT_MPEG
        && shaping.framesRead < in.lengthFrames() - in.lengthFrames() / 50)
        return failed(Say::tr("%1 could not be read to its end (%2 of %3 frames): it may be damaged")
                          .arg(name)
                          .arg(shaping.framesRead)
                          .arg(in.lengthFrames()));
    if (sndfile().sf_error(out.get()) != SF_ERR_NO_ERROR)
        return failed(Say::tr("the converted copy cannot be written"));
    // sf_close writes what the encoder still holds and the header's sizes: its error is the
    // write's.
    if (sndfile().sf_close(out.release()) != 0)
        return failed(Say::tr("the converted copy cannot be written (disk full?)"));
    if (loop.present() && (like.sfFormat & SF_FORMAT_TYPEMASK) == SF_FORMAT_OGG)
        if (const QString why = setOggLoopTags(destination, loop); !why.isEmpty())
            return failed(Say::tr("the loop points cannot be written (%1)").arg(why));
    if (const QString why = checkWholeCopy(destination, like, written); !why.isEmpty())
        return failed(why);
    return {};
}

} // namespace sonaplex::audio
