#include "audio/source.h"

#include "audio/midi_source.h"
#include "audio/wave_source.h"

namespace sonaplex::audio {

OpenResult openSource(DeviceKind kind, const QString& path)
{
    return kind == DeviceKind::Sequencer ? openMidi(path) : openWave(path);
}

} // namespace sonaplex::audio
