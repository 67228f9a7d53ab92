#pragma once
#include "audio/midi_file.h"
#include "audio/source.h"

#include <QStringList>

#include <memory>

namespace sonaplex::audio {

struct MidiRead {
    MidiSong song;
    QString error; // for the user, naming the file; empty on success
    QByteArray bytes = {}; // the file, when only summarised: for the full parse that follows
};
// Reads and parses a MIDI file without the synthesizer.
MidiRead readMidi(const QString& path, MidiDetail detail = MidiDetail::Events);

// Where a General MIDI SoundFont is usually found, $SONAPLEX_SOUNDFONT first when set.
QStringList defaultSoundFontCandidates();
// The first candidate that exists, or empty.
QString findSoundFont(const QStringList& candidates);

class SharedSynth;

// When a SoundFont's samples come into memory: each instrument's when a song that uses it is
// opened (and they go when the last such song is closed), or all of them with the SoundFont.
enum class SampleLoading { OnDemand, UpFront };

// Standard MIDI Files rendered by FluidSynth with a General MIDI SoundFont (the first of the
// candidates that exists), loaded once and shared by every song; copies share it too.
class MidiSynth {
public:
    explicit MidiSynth(QStringList soundFontCandidates, SampleLoading loading = SampleLoading::OnDemand);
    OpenResult open(const QString& path) const;
    // A song already read whole (to render it without playing it).
    OpenResult open(MidiSong song) const;

private:
    std::shared_ptr<SharedSynth> d;
};

constexpr int kMidiSampleRate = 44100;
// A song's length as shown: its last event and the usual release of the last notes. When
// played, a song ends when its sound has died away, at most kMidiMaxTailSeconds after its
// last event.
constexpr double kMidiTailSeconds = 2.0;
constexpr double kMidiMaxTailSeconds = 10.0;
// Songs are cut here, so that a file with an absurd tempo cannot run for days.
constexpr double kMidiMaxSeconds = 30 * 60;

} // namespace sonaplex::audio
