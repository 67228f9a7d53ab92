// The program's own Ogg page writer: any bytes as an Ogg file given loop tags (the loop's start
// and length from the input's first 16 bytes, any values), as a conversion tags the copy it made.
// It ends, never reads or writes outside its buffers, and what it writes is an Ogg file whose
// headers read back with the loop it was given (bounded as the reader bounds it).
#include "audio/ogg_headers.h"

#include <QBuffer>
#include <QFile>
#include <QString>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

using namespace sonaplex::audio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 16)
        return 0;
    LoopPoints loop;
    std::memcpy(&loop.start, data, 8);
    std::memcpy(&loop.length, data + 8, 8);
    static const QString path = QStringLiteral("/dev/shm/fuzz-oggtags-%1.ogg").arg(::getpid());
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || f.write(reinterpret_cast<const char*>(data + 16), qint64(size - 16)) != qint64(size - 16))
            return 0;
    }
    if (!setOggLoopTags(path, loop).isEmpty())
        return 0;
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        std::abort();
    QBuffer check;
    check.setData(written.readAll());
    check.open(QIODevice::ReadOnly);
    const OggHeaders h = readOggHeaders(check);
    if (!h.problem.isEmpty())
        std::abort(); // it took a file it could tag and wrote one that does not read
    constexpr int64_t kBeyondAnySound = int64_t(1) << 40;
    if (loop.present() && h.loop.start != std::min(loop.start, kBeyondAnySound))
        std::abort(); // the loop written is not the loop read back
    return 0;
}
