// Writes the fuzzers' seed corpus into <folder>/midi, <folder>/riff and <folder>/wave: MIDI
// files of each format and timing, and wave files of each container and sample format the
// player takes.
#include "audio/audio_support.h"
#include "audio/module_support.h"
#include "audio/ogg_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <xxhash.h>
#include <zip.h>

namespace {

// A sound pack as the program writes it: a manifest and one sound, stored or deflated.
bool savePack(const QString& path, const QByteArray& sound, int method)
{
    const XXH128_hash_t h = XXH3_128bits(sound.constData(), size_t(sound.size()));
    char hash[33];
    std::snprintf(hash, sizeof hash, "%016llx%016llx", (unsigned long long)h.high64, (unsigned long long)h.low64);
    const QByteArray manifest = QByteArray("{\"sonaplexPack\": 1, \"name\": \"seed\", \"game\": {\"name\": \"G\"}, "
                                           "\"entries\": [{\"path\": \"sound/hit.wav\", \"file\": \"sound/hit.wav\", "
                                           "\"hash\": \"")
        + hash + "\", \"replaces\": \"" + hash + "\"}]}";
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    zip_source_t* m = zip_source_buffer(zip, manifest.constData(), zip_uint64_t(manifest.size()), 0);
    zip_source_t* s = zip_source_buffer(zip, sound.constData(), zip_uint64_t(sound.size()), 0);
    const zip_int64_t i = zip_file_add(zip, "manifest.json", m, ZIP_FL_ENC_UTF_8);
    const zip_int64_t k = zip_file_add(zip, "sound/hit.wav", s, ZIP_FL_ENC_UTF_8);
    if (i < 0 || k < 0) {
        zip_discard(zip);
        return false;
    }
    zip_set_file_compression(zip, zip_uint64_t(k), method, 0);
    if (zip_close(zip) != 0)
        return false;
    QFile alone(path + ".json"); // the manifest by itself, for the manifest reader
    return alone.open(QIODevice::WriteOnly) && alone.write(manifest) == manifest.size();
}

} // namespace

using namespace sonaplex::test;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(root + "/midi");
    QDir().mkpath(root + "/riff");
    QDir().mkpath(root + "/wave");
    QDir().mkpath(root + "/manifest");
    QDir().mkpath(root + "/launcher");
    auto save = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    bool ok = true;
    ok &= save(root + "/midi/format0.mid", MidiBuilder().track().program(0, 0, 5).note(0, 480, 0, 60).bytes());
    ok &= save(root + "/midi/format1-tempo.mid",
        MidiBuilder(1)
            .track()
            .tempo(0, 400000)
            .tempo(960, 700000)
            .track()
            .note(0, 240, 1, 64)
            .note(480, 960, 9, 36)
            .bytes());
    ok &= save(root + "/midi/smpte.mid", MidiBuilder(0, 0xE728).track().note(0, 100, 0, 70).bytes());
    {
        const QByteArray body = QByteArray::fromHex("00f00541104212f7"
                                                    "00903c40"
                                                    "60803c00"
                                                    "00ff2f00");
        QByteArray file = QByteArray::fromHex("4d546864000000060000000101e0") + "MTrk";
        for (int s = 24; s >= 0; s -= 8)
            file += char(body.size() >> s);
        ok &= save(root + "/midi/sysex.mid", file + body);
    }

    // Lists of a backup set: hash, name in the set, game path, a tab between them.
    ok &= save(root + "/manifest/plain.txt",
        "# Sonaplex backup set\n"
        "0123456789abcdef0123456789abcdef\tfx1.wav\t/games/Patt/sound/fx1.wav\n"
        "fedcba9876543210fedcba9876543210\tTRACK1.MID\t/games/Patt/music/TRACK1.MID\n");
    ok &= save(root + "/manifest/hostile.txt",
        "00\t../fx1.wav\t/games/a.wav\n00\tfx1.wav\tgames/relative.wav\n00\tfx1.wav\t/games/../etc/x.wav\n"
        "00\tnotes.txt\t/games/notes.txt\n00\tfx1.wav\t/games/a.wav\n00\tfx1.wav\t/games/a.wav\nno tabs here\n");

    // The files launchers keep: Steam's library lists (both formats), an app manifest, and
    // Heroic's lists of GOG and Epic games.
    ok &= save(root + "/launcher/libraryfolders.vdf",
        "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/tmp\"\n\t\t\"apps\"\n\t\t{\n"
        "\t\t\t\"1\"\t\t\"100\"\n\t\t}\n\t}\n}\n");
    ok &= save(root + "/launcher/old_libraryfolders.vdf",
        "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1\"\n\t\"1\"\t\"/tmp\"\n}\n");
    ok &= save(root + "/launcher/appmanifest.acf",
        "\"AppState\"\n{\n\t\"appid\"\t\"1\"\n\t\"name\"\t\"A \\\"Game\\\"\"\n\t\"installdir\"\t\"Game\"\n"
        "\t\"buildid\"\t\"7\" [$LINUX]\n\t// comment\n\t\"UserConfig\" { \"language\" \"english\" }\n}\n");
    ok &= save(root + "/launcher/gog_installed.json",
        "{\"installed\": [{\"appName\": \"1\", \"install_path\": \"/tmp\", \"buildId\": \"2\"}]}");
    ok &= save(root + "/launcher/epic_installed.json",
        "{\"A\": {\"app_name\": \"A\", \"title\": \"A\", \"install_path\": \"/tmp\", \"version\": \"1\"},"
        " \"games\": [{\"name\": \"B\", \"folder\": \"/tmp\"}]}");

    const auto signal = referenceSignal(11025, 2, 0.02);
    const struct {
        const char* name;
        int format;
    } waves[] = {
        {"pcm8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},
        {"pcm16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        {"adpcm.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
        {"extensible.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24},
        {"rf64.wav", SF_FORMAT_RF64 | SF_FORMAT_PCM_16},
        {"rifx.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16 | SF_ENDIAN_BIG},
    };
    for (const auto& w : waves)
        for (const char* target : {"/riff/", "/wave/"})
            ok &= writeWave(root + target + w.name, signal, 11025, 2, w.format);
    QDir().mkpath(root + "/pack");
    QFile pcm(root + "/wave/pcm8.wav");
    const QByteArray sound = pcm.open(QIODevice::ReadOnly) ? pcm.readAll() : QByteArray("RIFF");
    ok &= savePack(root + "/pack/stored.sonaplexpack", sound, ZIP_CM_STORE);
    ok &= savePack(root + "/pack/deflated.sonaplexpack", sound, ZIP_CM_DEFLATE);
    // Recordings of each codec, short, and Ogg files made to harm; tracker modules.
    struct Coded {
        const char* folder;
        const char* name;
        int format, rate, channels;
    };
    const Coded coded[] = {
        {"/vorbis/", "mono.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 1},
        {"/vorbis/", "stereo.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2},
        {"/opus/", "mono.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, 1},
        {"/opus/", "stereo.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 24000, 2},
        {"/flac/", "pcm16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, 1},
        {"/flac/", "pcm24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 44100, 2},
        {"/mp3/", "mono.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 22050, 1},
        {"/mp3/", "stereo.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 2},
    };
    for (const Coded& c : coded) {
        QDir().mkpath(root + c.folder);
        ok &= writeWave(root + c.folder + c.name, referenceSignal(c.rate, c.channels, 0.3), c.rate, c.channels, c.format);
    }
    using namespace sonaplex::test;
    QFile vorbis(root + "/vorbis/mono.ogg");
    const QByteArray ogg = vorbis.open(QIODevice::ReadOnly) ? vorbis.readAll() : QByteArray();
    ok &= save(root + "/vorbis/chained.ogg", ogg + ogg);
    ok &= save(root + "/vorbis/cut.ogg", ogg.left(ogg.size() * 2 / 3));
    ok &= save(root + "/vorbis/comment-claims-2GB.ogg",
        oggPage(2, 0, 7, 0, vorbisIdentification(2, 44100))
            + oggPage(0, 0, 7, 1, QByteArray("\x03vorbis", 7) + le32(0x80000000u) + QByteArray(16, 'x')));
    // The tag writer's input: a loop (start, length: 8 bytes each) then an Ogg file.
    QDir().mkpath(root + "/oggtags");
    const int64_t loops[][2] = {{100, 2000}, {0, -1}, {int64_t(1) << 62, int64_t(1) << 62}};
    for (const char* from : {"/vorbis/mono.ogg", "/vorbis/stereo.ogg", "/opus/mono.opus"}) {
        QFile source(root + from);
        const QByteArray bytes = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
        for (size_t k = 0; k < std::size(loops); ++k)
            ok &= save(root + QStringLiteral("/oggtags/%1-%2.bin").arg(QFileInfo(from).baseName()).arg(k),
                QByteArray(reinterpret_cast<const char*>(loops[k]), 16) + bytes);
    }
    QDir().mkpath(root + "/module");
    ok &= save(root + "/module/song.mod", protrackerModule());
    ok &= save(root + "/module/other.mod", protrackerModule(320, "other"));
    std::printf("fuzz seeds written to %s\n", argv[1]);
    return ok ? 0 : 1;
}
