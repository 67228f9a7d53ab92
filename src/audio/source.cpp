#include "audio/source.h"

#include "audio/bounded.h"
#include "audio/midi_source.h"
#include "audio/wave_source.h"

#include <QFileInfo>

namespace sonaplex::audio {

QString tookTooLong(const QString& path)
{
    return QStringLiteral("%1 cannot be opened: reading it took too long (the file may be damaged, or on a drive "
                          "that does not answer).")
        .arg(QFileInfo(path).fileName());
}

QString playableProblem(DeviceKind kind, const QString& path)
{
    std::optional<QString> problem = runBounded<QString>(
        [kind, path] {
            return kind == DeviceKind::Sequencer ? readMidi(path, MidiDetail::Summary).error : openWave(path).error;
        },
        kOpenTimeLimit);
    return problem ? *problem : tookTooLong(path);
}

} // namespace sonaplex::audio
