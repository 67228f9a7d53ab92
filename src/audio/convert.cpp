#include "audio/convert.h"

#include "audio/channel_mix.h"
#include "audio/libraries.h"
#include "audio/wave_source.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace sonaplex::audio {

QString convertWave(const QString& source, const QString& destination, const SoundInfo& like, double gainDb,
    const std::function<bool()>& stopped)
{
    const QString name = QFileInfo(source).fileName();
    SF_INFO inInfo{};
    OpenResult opened = openWave(source, &inInfo); // the checks the player makes, then its reader
    if (!opened.source)
        return QStringLiteral("%1 cannot be read as a wave file").arg(name);
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

    auto failed = [&](const QString& why) {
        out.reset();
        QFile::remove(destination);
        return why;
    };
    const int channels = like.channels;
    std::unique_ptr<std::remove_pointer_t<soxr_t>, void (*)(soxr_t)> resampler(nullptr, soxr().soxr_delete);
    if (inInfo.samplerate != like.rate) {
        if (!soxr().error.isEmpty())
            return failed(soxr().error);
        soxr_error_t error = nullptr;
        const soxr_io_spec_t io = soxr().soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr().soxr_quality_spec(SOXR_HQ, 0);
        resampler.reset(soxr().soxr_create(
            double(inInfo.samplerate), double(like.rate), unsigned(channels), &error, &io, &quality, nullptr));
        if (!resampler)
            return failed(QStringLiteral("the resampler cannot start (%1)").arg(QString::fromUtf8(error)));
    }
    const float gain = float(std::pow(10.0, gainDb / 20));
    // Buffers are sized by what the file holds and by what one block becomes at the new rate:
    // an input block shrinks as the rate ratio grows, so no buffer passes a few megabytes.
    constexpr int64_t kBlock = 1 << 15;
    const double ratio = double(like.rate) / inInfo.samplerate;
    const int64_t block = std::clamp<int64_t>(
        std::min<int64_t>(int64_t(kBlock / std::max(ratio, 1.0)), std::max<int64_t>(in.lengthFrames(), 1)), 1, kBlock);
    std::vector<float> raw(size_t(block) * inInfo.channels), mixed(size_t(block) * channels);
    std::vector<float> resampled(size_t(std::ceil(double(block) * ratio) + 64) * channels);
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
    return {};
}

} // namespace sonaplex::audio
