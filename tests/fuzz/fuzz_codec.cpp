// Any bytes as a sound file of one kind (FUZZ_SUFFIX: wav, ogg, opus, flac, mp3, mod) through
// everything that reads one: the header checks and the open, the format line, a seek and a
// read as a player does, the overview and loudness pass, and a conversion to a wave file and to
// a file of the same codec. Each ends, stays in its bounds (libFuzzer's memory limit catches a
// buffer sized by a header), and never reads outside the file.
#include "audio/analysis.h"
#include "audio/audio_file.h"
#include "audio/convert.h"

#include <QFile>
#include <QString>

#include <sndfile.h>
#include <unistd.h>

using namespace sonaplex::audio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Named as the program knows a file's kind: by its ending. In memory, not on disk.
    static const QString path = QStringLiteral("/dev/shm/fuzz-%1.%2").arg(::getpid()).arg(QStringLiteral(FUZZ_SUFFIX));
    static const QString converted = QStringLiteral("/dev/shm/fuzz-%1-out").arg(::getpid());
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            return 0;
    }
    const SoundInfo info = soundFileInfoInProcess(path);
    if (!info.ok())
        return 0;
    (void)formatLine(info);
    {
        OpenResult opened = openAudio(path);
        if (opened.source) {
            std::vector<float> buffer(size_t(1024) * size_t(opened.source->channels()));
            opened.source->seek(opened.source->lengthFrames() / 2);
            opened.source->read(buffer.data(), 1024);
        }
    }
    int parts = 0;
    (void)analyseRecording(path, 64, [&parts](OverviewPart&&) { return ++parts < 1000; });
    if (info.format == sonaplex::SoundFormat::Module || info.seconds > 30)
        return 0; // a module is never converted; a long sound would only slow the search
    SoundInfo wave = info;
    wave.rate = 8000;
    wave.channels = 1;
    wave.sfFormat = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    (void)convertRecording(path, converted + QStringLiteral(".wav"), wave, -3.0, {});
    if (info.sfFormat != wave.sfFormat) { // into its own codec, as a game file of that kind
        SoundInfo same = info;
        same.channels = 1;
        (void)convertRecording(path, converted + QLatin1Char('.') + QStringLiteral(FUZZ_SUFFIX), same, 0, {});
    }
    QFile::remove(converted + QStringLiteral(".wav"));
    QFile::remove(converted + QLatin1Char('.') + QStringLiteral(FUZZ_SUFFIX));
    return 0;
}
