// Backups of game files and saved sets, through their windows, on real folders: what the
// sets hold, every naming refusal, hostile names, failures named, abandoned namings.
#include "backup/frm_set_names.h"
#include "actions/backup_sets.h"
#include "base/files.h"
#include "actions/replacement.h"
#include "effects/frm_copy_wavs.h"
#include "music/frm_copy_midi.h"
#include "support.h"

#include <QComboBox>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestBackup : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game;

    QString gameFile(int n) { return game + QStringLiteral("/fx%1.wav").arg(n); }
    QByteArray original(int n) { return "original " + QByteArray::number(n); }
    ReviewBoard* wavs() { return program->forms().load<FrmCopyWavs>().board(); }
    ReviewBoard* midis() { return program->forms().load<FrmCopyMidi>().board(); }
    void select(ReviewBoard* board, std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            board->model().setGameFile(n, gameFile(n), QStringLiteral("fx%1.wav").arg(n));
    }
    QStringList filesIn(const QString& folder)
    {
        QStringList names = QDir(program->path(folder)).entryList(QDir::Files | QDir::Hidden);
        names.removeAll(manifestName());
        names.removeAll(replacementSetNoteName());
        return names;
    }

    // Backs up from a review window and answers the naming dialog with each name in turn;
    // returns the confirmation's text, or empty when naming ended without a set.
    QString backUp(const QString& review, const QString& backupButton, const QString& backupWindow,
        const QString& proceed, QStringList names)
    {
        QString confirmation;
        onModal(backupWindow, [=] { click(backupWindow, proceed); });
        answerNaming("FrmSetName2", "CboSetName2", "CmdOK3", names, "FrmBackupConfirm", "LblBackupConfirm",
            "CmdBackupConfirm", &confirmation);
        click(review, backupButton);
        return confirmation;
    }
    QString saveSet(QStringList names)
    {
        QString confirmation;
        answerNaming("FrmSetName", "CboSetName", "CmdOk3", names, "FrmSetConfirm", "LblSetConfirm", "CmdSetConfirm",
            &confirmation);
        click("FrmCopyWavs", "CmdCreateSet");
        return confirmation;
    }
    // Types each name and presses OK; a refused last name gives up with Esc.
    void answerNaming(QString dialog, QString box, QString ok, QStringList names, QString confirm, QString label,
        QString confirmOk, QString* confirmation, std::function<void()> then = {})
    {
        onModal(dialog, [=] {
            auto* combo = control<QComboBox>(dialog, box);
            QCOMPARE(combo->currentText(), QString()); // every naming starts empty
            for (const QString& name : names) {
                combo->setEditText(name);
                QPointer<QTimer> waiting = onModal(confirm, [=] {
                    *confirmation = text(confirm, label);
                    click(confirm, confirmOk);
                });
                click(dialog, ok); // returns once the confirmation, if any, is closed
                delete waiting.data();
                if (!window(dialog) || !window(dialog)->isVisible()) {
                    if (then)
                        then(); // the dialog is hidden: the next naming may be awaited
                    return;
                }
                QCOMPARE(combo->currentText(), name); // refused: the typed text stays
            }
            QTest::keyClick(window(dialog), Qt::Key_Escape);
        });
    }

private slots:
    void init()
    {
        QDir(disk.path()).removeRecursively();
        game = disk.path() + "/Game";
        QDir().mkpath(game);
        for (int n = 1; n <= 6; ++n)
            QVERIFY(writeFile(gameFile(n), original(n)));
        program = std::make_unique<Program>();
        program->enter();
    }
    void cleanup() { program.reset(); }

    void backupHoldsExactlyTheFilledSelections()
    {
        select(wavs(), {1, 2, 3, 5}); // 4 and 6 empty: 5 comes after a gap
        const QString done = backUp("FrmCopyWavs", "CmdWavBackup", "FrmWavBackup", "CmdBackup1", {"BJackWav"});
        QCOMPARE(done, QStringLiteral("Successful backup of all selected files."));
        QVERIFY(program->messages.messages.empty());
        QCOMPARE(filesIn("BJackWav"), (QStringList{"fx1.wav", "fx2.wav", "fx3.wav", "fx5.wav"}));
        for (int n : {1, 2, 3, 5})
            QCOMPARE(readAll(program->path(QStringLiteral("BJackWav/fx%1.wav").arg(n))), original(n));
        QVERIFY(!QFileInfo::exists(program->path("BackDir")));
        QVERIFY(!window("FrmWavBackup"));
        QVERIFY(window("FrmSetName2") && !window("FrmSetName2")->isVisible()); // hidden, kept

        // The music side is the same machinery over three selections; the next naming starts empty.
        select(midis(), {2});
        QCOMPARE(backUp("FrmCopyMidi", "CmdMidiBackup", "FrmMidiBackup", "CmdProceed", {"BJackMidi"}),
            QStringLiteral("Successful backup of all selected files."));
        QCOMPARE(filesIn("BJackMidi"), QStringList{"fx2.wav"});
    }

    void namesInUseAndHostileNamesAreRefused()
    {
        QDir(program->folder.path()).mkpath("OldWav");
        QVERIFY(writeFile(program->path("OldWav/keep.wav"), "keep"));
        QDir(program->folder.path()).mkpath("EmptySet");
        QDir(program->folder.path()).mkpath("TempDir");
        QVERIFY(writeFile(program->path("sonaplex"), "the program"));
        QTemporaryDir outside;
        select(wavs(), {1});
        const QStringList refused{"OldWav", "EmptySet", "TempDir", "BackDir", "Favorite Midi", "sonaplex", "../x",
            "a/b", outside.path() + "/x", ".", "..", "two\nlines", "back\\slash"};
        QCOMPARE(
            backUp("FrmCopyWavs", "CmdWavBackup", "FrmWavBackup", "CmdBackup1", QStringList{""} + refused), QString());
        QCOMPARE(program->messages.messages.size(), size_t(refused.size() + 1));
        QCOMPARE(program->messages.messages.front().text, QStringLiteral("Please Enter a Set Name"));
        // Names in use are refused as such; names that are no plain folder name say what is wrong.
        for (size_t i = 1; i < program->messages.messages.size(); ++i) {
            const QString name = refused[int(i) - 1], said = program->messages.messages[i].text;
            QCOMPARE(program->messages.messages[i].title, QStringLiteral("Set Name Select"));
            if (isPlainName(name))
                QCOMPARE(said, QStringLiteral("Please select a set name not already in use"));
            else
                QVERIFY2(
                    said.startsWith(nameProblem(name)) && !said.contains("in use"), qPrintable(name + ": " + said));
        }
        // Nothing replaced, nothing made outside, and the staging folder kept for next time.
        QCOMPARE(filesIn("OldWav"), QStringList{"keep.wav"});
        QVERIFY(QDir(program->path("EmptySet")).isEmpty());
        QCOMPARE(readAll(program->path("sonaplex")), QByteArray("the program"));
        QVERIFY(QDir(outside.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(disk.path() + "/x") && !QFileInfo::exists(program->folder.path() + "/../x"));
        QCOMPARE(filesIn("BackDir"), QStringList{"fx1.wav"});
    }

    void filesOfAnUnnamedBackupAreNeverMixedIn()
    {
        // A backup whose naming was given up (Esc) leaves its files in BackDir.
        select(midis(), {1});
        QCOMPARE(backUp("FrmCopyMidi", "CmdMidiBackup", "FrmMidiBackup", "CmdProceed", {}), QString());
        QCOMPARE(filesIn("BackDir"), QStringList{"fx1.wav"});

        // The next backup asks; "Name Them" names those first (a name of blanks is a name),
        // then the new backup is named on its own.
        select(wavs(), {2, 3});
        program->messages.answers = {MessageAnswer::Keep};
        QString second;
        onModal("FrmWavBackup", [=] { click("FrmWavBackup", "CmdBackup1"); });
        answerNaming("FrmSetName2", "CboSetName2", "CmdOK3", {"   "}, "FrmBackupConfirm", "LblBackupConfirm",
            "CmdBackupConfirm", &second, [&] {
                answerNaming("FrmSetName2", "CboSetName2", "CmdOK3", {"BJackWav"}, "FrmBackupConfirm",
                    "LblBackupConfirm", "CmdBackupConfirm", &second);
            });
        click("FrmCopyWavs", "CmdWavBackup");
        QCOMPARE(program->messages.messages.size(), size_t(1));
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Unnamed Backup"));
        QVERIFY2(program->messages.lastText().contains("fx1.wav"), qPrintable(program->messages.lastText()));
        QCOMPARE(second, QStringLiteral("Successful backup of all selected files."));
        QCOMPARE(filesIn("   "), QStringList{"fx1.wav"});
        QCOMPARE(filesIn("BJackWav"), (QStringList{"fx2.wav", "fx3.wav"}));

        // "Discard" empties BackDir first: the set holds only what was chosen now.
        QCOMPARE(backUp("FrmCopyMidi", "CmdMidiBackup", "FrmMidiBackup", "CmdProceed", {}), QString());
        program->messages.clear();
        program->messages.answers = {MessageAnswer::Discard};
        QCOMPARE(backUp("FrmCopyWavs", "CmdWavBackup", "FrmWavBackup", "CmdBackup1", {"Fresh"}),
            QStringLiteral("Successful backup of all selected files."));
        QCOMPARE(filesIn("Fresh"), (QStringList{"fx2.wav", "fx3.wav"}));

        // A backup of nothing says so and names no set.
        for (int n = 1; n <= 6; ++n)
            wavs()->removeSelection(n);
        program->messages.clear();
        QCOMPARE(backUp("FrmCopyWavs", "CmdWavBackup", "FrmWavBackup", "CmdBackup1", {"Nothing"}), QString());
        QCOMPARE(program->messages.lastText(),
            QStringLiteral("No game files are selected, so there is nothing to back up."));
        QVERIFY(!QFileInfo::exists(program->path("Nothing")));
        QVERIFY(!window("FrmWavBackup"));
    }

    void namingFailuresNameTheirRealCause()
    {
        select(wavs(), {1});
        auto& naming = program->forms().load<FrmSetName2>();
        auto name = [&](const QString& typed) {
            naming.nameBox()->setEditText(typed);
            program->messages.clear();
            naming.CmdOk3_Click();
            return program->messages.lastText();
        };
        // The staging folder has gone.
        QVERIFY(name("Lost").contains("no longer exists"));
        // The program folder cannot be changed.
        QDir(program->folder.path()).mkpath("BackDir");
        QVERIFY(writeFile(program->path("BackDir/fx1.wav"), "x"));
        {
            Immutable lock(program->folder.path());
            REQUIRE_IMMUTABLE(lock);
            const QString said = name("Locked");
            QVERIFY2(said.contains("cannot be changed"), qPrintable(said));
        }
        QCOMPARE(filesIn("BackDir"), QStringList{"fx1.wav"});
    }

    void aProgramFolderThatCannotBeWrittenIsSaidOnceUpFront()
    {
        select(wavs(), {1, 2});
        Immutable lock(program->folder.path());
        REQUIRE_IMMUTABLE(lock);
        onModal("FrmWavBackup", [] {
            click("FrmWavBackup", "CmdBackup1");
            click("FrmWavBackup", "CmdClose1");
        });
        click("FrmCopyWavs", "CmdWavBackup");
        QCOMPARE(program->messages.messages.size(), size_t(1));
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Backup Error"));
        QVERIFY2(program->messages.lastText().contains(program->folder.path())
                && program->messages.lastText().contains("cannot be written"),
            qPrintable(program->messages.lastText()));
        QVERIFY(!QFileInfo::exists(program->path("BackDir")));
    }

    void failedCopiesAreNamedAndNotClaimed()
    {
        select(wavs(), {1, 2, 3});
        QDir().mkpath(disk.path() + "/Other");
        QVERIFY(writeFile(disk.path() + "/Other/fx1.wav", "another fx1"));
        wavs()->model().setGameFile(4, disk.path() + "/Other/fx1.wav", "fx1.wav"); // same name, other folder
        QVERIFY(QFile::remove(gameFile(2)));
        const QString done = backUp("FrmCopyWavs", "CmdWavBackup", "FrmWavBackup", "CmdBackup1", {"Partial"});
        const QString report = program->messages.lastText();
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Backup Error"));
        QVERIFY2(
            report.contains("Selection 2 (fx2.wav)") && report.contains("Selection 4 (fx1.wav)"), qPrintable(report));
        QVERIFY(!report.contains("Selection 1 (") && !report.contains("Selection 3 ("));
        QVERIFY(done != QStringLiteral("Successful backup of all selected files.") && !done.isEmpty());
        QCOMPARE(filesIn("Partial"), (QStringList{"fx1.wav", "fx3.wav"}));
        QCOMPARE(readAll(program->path("Partial/fx1.wav")), original(1)); // the first of the name stays
    }

    // A backup of originals holds originals: a game file Sonaplex replaced is backed up from the
    // original it kept, one an update changed since is backed up as it is, and both are said.
    // Files chosen with their folders in the game keep them, in backups and sets alike.
    void backupsHoldOriginalsAndKeepTheFilesFolders()
    {
        QDir().mkpath(game + "/sfx");
        const QString deep = game + "/sfx/fx7.wav";
        QVERIFY(writeFile(deep, "original 7"));
        QDir().mkpath(disk.path() + "/Mine");
        const QString mine = disk.path() + "/Mine/mine.wav";
        QVERIFY(writeFile(mine, "my sound"));
        QVERIFY(replaceGameFiles({{gameFile(1), "fx1.wav", mine, "mine.wav"}, {gameFile(2), "fx2.wav", mine, "mine.wav"}},
            {}, program->forms().record())
                    .ok());
        QVERIFY(writeFile(gameFile(2), "a game update")); // changed since
        select(wavs(), {1, 2});
        wavs()->model().setGameFile(3, deep, "sfx/fx7.wav"); // from "Sounds of this game"
        QString notes;
        onModal("FrmWavBackup", [=] {
            QVERIFY(text("FrmWavBackup", "LblKeptAnyway").contains("Sonaplex also keeps every original it replaces"));
            click("FrmWavBackup", "CmdBackup1");
        });
        answerNaming("FrmSetName2", "CboSetName2", "CmdOK3", {"Originals"}, "FrmBackupConfirm", "LblBackupNotes",
            "CmdBackupConfirm", &notes);
        click("FrmCopyWavs", "CmdWavBackup");
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        QVERIFY2(notes.contains("fx1.wav: the original Sonaplex kept, not the current replacement"), qPrintable(notes));
        QVERIFY2(notes.contains("fx2.wav: as it is now; it was changed since"), qPrintable(notes));
        QVERIFY(!notes.contains("fx7"));
        QCOMPARE(readAll(program->path("Originals/fx1.wav")), original(1));
        QCOMPARE(readAll(program->path("Originals/fx2.wav")), QByteArray("a game update"));
        QCOMPARE(readAll(program->path("Originals/sfx/fx7.wav")), QByteArray("original 7"));
        // The set puts each file back where it came from, the deep one into its folder.
        const SetPlan plan = planSetRestore(program->forms().record(), program->path("Originals"));
        QVERIFY(plan.refused.empty());
        QStringList targets;
        for (const SetTarget& t : plan.targets)
            targets << t.gamePath;
        QCOMPARE(targets, (QStringList{gameFile(1), gameFile(2), deep}));

        // A saved set keeps the deep file's folders too.
        wavs()->model().setReplacementFile(3, mine, "mine.wav");
        QCOMPARE(saveSet({"Deep"}), QStringLiteral("Your set has been saved."));
        QCOMPARE(readAll(program->path("Deep/sfx/fx7.wav")), QByteArray("my sound"));

        // A backup of which no file could be copied is neither named nor saved.
        for (int n = 1; n <= 6; ++n)
            wavs()->removeSelection(n);
        select(wavs(), {4});
        QVERIFY(QFile::remove(gameFile(4)));
        program->messages.clear();
        onModal("FrmWavBackup", [=] {
            click("FrmWavBackup", "CmdBackup1");
            click("FrmWavBackup", "CmdClose1");
        });
        QPointer<QTimer> naming = onModal("FrmSetName2", [] { QFAIL("a backup of no file was offered for naming"); });
        click("FrmCopyWavs", "CmdWavBackup");
        delete naming.data();
        QCOMPARE(program->messages.lastText(), QStringLiteral("No file was backed up, so no backup set was saved."));
        QVERIFY(QDir(program->path("BackDir")).isEmpty());
    }

    void savedSetHoldsReplacementsUnderGameNames()
    {
        QDir().mkpath(disk.path() + "/Mine");
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(writeFile(disk.path() + QStringLiteral("/Mine/new%1.wav").arg(n), "new " + QByteArray::number(n)));
            wavs()->model().setReplacementFile(
                n, disk.path() + QStringLiteral("/Mine/new%1.wav").arg(n), QStringLiteral("new%1.wav").arg(n));
        }
        select(wavs(), {1, 3, 4}); // 2 has no game file, 4 no replacement: neither goes in
        QDir(program->folder.path()).mkpath("TempDir");
        QVERIFY(writeFile(program->path("TempDir/left-over.wav"), "from an abandoned naming"));
        program->messages.answers = {MessageAnswer::Discard}; // asked first, not dropped unasked
        QCOMPARE(saveSet({"BJackcosmoset"}), QStringLiteral("Your set has been saved."));
        QCOMPARE(program->messages.messages.front().title, QStringLiteral("Unnamed Set"));
        QCOMPARE(filesIn("BJackcosmoset"), (QStringList{"fx1.wav", "fx3.wav"}));
        QVERIFY(isReplacementSet(program->path("BJackcosmoset"))); // never offered as a backup
        QCOMPARE(readAll(program->path("BJackcosmoset/fx3.wav")), QByteArray("new 3"));
        QCOMPARE(readAll(gameFile(3)), original(3));
        QVERIFY(isShown("FrmCopyWavs") || window("FrmCopyWavs"));
        // The set name is then in use, for sets and backups alike.
        QCOMPARE(saveSet({"BJackcosmoset"}), QString());
        QCOMPARE(program->messages.lastText(), QStringLiteral("Please select a set name not already in use"));
        // That naming was given up: its files wait in TempDir for the next set to ask about.
        QCOMPARE(filesIn("TempDir"), (QStringList{"fx1.wav", "fx3.wav"}));
        QCOMPARE(filesIn("BJackcosmoset"), (QStringList{"fx1.wav", "fx3.wav"}));
    }
};

SONAPLEX_TEST_MAIN(TestBackup)
#include "test_backup.moc"
