// The output module: Qt Multimedia's audio sink, fed by a PcmDevice.
#include "audio/output.h"
#include "audio/pcm_device.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(OutputModule)
};
} // namespace
namespace {

// The source's own rate and channels when the device takes them, else the device's own.
QAudioFormat chooseFormat(const QAudioDevice& out, const AudioSource& source)
{
    QAudioFormat f;
    f.setSampleRate(source.sampleRate());
    f.setChannelCount(std::clamp(source.channels(), out.minimumChannelCount(), std::max(1, out.maximumChannelCount())));
    for (auto sf : {QAudioFormat::Float, QAudioFormat::Int16, QAudioFormat::Int32}) {
        f.setSampleFormat(sf);
        if (out.isFormatSupported(f))
            return f;
    }
    // The device will not take the file's rate or channels: play at its own, converting.
    QAudioFormat preferred = out.preferredFormat();
    if (preferred.sampleFormat() == QAudioFormat::Unknown)
        preferred.setSampleFormat(QAudioFormat::Int16);
    return preferred;
}

// Pushed, not pulled: the sink's own pull waits a whole period (20 ms) before it reads
// anything, where a push fills the server's buffer at once, so that the sound starts as soon
// as the server has it. A timer on the player's thread keeps the buffer full.
class SinkOutput final : public QObject, public OutputStream {
public:
    SinkOutput(AudioSource& source, const QAudioDevice& out)
        : format_(chooseFormat(out, source)), device_(source, format_), sink_(out, format_)
    {
        // About a tenth of a second queued: pause and stop answer at once.
        sink_.setBufferSize(format_.bytesForDuration(100'000));
        feeder_.setInterval(10);
        connect(&feeder_, &QTimer::timeout, this, [this] { feed(); });
    }
    ~SinkOutput() override { stop(); }

    bool startAt(int64_t from) override
    {
        stop();
        device_.restartAt(from);
        feeding_ = sink_.start();
        if (!feeding_ || sink_.error() != QAudio::NoError) {
            stop();
            return false;
        }
        feed();
        feeder_.start();
        return true;
    }
    void moveFeedTo(int64_t from) override { device_.restartAt(from); }
    void suspend() override
    {
        feeder_.stop();
        sink_.suspend();
    }
    void resume() override
    {
        sink_.resume();
        feed();
        feeder_.start();
    }
    void stop() override
    {
        feeder_.stop();
        sink_.stop();
        feeding_ = nullptr; // the sink's own, gone with the stop
    }
    void setGain(float gain) override { device_.setGain(gain); }
    int deviceRate() const override { return format_.sampleRate(); }
    int64_t playedFrames() const override { return sink_.processedUSecs() * format_.sampleRate() / 1'000'000; }
    bool ended() const override { return device_.ended(); }
    int64_t framesBeforeEnd() const override { return device_.framesBeforeEnd(); }

private:
    // Tops the server's buffer up with whole frames.
    void feed()
    {
        if (!feeding_)
            return;
        const qint64 room = sink_.bytesFree() / format_.bytesPerFrame() * format_.bytesPerFrame();
        if (room <= 0)
            return;
        chunk_.resize(room);
        const qint64 made = device_.read(chunk_.data(), room);
        if (made > 0)
            feeding_->write(chunk_.constData(), made);
    }

    QAudioFormat format_;
    PcmDevice device_;
    QAudioSink sink_; // after the device it reads: it goes first
    QIODevice* feeding_ = nullptr;
    QTimer feeder_;
    QByteArray chunk_;
};

} // namespace
} // namespace sonaplex::audio

extern "C" Q_DECL_EXPORT sonaplex::audio::OutputStream* sonaplex_open_output(
    sonaplex::audio::AudioSource* source, QString* error)
{
    const QAudioDevice out = QMediaDevices::defaultAudioOutput();
    if (out.isNull()) {
        *error = sonaplex::audio::Say::tr("No audio output was found on this computer, so nothing can be heard. "
                                          "Check that a sound server (PulseAudio or PipeWire) is running.");
        return nullptr;
    }
    return new sonaplex::audio::SinkOutput(*source, out);
}

// Makes Qt Multimedia connect to the sound server and list its devices.
extern "C" Q_DECL_EXPORT void sonaplex_prepare_output() { (void)QMediaDevices::defaultAudioOutput(); }
