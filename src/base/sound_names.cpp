#include "base/sound_names.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SoundNames)
};


struct Ending {
    const char* suffix;
    SoundFormat format;
};
constexpr Ending kEndings[] = {
    {"wav", SoundFormat::Wave},
    {"mid", SoundFormat::Midi},
    {"midi", SoundFormat::Midi},
    {"ogg", SoundFormat::Ogg},
    {"oga", SoundFormat::Ogg},
    {"opus", SoundFormat::Opus},
    {"flac", SoundFormat::Flac},
    {"mp3", SoundFormat::Mp3},
    {"it", SoundFormat::Module},
    {"s3m", SoundFormat::Module},
    {"xm", SoundFormat::Module},
    {"mod", SoundFormat::Module},
};

QString suffixOf(const QString& name)
{
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? name.mid(dot + 1).toLower() : QString();
}

// The container a game's loader opens: Ogg whatever the codec inside.
enum class Container { Other, Wave, Ogg, Flac, Mp3 };
Container containerOf(SoundFormat format)
{
    switch (format) {
    case SoundFormat::Wave:
        return Container::Wave;
    case SoundFormat::Ogg:
    case SoundFormat::Opus:
        return Container::Ogg;
    case SoundFormat::Flac:
        return Container::Flac;
    case SoundFormat::Mp3:
        return Container::Mp3;
    default:
        return Container::Other;
    }
}

QString named(const QString& name, SoundFormat format)
{
    return QStringLiteral("%1 (%2)").arg(QFileInfo(name).fileName(), soundFormatWords(format));
}

} // namespace

SoundFormat soundFormatOfName(const QString& name)
{
    const QString suffix = suffixOf(name);
    for (const Ending& e : kEndings)
        if (suffix == QLatin1String(e.suffix))
            return e.format;
    return SoundFormat::Unknown;
}

bool isRecordedFormat(SoundFormat format) { return containerOf(format) != Container::Other; }

QString soundFormatWords(SoundFormat format)
{
    switch (format) {
    case SoundFormat::Wave:
        return QStringLiteral("wave");
    case SoundFormat::Midi:
        return QStringLiteral("MIDI");
    case SoundFormat::Ogg:
        return Say::tr("Ogg Vorbis");
    case SoundFormat::Opus:
        return QStringLiteral("Opus");
    case SoundFormat::Flac:
        return QStringLiteral("FLAC");
    case SoundFormat::Mp3:
        return QStringLiteral("MP3");
    case SoundFormat::Module:
        return Say::tr("tracker module");
    case SoundFormat::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

namespace {
const char* const kRecordedPatterns = "*.ogg;*.oga;*.opus;*.flac;*.mp3";
}

QString musicPattern()
{
    return QStringLiteral("*.Mid;") + QLatin1String(kRecordedPatterns) + QStringLiteral(";*.it;*.s3m;*.xm;*.mod");
}

QString effectsPattern() { return QStringLiteral("*.Wav;") + QLatin1String(kRecordedPatterns); }

QStringList soundSuffixes()
{
    QStringList all;
    for (const Ending& e : kEndings)
        all << QLatin1String(e.suffix);
    return all;
}

SoundFitAnswer soundFit(const QString& game, const QString& replacement)
{
    const SoundFormat g = soundFormatOfName(game), r = soundFormatOfName(replacement);
    if (g == SoundFormat::Unknown || r == SoundFormat::Unknown)
        return {SoundFit::Refused,
            Say::tr("%1 is not a sound file Sonaplex knows")
                .arg(QFileInfo(g == SoundFormat::Unknown ? game : replacement).fileName())};
    if (g == SoundFormat::Module || r == SoundFormat::Module) {
        if (g == r && suffixOf(game) == suffixOf(replacement))
            return {};
        if (g == r)
            return {SoundFit::Refused,
                Say::tr("the game file is a .%1 module and %2 a .%3 one: a module is not converted, so only "
                        "a .%1 module can replace it")
                    .arg(suffixOf(game), QFileInfo(replacement).fileName(), suffixOf(replacement))};
        return {SoundFit::Refused,
            g == SoundFormat::Module
                ? Say::tr("%1 cannot replace the tracker module %2: a game plays a module's notes, and a "
                          "recording cannot be turned into them (choose a module)")
                      .arg(named(replacement, r), QFileInfo(game).fileName())
                : Say::tr("the tracker module %1 cannot replace %2 (choose a recording)")
                      .arg(QFileInfo(replacement).fileName(), named(game, g))};
    }
    if (g == SoundFormat::Midi || r == SoundFormat::Midi) {
        if (g == r)
            return {};
        return {SoundFit::Refused,
            g == SoundFormat::Midi ? Say::tr("%1 cannot replace the MIDI file %2: only a MIDI file can")
                                         .arg(named(replacement, r), QFileInfo(game).fileName())
                                   : Say::tr("the MIDI file %1 cannot replace %2 (choose a recording)")
                                         .arg(QFileInfo(replacement).fileName(), named(game, g))};
    }
    if (containerOf(g) == containerOf(r))
        return {};
    return {SoundFit::NeedsConversion,
        Say::tr("%1 must be converted to replace %2").arg(named(replacement, r), named(game, g))};
}

} // namespace sonaplex
