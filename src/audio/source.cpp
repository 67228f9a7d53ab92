#include "audio/source.h"

#include "audio/bounded.h"
#include "audio/midi_source.h"
#include "audio/probe.h"
#include "audio/audio_file.h"
#include "base/sound_names.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Source)
};
} // namespace

QString tookTooLong(const QString& path)
{
    return Say::tr("%1 cannot be opened: reading it took too long (the file may be damaged, or on a drive "
                   "that does not answer).")
        .arg(QFileInfo(path).fileName());
}

DeviceKind deviceKindOf(const QString& path, DeviceKind otherwise)
{
    const SoundFormat format = soundFormatOfName(path);
    return format == SoundFormat::Midi ? DeviceKind::Sequencer
        : format == SoundFormat::Unknown ? otherwise
                                         : DeviceKind::WaveAudio;
}

QString playableProblem(DeviceKind kind, const QString& path)
{
    kind = deviceKindOf(path, kind);
    if (kind == DeviceKind::WaveAudio)
        return probeInfo(path, kOpenTimeLimit).error; // a stranger's file: decoded in the helper first
    std::optional<QString> problem
        = runBounded<QString>([path] { return readMidi(path, MidiDetail::Summary).error; }, kOpenTimeLimit);
    return problem ? *problem : tookTooLong(path);
}

} // namespace sonaplex::audio
