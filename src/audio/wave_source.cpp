#include "audio/wave_source.h"

#include "audio/libraries.h"
#include "audio/riff_walk.h"
#include "base/files.h"
#include "base/result.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace sonaplex::audio {

namespace {

class WaveSource final : public AudioSource {
public:
    WaveSource(SNDFILE* file, const SF_INFO& info) : file_(file), info_(info) {}
    ~WaveSource() override { sndfile().sf_close(file_); }

    int sampleRate() const override { return info_.samplerate; }
    int channels() const override { return info_.channels; }
    int64_t lengthFrames() const override { return info_.frames; }
    int64_t read(float* out, int64_t frames) override { return sndfile().sf_readf_float(file_, out, frames); }
    bool seek(int64_t frame) override { return sndfile().sf_seek(file_, frame, SEEK_SET) >= 0; }

private:
    SNDFILE* file_;
    SF_INFO info_;
};

} // namespace

OpenResult openWave(const QString& path, SF_INFO* header)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {nullptr, QStringLiteral("The file %1 does not exist.").arg(info.fileName())};
    // Checked on the opened file, never waited on: a FIFO or a device is not a sound file.
    const Result<int> opened = openRegularFile(path);
    if (!opened)
        return {nullptr,
            opened.failure().cause == FileCause::NotAFile
                ? QStringLiteral("%1 is not a file that can be played.").arg(info.fileName())
                : QStringLiteral("%1 cannot be read (%2).").arg(info.fileName(), opened.failure().error)};
    const int fd = opened.value();
    struct Closer {
        int fd;
        ~Closer()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } owned{fd};
    if (info.size() == 0)
        return {nullptr, QStringLiteral("%1 is empty.").arg(info.fileName())};
    {
        // Chunk sizes are checked before libsndfile sees them: some damaged files make it
        // loop for ever.
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            return {nullptr, QStringLiteral("%1 cannot be read (%2).").arg(info.fileName(), file.errorString())};
        if (const QString why = riffProblem(file); !why.isEmpty())
            return {nullptr, QStringLiteral("%1 cannot be played: %2.").arg(info.fileName(), why)};
    }
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return {nullptr, QStringLiteral("%1 cannot be read.").arg(info.fileName())};

    if (!sndfile().error.isEmpty())
        return {nullptr, sndfile().error};
    SF_INFO sf{};
    owned.fd = -1; // libsndfile closes it, with the file or when it refuses the file
    SNDFILE* file = sndfile().sf_open_fd(fd, SFM_READ, &sf, SF_TRUE);
    if (!file)
        return {nullptr,
            QStringLiteral("%1 is not a wave file that can be played (%2).")
                .arg(info.fileName(), QString::fromUtf8(sndfile().sf_strerror(nullptr)))};
    const int major = sf.format & SF_FORMAT_TYPEMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX && major != SF_FORMAT_RF64) {
        sndfile().sf_close(file);
        return {nullptr, QStringLiteral("%1 is not a wave file that can be played.").arg(info.fileName())};
    }
    if (sf.frames <= 0 || sf.channels <= 0 || sf.samplerate <= 0) {
        sndfile().sf_close(file);
        return {nullptr, QStringLiteral("%1 holds no sound.").arg(info.fileName())};
    }
    // What sound cards play: a file outside it is damaged or made to harm, and every buffer
    // sized by its rate or channels would be out of proportion.
    constexpr int kMinRate = 1000, kMaxRate = 384000, kMaxChannels = 32;
    if (sf.samplerate < kMinRate || sf.samplerate > kMaxRate) {
        sndfile().sf_close(file);
        return {nullptr,
            QStringLiteral("%1 cannot be played: its sample rate (%2 Hz) is outside what sound cards play (%3 to %4 Hz).")
                .arg(info.fileName())
                .arg(sf.samplerate)
                .arg(kMinRate)
                .arg(kMaxRate)};
    }
    if (sf.channels > kMaxChannels) {
        sndfile().sf_close(file);
        return {nullptr,
            QStringLiteral("%1 cannot be played: it has %2 channels, more than the %3 sound cards play.")
                .arg(info.fileName())
                .arg(sf.channels)
                .arg(kMaxChannels)};
    }
    // Floats come out in -1..1 whatever the stored sample format.
    sndfile().sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    if (header)
        *header = sf;
    return {std::make_unique<WaveSource>(file, sf), {}};
}

} // namespace sonaplex::audio
