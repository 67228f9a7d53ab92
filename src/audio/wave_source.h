#pragma once
#include "audio/source.h"

namespace sonaplex::audio {

// Wave files of any flavour libsndfile reads, streamed from disk.
OpenResult openWave(const QString& path);

} // namespace sonaplex::audio
