#pragma once
#include "audio/source.h"

struct SF_INFO;

namespace sonaplex::audio {

// Wave files of any flavour libsndfile reads, streamed from disk. `info`, when given, gets
// what libsndfile read from the header.
OpenResult openWave(const QString& path, SF_INFO* info = nullptr);

} // namespace sonaplex::audio
