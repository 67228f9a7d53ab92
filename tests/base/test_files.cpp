// Copy-replace, folder creation and no-replace renames against real files.
#include "base/content_hash.h"
#include "base/files.h"
#include "base/original_store.h"
#include "base/kill_trial.h"
#include "file_support.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace sonaplex;
using namespace sonaplex::test;

class TestFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) { return dir.path() + QLatin1Char('/') + name; }
    QStringList leftovers()
    {
        return QDir(dir.path())
            .entryList(QDir::Files | QDir::Hidden | QDir::System)
            .filter(QStringLiteral(".sonaplex-"));
    }

private slots:
    void copyReplacesWholeFileAndKeepsPermissions()
    {
        QVERIFY(writeFile(at("new.mid"), QByteArray(3 << 20, 'n')));
        QVERIFY(writeFile(at("game.mid"), "old"));
        QVERIFY(QFile::setPermissions(at("game.mid"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const auto before = QFileInfo(at("game.mid")).permissions();
        const FileResult r = copyReplace(at("new.mid"), at("game.mid"));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(readAll(at("game.mid")), QByteArray(3 << 20, 'n'));
        QCOMPARE(readAll(at("new.mid")), QByteArray(3 << 20, 'n'));
        QCOMPARE(QFileInfo(at("game.mid")).permissions(), before);
        QVERIFY(!(before & QFile::ReadOther));
        QVERIFY(leftovers().isEmpty());
    }

    void copyCreatesMissingDestinationAndOntoItselfIsANoOp()
    {
        QVERIFY(writeFile(at("a.wav"), "sound"));
        QVERIFY(copyReplace(at("a.wav"), at("fresh.wav")).ok);
        QCOMPARE(readAll(at("fresh.wav")), QByteArray("sound"));
        // The same file, also when reached by another spelling of its path.
        QVERIFY(copyReplace(at("a.wav"), dir.path() + QStringLiteral("//./a.wav")).ok);
        QCOMPARE(readAll(at("a.wav")), QByteArray("sound"));
    }

    void aHashedCopyHashesWhatItWrote()
    {
        // Big enough to be copied and started writing in several pieces, with no two alike.
        QByteArray data(40 << 20, '\0');
        for (int i = 0; i < data.size(); i += 4)
            *reinterpret_cast<quint32*>(data.data() + i) = quint32(i) * 2654435761u;
        QVERIFY(writeFile(at("big.wav"), data));
        QVERIFY(writeFile(at("target.wav"), "old"));
        const QString expected = contentHash(at("big.wav")).hash;
        for (const char* destination : {"target.wav", "big.wav"}) { // a copy, and a copy onto itself
            PendingCopy copy;
            ContentHasher hasher;
            QVERIFY(copy.prepare(at("big.wav"), at(destination), &hasher).ok);
            QVERIFY(copy.commit().ok);
            QCOMPARE(hasher.digest(), expected);
        }
        QCOMPARE(readAll(at("target.wav")), data);
    }

    void copyFailuresLeaveTheDestinationAsItWas()
    {
        QVERIFY(writeFile(at("src.wav"), "replacement"));
        QVERIFY(writeFile(at("locked.wav"), "original"));

        // Missing source, empty paths, a folder that is gone, a path through a regular file.
        FileResult r = copyReplace(at("gone.wav"), at("locked.wav"));
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(QStringLiteral("gone.wav")));
        QVERIFY(!copyReplace(QString(), at("locked.wav")).ok);
        QVERIFY(!copyReplace(at("src.wav"), QString()).ok);
        QVERIFY(!copyReplace(at("src.wav"), at("no-such-folder/x.wav")).ok);
        QVERIFY(!copyReplace(at("src.wav"), at("src.wav/x.wav")).ok);

        Immutable lock(at("locked.wav"));
        REQUIRE_IMMUTABLE(lock);
        r = copyReplace(at("src.wav"), at("locked.wav"));
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("locked.wav")), qPrintable(r.error));
        QCOMPARE(readAll(at("locked.wav")), QByteArray("original"));
        QVERIFY(leftovers().isEmpty());
    }

    void fullDiskLeavesTheGameFileWhole()
    {
        QTemporaryDir mountPoint;
        if (::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP("cannot mount a tmpfs here (needs root)");
        const QString game = mountPoint.path() + QStringLiteral("/game.wav");
        QVERIFY(writeFile(game, QByteArray(100 << 10, 'o')));
        QVERIFY(writeFile(at("big.wav"), QByteArray(400 << 10, 'b')));
        const FileResult r = copyReplace(at("big.wav"), game);
        const QByteArray after = readAll(game);
        const QStringList rest = QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden);
        ::umount(QFile::encodeName(mountPoint.path()).constData());
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("space")), qPrintable(r.error));
        QCOMPARE(after, QByteArray(100 << 10, 'o'));
        QCOMPARE(rest, QStringList{QStringLiteral("game.wav")});
    }

    void renameNeverReplacesAnything()
    {
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("BackDir")));
        QVERIFY(writeFile(at("BackDir/a.wav"), "a"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("emptyset")));
        QVERIFY(writeFile(at("afile"), "f"));

        QVERIFY(!renameNoReplace(at("BackDir"), at("emptyset")).ok);
        QVERIFY(!renameNoReplace(at("BackDir"), at("afile")).ok);
        QVERIFY(QFileInfo(at("BackDir/a.wav")).exists());
        QVERIFY(QDir(at("emptyset")).isEmpty());
        QCOMPARE(readAll(at("afile")), QByteArray("f"));

        QVERIFY(renameNoReplace(at("BackDir"), at("MySet")).ok);
        QVERIFY(QFileInfo(at("MySet/a.wav")).exists());
    }

    void createFolderSucceedsWhenItExists()
    {
        QVERIFY(createFolder(at("Favorite Midi")).ok);
        QVERIFY(createFolder(at("Favorite Midi")).ok);
        QVERIFY(writeFile(at("plainfile"), "x"));
        QVERIFY(!createFolder(at("plainfile")).ok);
    }

    void programFolderIsPerUserUnlessPortable()
    {
        // Beside the executable only for a portable copy; never the build or install folder.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("bin")));
        QStandardPaths::setTestModeEnabled(true);
        const QString perUser = resolveProgramFolder(at("bin"));
        QVERIFY(perUser != at("bin"));
        QCOMPARE(perUser, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QVERIFY(QFileInfo(perUser).isDir());
        QVERIFY(writeFile(at("bin/portable"), ""));
        QCOMPARE(resolveProgramFolder(at("bin")), at("bin"));
    }

    void failuresCarryTheirCause()
    {
        QVERIFY(writeFile(at("src.wav"), "s"));
        QCOMPARE(copyReplace(at("missing.wav"), at("x.wav")).cause, FileCause::NotFound);
        QCOMPARE(copyReplace(at("src.wav"), at("src.wav/x.wav")).cause, FileCause::NotAFile);
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("taken")));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("staging")));
        QVERIFY(writeFile(at("staging/a.wav"), "a"));
        QCOMPARE(renameNoReplace(at("staging"), at("taken")).cause, FileCause::Exists);
        QCOMPARE(renameNoReplace(at("gone"), at("new")).cause, FileCause::NotFound);
        Immutable lock(dir.path());
        REQUIRE_IMMUTABLE(lock);
        QCOMPARE(renameNoReplace(at("staging"), at("new")).cause, FileCause::ReadOnly);
        QCOMPARE(copyReplace(at("src.wav"), at("fresh.wav")).cause, FileCause::ReadOnly);
    }

    void setNamesSayWhatIsWrong()
    {
        for (const QString& bad : {QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                 QStringLiteral("back\\slash"), QStringLiteral("two\nlines"), QString()})
            QVERIFY2(!nameProblem(bad).isEmpty(), qPrintable(bad));
        QVERIFY(nameProblem(QStringLiteral("a/b")).contains(QStringLiteral("\"/\"")));
        QVERIFY(nameProblem(QStringLiteral("..")).contains(QStringLiteral("\"..\"")));
        for (const QString& good : {QStringLiteral("   "), QStringLiteral("BlackJackWav"), QStringLiteral("..."),
                 QStringLiteral("a.b"), QString::fromUtf8("Musique d'été")})
            QVERIFY2(nameProblem(good).isEmpty(), qPrintable(good));
    }

    void aKilledCopyLeavesOnlyTheOldOrTheNewFile()
    {
        // A copy big enough to be caught half-way, killed at different moments.
        const QByteArray old(64 << 10, 'o');
        QVERIFY(writeFile(at("big.wav"), QByteArray(64 << 20, 'n')));
        int caughtMidway = 0;
        for (int trial = 0; trial < 12; ++trial) {
            QVERIFY(writeFile(at("game.wav"), old));
            const pid_t child = ::fork();
            if (child == 0) {
                copyReplace(at("big.wav"), at("game.wav"));
                ::_exit(0);
            }
            QTest::qSleep(5 + 15 * trial);
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            const qint64 size = QFileInfo(at("game.wav")).size();
            QVERIFY2(size == old.size() || size == (64 << 20), qPrintable(QString::number(size)));
            caughtMidway += size == old.size();
            // A kill between naming the finished copy and renaming it over the game file leaves
            // that copy under a temporary name of ours, and nothing else: the next copy of the
            // file clears it.
            const QStringList left = leftovers();
            QVERIFY2(left.isEmpty() || (left.size() == 1 && left[0].startsWith(QStringLiteral(".game.wav.sonaplex-"))),
                qPrintable(left.join(", ")));
            if (!left.isEmpty())
                QVERIFY(copyReplace(at("big.wav"), at("game.wav")).ok);
            QVERIFY2(leftovers().isEmpty(), qPrintable(leftovers().join(", ")));
        }
        QVERIFY(caughtMidway > 0);
        QVERIFY(QFile::remove(at("big.wav")));
    }

    void aKilledRecordedSwitchLeavesEverythingRestorable()
    {
        // A few trials here; bench/kill_switch runs many. Staged as a short run is, and as a
        // run of thousands is (copies parked by name, one syncfs).
        for (const StagingLimits staging : {StagingLimits{}, StagingLimits{1, 2}}) {
            KillTrial trial{at("kill")};
            trial.staging = staging;
            for (int killAfter : {2, 15, 40, 90, 400}) {
                const QString fault = trial.run(killAfter);
                QVERIFY2(fault.isEmpty(),
                    qPrintable(QStringLiteral("killed after %1 ms, %2 open: %3").arg(killAfter).arg(staging.openCopies).arg(fault)));
            }
        }
    }

    // What a SWITCH of many files put in place is kept, every copy, with far fewer files open
    // than copies: the store stages them as a run does.
    void manyCopiesAreKeptUnderALowOpenFileLimit()
    {
        QDir().mkpath(at("many"));
        std::vector<std::pair<QString, QString>> files;
        for (int n = 0; n < 300; ++n) {
            const QByteArray bytes = "copy " + QByteArray::number(n);
            QVERIFY(writeFile(at(QStringLiteral("many/%1.wav").arg(n)), bytes));
            files.emplace_back(at(QStringLiteral("many/%1.wav").arg(n)), contentHash(at(QStringLiteral("many/%1.wav").arg(n))).hash);
        }
        struct rlimit before {};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &before) == 0);
        struct rlimit low = before;
        low.rlim_cur = 128;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &low) == 0);
        const OriginalStore store(at("store"));
        const std::vector<FileResult> kept = store.keepCopies(files);
        ::setrlimit(RLIMIT_NOFILE, &before);
        for (size_t i = 0; i < files.size(); ++i) {
            QVERIFY2(kept[i], qPrintable(kept[i].error));
            QCOMPARE(contentHash(store.pathOf(files[i].second)).hash, files[i].second);
        }
    }

    // What the kept contents take is remembered between listings, and never outlives a content
    // kept or dropped since.
    void theStoresSizeFollowsWhatItKeeps()
    {
        const OriginalStore store(at("sized"));
        QVERIFY(writeFile(at("a.wav"), QByteArray(1000, 'a')) && writeFile(at("b.wav"), QByteArray(300, 'b')));
        const QString a = contentHash(at("a.wav")).hash, b = contentHash(at("b.wav")).hash;
        QVERIFY(store.keep(at("a.wav"), a));
        QCOMPARE(store.bytes(), 1000);
        QVERIFY(!QFile::exists(at("sized.size"))); // a list this fresh may change within its time step
        QTest::qSleep(2100);
        QCOMPARE(store.bytes(), 1000);
        QVERIFY(QFile::exists(at("sized.size")));
        QCOMPARE(store.bytes(), 1000); // from what was remembered
        QVERIFY(store.keep(at("b.wav"), b)); // at once: the time has moved on since
        QCOMPARE(store.bytes(), 1300);
        store.drop(a);
        QCOMPARE(store.bytes(), 300);
        // A note that says something else of the same list is not what decides: a changed list is.
        QVERIFY(writeFile(at("sized.size"), "not a stamp\n99"));
        QCOMPARE(store.bytes(), 300);
    }

    void staleTemporariesOfAFileAreCleared()
    {
        // What a kill between naming a copy and renaming it left: ours, removed by the next copy.
        QVERIFY(writeFile(at("fx.wav"), "old"));
        QVERIFY(writeFile(at("new.wav"), "new"));
        QVERIFY(writeFile(at(".fx.wav.sonaplex-Ab12Cd"), "half"));
        QVERIFY(writeFile(at(".fx.wav.sonaplex-notours"), "someone else's"));
        QVERIFY(copyReplace(at("new.wav"), at("fx.wav")).ok);
        QCOMPARE(leftovers(), QStringList{QStringLiteral(".fx.wav.sonaplex-notours")});
        QFile::remove(at(".fx.wav.sonaplex-notours"));
    }

    // Two runs (two windows, two program instances) replacing the same game file at once: they
    // take turns, so each records as overwritten what it really overwrote, and undo of the later
    // one gives back the earlier one's content, never the original.
    void twoRunsOnOneGameFileTakeTurns()
    {
        const QString record = at("turns/Replacements"), game = at("turns/g.wav");
        QDir().mkpath(at("turns"));
        const QByteArray original(4 << 20, 'o'), a(4 << 20, 'a'), b(4 << 20, 'b');
        QVERIFY(writeFile(at("turns/a.wav"), a) && writeFile(at("turns/b.wav"), b));
        auto switchWith = [&](const QString& source) {
            ReplacementRecord rec(record);
            return replaceGameFiles({Selection{game, "g.wav", source, QFileInfo(source).fileName()}}, {}, &rec);
        };
        for (int trial = 0; trial < 8; ++trial) {
            QVERIFY(writeFile(game, original));
            int go[2];
            QCOMPARE(::pipe(go), 0);
            const pid_t child = ::fork();
            if (child == 0) {
                char c;
                (void)::read(go[0], &c, 1);
                const Report theirs = switchWith(at("turns/a.wav"));
                if (!theirs.ok()) // said, for the parent's log
                    std::fprintf(stderr, "the other run: %s\n", qPrintable(failureLines(theirs).join("; ")));
                ::_exit(theirs.ok() ? 0 : 1);
            }
            QVERIFY(::write(go[1], "x", 1) == 1);
            const Report mine = switchWith(at("turns/b.wav"));
            int status = 0;
            ::waitpid(child, &status, 0);
            ::close(go[0]);
            ::close(go[1]);
            QVERIFY2(mine.ok(), qPrintable(failureLines(mine).join("; ")));
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);

            // The later run overwrote the earlier one's content, and says so.
            ReplacementRecord rec(record);
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
            db.setDatabaseName(record + "/record.sqlite");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT before_hash, after_hash FROM entries WHERE done = 1 ORDER BY id "
                                          "DESC LIMIT 2")));
            QVERIFY(q.next());
            const QString laterBefore = q.value(0).toString(), laterAfter = q.value(1).toString();
            QVERIFY(q.next());
            const QString earlierAfter = q.value(1).toString();
            QCOMPARE(laterBefore, earlierAfter);
            QCOMPARE(contentHash(game).hash, laterAfter);
            q.finish();
            db.close();
            db = {};
            QSqlDatabase::removeDatabase("check");
            const QByteArray now = readAll(game);
            QVERIFY(undoLastRun(rec).ok());
            QCOMPARE(readAll(game), now == a ? b : a);
            QVERIFY(undoLastRun(rec).ok());
            QCOMPARE(readAll(game), original);
        }
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
