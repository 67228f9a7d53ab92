#pragma once
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace sonaplex::audio {

// One event of a Standard MIDI File, at its time in seconds from the start.
struct MidiEvent {
    double seconds = 0;
    uint8_t status = 0; // channel message status byte, or 0xF0 for system exclusive
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint32_t sysexIndex = 0; // into MidiSong::sysex, for 0xF0
};

// Where a system-exclusive message lies in the file's bytes (without its F0 and closing F7).
struct SysexSpan {
    uint32_t offset = 0;
    uint32_t length = 0;
};

// The playable content of a Standard MIDI File (formats 0, 1 and 2): the channel and
// system-exclusive events of all tracks in time order, tempo changes applied.
struct MidiSong {
    std::vector<MidiEvent> events;
    std::vector<SysexSpan> sysex;
    QByteArray bytes; // the file, kept only when it holds system-exclusive messages
    double lastEventSeconds = 0;
    int format = 0;
    int tracks = 0;

    QByteArrayView sysexBody(uint32_t index) const
    {
        const SysexSpan& s = sysex[index];
        return QByteArrayView(bytes.constData() + s.offset, s.length);
    }
};

// At most this many events are read from a file, every kind of event counted, so that the
// memory a file takes stays bounded whatever it holds; the rest of a longer file is cut.
constexpr size_t kMaxMidiEvents = 4'000'000;

struct MidiParse {
    MidiSong song;
    QString error; // empty on success
    bool hasEvents = false; // channel or system-exclusive events, also when only summarised
};

// What a parse keeps: every event, or only what a player must know at once (format, tracks,
// when the last event comes), which reads the file without holding its events.
enum class MidiDetail { Events, Summary };

// Parses a whole file held in memory. Songs are cut at `maxSeconds`, so that a file with an
// absurd tempo cannot run for days.
MidiParse parseMidi(const QByteArray& bytes, double maxSeconds = 30 * 60, MidiDetail detail = MidiDetail::Events);

} // namespace sonaplex::audio
