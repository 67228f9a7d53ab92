#pragma once
#include "audio/source.h"

#include <QAudioFormat>
#include <QIODevice>

#include <atomic>
#include <memory>
#include <vector>

struct soxr;

namespace sonaplex::audio {

// Feeds a QAudioSink in pull mode from a source: channels mixed to what the device takes,
// resampled with libsoxr when the device will not take the source's rate, converted to the
// device's sample format. It never runs
// dry while playing: past the source's end it gives silence and says so (ended()).
class PcmDevice : public QIODevice {
public:
    PcmDevice(AudioSource& source, const QAudioFormat& format, QObject* parent = nullptr);
    ~PcmDevice() override;

    // Scales what is heard (1 = as recorded); takes effect within the next block.
    void setGain(float gain) { gain_ = gain; }

    // Restarts delivery at a source frame.
    void restartAt(int64_t sourceFrame);

    bool ended() const { return ended_; }
    // Device frames handed out before the source ran out (valid once ended()).
    int64_t framesBeforeEnd() const { return framesBeforeEnd_; }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 1 << 16; }

    // Converts floats in -1..1 to the device format; exposed for tests.
    static void convert(const float* in, char* out, int64_t samples, QAudioFormat::SampleFormat format);

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    int64_t pull(float* out, int64_t frames); // device-rate frames in source channels

    AudioSource& source_;
    QAudioFormat format_;
    int srcChannels_;
    std::unique_ptr<soxr, void (*)(soxr*)> resampler_; // null when the rates are the same
    std::vector<float> input_; // source frames read and not yet taken by the resampler
    size_t inputUsed_ = 0, inputFrames_ = 0;
    bool sourceDone_ = false;
    bool drained_ = false;
    std::atomic<float> gain_{1.0f};
    std::vector<float> scratch_, mixed_;
    int64_t delivered_ = 0;
    int64_t framesBeforeEnd_ = 0;
    bool ended_ = false;
};

} // namespace sonaplex::audio
