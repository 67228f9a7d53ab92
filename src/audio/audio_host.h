#pragma once
#include "audio/midi_source.h"
#include "audio/source.h"

#include <QStringList>

#include <thread>
#include <vector>

namespace sonaplex::audio {

class Player;

// What the program tells its audio: where to look for a General MIDI SoundFont.
struct AudioSettings {
    QStringList soundFontCandidates = defaultSoundFontCandidates();
    SampleLoading samples = SampleLoading::OnDemand;
};

// The one owner of what the players share: the synthesizer (so its SoundFont is loaded once)
// and the rule that only one MIDI file sounds at a time. The program makes one and hands it
// to every player; players keep it alive.
class AudioHost {
public:
    explicit AudioHost(AudioSettings settings = {});
    ~AudioHost();
    AudioHost(const AudioHost&) = delete;
    AudioHost& operator=(const AudioHost&) = delete;

    // Loads the output module and connects to the sound server on a thread of its own (once),
    // so that the first play only opens its stream. FluidSynth and the SoundFont are not
    // loaded until the first MIDI file is opened.
    void prepareOutputInBackground();

    // Opens a file for the given device type; reads only what it needs to know the format.
    // Never takes much longer than kOpenTimeLimit: a file that would is reported as one that
    // cannot be opened.
    OpenResult open(DeviceKind kind, const QString& path) const;

    // The synthesizer, for renders that are not played (a song's picture); copies share it.
    const MidiSynth& synth() const { return synth_; }

    // Players join and leave; a player about to sound a MIDI file pauses the others that do.
    void join(Player* player);
    void leave(Player* player);
    void aboutToPlayMidi(Player* player);

private:
    MidiSynth synth_;
    std::thread preparer_;
    std::vector<Player*> players_;
};

} // namespace sonaplex::audio
