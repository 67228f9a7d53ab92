#include "audio/riff_walk.h"

#include <QCoreApplication>
#include <QIODevice>

#include <cstring>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(RiffWalk)
};


// A file made of millions of empty chunks is no sound file anyone made.
constexpr int kMaxChunks = 1'000'000;

class Walker {
public:
    explicit Walker(QIODevice& file) : file_(file), size_(file.size()) {}

    bool read(qint64 at, char* out, qint64 n)
    {
        return at >= 0 && at + n <= size_ && file_.seek(at) && file_.read(out, n) == n;
    }
    uint32_t u32(const char* p) const
    {
        const auto* b = reinterpret_cast<const uint8_t*>(p);
        return bigEndian_ ? (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3]
                          : (uint32_t(b[3]) << 24) | (uint32_t(b[2]) << 16) | (uint32_t(b[1]) << 8) | b[0];
    }
    uint64_t u64(const char* p) const
    {
        return bigEndian_ ? (uint64_t(u32(p)) << 32) | u32(p + 4) : (uint64_t(u32(p + 4)) << 32) | u32(p);
    }

    QString walk()
    {
        char head[12];
        if (!read(0, head, 12))
            return Say::tr("it is too short to be a wave file");
        const bool rf64 = !std::memcmp(head, "RF64", 4) || !std::memcmp(head, "BW64", 4);
        bigEndian_ = !std::memcmp(head, "RIFX", 4);
        if ((std::memcmp(head, "RIFF", 4) && !bigEndian_ && !rf64) || std::memcmp(head + 8, "WAVE", 4))
            return Say::tr("it is not a wave file");
        // The declared size is often wrong by a little; the file's own end is what counts.
        qint64 end = size_;
        const uint32_t declared = u32(head + 4);
        if (!rf64 && declared >= 4 && qint64(declared) + 8 < end)
            end = qint64(declared) + 8;

        bool format = false, data = false;
        uint64_t dataSize64 = 0;
        qint64 pos = 12;
        for (int count = 0; pos + 8 <= end; ++count) {
            char chunk[8];
            if (const QString why = header(pos, count, chunk); !why.isEmpty())
                return why;
            uint64_t size = u32(chunk + 4);
            const bool isData = !std::memcmp(chunk, "data", 4);
            if (rf64 && isData && size == 0xFFFFFFFF)
                size = dataSize64;
            const qint64 body = pos + 8;
            if (size > uint64_t(end - body)) {
                if (isData) { // a recording cut short: what is there can be played
                    data = true;
                    break;
                }
                return Say::tr("its \"%1\" part claims more bytes than the file holds")
                    .arg(QString::fromLatin1(chunk, 4).trimmed());
            }
            if (!std::memcmp(chunk, "ds64", 4) && size >= 16) {
                char sizes[16];
                if (!read(body, sizes, 16))
                    return Say::tr("it cannot be read");
                dataSize64 = u64(sizes + 8);
            } else if (!std::memcmp(chunk, "fmt ", 4)) {
                if (size < 16)
                    return Say::tr("its format description is too short");
                format = true;
            } else if (isData) {
                data = true;
            } else if (!std::memcmp(chunk, "LIST", 4)) {
                if (const QString why = walkList(body, qint64(size)); !why.isEmpty())
                    return why;
                if (const QString why = listAsTheDecoderReadsIt(body, uint32_t(size)); !why.isEmpty())
                    return why;
            }
            pos = body + qint64(size) + qint64(size & 1);
        }
        if (!format)
            return Say::tr("it has no format description");
        if (!data)
            return Say::tr("it holds no sound data");
        return {};
    }

private:
    // The id and size of the count-th chunk, at `pos`; why it cannot be had, or empty.
    QString header(qint64 pos, int count, char (&chunk)[8])
    {
        if (count == kMaxChunks)
            return Say::tr("it is made of too many parts to be a sound file");
        return read(pos, chunk, 8) ? QString() : Say::tr("it cannot be read");
    }

    // A LIST chunk: a four-letter list type, then sub-chunks that must each fit in it.
    QString walkList(qint64 from, qint64 size)
    {
        const qint64 end = from + size;
        qint64 pos = from + 4;
        for (int count = 0; pos + 8 <= end; ++count) {
            char chunk[8];
            if (const QString why = header(pos, count, chunk); !why.isEmpty())
                return why;
            const uint64_t sub = u32(chunk + 4);
            if (sub > uint64_t(end - pos - 8))
                return Say::tr("a part of its \"LIST\" information claims more bytes than the list holds");
            pos += 8 + qint64(sub) + qint64(sub & 1);
        }
        return {};
    }

    // A LIST chunk as libsndfile (1.2) reads it: from its first byte, markers that are either
    // bare ("INFO", "adtl") or followed by a size, with its sums in 32 bits. A size that wraps
    // that sum makes its reader jump backwards and loop for ever; such a file is refused here.
    // Its reader also stops where this one does, so nothing it would read is left unchecked.
    QString listAsTheDecoderReadsIt(qint64 from, uint32_t length)
    {
        static const QString loops
            = Say::tr("its \"LIST\" information is laid out so that a sound decoder would never finish reading it");
        if (length <= 8)
            return {};
        if (from + qint64(length) > size_)
            length = uint32_t(size_ - from);
        auto is = [](const char* marker, const char* name) { return !std::memcmp(marker, name, 4); };
        uint32_t done = 0;
        for (int count = 0; done < length; ++count) {
            if (count == kMaxChunks)
                return Say::tr("it is made of too many parts to be a sound file");
            char marker[4];
            if (!read(from + done, marker, 4))
                return {}; // the reader stops at the file's end too
            done += 4;
            if (is(marker, "INFO") || is(marker, "adtl"))
                continue;
            if (is(marker, "exif"))
                return Say::tr("it holds camera (\"exif\") information that cannot be checked");
            if (is(marker, "data") || !std::memcmp(marker, "\0\0\0\0", 4))
                return {};
            char sizeBytes[4];
            if (!read(from + done, sizeBytes, 4))
                return {};
            done += 4;
            uint32_t sub = u32(sizeBytes);
            const bool labl = is(marker, "labl");
            if (labl) {
                done += 4; // its mark id
                sub -= 4;
            }
            sub += sub & 1;
            const uint32_t after = done + sub; // as the decoder adds: in 32 bits
            const bool text = labl || is(marker, "DISP") || is(marker, "ltxt") || is(marker, "note")
                || (marker[0] == 'I' && (is(marker, "ISFT") || is(marker, "ICOP") || is(marker, "IARL")
                    || is(marker, "IART") || is(marker, "ICMT") || is(marker, "ICRD") || is(marker, "IENG")
                    || is(marker, "IGNR") || is(marker, "INAM") || is(marker, "IPRD") || is(marker, "ISBJ")
                    || is(marker, "ISRC") || is(marker, "IAUT") || is(marker, "ITRK")));
            if (after > length || (text && sub >= 2048) || (labl && sub < 1))
                return {}; // the reader skips the rest of the list
            if (after < done)
                return loops;
            if (is(marker, "DISP") || is(marker, "ltxt") || is(marker, "note"))
                return {};
            done = after;
        }
        return {};
    }

    QIODevice& file_;
    qint64 size_;
    bool bigEndian_ = false;
};

} // namespace

QString riffProblem(QIODevice& file) { return Walker(file).walk(); }

} // namespace sonaplex::audio
