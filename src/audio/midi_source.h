#pragma once
#include "audio/midi_file.h"
#include "audio/source.h"

#include <QStringList>

#include <memory>

namespace sonaplex::audio {

struct MidiRead {
    MidiSong song;
    QString error; // for the user, naming the file; empty on success
};
// Reads and parses a MIDI file without the synthesizer.
MidiRead readMidi(const QString& path);

// Where a General MIDI SoundFont is usually found, $SONAPLEX_SOUNDFONT first when set.
QStringList defaultSoundFontCandidates();
// The first candidate that exists, or empty.
QString findSoundFont(const QStringList& candidates);

class SharedSynth;

// Standard MIDI Files rendered by FluidSynth with a General MIDI SoundFont: one synthesizer,
// its SoundFont (the first of the candidates that exists) loaded on first use. Copies share it.
class MidiSynth {
public:
    explicit MidiSynth(QStringList soundFontCandidates);
    OpenResult open(const QString& path) const;

private:
    std::shared_ptr<SharedSynth> d;
};

constexpr int kMidiSampleRate = 44100;
// Sound that follows the last event: the release of the last notes.
constexpr double kMidiTailSeconds = 2.0;

} // namespace sonaplex::audio
