#pragma once
// Recordings and modules come from strangers (downloads, packs), and decoders are large
// libraries: a file made to hang, crash or flood one must not take the program down. Before
// the program trusts such a file, a helper process (sonaplex-probe) opens and decodes it under
// limits of time and memory, and says what it found; a helper that dies or overruns names the
// file as one that cannot be used. MIDI files are read by the program's own parser, in process.
#include "audio/analysis.h"
#include "audio/convert.h"

#include <chrono>
#include <functional>
#include <vector>

namespace sonaplex::audio {

// What a file is, as soundFileInfo() says, after a trial decode (its start, its middle and its
// end) in the helper, bounded by `limit`.
SoundInfo probeInfo(const QString& path, std::chrono::milliseconds limit);
// How far the helper goes into each file: its headers only (what a listing shows: format and
// length), or a trial decode of its start, middle and end as well (before a file is trusted: played,
// converted or put into a game).
enum class ProbeDepth { Headers, TrialDecode };
// The same for many files, in one helper (a new one after a file that overran or broke one),
// each file bounded by `limit`; in the order of `paths`.
std::vector<SoundInfo> probeInfos(
    const QStringList& paths, std::chrono::milliseconds limit, ProbeDepth depth = ProbeDepth::TrialDecode);
// The bound of soundFileInfo(): a trial decode of a large file on a slow disk fits in it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::chrono::milliseconds kProbeTimeLimit{30000}; // the sanitizers slow decoders down
#else
inline constexpr std::chrono::milliseconds kProbeTimeLimit{10000};
#endif

// The player's analysis of a file in the helper: `onInfo` first, then the overview in parts as
// they come (`bins` of them), then the loudness returned. Stops, with the helper killed, when
// `stopped` says so or the helper shows no progress for a while; `ok` is false then.
Loudness probeAnalysis(const QString& path, int bins, const std::function<void(const SoundInfo&)>& onInfo,
    const std::function<bool(OverviewPart&&)>& deliver, const std::function<bool()>& stopped = {});

// convertRecording() of a stranger's file, in the helper: a decoder or encoder that dies or
// hangs on it fails this conversion only. Stops (the helper killed, nothing left at
// `destination`) when `stopped` says so.
QString convertInHelper(const QString& source, const QString& destination, const SoundInfo& like, double gainDb,
    const std::function<bool()>& stopped, LoopChoice loop);

// The helper's side: runs one request ("info", paths on standard input each ended by a NUL; or
// "analyse PATH BINS"; or "convert SOURCE DESTINATION GAIN LOOP LIKE") and writes what it found
// on standard output. Returns the exit status.
int runProbe(int argc, char** argv);

// Where the helper is; empty when it is not installed (the work is then done in process).
QString probeProgram();

// How a SoundInfo travels between the helper and the program.
QByteArray infoLine(const SoundInfo& info);
SoundInfo infoFromLine(const QByteArray& line);

} // namespace sonaplex::audio
