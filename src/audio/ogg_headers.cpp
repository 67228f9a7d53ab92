#include "audio/ogg_headers.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(OggHeaders)
};

uint32_t le32(const uchar* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uchar* p) { return uint16_t(p[0] | p[1] << 8); }
int64_t le64(const uchar* p) { return int64_t(uint64_t(le32(p)) | uint64_t(le32(p + 4)) << 32); }

// A comment list: vendor, then count entries, each a length and its text, all inside `size`.
QString readComments(const uchar* p, int64_t size, QStringList& out)
{
    const QString tooLong = Say::tr("its comment header claims more than it holds");
    if (size < 8)
        return tooLong;
    const uint32_t vendor = le32(p);
    if (vendor > size - 8)
        return tooLong;
    int64_t at = 4 + int64_t(vendor);
    const uint32_t count = le32(p + at);
    at += 4;
    if (count > (size - at) / 4)
        return tooLong;
    for (uint32_t i = 0; i < count; ++i) {
        if (size - at < 4)
            return tooLong;
        const uint32_t length = le32(p + at);
        at += 4;
        if (length > size - at)
            return tooLong;
        out << QString::fromUtf8(reinterpret_cast<const char*>(p + at), qsizetype(length));
        at += length;
    }
    return {};
}

struct Reader {
    QIODevice& file;
    OggHeaders h;
    QByteArray packet; // the header packet being put together
    int packetsWanted = 1; // until the first packet says which codec
    int packetsDone = 0;
    QStringList comments;
    bool everyPage = false; // every page's checksum checked (the whole file is read)

    // The codec's header packets, in order: identification, comments (the rest is not read).
    QString takePacket(const QByteArray& data)
    {
        const auto* p = reinterpret_cast<const uchar*>(data.constData());
        const int64_t n = data.size();
        const int index = packetsDone++;
        if (index == 0)
            return identify(p, n);
        if (h.codec == OggHeaders::Codec::Vorbis && n >= 7 && p[0] == 3 && !std::memcmp(p + 1, "vorbis", 6))
            return readComments(p + 7, n - 7, comments);
        if (h.codec == OggHeaders::Codec::Opus && n >= 8 && !std::memcmp(p, "OpusTags", 8))
            return readComments(p + 8, n - 8, comments);
        return Say::tr("its comment header is missing");
    }

    QString identify(const uchar* p, int64_t n)
    {
        if (n >= 30 && p[0] == 1 && !std::memcmp(p + 1, "vorbis", 6)) {
            h.codec = OggHeaders::Codec::Vorbis;
            if (le32(p + 7) != 0)
                return Say::tr("it is made with a Vorbis version no decoder knows");
            h.channels = p[11];
            h.rate = int(std::min<uint32_t>(le32(p + 12), INT32_MAX));
            const auto nominal = int32_t(le32(p + 20));
            h.nominalBitrate = nominal > 0 ? nominal : 0;
            packetsWanted = 2;
        } else if (n >= 19 && !std::memcmp(p, "OpusHead", 8)) {
            h.codec = OggHeaders::Codec::Opus;
            if ((p[8] & 0xF0) != 0)
                return Say::tr("it is made with an Opus version no decoder knows");
            h.channels = p[9];
            h.preSkip = le16(p + 10);
            h.rate = int(std::min<uint32_t>(le32(p + 12), INT32_MAX));
            packetsWanted = 2;
        } else if (n >= 5 && p[0] == 0x7F && !std::memcmp(p + 1, "FLAC", 4)) {
            h.codec = OggHeaders::Codec::Flac;
            packetsWanted = 1;
        } else {
            return Say::tr("it holds no sound stream Sonaplex reads");
        }
        if (h.channels <= 0)
            return Say::tr("its header gives it no channels");
        if (h.codec == OggHeaders::Codec::Vorbis && h.rate <= 0)
            return Say::tr("its header gives it a sample rate of 0 Hz");
        return {};
    }

    QString run()
    {
        uint32_t serial = 0;
        bool first = true, ended = false;
        for (int64_t pageAt = file.pos();;) {
            uchar head[27 + 255];
            const qint64 got = file.read(reinterpret_cast<char*>(head), 27);
            if (got == 0 && !first)
                break;
            if (got != 27 || std::memcmp(head, "OggS", 4))
                return got < 27 && got >= 0 && !first ? Say::tr("its last page is cut short")
                                                      : Say::tr("it is damaged at byte %1").arg(pageAt);
            if (head[4] != 0)
                return Say::tr("it is damaged at byte %1").arg(pageAt);
            const int segments = head[26];
            if (file.read(reinterpret_cast<char*>(head + 27), segments) != segments)
                return Say::tr("its last page is cut short");
            int64_t body = 0;
            for (int i = 0; i < segments; ++i)
                body += head[27 + i];
            const uint32_t pageSerial = le32(head + 14);
            if (first) {
                serial = pageSerial;
                if (!(head[5] & 0x02))
                    return Say::tr("it does not start where an Ogg stream starts");
            } else if (pageSerial != serial || ended || (head[5] & 0x02) || (le32(head + 18) == 0)) {
                // A page after the end, a second beginning or a page count that starts again is a
                // stream chained to the first, even under the same serial number.
                return Say::tr("it holds more than one stream (chained or interleaved), which Sonaplex does not "
                               "read");
            }
            first = false;
            ended = head[5] & 0x04;
            if (const int64_t granule = le64(head + 6); granule != -1)
                h.lastGranule = granule;
            if (packetsDone < packetsWanted || everyPage) {
                const QByteArray bytes = file.read(body);
                if (bytes.size() != body)
                    return Say::tr("its last page is cut short");
                // A page damaged inside is a hole a decoder passes over in silence: the sound
                // would be cut short or garbled. Its checksum says so.
                QByteArray page(reinterpret_cast<const char*>(head), 27 + segments);
                const uint32_t stated = le32(head + 22);
                page.replace(22, 4, QByteArray(4, '\0'));
                if (everyPage && oggPageCrc((page + bytes).constData(), page.size() + bytes.size()) != stated)
                    return Say::tr("it is damaged at byte %1").arg(pageAt);
                if (packetsDone < packetsWanted) {
                    if (const QString why = headerSegments(head + 27, segments, bytes); !why.isEmpty())
                        return why;
                    if (packetsDone >= packetsWanted)
                        h.soundStart = file.pos();
                }
            } else if (!file.seek(file.pos() + body)) {
                return Say::tr("its last page is cut short");
            }
            if (file.pos() > file.size())
                return Say::tr("its last page is cut short");
            pageAt = file.pos();
        }
        if (packetsDone < packetsWanted)
            return Say::tr("its headers are cut short");
        return {};
    }

    // Puts a page's segments into header packets until the headers are done.
    QString headerSegments(const uchar* lacing, int segments, const QByteArray& body)
    {
        qsizetype at = 0;
        for (int i = 0; i < segments; ++i) {
            const int size = lacing[i];
            const QByteArray part = body.mid(at, size);
            at += size;
            if (part.size() != size)
                return Say::tr("its last page is cut short");
            if (packetsDone >= packetsWanted)
                continue;
            packet += part;
            if (packet.size() > kMaxOggHeaderBytes)
                return packetsDone == 0 ? Say::tr("its first header is larger than 1 MB")
                                        : Say::tr("its comment header is larger than 1 MB");
            if (size < 255) {
                if (const QString why = takePacket(packet); !why.isEmpty())
                    return why;
                packet.clear();
            }
        }
        return {};
    }
};

} // namespace

LoopPoints loopFromComments(const QStringList& comments)
{
    int64_t start = -1, length = -1, end = -1;
    for (const QString& c : comments) {
        const qsizetype eq = c.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = c.left(eq).trimmed().toUpper();
        bool ok = false;
        qlonglong value = c.mid(eq + 1).trimmed().toLongLong(&ok);
        if (!ok || value < 0)
            continue;
        // No sound is 2^40 frames long (290 days at 44.1 kHz): anything past that is past the end
        // however it is counted, and sums of such values stay far from overflowing.
        constexpr qlonglong kBeyondAnySound = qlonglong(1) << 40;
        value = std::min(value, kBeyondAnySound);
        if (key == QLatin1String("LOOPSTART"))
            start = value;
        else if (key == QLatin1String("LOOPLENGTH"))
            length = value;
        else if (key == QLatin1String("LOOPEND"))
            end = value;
    }
    LoopPoints loop;
    if (start < 0)
        return loop;
    loop.start = start;
    loop.length = length > 0 ? length : end > start ? end - start : -1;
    return loop;
}

OggHeaders readOggHeaders(QIODevice& file, bool everyPage)
{
    Reader reader{file, {}, {}, 1, 0, {}, everyPage};
    reader.h.problem = reader.run();
    reader.h.loop = loopFromComments(reader.comments);
    return reader.h;
}

} // namespace sonaplex::audio

namespace sonaplex::audio {

uint32_t oggPageCrc(const char* page, qsizetype size)
{
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k)
                r = r & 0x80000000u ? (r << 1) ^ 0x04c11db7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    uint32_t crc = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const uchar byte = (i >= 22 && i < 26) ? 0 : uchar(page[i]);
        crc = (crc << 8) ^ table[((crc >> 24) & 0xFF) ^ byte];
    }
    return crc;
}

namespace {

struct Page {
    qsizetype at = 0, size = 0;
};

// The pages of a file whose structure was already checked (readOggHeaders).
std::vector<Page> pagesOf(const QByteArray& file)
{
    std::vector<Page> pages;
    for (qsizetype at = 0; at + 27 <= file.size();) {
        const int segments = uchar(file[at + 26]);
        if (at + 27 + segments > file.size())
            break;
        qsizetype body = 0;
        for (int i = 0; i < segments; ++i)
            body += uchar(file[at + 27 + i]);
        pages.push_back({at, 27 + segments + body});
        at += 27 + segments + body;
    }
    return pages;
}

QByteArray littleEndian(uint32_t v)
{
    QByteArray b(4, '\0');
    for (int k = 0; k < 4; ++k)
        b[k] = char(v >> (8 * k));
    return b;
}

// One page around `body` with the given lacing, numbered and sealed.
QByteArray makePage(
    const QByteArray& head, uint8_t flags, uint32_t sequence, const QByteArray& lacing, const QByteArray& body)
{
    QByteArray page = head.left(27);
    page[5] = char(flags);
    for (int k = 0; k < 8; ++k)
        page[6 + k] = 0; // header pages end no sound
    page.replace(18, 4, littleEndian(sequence));
    page[26] = char(lacing.size());
    page += lacing + body;
    page.replace(22, 4, littleEndian(oggPageCrc(page.constData(), page.size())));
    return page;
}

// The comment packet again: its vendor and comments, loop tags replaced (empty, with `why`, when
// it cannot be read).
QByteArray commentsWithLoop(const QByteArray& old, OggHeaders::Codec codec, const LoopPoints& loop, QString* why)
{
    const qsizetype prefix = codec == OggHeaders::Codec::Vorbis ? 7 : 8;
    QStringList comments;
    if (!readComments(reinterpret_cast<const uchar*>(old.constData()) + prefix, old.size() - prefix, comments)
             .isEmpty()) {
        *why = Say::tr("its comment header cannot be read");
        return {};
    }
    const uint32_t vendorSize = le32(reinterpret_cast<const uchar*>(old.constData()) + prefix);
    comments.erase(
        std::remove_if(comments.begin(), comments.end(),
            [](const QString& c) {
                return c.section(QLatin1Char('='), 0, 0).trimmed().toUpper().startsWith(QLatin1String("LOOP"));
            }),
        comments.end());
    if (loop.present()) {
        comments << QStringLiteral("LOOPSTART=%1").arg(loop.start);
        if (loop.length > 0)
            comments << QStringLiteral("LOOPLENGTH=%1").arg(loop.length);
    }
    QByteArray packet = old.left(prefix + 4 + vendorSize) + littleEndian(uint32_t(comments.size()));
    for (const QString& c : comments)
        packet += littleEndian(uint32_t(c.toUtf8().size())) + c.toUtf8();
    if (codec == OggHeaders::Codec::Vorbis)
        packet += char(1); // framing bit
    return packet;
}

// The header packets after the first, laced into pages numbered from 1 (`head`: the first
// page's header, whose stream serial they keep).
QByteArray headerPages(const QByteArray& head, const std::vector<QByteArray>& packets)
{
    QByteArray out;
    uint32_t sequence = 1;
    QByteArray lacing, body;
    bool continued = false;
    auto flush = [&](bool next) {
        out += makePage(head, continued ? 1 : 0, sequence++, lacing, body);
        lacing.clear();
        body.clear();
        continued = next;
    };
    for (size_t k = 1; k < packets.size(); ++k) {
        qsizetype left = packets[k].size(), at = 0;
        for (;;) {
            const int piece = int(std::min<qsizetype>(left, 255));
            lacing += char(piece);
            body += packets[k].mid(at, piece);
            at += piece;
            left -= piece;
            const bool ended = piece < 255;
            if (lacing.size() == 255)
                flush(!ended);
            if (ended)
                break;
        }
    }
    if (!lacing.isEmpty())
        flush(false);
    return out;
}

} // namespace

QString setOggLoopTags(const QString& path, const LoopPoints& loop)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QByteArray file = in.readAll();
    in.close();
    QBuffer check;
    check.setData(file);
    check.open(QIODevice::ReadOnly);
    const OggHeaders h = readOggHeaders(check);
    if (!h.problem.isEmpty() || (h.codec != OggHeaders::Codec::Vorbis && h.codec != OggHeaders::Codec::Opus))
        return Say::tr("it is not an Ogg Vorbis or Opus file that can be tagged");
    const int headerPackets = h.codec == OggHeaders::Codec::Vorbis ? 3 : 2;
    // The header packets, and the page the last of them ends on.
    const std::vector<Page> pages = pagesOf(file);
    std::vector<QByteArray> packets(1);
    size_t firstSoundPage = 0;
    for (size_t p = 0; p < pages.size() && int(packets.size()) <= headerPackets; ++p) {
        const char* at = file.constData() + pages[p].at;
        const int segments = uchar(at[26]);
        qsizetype body = 27 + segments;
        for (int i = 0; i < segments; ++i) {
            const int size = uchar(at[27 + i]);
            packets.back() += QByteArray(at + body, size);
            body += size;
            if (size < 255) {
                if (int(packets.size()) == headerPackets && i != segments - 1)
                    return Say::tr("its headers share a page with its sound");
                packets.emplace_back();
            }
        }
        firstSoundPage = p + 1;
    }
    if (int(packets.size()) <= headerPackets)
        return Say::tr("its headers are cut short");
    packets.pop_back();
    QString why;
    packets[1] = commentsWithLoop(packets[1], h.codec, loop, &why);
    if (packets[1].isEmpty())
        return why;
    QByteArray out = file.mid(pages[0].at, pages[0].size) + headerPages(file.mid(pages[0].at, 27), packets);
    auto sequence = uint32_t(pagesOf(out).size()); // the sound's pages are numbered on from the headers
    for (size_t p = firstSoundPage; p < pages.size(); ++p) {
        QByteArray page = file.mid(pages[p].at, pages[p].size);
        page.replace(18, 4, littleEndian(sequence++));
        page.replace(22, 4, littleEndian(oggPageCrc(page.constData(), page.size())));
        out += page;
    }
    QSaveFile save(path);
    if (!save.open(QIODevice::WriteOnly) || save.write(out) != out.size() || !save.commit())
        return save.errorString();
    return {};
}

} // namespace sonaplex::audio
