#include "audio/audio_file.h"

#include "audio/libraries.h"
#include "audio/riff_walk.h"
#include "base/files.h"
#include "base/result.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <unistd.h>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(AudioFile)
};


// What sound cards play: a file outside it is damaged or made to harm, and every buffer sized by
// its rate or channels would be out of proportion.
constexpr int kMinRate = 1000, kMaxRate = 384000, kMaxChannels = 32;

QString tooManyChannels(int channels)
{
    return Say::tr("it has %1 channels, more than the %2 sound cards play").arg(channels).arg(kMaxChannels);
}

class RecordingSource final : public AudioSource {
public:
    RecordingSource(SNDFILE* file, const SF_INFO& info) : file_(file), info_(info) {}
    ~RecordingSource() override { sndfile().sf_close(file_); }

    int sampleRate() const override { return info_.samplerate; }
    int channels() const override { return info_.channels; }
    int64_t lengthFrames() const override { return info_.frames; }
    int64_t read(float* out, int64_t frames) override { return sndfile().sf_readf_float(file_, out, frames); }
    bool seek(int64_t frame) override { return sndfile().sf_seek(file_, frame, SEEK_SET) >= 0; }
    // libsndfile reads on past a read that failed (the disk's error is only logged): what it
    // gave since is not the file's sound.
    QString problem() override
    {
        if (sndfile().sf_error(file_) == SF_ERR_NO_ERROR)
            return {};
        return Say::tr("it could not be read to its end (%1)").arg(QString::fromUtf8(sndfile().sf_strerror(file_)));
    }

private:
    SNDFILE* file_;
    SF_INFO info_;
};

struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// The container libsndfile must find for a file of this name.
bool containerFits(SoundFormat format, int sfFormat)
{
    const int major = sfFormat & SF_FORMAT_TYPEMASK, minor = sfFormat & SF_FORMAT_SUBMASK;
    switch (format) {
    case SoundFormat::Wave:
        return major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64;
    case SoundFormat::Ogg:
        return major == SF_FORMAT_OGG && (minor == SF_FORMAT_VORBIS || minor == SF_FORMAT_OPUS);
    case SoundFormat::Opus:
        return major == SF_FORMAT_OGG && minor == SF_FORMAT_OPUS;
    case SoundFormat::Flac:
        return major == SF_FORMAT_FLAC;
    case SoundFormat::Mp3:
        return major == SF_FORMAT_MPEG;
    default:
        return false;
    }
}

// "a wave", "an Ogg Vorbis", "an MP3": a format's name as a message puts it before "file".
QString withArticle(SoundFormat format)
{
    const QString words = soundFormatWords(format);
    const bool vowel = format == SoundFormat::Ogg || format == SoundFormat::Opus || format == SoundFormat::Mp3;
    return (vowel ? Say::tr("an ") : QStringLiteral("a ")) + words;
}

// What the name promises against what the first bytes hold ("ID3" tags may stand before FLAC).
QString nameProblem(SoundFormat named, SoundFormat held, const QString& name)
{
    const SoundFormat container = named == SoundFormat::Opus ? SoundFormat::Ogg : named;
    if (held == container || (named == SoundFormat::Flac && held == SoundFormat::Mp3))
        return {};
    if (held == SoundFormat::Unknown)
        return Say::tr("%1 is not %2 file that can be played.").arg(name, withArticle(named));
    return Say::tr("%1 holds %2, not the %3 its name says: a game would not read it.")
        .arg(name, held == SoundFormat::Ogg ? Say::tr("an Ogg stream") : Say::tr("%1 file").arg(withArticle(held)),
            soundFormatWords(named));
}

// Checks of the headers before libsndfile trusts them.
QString headerProblem(SoundFormat held, QFile& file, AudioHeader& header)
{
    if (held == SoundFormat::Wave)
        return riffProblem(file);
    if (held != SoundFormat::Ogg)
        return {};
    header.ogg = readOggHeaders(file);
    if (!header.ogg.problem.isEmpty())
        return header.ogg.problem;
    if (header.format == SoundFormat::Opus && header.ogg.codec != OggHeaders::Codec::Opus)
        return Say::tr("it holds no Opus stream");
    if (header.ogg.codec == OggHeaders::Codec::Flac)
        return Say::tr("it holds FLAC in Ogg, which Sonaplex does not read (a .flac file is read)");
    if (header.ogg.channels > kMaxChannels)
        return tooManyChannels(header.ogg.channels);
    if (header.ogg.codec == OggHeaders::Codec::Vorbis && (header.ogg.rate < kMinRate || header.ogg.rate > kMaxRate))
        return Say::tr("its sample rate (%1 Hz) is outside what sound cards play (%2 to %3 Hz)")
            .arg(header.ogg.rate)
            .arg(kMinRate)
            .arg(kMaxRate);
    header.loop = header.ogg.loop;
    return {};
}

// A loop must lie in the sound: one that starts past its end is said and never used (a game given
// it would loop at the very end, or from after its end); one that runs on past the end is cut at
// the end.
void placeLoop(AudioHeader& header, int64_t frames)
{
    if (header.loop.present() && header.loop.start >= frames) {
        header.loop = {};
        header.loopOutside = true;
    } else if (header.loop.present() && header.loop.length > frames - header.loop.start) {
        header.loop.length = frames - header.loop.start;
    }
}

// A length no file of this size can hold: the header lies (compressed sound takes at least a
// few hundred bytes a second).
bool lengthBeyondSize(const SF_INFO& sf, int64_t bytes)
{
    const int major = sf.format & SF_FORMAT_TYPEMASK;
    if (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX || major == SF_FORMAT_RF64)
        return false; // the chunk walk checked the data's size
    return double(sf.frames) / sf.samplerate > double(bytes) / 100 + 10;
}

// Why a file of `bytes` cannot hold the length it claims, or empty.
QString lengthProblem(const SF_INFO& sf, int64_t bytes, const QString& name)
{
    if (!lengthBeyondSize(sf, bytes))
        return {};
    return Say::tr("%1 cannot be played: it claims to last %2 hours, more than its %3 bytes can hold.")
        .arg(name)
        .arg(double(sf.frames) / sf.samplerate / 3600, 0, 'f', 1)
        .arg(bytes);
}

} // namespace

SoundFormat sniffedFormat(const QByteArray& head)
{
    const auto* p = reinterpret_cast<const uchar*>(head.constData());
    const qsizetype n = head.size();
    auto starts = [&](const char* mark, qsizetype at = 0) {
        const auto len = qsizetype(std::strlen(mark));
        return n >= at + len && std::memcmp(p + at, mark, size_t(len)) == 0;
    };
    if ((starts("RIFF") || starts("RIFX") || starts("RF64")) && starts("WAVE", 8))
        return SoundFormat::Wave;
    if (starts("OggS"))
        return SoundFormat::Ogg;
    if (starts("fLaC"))
        return SoundFormat::Flac;
    if (starts("MThd"))
        return SoundFormat::Midi;
    // An ID3v2 tag, or an MPEG audio frame's sync word with a layer given.
    if (starts("ID3") || (n >= 2 && p[0] == 0xFF && (p[1] & 0xE0) == 0xE0 && (p[1] & 0x06) != 0))
        return SoundFormat::Mp3;
    return SoundFormat::Unknown;
}

namespace {
// openAudio; with `vorbisHeadersOnly`, an Ogg Vorbis file whose headers read well gets no decoder
// (`*headersOnly` set, no source): its length is its last page's granule position.
OpenResult open(const QString& path, AudioHeader* headerOut, bool vorbisHeadersOnly, bool* headersOnly)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    AudioHeader header;
    header.format = soundFormatOfName(path);
    if (!isRecordedFormat(header.format) && header.format != SoundFormat::Module)
        return {nullptr, Say::tr("%1 is not a sound file that can be played.").arg(name)};
    if (!info.exists())
        return {nullptr, Say::tr("The file %1 does not exist.").arg(name)};
    // Checked on the opened file, never waited on: a FIFO or a device is not a sound file.
    const Result<int> opened = openRegularFile(path);
    if (!opened)
        return {nullptr,
            opened.failure().cause == FileCause::NotAFile
                ? Say::tr("%1 is not a file that can be played.").arg(name)
                : Say::tr("%1 cannot be read (%2).").arg(name, opened.failure().error)};
    Fd owned{opened.value()};
    QFile file;
    if (!file.open(owned.fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {nullptr, Say::tr("%1 cannot be read (%2).").arg(name, file.errorString())};
    const int64_t bytes = file.size();
    if (bytes == 0)
        return {nullptr, Say::tr("%1 is empty.").arg(name)};
    if (header.format == SoundFormat::Module) {
        if (bytes > kMaxModuleBytes)
            return {nullptr, Say::tr("%1 is larger than any tracker module (%2 MB).").arg(name).arg(bytes >> 20)};
        const QByteArray all = file.readAll();
        if (all.size() != bytes)
            return {nullptr, Say::tr("%1 cannot be read (%2).").arg(name, file.errorString())};
        OpenResult module = openModule(all, name, &header);
        if (module.source && headerOut)
            *headerOut = header;
        return module;
    }
    // A read that fails is the disk's fault, not the file's: said as such.
    const QByteArray first = file.peek(16);
    if (first.size() < std::min<int64_t>(16, bytes))
        return {nullptr, Say::tr("%1 cannot be read (%2).").arg(name, file.errorString())};
    const SoundFormat held = sniffedFormat(first);
    if (const QString why = nameProblem(header.format, held, name); !why.isEmpty())
        return {nullptr, why};
    // Sizes and counts are checked before libsndfile sees them: some damaged files make a
    // decoder loop for ever or ask for all the memory there is.
    if (const QString why = headerProblem(held, file, header); !why.isEmpty())
        return {nullptr, Say::tr("%1 cannot be played: %2.").arg(name, why)};
    file.close();
    if (vorbisHeadersOnly && held == SoundFormat::Ogg && header.ogg.codec == OggHeaders::Codec::Vorbis
        && header.ogg.lastGranule > 0 && header.ogg.channels > 0) {
        SF_INFO sf{};
        sf.frames = header.ogg.lastGranule;
        sf.samplerate = header.ogg.rate;
        sf.channels = header.ogg.channels;
        sf.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
        if (const QString why = lengthProblem(sf, bytes, name); !why.isEmpty())
            return {nullptr, why};
        placeLoop(header, sf.frames);
        header.variableBitrate = false; // as libsndfile says of every Vorbis stream
        header.sfFormat = sf.format;
        header.rate = sf.samplerate;
        header.channels = sf.channels;
        header.frames = sf.frames;
        if (headerOut)
            *headerOut = header;
        *headersOnly = true;
        return {nullptr, {}};
    }
    if (::lseek(owned.fd, 0, SEEK_SET) != 0)
        return {nullptr, Say::tr("%1 cannot be read.").arg(name)};

    if (!sndfile().error.isEmpty())
        return {nullptr, sndfile().error};
    SF_INFO sf{};
    const int fd = owned.fd;
    owned.fd = -1; // libsndfile closes it, with the file or when it refuses the file
    SNDFILE* sound = sndfile().sf_open_fd(fd, SFM_READ, &sf, SF_TRUE);
    if (!sound) {
        // libsndfile says "File does not exist or is not a regular file (possibly a pipe?)" of a
        // file it does not recognise: untrue here (the file was opened and checked above).
        const QString said = QString::fromUtf8(sndfile().sf_strerror(nullptr));
        if (said.startsWith(QLatin1String("File does not exist")) || said.isEmpty())
            return {nullptr, Say::tr("%1 is not %2 file that can be played.").arg(name, withArticle(header.format))};
        return {nullptr, Say::tr("%1 is not %2 file that can be played (%3).").arg(name, withArticle(header.format), said)};
    }
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> closer(sound, sndfile().sf_close);
    // A read that failed while libsndfile read the header leaves a header misread, not an error.
    if (sndfile().sf_error(sound) != SF_ERR_NO_ERROR)
        return {nullptr, Say::tr("%1 cannot be read (%2).").arg(name, QString::fromUtf8(sndfile().sf_strerror(sound)))};
    if (!containerFits(header.format, sf.format))
        return {nullptr, Say::tr("%1 is not %2 file that can be played.").arg(name, withArticle(header.format))};
    if (sf.frames <= 0 || sf.channels <= 0 || sf.samplerate <= 0)
        return {nullptr, Say::tr("%1 holds no sound.").arg(name)};
    if (sf.samplerate < kMinRate || sf.samplerate > kMaxRate)
        return {nullptr,
            Say::tr("%1 cannot be played: its sample rate (%2 Hz) is outside what sound cards play (%3 to %4 Hz).")
                .arg(name)
                .arg(sf.samplerate)
                .arg(kMinRate)
                .arg(kMaxRate)};
    if (sf.channels > kMaxChannels)
        return {nullptr, Say::tr("%1 cannot be played: %2.").arg(name, tooManyChannels(sf.channels))};
    if (const QString why = lengthProblem(sf, bytes, name); !why.isEmpty())
        return {nullptr, why};
    // Floats come out in -1..1 whatever the stored sample format.
    sndfile().sf_command(sound, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    if (held == SoundFormat::Wave) {
        SF_INSTRUMENT instrument{};
        if (sndfile().sf_command(sound, SFC_GET_INSTRUMENT, &instrument, sizeof instrument) == SF_TRUE
            && instrument.loop_count > 0 && instrument.loops[0].end > instrument.loops[0].start)
            header.loop = {instrument.loops[0].start, int64_t(instrument.loops[0].end) - instrument.loops[0].start};
    }
    placeLoop(header, sf.frames);
    header.variableBitrate = sndfile().sf_command(sound, SFC_GET_BITRATE_MODE, nullptr, 0) == SF_BITRATE_MODE_VARIABLE;
    header.sfFormat = sf.format;
    header.rate = sf.samplerate;
    header.channels = sf.channels;
    header.frames = sf.frames;
    if (headerOut)
        *headerOut = header;
    return {std::make_unique<RecordingSource>(closer.release(), sf), {}};
}
} // namespace

OpenResult openAudio(const QString& path, AudioHeader* header)
{
    bool headersOnly = false;
    return open(path, header, false, &headersOnly);
}

QString readAudioHeader(const QString& path, AudioHeader& header)
{
    bool headersOnly = false;
    OpenResult opened = open(path, &header, true, &headersOnly);
    return opened.source || headersOnly ? QString() : opened.error;
}

} // namespace sonaplex::audio
