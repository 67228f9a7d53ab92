#include "audio/pcm_device.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sonaplex::audio {

PcmDevice::PcmDevice(AudioSource& source, const QAudioFormat& format, QObject* parent)
    : QIODevice(parent), source_(source), format_(format), srcChannels_(source.channels()),
      step_(double(source.sampleRate()) / format.sampleRate())
{
    open(QIODevice::ReadOnly);
}

void PcmDevice::restartAt(int64_t sourceFrame)
{
    source_.seek(sourceFrame);
    windowStart_ = sourceFrame;
    windowFrames_ = 0;
    srcPos_ = double(sourceFrame);
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

void PcmDevice::remix(const float* in, float* out, int64_t frames) const
{
    const int outCh = format_.channelCount();
    const int inCh = srcChannels_;
    if (inCh == outCh) {
        std::copy(in, in + frames * inCh, out);
        return;
    }
    for (int64_t f = 0; f < frames; ++f) {
        const float* src = in + f * inCh;
        float* dst = out + f * outCh;
        if (inCh == 1) {
            std::fill(dst, dst + outCh, src[0]);
        } else if (inCh < outCh) {
            std::copy(src, src + inCh, dst);
            std::fill(dst + inCh, dst + outCh, 0.0f);
        } else {
            // More channels than the device takes: each output takes the average of its share.
            for (int c = 0; c < outCh; ++c) {
                float sum = 0;
                int n = 0;
                for (int k = c; k < inCh; k += outCh, ++n)
                    sum += src[k];
                dst[c] = sum / float(n);
            }
        }
    }
}

int64_t PcmDevice::pull(float* out, int64_t frames)
{
    const int ch = srcChannels_;
    if (step_ == 1.0) {
        int64_t got = 0;
        while (got < frames && !sourceDone_) {
            const int64_t n = source_.read(out + got * ch, frames - got);
            if (n <= 0)
                sourceDone_ = true;
            got += std::max<int64_t>(n, 0);
        }
        return got;
    }
    // Linear interpolation between neighbouring source frames.
    int64_t made = 0;
    for (; made < frames; ++made) {
        const int64_t i = int64_t(std::floor(srcPos_));
        const double frac = srcPos_ - double(i);
        while (i + 1 >= windowStart_ + windowFrames_ && !sourceDone_) {
            // Keep frame i, drop what is before it, read more after it.
            const int64_t keepFrom = std::clamp<int64_t>(i, windowStart_, windowStart_ + windowFrames_);
            const int64_t keep = windowStart_ + windowFrames_ - keepFrom;
            if (keep > 0)
                std::memmove(
                    window_.data(), window_.data() + (keepFrom - windowStart_) * ch, size_t(keep * ch) * sizeof(float));
            windowStart_ = keepFrom;
            windowFrames_ = keep;
            constexpr int64_t kChunk = 4096;
            window_.resize(size_t((keep + kChunk) * ch));
            const int64_t n = source_.read(window_.data() + keep * ch, kChunk);
            if (n <= 0)
                sourceDone_ = true;
            windowFrames_ += std::max<int64_t>(n, 0);
        }
        if (i >= windowStart_ + windowFrames_)
            break; // past the last source frame
        const float* a = window_.data() + (i - windowStart_) * ch;
        const float* b = (i + 1 < windowStart_ + windowFrames_) ? a + ch : a;
        for (int c = 0; c < ch; ++c)
            out[made * ch + c] = float(a[c] + (b[c] - a[c]) * frac);
        srcPos_ += step_;
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
    remix(scratch_.data(), mixed_.data(), got);
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
