#pragma once
// Ogg pages taken apart and put back together, for files made to harm a decoder.
#include "audio/ogg_headers.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace sonaplex::test {

inline void sealPage(QByteArray& page)
{
    const uint32_t crc = audio::oggPageCrc(page.constData(), page.size());
    for (int k = 0; k < 4; ++k)
        page[22 + k] = char(crc >> (8 * k));
}

// The pages of a well-formed file, each whole (header, lacing and body).
inline std::vector<QByteArray> oggPages(const QByteArray& file)
{
    std::vector<QByteArray> pages;
    for (qsizetype at = 0; at + 27 <= file.size();) {
        const int segments = uchar(file[at + 26]);
        qsizetype body = 0;
        for (int i = 0; i < segments; ++i)
            body += uchar(file[at + 27 + i]);
        const qsizetype size = 27 + segments + body;
        pages.push_back(file.mid(at, size));
        at += size;
    }
    return pages;
}

// One page holding `packet` whole (at most 255 * 255 - 1 bytes) or, with `continues`, a piece
// of a packet that goes on in the next page.
inline QByteArray oggPage(uint8_t flags, int64_t granule, uint32_t serial, uint32_t sequence, const QByteArray& packet,
    bool continues = false)
{
    QByteArray page("OggS", 4);
    page.append(char(0));
    page.append(char(flags));
    for (int k = 0; k < 8; ++k)
        page.append(char(uint64_t(granule) >> (8 * k)));
    for (uint32_t v : {serial, sequence, 0u})
        for (int k = 0; k < 4; ++k)
            page.append(char(v >> (8 * k)));
    QByteArray lacing;
    qsizetype left = packet.size();
    while (left >= 255) {
        lacing.append(char(255));
        left -= 255;
    }
    if (!continues)
        lacing.append(char(left));
    page.append(char(lacing.size()));
    page.append(lacing);
    page.append(packet);
    sealPage(page);
    return page;
}

inline QByteArray le32(uint32_t v)
{
    QByteArray b;
    for (int k = 0; k < 4; ++k)
        b.append(char(v >> (8 * k)));
    return b;
}

// A Vorbis identification header with the given channels and rate (the rest plausible).
inline QByteArray vorbisIdentification(int channels, uint32_t rate)
{
    QByteArray p("\x01vorbis", 7);
    p += le32(0);
    p.append(char(channels));
    p += le32(rate) + le32(0) + le32(96000) + le32(0);
    p.append(char(0xB8));
    p.append(char(1));
    return p;
}

} // namespace sonaplex::test
