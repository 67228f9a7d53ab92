#pragma once
#include <QString>

class QIODevice;

namespace sonaplex::audio {

// Checks that a file is a wave file whose chunks all lie inside it, before a decoder that
// trusts chunk sizes sees it: RIFF, RIFX or RF64 with the WAVE form, a format chunk, and
// sound data. Sub-chunks of LIST chunks are checked too. A final data chunk cut short (a
// recording that stopped early) is accepted: decoders read what is there. Returns why the
// file is refused, or empty. Reads only chunk headers.
QString riffProblem(QIODevice& file);

} // namespace sonaplex::audio
