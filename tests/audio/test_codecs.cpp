// Ogg Vorbis, Opus, FLAC, MP3 and tracker modules as the players and conversions read them, on
// Debian's game data and on files made to harm a decoder.
#include "audio/analysis.h"
#include "audio/audio_file.h"
#include "audio/audio_support.h"
#include "audio/convert.h"
#include "audio/module_support.h"
#include "audio/ogg_support.h"
#include "audio/probe.h"
#include "base/sound_names.h"

#include <QtTest>

#include <sys/mount.h>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {
const QString kFrozenBubble = QStringLiteral("/usr/share/games/frozen-bubble/snd");
const QString kWarzone = QStringLiteral("/usr/share/games/warzone2100/music/albums/original_soundtrack");

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
QByteArray joined(const std::vector<QByteArray>& pages)
{
    QByteArray all;
    for (const QByteArray& p : pages)
        all += p;
    return all;
}
} // namespace

class TestCodecs : public QObject {
    Q_OBJECT
    QTemporaryDir disk;
    QString at(const QString& name) const { return disk.path() + "/" + name; }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(kFrozenBubble + "/launch.ogg").isFile() && QFileInfo(kWarzone + "/track3.opus").isFile(),
            "the game data packages (frozen-bubble-data, warzone2100-music) are installed by scripts/install-deps");
    }

    // Every loose sound of the game data opens, with the codec and bitrate on its format line.
    void gameDataOpensWithItsCodec()
    {
        for (const QString& name : QDir(kFrozenBubble).entryList({"*.ogg"})) {
            const audio::SoundInfo info = audio::soundFileInfo(kFrozenBubble + "/" + name);
            QVERIFY2(info.error.isEmpty(), qPrintable(info.error));
            QVERIFY2(audio::formatLine(info).startsWith("Ogg Vorbis \u00b7 "), qPrintable(audio::formatLine(info)));
            QVERIFY(info.bitrate > 0);
        }
        const audio::SoundInfo opus = audio::soundFileInfo(kWarzone + "/track3.opus");
        QVERIFY2(opus.error.isEmpty(), qPrintable(opus.error));
        QCOMPARE(opus.rate, 48000);
        QCOMPARE(opus.sourceRate, 44100);
        QVERIFY(audio::formatLine(opus).startsWith("Opus \u00b7 48000 Hz \u00b7 stereo \u00b7 4"));
        const audio::Loudness loudness = audio::measureLoudness(kFrozenBubble + "/launch.ogg");
        QVERIFY(loudness.ok && loudness.lufs > -60 && loudness.peakDb < 0.5);
    }

    void hostileFilesAreRefusedByName_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const QByteArray real = fileBytes(kFrozenBubble + "/applause.ogg");
        QTest::newRow("truncated page") << real.left(real.size() - 100) << "its last page is cut short";
        std::vector<QByteArray> pages = oggPages(real);
        QByteArray& last = pages.back();
        for (int k = 0; k < 8; ++k)
            last[6 + k] = char((int64_t(1) << 50) >> (8 * k));
        sealPage(last);
        QTest::newRow("huge declared length") << joined(pages) << "claims to last";
        QTest::newRow("0 Hz") << oggPage(2, 0, 7, 0, vorbisIdentification(2, 0)) << "sample rate of 0 Hz";
        const QByteArray noComments = QByteArray("\x03vorbis", 7) + le32(0) + le32(0) + QByteArray(1, '\x01');
        QTest::newRow("255 channels")
            << oggPage(2, 0, 7, 0, vorbisIdentification(255, 44100)) + oggPage(0, 0, 7, 1, noComments) << "255 channels";
        QTest::newRow("chained stream") << real + real << "more than one stream";
        const QByteArray comment = QByteArray("\x03vorbis", 7) + le32(0x80000000u) + QByteArray(64, 'x');
        QTest::newRow("comment header claiming 2 GB")
            << oggPage(2, 0, 7, 0, vorbisIdentification(2, 44100)) + oggPage(0, 0, 7, 1, comment) << "claims more than it holds";
        QByteArray endless = oggPage(2, 0, 7, 0, vorbisIdentification(2, 44100));
        for (uint32_t i = 1; i <= 20; ++i) // 20 pages of one packet that never ends: 1.3 MB
            endless += oggPage(i == 1 ? 0 : 1, -1, 7, i, QByteArray(255 * 255, 'c'), true);
        QTest::newRow("comment header over 1 MB") << endless << "comment header is larger than 1 MB";
        QTest::newRow("wave bytes under an Ogg name") << fileBytes("/usr/share/sounds/alsa/Noise.wav")
                                                      << "holds a wave file, not the Ogg Vorbis its name says";
    }
    void hostileFilesAreRefusedByName()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        QVERIFY(writeBytes(at("hostile.ogg"), bytes));
        const audio::SoundInfo info = audio::soundFileInfo(at("hostile.ogg"));
        QVERIFY2(info.error.contains("hostile.ogg") && info.error.contains(why), qPrintable(info.error));
        QVERIFY(!audio::waveOverview(at("hostile.ogg"), 100, [](audio::OverviewPart&&) { return true; }));
        QVERIFY(!audio::measureLoudness(at("hostile.ogg")).ok);
    }

    // A name promises a format: Vorbis under .opus, or anything under .mp3 that is not MPEG
    // audio, is refused.
    void aFileHoldsWhatItsNameSays()
    {
        QVERIFY(QFile::copy(kFrozenBubble + "/launch.ogg", at("launch.opus")));
        QVERIFY(audio::soundFileInfo(at("launch.opus")).error.contains("holds no Opus stream"));
        QVERIFY(writeBytes(at("noise.mp3"), QByteArray(4096, 'z')));
        QVERIFY(audio::soundFileInfo(at("noise.mp3")).error.contains("is not an MP3 file"));
        QVERIFY(writeBytes(at("notes.txt"), "hello"));
        QVERIFY(audio::soundFileInfo(at("notes.txt")).error.contains("not a sound file Sonaplex knows"));
    }

    // Loop tags: a Vorbis comment and a wave file's "smpl" loop show on the format line.
    void loopPointsAreRead()
    {
        QVERIFY(vorbisWithTag(at("loop.ogg"), "LOOPSTART=0000044100"));
        const audio::SoundInfo ogg = audio::soundFileInfo(at("loop.ogg"));
        QVERIFY2(ogg.error.isEmpty(), qPrintable(ogg.error));
        QCOMPARE(ogg.loop.start, int64_t(44100));
        QVERIFY2(audio::formatLine(ogg).endsWith("\nloops from 0:01.0"), qPrintable(audio::formatLine(ogg)));

        QVERIFY(writeWave(at("loop.wav"), referenceSignal(22050, 1, 2), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16,
            {11025, 22050}));
        const audio::SoundInfo looped = audio::soundFileInfo(at("loop.wav"));
        QCOMPARE(looped.loop, (audio::LoopPoints{11025, 11025}));
        QVERIFY2(audio::formatLine(looped).endsWith("\nloops 0:00.5 to 0:01.0"), qPrintable(audio::formatLine(looped)));

        // A conversion keeps the replacement's own loop, at the new rate, in the game's tags.
        QCOMPARE(audio::convertRecording(at("loop.wav"), at("kept.ogg"), ogg), QString());
        const audio::SoundInfo kept = audio::soundFileInfo(at("kept.ogg"));
        QVERIFY2(kept.error.isEmpty(), qPrintable(kept.error));
        QCOMPARE(kept.loop, (audio::LoopPoints{22050, 22050}));
        QCOMPARE(kept.frames, int64_t(88200));
        // The game loops and the replacement has none: noted, and looped whole when asked.
        QVERIFY(writeWave(at("plain.wav"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(audio::checkFormats(at("loop.ogg"), at("plain.wav")).loopMissing);
        QVERIFY(!audio::checkFormats(at("loop.ogg"), at("loop.wav")).loopMissing);
        QCOMPARE(audio::convertRecording(at("plain.wav"), at("whole.ogg"), ogg, 0, {}, audio::LoopChoice::Whole), QString());
        const audio::SoundInfo whole = audio::soundFileInfo(at("whole.ogg"));
        QCOMPARE(whole.loop, (audio::LoopPoints{0, whole.frames}));
        QCOMPARE(audio::convertRecording(at("plain.wav"), at("whole.wav"), looped, 0, {}, audio::LoopChoice::Whole), QString());
        QCOMPARE(audio::soundFileInfo(at("whole.wav")).loop, (audio::LoopPoints{0, 22050}));
        // The tagged file decodes as before: the same length, the same sound.
        QCOMPARE(audio::measureLoudness(at("whole.ogg")).ok, true);
    }

    // Loop tags that point past the sound (near 2^63, or a start after the last frame) are said
    // and never used: read without overflowing, and not written into a converted copy.
    void loopsOutsideTheSoundAreSaidAndNeverWritten()
    {
        for (const QByteArray& tag : {QByteArray("LOOPSTART=9223372036854775000"), QByteArray("LOOPSTART=500000")}) {
            QVERIFY(vorbisWithTag(at("far.ogg"), tag));
            const audio::SoundInfo far = audio::soundFileInfo(at("far.ogg"));
            QVERIFY2(far.error.isEmpty(), qPrintable(far.error));
            QVERIFY(!far.loop.present());
            QVERIFY2(audio::formatLine(far).endsWith("\nits loop tags point past its end: they are not used"),
                qPrintable(audio::formatLine(far)));
            // Converted into a looping game file: no loop comes with it.
            QVERIFY(writeWave(at("game.wav"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                {0, 22050}));
            QCOMPARE(audio::convertRecording(at("far.ogg"), at("out.wav"), audio::soundFileInfo(at("game.wav"))), QString());
            QVERIFY(!audio::soundFileInfo(at("out.wav")).loop.present());
        }
    }

    // A stream chained to another under the same serial number (the first link not ended) is
    // read for what it is: refused, not taken for the first link's length.
    void aChainedStreamUnderOneSerialIsRefused()
    {
        std::vector<QByteArray> pages = oggPages(fileBytes(kFrozenBubble + "/launch.ogg"));
        QVERIFY(pages.size() > 2);
        pages.back()[5] = char(pages.back()[5] & ~0x04); // no end of stream
        sealPage(pages.back());
        QVERIFY(writeBytes(at("chained.ogg"), joined(pages) + joined(pages) + joined(pages)));
        const audio::SoundInfo chained = audio::soundFileInfo(at("chained.ogg"));
        QVERIFY2(chained.error.contains("more than one stream"), qPrintable(chained.error + audio::formatLine(chained)));
    }

    // A conversion whose writes fail (a disk that fills as the encoder writes its pages) is a
    // failed conversion, said, with nothing left behind; never a cut-short copy called done.
    void aConversionThatCouldNotBeWrittenWholeFails()
    {
        QTemporaryDir small;
        if (::mount("tmpfs", QFile::encodeName(small.path()).constData(), "tmpfs", 0, "size=24k") != 0)
            QSKIP("cannot mount a tmpfs here (needs root)");
        QVERIFY(writeWave(at("long.wav"), referenceSignal(44100, 2, 20), 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        for (const QString& like : {kFrozenBubble + "/launch.ogg", at("long.wav")}) {
            const QString out = small.path() + "/out." + QFileInfo(like).suffix();
            const QString why = audio::convertInHelper(at("long.wav"), out, audio::soundFileInfo(like), 0, {}, audio::LoopChoice::Own);
            QVERIFY2(why.contains("cannot be written") || why.contains("cut short"), qPrintable(like + ": " + why));
            QVERIFY(!QFileInfo::exists(out));
        }
        ::umount(QFile::encodeName(small.path()).constData());
    }

    // A module is listed and played, and stands in only for a module of its own type.
    void modulesArePlayedAndTakeOnlyModules()
    {
        QVERIFY(writeBytes(at("song.mod"), protrackerModule()));
        const audio::SoundInfo info = audio::soundFileInfo(at("song.mod"));
        QVERIFY2(info.error.isEmpty(), qPrintable(info.error));
        QVERIFY2(audio::formatLine(info).startsWith("ProTracker MOD (M.K.) module \u00b7 4 channels \u00b7 0:1"),
            qPrintable(audio::formatLine(info)));
        const audio::Loudness loudness = audio::measureLoudness(at("song.mod"));
        QVERIFY(loudness.ok && loudness.lufs > -40);
        QVERIFY(writeBytes(at("broken.mod"), protrackerModule().left(600)));
        QVERIFY(!audio::soundFileInfo(at("broken.mod")).error.isEmpty());

        QCOMPARE(soundFit("music/a.mod", "b.MOD").fit, SoundFit::Fits);
        QCOMPARE(soundFit("music/a.xm", "b.mod").fit, SoundFit::Refused);
        const SoundFitAnswer overModule = soundFit("music/a.mod", "theme.ogg");
        QCOMPARE(overModule.fit, SoundFit::Refused);
        QVERIFY(overModule.why.contains("cannot replace the tracker module a.mod"));
        QCOMPARE(soundFit("a.ogg", "b.mod").fit, SoundFit::Refused);
        QCOMPARE(soundFit("a.mid", "b.ogg").fit, SoundFit::Refused);
        QCOMPARE(soundFit("a.ogg", "b.wav").fit, SoundFit::NeedsConversion);
        QCOMPARE(soundFit("a.ogg", "b.opus").fit, SoundFit::Fits); // both Ogg: the content decides
    }

    // A conversion writes the game file's container, codec, rate and channels at its quality.
    void conversionsKeepTheGameFilesCodecAndQuality()
    {
        QVERIFY(writeWave(at("mine.wav"), referenceSignal(48000, 2, 4), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        const audio::SoundInfo vorbis = audio::soundFileInfo(kFrozenBubble + "/launch.ogg");
        QCOMPARE(audio::convertRecording(at("mine.wav"), at("out.ogg"), vorbis), QString());
        const audio::SoundInfo made = audio::soundFileInfo(at("out.ogg"));
        QCOMPARE(made.sfFormat, vorbis.sfFormat);
        QCOMPARE(made.rate, vorbis.rate);
        QCOMPARE(made.channels, vorbis.channels);
        QVERIFY2(std::abs(made.bitrate - vorbis.bitrate) <= vorbis.bitrate / 10,
            qPrintable(QStringLiteral("%1 against %2").arg(made.bitrate).arg(vorbis.bitrate)));

        const audio::SoundInfo opus = audio::soundFileInfo(kWarzone + "/track3.opus");
        QCOMPARE(audio::convertRecording(kFrozenBubble + "/applause.ogg", at("out.opus"), opus), QString());
        const audio::SoundInfo opusMade = audio::soundFileInfo(at("out.opus"));
        QCOMPARE(opusMade.sfFormat, opus.sfFormat);
        QCOMPARE(opusMade.channels, 2);

        QVERIFY(writeWave(at("mine.mp3"), referenceSignal(44100, 2, 3), 44100, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III));
        // A picture in an ID3 tag is no part of the bitrate, which sets the quality it is converted at.
        const QByteArray picture = QByteArray("ID3\x03\x00\x00\x00\x40\x00\x00", 10) + QByteArray(1 << 20, '\0');
        QVERIFY(writeBytes(at("tagged.mp3"), picture + fileBytes(at("mine.mp3"))));
        QCOMPARE(audio::soundFileInfo(at("tagged.mp3")).bitrate, audio::soundFileInfo(at("mine.mp3")).bitrate);
        QVERIFY(writeWave(at("game.flac"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
        const audio::SoundInfo flac = audio::soundFileInfo(at("game.flac"));
        QCOMPARE(audio::convertRecording(at("mine.mp3"), at("out.flac"), flac), QString());
        const audio::SoundInfo flacMade = audio::soundFileInfo(at("out.flac"));
        QCOMPARE(flacMade.sfFormat, SF_FORMAT_FLAC | SF_FORMAT_PCM_16);
        QCOMPARE(flacMade.rate, 22050);
        QCOMPARE(flacMade.channels, 1);
        QVERIFY(std::abs(flacMade.seconds - 3) < 0.1);
        // The codecs' checks: WAV against Vorbis and Vorbis against Opus differ; 8 against 16 bits do not.
        QVERIFY(audio::checkFormats(kFrozenBubble + "/launch.ogg", at("mine.wav")).codecDiffers);
        QVERIFY(audio::checkFormats(kFrozenBubble + "/launch.ogg", at("out.opus")).codecDiffers);
        QVERIFY(!audio::codecsDiffer(SF_FORMAT_WAV | SF_FORMAT_PCM_U8, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
    }
};

QTEST_GUILESS_MAIN(TestCodecs)
#include "test_codecs.moc"
