#include "audio/audio_host.h"

#include "audio/bounded.h"
#include "audio/output.h"
#include "audio/player.h"
#include "audio/audio_file.h"

#include <QFileInfo>

#include <algorithm>

namespace sonaplex::audio {

AudioHost::AudioHost(AudioSettings settings) : synth_(std::move(settings.soundFontCandidates), settings.samples) {}

AudioHost::~AudioHost()
{
    if (preparer_.joinable())
        preparer_.join();
}

void AudioHost::prepareOutputInBackground()
{
    if (!preparer_.joinable())
        preparer_ = std::thread(prepareOutput);
}

OpenResult AudioHost::open(DeviceKind kind, const QString& path) const
{
    std::optional<OpenResult> opened = runBounded<OpenResult>(
        [kind, path, synth = synth_] { return kind == DeviceKind::Sequencer ? synth.open(path) : openAudio(path); },
        kOpenTimeLimit);
    if (!opened)
        return {nullptr, tookTooLong(path)};
    return std::move(*opened);
}

void AudioHost::join(Player* player) { players_.push_back(player); }

void AudioHost::leave(Player* player) { std::erase(players_, player); }

void AudioHost::aboutToPlayMidi(Player* player)
{
    for (Player* other : players_)
        if (other != player && other->kind() == DeviceKind::Sequencer && other->state() == PlayState::Playing)
            other->pause();
}

} // namespace sonaplex::audio
