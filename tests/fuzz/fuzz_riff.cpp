// Any bytes through the RIFF chunk walk: it ends, and it never reads outside the file.
#include "audio/riff_walk.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    (void)sonaplex::audio::riffProblem(buffer);
    return 0;
}
