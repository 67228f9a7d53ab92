// The sound-effects side: six selections with their order rule, the review window outliving
// the selection window, and SWITCH over six real wave files with one that cannot be written.
#include "audio/audio_support.h"
#include "audio/analysis.h"
#include "effects/frm_copy_wavs.h"
#include "game/frm_game.h"
#include "readers/sound_pack.h"
#include "record/replacement_record.h"
#include "support.h"
#include "ui/browser_pane.h"
#include "ui/sample_player.h"
#include "ui/selection_formats.h"
#include "ui/waveform.h"

#include <QMimeData>
#include <QProcess>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestEffects : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game, mine;

    void highlight(const QString& list, const QString& folder, const QString& name)
    {
        auto* files = control<FileList>("FrmWavSelect", list);
        if (files->path() != QDir::toNativeSeparators(folder))
            control<FolderList>("FrmWavSelect", list == "FleWav1" ? "DirWav1" : "DirWav2")->setPath(folder);
        QTRY_VERIFY(!files->isListing());
        files->setFileName(name);
    }
    void takeGame(int n)
    {
        highlight("FleWav1", game, QStringLiteral("fx%1.wav").arg(n));
        click("FrmWavSelect", QStringLiteral("CmdChooseGame%1").arg(n));
    }
    void takeReplacement(int n)
    {
        highlight("FleWav2", mine, QStringLiteral("new%1.WAV").arg(n));
        click("FrmWavSelect", QStringLiteral("CmdReplaceWav%1").arg(n));
    }
    QByteArray wave(const QString& path) { return readAll(path); }
    // A file dragged from a file manager and dropped on `target`.
    static bool dropOn(QWidget* target, const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }

private slots:
    void init()
    {
        QDir(disk.path()).removeRecursively();
        game = disk.path() + "/Game/sound";
        mine = disk.path() + "/Effects";
        QDir().mkpath(game);
        QDir().mkpath(mine);
        for (int n = 1; n <= 6; ++n) {
            // Game files and replacements in one format: SWITCH has no conversion to offer.
            QVERIFY(writeWave(QStringLiteral("%1/fx%2.wav").arg(game).arg(n), referenceSignal(11025, 2, 0.1 + 0.01 * n),
                11025, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
            QVERIFY(writeWave(QStringLiteral("%1/new%2.WAV").arg(mine).arg(n), referenceSignal(11025, 2, 0.05 * n),
                11025, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        }
        program = std::make_unique<Program>();
        program->enter();
        click("FrmMidi", "CmdGotoWavSelect1");
        QVERIFY(isShown("FrmWavSelect"));
    }
    void cleanup() { program.reset(); }

    void orderRuleOverSixSelections()
    {
        auto& messages = program->messages;
        takeGame(1);
        takeGame(2);
        takeGame(4);
        QCOMPARE(messages.lastText(), QStringLiteral("Please make selections in correct order"));
        QCOMPARE(messages.lastTitle(), QStringLiteral("Wav Selection Error"));
        QVERIFY(text("FrmWavSelect", "LblGameWav4").isEmpty());
        messages.clear();
        takeGame(3);
        takeGame(4);
        QVERIFY(messages.messages.empty());
        QCOMPARE(reviewText("FrmCopyWavs", "LblFileName4"), QStringLiteral("fx4.wav"));
        QCOMPARE(reviewText("FrmCopyWavs", "LblGamePath4"), QDir::toNativeSeparators(game) + "/fx4.wav");
        QVERIFY(control<QLabel>("FrmWavSelect", "LblGameWav4")->isVisible());

        // Replacements are ruled on their own: 2 is refused while 1 is empty.
        takeReplacement(2);
        QCOMPARE(messages.lastTitle(), QStringLiteral("Wav Selection Error"));
        for (int n = 1; n <= 4; ++n)
            takeReplacement(n);
        QCOMPARE(reviewText("FrmCopyWavs", "LblRepFile4"), QStringLiteral("new4.WAV"));

        // Remove 2 leaves 3 and 4 as they are; 5 is then refused on both sides.
        messages.clear();
        click("FrmWavSelect", "CmdRemove2");
        QCOMPARE(text("FrmWavSelect", "LblGameWav3"), QStringLiteral("fx3.wav"));
        QCOMPARE(reviewText("FrmCopyWavs", "LblReplacePath2"), QString());
        QCOMPARE(reviewText("FrmCopyWavs", "LblRepFile3"), QStringLiteral("new3.WAV"));
        takeGame(5);
        takeReplacement(5);
        QCOMPARE(messages.messages.size(), size_t(2));
        takeGame(2);
        takeGame(5);
        QCOMPARE(messages.messages.size(), size_t(2));
    }

    void reviewWindowOutlivesTheSelectionWindow()
    {
        takeGame(1);
        takeReplacement(1);
        click("FrmWavSelect", "CmdQuit2");
        QVERIFY(isShown("FrmMidi"));
        QVERIFY(!isShown("FrmCopyWavs"));
        click("FrmMidi", "CmdGotoWavSelect1");
        QCOMPARE(text("FrmWavSelect", "LblGameWav1"), QString());
        click("FrmWavSelect", "CmdSwitch");
        QVERIFY(isShown("FrmCopyWavs"));
        QCOMPARE(reviewText("FrmCopyWavs", "LblFileName1"), QStringLiteral("fx1.wav"));
        QCOMPARE(reviewText("FrmCopyWavs", "LblRepFile1"), QStringLiteral("new1.WAV"));
        click("FrmCopyWavs", "CmdExitFrmCopyWavs");
        QVERIFY(isShown("FrmWavSelect"));
        click("FrmWavSelect", "CmdSwitch");
        QCOMPARE(reviewText("FrmCopyWavs", "LblFileName1"), QString());
    }

    void switchOverSixWithOneLockedGameFile()
    {
        for (int n = 1; n <= 6; ++n) {
            takeGame(n);
            takeReplacement(n);
        }
        click("FrmWavSelect", "CmdSwitch");
        std::vector<QByteArray> before;
        for (int n = 1; n <= 6; ++n)
            before.push_back(wave(QStringLiteral("%1/fx%2.wav").arg(game).arg(n)));
        {
            Immutable lock(game + "/fx4.wav");
            REQUIRE_IMMUTABLE(lock);
            click("FrmCopyWavs", "CmdSwitch2");
        }
        const QString report = program->messages.lastText();
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Replacement Error"));
        QVERIFY2(report.contains("Selection 4 (fx4.wav)"), qPrintable(report));
        QCOMPARE(report.count("Selection"), 1);
        QVERIFY(!window("FrmReplaceConfirm"));
        for (int n = 1; n <= 6; ++n) {
            const QByteArray now = wave(QStringLiteral("%1/fx%2.wav").arg(game).arg(n));
            QCOMPARE(now, n == 4 ? before[3] : wave(QStringLiteral("%1/new%2.WAV").arg(mine).arg(n)));
        }
        // With the lock gone, SWITCH again replaces the sixth too and confirms.
        click("FrmCopyWavs", "CmdSwitch2");
        QVERIFY(isShown("FrmReplaceConfirm"));
        QCOMPARE(wave(game + "/fx4.wav"), wave(mine + "/new4.WAV"));
    }

    // The side's selections carry each one's format check: worked out off the window's thread,
    // waited for when asked, and never an answer about files no longer chosen.
    void formatChecksStayWithTheirSelection()
    {
        QVERIFY(
            writeWave(game + "/fx1.wav", referenceSignal(22050, 1, 0.3), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        SelectionList& list = program->forms().selections("FrmCopyWavs", 6, true);
        using State = FormatCheck::State;
        list.setGameFile(1, game + "/fx1.wav", "fx1.wav");
        QCOMPARE(list.format(1).state, State::NotCompared); // one side only
        list.setReplacementFile(1, mine + "/new1.WAV", "new1.WAV");
        QCOMPARE(list.format(1).state, State::Pending);
        FormatChecker::settle(list, nullptr);
        QCOMPARE(list.format(1).state, State::Differs);
        QCOMPARE(list.format(1).game, (WaveFormat{22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8}));
        QCOMPARE(list.format(1).replacement, (WaveFormat{11025, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_U8}));

        // Another replacement while the first answer is on its way: only the new one counts.
        list.setGameFile(2, game + "/fx1.wav", "fx1.wav");
        list.setReplacementFile(2, mine + "/new2.WAV", "new2.WAV");
        list.setGameFile(2, game + "/fx2.wav", "fx2.wav");
        FormatChecker::settle(list, nullptr);
        QTest::qWait(50); // the first answer's delivery, dropped
        QCOMPARE(list.format(2).state, State::Same);
        list.remove(1);
        QCOMPARE(list.format(1).state, State::NotCompared);
        // Music compares nothing.
        SelectionList& music = program->forms().selections("FrmCopyMidi", 3, false);
        music.setGameFile(1, game + "/fx1.wav", "fx1.wav");
        music.setReplacementFile(1, mine + "/new1.WAV", "new1.WAV");
        QCOMPARE(music.format(1).state, State::NotCompared);
    }

    void aReplacementInAnotherFormatIsConvertedOnlyWhenChosen()
    {
        // A game's 22 kHz 8-bit mono effect, and a 48 kHz stereo float replacement.
        QVERIFY(
            writeWave(game + "/fx1.wav", referenceSignal(22050, 1, 0.3), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        QVERIFY(
            writeWave(mine + "/new1.WAV", referenceSignal(48000, 2, 0.5), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
        takeGame(1);
        takeReplacement(1);
        takeGame(2);
        takeReplacement(2);
        click("FrmWavSelect", "CmdSwitch");
        auto* note = control<QLabel>("FrmCopyWavs", "LblFormatNote1");
        QTRY_VERIFY(note->isVisible()); // the formats are read off the window's thread
        QCOMPARE(note->text(),
            QStringLiteral(
                "Format differs \u2014 game: 22050 Hz mono 8-bit; replacement: 48000 Hz stereo 32-bit float"));
        QVERIFY(!control<QLabel>("FrmCopyWavs", "LblFormatNote2")->isVisible());

        auto& messages = program->messages;
        const QByteArray original = wave(game + "/fx1.wav"), original2 = wave(game + "/fx2.wav");
        messages.answers = {MessageAnswer::Cancel};
        click("FrmCopyWavs", "CmdSwitch2");
        QCOMPARE(messages.lastTitle(), QStringLiteral("Format Check"));
        QVERIFY(messages.lastText().contains("Selection 1 (fx1.wav): game: 22050 Hz mono 8-bit"));
        QVERIFY(!messages.lastText().contains("Selection 2"));
        QCOMPARE(wave(game + "/fx1.wav"), original); // cancelled: nothing replaced
        QCOMPARE(wave(game + "/fx2.wav"), original2);

        messages.answers = {MessageAnswer::Convert};
        click("FrmCopyWavs", "CmdSwitch2");
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(messages.lastText()));
        SF_INFO info{};
        SNDFILE* f = sf_open(QFile::encodeName(game + "/fx1.wav").constData(), SFM_READ, &info);
        QVERIFY(f);
        sf_close(f);
        QCOMPARE(info.samplerate, 22050);
        QCOMPARE(info.channels, 1);
        QCOMPARE(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
        QCOMPARE(info.frames, sf_count_t(22050 / 2));
        QCOMPARE(wave(game + "/fx2.wav"), wave(mine + "/new2.WAV")); // same format: copied as it is
        // The record names the replacement, not the converted copy, as where it came from; the
        // converted copies are gone.
        QStringList sources;
        for (const RecordEntry& e : program->forms().record()->lastRun())
            sources << e.source;
        sources.sort();
        QCOMPARE(sources, QStringList({mine + "/new1.WAV", mine + "/new2.WAV"}));
        QCOMPARE(QDir(program->folder.path()).entryList({"Converting-*"}), QStringList());

        messages.answers = {MessageAnswer::CopyAsIs};
        click("FrmCopyWavs", "CmdSwitch2");
        QCOMPARE(wave(game + "/fx1.wav"), wave(mine + "/new1.WAV"));
    }

    // A game file chosen with its folders ("Sounds of this game") converts as one chosen plainly.
    void aNameWithFoldersIsConvertedToo()
    {
        QDir().mkpath(game + "/deep");
        const QString deep = game + "/deep/fx9.wav";
        QVERIFY(writeWave(deep, referenceSignal(22050, 1, 0.3), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        QVERIFY(
            writeWave(mine + "/new1.WAV", referenceSignal(48000, 2, 0.5), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
        ReviewBoard* board = program->forms().load<FrmCopyWavs>().board();
        board->model().setGameFile(1, deep, "deep/fx9.wav");
        board->model().setReplacementFile(1, mine + "/new1.WAV", "new1.WAV");
        program->messages.answers = {MessageAnswer::Convert};
        click("FrmCopyWavs", "CmdSwitch2");
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(program->messages.lastText()));
        const audio::SoundInfo info = audio::soundInfo(audio::DeviceKind::WaveAudio, deep);
        QCOMPARE(info.rate, 22050);
        QCOMPARE(info.channels, 1);
        QCOMPARE(info.sfFormat, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
    }

    void droppedFilesOpenTheirFolderAndFillSelections()
    {
        auto* gameList = control<FileList>("FrmWavSelect", "FleWav1");
        auto* pane = qobject_cast<BrowserPane*>(gameList->parentWidget());
        QVERIFY(pane);
        QVERIFY(!dropOn(pane, mine + "/../notes.txt")); // not a file this pane lists
        QVERIFY(dropOn(pane, game + "/fx3.wav"));
        QCOMPARE(QDir::fromNativeSeparators(control<FolderList>("FrmWavSelect", "DirWav1")->path()), game);
        QTRY_COMPARE(gameList->fileName(), QStringLiteral("fx3.wav")); // once the folder is read
        // On a selection's names: chosen as the buttons choose, with their rules.
        QVERIFY(dropOn(control<QLabel>("FrmWavSelect", "LblGameWav1"), game + "/fx2.wav"));
        QVERIFY(dropOn(control<QLabel>("FrmWavSelect", "LblReplaceWav1"), mine + "/new1.WAV"));
        // A pane still reading the folder it was sent to chooses once it has read it.
        QTRY_COMPARE(reviewText("FrmCopyWavs", "LblFileName1"), QStringLiteral("fx2.wav"));
        QTRY_COMPARE(reviewText("FrmCopyWavs", "LblRepFile1"), QStringLiteral("new1.WAV"));
        QCOMPARE(QDir::fromNativeSeparators(control<FolderList>("FrmWavSelect", "DirWav2")->path()), mine);
        QVERIFY(program->messages.messages.empty());
        dropOn(control<QLabel>("FrmWavSelect", "LblGameWav3"), game + "/fx4.wav");
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Wav Selection Error"));
        QCOMPARE(reviewText("FrmCopyWavs", "LblFileName3"), QString());
    }

    void compareSwitchesSidesAtTheSamePoint()
    {
        QVERIFY(writeWave(game + "/wide.wav", referenceSignal(48000, 2, 1), 48000, 2, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16));
        QVERIFY(
            writeWave(game + "/long.wav", referenceSignal(22050, 1, 4), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(
            writeWave(mine + "/long.wav", referenceSignal(44100, 2, 8), 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        highlight("FleWav1", game, "long.wav");
        highlight("FleWav2", mine, "long.wav");
        auto* gamePlayer = control<SamplePlayer>("FrmWavSelect", "MMControlWav1");
        auto* replacementPlayer = control<SamplePlayer>("FrmWavSelect", "MMControlWav2");
        QTRY_VERIFY(gamePlayer->waveform()->finished());
        QVERIFY(gamePlayer->formatInfo()->text().startsWith("22050 Hz \u00b7 mono \u00b7 16-bit \u00b7 0:04.0\npeak "));
        // A long container name too wide for the player is cut short; the rest of the line stays.
        highlight("FleWav1", game, "wide.wav");
        QTRY_VERIFY(gamePlayer->formatInfo()->toolTip().startsWith("WAVE_FORMAT_EXTENSIBLE \u00b7 48000 Hz"));
        const QString shown = gamePlayer->formatInfo()->text().section('\n', 0, 0);
        QVERIFY2(shown.endsWith(" \u00b7 48000 Hz \u00b7 stereo \u00b7 16-bit \u00b7 0:01.0"), qPrintable(shown));
        QVERIFY2(QFontMetrics(gamePlayer->formatInfo()->font()).horizontalAdvance(shown)
                <= gamePlayer->formatInfo()->contentsRect().width(),
            qPrintable(shown));
        highlight("FleWav1", game, "long.wav");
        QTRY_VERIFY(gamePlayer->waveform()->finished());

        // Ctrl+Space plays and pauses the player of the pane that has the focus, Ctrl+. stops it.
        control<QWidget>("FrmWavSelect", "FleWav2")->setFocus();
        QTest::keyClick(window("FrmWavSelect"), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(replacementPlayer->engine().state(), audio::PlayState::Playing);
        QCOMPARE(gamePlayer->engine().state(), audio::PlayState::Stopped);
        QTest::keyClick(window("FrmWavSelect"), Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(replacementPlayer->engine().state(), audio::PlayState::Paused);
        QTest::keyClick(window("FrmWavSelect"), Qt::Key_Period, Qt::ControlModifier);
        QCOMPARE(replacementPlayer->engine().state(), audio::PlayState::Stopped);

        click("FrmWavSelect", "CmdCompare"); // nothing playing: the game file starts
        QCOMPARE(gamePlayer->engine().state(), audio::PlayState::Playing);
        QTRY_VERIFY(gamePlayer->engine().position() > 22050 / 2);
        // The same moment, by time: 1 s into a 4 s file is 1 s into an 8 s one.
        auto seconds = [](SamplePlayer* p) { return double(p->engine().position()) / p->engine().sampleRate(); };
        click("FrmWavSelect", "CmdCompare");
        const double gameAt = seconds(gamePlayer);
        QCOMPARE(replacementPlayer->engine().state(), audio::PlayState::Playing);
        QCOMPARE(gamePlayer->engine().state(), audio::PlayState::Paused);
        const double replacementAt = seconds(replacementPlayer);
        QVERIFY2(std::abs(replacementAt - gameAt) < 0.06, qPrintable(QString("%1 %2").arg(replacementAt).arg(gameAt)));
        // And back, from where the replacement has got to.
        QTest::qWait(300);
        click("FrmWavSelect", "CmdCompare");
        QCOMPARE(gamePlayer->engine().state(), audio::PlayState::Playing);
        QCOMPARE(replacementPlayer->engine().state(), audio::PlayState::Paused);
        const double back = seconds(gamePlayer);
        QVERIFY(std::abs(back - seconds(replacementPlayer)) < 0.06);
        QVERIFY(back > replacementAt);
        // Past the end of the shorter file: its end.
        click("FrmWavSelect", "CmdCompare");
        replacementPlayer->engine().seek(6 * 44100);
        QTRY_VERIFY(seconds(replacementPlayer) > 5.9);
        click("FrmWavSelect", "CmdCompare");
        QVERIFY2(seconds(gamePlayer) > 3.9 || gamePlayer->engine().state() != audio::PlayState::Playing,
            qPrintable(QString::number(seconds(gamePlayer))));
        // A hidden window's players fall silent (Next hides this window).
        click("FrmWavSelect", "CmdCompare");
        QCOMPARE(replacementPlayer->engine().state(), audio::PlayState::Playing);
        window("FrmWavSelect")->hide();
        QVERIFY(replacementPlayer->engine().state() != audio::PlayState::Playing);
        QVERIFY(gamePlayer->engine().state() != audio::PlayState::Playing);
    }
    // The same choices make the same run whichever way they are made: Game Sounds, a review
    // window, `sonaplex replace` and a pack, each on its own copy of a game, all told to convert.
    // A replacement of another rate and sample format is converted, one of the game file's
    // format copied, and each copy of the game ends byte for byte the same, recorded the same.
    void everyWayToSwitchMakesTheSameRun()
    {
        const QStringList ways{"window", "review", "replace", "pack"};
        for (const QString& way : ways) {
            QVERIFY(QDir().mkpath(disk.path() + "/" + way));
            QVERIFY(writeWave(disk.path() + "/" + way + "/fx1.wav", referenceSignal(22050, 1, 0.3), 22050, 1,
                SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
            QVERIFY(writeWave(disk.path() + "/" + way + "/fx2.wav", referenceSignal(22050, 1, 0.2), 22050, 1,
                SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        }
        const QString from = disk.path() + "/from";
        QVERIFY(QDir().mkpath(from));
        QVERIFY(writeWave(from + "/fx1.wav", referenceSignal(48000, 2, 0.5), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT));
        QVERIFY(writeWave(from + "/fx2.wav", referenceSignal(22050, 1, 0.4), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        const QString folderOf[] = {disk.path() + "/window", disk.path() + "/review", disk.path() + "/replace",
            disk.path() + "/pack"};

        FrmGame& sounds = program->forms().load<FrmGame>();
        program->forms().showModeless(sounds);
        sounds.showGame(folderOf[0]);
        QTRY_VERIFY_WITH_TIMEOUT(sounds.isRead(), 60'000);
        QVERIFY(sounds.chooseReplacement("fx1.wav", from + "/fx1.wav"));
        QVERIFY(sounds.chooseReplacement("fx2.wav", from + "/fx2.wav"));
        program->messages.answers = {MessageAnswer::Convert};
        click("FrmGame", "CmdSwitchGame");
        QVERIFY2(program->messages.lastText().startsWith("2 game file(s) were replaced."), qPrintable(program->messages.lastText()));

        ReviewBoard* board = program->forms().load<FrmCopyWavs>().board();
        for (int n = 1; n <= 2; ++n) {
            const QString name = QStringLiteral("fx%1.wav").arg(n);
            board->model().setGameFile(n, folderOf[1] + "/" + name, name);
            board->model().setReplacementFile(n, from + "/" + name, name);
        }
        program->messages.answers = {MessageAnswer::Convert};
        click("FrmCopyWavs", "CmdSwitch2");
        QVERIFY2(isShown("FrmReplaceConfirm"), qPrintable(program->messages.lastText()));

        PackManifest manifest;
        manifest.name = "Same";
        manifest.entries = {{"fx1.wav", "fx1.wav", {}}, {"fx2.wav", "fx2.wav", {}}};
        QVERIFY(writePack(disk.path() + "/same.sonaplexpack", manifest, {from + "/fx1.wav", from + "/fx2.wav"}).ok);
        auto sonaplex = [&](const QStringList& args) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.remove("DISPLAY");
            env.insert("QT_QPA_PLATFORM", "offscreen");
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(SONAPLEX_EXECUTABLE), QStringList{"--program-folder", program->folder.path()} + args);
            return p.waitForFinished(120'000) && p.exitCode() == 0 ? QString() : QString(p.readAllStandardError());
        };
        QCOMPARE(sonaplex({"replace", folderOf[2], "--from", from, "--convert"}), QString());
        QCOMPARE(sonaplex({"pack", "apply", disk.path() + "/same.sonaplexpack", folderOf[3], "--convert"}), QString());

        const audio::SoundInfo converted = audio::soundInfo(audio::DeviceKind::WaveAudio, folderOf[0] + "/fx1.wav");
        QCOMPARE(converted.rate, 22050);
        QCOMPARE(converted.sfFormat, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
        QCOMPARE(readAll(folderOf[0] + "/fx2.wav"), readAll(from + "/fx2.wav"));
        ReplacementRecord& record = *program->forms().record();
        auto recorded = [&](const QString& folder) {
            QStringList rows;
            for (const ReplacedFile& f : record.knownIn(folder))
                rows << f.gamePath.mid(folder.size()) + " " + f.originalHash + " " + f.lastHash;
            rows.sort();
            return rows;
        };
        for (int w = 1; w < 4; ++w) {
            for (const char* name : {"/fx1.wav", "/fx2.wav"})
                QVERIFY2(readAll(folderOf[w] + name) == readAll(folderOf[0] + name), qPrintable(ways[w] + name));
            QCOMPARE(recorded(folderOf[w]), recorded(folderOf[0]));
        }
        QCOMPARE(recorded(folderOf[0]).size(), 2);
    }
};

SONAPLEX_TEST_MAIN(TestEffects)
#include "test_effects.moc"
