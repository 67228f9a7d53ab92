#pragma once
// The sound files the program knows, by the ending of their names (any case): what the panes
// list, what "Sounds of this game", packs, backups and sets take, and which file may stand in
// for which. What a file holds is read by audio/; a name only says what a game expects of it.
#include <QString>
#include <QStringList>

namespace sonaplex {

enum class SoundFormat {
    Unknown,
    Wave, // .wav
    Midi, // .mid, .midi
    Ogg, // .ogg, .oga: Ogg Vorbis as a rule (the content says which codec)
    Opus, // .opus
    Flac, // .flac
    Mp3, // .mp3
    Module, // tracker modules: .it, .s3m, .xm, .mod
};

SoundFormat soundFormatOfName(const QString& name);
inline bool isSoundName(const QString& name) { return soundFormatOfName(name) != SoundFormat::Unknown; }
// A recording (wave, Ogg, Opus, FLAC, MP3): decoded to samples, converted from one to another.
bool isRecordedFormat(SoundFormat format);
// "wave", "MIDI", "Ogg Vorbis", "Opus", "FLAC", "MP3", "tracker module": how a message names it.
QString soundFormatWords(SoundFormat format);

// The panes' patterns, each a list separated by ';' and matched without regard to letter case.
// The music side lists MIDI, recordings and modules; the sound-effects side wave files and
// recordings.
QString musicPattern();
QString effectsPattern();
QStringList soundSuffixes(); // "wav", "mid", "ogg", ... every ending a sound file may have

// Whether a file of `replacement`'s name may take the place of a game file of `game`'s name.
// A game reads its file by the format its name promises: a recording stands in for another
// recording after conversion to the game file's container and codec, a module only for a module
// of its own type, MIDI only for MIDI.
enum class SoundFit { Fits, NeedsConversion, Refused };
struct SoundFitAnswer {
    SoundFit fit = SoundFit::Fits;
    QString why; // Refused and NeedsConversion: why, naming both formats
};
SoundFitAnswer soundFit(const QString& game, const QString& replacement);

} // namespace sonaplex
