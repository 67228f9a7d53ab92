// Every replacement can be undone, through the real windows: SWITCH without a backup then
// restore, undo of the last SWITCH (a swap included), states read off the disk, a full disk
// while keeping an original, a damaged record moved aside, and a record that cannot be
// written, cannot be opened for a while, or is deleted under the running program.
#include "readers/backup_manifest.h"
#include "base/content_hash.h"
#include "base/work_progress.h"
#include "restore/midi_game.h"
#include "restore/replaced_files_model.h"
#include "ui/browser_pane.h"

#include <QComboBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QHeaderView>
#include <QUrl>
#include <QtTest>

#include <sys/mount.h>

using namespace sonaplex;
using namespace sonaplex::test;

class TestRestore : public MidiGame {
    Q_OBJECT

private slots:
    void init() { makeGame(); }
    void cleanup() { program.reset(); }

    // The list's model over thousands of folders: each row finds its folder and its file again,
    // in the order of their names (rows are answered as the view asks, so a wrong index shows
    // another file's name, or restores another file).
    void theListModelFindsEveryRowOfALongList()
    {
        std::vector<ReplacedFile> files;
        for (int folder = 2999; folder >= 0; --folder)
            for (const char* name : {"b.wav", "a.wav"})
                files.push_back({QStringLiteral("/games/g%1/%2").arg(folder, 4, 10, QLatin1Char('0')).arg(name)});
        ReplacedFilesModel model;
        std::vector<ReplacedFilesModel::Folder> folders = ReplacedFilesModel::arrange(files);
        model.reset(files, std::move(folders));
        QCOMPARE(model.rowCount(), 3000);
        for (int f : {0, 1, 1999, 2999}) {
            const QModelIndex folder = model.index(f, 0);
            QCOMPARE(folder.data().toString(), QStringLiteral("/games/g%1").arg(f, 4, 10, QLatin1Char('0')));
            QCOMPARE(model.rowCount(folder), 2);
            QVERIFY(!model.fileAt(folder));
            for (int r : {0, 1}) {
                const QModelIndex file = model.index(r, 2, folder);
                QCOMPARE(file.parent(), folder);
                QCOMPARE(model.folderOf(file), folder);
                QCOMPARE(model.fileAt(file)->gamePath, folder.data().toString() + (r ? "/b.wav" : "/a.wav"));
                QCOMPARE(model.index(r, 0, folder).data().toString(), QString(r ? "b.wav" : "a.wav"));
                QCOMPARE(model.rowCount(file), 0);
            }
        }
    }

    void aSwitchWithoutBackupIsRestoredByteForByte()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        QCOMPARE(readAll(gameFile(1)), song(1));
        inRestore([&] {
            QCOMPARE(state(gameFile(1)), QStringLiteral("replaced"));
            QCOMPARE(cell(row(gameFile(1)), 1), QStringLiteral("song1.mid"));
            QVERIFY(!row(gameFile(3)).isValid());
            // The folder row stands for both files.
            select(row(gameFile(1)).parent());
            click("FrmRestore", "CmdRestoreSelected");
            QCOMPARE(state(gameFile(1)), QStringLiteral("original"));
            QCOMPARE(state(gameFile(2)), QStringLiteral("original"));
        });
        QCOMPARE(readAll(gameFile(1)), original(1));
        QCOMPARE(readAll(gameFile(2)), original(2));
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Restore"));
        // The restore is itself undone like a SWITCH.
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(1)), song(1));
        QCOMPARE(readAll(gameFile(2)), song(2));
    }

    void undoTakesBackTheLastSwitchSwapsIncluded()
    {
        switchWith({{gameFile(1), myFile(1)}});
        const QByteArray between1 = readAll(gameFile(1)), between2 = readAll(gameFile(2));
        // The second SWITCH swaps two game files.
        switchWith({{gameFile(1), gameFile(2)}, {gameFile(2), gameFile(1)}});
        QCOMPARE(readAll(gameFile(1)), between2);
        QCOMPARE(readAll(gameFile(2)), between1);
        // What the record remembers of each path is what it holds, the swap notwithstanding.
        for (int n : {1, 2}) {
            const QString known = program->forms().record()->knownHash(gameFile(n));
            QVERIFY(known.isEmpty() || known == contentHash(gameFile(n)).hash);
        }
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(1)), between1);
        QCOMPARE(readAll(gameFile(2)), between2);
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(1)), original(1));
        program->messages.clear();
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(program->messages.lastText(), QStringLiteral("There is no SWITCH to undo."));
    }

    // What the window says follows what happened: the source of what a file holds after an
    // undo, files back to their originals not counted as replaced, an undone restore called a
    // restore, and times shown whole.
    void theRestoreWindowSaysWhatIsTrue()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        switchWith({{gameFile(1), myFile(3)}});
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(1)), song(1));
        program->messages.clear();
        inRestore([&] {
            QCOMPARE(cell(row(gameFile(1)), 1), QStringLiteral("song1.mid"));
            QVERIFY(list()->header()->sectionSize(2) >= list()->fontMetrics().horizontalAdvance(cell(row(gameFile(1)), 2)));
            select(row(gameFile(2)));
            click("FrmRestore", "CmdRestoreSelected");
            QCOMPARE(text("FrmRestore", "LblRestoreSummary"), QStringLiteral("1 replaced game file(s) in 1 folder(s)."));
            click("FrmRestore", "CmdUndoLastSwitch");
        });
        QCOMPARE(readAll(gameFile(2)), song(2));
        QVERIFY2(program->messages.lastText().startsWith("The last restore was undone"),
            qPrintable(program->messages.lastText()));
    }

    void readingTheGameFilesCanBeCancelled()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        QVERIFY(writeFile(gameFile(2), "changed by an update")); // to be read again
        WorkProgress progress;
        progress.setOffloader([&](const std::function<void()>& stretch) {
            progress.cancel(); // as the progress window's Cancel, before the reading starts
            stretch();
        });
        const std::vector<ReplacedFile> files = program->forms().record()->replacedFiles(&progress);
        QCOMPARE(files.size(), size_t(2));
        for (const ReplacedFile& f : files)
            QCOMPARE(f.state, GameFileState::NotRead);
    }

    void aMovedGameFolderIsRestoredIntoTheFolderTheUserPicks()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        const QString moved = disk.path() + "/Game (moved)";
        QVERIFY(QDir().rename(game, moved));
        QString asked;
        DesktopAnswers answers;
        answers.folder = [&](const QString& question) {
            asked = question;
            return moved;
        };
        inRestore([&] {
            QCOMPARE(state(gameFile(1)), QStringLiteral("missing"));
            select(row(gameFile(1)).parent());
            click("FrmRestore", "CmdRestoreSelected");
            QVERIFY(row(moved + "/TRACK1.MID").isValid()); // the record knows the files where they are now
        });
        QVERIFY2(asked.contains(game), qPrintable(asked));
        QCOMPARE(readAll(moved + "/TRACK1.MID"), original(1));
        QCOMPARE(readAll(moved + "/TRACK2.MID"), original(2));
        QVERIFY(!QFileInfo::exists(game));
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); }); // recorded like any restore
        QCOMPARE(readAll(moved + "/TRACK1.MID"), song(1));
    }

    void statesFollowWhatTheFilesHoldAndForgetFreesTheStore()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}, {gameFile(3), myFile(3)}});
        QVERIFY(writeFile(gameFile(1), "a game update wrote this")); // changed from outside
        QVERIFY(writeFile(gameFile(2), original(2))); // the game's repair put it back
        QVERIFY(QFile::remove(gameFile(3)));
        // The originals, and a copy of each replacement put in place.
        const QString store = program->path("Replacements/originals");
        QCOMPARE(QDir(store).entryList(QDir::Files).size(), 6);
        program->messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
        inRestore([&] {
            QCOMPARE(state(gameFile(1)), QStringLiteral("changed since"));
            QCOMPARE(state(gameFile(2)), QStringLiteral("original"));
            QCOMPARE(state(gameFile(3)), QStringLiteral("missing"));
            // A changed file is restored only when the user says so, and its newer content is kept.
            select(row(gameFile(1)));
            click("FrmRestore", "CmdRestoreSelected");
            QCOMPARE(state(gameFile(1)), QStringLiteral("original"));
            list()->clearSelection();
            select(row(gameFile(2)));
            click("FrmRestore", "CmdForget");
            QVERIFY(!row(gameFile(2)).isValid());
        });
        QCOMPARE(readAll(gameFile(1)), original(1));
        QVERIFY(program->messages.messages.front().text.contains(gameFile(1)));
        // Kept: originals and replacements of 1 and 3, and what 1 held before its restore; 2's
        // original and replacement are gone.
        QCOMPARE(QDir(store).entryList(QDir::Files).size(), 5);
        QVERIFY(!QFileInfo::exists(store + "/" + contentHash(myFile(2)).hash));
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(1)), QByteArray("a game update wrote this"));
    }

    // After a restore the store still keeps the replacement and the original: the window says
    // what the store takes and lets go of what only files back to their originals need.
    void freeSpaceLetsGoOfWhatOnlyRestoredFilesNeed()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        const QString store = program->path("Replacements/originals");
        QCOMPARE(QDir(store).entryList(QDir::Files).size(), 4);
        program->messages.answers = {MessageAnswer::Ok};
        QString before, after;
        inRestore([&] {
            select(row(gameFile(1)));
            click("FrmRestore", "CmdRestoreSelected");
            list()->clearSelection();
            before = text("FrmRestore", "LblKeptSpace");
            click("FrmRestore", "CmdFreeSpace");
            after = text("FrmRestore", "LblKeptSpace");
            QVERIFY(!row(gameFile(1)).isValid()); // forgotten
            QCOMPARE(state(gameFile(2)), "replaced");
        });
        QVERIFY2(before.contains("The originals and copies Sonaplex keeps take"), qPrintable(before));
        QVERIFY2(program->messages.lastText().contains("1 game file(s) hold their originals again"),
            qPrintable(program->messages.lastText()));
        QVERIFY(before != after);
        // Kept: file 2's original and replacement only.
        QCOMPARE(QDir(store).entryList(QDir::Files).size(), 2);
        QCOMPARE(readAll(gameFile(1)), original(1));
        // With nothing left to let go, it says so and forgets nothing.
        program->messages.clear();
        inRestore([&] { click("FrmRestore", "CmdFreeSpace"); });
        QVERIFY(program->messages.lastText().contains("nothing can be freed"));
        QCOMPARE(QDir(store).entryList(QDir::Files).size(), 2);
    }

    void anOriginalThatCannotBeKeptLeavesTheGameFileAlone()
    {
        // The program folder on a disk too small for the game file's original.
        program.reset();
        QTemporaryDir small;
        if (::mount("tmpfs", QFile::encodeName(small.path()).constData(), "tmpfs", 0, "size=512k") != 0)
            QSKIP("cannot mount a tmpfs here (needs root)");
        QVERIFY(writeFile(gameFile(1), QByteArray(1 << 20, 'o')));
        startProgram(small.path());
        click("frmSplash", "CmdEntermidi");
        MessageRecorder messages;
        auto* board = runningProgram()->load<FrmCopyMidi>().board();
        board->model().setGameFile(1, gameFile(1), "TRACK1.MID");
        board->model().setReplacementFile(1, myFile(1), "song1.mid");
        board->model().setGameFile(2, gameFile(2), "TRACK2.MID");
        board->model().setReplacementFile(2, myFile(2), "song2.mid");
        click("FrmCopyMidi", "CmdSwitch3");
        const QString report = messages.lastText();
        runningProgram()->endProgram();
        QTest::qWait(0);
        // Detached even while something of the program still has a file open there (a closing
        // record): a mount left behind would stay for the rest of the machine's life.
        ::umount2(QFile::encodeName(small.path()).constData(), MNT_DETACH);
        QVERIFY2(
            report.contains("Selection 1 (TRACK1.MID)") && report.contains("could not be kept"), qPrintable(report));
        QVERIFY2(!report.contains("Selection 2"), qPrintable(report));
        QVERIFY(!report.contains("Selection 2"));
        QCOMPARE(readAll(gameFile(1)), QByteArray(1 << 20, 'o'));
        QCOMPARE(readAll(gameFile(2)), song(2));
    }

    void aBackupSetIsPutBackInOneStep()
    {
        ReviewBoard* board = program->forms().load<FrmCopyMidi>().board();
        for (int n = 1; n <= 3; ++n)
            board->model().setGameFile(n, gameFile(n), QFileInfo(gameFile(n)).fileName());
        // Back up the three game files as "GameMidi", through the backup window and the naming.
        onModal("FrmMidiBackup", [] { click("FrmMidiBackup", "CmdProceed"); });
        onModal("FrmSetName2", [] {
            control<QComboBox>("FrmSetName2", "CboSetName2")->setEditText("GameMidi");
            onModal("FrmBackupConfirm", [] { click("FrmBackupConfirm", "CmdBackupConfirm"); });
            click("FrmSetName2", "CmdOK3");
        });
        click("FrmCopyMidi", "CmdMidiBackup");
        QVERIFY(QFileInfo::exists(program->path("GameMidi/TRACK2.MID")));
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}, {gameFile(3), myFile(3)}});
        QCOMPARE(readAll(gameFile(2)), song(2));

        // An old set without a manifest: the user says which folder it goes into.
        QDir().mkpath(program->path("OldSet"));
        QVERIFY(writeFile(program->path("OldSet/TRACK3.MID"), original(3)));
        QDir().mkpath(program->path("MySounds")); // a set of replacements: not a backup
        QVERIFY(writeFile(program->path("MySounds/TRACK3.MID"), song(3)));
        QVERIFY(writeReplacementSetNote(program->path("MySounds")).ok);
        DesktopAnswers answers;
        answers.folder = [&](const QString&) { return game; };
        program->messages.answers = {MessageAnswer::Ok, MessageAnswer::Ok};
        inRestore([] {
            auto* sets = control<QComboBox>("FrmRestore", "CboBackupSets");
            QCOMPARE(sets->count(), 2); // the program's own folders are not sets
            sets->setCurrentText("GameMidi");
            click("FrmRestore", "CmdRestoreSet");
            sets->setCurrentText("OldSet");
            click("FrmRestore", "CmdRestoreSet");
        });
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(gameFile(n)), original(n));
        // The older set is written only after every file and where it goes were shown.
        QVERIFY2(program->messages.messages[2].text.contains("older backup set")
                && program->messages.messages[2].text.contains(gameFile(3)),
            qPrintable(program->messages.messages[2].text));
        QVERIFY2(
            program->messages.messages.front().text.contains(gameFile(2)), qPrintable(program->messages.lastText()));
        // Restoring a set is undone like a SWITCH: the old set's file goes back first.
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(2)), song(2));
    }

    // A set is data a user may get from someone else: its manifest writes only game files of its
    // kind, never through a link, creates files only in folders Sonaplex has replaced files in,
    // and every target and every refused line is shown before anything is written.
    void aHandEditedManifestWritesNowhereElse()
    {
        switchWith({{gameFile(1), myFile(1)}});
        const QString other = disk.path() + "/Other";
        QDir().mkpath(other);
        QVERIFY(writeFile(other + "/notes.txt", "my notes"));
        QVERIFY(writeFile(other + "/real.mid", original(3)));
        QVERIFY(QFile::link(other + "/real.mid", game + "/link.mid"));
        const QString set = program->path("Hostile");
        QDir().mkpath(set);
        for (const char* name : {"a.mid", "b.mid", "c.mid", "d.mid", "e.mid", "f.sh"})
            QVERIFY(writeFile(set + "/" + name, song(2)));
        QByteArray manifest = "# Sonaplex backup set\n";
        for (const auto& [name, target] : std::initializer_list<std::pair<QString, QString>>{{"a.mid", gameFile(1)},
                 {"b.mid", other + "/notes.txt"}, {"f.sh", game + "/run.sh"}, {"../../x", game + "/x.mid"},
                 {"c.mid", game + "/NEW.MID"}, {"d.mid", game + "/link.mid"}, {"e.mid", other + "/NEW.MID"},
                 {"e.mid", game + "/../Other/real.mid"}})
            manifest += "0\t" + QUrl::toPercentEncoding(name, "/.") + "\t" + QUrl::toPercentEncoding(target, "/.") + "\n";
        QVERIFY(writeFile(set + "/.sonaplex-backup-set", manifest));
        program->messages.clear();
        program->messages.answers = {MessageAnswer::Ok};
        inRestore([] {
            control<QComboBox>("FrmRestore", "CboBackupSets")->setCurrentText("Hostile");
            click("FrmRestore", "CmdRestoreSet");
        });
        const QString shown = program->messages.messages.front().text;
        QVERIFY2(shown.contains(gameFile(1)) && shown.contains(game + "/NEW.MID   (new file)"), qPrintable(shown));
        for (const char* refused : {"notes.txt): only sound files", "run.sh): only sound files",
                 "../../x): its name in the set leaves", "link.mid): it is a symbolic link",
                 "Other/NEW.MID): no such file", "real.mid): not a plain absolute path"})
            QVERIFY2(shown.contains(refused), qPrintable(QString(refused) + "\n" + shown));
        QVERIFY2(program->messages.lastTitle() == "Restore", qPrintable(program->messages.lastText().replace("\n", " | ")));
        QCOMPARE(readAll(gameFile(1)), song(2));
        QCOMPARE(readAll(game + "/NEW.MID"), song(2));
        QCOMPARE(readAll(other + "/notes.txt"), QByteArray("my notes"));
        QCOMPARE(readAll(other + "/real.mid"), original(3));
        QVERIFY(!QFileInfo::exists(game + "/run.sh") && !QFileInfo::exists(other + "/NEW.MID"));
    }

    void replacedGameFilesAreMarkedInTheGamePane()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        QVERIFY(writeFile(gameFile(2), "changed by a game update"));
        click("FrmCopyMidi", "CmdExitFrmCopyMidi");
        auto* files = control<FileList>("FrmMidi", "FleMidi2");
        control<FolderList>("FrmMidi", "DirMidi2")->setPath(game);
        QTRY_VERIFY(!files->isListing());
        auto* model = static_cast<FileNameModel*>(files->model());
        QTRY_COMPARE(model->marks().size(), 2);
        QCOMPARE(model->marks().value("TRACK1.MID").state, GameFileState::Replaced);
        QVERIFY(model->marks().value("TRACK1.MID").note.contains("song1.mid"));
        QCOMPARE(model->marks().value("TRACK2.MID").state, GameFileState::ChangedSince);
        const QModelIndex row = model->index(int(model->names().indexOf("TRACK1.MID")));
        QVERIFY(!row.data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(row.data(Qt::ToolTipRole).toString().contains("Replaced by song1.mid"));
        const QModelIndex plain = model->index(int(model->names().indexOf("TRACK3.MID")));
        QVERIFY(plain.data(Qt::DecorationRole).isNull());
    }

    // Ends the program, keeping its folder for a restart (the caller removes it); with
    // `closeRecord`, the ended program's record is closed whole (no -wal or -shm beside it).
    QString endKeepingFolder(bool closeRecord = false)
    {
        const QString folder = program->folder.path();
        program->folder.setAutoRemove(false);
        program.reset();
        if (closeRecord) {
            QTemporaryDir elsewhere; // the ended program goes, and its record with it
            startProgram(elsewhere.path());
            runningProgram()->endProgram();
            QTest::qWait(0);
        }
        return folder;
    }
    // Starts the program again in the folder of `program` (kept), entering the music window.
    void restartIn(const QString& folder)
    {
        if (Forms* f = runningProgram())
            f->endProgram();
        QTest::qWait(0);
        startProgram(folder);
        click("frmSplash", "CmdEntermidi");
        runningProgram()->load<FrmCopyMidi>();
    }
    static QStringList listed()
    {
        QStringList paths;
        for (const QModelIndex& r : rows())
            if (r.parent().isValid())
                paths << r.data(Qt::ToolTipRole).toString();
        return paths;
    }

    void aRecordThatCannotBeWrittenStopsTheRunBeforeAnyRename()
    {
        switchWith({{gameFile(1), myFile(1)}});
        const QString wal = program->path("Replacements/record.sqlite-wal");
        QVERIFY(QFileInfo::exists(wal));
        const int keptBefore = QDir(program->path("Replacements/originals")).entryList(QDir::Files).size();
        {
            Immutable locked(wal); // every write of the record fails from here
            REQUIRE_IMMUTABLE(locked);
            program->messages.clear();
            switchWith({{gameFile(1), myFile(2)}, {gameFile(2), myFile(2)}});
            const QString report = program->messages.lastText();
            QVERIFY2(report.startsWith("No game file was replaced:"), qPrintable(report));
            QVERIFY2(report.contains("Selection 1 (TRACK1.MID): not replaced, because the record of replacements "
                                     "could not be written"),
                qPrintable(report));
            QVERIFY2(report.contains("Selection 2 (TRACK2.MID)"), qPrintable(report));
        }
        QCOMPARE(readAll(gameFile(1)), song(1));
        QCOMPARE(readAll(gameFile(2)), original(2));
        // The originals this run kept went with it; undo takes back the SWITCH that happened.
        QCOMPARE(QDir(program->path("Replacements/originals")).entryList(QDir::Files).size(), keptBefore);
        inRestore([] { click("FrmRestore", "CmdUndoLastSwitch"); });
        QCOMPARE(readAll(gameFile(1)), original(1));
        QCOMPARE(readAll(gameFile(2)), original(2));
    }

    void anIntactRecordIsKeptWhileItCannotBeOpened()
    {
        switchWith({{gameFile(1), myFile(1)}});
        const QString folder = endKeepingFolder(true);
        const auto removeFolder = qScopeGuard([&] { QDir(folder).removeRecursively(); });
        QCOMPARE(QDir(folder + "/Replacements").entryList({"record.sqlite*"}), QStringList{"record.sqlite"});
        const QByteArray recordBytes = readAll(folder + "/Replacements/record.sqlite");
        MessageRecorder messages;
        {
            // The record's folder refuses the files SQLite opens beside the record.
            Immutable locked(folder + "/Replacements");
            REQUIRE_IMMUTABLE(locked);
            restartIn(folder);
            QTRY_COMPARE(messages.lastTitle(), QStringLiteral("Record of Replacements"));
            QVERIFY2(messages.lastText().contains("cannot be opened"), qPrintable(messages.lastText()));
            messages.clear();
            auto* board = runningProgram()->load<FrmCopyMidi>().board();
            board->model().setGameFile(1, gameFile(2), "TRACK2.MID");
            board->model().setReplacementFile(1, myFile(2), "song2.mid");
            click("FrmCopyMidi", "CmdSwitch3");
            QVERIFY2(messages.lastText().startsWith("No game file was replaced:"), qPrintable(messages.lastText()));
            QCOMPARE(readAll(gameFile(2)), original(2));
        }
        QCOMPARE(QDir(folder + "/Replacements").entryList({"record.sqlite.damaged-*"}).size(), 0);
        QCOMPARE(readAll(folder + "/Replacements/record.sqlite"), recordBytes);
        // Once it can be opened, the next SWITCH opens it and goes ahead; nothing earlier is lost.
        messages.clear();
        click("FrmCopyMidi", "CmdSwitch3");
        QVERIFY2(messages.messages.empty() || messages.lastTitle() != "Replacement Error", qPrintable(messages.lastText()));
        QCOMPARE(readAll(gameFile(2)), song(2));
        onModal("FrmRestore", [&] {
            QCOMPARE(listed(), (QStringList{gameFile(1), gameFile(2)}));
            click("FrmRestore", "CmdCloseRestore");
        });
        click("FrmCopyMidi", "CmdRestore");
        runningProgram()->endProgram();
        QTest::qWait(0);
    }

    void aRecordDeletedUnderTheProgramIsStartedAgainAtItsPath()
    {
        switchWith({{gameFile(1), myFile(1)}});
        const QString folder = program->folder.path();
        for (const char* name : {"record.sqlite", "record.sqlite-wal", "record.sqlite-shm"})
            QFile::remove(program->path(QStringLiteral("Replacements/") + name));
        program->messages.clear();
        switchWith({{gameFile(2), myFile(2)}});
        QCOMPARE(readAll(gameFile(2)), song(2));
        QCOMPARE(program->messages.messages.front().title, QStringLiteral("Record of Replacements"));
        QVERIFY2(program->messages.messages.front().text.contains("deleted or replaced"),
            qPrintable(program->messages.messages.front().text));
        // What was replaced after the deletion is in the record that lasts: after a restart too.
        QVERIFY(endKeepingFolder() == folder);
        const auto removeFolder = qScopeGuard([&] { QDir(folder).removeRecursively(); });
        MessageRecorder messages;
        restartIn(folder);
        onModal("FrmRestore", [&] {
            QCOMPARE(listed(), QStringList{gameFile(2)});
            click("FrmRestore", "CmdUndoLastSwitch");
            click("FrmRestore", "CmdCloseRestore");
        });
        click("FrmCopyMidi", "CmdRestore");
        QCOMPARE(readAll(gameFile(2)), original(2));
        runningProgram()->endProgram();
        QTest::qWait(0);
    }

    void leftoversOfAKilledRunAreRemovedAtStart()
    {
        const QString folder = endKeepingFolder();
        const auto removeFolder = qScopeGuard([&] { QDir(folder).removeRecursively(); });
        {
            // A run killed between naming its copy and the rename; a conversion killed midway.
            ReplacementRecord record(folder + "/Replacements");
            const qint64 run = record.beginRun("switch");
            QVERIFY(record.intend(run, gameFile(1), contentHash(gameFile(1)).hash, contentHash(myFile(1)).hash, myFile(1)) != 0);
        }
        QVERIFY(writeFile(game + "/.TRACK1.MID.sonaplex-Ab3dE9", song(1)));
        QVERIFY(writeFile(game + "/.TRACK2.MID.sonaplex-Zz9yX8", song(2))); // not of an unfinished run
        QVERIFY(QDir().mkpath(folder + "/Replacements/work/converting-999999999-abcdef"));
        QVERIFY(QDir().mkpath(folder + "/Converting-Q1w2E3"));
        QVERIFY(writeFile(folder + "/Converting-Q1w2E3/fx1.wav", "converted"));
        MessageRecorder messages;
        restartIn(folder);
        QVERIFY(runningProgram()->record()->isOpen());
        QVERIFY(!QFileInfo::exists(game + "/.TRACK1.MID.sonaplex-Ab3dE9"));
        QVERIFY(QFileInfo::exists(game + "/.TRACK2.MID.sonaplex-Zz9yX8"));
        QVERIFY(!QFileInfo::exists(folder + "/Replacements/work/converting-999999999-abcdef"));
        QVERIFY(!QFileInfo::exists(folder + "/Converting-Q1w2E3"));
        QCOMPARE(readAll(gameFile(1)), original(1));
        QVERIFY(runningProgram()->record()->lastRun().empty());
        runningProgram()->endProgram();
        QTest::qWait(0);
    }

    void aDamagedRecordKeepsWhatCanStillBeRead()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        const QString folder = endKeepingFolder(true);
        const auto removeFolder = qScopeGuard([&] { QDir(folder).removeRecursively(); });
        // One page damaged: the index of game paths, not the table of replacements.
        const QString file = folder + "/Replacements/record.sqlite";
        int page = 0, pageSize = 0;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "damage");
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("SELECT rootpage FROM sqlite_master WHERE name = 'entries_by_path'") && q.next());
            page = q.value(0).toInt();
            QVERIFY(q.exec("PRAGMA page_size") && q.next());
            pageSize = q.value(0).toInt();
        }
        QSqlDatabase::removeDatabase("damage");
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(qint64(page - 1) * pageSize));
        f.write(QByteArray(64, '\xEE'));
        f.close();
        MessageRecorder messages;
        restartIn(folder);
        QTRY_COMPARE(messages.lastTitle(), QStringLiteral("Record of Replacements"));
        QVERIFY2(messages.lastText().contains("2 replacement(s) that could still be read"), qPrintable(messages.lastText()));
        onModal("FrmRestore", [&] {
            QCOMPARE(listed(), (QStringList{gameFile(1), gameFile(2)}));
            select(list()->model()->index(0, 0));
            click("FrmRestore", "CmdRestoreSelected");
            click("FrmRestore", "CmdCloseRestore");
        });
        click("FrmCopyMidi", "CmdRestore");
        QCOMPARE(readAll(gameFile(1)), original(1));
        QCOMPARE(readAll(gameFile(2)), original(2));
        runningProgram()->endProgram();
        QTest::qWait(0);
    }

    void aDamagedRecordIsMovedAsideAndReported()
    {
        program.reset();
        QTemporaryDir folder;
        QDir().mkpath(folder.path() + "/Replacements");
        QVERIFY(writeFile(folder.path() + "/Replacements/record.sqlite", QByteArray(4096, 'x')));
        MessageRecorder messages;
        startProgram(folder.path());
        QTRY_COMPARE(messages.lastTitle(), QStringLiteral("Record of Replacements")); // once the window is up
        QVERIFY2(messages.lastText().contains("moved aside"), qPrintable(messages.lastText()));
        const QStringList aside
            = QDir(folder.path() + "/Replacements").entryList({"record.sqlite.damaged-*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readAll(folder.path() + "/Replacements/" + aside[0]), QByteArray(4096, 'x'));
        runningProgram()->endProgram();
        QTest::qWait(0);
    }
};

SONAPLEX_TEST_MAIN(TestRestore)
#include "test_restore.moc"
