#pragma once
#include "audio/midi_file.h"
#include "audio/ogg_headers.h"
#include "audio/source.h"
#include "base/sound_names.h"
#include "base/selection.h"

#include <QString>

#include <functional>
#include <vector>

namespace sonaplex::audio {

// What a sound file is, read from its header (wave) or its events (MIDI): what the format
// line under a player shows and what the review compares between a game file and its
// replacement.
struct SoundInfo {
    DeviceKind kind = DeviceKind::WaveAudio;
    QString error; // why nothing could be read; the rest is empty then
    double seconds = 0;
    SoundFormat format = SoundFormat::Unknown; // what the file holds (its name agrees)
    // Recordings (wave, Ogg, FLAC, MP3) and modules, as they are decoded
    int sfFormat = 0; // libsndfile's container | sample format or codec, which a conversion writes
    int rate = 0;
    int channels = 0;
    int64_t frames = 0;
    int bitrate = 0; // bits per second: a Vorbis stream's nominal one, else the file's average (compressed only)
    bool variableBitrate = false; // MP3
    int sourceRate = 0; // Opus: the rate it was made from (it decodes at 48 kHz); 0 when not said
    LoopPoints loop;
    bool loopOutside = false; // its loop tags point past its end (not used)
    // Tracker modules
    QString moduleType;
    int moduleChannels = 0;
    // MIDI files
    int midiFormat = 0;
    int tracks = 0;
    int instruments = 0; // distinct General MIDI programs that sound notes
    bool drums = false; // channel 10 sounds notes

    // A file that cannot be used, and why.
    static SoundInfo refused(DeviceKind kind, const QString& why)
    {
        SoundInfo i;
        i.kind = kind;
        i.error = why;
        return i;
    }
    // Something was read (nothing is known of a file not yet looked at).
    bool ok() const { return error.isEmpty() && (rate > 0 || tracks > 0); }
};

// With `headersOnly`, an Ogg Vorbis file's decoder is not set up (see readAudioHeader): for a listing.
SoundInfo soundInfo(DeviceKind kind, const QString& path, bool headersOnly = false);
// The same for a sound file of any kind, by its name (see base/sound_names.h): `error` says why
// it cannot be used, a file of another name or a recording with no sound in it included.
SoundInfo soundFileInfo(const QString& path);
// The same read here, in this process: for files the program made or already trusts (see
// probe.h; soundFileInfo reads recordings and modules through the helper).
SoundInfo soundFileInfoInProcess(const QString& path, bool headersOnly = false);
// The same for a MIDI song already parsed.
SoundInfo midiInfo(const MidiSong& song);

// The clock of a sound: "m:ss", with `decimals` (0-2) of the second gone by after it.
// clockDecimals says how many a sound of this length needs: hundredths under a second,
// tenths under ten seconds, or a short clip would read 0:00.
QString clockText(int64_t frames, int rate, int decimals);
int clockDecimals(int64_t frames, int rate);

// "16-bit", "8-bit", "32-bit float", "IMA ADPCM", "Vorbis", ... for libsndfile's format.
QString sampleFormatName(int sfFormat);
// The format line: "22050 Hz · mono · 8-bit · 0:01.3", "Ogg Vorbis · 44100 Hz · stereo ·
// 112 kbps · 2:31.0", "MIDI format 1 · 9 tracks · 0:42.0 · 7 General MIDI instruments and
// drums"; a second line gives loop points when the file has them.
QString formatLine(const SoundInfo& info);
// What a game program cares about, in a few words: "22050 Hz mono 8-bit" (the container
// named when it is not plain WAV).
QString formatSummary(const SoundInfo& info);
// Empty when a replacement has its game file's format; else "game: ...; replacement: ...".
QString formatDifference(const SoundInfo& game, const SoundInfo& replacement);
// A recording's format against its game file's, read from both headers (Same when either
// cannot be read: nothing is offered for a file that cannot be read), and the words of one
// found to differ.
FormatCheck checkFormats(const QString& game, const QString& replacement);
// The same from what was read of both already.
FormatCheck checkFormats(const SoundInfo& game, const SoundInfo& replacement);
QString formatDifference(const FormatCheck& check);
// Whether two of libsndfile's formats differ in container or codec, not only in sample format:
// WAV against Ogg Vorbis, Vorbis against Opus (the WAV containers count as one).
bool codecsDiffer(int gameSfFormat, int replacementSfFormat);

// The whole-file picture of a sound: for each of `bins` equal stretches of it, the lowest
// and highest sample (all channels). Filled in pieces: `deliver` gets each run of finished
// bins as it is ready and returns false to stop the scan.
struct OverviewPart {
    int first = 0; // index of the first bin in min/max
    std::vector<float> min, max;
};
bool waveOverview(const QString& path, int bins, const std::function<bool(OverviewPart&&)>& deliver);
// A MIDI song's picture until it is rendered: how many notes start in each stretch, scaled
// to 0..1.
std::vector<float> noteDensity(const MidiSong& song, int bins);

// Sample peak in dBFS and integrated loudness (EBU R128) in LUFS over the whole file. A mono
// file counts as heard on two speakers. `ok` is false when the file cannot be read or the
// scan was stopped.
struct Loudness {
    bool ok = false;
    double peakDb = -200;
    double lufs = -200; // -inf (silence) reads as -200
};
Loudness measureLoudness(const QString& path, const std::function<bool()>& stopped = {});
// The whole-file picture (see waveOverview; none when `bins` is 0) and the loudness, in one pass
// over the file: what a player shows of it. Not `ok` when the file cannot be read or the scan
// was stopped.
Loudness analyseRecording(const QString& path, int bins, const std::function<bool(OverviewPart&&)>& deliver,
    const std::function<bool()>& stopped = {});
// The same over floats already in memory (frames × channels).
Loudness measureLoudness(const float* samples, int64_t frames, int channels, int rate);

} // namespace sonaplex::audio
