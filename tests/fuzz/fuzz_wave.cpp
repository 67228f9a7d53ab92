// Any bytes as a wave file through everything that reads one: the format and levels line, the
// waveform overview, the loudness measure and the conversion to a game file's format. Each
// ends, stays in its bounds (libFuzzer's memory limit catches a buffer sized by a header), and
// never reads outside the file.
#include "audio/analysis.h"
#include "audio/convert.h"

#include <QFile>
#include <QString>

#include <sndfile.h>
#include <sys/mman.h>
#include <unistd.h>

using namespace sonaplex::audio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The bytes as a file of their own (in memory), opened by path as the program opens files.
    static const int fd = ::memfd_create("wave", 0);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != ssize_t(size))
        return 0;
    static const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    static const QString converted = QStringLiteral("/tmp/fuzz-wave-%1.wav").arg(::getpid());

    const SoundInfo info = soundInfo(DeviceKind::WaveAudio, path);
    if (!info.ok())
        return 0;
    (void)formatLine(info);
    int parts = 0;
    waveOverview(path, 64, [&parts](OverviewPart&&) { return ++parts < 1000; });
    (void)measureLoudness(path);
    // Into two formats a game may have: a low rate (a high ratio the other way) and a high one.
    for (int rate : {8000, 96000}) {
        SoundInfo like = info;
        like.rate = rate;
        like.channels = 1;
        like.sfFormat = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        (void)convertRecording(path, converted, like, -3.0, {});
    }
    QFile::remove(converted);
    return 0;
}
