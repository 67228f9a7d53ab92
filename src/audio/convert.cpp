#include "audio/convert.h"

#include "audio/channel_mix.h"
#include "audio/libraries.h"
#include "audio/audio_file.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cstring>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace sonaplex::audio {

namespace {

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
void chooseQuality(SNDFILE* out, const SoundInfo& like)
{
    const int major = like.sfFormat & SF_FORMAT_TYPEMASK, codec = like.sfFormat & SF_FORMAT_SUBMASK;
    std::optional<double> level;
    if (major == SF_FORMAT_OGG && codec == SF_FORMAT_VORBIS && like.bitrate > 0) {
        level = vorbisLevelFor(like.rate, like.channels, like.bitrate);
    } else if (major == SF_FORMAT_OGG && codec == SF_FORMAT_OPUS && like.bitrate > 0) {
        // libsndfile spreads 6 to 256 kbit/s a channel over the levels, evenly.
        level = 1 - (double(like.bitrate) / like.channels - 6000) / 250000;
    } else if (major == SF_FORMAT_MPEG && like.bitrate > 0) {
        int mode = like.variableBitrate ? SF_BITRATE_MODE_VARIABLE : SF_BITRATE_MODE_CONSTANT;
        sndfile().sf_command(out, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        // And the bitrates of the MPEG version the rate belongs to.
        const double low = like.rate >= 32000 ? 32000 : 8000, high = like.rate >= 32000 ? 320000 : like.rate >= 16000 ? 160000 : 64000;
        level = 1 - (like.bitrate - low) / (high - low);
    }
    if (!level)
        return; // the encoder's own default (FLAC and wave files have no bitrate to match)
    double chosen = std::clamp(*level, 0.0, 1.0);
    sndfile().sf_command(out, SFC_SET_COMPRESSION_LEVEL, &chosen, sizeof chosen);
}

} // namespace

QString convertRecording(const QString& source, const QString& destination, const SoundInfo& like, double gainDb,
    const std::function<bool()>& stopped, LoopChoice loopChoice)
{
    const QString name = QFileInfo(source).fileName();
    AudioHeader inInfo;
    OpenResult opened = openAudio(source, &inInfo); // the checks the player makes, then its reader
    if (!opened.source)
        return QStringLiteral("%1 cannot be read as a recording").arg(name);
    AudioSource& in = *opened.source;

    if (!sndfile().error.isEmpty())
        return sndfile().error;
    SF_INFO outInfo{};
    outInfo.samplerate = like.rate;
    outInfo.channels = like.channels;
    outInfo.format = like.sfFormat;
    if (!sndfile().sf_format_check(&outInfo))
        return QStringLiteral("the game file's format (%1) cannot be written").arg(formatSummary(like));
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> out(
        sndfile().sf_open(QFile::encodeName(destination).constData(), SFM_WRITE, &outInfo), sndfile().sf_close);
    if (!out)
        return QStringLiteral("the converted copy cannot be written (%1)").arg(QString::fromUtf8(sndfile().sf_strerror(nullptr)));
    sndfile().sf_command(out.get(), SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    sndfile().sf_command(out.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    chooseQuality(out.get(), like);

    auto failed = [&](const QString& why) {
        out.reset();
        QFile::remove(destination);
        return why;
    };
    const int channels = like.channels;
    std::unique_ptr<std::remove_pointer_t<soxr_t>, void (*)(soxr_t)> resampler(nullptr, soxr().soxr_delete);
    if (inInfo.rate != like.rate) {
        if (!soxr().error.isEmpty())
            return failed(soxr().error);
        soxr_error_t error = nullptr;
        const soxr_io_spec_t io = soxr().soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr().soxr_quality_spec(SOXR_HQ, 0);
        resampler.reset(soxr().soxr_create(
            double(inInfo.rate), double(like.rate), unsigned(channels), &error, &io, &quality, nullptr));
        if (!resampler)
            return failed(QStringLiteral("the resampler cannot start (%1)").arg(QString::fromUtf8(error)));
    }
    const float gain = float(std::pow(10.0, gainDb / 20));
    // Buffers are sized by what the file holds and by what one block becomes at the new rate:
    // an input block shrinks as the rate ratio grows, so no buffer passes a few megabytes.
    constexpr int64_t kBlock = 1 << 15;
    const double ratio = double(like.rate) / inInfo.rate;
    const int64_t block = std::clamp<int64_t>(
        std::min<int64_t>(int64_t(kBlock / std::max(ratio, 1.0)), std::max<int64_t>(in.lengthFrames(), 1)), 1, kBlock);
    std::vector<float> raw(size_t(block) * inInfo.channels), mixed(size_t(block) * channels);
    std::vector<float> resampled(size_t(std::ceil(double(block) * ratio) + 64) * channels);
    // The replacement's own loop, moved to the new rate, or the whole of it when asked. A wave
    // file's loop goes in before its sound; Ogg's tags once it is written.
    const int64_t frames = std::max<int64_t>(1, int64_t(std::llround(double(in.lengthFrames()) * ratio)));
    LoopPoints loop;
    if (loopChoice == LoopChoice::Whole) {
        loop = {0, frames};
    } else if (inInfo.loop.present()) {
        loop.start = std::min<int64_t>(int64_t(std::llround(double(inInfo.loop.start) * ratio)), frames);
        loop.length = inInfo.loop.length > 0
            ? std::min<int64_t>(int64_t(std::llround(double(inInfo.loop.length) * ratio)), frames - loop.start)
            : -1;
    }
    const int major = like.sfFormat & SF_FORMAT_TYPEMASK;
    if (loop.present() && (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64)) {
        SF_INSTRUMENT instrument{};
        instrument.basenote = 60;
        instrument.velocity_hi = 127;
        instrument.key_hi = 127;
        instrument.loop_count = 1;
        const int64_t end = loop.length > 0 ? loop.start + loop.length : frames;
        instrument.loops[0] = {SF_LOOP_FORWARD, unsigned(loop.start), unsigned(end), 0};
        sndfile().sf_command(out.get(), SFC_SET_INSTRUMENT, &instrument, sizeof instrument);
    }
    auto write = [&](const float* data, int64_t frames) {
        return frames == 0 || sndfile().sf_writef_float(out.get(), data, frames) == frames;
    };
    for (bool done = false; !done;) {
        if (stopped && stopped())
            return failed(QStringLiteral("the conversion was stopped"));
        const int64_t n = in.read(raw.data(), block);
        done = n <= 0;
        if (n > 0)
            mixChannels(raw.data(), inInfo.channels, mixed.data(), channels, n, gain);
        if (!resampler) {
            if (!write(mixed.data(), std::max<int64_t>(n, 0)))
                return failed(QStringLiteral("the converted copy cannot be written (disk full?)"));
            continue;
        }
        // At the end, the resampler is drained: called with no input until it gives no more.
        for (size_t inputLeft = size_t(std::max<int64_t>(n, 0));;) {
            size_t used = 0, made = 0;
            const soxr_error_t error = soxr().soxr_process(resampler.get(), done ? nullptr : mixed.data(), inputLeft, &used,
                resampled.data(), resampled.size() / size_t(channels), &made);
            if (error)
                return failed(QStringLiteral("resampling failed (%1)").arg(QString::fromUtf8(error)));
            if (!write(resampled.data(), int64_t(made)))
                return failed(QStringLiteral("the converted copy cannot be written (disk full?)"));
            if (done ? made == 0 : used >= inputLeft)
                break;
            std::copy(mixed.begin() + used * channels, mixed.begin() + inputLeft * channels, mixed.begin());
            inputLeft -= used;
        }
    }
    if (sndfile().sf_error(out.get()) != SF_ERR_NO_ERROR)
        return failed(QStringLiteral("the converted copy cannot be written"));
    out.reset(); // sf_close writes the header's sizes
    if (loop.present() && major == SF_FORMAT_OGG)
        if (const QString why = setOggLoopTags(destination, loop); !why.isEmpty())
            return failed(QStringLiteral("the loop points cannot be written (%1)").arg(why));
    return {};
}

} // namespace sonaplex::audio
