// What users do, through the floor the command line and the windows share, with no window:
// a sound pack opened, checked, converted, applied and taken off, on real files and a real record.
#include "actions/game_sounds.h"
#include "actions/switch_session.h"
#include "actions/pack_session.h"
#include "actions/replacement.h"
#include "record/run.h"
#include "audio/analysis.h"
#include "base/work_progress.h"
#include "record/replacement_record.h"
#include "file_support.h"

#include <QtTest>


using namespace sonaplex;
using namespace sonaplex::test;


class TestActions : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

private slots:
    // Apply converts only what the conversion just before it made (a cancelled one leaves none),
    // a second check finds the pack in place, and a pack read without its sounds takes it off.
    void aPackIsCheckedConvertedAppliedAndTakenOff()
    {
        QVERIFY(QDir().mkpath(at("game/sfx")));
        const QByteArray shot = wave(44100, 1, 4410, 440), door = wave(44100, 1, 4410, 220);
        QVERIFY(writeFile(at("game/sfx/shot.wav"), shot));
        QVERIFY(writeFile(at("game/sfx/door.wav"), door));
        QVERIFY(writeFile(at("loud.wav"), wave(22050, 2, 2205, 660))); // another rate and channels
        QVERIFY(writeFile(at("creak.wav"), wave(44100, 1, 2000, 330)));
        PackManifest m;
        m.name = QStringLiteral("Test sounds");
        m.version = QStringLiteral("1.0");
        m.entries = {{QStringLiteral("sfx/shot.wav"), QStringLiteral("1.wav"), {}},
            {QStringLiteral("sfx/door.wav"), QStringLiteral("2.wav"), {}}};
        const QString packPath = at("test.sonaplexpack");
        QVERIFY(writePack(packPath, m, {at("loud.wav"), at("creak.wav")}).ok);

        ReplacementRecord record(at("program/Replacements"));
        QVERIFY(record.ready().ok);
        const QString game = at("game");
        PackSession session;
        WorkProgress progress;
        QVERIFY(session.open(packPath, at("program/Work/Pack-XXXXXX"), progress));
        QVERIFY(session.check(record, game, record.readUnder(game), false, progress));
        QCOMPARE(int(session.checked().items.size()), 2);
        for (const PackItem& item : session.checked().items)
            QCOMPARE(item.action, PackAction::Replace);
        QCOMPARE(session.checked().items[0].format.state, FormatCheck::State::Differs);

        WorkProgress cancelled;
        cancelled.cancel();
        QVERIFY(!session.convert(cancelled));
        QVERIFY(session.converted().empty());
        QVERIFY(session.convert(progress));
        QCOMPARE(int(session.converted().size()), 1);
        const PreparedRun applying = session.apply(record);
        QVERIFY(!applying.nothingToDo());
        QVERIFY(session.converted().empty()); // used by this apply only
        const Report applied = applying.start(&progress);
        QVERIFY(applied.ok());
        QCOMPARE(applied.done(), 2);
        const audio::SoundInfo converted = audio::soundInfo(audio::DeviceKind::WaveAudio, at("game/sfx/shot.wav"));
        QCOMPARE(converted.rate, 44100);
        QCOMPARE(converted.channels, 1);
        QCOMPARE(readAll(at("game/sfx/door.wav")), readAll(at("creak.wav")));

        QVERIFY(session.check(record, game, record.readUnder(game), false, progress));
        for (const PackItem& item : session.checked().items)
            QCOMPARE(item.state, PackState::Applied);
        QVERIFY(session.apply(record).nothingToDo());

        PackSession reading;
        QVERIFY(reading.read(packPath));
        std::vector<size_t> notPacks;
        const PreparedRun takingOff = reading.takeOff(record, game, record.readUnder(game), &notPacks);
        QVERIFY(notPacks.empty());
        QVERIFY(takingOff.start(&progress).ok());
        QCOMPARE(readAll(at("game/sfx/shot.wav")), shot);
        QCOMPARE(readAll(at("game/sfx/door.wav")), door);
    }

    // A pack for a game that keeps its sounds as Ogg Vorbis (Debian's frozen-bubble-data): a
    // wave sound over an Ogg game file is never copied as it is, only converted to Vorbis; an
    // Ogg sound over one is copied. Taken off, the originals come back byte for byte.
    void aPackOfOggSoundsIsConvertedAppliedAndTakenOff()
    {
        const QString data = QStringLiteral("/usr/share/games/frozen-bubble/snd/");
        QVERIFY(QDir().mkpath(at("fb/snd")));
        for (const char* name : {"launch.ogg", "noh.ogg", "lose.ogg"})
            QVERIFY(QFile::copy(data + name, at("fb/snd/") + name));
        QVERIFY(writeFile(at("shot.wav"), wave(48000, 2, 9600, 440)));
        PackManifest m;
        m.name = QStringLiteral("Ogg sounds");
        m.version = QStringLiteral("1.0");
        m.entries = {{QStringLiteral("snd/launch.ogg"), QStringLiteral("shot.wav"), {}},
            {QStringLiteral("snd/noh.ogg"), QStringLiteral("lose.ogg"), {}}};
        const QString packPath = at("ogg.sonaplexpack");
        QVERIFY(writePack(packPath, m, {at("shot.wav"), data + "lose.ogg"}).ok);
        const QByteArray launch = readAll(at("fb/snd/launch.ogg")), noh = readAll(at("fb/snd/noh.ogg"));

        ReplacementRecord record(at("program/Replacements"));
        QVERIFY(record.ready().ok);
        const QString game = at("fb");
        PackSession session;
        WorkProgress progress;
        QVERIFY(session.open(packPath, at("program/Work/Pack-XXXXXX"), progress));
        QVERIFY(session.check(record, game, record.readUnder(game), false, progress));
        QVERIFY(session.checked().items[0].format.codecDiffers);
        QVERIFY(session.mustConvert());
        // Applied with no conversion, the wave sound is refused, by name; the Ogg one goes in.
        const Report asIs = session.apply(record).start(&progress);
        QCOMPARE(asIs.done(), 1);
        QCOMPARE(readAll(at("fb/snd/noh.ogg")), readAll(data + "lose.ogg"));
        QCOMPARE(readAll(at("fb/snd/launch.ogg")), launch);

        QVERIFY(session.check(record, game, record.readUnder(game), false, progress));
        QVERIFY(session.convert(progress, false));
        QCOMPARE(int(session.converted().size()), 1);
        QVERIFY(session.apply(record).start(&progress).ok());
        const audio::SoundInfo made = audio::soundInfo(audio::DeviceKind::WaveAudio, at("fb/snd/launch.ogg"));
        const audio::SoundInfo was = audio::soundInfo(audio::DeviceKind::WaveAudio, data + "launch.ogg");
        QVERIFY2(made.ok(), qPrintable(made.error));
        QCOMPARE(made.sfFormat, was.sfFormat);
        QCOMPARE(made.rate, was.rate);
        QCOMPARE(made.channels, was.channels);

        PackSession reading;
        QVERIFY(reading.read(packPath));
        QVERIFY(reading.takeOff(record, game, record.readUnder(game)).start(&progress).ok());
        QCOMPARE(readAll(at("fb/snd/launch.ogg")), launch);
        QCOMPARE(readAll(at("fb/snd/noh.ogg")), noh);
    }

    // A pack that is not one is refused by name, and the session holds nothing of it.
    // A folder of the user's sounds matched to a game's: by path inside the game before the name
    // alone, any case; a name several game files share says which instead of guessing; a game
    // file two files match takes the one in its own format; what cannot stand in is refused
    // with its reason; hidden folders are not looked into.
    void aFolderOfSoundsIsMatchedByPathThenByName()
    {
        const QStringList game{"music/theme.ogg", "sfx/Jump.ogg", "sfx/land.wav", "sfx/ui/click.wav", "sfx/menu/click.wav",
            "music/song.mod", "voice/hello.wav"};
        const QString from = at("mine");
        for (const char* name : {"SFX/jump.wav", "jump.ogg", "land.wav", "land.ogg", "click.wav", "song.wav", "theme.mid",
                 "hello.wav", ".hidden/voice/hello.ogg", "stray.wav"})
            QVERIFY(QDir().mkpath(QFileInfo(from + "/" + name).absolutePath()) && writeFile(from + "/" + name, wave(22050, 1, 100, 440)));
        const FolderMatches m = matchFolder(game, from);
        QStringList matched;
        for (const SoundMatch& s : m.matched)
            matched << QStringLiteral("%1 <- %2 %3").arg(s.gameName, s.replacement.mid(from.size() + 1), s.byPath ? "path" : "name");
        QCOMPARE(matched, QStringList({"sfx/Jump.ogg <- SFX/jump.wav path", "sfx/land.wav <- land.wav name",
                              "voice/hello.wav <- hello.wav name"}));
        QCOMPARE(m.unused, QStringList({"stray.wav"}));
        const QString refused = m.refused.join('\n');
        QVERIFY2(refused.contains("click.wav: 2 game files have this name (sfx/ui/click.wav, sfx/menu/click.wav)"), qPrintable(refused));
        QVERIFY2(refused.contains("song.wav: not for music/song.mod: "), qPrintable(refused));
        QVERIFY2(refused.contains("theme.mid: not for music/theme.ogg: "), qPrintable(refused));
        QVERIFY2(refused.contains("jump.ogg: not used: SFX/jump.wav is used for sfx/Jump.ogg"), qPrintable(refused));
        QVERIFY2(refused.contains("land.ogg: not used: land.wav is used for sfx/land.wav"), qPrintable(refused));

        // The SWITCH of the matches converts the one in another codec whatever is asked (even
        // unticked), the others (only rate differs) only when all are to be converted and not
        // unticked, and with loops asked for, each the game loops by tags.
        std::vector<Selection> selections;
        for (const SoundMatch& s : m.matched)
            selections.push_back({at("game/") + s.gameName, s.gameName, s.replacement, QFileInfo(s.replacement).fileName()});
        std::vector<FormatCheck> checks(3);
        checks[0].state = checks[1].state = FormatCheck::State::Differs;
        checks[0].codecDiffers = true;
        checks[2].loopMissing = true;
        const SwitchSession session = SwitchSession::ofSelections(nullptr, selections, checks, {}, at("work/c-XXXXXX"));
        QVERIFY(session.mustConvert());
        ConversionChoice choice;
        QCOMPARE(session.toConvert(choice), std::vector<int>({1}));
        choice.all = true;
        QCOMPARE(session.toConvert(choice), std::vector<int>({1, 2}));
        choice.asIs = {1, 2};
        QCOMPARE(session.toConvert(choice), std::vector<int>({1}));
        choice.loopWhole = true;
        QCOMPARE(session.toConvert(choice), std::vector<int>({1, 3}));
    }

    // Every pack the program writes opens again: one of 35,000 sounds under long folder names
    // (a manifest over 4 MB) is made, opened and read.
    void aPackOfTensOfThousandsOfSoundsOpensAgain()
    {
        constexpr int kSounds = 35000;
        QVERIFY(QDir().mkpath(at("many")));
        PackManifest manifest;
        manifest.name = QStringLiteral("Everything");
        std::vector<QString> files;
        for (int n = 0; n < kSounds; ++n) {
            const QString file = at(QStringLiteral("many/%1.wav").arg(n));
            QVERIFY(writeFile(file, QByteArray::number(n)));
            files.push_back(file);
            manifest.entries.push_back(
                {QStringLiteral("data/sound/effects/creatures/forest/level%1/voice_%2.wav").arg(n % 40).arg(n), {}, {},
                    QString(32, QLatin1Char('a' + n % 6))});
        }
        QVERIFY(manifestJson(manifest).size() > (4 << 20));
        const FileResult written = writePack(at("everything.sonaplexpack"), manifest, files);
        QVERIFY2(written, qPrintable(written.error));
        PackRefusal refused;
        const std::unique_ptr<PackArchive> back = PackArchive::open(at("everything.sonaplexpack"), &refused);
        QVERIFY2(back, qPrintable(refused.entry + ": " + refused.why));
        QCOMPARE(int(back->manifest().entries.size()), kSounds);
        QByteArray last;
        QVERIFY(back->read(kSounds - 1, [&](const char* bytes, size_t n) { return last.append(bytes, qsizetype(n)), true; }, &refused));
        QCOMPARE(last, QByteArray::number(kSounds - 1));

        // Past what a pack may hold, it is not written, and says why.
        manifest.entries.resize(size_t(PackLimits{}.entries) + 1, manifest.entries.front());
        files.resize(manifest.entries.size(), files.front());
        const FileResult tooMany = writePack(at("toomany.sonaplexpack"), manifest, files);
        QVERIFY(!tooMany && tooMany.error.contains("at most 100000 sounds"));
        QVERIFY(!QFileInfo::exists(at("toomany.sonaplexpack")));
    }

    // A pack's sounds go straight from the pack into the game: a pack changed on disk after its
    // check puts nothing it does not hold in place, and Replace Again reads the sound from the
    // pack, only while the pack still holds it.
    void aPackIsReadAgainWhereverItsSoundsAreNeeded()
    {
        QVERIFY(QDir().mkpath(at("g2/sfx")));
        const QByteArray a = wave(8000, 1, 800, 300), b = wave(8000, 1, 800, 500);
        // Larger than the buffers the pack is read through, so that a change reaches the reader.
        const QByteArray newA = wave(8000, 1, 100000, 700), newB = wave(8000, 1, 100000, 900);
        QVERIFY(writeFile(at("g2/sfx/a.wav"), a));
        QVERIFY(writeFile(at("g2/sfx/b.wav"), b));
        QVERIFY(writeFile(at("newA.wav"), newA));
        QVERIFY(writeFile(at("newB.wav"), newB));
        PackManifest m;
        m.entries = {{QStringLiteral("sfx/a.wav"), QStringLiteral("1.wav"), {}}, {QStringLiteral("sfx/b.wav"), QStringLiteral("2.wav"), {}}};
        const QString packPath = at("two.sonaplexpack");
        QVERIFY(writePack(packPath, m, {at("newA.wav"), at("newB.wav")}).ok);
        const QByteArray packBytes = readAll(packPath);

        ReplacementRecord record(at("program2/Replacements"));
        QVERIFY(record.ready().ok);
        const QString game = at("g2");
        PackSession session;
        WorkProgress progress;
        QVERIFY(session.open(packPath, at("program2/Work/Pack-XXXXXX"), progress));
        QVERIFY(session.check(record, game, record.readUnder(game), false, progress));

        // The second sound changes in the pack (stored as it is) between the check and the run.
        const qsizetype at2 = packBytes.indexOf(newB.mid(44));
        QVERIFY(at2 > 0);
        {
            QFile pack(packPath);
            QVERIFY(pack.open(QIODevice::ReadWrite));
            QVERIFY(pack.seek(at2 + 100));
            QVERIFY(pack.write("\x7f\x7f", 2) == 2);
        }
        const Report applied = session.apply(record).start(&progress);
        QCOMPARE(applied.done(), 1);
        const std::vector<const ReportItem*> notDone = applied.notDone();
        QCOMPARE(int(notDone.size()), 1);
        QVERIFY2(notDone[0]->result.error.startsWith("sfx/b.wav: its sound 2.wav is damaged"), qPrintable(notDone[0]->result.error));
        QCOMPARE(readAll(at("g2/sfx/a.wav")), newA);
        QCOMPARE(readAll(at("g2/sfx/b.wav")), b);
        QVERIFY(QDir(at("g2/sfx")).entryList(QDir::Hidden | QDir::Files).filter(".sonaplex-").isEmpty());
        // Only the original is kept: the pack keeps what it put there.
        QCOMPARE(QDir(at("program2/Replacements/originals")).entryList(QDir::Files).size(), 1);
        session.close();

        // A game update puts the old sound back; Replace Again finds the new one in the pack.
        auto updateThenReplaceAgain = [&] {
            (void)writeFile(at("g2/sfx/a.wav"), a);
            return reapplyPlan(record, record.readUnder(game));
        };
        QVERIFY(writeFile(packPath, packBytes));
        Plan again = updateThenReplaceAgain();
        QCOMPARE(int(again.steps.size()), 1);
        QVERIFY(run(again, &record).ok());
        QCOMPARE(readAll(at("g2/sfx/a.wav")), newA);
        // A pack of the game's replacements takes that sound from the pack too.
        const PackContents made = contentsFromReplacements(game, record.readUnder(game), record.store(), at("program2/Work/Pack-XXXXXX"));
        QVERIFY2(made.problems.isEmpty(), qPrintable(made.problems.join('\n')));
        QCOMPARE(int(made.files.size()), 1);
        QCOMPARE(readAll(made.files[0]), newA);

        // A pack of that name that holds other sounds is no source; nor is a pack gone.
        QVERIFY(QFile::remove(packPath));
        QVERIFY(writePack(packPath, m, {at("newB.wav"), at("newA.wav")}).ok);
        again = updateThenReplaceAgain();
        QVERIFY(again.steps.empty());
        QCOMPARE(int(again.refused.size()), 1);
        QCOMPARE(again.refused[0].outcome, Outcome::ReplacementGone);
        QVERIFY2(again.refused[0].result.error.contains("no longer holds this sound"), qPrintable(again.refused[0].result.error));
        QVERIFY(QFile::remove(packPath));
        again = updateThenReplaceAgain();
        QVERIFY2(again.refused.at(0).result.error.endsWith("is gone: keep the pack file to replace again after an update"),
            qPrintable(again.refused[0].result.error));
        QCOMPARE(readAll(at("g2/sfx/a.wav")), a);
    }

    void aRefusedPackLeavesTheSessionEmpty()
    {
        QVERIFY(writeFile(at("bad.sonaplexpack"), "PK\x03\x04 not a zip archive"));
        PackSession session;
        WorkProgress progress;
        QVERIFY(!session.open(at("bad.sonaplexpack"), at("program/Work/Pack-XXXXXX"), progress));
        QVERIFY(!session.refused().isEmpty());
        QVERIFY(!session.isOpen());
        QVERIFY(!session.read(at("bad.sonaplexpack")));
        QVERIFY(!session.refused().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestActions)
#include "test_actions.moc"
