// Any bytes through the MIDI file reader: no crash, no undefined behaviour, the event cap held,
// and events in time order.
#include "audio/midi_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace sonaplex::audio;
    const MidiParse parsed = parseMidi(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), 60);
    const auto& events = parsed.song.events;
    if (events.size() > kMaxMidiEvents)
        std::abort();
    for (size_t i = 1; i < events.size(); ++i)
        if (events[i].seconds < events[i - 1].seconds)
            std::abort();
    for (const MidiEvent& e : events)
        if (e.status == 0xF0)
            (void)parsed.song.sysexBody(e.sysexIndex).size();
    return 0;
}
