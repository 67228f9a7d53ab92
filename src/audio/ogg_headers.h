#pragma once
#include <QString>

#include <cstdint>

class QIODevice;

namespace sonaplex::audio {

// Where a game loops a sound, in frames from its start (-1: not given). Read from the tags
// games use: Vorbis comments LOOPSTART with LOOPLENGTH or LOOPEND, a wave file's "smpl" loop.
struct LoopPoints {
    int64_t start = -1, length = -1;
    bool present() const { return start >= 0; }
    bool operator==(const LoopPoints&) const = default;
};

// What the pages and headers of an Ogg file say, read before a decoder sees the file: decoders
// trust the sizes and counts in them, and a file made to harm (a header that never ends, a
// stream chained to another, a length no file of its size can hold) would have them allocate
// or spin without end.
struct OggHeaders {
    enum class Codec { Unknown, Vorbis, Opus, Flac };
    Codec codec = Codec::Unknown;
    int channels = 0;
    int rate = 0; // Vorbis: the stream's; Opus: the rate it was made from (it decodes at 48 kHz)
    int nominalBitrate = 0; // bits per second the Vorbis encoder aimed at; 0 when it did not say
    int64_t lastGranule = -1; // the stream's length in its own units (Opus: 48 kHz, pre-skip included)
    int preSkip = 0; // Opus
    int64_t soundStart = 0; // where the pages after the codec's headers begin
    LoopPoints loop;
    QString problem; // why the file is refused ("its comment header is larger than 1 MB"); empty when it is not
};

// Reads every page header of the file (their bodies only as far as the codec's headers), from
// the current position. Bounds: headers of at most `kMaxOggHeaderBytes`, one logical stream.
// With `everyPage`, every page is read and its checksum checked, so that a page damaged inside
// the sound is found (a decoder would skip it in silence); otherwise only the headers' pages.
OggHeaders readOggHeaders(QIODevice& file, bool everyPage = false);
constexpr int64_t kMaxOggHeaderBytes = 1 << 20;

// The loop tags of a comment list (Vorbis comments, "KEY=value"), ignoring case in keys.
LoopPoints loopFromComments(const QStringList& comments);

} // namespace sonaplex::audio

namespace sonaplex::audio {

// The checksum of an Ogg page (its own checksum field counted as zero).
uint32_t oggPageCrc(const char* page, qsizetype size);

// Sets loop tags (LOOPSTART and LOOPLENGTH, in frames) in the comment header of an Ogg Vorbis or
// Opus file the program wrote itself, dropping loop tags it had: the header pages are laid out
// again and the pages after them renumbered. Returns why it could not, empty when it did.
QString setOggLoopTags(const QString& path, const LoopPoints& loop);

} // namespace sonaplex::audio
