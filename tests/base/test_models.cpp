// The models under the windows, without the windows: the folder scan and the file name
// model it feeds, the selection list, and the copy run with its reports.
#include "base/content_hash.h"
#include "base/folder_scan.h"
#include "actions/replacement.h"
#include "record/run.h"
#include "record/replacement_record.h"
#include "actions/gathering.h"
#include "words/report_words.h"
#include "base/selection.h"
#include "base/work_progress.h"
#include "support.h"
#include "ui/browser_pane.h"

#include <QSignalSpy>

#include <csignal>
#include <sys/resource.h>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestModels : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) { return dir.path() + "/" + name; }

    // A model that follows a scan as a file list does, checked after every change.
    struct Follower {
        FileNameModel model;
        int batches = 0;
        QStringList final;
        bool consistent = true;
        explicit Follower(FolderScan& scan)
        {
            QObject::connect(&scan, &FolderScan::batchFound, &model, [this](const QStringList& names) {
                ++batches;
                model.append(names);
                check();
            });
            QObject::connect(&scan, &FolderScan::finished, &model, [this](const QStringList& sorted) {
                final = sorted;
                model.replace(sorted);
                check();
            });
        }
        // Row count, names and what the view is shown agree; no name twice.
        void check()
        {
            const QStringList& names = model.names();
            consistent &= model.rowCount() == names.size();
            consistent &= QSet<QString>(names.begin(), names.end()).size() == names.size();
            for (int i = 0; consistent && i < names.size(); ++i)
                consistent &= model.index(i, 0).data(Qt::ToolTipRole).toString() == names[i];
        }
    };

private slots:
    // The copies a SWITCH keeps of what it put in place, in one batch: one content kept once,
    // a file whose content is not the one named is not kept under that name.
    void keptCopiesHoldWhatTheirNamesSay()
    {
        QTemporaryDir work;
        const QString a = work.path() + "/a.wav", b = work.path() + "/b.wav", c = work.path() + "/c.wav";
        QVERIFY(writeFile(a, "content a") && writeFile(b, "content a") && writeFile(c, "content c"));
        const QString hashA = contentHash(a).hash;
        OriginalStore store(work.path() + "/store");
        const std::vector<FileResult> kept = store.keepCopies({{a, hashA}, {b, hashA}, {c, hashA}, {c, QString()}});
        QVERIFY(kept[0].ok && kept[1].ok);
        QVERIFY(!kept[2].ok); // c does not hold what hashA names
        QCOMPARE(readAll(store.pathOf(hashA)), QByteArray("content a"));
        QCOMPARE(QDir(store.folder()).entryList(QDir::Files | QDir::Hidden).size(), 1); // no temporaries left
        // Never a link: the game file may be changed in place later.
        QVERIFY(writeFile(a, "changed in place"));
        QCOMPARE(readAll(store.pathOf(hashA)), QByteArray("content a"));
    }

    void scanListsInBatchesThenSorted()
    {
        QDir().mkpath(at("big/sub"));
        QStringList expected;
        for (int i = 0; i < 5000; ++i) {
            const QString name = QStringLiteral("%1rec%2.wav").arg(i % 2 ? "R" : "r").arg(i);
            QVERIFY(writeFile(at("big/" + name), ""));
            expected << name;
        }
        QVERIFY(writeFile(at("big/notes.txt"), ""));
        FolderScan scan;
        Follower follow(scan);
        QSignalSpy done(&scan, &FolderScan::finished);
        scan.start(at("big"), FolderScan::Kind::Files, "*.WAV");
        QVERIFY(done.wait(10000) || done.count() == 1);
        QVERIFY(follow.consistent);
        QVERIFY(follow.batches >= 1);
        FolderScan::sortNames(expected);
        QCOMPARE(follow.final, expected);
        QCOMPARE(follow.model.names(), expected);
        // Letter case is ignored first, then breaks ties.
        QStringList mixed{"b.wav", "A.wav", "a.wav", "B.wav"};
        FolderScan::sortNames(mixed);
        QCOMPARE(mixed.join(','), QStringLiteral("A.wav,a.wav,B.wav,b.wav"));
        // Numbers in names count as numbers, leading zeros and all.
        QStringList numbered{
            "rec10.wav", "rec2.wav", "Rec1.wav", "rec02.wav", "rec", "track9b", "track10a", "rec2a.wav"};
        FolderScan::sortNames(numbered);
        QCOMPARE(
            numbered.join(','), QStringLiteral("rec,Rec1.wav,rec02.wav,rec2.wav,rec2a.wav,rec10.wav,track9b,track10a"));
    }

    void aSecondScanDropsTheFirstOnesResults()
    {
        QDir().mkpath(at("one"));
        QDir().mkpath(at("two"));
        for (int i = 0; i < 3000; ++i)
            QVERIFY(writeFile(at(QStringLiteral("one/a%1.mid").arg(i)), ""));
        QVERIFY(writeFile(at("two/only.mid"), ""));
        FolderScan scan;
        Follower follow(scan);
        QSignalSpy done(&scan, &FolderScan::finished);
        scan.start(at("one"), FolderScan::Kind::Files, "*.mid");
        follow.model.clear(); // as a list does when it moves on
        scan.start(at("two"), FolderScan::Kind::Files, "*.mid");
        QTRY_COMPARE(done.count(), 1);
        QTest::qWait(50); // nothing of the first scan arrives late
        QCOMPARE(done.count(), 1);
        QCOMPARE(follow.model.names(), QStringList{"only.mid"});
        QVERIFY(follow.consistent);
    }

    void selectionListSignalsRealChangesOnly()
    {
        SelectionList list(3);
        QSignalSpy changed(&list, &SelectionList::changed);
        list.setGameFile(2, at("g.mid"), "g.mid");
        list.setGameFile(2, at("g.mid"), "g.mid"); // the same again: no change
        list.setReplacementFile(2, at("r.mid"), "r.mid");
        list.remove(1); // already empty
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toInt(), 2);
        QCOMPARE(list.at(2), (Selection{at("g.mid"), "g.mid", at("r.mid"), "r.mid"}));
        QVERIFY(list.at(1).isEmpty() && list.at(3).isEmpty());
        list.remove(2);
        QCOMPARE(changed.count(), 3);
        QVERIFY(list.at(2).isEmpty());
        QCOMPARE(list.all().size(), size_t(3));
    }

    void copyRunReportsEverySelectionInOrder()
    {
        QDir().mkpath(at("game"));
        for (const char* n : {"a", "b", "c", "d"})
            QVERIFY(writeFile(at(QStringLiteral("game/%1.wav").arg(n)), QByteArray("old ") + n));
        QVERIFY(writeFile(at("new.wav"), "new"));
        std::vector<Selection> s(6);
        s[0] = {at("game/a.wav"), "a.wav", at("new.wav"), "new.wav"};
        s[1] = {at("game/b.wav"), "b.wav", {}, {}}; // half made
        s[2] = {at("game/c.wav"), "c.wav", at("refused.wav"), "refused.wav"}; // the check says no
        s[4] = {{}, {}, at("new.wav"), "new.wav"}; // replacement only
        s[5] = {at("game/d.wav"), "d.wav", at("gone.wav"), "gone.wav"}; // source missing
        const Report run = replaceGameFiles(s, [](const QString& path) {
            return path.endsWith("refused.wav") ? QStringLiteral("refused.wav is no sound") : QString();
        });
        QCOMPARE(run.done(), 1);
        // Every selection with something chosen has one item, in selection order, whichever
        // stage of the run settled it; the cause travels typed.
        QCOMPARE(run.items.size(), size_t(5));
        const std::vector<std::pair<int, Outcome>> expected{{1, Outcome::Done}, {2, Outcome::NoReplacement},
            {3, Outcome::Refused}, {5, Outcome::NoGameFile}, {6, Outcome::Failed}};
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(run.items[i].step.name.number, expected[i].first);
            QCOMPARE(run.items[i].outcome, expected[i].second);
        }
        QCOMPARE(run.items[4].result.cause, FileCause::NotFound);
        const QStringList failures = failureLines(run);
        QCOMPARE(failures.size(), 4);
        QCOMPARE(failures[0], "Selection 2 (b.wav): no replacement file was chosen");
        QCOMPARE(failures[1], "Selection 3 (c.wav): refused.wav is no sound");
        QCOMPARE(failures[2], "Selection 5 (new.wav): no game file was chosen");
        QVERIFY(failures[3].startsWith("Selection 6 (d.wav): "));
        QCOMPARE(readAll(at("game/a.wav")), QByteArray("new"));
        QCOMPARE(readAll(at("game/c.wav")), QByteArray("old c"));
        QCOMPARE(readAll(at("game/d.wav")), QByteArray("old d"));
        QVERIFY(failureReport("Heading:", run).startsWith("Heading:\n\nSelection 2"));

        // Game files named twice: a report of which, and nothing done.
        std::vector<Selection> twice{s[0], s[0]};
        twice[1].replacementPath = at("game/b.wav");
        QCOMPARE(sameGameFiles(twice), (std::vector<std::vector<int>>{{1, 2}}));
        const Report refused = replaceGameFiles(twice);
        QCOMPARE(refused.done(), 0);
        QCOMPARE(failureLines(refused),
            QStringList{"Selections 1 and 2 (a.wav): the same game file is chosen more than once"});
        QCOMPARE(readAll(at("game/a.wav")), QByteArray("new"));

        // Staging keeps the first file of a name and reports the second.
        const Report staged
            = stageFiles({{1, at("game/a.wav"), "x.wav"}, {2, at("game/b.wav"), "x.wav"}}, at("stage"));
        QCOMPARE(staged.done(), 1);
        QCOMPARE(failureLines(staged),
            QStringList{"Selection 2 (x.wav): not copied, Selection 1 has a file of the same name"});
        QCOMPARE(readAll(at("stage/x.wav")), QByteArray("new"));
    }

    // A run cancelled before its first game file changes changes none: the new copies and the
    // originals kept for it go, and each file is reported. Once game files change it goes on.
    void aCancelledRunChangesNoGameFile_data()
    {
        QTest::addColumn<int>("cancelAfter"); // the stretch of file work after which Cancel comes
        QTest::newRow("copies made") << 1;
        QTest::newRow("originals kept") << 2;
        QTest::newRow("game files changing") << 3;
    }
    void aCancelledRunChangesNoGameFile()
    {
        QFETCH(int, cancelAfter);
        QTemporaryDir work;
        const QString game = work.path() + "/game", mine = work.path() + "/mine";
        QDir().mkpath(game);
        QDir().mkpath(mine);
        std::vector<Selection> s;
        qint64 bytes = 0;
        for (int n = 1; n <= 3; ++n) {
            const QString name = QStringLiteral("fx%1.wav").arg(n);
            QVERIFY(writeFile(game + "/" + name, "old " + QByteArray::number(n)));
            const QByteArray content(200000 * n, char('a' + n));
            QVERIFY(writeFile(mine + "/" + name, content));
            bytes += content.size();
            s.push_back({game + "/" + name, name, mine + "/" + name, name});
        }
        ReplacementRecord record(work.path() + "/program");
        WorkProgress progress;
        int stretch = 0;
        bool cancellableAtCommit = true;
        progress.setOffloader([&](const std::function<void()>& stretchOfWork) {
            if (++stretch == 3)
                cancellableAtCommit = progress.cancellable();
            stretchOfWork();
            if (stretch == cancelAfter)
                progress.cancel();
        });
        const Report run = replaceGameFiles(s, {}, &record, {}, &progress);
        QCOMPARE(progress.fileTotal(), 3);
        QCOMPARE(progress.byteTotal(), bytes);
        QCOMPARE(QDir(game).entryList(QDir::Files | QDir::Hidden), (QStringList{"fx1.wav", "fx2.wav", "fx3.wav"}));
        if (cancelAfter == 3) {
            QVERIFY(!cancellableAtCommit); // the progress window takes Cancel away
            QVERIFY(run.ok());
            QCOMPARE(readAll(game + "/fx3.wav"), readAll(mine + "/fx3.wav"));
            QCOMPARE(progress.bytes(), bytes);
            return;
        }
        QCOMPARE(run.done(), 0);
        QCOMPARE(failureLines(run),
            (QStringList{"Selection 1 (fx1.wav): not changed, because the run was cancelled",
                "Selection 2 (fx2.wav): not changed, because the run was cancelled",
                "Selection 3 (fx3.wav): not changed, because the run was cancelled"}));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(game + QStringLiteral("/fx%1.wav").arg(n)), "old " + QByteArray::number(n));
        QVERIFY(record.lastRun().empty());
        QVERIFY(QDir(record.store().folder()).isEmpty());

        // Gathering files stops between files and reports none of those it did not copy.
        WorkProgress stopped;
        stopped.cancel();
        const Report staged = stageFiles(gameFilesOf(s), work.path() + "/stage", nullptr, &stopped);
        QVERIFY(staged.ok() && staged.done() == 0);
        QVERIFY(QDir(work.path() + "/stage").isEmpty());
    }

    // Work that throws in a stretch (out of memory, say) stops the run like a cancel, and each
    // file is reported with the reason, never left out or claimed replaced.
    void anExceptionInOffloadedWorkIsAReportedFailure()
    {
        QTemporaryDir work;
        QVERIFY(writeFile(work.path() + "/fx1.wav", "old") && writeFile(work.path() + "/new.wav", "new"));
        ReplacementRecord record(work.path() + "/program");
        WorkProgress progress;
        // The first stretch (the copies) runs out of memory on its thread.
        bool thrown = false;
        progress.setOffloader([&](const std::function<void()>& stretch) {
            if (std::exchange(thrown, true))
                return stretch();
            progress.offload([] { throw std::bad_alloc(); }); // in place of the copies
        });
        const Report run = replaceGameFiles(
            {Selection{work.path() + "/fx1.wav", "fx1.wav", work.path() + "/new.wav", "new.wav"}}, {}, &record, {},
            &progress);
        QVERIFY(progress.failed());
        QCOMPARE(run.done(), 0);
        QCOMPARE(failureLines(run),
            QStringList{"Selection 1 (fx1.wav): not changed, because the run stopped: there is not enough memory"});
        QCOMPARE(readAll(work.path() + "/fx1.wav"), QByteArray("old"));
        QVERIFY(record.lastRun().empty());
    }

    // Putting back what an update undid uses the kept copy only while it is whole, else the
    // source while it still holds that content; with neither, the file is named and left as the
    // update left it.
    void replacingAgainUsesOnlyWholeContent()
    {
        QTemporaryDir work;
        const QString game = work.path() + "/game/", mine = work.path() + "/mine/";
        QDir().mkpath(game);
        QDir().mkpath(mine);
        std::vector<Selection> s;
        for (int n = 1; n <= 3; ++n) {
            const QString name = QStringLiteral("fx%1.wav").arg(n);
            QVERIFY(writeFile(game + name, "original " + QByteArray::number(n)));
            QVERIFY(writeFile(mine + name, "mine " + QByteArray::number(n)));
            s.push_back({game + name, name, mine + name, name});
        }
        ReplacementRecord record(work.path() + "/program");
        QVERIFY(replaceGameFiles(s, {}, &record).ok());
        for (int n = 1; n <= 3; ++n) // the update
            QVERIFY(writeFile(game + QStringLiteral("fx%1.wav").arg(n), "original " + QByteArray::number(n)));
        // 1: its kept copy damaged, its source whole. 2: both gone. 3: its source gone, its copy whole.
        const QString kept1 = record.store().pathOf(contentHash(mine + "fx1.wav").hash);
        const QString kept2 = record.store().pathOf(contentHash(mine + "fx2.wav").hash);
        const QString kept3 = record.store().pathOf(contentHash(mine + "fx3.wav").hash);
        QVERIFY(QFileInfo::exists(kept1) && QFileInfo::exists(kept2) && QFileInfo::exists(kept3));
        QVERIFY(writeFile(kept1, "damaged"));
        QVERIFY(QFile::remove(kept2) && QFile::remove(mine + "fx2.wav") && QFile::remove(mine + "fx3.wav"));
        const Plan plan = reapplyPlan(record, record.readUnder(work.path() + "/game"));
        QCOMPARE(int(plan.steps.size()), 2);
        QCOMPARE(plan.steps[0].source, mine + "fx1.wav");
        QCOMPARE(plan.steps[1].source, kept3);
        QCOMPARE(plan.steps[1].recordedSource, mine + "fx3.wav"); // the record still names where it came from
        QCOMPARE(int(plan.refused.size()), 1);
        QCOMPARE(plan.refused[0].outcome, Outcome::ReplacementGone);
        QCOMPARE(plan.refused[0].step.gamePath, game + "fx2.wav");
        const Report done = run(plan, &record);
        QCOMPARE(done.done(), 2);
        QCOMPARE(readAll(game + "fx1.wav"), QByteArray("mine 1"));
        QCOMPARE(readAll(game + "fx2.wav"), QByteArray("original 2"));
        QCOMPARE(readAll(game + "fx3.wav"), QByteArray("mine 3"));
        // Replaced as before: nothing left to put back.
        QVERIFY(reapplyPlan(record, record.readUnder(work.path() + "/game")).steps.empty());
    }

    // Forgetting drops kept originals only once the record no longer naming them is on disk: a
    // commit that cannot be written (here the log may not grow, as on a full disk) keeps both
    // the record's entries and every kept file, and says so.
    void forgetKeepsEverythingWhenItsCommitFails()
    {
        QTemporaryDir work;
        const QString game = work.path() + "/game/", mine = work.path() + "/mine/";
        QDir().mkpath(game);
        QDir().mkpath(mine);
        QVERIFY(writeFile(game + "fx1.wav", "original 1"));
        QVERIFY(writeFile(mine + "fx1.wav", "mine 1"));
        const QString originalHash = contentHash(game + "fx1.wav").hash;
        ReplacementRecord record(work.path() + "/program");
        QVERIFY(replaceGameFiles({{game + "fx1.wav", "fx1.wav", mine + "fx1.wav", "fx1.wav"}}, {}, &record).ok());
        const QString original = record.store().pathOf(originalHash);
        QVERIFY(QFileInfo::exists(original));
        {
            // No file may grow past its first byte while the limit holds: the commit's write
            // into the log fails (EFBIG, or written short), as on a full disk.
            struct rlimit before {};
            QVERIFY(::getrlimit(RLIMIT_FSIZE, &before) == 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limited = before;
            limited.rlim_cur = 1;
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &limited) == 0);
            const FileResult forgot = record.forget({game + "fx1.wav"});
            QVERIFY(::setrlimit(RLIMIT_FSIZE, &before) == 0);
            std::signal(SIGXFSZ, oldHandler);
            QVERIFY(!forgot);
            QVERIFY2(forgot.error.contains("record"), qPrintable(forgot.error));
        }
        QVERIFY2(QFileInfo::exists(original), "a kept original went with a forget that did not happen");
        QCOMPARE(int(record.readUnder(work.path() + "/game").size()), 1);
        // With room again it forgets, and only then lets the original go.
        QVERIFY(record.ready());
        QVERIFY(record.forget({game + "fx1.wav"}));
        QVERIFY(record.readUnder(work.path() + "/game").empty());
        QVERIFY(!QFileInfo::exists(original));
    }

    // A record opens without reading it through only while it is exactly as the last program
    // copy closed it; damage done to it since, even in place and at the same size, is found
    // and the record moved aside with what could be read of it.
    void aRecordChangedSinceItWasClosedIsCheckedAtOpen()
    {
        QTemporaryDir work;
        const QString folder = work.path() + "/program", game = work.path() + "/fx1.wav";
        QVERIFY(writeFile(game, "new"));
        {
            ReplacementRecord record(folder);
            QVERIFY(record.begin());
            const qint64 run = record.beginRun(QStringLiteral("switch"));
            QVERIFY(record.happened(record.intend(run, game, "old-hash", "new-hash", work.path() + "/new.wav")));
            QVERIFY(record.end());
        }
        QVERIFY(QFile::exists(folder + "/record.closed"));
        {
            ReplacementRecord record(folder);
            QVERIFY(record.isOpen() && record.problem().isEmpty());
            QCOMPARE(int(record.replacedFiles().size()), 1);
        }
        const QString database = folder + "/record.sqlite";
        QFile f(database);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        QVERIFY(size > 3 * 4096);
        QVERIFY(f.seek(4096) && f.write(QByteArray(4096, 'x')) == 4096); // the runs: opening does not read them
        f.close();
        ReplacementRecord record(folder);
        QCOMPARE(record.problem().kind, RecordProblem::Kind::MovedAside);
        QVERIFY(record.isOpen());
        QCOMPARE(int(record.replacedFiles().size()), 1); // the entry was whole: salvaged
        QStringList aside = QDir(folder).entryList({"record.sqlite.damaged-*"}, QDir::Files);
        aside.removeIf([](const QString& name) { return name.endsWith("-wal") || name.endsWith("-shm"); });
        QCOMPARE(aside.size(), 1);
        QCOMPARE(QFileInfo(folder + "/" + aside[0]).size(), size);
    }
};

SONAPLEX_TEST_MAIN(TestModels)
#include "test_models.moc"
