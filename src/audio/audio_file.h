#pragma once
#include "audio/ogg_headers.h"
#include "audio/source.h"
#include "base/sound_names.h"

#include <QByteArray>

struct SF_INFO;

namespace sonaplex::audio {

// What a file holds, from its first bytes: wave (RIFF), Ogg, FLAC, MP3, MIDI, or Unknown (a
// module is known by its name only: its formats have no common mark).
SoundFormat sniffedFormat(const QByteArray& head);

// What was read from a recording's or a module's headers when it was opened.
struct AudioHeader {
    SoundFormat format = SoundFormat::Unknown; // by the name, checked against the content
    int sfFormat = 0; // libsndfile's container | codec or sample format (recordings)
    int rate = 0, channels = 0; // what the source gives (Opus: 48 kHz; modules: 48 kHz stereo)
    int64_t frames = 0;
    bool variableBitrate = false;
    OggHeaders ogg; // Ogg files
    LoopPoints loop;
    bool loopOutside = false; // its loop tags point past its end: said, never used (`loop` is absent)
    QString moduleType; // modules: "FastTracker II", ...
    int moduleChannels = 0;
};

// Recordings (wave, Ogg Vorbis, Opus, FLAC, MP3: libsndfile) and tracker modules (libopenmpt),
// streamed from disk, after their headers were checked for what would make a decoder harm
// the program. What a file holds must be what its name says. `header`, when given, gets what
// was read.
OpenResult openAudio(const QString& path, AudioHeader* header = nullptr);
// What openAudio reads of a file's headers, for a listing, with the same checks, but an Ogg Vorbis
// file's without setting up its decoder (its length is its last page's granule position). Why the
// file cannot be opened, or empty.
QString readAudioHeader(const QString& path, AudioHeader& header);

// A tracker module's player, from the module's bytes (`name` for messages).
OpenResult openModule(const QByteArray& bytes, const QString& name, AudioHeader* header);
constexpr int kModuleRate = 48000;
constexpr int64_t kMaxModuleBytes = 64 << 20;

} // namespace sonaplex::audio
