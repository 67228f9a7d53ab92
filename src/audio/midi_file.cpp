#include "audio/midi_file.h"

#include <algorithm>

namespace sonaplex::audio {

namespace {

constexpr size_t kMaxEvents = 4'000'000;

struct RawEvent {
    uint64_t tick;
    uint32_t order; // file order, to keep simultaneous events as written
    MidiEvent event;
    uint32_t tempo = 0; // microseconds per quarter for tempo meta events, else 0
};

class Reader {
public:
    Reader(const char* data, size_t size) : p_(reinterpret_cast<const uint8_t*>(data)), end_(p_ + size) {}
    bool atEnd() const { return p_ >= end_; }
    size_t left() const { return size_t(end_ - p_); }
    bool byte(uint8_t& out)
    {
        if (p_ >= end_)
            return false;
        out = *p_++;
        return true;
    }
    bool u16(uint32_t& out)
    {
        if (left() < 2)
            return false;
        out = (uint32_t(p_[0]) << 8) | p_[1];
        p_ += 2;
        return true;
    }
    bool u32(uint32_t& out)
    {
        if (left() < 4)
            return false;
        out = (uint32_t(p_[0]) << 24) | (uint32_t(p_[1]) << 16) | (uint32_t(p_[2]) << 8) | p_[3];
        p_ += 4;
        return true;
    }
    bool varLen(uint32_t& out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!byte(b))
                return false;
            out = (out << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false; // longer than the four bytes a length may have
    }
    bool skip(size_t n)
    {
        if (left() < n)
            return false;
        p_ += n;
        return true;
    }
    const char* here() const { return reinterpret_cast<const char*>(p_); }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

int dataBytes(uint8_t status)
{
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 1;
    default:
        return 2;
    }
}

} // namespace

MidiParse parseMidi(const QByteArray& bytes, double maxSeconds)
{
    MidiParse result;
    Reader in(bytes.constData(), size_t(bytes.size()));
    char id[4];
    uint32_t headerLength = 0, format = 0, declaredTracks = 0, division = 0;
    if (in.left() < 14 || (std::copy_n(in.here(), 4, id), !std::equal(id, id + 4, "MThd"))) {
        result.error = QStringLiteral("it is not a Standard MIDI File");
        return result;
    }
    in.skip(4);
    in.u32(headerLength);
    if (headerLength < 6 || !in.u16(format) || !in.u16(declaredTracks) || !in.u16(division)
        || !in.skip(headerLength - 6)) {
        result.error = QStringLiteral("its MIDI header is damaged");
        return result;
    }
    if (format > 2) {
        result.error = QStringLiteral("it uses an unknown MIDI format (%1)").arg(format);
        return result;
    }
    if (division == 0) {
        result.error = QStringLiteral("its MIDI header gives no timing");
        return result;
    }

    std::vector<RawEvent> raw;
    int tracks = 0;
    bool truncated = false;
    while (!in.atEnd() && in.left() >= 8) {
        std::copy_n(in.here(), 4, id);
        in.skip(4);
        uint32_t length = 0;
        in.u32(length);
        if (length > in.left()) {
            truncated = true;
            length = uint32_t(in.left()); // read what is there of a cut-off last track
        }
        Reader track(in.here(), length);
        in.skip(length);
        if (!std::equal(id, id + 4, "MTrk"))
            continue; // unknown chunks are skipped, as the format asks
        ++tracks;
        uint64_t tick = 0;
        uint8_t running = 0;
        while (!track.atEnd()) {
            uint32_t delta;
            uint8_t status;
            if (!track.varLen(delta) || !track.byte(status))
                break;
            tick += delta;
            RawEvent ev{tick, uint32_t(raw.size()), {}, 0};
            if (status == 0xFF) {
                uint8_t type;
                uint32_t len;
                if (!track.byte(type) || !track.varLen(len) || track.left() < len)
                    break;
                if (type == 0x51 && len == 3) {
                    const auto* d = reinterpret_cast<const uint8_t*>(track.here());
                    ev.tempo = std::max<uint32_t>(1, (uint32_t(d[0]) << 16) | (uint32_t(d[1]) << 8) | d[2]);
                    raw.push_back(ev);
                }
                track.skip(len);
                if (type == 0x2F)
                    break; // end of track
                continue;
            }
            if (status == 0xF0 || status == 0xF7) {
                uint32_t len;
                if (!track.varLen(len) || track.left() < len)
                    break;
                if (status == 0xF0) {
                    ev.event.status = 0xF0;
                    ev.event.sysexIndex = uint32_t(result.song.sysex.size());
                    // FluidSynth wants the message without its F0 and closing F7.
                    QByteArray body(track.here(), int(len));
                    if (body.endsWith('\xF7'))
                        body.chop(1);
                    result.song.sysex.push_back(body);
                    raw.push_back(ev);
                }
                track.skip(len);
                running = 0;
                continue;
            }
            uint8_t first;
            if (status & 0x80) {
                if (status >= 0xF0)
                    break; // a system message has no place in a file: the track is damaged
                running = status;
                if (!track.byte(first))
                    break;
            } else {
                if (!running)
                    break;
                first = status;
                status = running;
            }
            uint8_t second = 0;
            if (dataBytes(status) == 2 && !track.byte(second))
                break;
            ev.event.status = status;
            ev.event.data1 = first & 0x7F;
            ev.event.data2 = second & 0x7F;
            raw.push_back(ev);
            if (raw.size() > kMaxEvents)
                break;
        }
        if (raw.size() > kMaxEvents)
            break;
    }
    if (tracks == 0) {
        result.error = truncated ? QStringLiteral("the file is cut short") : QStringLiteral("it holds no MIDI track");
        return result;
    }

    std::stable_sort(raw.begin(), raw.end(), [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });

    // Ticks to seconds: by tempo for quarter-note timing, fixed for SMPTE timing.
    const bool smpte = division & 0x8000;
    double secondsPerTick;
    if (smpte) {
        int fps = -int8_t(division >> 8);
        const int ticksPerFrame = division & 0xFF;
        const double framesPerSecond = fps == 29 ? 29.97 : fps;
        secondsPerTick = (fps <= 0 || ticksPerFrame == 0) ? 1.0 / 1000 : 1.0 / (framesPerSecond * ticksPerFrame);
    } else {
        secondsPerTick = 500000.0 / 1e6 / division;
    }
    double seconds = 0;
    uint64_t lastTick = 0;
    auto& events = result.song.events;
    events.reserve(raw.size());
    for (const RawEvent& r : raw) {
        seconds += double(r.tick - lastTick) * secondsPerTick;
        lastTick = r.tick;
        if (seconds > maxSeconds)
            break;
        if (r.tempo) {
            if (!smpte)
                secondsPerTick = r.tempo / 1e6 / division;
            continue;
        }
        MidiEvent e = r.event;
        e.seconds = seconds;
        events.push_back(e);
    }
    result.song.lastEventSeconds = events.empty() ? 0 : std::min(events.back().seconds, maxSeconds);
    result.song.format = int(format);
    result.song.tracks = tracks;
    return result;
}

} // namespace sonaplex::audio
