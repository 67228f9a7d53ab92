#include "audio/wave_source.h"

#include "audio/riff_walk.h"

#include <QFile>
#include <QFileInfo>

#include <sndfile.h>

namespace sonaplex::audio {

namespace {

class WaveSource final : public AudioSource {
public:
    WaveSource(SNDFILE* file, const SF_INFO& info) : file_(file), info_(info) {}
    ~WaveSource() override { sf_close(file_); }

    int sampleRate() const override { return info_.samplerate; }
    int channels() const override { return info_.channels; }
    int64_t lengthFrames() const override { return info_.frames; }
    int64_t read(float* out, int64_t frames) override { return sf_readf_float(file_, out, frames); }
    bool seek(int64_t frame) override { return sf_seek(file_, frame, SEEK_SET) >= 0; }

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
    if (!info.isFile())
        return {nullptr, QStringLiteral("%1 is not a file that can be played.").arg(info.fileName())};
    if (info.size() == 0)
        return {nullptr, QStringLiteral("%1 is empty.").arg(info.fileName())};
    {
        // Chunk sizes are checked before libsndfile sees them: some damaged files make it
        // loop for ever.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {nullptr, QStringLiteral("%1 cannot be read (%2).").arg(info.fileName(), file.errorString())};
        if (const QString why = riffProblem(file); !why.isEmpty())
            return {nullptr, QStringLiteral("%1 cannot be played: %2.").arg(info.fileName(), why)};
    }

    SF_INFO sf{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &sf);
    if (!file)
        return {nullptr,
            QStringLiteral("%1 is not a wave file that can be played (%2).")
                .arg(info.fileName(), QString::fromUtf8(sf_strerror(nullptr)))};
    const int major = sf.format & SF_FORMAT_TYPEMASK;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX && major != SF_FORMAT_RF64) {
        sf_close(file);
        return {nullptr, QStringLiteral("%1 is not a wave file that can be played.").arg(info.fileName())};
    }
    if (sf.frames <= 0 || sf.channels <= 0 || sf.samplerate <= 0) {
        sf_close(file);
        return {nullptr, QStringLiteral("%1 holds no sound.").arg(info.fileName())};
    }
    // Floats come out in -1..1 whatever the stored sample format.
    sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    if (header)
        *header = sf;
    return {std::make_unique<WaveSource>(file, sf), {}};
}

} // namespace sonaplex::audio
