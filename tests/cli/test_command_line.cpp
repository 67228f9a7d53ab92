// The command line through the real executable, with no display: status after a SWITCH made
// in the windows, restore and undo by command with the windows seeing the result, --json
// parsed, exit codes, and Ctrl+C in the middle of a large restore leaving every file whole.
#include "audio/audio_support.h"
#include "audio/analysis.h"
#include "audio/probe.h"
#include "base/content_hash.h"
#include "base/files.h"
#include "readers/games.h"
#include "actions/replacement.h"
#include "game/frm_game.h"
#include "restore/midi_game.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeView>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {

struct Ran {
    int exit = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

// The program as a user types it over ssh: no display of any kind.
QProcessEnvironment noDisplay(const QString& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    return env;
}

// Waits until a started program catches SIGINT (its handler is installed), as the kernel says.
bool catchesInterrupts(QProcess& p)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
    for (int tries = 0; tries < 2000 && p.state() == QProcess::Running; ++tries) {
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("SigCgt:") && (line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ull << (SIGINT - 1))))
                    return true;
            status.close();
        }
        QThread::msleep(2);
    }
    return p.state() != QProcess::Running; // finished already: nothing to interrupt
}

} // namespace

class TestCommandLine : public MidiGame {
    Q_OBJECT

    // `under`: a program to run it under (strace), with its arguments.
    Ran sonaplex(const QStringList& args, bool withFolder = true, const QStringList& under = {})
    {
        QProcess p;
        QProcessEnvironment env = noDisplay(disk.path());
        if (!under.isEmpty()) // LeakSanitizer cannot run under ptrace (the sanitizer build)
            env.insert(QStringLiteral("ASAN_OPTIONS"), // the last setting of an option counts
                env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        p.setProcessEnvironment(env);
        const QStringList command = QStringList{QStringLiteral(SONAPLEX_EXECUTABLE)}
            + (withFolder ? QStringList{QStringLiteral("--program-folder"), program->folder.path()} : QStringList{})
            + args;
        p.start(under.isEmpty() ? command.front() : under.front(), under.mid(1) + (under.isEmpty() ? command.mid(1) : command));
        if (!p.waitForFinished(60000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void init() { makeGame(); }
    void cleanup() { program.reset(); }

    // Strangers' sounds are decoded in a helper: one whose decoder dies or hangs (strace kills
    // or holds the helper as it reads that file) is named, and the files after it are read. A
    // helper killed from outside (SIGKILL: the kernel's memory killer, a user) does not blame
    // the file.
    void aDecoderThatDiesOrHangsTakesOnlyItsFile()
    {
        const QString good = disk.path() + "/good.ogg", bad = disk.path() + "/bad.ogg", after = disk.path() + "/after.ogg";
        for (const QString& copy : {good, bad, after})
            QVERIFY(QFile::copy("/usr/share/games/frozen-bubble/snd/launch.ogg", copy));
        const QStringList check{"check", good, bad, after, "--json"};
        const QString hang = QStringLiteral("delay_enter=%1").arg((audio::kProbeTimeLimit.count() + 2000) * 1000);
        const std::pair<QString, QString> faults[] = {
            {QStringLiteral("signal=SIGSEGV"), QStringLiteral("bad.ogg cannot be read: the decoder failed on it")},
            {QStringLiteral("signal=SIGKILL"),
                QStringLiteral("bad.ogg was not read: Sonaplex's helper was stopped from outside while it read it.")},
            {hang, QStringLiteral("bad.ogg cannot be opened: reading it took too long")}};
        for (const auto& [fault, said] : faults) {
            const Ran ran = sonaplex(check, true, {"strace", "-f", "-qq", "-o", "/dev/null", "-P", bad, "-e", "trace=read",
                "-e", "inject=read:" + fault});
            QCOMPARE(ran.exit, 1);
            const QJsonArray files = ran.json().value("files").toArray();
            QCOMPARE(files.size(), 3);
            QVERIFY(files[0].toObject().value("usable").toBool());
            QVERIFY(files[2].toObject().value("usable").toBool());
            const QString why = files[1].toObject().value("error").toString();
            QVERIFY2(why.startsWith(said), qPrintable(why));
        }
    }

    // A listing reads headers only: a file whose decoder dies once it decodes (strace kills the
    // helper at its second opening of the file, the trial decode's) is listed by its headers, and
    // named as soon as it would be used: checked before it plays, or chosen as a replacement.
    void aFileThatBreaksItsDecoderIsListedThenNamedBeforeUse()
    {
        const QString from = disk.path() + "/from";
        QVERIFY(QDir().mkpath(from));
        for (const QString& copy : {game + "/bad.ogg", from + "/bad.ogg"})
            QVERIFY(QFile::copy("/usr/share/games/frozen-bubble/snd/launch.ogg", copy));
        const QByteArray before = readAll(game + "/bad.ogg");
        auto underFault = [&](const QString& path) {
            return QStringList{"strace", "-f", "-qq", "-o", "/dev/null", "-P", path, "-e", "trace=openat", "-e",
                "inject=openat:signal=SIGSEGV:when=2"};
        };
        const Ran listed = sonaplex({"sounds", game, "--json"}, true, underFault(game + "/bad.ogg"));
        QCOMPARE(listed.exit, 0);
        for (const QJsonValue& v : listed.json().value("sounds").toArray())
            if (v.toObject().value("path") == "bad.ogg")
                QCOMPARE(v.toObject().value("format").toString(), "44100 Hz mono (Ogg Vorbis)");
        const QString failed = "bad.ogg cannot be read: the decoder failed on it";
        const Ran checked = sonaplex({"check", game + "/bad.ogg"}, true, underFault(game + "/bad.ogg"));
        QVERIFY2(checked.exit == 1 && checked.err.contains(failed), qPrintable(checked.err));
        const Ran replaced = sonaplex({"replace", game, "--from", from}, true, underFault(from + "/bad.ogg"));
        QVERIFY2(replaced.exit == 1 && replaced.err.contains(failed), qPrintable(replaced.err));
        QCOMPARE(readAll(game + "/bad.ogg"), before);
    }

    // Every sound of the game at any depth (hidden folders left out), with its format, state
    // and what replaced it; one that cannot be read is named and makes the exit 1.
    void soundsListsEverySoundOfTheGame()
    {
        switchWith({{gameFile(1), myFile(1)}});
        QVERIFY(QDir().mkpath(game + "/sfx") && QDir().mkpath(game + "/.cache"));
        QVERIFY(QFile::copy("/usr/share/games/frozen-bubble/snd/launch.ogg", game + "/sfx/launch.ogg"));
        QVERIFY(QFile::copy("/usr/share/games/frozen-bubble/snd/launch.ogg", game + "/.cache/hidden.ogg"));
        QVERIFY(writeFile(game + "/notes.txt", "not a sound"));
        QVERIFY(writeFile(game + "/sfx/broken.ogg", "not Ogg at all"));
        const Ran ran = sonaplex({"sounds", game, "--json"});
        QCOMPARE(ran.exit, 1); // broken.ogg cannot be read
        QMap<QString, QJsonObject> byPath;
        for (const QJsonValue& v : ran.json().value("sounds").toArray())
            byPath.insert(v.toObject().value("path").toString(), v.toObject());
        QCOMPARE(byPath.keys(), QStringList({"TRACK1.MID", "TRACK2.MID", "TRACK3.MID", "sfx/broken.ogg", "sfx/launch.ogg"}));
        QCOMPARE(byPath["TRACK1.MID"].value("state").toString(), "replaced");
        QCOMPARE(byPath["TRACK1.MID"].value("replacedBy").toString(), myFile(1));
        QVERIFY(byPath["TRACK1.MID"].value("format").toString().startsWith("MIDI format"));
        QCOMPARE(byPath["TRACK2.MID"].value("state").toString(), "original");
        QVERIFY(byPath["sfx/broken.ogg"].value("error").toString().contains("broken.ogg is not an Ogg Vorbis file"));
        QCOMPARE(byPath["sfx/launch.ogg"].value("format").toString(), "44100 Hz mono (Ogg Vorbis)");
        const Ran human = sonaplex({"sounds", game});
        QVERIFY2(human.out.contains(QRegularExpression(
                     "^original +sfx/launch\\.ogg  44100 Hz mono \\(Ogg Vorbis\\), 0:00\\.09$", QRegularExpression::MultilineOption)),
            qPrintable(human.out));

        // What was read is remembered by each file's stamp: listed again, the same; files
        // rewritten in place since are read again, as a fresh program folder reads them; a
        // remembered list that is damaged is made anew.
        const QString cache = program->folder.path() + "/formats.cache";
        QVERIFY(QFileInfo(cache).size() > 0);
        QCOMPARE(sonaplex({"sounds", game, "--json"}).json(), ran.json());
        QVERIFY(writeFile(game + "/sfx/launch.ogg", readAll(kFrozenBubbleSounds + "stick.ogg")));
        QVERIFY(writeFile(game + "/sfx/broken.ogg", readAll(kFrozenBubbleSounds + "launch.ogg")));
        const Ran changed = sonaplex({"sounds", game, "--json"});
        QVERIFY2(changed.exit == 0, qPrintable(changed.err + changed.out));
        QVERIFY(changed.json() != ran.json());
        QVERIFY(QFile::remove(cache));
        QCOMPARE(sonaplex({"sounds", game, "--json"}).json(), changed.json());
        QVERIFY(writeFile(cache, QByteArray(8192, 'x')));
        const Ran anew = sonaplex({"sounds", game, "--json"});
        QCOMPARE(anew.exit, 0);
        QCOMPARE(anew.json(), changed.json());
    }

    // A folder of the user's sounds matched by path, then by name (any case): --dry-run lists the
    // matches and writes nothing; the run replaces them in one go, which undo takes back.
    void replaceFromAFolderIsOneRunThatUndoTakesBack()
    {
        const QString from = disk.path() + "/from";
        QVERIFY(QDir().mkpath(from + "/sub"));
        QVERIFY(QFile::copy(myFile(1), from + "/track1.mid"));
        QVERIFY(QFile::copy(myFile(2), from + "/sub/Track2.Mid"));
        QVERIFY(writeWave(from + "/TRACK3.wav", referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeFile(from + "/nothing.mid", readAll(myFile(3))));
        const QStringList before = QDir(program->folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const Ran dry = sonaplex({"replace", game, "--from", from, "--dry-run", "--json"});
        QCOMPARE(dry.exit, 1); // TRACK3.wav cannot stand in for a MIDI file
        QVERIFY2(dry.err.contains("TRACK3.wav: not for TRACK3.MID: "), qPrintable(dry.err));
        const QJsonArray matches = dry.json().value("matches").toArray();
        QCOMPARE(matches.size(), 2);
        QCOMPARE(matches[0].toObject(), QJsonObject({{"path", "TRACK1.MID"}, {"replacement", from + "/track1.mid"}, {"by", "path"}}));
        QCOMPARE(matches[1].toObject(), QJsonObject({{"path", "TRACK2.MID"}, {"replacement", from + "/sub/Track2.Mid"}, {"by", "name"}}));
        QCOMPARE(dry.json().value("unused").toArray(), QJsonArray({"nothing.mid"}));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(gameFile(n)), original(n));
        QCOMPARE(QDir(program->folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

        const Ran ran = sonaplex({"replace", game, "--from", from});
        QCOMPARE(ran.exit, 1);
        QVERIFY2(ran.out.contains("2 game file(s) were replaced. Undo takes this back."), qPrintable(ran.out));
        QCOMPARE(readAll(gameFile(1)), readAll(myFile(1)));
        QCOMPARE(readAll(gameFile(2)), readAll(myFile(2)));
        QCOMPARE(readAll(gameFile(3)), original(3));
        const Ran undone = sonaplex({"undo"});
        QCOMPARE(undone.exit, 0);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(gameFile(n)), original(n));
    }

    // A whole game through `sounds` and `replace`: bytes that are not a sound under a sound's name
    // are refused with their cause (the dry run, the run, --convert) and never enter the game; a
    // game file that is a link out of the game is named and never written through; a path two
    // game files share is refused; what could not be listed (a folder that fails to be read, a
    // name that is not UTF-8) is named and makes the exit 1; a state not read is not called
    // original; a line break in a name is escaped.
    void wholeGamePathsTakeOnlyPlayableSoundsAndStayInside()
    {
        const QString sfx = game + "/sfx", from = disk.path() + "/from", outside = disk.path() + "/outside.ogg";
        QVERIFY(QDir().mkpath(sfx) && QDir().mkpath(game + "/locked") && QDir().mkpath(from + "/sfx"));
        const QString launch = kFrozenBubbleSounds + "launch.ogg", stick = kFrozenBubbleSounds + "stick.ogg";
        for (const QString& name : {"brick.ogg", "grow.ogg", "Jump.ogg"})
            QVERIFY(QFile::copy(launch, sfx + "/" + name));
        QVERIFY(writeWave(sfx + "/grow.wav", referenceSignal(22050, 1, 1), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(QFile::copy(sfx + "/grow.wav", sfx + "/jump.wav"));
        QVERIFY(QFile::copy(sfx + "/grow.wav", game + "/locked/a.wav"));
        QVERIFY(QFile::copy(sfx + "/grow.wav", sfx + "/two\nlines.wav"));
        QVERIFY(QFile::copy(stick, outside) && QFile::link(outside, sfx + "/linked.ogg"));
        QVERIFY(QFile::link(QFileInfo(outside).absolutePath(), game + "/elsewhere"));
        QVERIFY(QFile::link(game, sfx + "/up") && QFile::link(disk.path() + "/nowhere.ogg", sfx + "/dangling.ogg"));
        QVERIFY(writeFile(sfx + "/fake.ogg", "a text file under a sound's name"));
        const QByteArray latin1Name = QFile::encodeName(sfx) + "/caf\xe9.wav"; // not UTF-8
        const int made = ::open(latin1Name.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(made >= 0 && ::close(made) == 0);
        QVERIFY(writeFile(from + "/sfx/brick.ogg", "this is not a sound at all"));
        QVERIFY(QFile::copy(stick, from + "/sfx/grow.ogg"));
        QVERIFY(QFile::copy(stick, from + "/linked.ogg"));
        QVERIFY(writeWave(from + "/jump.wav", referenceSignal(44100, 1, 1), 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        // An Ogg whose headers read well and whose sound is damaged inside (a decoder passes over
        // the hole in silence), reached through a link in the user's folder (a link there is read).
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "lose.ogg", sfx + "/hole.ogg"));
        QByteArray holed = readAll(kFrozenBubbleSounds + "applause.ogg");
        holed.replace(6000, 500, QByteArray(500, '\xff'));
        QVERIFY(writeFile(disk.path() + "/holed.ogg", holed) && QFile::link(disk.path() + "/holed.ogg", from + "/sfx/hole.ogg"));
        QVERIFY(::mkfifo(QFile::encodeName(sfx + "/pipe.ogg").constData(), 0644) == 0);
        const QByteArray brick = readAll(sfx + "/brick.ogg"), away = readAll(outside), hole = readAll(sfx + "/hole.ogg");

        const Ran dry = sonaplex({"replace", game, "--from", from, "--dry-run", "--json"});
        QCOMPARE(dry.exit, 1);
        QCOMPARE(dry.json().value("matches").toArray(), QJsonArray());
        QVERIFY2(dry.err.contains("sfx/brick.ogg: cannot be used: brick.ogg is not an Ogg Vorbis file"), qPrintable(dry.err));
        QVERIFY2(dry.err.contains("sfx/grow.ogg: 2 game files have this path"), qPrintable(dry.err));
        QVERIFY2(dry.err.contains("jump.wav: 2 game files have this name"), qPrintable(dry.err));
        QVERIFY2(dry.err.contains("sfx/linked.ogg: a link to " + outside + ", outside the folder"), qPrintable(dry.err));
        QVERIFY2(dry.err.contains("sfx/caf\\xe9.wav: its name cannot be read as UTF-8"), qPrintable(dry.err));
        QVERIFY2(dry.err.contains("sfx/pipe.ogg: it is not a regular file"), qPrintable(dry.err));
        QVERIFY2(dry.err.contains("elsewhere: a link to the folder " + QFileInfo(outside).absolutePath() + ", outside"),
            qPrintable(dry.err));
        QVERIFY2(dry.err.contains("sfx/dangling.ogg: a link that leads to no file (No such file or directory)"), qPrintable(dry.err));
        QVERIFY2(!dry.err.contains("sfx/up"), qPrintable(dry.err)); // the game folder itself: not outside
        QCOMPARE(dry.json().value("unused").toArray(), QJsonArray({"linked.ogg"}));
        for (const QStringList& convert : {QStringList{}, QStringList{"--convert"}}) {
            const Ran ran = sonaplex(QStringList{"replace", game, "--from", from} + convert);
            QCOMPARE(ran.exit, 1);
            QCOMPARE(readAll(sfx + "/brick.ogg"), brick);
            QCOMPARE(readAll(sfx + "/hole.ogg"), hole);
            QVERIFY2(ran.err.contains("hole.ogg cannot be played whole: it is damaged at byte"), qPrintable(ran.err));
            QCOMPARE(readAll(outside), away);
            QVERIFY(QFileInfo(sfx + "/linked.ogg").isSymLink());
        }
        // `check` says so too, not "usable".
        const Ran checked = sonaplex({"check", disk.path() + "/holed.ogg"});
        QCOMPARE(checked.exit, 1);
        QVERIFY2(checked.err.contains("holed.ogg cannot be played whole: it is damaged at byte"), qPrintable(checked.err));

        // A folder whose reading fails (strace makes it fail) is named; so is a file not read.
        const Ran listed = sonaplex({"sounds", game, "--json"}, true,
            {"strace", "-f", "-qq", "-o", "/dev/null", "-P", game + "/locked", "-e", "inject=getdents64:error=EIO"});
        QCOMPARE(listed.exit, 1);
        QVERIFY2(listed.err.contains("locked: the folder could not be read to its end (Input/output error)"),
            qPrintable(listed.err));
        QJsonObject fake;
        QStringList paths;
        for (const QJsonValue& v : listed.json().value("sounds").toArray()) {
            paths << v.toObject().value("path").toString();
            if (paths.back() == "sfx/fake.ogg")
                fake = v.toObject();
        }
        QVERIFY(!paths.contains("locked/a.wav") && !paths.contains("sfx/linked.ogg"));
        QCOMPARE(fake.value("state").toString(), "not-read");
        QVERIFY(fake.value("soundFormat").isNull());
        QVERIFY2(listed.err.contains("sfx/fake.ogg: not read: fake.ogg is not an Ogg Vorbis file"), qPrintable(listed.err));
        const Ran human = sonaplex({"sounds", game});
        QVERIFY2(human.out.contains(QRegularExpression("^original +sfx/two\\\\nlines\\.wav  22050 Hz",
                     QRegularExpression::MultilineOption)),
            qPrintable(human.out));
        // The Game Sounds window lists the same sounds, and names the same problems.
        const Ran plain = sonaplex({"sounds", game, "--json"});
        QStringList cliPaths;
        for (const QJsonValue& v : plain.json().value("sounds").toArray())
            cliPaths << shownName(v.toObject().value("path").toString()); // as a window shows a name
        QStringList cliUnlisted;
        for (const QJsonValue& v : plain.json().value("unlisted").toArray())
            cliUnlisted << v.toString();
        FrmGame& window = program->forms().load<FrmGame>();
        program->forms().showModeless(window);
        window.showGame(game);
        QTRY_VERIFY_WITH_TIMEOUT(window.isRead(), 60'000);
        QStringList shown;
        const QAbstractItemModel* rows = control<QTreeView>("FrmGame", "LstGameSounds")->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            shown << rows->index(row, 0).data().toString();
        shown.sort();
        QCOMPARE(shown, cliPaths);
        QStringList windowUnlisted = control<QLabel>("FrmGame", "LblGameSummary")->toolTip().split('\n');
        windowUnlisted.sort();
        cliUnlisted.sort();
        QVERIFY2(cliUnlisted.size() >= 5, qPrintable(cliUnlisted.join('\n')));
        QCOMPARE(windowUnlisted, cliUnlisted);
        program->forms().unload(window);
        QCOMPARE(::unlink(latin1Name.constData()), 0); // Qt cannot remove it by its decoded name
        // A report that cannot be written is no success.
        QProcess full;
        full.setProcessEnvironment(noDisplay(disk.path()));
        full.setStandardOutputFile(QStringLiteral("/dev/full"));
        full.start(QStringLiteral(SONAPLEX_EXECUTABLE), {"--program-folder", program->folder.path(), "sounds", game, "--json"});
        QVERIFY(full.waitForFinished(60000));
        QCOMPARE(full.exitCode(), 1);
        QVERIFY(full.readAllStandardError().contains("could not be written to standard output"));
    }

    // Each replacement of an Ogg Sonaplex replaced before is converted to the game's own format
    // (its kept original's), not to the last conversion's: the bitrate never drifts.
    void conversionsTakeTheGamesOwnFormatEachTime()
    {
        QVERIFY(QDir().mkpath(game + "/sfx"));
        QVERIFY(QFile::copy(kFrozenBubbleSounds + "launch.ogg", game + "/sfx/a.ogg"));
        const audio::SoundInfo own = audio::soundFileInfo(game + "/sfx/a.ogg");
        for (int n = 1; n <= 3; ++n) {
            const QString from = disk.path() + QStringLiteral("/from%1").arg(n);
            QVERIFY(QDir().mkpath(from + "/sfx"));
            QVERIFY(writeWave(from + "/sfx/a.wav", referenceSignal(48000, 2, 1 + n), 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
            QCOMPARE(sonaplex({"replace", game, "--from", from, "--convert"}).exit, 0);
            const audio::SoundInfo made = audio::soundFileInfo(game + "/sfx/a.ogg");
            QCOMPARE(made.rate, own.rate);
            QCOMPARE(made.channels, own.channels);
            QVERIFY2(std::abs(made.bitrate - own.bitrate) <= own.bitrate / 10,
                qPrintable(QStringLiteral("%1 against %2, replacement %3").arg(made.bitrate).arg(own.bitrate).arg(n)));
        }
    }

    // A game folder reached through a link is the folder itself: replaced both ways, restored
    // both ways, it ends as it was originally and is said so. A replacement the game file holds
    // already records no run. What a killed run or pack check left is gone at the next start.
    // The messages name what the user meant.
    void aFolderReachedTwoWaysIsOneGameAndWhatIsSaidIsTrue()
    {
        const QString link = disk.path() + "/GameLink", from1 = disk.path() + "/from1", from2 = disk.path() + "/from2";
        QVERIFY(QFile::link(game, link));
        QVERIFY(QDir().mkpath(from1) && QDir().mkpath(from2));
        QVERIFY(QFile::copy(myFile(1), from1 + "/TRACK1.MID") && QFile::copy(myFile(2), from2 + "/TRACK1.MID"));
        QCOMPARE(sonaplex({"replace", game, "--from", from1}).exit, 0);
        QCOMPARE(sonaplex({"replace", link, "--from", from2}).exit, 0);
        QCOMPARE(readAll(gameFile(1)), song(2));
        const Ran again = sonaplex({"replace", link, "--from", from2, "--json"});
        QCOMPARE(again.exit, 0);
        QCOMPARE(again.json().value("files").toArray().at(0).toObject().value("outcome").toString(), "already-in-place");
        QCOMPARE(sonaplex({"restore", game, "--all"}).exit, 0);
        QCOMPARE(readAll(gameFile(1)), original(1));
        const Ran second = sonaplex({"restore", link, "--all"});
        QVERIFY2(second.out.contains("already hold their originals"), qPrintable(second.out + second.err));
        QCOMPARE(readAll(gameFile(1)), original(1));
        const Ran status = sonaplex({"status", link, "--json"});
        const QJsonArray files = status.json().value("files").toArray();
        QCOMPARE(files.size(), 1);
        QCOMPARE(files[0].toObject().value("state").toString(), "original");
        // Undo takes back the restore: the second replacement is there again.
        sonaplex({"undo"});
        QCOMPARE(readAll(gameFile(1)), song(2));

        // Left by kills: a store copy never named, a pack check's sounds in memory.
        const QString store = program->folder.path() + "/Replacements/originals";
        QVERIFY(writeFile(store + "/.0123abcd.sonaplex-Xy12Ab", QByteArray(4096, 'x')));
        const QString shm = "/dev/shm/sonaplex-sounds-4194999-Ab12Cd";
        if (QFileInfo("/dev/shm").isDir())
            QVERIFY(QDir().mkpath(shm) && writeFile(shm + "/1.ogg", "x"));
        QCOMPARE(sonaplex({"status", game}).exit, 0);
        QVERIFY(!QFileInfo::exists(store + "/.0123abcd.sonaplex-Xy12Ab"));
        QVERIFY(!QFileInfo::exists(shm));

        // Words that say what was meant.
        Ran r = sonaplex({"replace", game, "--from", myFile(1)});
        QVERIFY2(r.err.contains(myFile(1) + " is not a folder."), qPrintable(r.err));
        r = sonaplex({"restore", game, "sounds/nosuch.wav"});
        QVERIFY2(r.err.startsWith(game + "/sounds/nosuch.wav: Sonaplex has not replaced this file"), qPrintable(r.err));
        const QString pack = disk.path() + "/game.sonaplexpack", other = disk.path() + "/Other";
        QCOMPARE(sonaplex({"pack", "create", pack, "--from-game", game, "--name", "mine"}).exit, 0);
        // A game its launcher (here the list of folders added by hand) names through the link is
        // that game too: a pack put on by the game's name and taken off by its folder is no update.
        QCOMPARE(sonaplex({"restore", game, "--all"}).exit, 0);
        QVERIFY(addGame(program->folder.path() + "/Game Folders.json", "Linked Game", link));
        QCOMPARE(sonaplex({"pack", "apply", pack, "Linked Game"}).exit, 0);
        QCOMPARE(readAll(gameFile(1)), song(2));
        QCOMPARE(sonaplex({"pack", "remove", pack, game}).exit, 0);
        QCOMPARE(readAll(gameFile(1)), original(1));
        const QJsonObject linked = sonaplex({"games", "--json"}).json().value("games").toArray().at(0).toObject();
        QCOMPARE(linked.value("name").toString(), "Linked Game");
        QCOMPARE(linked.value("changed").toInt(), 0);
        QCOMPARE(linked.value("replaced").toInt(), 0);
        QVERIFY(QDir().mkpath(other) && writeFile(other + "/x.mid", original(3)));
        for (const char* verb : {"check", "apply"}) {
            r = sonaplex({"pack", verb, pack, other});
            QCOMPARE(r.exit, 1);
            QVERIFY2(r.err.contains("the pack is for Game, and none of its files are in " + other), qPrintable(r.err));
        }
        r = sonaplex({"pack", "remove", pack, "No Such Game"});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains("No Such Game is not a folder, nor an installed game"), qPrintable(r.err));
        // A line break in a replaced file's name is escaped in status too.
        const QString twoLines = game + "/TWO\nLINES.MID";
        QVERIFY(QFile::rename(gameFile(3), twoLines));
        switchWith({{twoLines, myFile(3)}});
        r = sonaplex({"status", game});
        QVERIFY2(r.out.contains("TWO\\nLINES.MID  (by "), qPrintable(r.out));
    }

    // As the windows offer it: converted copies matched to their game files' loudness, and a
    // sound the game loops by tags looped whole when its replacement has no loop of its own.
    void replaceMatchesLoudnessAndLoopsWholeWhenAsked()
    {
        const QString looping = disk.path() + "/Looping", quiet = disk.path() + "/Quiet";
        QVERIFY(QDir().mkpath(looping) && QDir().mkpath(quiet));
        QVERIFY(vorbisWithTag(looping + "/theme.ogg", "LOOPSTART=0000044100"));
        const audio::Loudness game = audio::measureLoudness(looping + "/theme.ogg");
        std::vector<float> soft = referenceSignal(22050, 1, 2);
        for (float& sample : soft)
            sample *= 0.05f;
        QVERIFY(writeWave(quiet + "/theme.wav", soft, 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));

        const Ran plain = sonaplex({"replace", looping, "--from", quiet});
        QVERIFY2(plain.exit == 0 && plain.out.contains("theme.ogg: the game loops it by tags in its file and the replacement has none"),
            qPrintable(plain.out + plain.err));
        QVERIFY(!audio::soundFileInfo(looping + "/theme.ogg").loop.present());
        QVERIFY(audio::measureLoudness(looping + "/theme.ogg").lufs < game.lufs - 15);
        QCOMPARE(sonaplex({"undo"}).exit, 0);

        const Ran asked = sonaplex({"replace", looping, "--from", quiet, "--match-loudness", "--loop-whole"});
        QVERIFY2(asked.exit == 0 && asked.out.contains("theme.ogg: the game loops it by tags in its file: the whole replacement is looped"),
            qPrintable(asked.out + asked.err));
        const audio::SoundInfo made = audio::soundFileInfo(looping + "/theme.ogg");
        QCOMPARE(made.loop.start, 0);
        QCOMPARE(made.loop.length, made.frames);
        QVERIFY(std::abs(audio::measureLoudness(looping + "/theme.ogg").lufs - game.lufs) < 2);
    }

    // An undo stopped part way (a write that fails; a kill does the same) took back some files:
    // the next undo takes back the rest of that run, not the one before it.
    void anUndoStoppedPartWayIsFinishedByTheNext()
    {
        switchWith({{gameFile(3), myFile(3)}});
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        const Ran stopped = sonaplex({"undo"}, true, {"strace", "-f", "-qq", "-o", "/dev/null", "-e", "inject=rename:error=EIO:when=2+"});
        QCOMPARE(stopped.exit, 1);
        QCOMPARE(int(readAll(gameFile(1)) == original(1)) + int(readAll(gameFile(2)) == original(2)), 1);
        const Ran rest = sonaplex({"undo"});
        QVERIFY2(rest.exit == 0 && rest.out.contains("1 game file(s)"), qPrintable(rest.out + rest.err));
        QCOMPARE(readAll(gameFile(1)), original(1));
        QCOMPARE(readAll(gameFile(2)), original(2));
        QCOMPARE(readAll(gameFile(3)), song(3));
        // A file changed since the run (an update) is not overwritten by its undo: it is named and
        // left as it is, the next undo does not stop at it again, and restore puts its original back.
        QVERIFY(writeFile(gameFile(3), "an update's bytes"));
        const Ran changed = sonaplex({"undo", "--json"});
        QCOMPARE(changed.exit, 1);
        QVERIFY2(changed.out.contains("changed-meanwhile"), qPrintable(changed.out));
        QCOMPARE(readAll(gameFile(3)), QByteArray("an update's bytes"));
        const Ran next = sonaplex({"undo", "--json"});
        QVERIFY2(next.exit == 0 && !next.out.contains("changed-meanwhile"), qPrintable(next.out + next.err));
        QCOMPARE(readAll(gameFile(3)), QByteArray("an update's bytes"));
        QCOMPARE(sonaplex({"restore", game, "--all"}).exit, 0);
        QCOMPARE(readAll(gameFile(3)), original(3));
    }

    // A run of more files than a session's soft limit of open files (1,024 on most desktops; 256
    // here) lets through: the program raises it to the hard limit.
    void aRunOfManyFilesFitsUnderTheUsualOpenFileLimit()
    {
        const QString many = disk.path() + "/many", from = disk.path() + "/manyFrom";
        QVERIFY(QDir().mkpath(many) && QDir().mkpath(from));
        constexpr int kFiles = 600;
        for (int n = 0; n < kFiles; ++n)
            QVERIFY(writeFile(QStringLiteral("%1/s%2.mid").arg(many).arg(n), original(1))
                && writeFile(QStringLiteral("%1/s%2.mid").arg(from).arg(n), song(n % 3 + 1)));
        const Ran ran = sonaplex({"replace", many, "--from", from}, true, {"prlimit", "--nofile=256:8192", "--"});
        QCOMPARE(ran.exit, 0);
        QVERIFY2(ran.out.contains(QStringLiteral("%1 game file(s) were replaced.").arg(kFiles)), qPrintable(ran.err.left(2000)));
        QCOMPARE(readAll(many + "/s599.mid"), song(599 % 3 + 1));
        QCOMPARE(sonaplex({"undo"}, true, {"prlimit", "--nofile=256:8192", "--"}).exit, 0);
        QCOMPARE(readAll(many + "/s599.mid"), original(1));
    }

    void statusRestoreAndUndoAgreeWithTheWindows()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        Ran status = sonaplex({"status", game, "--json"});
        QCOMPARE(status.exit, 0);
        QJsonObject doc = status.json();
        QCOMPARE(doc["command"].toString(), "status");
        QCOMPARE(doc["folder"].toString(), game);
        QJsonArray files = doc["files"].toArray();
        QCOMPARE(files.size(), 2);
        QCOMPARE(files[0].toObject()["path"].toString(), gameFile(1));
        QCOMPARE(files[0].toObject()["state"].toString(), "replaced");
        QCOMPARE(files[0].toObject()["replacedBy"].toString(), myFile(1));
        QVERIFY(QDateTime::fromString(files[0].toObject()["at"].toString(), Qt::ISODate).isValid());
        // A game update puts file 2 back to something else: the command line sees it as the
        // windows do.
        QVERIFY(writeFile(gameFile(2), "patched by an update"));
        status = sonaplex({"status", game});
        QCOMPARE(status.exit, 0);
        QVERIFY2(status.out.contains(QRegularExpression("^replaced +" + QRegularExpression::escape(gameFile(1)) + "  \\(by "
                                                        + QRegularExpression::escape(myFile(1)),
                     QRegularExpression::MultilineOption)),
            qPrintable(status.out));
        QVERIFY(status.out.contains(QRegularExpression("^changed +" + QRegularExpression::escape(gameFile(2)),
            QRegularExpression::MultilineOption)));
        QCOMPARE(sonaplex({"status", mine}).out, QStringLiteral("No game file under %1 has been replaced.\n").arg(mine));

        // Restore one file by command: recorded, so the windows list it as original.
        Ran restored = sonaplex({"restore", game, "TRACK1.MID"}); // a name inside the folder
        QCOMPARE(restored.exit, 0);
        QVERIFY(restored.out.contains("1 game file(s) were put back as they were originally."));
        QCOMPARE(readAll(gameFile(1)), original(1));
        inRestore([&] {
            QCOMPARE(state(gameFile(1)), "original");
            QCOMPARE(state(gameFile(2)), "changed since");
        });

        // Undo by command takes the restore back, and the windows see that too.
        Ran undone = sonaplex({"undo", "--json"});
        QCOMPARE(undone.exit, 0);
        QCOMPARE(undone.json()["done"].toInt(), 1);
        QCOMPARE(undone.json()["files"].toArray()[0].toObject()["outcome"].toString(), "done");
        QCOMPARE(readAll(gameFile(1)), song(1));
        inRestore([&] { QCOMPARE(state(gameFile(1)), "replaced"); });

        // --all: the changed file is put back too (what the update put there is kept for undo).
        restored = sonaplex({"restore", game, "--all", "--json"});
        QCOMPARE(restored.exit, 0);
        QCOMPARE(restored.json()["done"].toInt(), 2);
        QCOMPARE(readAll(gameFile(1)), original(1));
        QCOMPARE(readAll(gameFile(2)), original(2));
        QVERIFY(sonaplex({"undo"}).out.contains("The last restore was undone: 2 game file(s)"));
        QCOMPARE(readAll(gameFile(2)), QByteArray("patched by an update"));
        // The update's bytes are back, but Sonaplex never chose them: changed, never "replaced",
        // and never shipped in a pack as the replacement.
        status = sonaplex({"status", game, "--json"});
        files = status.json()["files"].toArray();
        QCOMPARE(files.size(), 2);
        QCOMPARE(files[0].toObject()["state"].toString(), "replaced");
        QCOMPARE(files[1].toObject()["state"].toString(), "changed");
        QCOMPARE(files[1].toObject()["replacedBy"].toString(), myFile(2)); // what it put there last
        inRestore([&] { QCOMPARE(state(gameFile(2)), "changed since"); });
        const QString pack = disk.path() + "/mine.sonaplexpack";
        Ran made = sonaplex({"pack", "create", pack, "--from-game", game, "--json"});
        QCOMPARE(made.exit, 0);
        QCOMPARE(made.json()["entries"].toInt(), 1);
    }

    // A read of the record that fails (from each read on, as strace makes them fail) is said, with
    // its exit status: never "nothing was replaced", never a list cut short.
    void aRecordThatCannotBeReadIsNeverAnEmptyList()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is not installed");
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        runningProgram()->endProgram(); // the record closed: only the command reads it
        QTest::qWait(0);
        int failed = 0;
        for (int call = 1; call <= 40; ++call) {
            const Ran status = sonaplex({"status", game}, true,
                {"strace", "-f", "-o", "/dev/null", "-e", QStringLiteral("inject=pread64:error=EIO:when=%1+").arg(call)});
            if (status.exit == 0) {
                QVERIFY2(status.out.count('\n') == 3, qPrintable(QStringLiteral("read %1 failing: %2%3").arg(call).arg(status.out, status.err)));
                continue;
            }
            if (status.exit == 127)
                continue; // the system's loader read the program itself when it failed
            ++failed;
            QCOMPARE(status.exit, 3);
            QVERIFY2(status.err.contains("could not be read") || status.err.contains("cannot be used"), qPrintable(status.err));
            QVERIFY(status.out.isEmpty());
        }
        QVERIFY(failed > 0); // the faults reached the record
    }

    // A record written before versions were kept opens with every replacement and is brought up
    // to this version; one a later version wrote is left as it is, whole, and said.
    void aRecordOfAnotherVersionIsKeptWhole()
    {
        switchWith({{gameFile(1), myFile(1)}});
        runningProgram()->endProgram();
        QTest::qWait(0);
        const QString path = program->folder.path() + "/Replacements/record.sqlite";
        auto version = [&](const QString& change) {
            int v = -1;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "version");
                db.setDatabaseName(path);
                QSqlQuery q(db);
                if (db.open() && (change.isEmpty() || q.exec(change)) && q.exec("PRAGMA user_version") && q.next())
                    v = q.value(0).toInt();
            }
            QSqlDatabase::removeDatabase("version");
            return v;
        };
        QCOMPARE(version({}), 2);
        QVERIFY(version("DROP INDEX entries_unfinished") >= 0);
        QCOMPARE(version("PRAGMA user_version = 0"), 0); // as the first form of the record
        const Ran older = sonaplex({"status", game, "--json"});
        QCOMPARE(older.exit, 0);
        QCOMPARE(older.json().value("files").toArray().at(0).toObject().value("state").toString(), "replaced");
        QCOMPARE(version({}), 2);

        QCOMPARE(version("PRAGMA user_version = 99"), 99);
        const Ran later = sonaplex({"restore", game, "--all"});
        QVERIFY(later.exit != 0);
        QVERIFY2(later.err.contains("written by a later version of Sonaplex (record version 99; this one reads up to 2)"),
            qPrintable(later.err));
        QCOMPARE(readAll(gameFile(1)), song(1));
        QCOMPARE(version({}), 99);
        QCOMPARE(QDir(program->folder.path() + "/Replacements").entryList({"record.sqlite.damaged-*"}), QStringList());
    }

    // After an unclean close the record is checked at open; a read that fails during the check
    // is no verdict: the record is said to be unusable and stays where it is, whole.
    void aCheckThatCouldNotReadKeepsTheRecord()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is not installed");
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        runningProgram()->endProgram();
        QTest::qWait(0);
        const QString records = program->path("Replacements");
        int failed = 0;
        for (int call = 1; call <= 30; ++call) {
            QFile::remove(records + "/record.closed"); // as a kill leaves it: checked at the next open
            const Ran status = sonaplex({"status", game}, true,
                {"strace", "-f", "-o", "/dev/null", "-e", QStringLiteral("inject=pread64:error=EIO:when=%1+").arg(call)});
            const QStringList aside = QDir(records).entryList({"record.sqlite.damaged-*"}, QDir::Files);
            QVERIFY2(aside.isEmpty(), qPrintable(QStringLiteral("read %1 failing moved the record aside: %2").arg(call).arg(status.err)));
            if (status.exit != 0 && status.exit != 127) {
                ++failed;
                QCOMPARE(status.exit, 3);
            }
        }
        QVERIFY(failed > 0);
        const Ran status = sonaplex({"status", game, "--json"});
        QCOMPARE(status.exit, 0);
        QCOMPARE(status.json()["files"].toArray().size(), 2); // the history is all there
    }

    // An unfinished entry is settled by what its game file holds; a file beside it that only
    // has the name of a leftover copy, and not the content the entry was putting there, stays.
    void aRecordNamesNoFileToDelete()
    {
        runningProgram()->endProgram();
        QTest::qWait(0);
        const QString notes = disk.path() + "/Documents";
        QDir().mkpath(notes);
        QVERIFY(writeFile(notes + "/notes.wav", "mine"));
        QVERIFY(writeFile(notes + "/.notes.wav.sonaplex-AbC123", "a stranger's file of that name"));
        QVERIFY(writeFile(gameFile(1) + ".left", song(1)));
        QVERIFY(QFile::rename(gameFile(1) + ".left", game + "/.TRACK1.MID.sonaplex-xYz789")); // a killed run's copy
        {
            ReplacementRecord record(program->path("Replacements"));
            QVERIFY(record.begin());
            const qint64 run = record.beginRun("switch");
            QVERIFY(record.intend(run, notes + "/notes.wav", "0123", "4567", notes + "/x.wav") != 0);
            QVERIFY(record.intend(run, gameFile(1), contentHash(gameFile(1)).hash, contentHash(myFile(1)).hash, myFile(1)) != 0);
            QVERIFY(record.end());
        }
        QFile::remove(program->path("Replacements/record.closed"));
        // A killed command's passing work, and a running one's (this test's own process).
        const QString work = program->path("Replacements/work");
        const QString killed = work + "/Pack-999999999-abcdef", running = work + QStringLiteral("/Pack-%1-ghijkl").arg(QCoreApplication::applicationPid());
        QVERIFY(QDir().mkpath(killed) && QDir().mkpath(running));
        QVERIFY(writeFile(killed + "/1.wav", "inflated") && writeFile(running + "/1.wav", "inflated"));
        QCOMPARE(sonaplex({"status", game}).exit, 0);
        QVERIFY(QFileInfo::exists(notes + "/.notes.wav.sonaplex-AbC123"));
        QVERIFY(!QFileInfo::exists(game + "/.TRACK1.MID.sonaplex-xYz789"));
        QVERIFY(!QFileInfo::exists(killed));
        QVERIFY(QFileInfo::exists(running + "/1.wav"));
    }

    // A command never says "done" or "nothing to do" for something it did not look at.
    void commandsClaimOnlyWhatTheyDid()
    {
        switchWith({{gameFile(1), myFile(1)}});
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        // Neither a folder, nor a game, nor a folder the record knows.
        for (const QString& target : {QStringLiteral("No Such Game"), disk.path() + "/nonexistent"}) {
            for (const QStringList& args : {QStringList{"status", target}, QStringList{"restore", target, "--all"}}) {
                const Ran r = sonaplex(args);
                QVERIFY2(r.exit == 1, qPrintable(args.join(' ') + ": " + r.out + r.err));
                QVERIFY2(r.err.contains("is not a folder, nor an installed game"), qPrintable(r.err));
                QVERIFY(r.out.isEmpty());
            }
        }
        // A folder moved away that the record knows is still listed.
        QVERIFY(QDir().rename(game, game + " moved"));
        Ran r = sonaplex({"status", game});
        QCOMPARE(r.exit, 0);
        QVERIFY(r.out.contains(gameFile(1)));
        QVERIFY(QDir().rename(game + " moved", game));
        // restore FOLDER alone says what it needs.
        r = sonaplex({"restore", game});
        QCOMPARE(r.exit, 2);
        QVERIFY2(r.err.contains("needs --all, or the files to restore"), qPrintable(r.err));
        QCOMPARE(readAll(gameFile(1)), song(1));
    }

    // A game file that is there but cannot be read is named with its cause, and the command
    // says it did not do everything; the others are done.
    void aFileThatCannotBeReadIsNamedNeverPassedOver()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is not installed");
        switchWith({{gameFile(1), myFile(1)}, {gameFile(2), myFile(2)}});
        QVERIFY(writeFile(gameFile(1), "an update"));
        QVERIFY(writeFile(gameFile(2), "an update too"));
        runningProgram()->endProgram();
        QTest::qWait(0);
        // Every read of file 2 fails.
        const Ran r = sonaplex({"reapply", game}, true,
            {"strace", "-f", "-o", "/dev/null", "-P", gameFile(2), "-e", "inject=read:error=EIO"});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains(gameFile(2) + ": ") && r.err.contains("Input/output error"), qPrintable(r.err));
        QVERIFY2(r.out.contains("1 game file(s)"), qPrintable(r.out));
        QCOMPARE(readAll(gameFile(1)), song(1));
        QCOMPARE(readAll(gameFile(2)), QByteArray("an update too"));
        const Ran s = sonaplex({"status", game}, true,
            {"strace", "-f", "-o", "/dev/null", "-P", gameFile(2), "-e", "inject=read:error=EIO"});
        QCOMPARE(s.exit, 1);
        QVERIFY2(s.out.contains(QRegularExpression("^unreadable +" + QRegularExpression::escape(gameFile(2)),
                     QRegularExpression::MultilineOption)),
            qPrintable(s.out));
    }

    void exitCodesSayWhatHappened()
    {
        switchWith({{gameFile(1), myFile(1)}});
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        // A name JSON must escape (quotes, a backslash, a tab, not ASCII) reads back as it is.
        const QString odd = game + "/odd \"n\\ame\"\té.MID";
        QVERIFY(writeFile(odd, original(2)));
        switchWith({{odd, myFile(2)}});
        QJsonParseError parsed;
        const QJsonDocument listed = QJsonDocument::fromJson(sonaplex({"status", game, "--json"}).out.toUtf8(), &parsed);
        QCOMPARE(parsed.error, QJsonParseError::NoError);
        QStringList paths;
        for (const QJsonValue& f : listed.object()["files"].toArray())
            paths << f.toObject()["path"].toString();
        QCOMPARE(paths, (QStringList{gameFile(1), odd}));
        // 2: usage errors, each said on stderr; nothing touched.
        for (const QStringList& wrong : {QStringList{"frobnicate"}, QStringList{"status"}, QStringList{"restore", game},
                 QStringList{"restore", game, "--all", gameFile(1)}, QStringList{"undo", "now"},
                 QStringList{"status", game, "--force"}, QStringList{}}) {
            const Ran r = sonaplex(wrong);
            QVERIFY2(r.exit == 2, qPrintable(wrong.join(' ') + ": " + QString::number(r.exit)));
            QVERIFY(r.err.startsWith("sonaplex: "));
        }
        QCOMPARE(readAll(gameFile(1)), song(1));
        QCOMPARE(sonaplex({"--help"}).exit, 0);
        // The windows with no display: how to start them, and the commands that need none.
        QVERIFY(writeFile(disk.path() + "/a.sonaplexpack", "PK"));
        for (const QStringList& windows : {QStringList{}, QStringList{disk.path() + "/a.sonaplexpack"}}) {
            const Ran r = sonaplex(windows, false);
            QCOMPARE(r.exit, 2);
            QVERIFY2(r.err.startsWith("sonaplex: there is no display to open the windows on.\n")
                    && r.err.contains("\nCommands:\n  status FOLDER|GAME"),
                qPrintable(r.err));
        }
        // 3: the program folder cannot be used.
        Ran r = sonaplex({"--program-folder", disk.path() + "/no such folder", "status", game}, false);
        QCOMPARE(r.exit, 3);
        QVERIFY(r.err.contains("no such folder is not there"));
        // 1: a file the record does not know is named, the others are still restored.
        r = sonaplex({"restore", game, gameFile(1), gameFile(3)});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains(gameFile(3) + ": Sonaplex has not replaced this file"), qPrintable(r.err));
        QCOMPARE(readAll(gameFile(1)), original(1));
        // check: what the players show, or why the file cannot be used.
        QVERIFY(writeWave(mine + "/tone.wav", std::vector<float>(22050, 0.25f), 22050, 1, 0x010002));
        QVERIFY(writeFile(mine + "/fake.wav", "not a wave at all"));
        r = sonaplex({"check", mine + "/tone.wav", myFile(1), "--json"});
        QCOMPARE(r.exit, 0);
        const QJsonArray checked = r.json()["files"].toArray();
        QCOMPARE(checked[0].toObject()["format"].toString(), "22050 Hz \u00b7 mono \u00b7 16-bit \u00b7 0:01.0");
        QVERIFY(qAbs(checked[0].toObject()["peakDb"].toDouble() - 20 * std::log10(0.25)) < 0.01);
        QCOMPARE(checked[1].toObject()["kind"].toString(), "midi");
        QVERIFY(checked[1].toObject()["usable"].toBool());
        r = sonaplex({"check", mine + "/tone.wav", mine + "/fake.wav"});
        QCOMPARE(r.exit, 1);
        QVERIFY(r.out.contains("peak -12.0 dBFS"));
        QVERIFY(r.err.startsWith(mine + "/fake.wav: cannot be used: "));
    }

    // Ctrl+C during a restore of many large files: the run stops before the first game file
    // changes, or (once they change) goes on to the end; either way each file is whole, and
    // what the report names is what happened. Row "waiting": another run holds the record's
    // turn, so the interrupt surely comes before any file changes.
    void anInterruptedRestoreLeavesEveryFileWhole_data()
    {
        QTest::addColumn<int>("afterMs");
        QTest::addColumn<bool>("waiting");
        QTest::addRow("waiting for its turn") << 300 << true;
        for (int ms : {20, 60, 150, 400})
            QTest::addRow("%d ms", ms) << ms << false;
    }
    void anInterruptedRestoreLeavesEveryFileWhole()
    {
        QFETCH(int, afterMs);
        QFETCH(bool, waiting);
        program.reset(); // the record is the command line's alone here
        QTemporaryDir folder;
        const QString big = disk.path() + "/Big";
        QDir().mkpath(big);
        constexpr int kFiles = 24;
        auto originalOf = [](int n) { return QByteArray(3 << 20, char('a' + n % 26)); };
        auto replacementOf = [](int n) { return QByteArray(3 << 20, char('A' + n % 26)); };
        std::vector<Selection> selections;
        for (int n = 0; n < kFiles; ++n) {
            const QString name = QStringLiteral("fx%1.wav").arg(n);
            QVERIFY(writeFile(big + "/" + name, originalOf(n)));
            QVERIFY(writeFile(mine + "/" + name, replacementOf(n)));
            selections.push_back({big + "/" + name, name, mine + "/" + name, name});
        }
        {
            ReplacementRecord record(folder.path() + "/Replacements");
            for (size_t i = 0; i < selections.size(); i += 6) {
                const std::vector<Selection> six(selections.begin() + long(i), selections.begin() + long(i + 6));
                QVERIFY(replaceGameFiles(six, {}, &record).ok());
            }
        }
        ReplacementRecord other(folder.path() + "/Replacements");
        if (waiting)
            QVERIFY(other.tryTakeTurn());
        QProcess p;
        p.setProcessEnvironment(noDisplay(disk.path()));
        p.start(QStringLiteral(SONAPLEX_EXECUTABLE), {"--program-folder", folder.path(), "restore", big, "--all", "--json"});
        QVERIFY(p.waitForStarted());
        QVERIFY(catchesInterrupts(p)); // from then on the delay counts
        QTest::qWait(afterMs);
        if (p.state() == QProcess::Running)
            ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.state() == QProcess::NotRunning || p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        const QJsonObject doc = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QMap<QString, QString> outcome;
        for (const QJsonValue& f : doc["files"].toArray())
            outcome[f.toObject()["path"].toString()] = f.toObject()["outcome"].toString();
        int restored = 0;
        for (int n = 0; n < kFiles; ++n) {
            const QString path = big + QStringLiteral("/fx%1.wav").arg(n);
            const QByteArray now = readAll(path);
            QVERIFY2(now == originalOf(n) || now == replacementOf(n), qPrintable(path + " is not whole"));
            if (outcome.value(path) == "done") {
                QVERIFY(now == originalOf(n));
                ++restored;
            } else {
                QVERIFY2(now == replacementOf(n), qPrintable(path + " changed but is not reported done"));
                // Read before the interrupt, or named as not changed.
                QVERIFY(outcome.isEmpty() || err.contains(path + ": not changed"));
            }
        }
        QCOMPARE(p.exitCode(), restored == kFiles ? 0 : 1);
        if (waiting) {
            QCOMPARE(restored, 0);
            QCOMPARE(err.count(": not changed, because the run was cancelled"), kFiles);
        }
        // No temporary copy is left beside the game files.
        QCOMPARE(QDir(big).entryList(QDir::Files | QDir::Hidden).size(), kFiles);
    }
};

SONAPLEX_TEST_MAIN(TestCommandLine)
#include "test_command_line.moc"
