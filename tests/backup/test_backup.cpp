// Backups of game files and saved sets, through their windows, on real folders: what the
// sets hold, every naming refusal, hostile names, failures named, abandoned namings.
#include "backup/frm_set_names.h"
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
            board->setGameFile(n, gameFile(n), QStringLiteral("fx%1.wav").arg(n));
    }
    QStringList filesIn(const QString& folder)
    {
        return QDir(program->path(folder)).entryList(QDir::Files | QDir::Hidden);
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
        QString confirmOk, QString* confirmation)
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
                if (!window(dialog) || !window(dialog)->isVisible())
                    return;
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
        for (size_t i = 1; i < program->messages.messages.size(); ++i) {
            QCOMPARE(program->messages.messages[i].text, QStringLiteral("Please select a set name not already in use"));
            QCOMPARE(program->messages.messages[i].title, QStringLiteral("Set Name Select"));
        }
        // Nothing replaced, nothing made outside, and the staging folder kept for next time.
        QCOMPARE(filesIn("OldWav"), QStringList{"keep.wav"});
        QVERIFY(QDir(program->path("EmptySet")).isEmpty());
        QCOMPARE(readAll(program->path("sonaplex")), QByteArray("the program"));
        QVERIFY(QDir(outside.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(disk.path() + "/x") && !QFileInfo::exists(program->folder.path() + "/../x"));
        QCOMPARE(filesIn("BackDir"), QStringList{"fx1.wav"});

        // An abandoned naming: the next backup goes into the same staging folder, and a name
        // made only of blanks is a name.
        select(wavs(), {2});
        wavs()->removeSelection(1);
        QCOMPARE(backUp("FrmCopyWavs", "CmdWavBackup", "FrmWavBackup", "CmdBackup1", {"   "}),
            QStringLiteral("Successful backup of all selected files."));
        QCOMPARE(filesIn("   "), (QStringList{"fx1.wav", "fx2.wav"}));
    }

    void failedCopiesAreNamedAndNotClaimed()
    {
        select(wavs(), {1, 2, 3});
        QDir().mkpath(disk.path() + "/Other");
        QVERIFY(writeFile(disk.path() + "/Other/fx1.wav", "another fx1"));
        wavs()->setGameFile(4, disk.path() + "/Other/fx1.wav", "fx1.wav"); // same name, other folder
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

    void savedSetHoldsReplacementsUnderGameNames()
    {
        QDir().mkpath(disk.path() + "/Mine");
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(writeFile(disk.path() + QStringLiteral("/Mine/new%1.wav").arg(n), "new " + QByteArray::number(n)));
            wavs()->setReplacementFile(
                n, disk.path() + QStringLiteral("/Mine/new%1.wav").arg(n), QStringLiteral("new%1.wav").arg(n));
        }
        select(wavs(), {1, 3, 4}); // 2 has no game file, 4 no replacement: neither goes in
        QDir(program->folder.path()).mkpath("TempDir");
        QVERIFY(writeFile(program->path("TempDir/left-over.wav"), "from an abandoned naming"));
        QCOMPARE(saveSet({"BJackcosmoset"}), QStringLiteral("Your set has been saved."));
        QCOMPARE(filesIn("BJackcosmoset"), (QStringList{"fx1.wav", "fx3.wav"}));
        QCOMPARE(readAll(program->path("BJackcosmoset/fx3.wav")), QByteArray("new 3"));
        QCOMPARE(readAll(gameFile(3)), original(3));
        QVERIFY(isShown("FrmCopyWavs") || window("FrmCopyWavs"));
        // The set name is then in use, for sets and backups alike.
        QCOMPARE(saveSet({"BJackcosmoset"}), QString());
        QCOMPARE(program->messages.lastText(), QStringLiteral("Please select a set name not already in use"));
        QCOMPARE(filesIn("BJackcosmoset"), (QStringList{"fx1.wav", "fx3.wav"}));
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
