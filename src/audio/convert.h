#pragma once
#include "audio/analysis.h"

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace sonaplex::audio {

// Writes `source` (a recording of any format the program reads) to `destination` in the exact
// format of `like` (container, codec or sample format, rate, channels), at the quality of
// `like` for a lossy codec (see SoundInfo::bitrate): channels mixed down or spread, resampled
// with libsoxr at high quality, `gainDb` applied, samples past full scale clipped. Returns why
// it failed, empty on success; a failed conversion leaves no file at `destination`.
// The copy keeps the replacement's loop points (a wave file's "smpl" loop, Ogg's LOOPSTART and
// LOOPLENGTH comments), moved to the new rate; with LoopChoice::Whole it loops the whole of it.
enum class LoopChoice { Own, Whole };
// `vorbisLevel`, when given, is the encoder level vorbisLevelLike(like) found.
QString convertRecording(const QString& source, const QString& destination, const SoundInfo& like, double gainDb = 0,
    const std::function<bool()>& stopped = {}, LoopChoice loop = LoopChoice::Own,
    std::optional<double> vorbisLevel = {});

// The Vorbis encoder level that gives a copy the nominal bitrate of `like`, an Ogg Vorbis game
// file (empty for any other): found by writing headers of silence into memory a dozen times,
// once per rate, channels and bitrate in a process, so that a run of conversions to one game's
// format finds it once.
std::optional<double> vorbisLevelLike(const SoundInfo& like);

} // namespace sonaplex::audio
