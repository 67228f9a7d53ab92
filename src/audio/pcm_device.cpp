#include "audio/pcm_device.h"

#include "audio/channel_mix.h"

#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sonaplex::audio {

PcmDevice::PcmDevice(AudioSource& source, const QAudioFormat& format, QObject* parent)
    : QIODevice(parent), source_(source), format_(format), srcChannels_(source.channels()),
      resampler_(nullptr, soxr_delete)
{
    if (source.sampleRate() != format.sampleRate()) {
        const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        resampler_.reset(soxr_create(double(source.sampleRate()), double(format.sampleRate()), unsigned(srcChannels_),
            nullptr, &io, &quality, nullptr));
    }
    open(QIODevice::ReadOnly);
}

PcmDevice::~PcmDevice() = default;

void PcmDevice::restartAt(int64_t sourceFrame)
{
    source_.seek(sourceFrame);
    if (resampler_)
        soxr_clear(resampler_.get());
    inputUsed_ = inputFrames_ = 0;
    drained_ = false;
    sourceDone_ = false;
    delivered_ = 0;
    framesBeforeEnd_ = 0;
    ended_ = false;
}

void PcmDevice::convert(const float* in, char* out, int64_t samples, QAudioFormat::SampleFormat format)
{
    switch (format) {
    case QAudioFormat::Float:
        std::memcpy(out, in, size_t(samples) * sizeof(float));
        break;
    case QAudioFormat::Int32: {
        auto* o = reinterpret_cast<int32_t*>(out);
        for (int64_t i = 0; i < samples; ++i)
            o[i] = int32_t(std::lrint(std::clamp(in[i], -1.0f, 1.0f) * 2147483520.0));
        break;
    }
    case QAudioFormat::UInt8: {
        auto* o = reinterpret_cast<uint8_t*>(out);
        for (int64_t i = 0; i < samples; ++i)
            o[i] = uint8_t(std::lrint(std::clamp(in[i], -1.0f, 1.0f) * 127.0f) + 128);
        break;
    }
    default: {
        auto* o = reinterpret_cast<int16_t*>(out);
        for (int64_t i = 0; i < samples; ++i)
            o[i] = int16_t(std::lrint(std::clamp(in[i], -1.0f, 1.0f) * 32767.0f));
        break;
    }
    }
}

int64_t PcmDevice::pull(float* out, int64_t frames)
{
    const int ch = srcChannels_;
    if (!resampler_) {
        int64_t got = 0;
        while (got < frames && !sourceDone_) {
            const int64_t n = source_.read(out + got * ch, frames - got);
            if (n <= 0)
                sourceDone_ = true;
            got += std::max<int64_t>(n, 0);
        }
        return got;
    }
    int64_t made = 0;
    while (made < frames && !drained_) {
        if (inputUsed_ == inputFrames_ && !sourceDone_) {
            constexpr int64_t kChunk = 4096;
            input_.resize(size_t(kChunk * ch));
            const int64_t n = source_.read(input_.data(), kChunk);
            if (n <= 0)
                sourceDone_ = true;
            inputUsed_ = 0;
            inputFrames_ = size_t(std::max<int64_t>(n, 0));
        }
        const bool draining = inputUsed_ == inputFrames_ && sourceDone_;
        size_t used = 0, done = 0;
        // With no input left, the resampler gives out what it still holds, then nothing.
        soxr_process(resampler_.get(), draining ? nullptr : input_.data() + inputUsed_ * ch, inputFrames_ - inputUsed_,
            &used, out + made * ch, size_t(frames - made), &done);
        inputUsed_ += used;
        made += int64_t(done);
        if (draining && done == 0)
            drained_ = true;
    }
    return made;
}

qint64 PcmDevice::readData(char* data, qint64 maxSize)
{
    const int outCh = format_.channelCount();
    const int bytesPerFrame = format_.bytesPerFrame();
    const int64_t frames = maxSize / bytesPerFrame;
    if (frames <= 0)
        return 0;
    scratch_.resize(size_t(frames * srcChannels_));
    mixed_.resize(size_t(frames * outCh));
    int64_t got = ended_ ? 0 : pull(scratch_.data(), frames);
    mixChannels(scratch_.data(), srcChannels_, mixed_.data(), outCh, got, gain_);
    std::fill(mixed_.begin() + got * outCh, mixed_.end(), 0.0f);
    if (got < frames && !ended_) {
        ended_ = true;
        framesBeforeEnd_ = delivered_ + got;
    }
    delivered_ += frames;
    convert(mixed_.data(), data, frames * outCh, format_.sampleFormat());
    return frames * bytesPerFrame;
}

} // namespace sonaplex::audio
