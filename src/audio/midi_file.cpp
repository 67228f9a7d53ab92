#include "audio/midi_file.h"

#include <QCoreApplication>
#include <algorithm>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(MidiFile)
};


// While the tracks are read, an event's `seconds` holds its tick (exact in a double up to
// 2^53) and a tempo change is an event of this status with the new tempo in `sysexIndex`;
// one array then serves for reading, sorting and timing, so a file's events are held once.
constexpr uint8_t kTempoStatus = 0xFF;

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

// The file's header: its format, the number of tracks it declares and its timing. Empty when
// it reads; else why the file is not one to play.
struct Header {
    uint32_t format = 0, declaredTracks = 0, division = 0;
};
QString readHeader(Reader& in, Header& h)
{
    char id[4];
    uint32_t headerLength = 0;
    if (in.left() < 14 || (std::copy_n(in.here(), 4, id), !std::equal(id, id + 4, "MThd")))
        return Say::tr("it is not a Standard MIDI File");
    in.skip(4);
    in.u32(headerLength);
    if (headerLength < 6 || !in.u16(h.format) || !in.u16(h.declaredTracks) || !in.u16(h.division)
        || !in.skip(headerLength - 6))
        return Say::tr("its MIDI header is damaged");
    if (h.format > 2)
        return Say::tr("it uses an unknown MIDI format (%1)").arg(h.format);
    if (h.division == 0)
        return Say::tr("its MIDI header gives no timing");
    return {};
}

// The tracks' events as they are read, each at its tick (see kTempoStatus); a summary keeps the
// tempo changes and, in place of the other events, the latest of them.
struct Tracks {
    MidiParse& result;
    const uint8_t* base; // the file's first byte: system exclusive messages are kept as offsets
    bool summary;
    uint64_t lastTick = 0;
    size_t counted = 0; // every event read, of any kind
    std::vector<size_t> runs = {}; // where each track's events start: each track is in time order
    int tracks = 0;
    bool truncated = false;

    std::vector<MidiEvent>& events() { return result.song.events; }
    void keep(const MidiEvent& ev)
    {
        result.hasEvents = true;
        if (summary)
            lastTick = std::max(lastTick, uint64_t(ev.seconds));
        else
            events().push_back(ev);
    }

    // Every chunk after the header: tracks are read, unknown chunks skipped, as the format asks.
    void readAll(Reader& in)
    {
        char id[4];
        while (!in.atEnd() && in.left() >= 8 && counted < kMaxMidiEvents) {
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
                continue;
            ++tracks;
            runs.push_back(events().size());
            readTrack(track);
        }
    }

    // One track's events, until its end or the first thing in it that cannot be read.
    void readTrack(Reader& track)
    {
        uint64_t tick = 0;
        uint8_t running = 0;
        while (!track.atEnd() && counted < kMaxMidiEvents) {
            uint32_t delta;
            uint8_t status;
            if (!track.varLen(delta) || !track.byte(status))
                break;
            ++counted;
            tick += delta;
            MidiEvent ev;
            ev.seconds = double(tick);
            bool goOn = true;
            if (status == 0xFF)
                goOn = readMeta(track, ev);
            else if (status == 0xF0 || status == 0xF7)
                goOn = readSysex(track, status, ev, running);
            else
                goOn = readChannelMessage(track, status, ev, running);
            if (!goOn)
                break;
        }
    }

    // A meta event: a tempo change is kept; false at the end of the track or where it is damaged.
    bool readMeta(Reader& track, MidiEvent& ev)
    {
        uint8_t type;
        uint32_t len;
        if (!track.byte(type) || !track.varLen(len) || track.left() < len)
            return false;
        if (type == 0x51 && len == 3) {
            const auto* d = reinterpret_cast<const uint8_t*>(track.here());
            ev.status = kTempoStatus;
            ev.sysexIndex = std::max<uint32_t>(1, (uint32_t(d[0]) << 16) | (uint32_t(d[1]) << 8) | d[2]);
            events().push_back(ev);
        }
        track.skip(len);
        return type != 0x2F; // end of track
    }

    bool readSysex(Reader& track, uint8_t status, MidiEvent& ev, uint8_t& running)
    {
        uint32_t len;
        if (!track.varLen(len) || track.left() < len)
            return false;
        if (status == 0xF0) {
            // FluidSynth wants the message without its F0 and closing F7.
            const auto* body = reinterpret_cast<const uint8_t*>(track.here());
            uint32_t bodyLength = len;
            if (bodyLength > 0 && body[bodyLength - 1] == 0xF7)
                --bodyLength;
            ev.status = 0xF0;
            ev.sysexIndex = uint32_t(result.song.sysex.size());
            if (!summary)
                result.song.sysex.push_back({uint32_t(body - base), bodyLength});
            keep(ev);
        }
        track.skip(len);
        running = 0;
        return true;
    }

    bool readChannelMessage(Reader& track, uint8_t status, MidiEvent& ev, uint8_t& running)
    {
        uint8_t first;
        if (status & 0x80) {
            if (status >= 0xF0)
                return false; // a system message has no place in a file: the track is damaged
            running = status;
            if (!track.byte(first))
                return false;
        } else {
            if (!running)
                return false;
            first = status;
            status = running;
        }
        uint8_t second = 0;
        if (dataBytes(status) == 2 && !track.byte(second))
            return false;
        ev.status = status;
        ev.data1 = first & 0x7F;
        ev.data2 = second & 0x7F;
        keep(ev);
        return true;
    }
};

// Each track is in time order already: the tracks are merged, pairwise, rather than every event
// sorted. Merging is stable, so simultaneous events keep the order of their tracks.
void mergeTracks(std::vector<MidiEvent>& events, std::vector<size_t> runs)
{
    auto byTick = [](const MidiEvent& a, const MidiEvent& b) { return a.seconds < b.seconds; };
    runs.push_back(events.size());
    while (runs.size() > 2) {
        std::vector<size_t> merged;
        for (size_t i = 0; i + 2 < runs.size(); i += 2) {
            std::inplace_merge(events.begin() + ptrdiff_t(runs[i]), events.begin() + ptrdiff_t(runs[i + 1]),
                events.begin() + ptrdiff_t(runs[i + 2]), byTick);
            merged.push_back(runs[i]);
        }
        if (runs.size() % 2 == 0) // an odd number of runs: the last one waits for the next round
            merged.push_back(runs[runs.size() - 2]);
        merged.push_back(events.size());
        runs = std::move(merged);
    }
}

// Ticks to seconds: by tempo for quarter-note timing, fixed for SMPTE timing. The tempo changes
// are dropped, and so is what comes after `maxSeconds`; true when something was.
bool timeEvents(std::vector<MidiEvent>& events, uint32_t division, double maxSeconds)
{
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
    size_t kept = 0;
    bool cut = false;
    double previousTick = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        MidiEvent& e = events[i];
        const double tick = e.seconds;
        seconds += (tick - previousTick) * secondsPerTick;
        previousTick = tick;
        if (seconds > maxSeconds) { // cut short when something else than tempo changes follows
            cut = std::any_of(events.begin() + ptrdiff_t(i), events.end(),
                [](const MidiEvent& later) { return later.status != kTempoStatus; });
            break;
        }
        if (e.status == kTempoStatus) {
            if (!smpte)
                secondsPerTick = e.sysexIndex / 1e6 / division;
            continue;
        }
        e.seconds = seconds;
        events[kept++] = e;
    }
    events.resize(kept);
    return cut;
}

} // namespace

MidiParse parseMidi(const QByteArray& bytes, double maxSeconds, MidiDetail detail)
{
    MidiParse result;
    Reader in(bytes.constData(), size_t(bytes.size()));
    Header header;
    if (QString why = readHeader(in, header); !why.isEmpty()) {
        result.error = std::move(why);
        return result;
    }
    auto& events = result.song.events;
    const bool summary = detail == MidiDetail::Summary;
    if (!summary)
        events.reserve(std::min(kMaxMidiEvents, size_t(bytes.size()) / 3 + 16));
    Tracks read{result, reinterpret_cast<const uint8_t*>(bytes.constData()), summary};
    read.readAll(in);
    if (read.tracks == 0) {
        result.error = read.truncated ? Say::tr("the file is cut short") : Say::tr("it holds no MIDI track");
        events = {};
        result.song.sysex = {};
        return result;
    }
    if (summary && result.hasEvents) { // the latest event, after the tempo changes at its tick
        MidiEvent last;
        last.seconds = double(read.lastTick);
        last.status = 0x80;
        read.runs.push_back(events.size());
        events.push_back(last);
    }
    mergeTracks(events, std::move(read.runs));
    const bool cut = timeEvents(events, header.division, maxSeconds);
    if (result.song.sysex.empty())
        result.song.sysex.shrink_to_fit();
    else
        result.song.bytes = bytes; // shared, not copied: the messages are read from it
    result.song.lastEventSeconds = cut ? maxSeconds : events.empty() ? 0 : events.back().seconds;
    if (summary)
        events = {};
    result.song.format = int(header.format);
    result.song.tracks = read.tracks;
    return result;
}

} // namespace sonaplex::audio
