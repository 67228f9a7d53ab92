#pragma once
#include "audio/midi_file.h"
#include "audio/source.h"

#include <QStringList>

namespace sonaplex::audio {

// Standard MIDI Files rendered by FluidSynth with a General MIDI SoundFont.
OpenResult openMidi(const QString& path);

struct MidiRead {
    MidiSong song;
    QString error; // for the user, naming the file; empty on success
};
// Reads and parses a MIDI file without the synthesizer.
MidiRead readMidi(const QString& path);

// Where the SoundFont is looked for, first match wins. Tests narrow this to simulate a
// machine without one; an empty list restores the usual places.
void setSoundFontCandidates(const QStringList& paths);
QStringList soundFontCandidates();
// The SoundFont in use, or empty when none was found.
QString findSoundFont();

constexpr int kMidiSampleRate = 44100;
// Sound that follows the last event: the release of the last notes.
constexpr double kMidiTailSeconds = 2.0;

} // namespace sonaplex::audio
