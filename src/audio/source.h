#pragma once
#include <QString>
#include <cstdint>
#include <memory>

namespace sonaplex::audio {

// What a player can play: the two device types of a sample player.
enum class DeviceKind { WaveAudio, Sequencer };

// A stream of interleaved float frames, read from the start or from where seek() put it.
class AudioSource {
public:
    virtual ~AudioSource() = default;
    virtual int sampleRate() const = 0;
    virtual int channels() const = 0;
    virtual int64_t lengthFrames() const = 0;
    // Reads up to `frames` frames into `out` (frames × channels floats); fewer only at the end.
    virtual int64_t read(float* out, int64_t frames) = 0;
    virtual bool seek(int64_t frame) = 0;
    // Why the source cannot sound after all (found while it was being prepared: a SoundFont
    // that would not load), for the user; empty when it can. May wait for that preparation.
    virtual QString problem() { return {}; }
};

struct OpenResult {
    std::unique_ptr<AudioSource> source;
    QString error; // why the file cannot be played, for the user
};

// The player a file needs, by its name: the sequencer for MIDI, the wave player for recordings
// and modules; `otherwise` for a name that says neither.
DeviceKind deviceKindOf(const QString& path, DeviceKind otherwise);

// What the user is told of a file whose opening took too long.
QString tookTooLong(const QString& path);

// Why the file at `path` cannot serve as a sound (a recording or module the wave player opens, a
// Standard MIDI File with notes; `kind` for a file whose name says neither), naming the file;
// empty when it can. Needs
// neither an audio device nor a SoundFont; bounded in time like openSource.
QString playableProblem(DeviceKind kind, const QString& path);

} // namespace sonaplex::audio
