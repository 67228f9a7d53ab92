// The record and the set reader with no window: what each game file is and what became of each
// step, told by their states, outcomes and reasons, on real files and a real record. The
// windows' tests keep the wording.
#include "actions/backup_sets.h"
#include "actions/replacement.h"
#include "readers/backup_manifest.h"
#include "record/replacement_record.h"
#include "file_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <map>
#include <set>

using namespace sonaplex;
using namespace sonaplex::test;

class TestRecord : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

    std::map<QString, GameFileState> states(ReplacementRecord& record)
    {
        std::map<QString, GameFileState> byName;
        for (const ReplacedFile& f : record.replacedFiles())
            byName[QFileInfo(f.gamePath).fileName()] = f.state;
        return byName;
    }

private slots:
    // Two SWITCHes, a game update over a file of the second, two undos and a restore: each
    // file's state and each step's outcome say what happened, the file changed meanwhile is left
    // as the update made it (and does not stop the next undo from taking back the first run),
    // and a record opened again knows the same.
    void aGameFilesLifeIsToldInStatesAndOutcomes()
    {
        QVERIFY(QDir().mkpath(at("game/sfx")));
        const QByteArray jump = wave(22050, 1, 2000, 440), hit = wave(22050, 1, 2000, 220);
        const QByteArray mine = wave(22050, 1, 3000, 660), update = wave(22050, 1, 2500, 330);
        QVERIFY(writeFile(at("game/sfx/jump.wav"), jump));
        QVERIFY(writeFile(at("game/sfx/hit.wav"), hit));
        QVERIFY(writeFile(at("mine.wav"), mine));
        QVERIFY(writeFile(at("first.wav"), wave(22050, 1, 1500, 880)));
        auto game = [&](const QString& name) { return at("game/sfx/") + name; };
        const std::vector<Selection> both{{game("jump.wav"), "jump.wav", at("mine.wav"), "mine.wav"},
            {game("hit.wav"), "hit.wav", at("mine.wav"), "mine.wav"}};
        {
            ReplacementRecord record(at("program/Replacements"));
            QVERIFY(record.isOpen());
            QVERIFY(replaceGameFiles({{game("jump.wav"), "jump.wav", at("first.wav"), "first.wav"}}, {}, &record).ok());
            const Report switched = replaceGameFiles(both, {}, &record);
            QCOMPARE(switched.done(), 2);
            QCOMPARE(readAll(game("hit.wav")), mine);
            QCOMPARE(states(record), (std::map<QString, GameFileState>{
                                         {"hit.wav", GameFileState::Replaced}, {"jump.wav", GameFileState::Replaced}}));
            QVERIFY(writeFile(game("hit.wav"), update)); // a game update, after the SWITCH
            QCOMPARE(states(record)["hit.wav"], GameFileState::ChangedSince);
        }
        ReplacementRecord record(at("program/Replacements")); // opened again: it knows the same
        QCOMPARE(states(record)["hit.wav"], GameFileState::ChangedSince);
        const Report undone = undoLastRun(record);
        std::map<QString, Outcome> outcomes;
        for (const ReportItem& item : undone.items)
            outcomes[QFileInfo(item.step.gamePath).fileName()] = item.outcome;
        QCOMPARE(outcomes, (std::map<QString, Outcome>{{"hit.wav", Outcome::NotAsExpected}, {"jump.wav", Outcome::Done}}));
        QCOMPARE(readAll(game("jump.wav")), readAll(at("first.wav")));
        QCOMPARE(readAll(game("hit.wav")), update);
        const Report first = undoLastRun(record); // the first SWITCH, not hit.wav again
        QCOMPARE(first.items.size(), size_t(1));
        QCOMPARE(first.items[0].outcome, Outcome::Done);
        QCOMPARE(readAll(game("jump.wav")), jump);
        QVERIFY(undoLastRun(record).items.empty()); // nothing left to undo
        // What is left to restore is the file the update changed; restored, it holds its original.
        std::vector<ReplacedFile> left;
        for (const ReplacedFile& f : record.replacedFiles())
            if (f.state != GameFileState::Original)
                left.push_back(f);
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(restoreOriginals(record, left).done(), 1);
        QCOMPARE(readAll(game("hit.wav")), hit);
        QCOMPARE(states(record)["hit.wav"], GameFileState::Original);
    }

    // A set is data from anyone: each manifest line that would write where it must not is
    // refused for its own reason, and only the sound it may write is planned.
    void aSetsHostileLinesAreRefusedEachForItsReason()
    {
        QVERIFY(QDir().mkpath(at("game2")) && QDir().mkpath(at("other")) && QDir().mkpath(at("set")));
        const QByteArray sound = wave(22050, 1, 1000, 500);
        QVERIFY(writeFile(at("game2/a.wav"), wave(22050, 1, 1000, 300)));
        QVERIFY(writeFile(at("other/real.wav"), sound));
        QVERIFY(QFile::link(at("other/real.wav"), at("game2/link.wav")));
        for (const char* name : {"a.wav", "b.wav", "c.wav", "d.txt", "e.mid"})
            QVERIFY(writeFile(at("set/") + name, sound));
        ReplacementRecord record(at("program2/Replacements"));
        QVERIFY(record.isOpen());
        QVERIFY(replaceGameFiles({{at("game2/a.wav"), "a.wav", at("set/a.wav"), "a.wav"}}, {}, &record).ok());
        QByteArray manifest = "# set\nthis is no entry\n";
        const std::vector<std::pair<QString, QString>> lines{{"a.wav", at("game2/a.wav")},
            {"../set/b.wav", at("game2/b.wav")}, {"b.wav", "game2/relative.wav"}, {"c.wav", at("game2/a.wav")},
            {"d.txt", at("game2/d.txt")}, {"e.mid", at("game2/e.wav")}, {"gone.wav", at("game2/gone.wav")},
            {"c.wav", at("game2/link.wav")}, {"c.wav", at("other/new.wav")}};
        for (const auto& [name, target] : lines)
            manifest += "0\t" + QUrl::toPercentEncoding(name, "/.") + "\t" + QUrl::toPercentEncoding(target, "/.") + "\n";
        QVERIFY(writeFile(at("set/.sonaplex-backup-set"), manifest));
        const SetPlan plan = planSetRestore(&record, at("set"));
        QCOMPARE(plan.targets.size(), size_t(1));
        QCOMPARE(plan.targets[0].gamePath, at("game2/a.wav"));
        std::multiset<SetRefusal::Why> why;
        for (const SetRefusal& r : plan.refused)
            why.insert(r.why);
        using W = SetRefusal::Why;
        QCOMPARE(why, (std::multiset<W>{W::NotAManifestLine, W::NameLeavesSet, W::NotPlainGamePath, W::NamedTwice,
                          W::NotSoundKind, W::SetFileOfOtherKind, W::NotInSet, W::SymbolicLink, W::NoFolderKnown}));
    }
};

QTEST_GUILESS_MAIN(TestRecord)
#include "test_record.moc"
