// The Game Sounds window over a game made of Debian's real game data (frozen-bubble-data's Ogg
// Vorbis, warzone2100-music's Opus) and files the tests write: every sound at any depth, filters,
// replacements per row by dialog, drop and folder, one SWITCH, undo, restore, Replace Again after
// an update, a pack, the keyboard, and a window that grows.
#include "audio/audio_support.h"
#include "audio/module_support.h"
#include "game/frm_game.h"
#include "game/game_sounds_model.h"
#include "support.h"
#include "ui/installed_games.h"
#include "ui/sample_player.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QTreeView>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;


class TestGameWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game, mine;
    DesktopAnswers* answers = nullptr;

    QString gameFile(const QString& name) const { return game + "/" + name; }
    FrmGame& open()
    {
        FrmGame& w = program->forms().load<FrmGame>();
        program->forms().showModeless(w);
        w.showGame(game);
        return w;
    }
    static QTreeView* list() { return control<QTreeView>("FrmGame", "LstGameSounds"); }
    // The view's row of a sound, by its path inside the game.
    static QModelIndex rowOf(const QString& name)
    {
        QAbstractItemModel* m = list()->model();
        for (int row = 0; row < m->rowCount(); ++row)
            if (m->index(row, 0).data().toString() == name)
                return m->index(row, 0);
        return {};
    }
    static void select(const QStringList& names)
    {
        list()->clearSelection();
        for (const QString& name : names) {
            const QModelIndex i = rowOf(name);
            QVERIFY2(i.isValid(), qPrintable(name));
            list()->selectionModel()->select(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            list()->selectionModel()->setCurrentIndex(i, QItemSelectionModel::NoUpdate);
        }
    }
    static QString cell(const QString& name, int column)
    {
        const QModelIndex i = rowOf(name);
        return i.siblingAtColumn(column).data().toString();
    }

private slots:
    void init()
    {
        QDir(disk.path()).removeRecursively();
        game = disk.path() + "/Game";
        mine = disk.path() + "/Mine";
        for (const QString& folder : {game + "/sound/ui", game + "/music/deep/er", game + "/.cache", mine + "/sound"})
            QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "launch.ogg", gameFile("sound/launch.ogg")));
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "stick.ogg", gameFile("sound/ui/stick.ogg")));
        QVERIFY(QFile::copy(kWarzoneMusic + "track3.opus", gameFile("music/deep/er/track3.opus")));
        QVERIFY(writeWave(gameFile("sound/click.wav"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeFile(gameFile("music/song.mod"), protrackerModule(428, "game")));
        QVERIFY(writeFile(gameFile("sound/broken.ogg"), readAll(kFrozenBubbleSounds + "lose.ogg").left(300)));
        QVERIFY(writeWave(gameFile(".cache/hidden.wav"), referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeFile(gameFile("sound/readme.txt"), "not a sound"));
        QVERIFY(writeWave(mine + "/sound/Launch.WAV", referenceSignal(48000, 2, 2), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeWave(mine + "/stick.wav", referenceSignal(44100, 1, 1), 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeWave(mine + "/click.wav", referenceSignal(22050, 1, 2), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeFile(mine + "/other.mod", protrackerModule(320, "mine")));
        program = std::make_unique<Program>();
        answers = new DesktopAnswers;
    }
    void cleanup()
    {
        delete answers;
        program.reset();
    }

    // Every sound at any depth and in every format is listed, hidden folders and other files
    // left out; formats fill in as they are read, a damaged file says why; the filters narrow.
    void listsEverySoundAndFilters()
    {
        FrmGame& w = open();
        QTRY_VERIFY_WITH_TIMEOUT(w.isRead(), 60'000);
        QAbstractItemModel* m = list()->model();
        QStringList names;
        for (int row = 0; row < m->rowCount(); ++row)
            names << m->index(row, 0).data().toString();
        QCOMPARE(names, QStringList({"music/deep/er/track3.opus", "music/song.mod", "sound/broken.ogg", "sound/click.wav",
                            "sound/launch.ogg", "sound/ui/stick.ogg"}));
        QCOMPARE(cell("sound/launch.ogg", GameSoundsModel::Format), "44100 Hz mono (Ogg Vorbis)");
        QVERIFY(cell("music/deep/er/track3.opus", GameSoundsModel::Format).contains("Opus"));
        QVERIFY(cell("music/song.mod", GameSoundsModel::Format).contains("module"));
        QVERIFY2(cell("sound/broken.ogg", GameSoundsModel::Format).startsWith("cannot be read: "),
            qPrintable(cell("sound/broken.ogg", GameSoundsModel::Format)));
        QCOMPARE(cell("sound/click.wav", GameSoundsModel::Length), "0:01.0");
        QCOMPARE(cell("sound/click.wav", GameSoundsModel::State), "original");
        QCOMPARE(cell("sound/broken.ogg", GameSoundsModel::State), "not read");
        QVERIFY(text("FrmGame", "LblGameSummary").startsWith("6 sound file(s): 0 replaced"));

        control<QLineEdit>("FrmGame", "TxtFilter")->setText("SOUND/UI");
        QCOMPARE(m->rowCount(), 1);
        control<QLineEdit>("FrmGame", "TxtFilter")->clear();
        QCOMPARE(m->rowCount(), 6);
        QVERIFY(w.chooseReplacement("sound/click.wav", mine + "/click.wav"));
        control<QComboBox>("FrmGame", "CboShow")->setCurrentIndex(int(GameSoundsModel::Show::Pending));
        QCOMPARE(m->rowCount(), 1);
        QCOMPARE(m->index(0, GameSoundsModel::Replacement).data().toString(), "click.wav");
    }

    // A replacement per row by the file dialog, a drop and a folder of the user's sounds; one
    // that cannot stand in is refused with the reason. One SWITCH converts and replaces them all
    // in one run, which Undo takes back byte for byte.
    void replacementsFromDialogDropAndFolderGoInWithOneSwitch()
    {
        const QByteArray launch = readAll(gameFile("sound/launch.ogg")), stick = readAll(gameFile("sound/ui/stick.ogg")),
                         clickWave = readAll(gameFile("sound/click.wav"));
        FrmGame& w = open();
        QTRY_VERIFY_WITH_TIMEOUT(w.isRead(), 60'000);
        // The dialog, through the keyboard: Enter on the row.
        answers->file = [&](const QString&, bool) { return mine + "/click.wav"; };
        select({"sound/click.wav"});
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(cell("sound/click.wav", GameSoundsModel::Replacement), "click.wav");
        // A drop on a row.
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(mine + "/other.mod")});
        QVERIFY(!list()->model()->dropMimeData(&dropped, Qt::CopyAction, -1, -1, rowOf("music/song.mod")));
        QCOMPARE(cell("music/song.mod", GameSoundsModel::Replacement), "other.mod");
        // Refused as it is chosen: a recording cannot stand in for a module.
        dropped.setUrls({QUrl::fromLocalFile(mine + "/stick.wav")});
        list()->model()->dropMimeData(&dropped, Qt::CopyAction, -1, -1, rowOf("music/song.mod"));
        QVERIFY2(program->messages.lastText().startsWith("stick.wav cannot replace music/song.mod: "),
            qPrintable(program->messages.lastText()));
        QCOMPARE(cell("music/song.mod", GameSoundsModel::Replacement), "other.mod");
        // A folder: by path (sound/Launch.WAV, any case), then by name (stick.wav), shown first.
        answers->folder = [&](const QString&) { return mine; };
        program->messages.answers = {MessageAnswer::Ok};
        click("FrmGame", "CmdReplaceFromFolder");
        const QString shown = program->messages.lastText();
        QVERIFY2(shown.contains("sound/launch.ogg  \u2190  Launch.WAV\n"), qPrintable(shown));
        QVERIFY2(shown.contains("sound/ui/stick.ogg  \u2190  stick.wav (by name)"), qPrintable(shown));
        QCOMPARE(cell("sound/launch.ogg", GameSoundsModel::Replacement), "Launch.WAV");
        QCOMPARE(cell("sound/ui/stick.ogg", GameSoundsModel::Replacement), "stick.wav");
        // Delete clears a row.
        select({"sound/click.wav"});
        QTest::keyClick(list(), Qt::Key_Delete);
        QCOMPARE(cell("sound/click.wav", GameSoundsModel::Replacement), "");
        // Another rate, left unticked in the format question: copied as it is, while the others
        // are converted (a wave cannot be an Ogg file: their rows cannot be unticked).
        QVERIFY(writeWave(mine + "/click48.wav", referenceSignal(48000, 2, 1), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        w.chooseReplacement("sound/click.wav", mine + "/click48.wav");

        program->messages.answers = {MessageAnswer::Convert};
        program->messages.untick = {"sound/click.wav"};
        click("FrmGame", "CmdSwitchGame");
        const Message& asked = program->messages.messages.at(program->messages.messages.size() - 2);
        QCOMPARE(asked.buttons, MessageButtons::ConvertCancel);
        QVERIFY2(asked.text.contains("\n[ ] sound/click.wav: ") && asked.text.contains("\n[fixed] sound/launch.ogg: "),
            qPrintable(asked.text));
        QCOMPARE(readAll(gameFile("sound/click.wav")), readAll(mine + "/click48.wav"));
        QVERIFY2(program->messages.lastText().startsWith("4 game file(s) were replaced."), qPrintable(program->messages.lastText()));
        QVERIFY(fileSays(gameFile("sound/launch.ogg")).startsWith("Ogg data, Vorbis audio, mono, 44100 Hz"));
        QVERIFY(fileSays(gameFile("sound/ui/stick.ogg")).startsWith("Ogg data, Vorbis audio"));
        QCOMPARE(readAll(gameFile("music/song.mod")), readAll(mine + "/other.mod"));
        QVERIFY(cell("sound/launch.ogg", GameSoundsModel::State).startsWith("replaced by Launch.WAV, "));
        QCOMPARE(cell("sound/launch.ogg", GameSoundsModel::Replacement), ""); // no longer pending
        std::vector<RecordEntry> last = program->forms().record()->lastRun();
        QCOMPARE(last.size(), size_t(4)); // one run

        click("FrmGame", "CmdUndoGame");
        QCOMPARE(readAll(gameFile("sound/launch.ogg")), launch);
        QCOMPARE(readAll(gameFile("sound/ui/stick.ogg")), stick);
        QCOMPARE(readAll(gameFile("sound/click.wav")), clickWave);
        QCOMPARE(cell("sound/launch.ogg", GameSoundsModel::State), "original");
    }

    // Bytes that are not a sound, under a sound's name, are no replacement: refused once read
    // when chosen, and again at SWITCH when it comes first; the game file is left as it was. A
    // SWITCH cancelled at the format question says that nothing was replaced.
    void aFileThatIsNotASoundIsNoReplacement()
    {
        const QByteArray launch = readAll(gameFile("sound/launch.ogg"));
        QVERIFY(writeFile(mine + "/fake.ogg", "a text file, 25 bytes."));
        FrmGame& w = open();
        QTRY_VERIFY_WITH_TIMEOUT(w.isRead(), 60'000);
        answers->file = [&](const QString&, bool) { return mine + "/fake.ogg"; };
        select({"sound/launch.ogg"});
        click("FrmGame", "CmdChooseReplacement");
        QTRY_VERIFY2(program->messages.lastText().startsWith(
                         "fake.ogg cannot replace sound/launch.ogg: fake.ogg is not an Ogg Vorbis file"),
            qPrintable(program->messages.lastText()));
        QCOMPARE(cell("sound/launch.ogg", GameSoundsModel::Replacement), "");

        QVERIFY(w.chooseReplacement("sound/launch.ogg", mine + "/fake.ogg"));
        click("FrmGame", "CmdSwitchGame"); // before the choice was read
        bool refused = false;
        for (const Message& m : program->messages.messages)
            refused = refused || (m.text.contains("sound/launch.ogg") && m.text.contains("fake.ogg is not an Ogg Vorbis file")
                                     && !m.text.startsWith("fake.ogg cannot replace"));
        QVERIFY(refused);
        QCOMPARE(readAll(gameFile("sound/launch.ogg")), launch);

        QVERIFY(w.chooseReplacement("sound/launch.ogg", mine + "/stick.wav"));
        program->messages.answers = {MessageAnswer::Cancel};
        click("FrmGame", "CmdSwitchGame");
        QCOMPARE(program->messages.lastText(), "Nothing was replaced.");
        QCOMPARE(readAll(gameFile("sound/launch.ogg")), launch);
    }

    // Pending choices outlive the window; Restore Selected, Replace Again after an update and a
    // pack of the game's replacements act on the rows.
    void pendingChoicesStayAndTheRecordedWaysBackWork()
    {
        const QByteArray clickWave = readAll(gameFile("sound/click.wav"));
        FrmGame* w = &open();
        QTRY_VERIFY_WITH_TIMEOUT(w->isRead(), 60'000);
        QVERIFY(w->chooseReplacement("sound/click.wav", mine + "/click.wav"));
        w->resize(760, 560);
        list()->setColumnWidth(GameSoundsModel::Name, 333);
        click("FrmGame", "CmdCloseGame");
        QVERIFY(!program->forms().loaded<FrmGame>());
        // Opened again: the game, the size and the columns it was left with.
        w = &program->forms().load<FrmGame>();
        QCOMPARE(w->gameFolder(), game);
        QCOMPARE(w->size(), QSize(760, 560));
        QCOMPARE(list()->columnWidth(GameSoundsModel::Name), 333);
        // A wider window widens the names and states too, not only the last column.
        program->forms().showModeless(*w);
        const int name = list()->columnWidth(GameSoundsModel::Name), state = list()->columnWidth(GameSoundsModel::State);
        w->resize(w->width() + 400, w->height());
        QTRY_VERIFY(list()->columnWidth(GameSoundsModel::Name) >= name + 120);
        QVERIFY(list()->columnWidth(GameSoundsModel::State) >= state + 80);
        program->forms().showModeless(*w);
        QTRY_VERIFY(list()->model()->rowCount() == 6);
        QCOMPARE(cell("sound/click.wav", GameSoundsModel::Replacement), "click.wav");
        QTRY_VERIFY_WITH_TIMEOUT(w->isRead(), 60'000);
        program->messages.answers = {MessageAnswer::Convert};
        click("FrmGame", "CmdSwitchGame");
        const QByteArray mineClick = readAll(gameFile("sound/click.wav"));
        QCOMPARE(mineClick, readAll(mine + "/click.wav"));
        QTRY_COMPARE(cell("sound/click.wav", GameSoundsModel::Length), "0:02.0"); // read again once replaced

        // An update puts the original back while the window is open: once the games are found
        // again (a launcher's manifest changed), the row says "original" as everywhere, the
        // summary and the update's view count it, and Replace Again puts ours back.
        QVERIFY(writeFile(gameFile("sound/click.wav"), clickWave));
        emit program->forms().games().found();
        QTRY_VERIFY2(text("FrmGame", "LblGameSummary").contains("1 changed by an update"),
            qPrintable(text("FrmGame", "LblGameSummary")));
        QCOMPARE(cell("sound/click.wav", GameSoundsModel::State), "original");
        QCOMPARE(cell("sound/broken.ogg", GameSoundsModel::State), "not read");
        control<QComboBox>("FrmGame", "CboShow")->setCurrentIndex(int(GameSoundsModel::Show::ChangedByUpdate));
        QCOMPARE(list()->model()->rowCount(), 1);
        click("FrmGame", "CmdReplaceAgain");
        QCOMPARE(readAll(gameFile("sound/click.wav")), mineClick);
        control<QComboBox>("FrmGame", "CboShow")->setCurrentIndex(int(GameSoundsModel::Show::Replaced));
        QCOMPARE(list()->model()->rowCount(), 1);

        // A pack of it, made through the Packs window on this game.
        const QString pack = disk.path() + "/game.sonaplexpack";
        answers->file = [&](const QString&, bool) { return pack; };
        answers->typed = [](const QString&, const QString&) { return QStringLiteral("Game sounds"); };
        click("FrmGame", "CmdPackGame");
        QVERIFY2(program->messages.lastText().contains("1 sound(s) written to"), qPrintable(program->messages.lastText()));
        QVERIFY(!program->forms().isLoaded("FrmPacks"));
        QVERIFY(QFileInfo(pack).isFile());

        select({"sound/click.wav"});
        click("FrmGame", "CmdRestoreSelected");
        QCOMPARE(readAll(gameFile("sound/click.wav")), clickWave);
    }

    // Space plays the row's sound, and with "Play on select" moving to a row plays it. The window
    // grows: the list takes the room.
    void keyboardPlaysAndTheListGrowsWithTheWindow()
    {
        FrmGame& w = open();
        QTRY_VERIFY_WITH_TIMEOUT(w.isRead(), 60'000);
        auto* player = control<SamplePlayer>("FrmGame", "PlayerGameSound");
        select({"sound/click.wav"});
        list()->setCurrentIndex(rowOf("sound/click.wav"));
        QTest::keyClick(list(), Qt::Key_Space);
        QTRY_COMPARE(player->engine().state(), audio::PlayState::Playing);
        player->stop();
        control<QCheckBox>("FrmGame", "ChkAutoPlay")->setChecked(true);
        list()->setCurrentIndex(rowOf("sound/launch.ogg"));
        QCOMPARE(player->fileName(), gameFile("sound/launch.ogg"));
        QTRY_COMPARE(player->engine().state(), audio::PlayState::Playing);
        player->stop();

        const QSize listBefore = list()->size();
        w.resize(w.width() + 300, w.height() + 200);
        QTRY_VERIFY(list()->width() >= listBefore.width() + 250);
        QVERIFY(list()->height() >= listBefore.height() + 150);

        // The selection windows open at their own size, and give more room to their file lists
        // (the sound-effects window is larger than the test's screen: it opens in a scrolled view).
        for (const auto& [form, fileList] : {std::pair{"FrmMidi", "FleMidi1"}}) {
            Form& selection = program->forms().showModeless(QString::fromLatin1(form));
            const QSize size = selection.size();
            QCOMPARE(selection.minimumSize(), size);
            QWidget* files = control<QWidget>(form, fileList);
            const QSize before = files->size();
            QCOMPARE(before.width(), 200);
            selection.resize(size + QSize(400, 200));
            QTRY_VERIFY(files->width() >= before.width() + 150);
            QVERIFY(files->height() >= before.height() + 80);
            selection.resize(size - QSize(100, 100));
            QCOMPARE(selection.size(), size); // never smaller than its first size
        }
    }
};

QTEST_MAIN(TestGameWindow)
#include "test_game_window.moc"
