// Both selection windows over the sounds real games keep (Debian's frozen-bubble-data and
// warzone2100-music): Ogg Vorbis and Opus game files replaced from other formats, converted to
// the game's own; a module by a module; undone and restored byte for byte.
#include "actions/replacement.h"
#include "audio/audio_support.h"
#include "audio/module_support.h"
#include "music/frm_copy_midi.h"
#include "support.h"
#include "ui/browser_pane.h"

#include <QProcess>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;


class TestGameFormats : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game, mine;

    void highlight(const QString& form, const QString& list, const QString& folderList, const QString& folder,
        const QString& name)
    {
        auto* files = control<FileList>(form, list);
        QVERIFY(files);
        if (files->path() != QDir::toNativeSeparators(folder))
            control<FolderList>(form, folderList)->setPath(folder);
        QTRY_VERIFY(!files->isListing());
        files->setFileName(name);
        QCOMPARE(files->fileName(), name);
    }
    void music(int n, const QString& gameName, const QString& replacement)
    {
        highlight("FrmMidi", "FleMidi2", "DirMidi2", game + "/music", gameName);
        click("FrmMidi", QStringLiteral("CmdChooseGame%1mid").arg(n));
        highlight("FrmMidi", "FleMidi1", "DirMidi1", mine, replacement);
        click("FrmMidi", QStringLiteral("CmdReplaceMidi%1").arg(n));
    }
    QString gameFile(const QString& name) const { return game + "/" + name; }

private slots:
    void init()
    {
        QDir(disk.path()).removeRecursively();
        game = disk.path() + "/Game";
        mine = disk.path() + "/Mine";
        for (const QString& folder : {game + "/sound", game + "/music", mine})
            QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "launch.ogg", gameFile("sound/launch.ogg")));
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "frozen-mainzik-1p.ogg", gameFile("music/theme.ogg")));
        QVERIFY(QFile::copy(kWarzoneMusic + "track3.opus", gameFile("music/track3.opus")));
        QVERIFY(writeWave(gameFile("music/level.flac"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
        QVERIFY(writeFile(gameFile("music/song.mod"), protrackerModule(428, "game")));
        QVERIFY(writeWave(mine + "/new.wav", referenceSignal(48000, 2, 2), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "lose.ogg", mine + "/intro.ogg"));
        QVERIFY(writeWave(mine + "/mine.mp3", referenceSignal(44100, 2, 2), 44100, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III));
        QVERIFY(writeFile(mine + "/other.mod", protrackerModule(320, "mine")));
        program = std::make_unique<Program>();
        program->enter();
    }
    void cleanup() { program.reset(); }

    // The sound-effects window lists the game's Ogg effect and Ogg music (and wave files, which
    // the music window does not); SWITCH asks only to convert (a game cannot read wave bytes
    // under an Ogg name), and undo puts the originals back.
    void oggFilesAreReplacedFromAWaveFileAndUndone()
    {
        const QByteArray original = readAll(gameFile("sound/launch.ogg")), theme = readAll(gameFile("music/theme.ogg"));
        click("FrmMidi", "CmdGotoWavSelect1");
        highlight("FrmWavSelect", "FleWav1", "DirWav1", game + "/sound", "launch.ogg");
        click("FrmWavSelect", "CmdChooseGame1");
        highlight("FrmWavSelect", "FleWav2", "DirWav2", mine, "intro.ogg");
        QCOMPARE(control<FileList>("FrmWavSelect", "FleWav2")->listCount(), 3); // new.wav, intro.ogg, mine.mp3
        highlight("FrmWavSelect", "FleWav2", "DirWav2", mine, "new.wav");
        click("FrmWavSelect", "CmdReplaceWav1");
        highlight("FrmWavSelect", "FleWav1", "DirWav1", game + "/music", "theme.ogg");
        click("FrmWavSelect", "CmdChooseGame2");
        click("FrmWavSelect", "CmdReplaceWav2");
        click("FrmWavSelect", "CmdSwitch");
        auto& messages = program->messages;
        messages.answers = {MessageAnswer::Convert};
        click("FrmCopyWavs", "CmdSwitch2");
        QCOMPARE(messages.messages.front().buttons, MessageButtons::ConvertCancel);
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(messages.lastText()));
        QVERIFY2(fileSays(gameFile("sound/launch.ogg")).startsWith("Ogg data, Vorbis audio, mono, 44100 Hz"),
            qPrintable(fileSays(gameFile("sound/launch.ogg"))));
        QVERIFY(fileSays(gameFile("music/theme.ogg")).startsWith("Ogg data, Vorbis audio, stereo, 44100 Hz"));
        QVERIFY(undoLastRun(*program->forms().record()).ok());
        QCOMPARE(readAll(gameFile("sound/launch.ogg")), original);
        QCOMPARE(readAll(gameFile("music/theme.ogg")), theme);
    }

    // The music window: Ogg music from MP3, Opus from Ogg, FLAC from MP3, each in the game
    // file's codec, rate and channels; restored, every original comes back.
    void musicInThreeFormatsIsConvertedAndRestored()
    {
        const QStringList names{"music/theme.ogg", "music/track3.opus", "music/level.flac"};
        std::vector<QByteArray> originals;
        for (const QString& name : names)
            originals.push_back(readAll(gameFile(name)));
        // The review window made first, as a user going to it before any choice does: its side
        // still compares formats (Vorbis under an Opus name would otherwise go in as it is).
        program->forms().load<FrmCopyMidi>();
        music(1, "theme.ogg", "mine.mp3");
        music(2, "track3.opus", "intro.ogg");
        music(3, "level.flac", "mine.mp3");
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        click("FrmMidi", "CmdSonaplex");
        program->messages.answers = {MessageAnswer::Convert};
        click("FrmCopyMidi", "CmdSwitch3");
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(program->messages.lastText()));
        QVERIFY(fileSays(gameFile("music/theme.ogg")).startsWith("Ogg data, Vorbis audio, stereo, 44100 Hz"));
        QVERIFY2(fileSays(gameFile("music/track3.opus")).startsWith("Ogg data, Opus audio, version 0.1, stereo"),
            qPrintable(fileSays(gameFile("music/track3.opus"))));
        QVERIFY2(fileSays(gameFile("music/level.flac")).startsWith("FLAC audio bitstream data, 16 bit, mono, 22.05 kHz"),
            qPrintable(fileSays(gameFile("music/level.flac"))));
        ReplacementRecord& record = *program->forms().record();
        QVERIFY(restoreOriginals(record, record.replacedFiles()).ok());
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(readAll(gameFile(names[i])), originals[size_t(i)]);
    }

    // The game loops its effect (a wave file's "smpl" loop) and the replacement has no loop: the
    // review window says so, and SWITCH loops the whole replacement when asked.
    void aLoopingGameFileGetsAReplacementLoopedWhole()
    {
        QVERIFY(writeWave(gameFile("sound/hum.wav"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16,
            {1000, 20000}));
        QVERIFY(writeWave(mine + "/plain.wav", referenceSignal(22050, 1, 2), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        click("FrmMidi", "CmdGotoWavSelect1");
        highlight("FrmWavSelect", "FleWav1", "DirWav1", game + "/sound", "hum.wav");
        click("FrmWavSelect", "CmdChooseGame1");
        highlight("FrmWavSelect", "FleWav2", "DirWav2", mine, "plain.wav");
        click("FrmWavSelect", "CmdReplaceWav1");
        click("FrmWavSelect", "CmdSwitch");
        auto* note = control<QLabel>("FrmCopyWavs", "LblFormatNote1");
        QTRY_VERIFY(note->isVisible());
        QVERIFY2(note->text().contains("may loop it at the wrong place"), qPrintable(note->text()));
        program->messages.answers = {MessageAnswer::LoopWhole};
        click("FrmCopyWavs", "CmdSwitch2");
        QCOMPARE(program->messages.messages.front().title, QStringLiteral("Loop Points"));
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(program->messages.lastText()));
        SF_INFO info{};
        SNDFILE* g = sf_open(QFile::encodeName(gameFile("sound/hum.wav")).constData(), SFM_READ, &info);
        QVERIFY(g);
        SF_INSTRUMENT looped{};
        QCOMPARE(sf_command(g, SFC_GET_INSTRUMENT, &looped, sizeof looped), SF_TRUE);
        sf_close(g);
        QCOMPARE(looped.loops[0].start, 0u);
        QCOMPARE(looped.loops[0].end, 44100u);
    }

    // A module stands in for a module; a recording over one is refused as it is chosen.
    void aModuleTakesAModuleAndRefusesARecording()
    {
        music(1, "song.mod", "intro.ogg");
        QVERIFY(program->messages.lastText().contains("cannot replace the tracker module song.mod"));
        QCOMPARE(reviewText("FrmCopyMidi", "LblMidiFileName1"), QString());
        program->messages.clear();
        music(1, "song.mod", "other.mod");
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        click("FrmMidi", "CmdSonaplex");
        click("FrmCopyMidi", "CmdSwitch3");
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(program->messages.lastText()));
        QCOMPARE(readAll(gameFile("music/song.mod")), readAll(mine + "/other.mod"));
    }
};

SONAPLEX_TEST_MAIN(TestGameFormats)
#include "test_game_formats.moc"
