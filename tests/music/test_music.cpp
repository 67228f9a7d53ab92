// The music side end to end on real files: selections and their order rule, the review
// window's lifecycle, SWITCH, and favourites, with real failures.
#include "audio/audio_support.h"
#include "music/frm_copy_midi.h"
#include "support.h"
#include "ui/window_parts.h"
#include "ui/browser_pane.h"
#include "ui/sample_player.h"

#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestMusic : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game, mine; // a game's music folder, the user's own music

    QString gameFile(const QString& name) { return game + "/" + name; }
    QString myFile(const QString& name) { return mine + "/" + name; }

    // Highlights a file in one of the music window's file lists.
    void highlight(const QString& list, const QString& folder, const QString& name)
    {
        auto* files = control<FileList>("FrmMidi", list);
        QVERIFY(files);
        if (files->path() != QDir::toNativeSeparators(folder))
            control<FolderList>("FrmMidi", list == "FleMidi2" ? "DirMidi2" : "DirMidi1")->setPath(folder);
        QTRY_VERIFY(!files->isListing());
        files->setFileName(name);
        QCOMPARE(files->fileName(), name);
    }
    void takeGame(int n, const QString& name)
    {
        highlight("FleMidi2", game, name);
        click("FrmMidi", QStringLiteral("CmdChooseGame%1mid").arg(n));
    }
    void takeReplacement(int n, const QString& name)
    {
        highlight("FleMidi1", mine, name);
        click("FrmMidi", QStringLiteral("CmdReplaceMidi%1").arg(n));
    }
    void fill(int n) // selection n: game track n replaced by my song n
    {
        takeGame(n, QStringLiteral("TRACK%1.MID").arg(n));
        takeReplacement(n, QStringLiteral("song%1.mid").arg(n));
    }
    QByteArray original(int n) { return QByteArray("game track ") + QByteArray::number(n); }
    QByteArray replacement(int n) { return MidiBuilder().track().note(0, 480 * n, 0, 60 + n).bytes(); }

private slots:
    void init()
    {
        QDir(disk.path()).removeRecursively();
        QDir().mkpath(disk.path() + "/Game/music");
        QDir().mkpath(disk.path() + "/My Music");
        game = disk.path() + "/Game/music";
        mine = disk.path() + "/My Music";
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(writeFile(gameFile(QStringLiteral("TRACK%1.MID").arg(n)), original(n)));
            QVERIFY(writeFile(myFile(QStringLiteral("song%1.mid").arg(n)), replacement(n)));
        }
        program = std::make_unique<Program>();
        program->enter();
    }
    void cleanup() { program.reset(); }

    void orderRuleWatchesEachSideOnItsOwn()
    {
        auto& messages = program->messages;
        takeReplacement(1, "song1.mid");
        takeGame(2, "TRACK2.MID"); // game 1 not chosen, though replacement 1 is
        QCOMPARE(messages.lastText(), QStringLiteral("Please make selections in correct order"));
        QCOMPARE(messages.lastTitle(), QStringLiteral("Midi Selection Error"));
        QCOMPARE(text("FrmMidi", "LblGameMidi2"), QString());
        QCOMPARE(reviewText("FrmCopyMidi", "LblFileName2b"), QString());

        messages.clear();
        takeReplacement(2, "song2.mid");
        takeReplacement(3, "song3.mid"); // replacements in order, no game files at all
        QVERIFY(messages.messages.empty());
        QCOMPARE(text("FrmMidi", "LblReplaceMidi3"), QStringLiteral("song3.mid"));
        QCOMPARE(reviewText("FrmCopyMidi", "LblMidiReplacePath3"), QDir::toNativeSeparators(mine) + "/song3.mid");
        // Blue for replacements, red for game files: in their hue, as dark as the window needs.
        const QColor window = control<QLabel>("FrmMidi", "LblReplaceMidi3")->palette().color(QPalette::Window);
        const QColor blue = control<QLabel>("FrmMidi", "LblReplaceMidi3")->palette().color(QPalette::WindowText);
        QCOMPARE(blue.hslHue(), 240);
        QVERIFY(contrastRatio(blue, window) >= 4.5);

        takeGame(1, "TRACK1.MID");
        const QColor red = control<QLabel>("FrmMidi", "LblGameMidi1")->palette().color(QPalette::WindowText);
        QCOMPARE(red.hslHue(), 0);
        QVERIFY(contrastRatio(red, window) >= 4.5);
        QCOMPARE(reviewText("FrmCopyMidi", "LblMidiGamePath1"), QDir::toNativeSeparators(game) + "/TRACK1.MID");
        QVERIFY(!isShown("FrmCopyMidi")); // written to, loaded, not shown

        // Remove 1 leaves a gap, and the rule then refuses selection 2.
        click("FrmMidi", "CmdRemoveMidi1");
        QCOMPARE(text("FrmMidi", "LblReplaceMidi1"), QString());
        QCOMPARE(reviewText("FrmCopyMidi", "LblMidiReplacePath1"), QString());
        QCOMPARE(text("FrmMidi", "LblReplaceMidi2"), QStringLiteral("song2.mid"));
        takeReplacement(2, "song1.mid");
        QCOMPARE(messages.lastTitle(), QStringLiteral("Midi Selection Error"));
        QCOMPARE(text("FrmMidi", "LblReplaceMidi2"), QStringLiteral("song2.mid"));
    }

    void nextAndCloseCarryTheSelectionsAndThePlayers()
    {
        fill(1);
        auto* gamePlayer = control<SamplePlayer>("FrmMidi", "MMControlMidi2");
        auto* myPlayer = control<SamplePlayer>("FrmMidi", "MMControlMidi1");
        QCOMPARE(gamePlayer->fileName(), QDir::toNativeSeparators(game) + "/TRACK1.MID");
        QCOMPARE(myPlayer->mode(), QStringLiteral("stopped")); // a real MIDI file, open

        click("FrmMidi", "CmdSonaplex");
        QVERIFY(isShown("FrmCopyMidi"));
        QVERIFY(!isShown("FrmMidi"));
        QCOMPARE(text("FrmMidi", "LblGameMidi1"), QString());
        QCOMPARE(reviewText("FrmCopyMidi", "LblFileName1b"), QStringLiteral("TRACK1.MID"));
        QCOMPARE(reviewText("FrmCopyMidi", "LblMidiFileName1"), QStringLiteral("song1.mid"));
        QCOMPARE(gamePlayer->mode(), QStringLiteral("not open"));
        QCOMPARE(myPlayer->mode(), QStringLiteral("stopped"));

        click("FrmCopyMidi", "CmdExitFrmCopyMidi");
        QVERIFY(isShown("FrmMidi"));
        QVERIFY(!window("FrmCopyMidi"));
        // The game player tries its file again ("TRACK1.MID" is no real MIDI file: it says so).
        QVERIFY(!gamePlayer->problem().isEmpty());
        click("FrmMidi", "CmdSonaplex");
        QCOMPARE(reviewText("FrmCopyMidi", "LblFileName1b"), QString()); // a fresh review window
    }

    void switchReplacesEveryCompleteSelection()
    {
        fill(1);
        fill(2);
        fill(3);
        click("FrmMidi", "CmdRemoveMidi2");
        click("FrmMidi", "CmdSonaplex");
        click("FrmCopyMidi", "CmdSwitch3");
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        QVERIFY(isShown("FrmReplaceConfirm"));
        QCOMPARE(text("FrmReplaceConfirm", "LblReplaceConfirm"), QStringLiteral("Replacement Successful"));
        QCOMPARE(readAll(gameFile("TRACK1.MID")), replacement(1));
        QCOMPARE(readAll(gameFile("TRACK2.MID")), original(2));
        QCOMPARE(readAll(gameFile("TRACK3.MID")), replacement(3));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(myFile(QStringLiteral("song%1.mid").arg(n))), replacement(n));

        // SWITCH again brings the same single confirmation forward; OK closes it.
        QWidget* confirm = window("FrmReplaceConfirm");
        click("FrmCopyMidi", "CmdSwitch3");
        QCOMPARE(window("FrmReplaceConfirm"), confirm);
        click("FrmReplaceConfirm", "CmdReplaceConfirm");
        QVERIFY(!isShown("FrmReplaceConfirm"));
        QVERIFY(isShown("FrmCopyMidi"));
    }

    void switchRefusesWithoutAFirstReplacement()
    {
        takeGame(1, "TRACK1.MID");
        click("FrmMidi", "CmdSonaplex");
        click("FrmCopyMidi", "CmdSwitch3");
        QCOMPARE(
            program->messages.lastText(), QStringLiteral("Please be sure that you have made a valid file selection."));
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("File Selection Error"));
        QVERIFY(!window("FrmReplaceConfirm"));
        QCOMPARE(readAll(gameFile("TRACK1.MID")), original(1));
    }

    void failedCopiesAreNamedAndLeaveGameFilesAlone()
    {
        fill(1);
        fill(2);
        fill(3);
        takeGame(1, "TRACK1.MID");
        // 1: game file locked; 2: the replacement is deleted after it was chosen;
        // 3: replaced. Then a half-made selection and a game folder that has gone.
        {
            Immutable lock(gameFile("TRACK1.MID"));
            REQUIRE_IMMUTABLE(lock);
            QVERIFY(QFile::remove(myFile("song2.mid")));
            click("FrmMidi", "CmdSonaplex");
            click("FrmCopyMidi", "CmdSwitch3");
            const QString report = program->messages.lastText();
            QCOMPARE(program->messages.lastTitle(), QStringLiteral("Replacement Error"));
            QVERIFY2(report.contains("Selection 1 (TRACK1.MID)") && report.contains("Selection 2 (TRACK2.MID)"),
                qPrintable(report));
            QVERIFY(report.contains("song2.mid"));
            QVERIFY(!report.contains("Selection 3"));
            QVERIFY(!window("FrmReplaceConfirm"));
            QCOMPARE(readAll(gameFile("TRACK1.MID")), original(1));
            QCOMPARE(readAll(gameFile("TRACK2.MID")), original(2));
            QCOMPARE(readAll(gameFile("TRACK3.MID")), replacement(3));
            QCOMPARE(QDir(game).entryList(QDir::Files | QDir::Hidden).size(), 3); // no temporary files left
        }

        click("FrmCopyMidi", "CmdMidiRemove2");
        click("FrmCopyMidi", "CmdMidiRemove1");
        program->messages.clear();
        QVERIFY(QDir(disk.path() + "/Game").removeRecursively());
        // selection 1: replacement only
        program->forms().load<FrmCopyMidi>().board()->model().setReplacementFile(1, myFile("song1.mid"), "song1.mid");
        click("FrmCopyMidi", "CmdSwitch3");
        const QString second = program->messages.lastText();
        QVERIFY2(second.contains("Selection 1 (song1.mid): no game file was chosen"), qPrintable(second));
        QVERIFY2(second.contains("Selection 3 (TRACK3.MID)"), qPrintable(second));
        QVERIFY(!window("FrmReplaceConfirm"));
    }

    void aFileSwitchedWithItselfIsKept()
    {
        QVERIFY(writeFile(gameFile("TRACK1.MID"), replacement(3))); // a replacement must be real MIDI
        takeGame(1, "TRACK1.MID");
        highlight("FleMidi1", game, "TRACK1.MID");
        click("FrmMidi", "CmdReplaceMidi1");
        click("FrmMidi", "CmdSonaplex");
        click("FrmCopyMidi", "CmdSwitch3");
        QVERIFY(isShown("FrmReplaceConfirm"));
        QCOMPARE(readAll(gameFile("TRACK1.MID")), replacement(3));
    }

    void favoritesCopyEveryReplacementUnderItsOwnName()
    {
        QDir().mkpath(disk.path() + "/Other");
        const QByteArray another = MidiBuilder().track().note(0, 96, 0, 40).bytes();
        QVERIFY(writeFile(disk.path() + "/Other/song1.mid", another));
        fill(1);
        fill(2);
        takeReplacement(3, "song3.mid");
        highlight("FleMidi1", disk.path() + "/Other", "song1.mid");
        click("FrmMidi", "CmdReplaceMidi3"); // same name as selection 1's, another folder
        click("FrmMidi", "CmdRemoveMidi2");
        click("FrmMidi", "CmdSonaplex");
        const QString favorites = program->path("Favorite Midi");
        QVERIFY(writeFile(favorites + "/song1.mid", "an older favourite"));
        // A favourite of the same name is replaced only when the user says so.
        program->messages.answers = {MessageAnswer::Cancel};
        click("FrmCopyMidi", "CmdFavorites");
        QVERIFY(!isShown("FrmFavorites"));
        QVERIFY2(program->messages.lastText().contains("song1.mid"), qPrintable(program->messages.lastText()));
        QCOMPARE(readAll(favorites + "/song1.mid"), QByteArray("an older favourite"));
        program->messages.answers = {MessageAnswer::Ok};
        click("FrmCopyMidi", "CmdFavorites");
        QVERIFY(isShown("FrmFavorites"));
        QCOMPARE(text("FrmFavorites", "LblFavorites"), QStringLiteral("Successfully added to favorites"));
        QCOMPARE(QDir(favorites).entryList(QDir::Files), QStringList{"song1.mid"});
        QCOMPARE(readAll(favorites + "/song1.mid"), another); // the later one wins
        click("FrmFavorites", "CmdFavorites");
        QVERIFY(!window("FrmFavorites"));

        // The folder has gone: the failure is named and nothing claims success.
        QVERIFY(QDir(favorites).removeRecursively());
        click("FrmCopyMidi", "CmdFavorites");
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Favorites Error"));
        QVERIFY(program->messages.lastText().contains("Selection 1 (song1.mid)"));
        QVERIFY(!window("FrmFavorites"));
    }
};

SONAPLEX_TEST_MAIN(TestMusic)
#include "test_music.moc"
