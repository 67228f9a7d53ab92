// Sound packs through the real executable: made from a saved set and from what the windows
// replaced, applied to a fresh copy of the game and taken off byte for byte, each state of the
// check, two packs over the same file, conversion to the game's format; and every kind of
// hostile pack refused by name with nothing written anywhere.
#include "audio/analysis.h"
#include "base/content_hash.h"
#include "base/program_folder.h"
#include "readers/sound_pack.h"
#include "music/frm_midi.h"
#include "packs/frm_packs.h"
#include "app/program.h"
#include "cli/command_line.h"
#include "restore/midi_game.h"
#include "ui/sample_player.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeView>

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <zip.h>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {

struct Ran {
    int exit = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

// Every file and folder under `root` with its size and modification time: what "nothing was
// written" is checked against.
QStringList listing(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo f(it.next());
        lines << QStringLiteral("%1 %2 %3").arg(f.filePath()).arg(f.isDir() ? -1 : f.size()).arg(f.lastModified().toMSecsSinceEpoch());
    }
    lines.sort();
    return lines;
}

QString hashOf(const QByteArray& bytes)
{
    ContentHasher h;
    h.update(bytes.constData(), size_t(bytes.size()));
    return h.digest();
}

// A zip archive made by hand, as someone else's tool would make it: any manifest, any members.
struct HandMade {
    QByteArray manifest;
    std::vector<std::pair<QByteArray, QByteArray>> members; // name, content
    int method = ZIP_CM_DEFLATE;

    bool writeTo(const QString& path) const
    {
        int error = 0;
        zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        if (!zip)
            return false;
        auto add = [&](const QByteArray& name, const QByteArray& bytes) {
            zip_source_t* s = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
            const zip_int64_t i = zip_file_add(zip, name.constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
            if (i >= 0)
                zip_set_file_compression(zip, zip_uint64_t(i), method, 9);
            return i >= 0;
        };
        bool ok = manifest.isNull() || add("manifest.json", manifest);
        for (const auto& [name, bytes] : members)
            ok = ok && add(name, bytes);
        return zip_close(zip) == 0 && ok;
    }
};

QByteArray manifestOf(const QJsonArray& entries)
{
    return QJsonDocument(QJsonObject{{"sonaplexPack", 1}, {"name", "hostile"}, {"entries", entries}}).toJson();
}

QJsonObject entryOf(const QString& path, const QByteArray& bytes, const QString& file = {})
{
    return {{"path", path}, {"file", file.isEmpty() ? path : file}, {"hash", hashOf(bytes)}};
}

} // namespace

class TestPacks : public MidiGame {
    Q_OBJECT

    QString packs() { return disk.path() + "/packs"; }

    // `under`: a program to run it under (strace), with its arguments.
    Ran sonaplex(const QStringList& args, const QStringList& under = {})
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert("HOME", disk.path());
        env.insert("XDG_DATA_HOME", disk.path() + "/.local/share");
        if (!under.isEmpty()) // LeakSanitizer cannot run under ptrace (the sanitizer build)
            env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        p.setProcessEnvironment(env);
        const QStringList command
            = QStringList{QStringLiteral(SONAPLEX_EXECUTABLE), "--program-folder", program->folder.path()} + args;
        p.start(under.isEmpty() ? command.front() : under.front(), under.mid(1) + (under.isEmpty() ? command.mid(1) : command));
        if (!p.waitForFinished(120000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
    }

    // A copy of the game as freshly installed: its original tracks.
    QString freshCopy(const QString& name)
    {
        const QString copy = disk.path() + "/" + name;
        QDir().mkpath(copy);
        for (int n = 1; n <= 3; ++n)
            writeFile(copy + QStringLiteral("/TRACK%1.MID").arg(n), original(n));
        return copy;
    }

    QMap<QString, QString> states(const Ran& check)
    {
        QMap<QString, QString> s;
        for (const QJsonValue& e : check.json()["entries"].toArray())
            s.insert(e["path"].toString(), e["state"].toString() + "/" + e["action"].toString());
        return s;
    }

private slots:
    void init()
    {
        makeGame();
        QDir().mkpath(packs());
    }
    void cleanup() { program.reset(); }

    void aPackOfWhatTheWindowsReplacedAppliesToAFreshGameAndComesOff()
    {
        switchWith({{gameFile(1), myFile(1)}, {gameFile(3), myFile(3)}});
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        // The songs may go: the pack is made from the copies Sonaplex kept.
        QVERIFY(QFile::remove(myFile(1)) && QFile::remove(myFile(3)));
        Ran made = sonaplex({"pack", "create", packs() + "/mine", "--from-game", game, "--name", "My tracks", "--author", "Ann"});
        QVERIFY2(made.exit == 0, qPrintable(made.err));
        const QString pack = packs() + "/mine.sonaplexpack";
        QVERIFY(QFileInfo(pack).isFile());

        const QString fresh = freshCopy("Fresh");
        Ran checked = sonaplex({"pack", "check", pack, fresh, "--json"});
        QCOMPARE(checked.exit, 0);
        QCOMPARE(checked.json()["pack"].toObject()["name"].toString(), "My tracks");
        QCOMPARE(checked.json()["pack"].toObject()["author"].toString(), "Ann");
        QCOMPARE(states(checked), (QMap<QString, QString>{{"TRACK1.MID", "original/replace"}, {"TRACK3.MID", "original/replace"}}));

        Ran applied = sonaplex({"pack", "apply", pack, fresh, "--json"});
        QVERIFY2(applied.exit == 0, qPrintable(applied.err));
        QCOMPARE(applied.json()["command"].toString(), "pack apply");
        QCOMPARE(applied.json()["done"].toInt(), 2);
        QCOMPARE(readAll(fresh + "/TRACK1.MID"), song(1));
        QCOMPARE(readAll(fresh + "/TRACK2.MID"), original(2));
        QCOMPARE(readAll(fresh + "/TRACK3.MID"), song(3));
        QCOMPARE(states(sonaplex({"pack", "check", pack, fresh, "--json"})),
            (QMap<QString, QString>{{"TRACK1.MID", "applied/nothing"}, {"TRACK3.MID", "applied/nothing"}}));

        // Taken off in one step, byte for byte; undo puts it on again, as it takes back any restore.
        Ran removed = sonaplex({"pack", "remove", pack, fresh});
        QVERIFY2(removed.exit == 0, qPrintable(removed.err));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(fresh + QStringLiteral("/TRACK%1.MID").arg(n)), original(n));
        QCOMPARE(sonaplex({"undo"}).exit, 0);
        QCOMPARE(readAll(fresh + "/TRACK1.MID"), song(1));
        // And the windows list what the pack did, by the pack's name.
        inRestore([&] { QCOMPARE(state(fresh + "/TRACK1.MID"), "replaced"); });
    }

    // A pack for another game, and a pack the disk cannot read, are said as what they are.
    void aPackForAnotherGameOrThatCannotBeReadIsSaidSo()
    {
        switchWith({{gameFile(1), myFile(1)}});
        const QString pack = packs() + "/mine.sonaplexpack";
        QCOMPARE(sonaplex({"pack", "create", pack, "--from-game", game, "--name", "Mine"}).exit, 0);
        const QString other = disk.path() + "/Other Game";
        QDir().mkpath(other + "/sound");
        QVERIFY(writeFile(other + "/sound/fx.wav", "its own"));
        Ran r = sonaplex({"pack", "apply", pack, other});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains("the pack is for Game, and none of its files are in " + other), qPrintable(r.err));
        QVERIFY(!r.out.contains("Nothing to apply"));
        QCOMPARE(readAll(other + "/sound/fx.wav"), QByteArray("its own"));
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is not installed");
        // Every read of the pack fails, as on a failing disk: not the pack's fault.
        const QString fresh = freshCopy("Fresh");
        int reached = 0;
        for (const char* call : {"read", "pread64"}) {
            r = sonaplex({"pack", "apply", pack, fresh},
                {"strace", "-f", "-o", "/dev/null", "-P", pack, "-e", QStringLiteral("inject=%1:error=EIO").arg(call)});
            if (r.exit == 0)
                continue; // this call does not read the pack
            ++reached;
            QCOMPARE(r.exit, 1);
            QVERIFY2(r.err.contains(pack + " could not be read") && !r.err.contains("is refused")
                    && !r.err.contains("Unknown error"),
                qPrintable(r.err));
            QCOMPARE(readAll(fresh + "/TRACK1.MID"), original(1));
        }
        QVERIFY(reached > 0);
    }

    // What strangers' packs may hold beyond hostile entries: words that would speak to the
    // terminal, one member named by many entries, one game file by several paths.
    void aPacksWordsMembersAndLinksAreTakenForWhatTheyAre()
    {
        // Control characters in the pack's name reach the terminal escaped.
        const QByteArray sound = readAll(myFile(1));
        HandMade loud{QJsonDocument(QJsonObject{{"sonaplexPack", 1}, {"name", "Calm\u001b]0;pwned\u0007\u001b[2J"},
                                        {"author", "A\u001b[31mred"}, {"entries", QJsonArray{entryOf("TRACK1.MID", sound, "s.mid")}}})
                          .toJson(),
            {{"s.mid", sound}}};
        const QString pack = packs() + "/loud.sonaplexpack";
        QVERIFY(loud.writeTo(pack));
        Ran r = sonaplex({"pack", "check", pack, game});
        QCOMPARE(r.exit, 0);
        QVERIFY2(!r.out.contains(QChar(0x1b)) && !r.out.contains(QChar(0x07)) && r.out.contains("\\x1b]0;pwned\\x07"),
            qPrintable(r.out));

        // One member named by three entries is inflated once.
        const QString wave = disk.path() + "/Waves";
        QDir().mkpath(wave);
        for (const char* name : {"a.wav", "b.wav", "c.wav"})
            QVERIFY(writeWave(wave + "/" + name, std::vector<float>(4410, 0.1f), 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        std::vector<float> noise(1 << 20); // does not deflate much, as real sound
        quint32 seed = 12345;
        for (float& v : noise) {
            seed = seed * 1664525u + 1013904223u;
            v = float(seed >> 8) / float(1u << 24) - 0.5f;
        }
        QVERIFY(writeWave(disk.path() + "/big.wav", noise, 44100, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        const QByteArray big = readAll(disk.path() + "/big.wav"); // 2 MiB
        HandMade shared{manifestOf({entryOf("a.wav", big, "big.wav"), entryOf("b.wav", big, "big.wav"),
                            entryOf("c.wav", big, "big.wav")}),
            {{"big.wav", big}}};
        QVERIFY(shared.writeTo(pack));
        if (!QStandardPaths::findExecutable("strace").isEmpty()) {
            const QString trace = disk.path() + "/writes";
            r = sonaplex({"pack", "check", pack, wave}, {"strace", "-f", "-e", "trace=write,pwrite64", "-o", trace});
            QVERIFY2(r.exit == 0, qPrintable(r.err));
            qint64 written = 0;
            static const QRegularExpression result("= (\\d+)$");
            for (const QByteArray& line : readAll(trace).split('\n'))
                written += result.match(QString::fromLatin1(line)).captured(1).toLongLong();
            QVERIFY2(written < 2 * big.size(), qPrintable(QString::number(written)));
        }
        r = sonaplex({"pack", "apply", pack, wave});
        QCOMPARE(r.exit, 0);
        for (const char* name : {"a.wav", "b.wav", "c.wav"})
            QCOMPARE(readAll(wave + "/" + name), big);

        // One game file by two paths (a link inside the game folder) is one game file.
        QVERIFY(QFile::link(".", game + "/self"));
        HandMade twice{manifestOf({entryOf("TRACK1.MID", sound, "s.mid"), entryOf("self/TRACK1.MID", sound, "s.mid")}),
            {{"s.mid", sound}}};
        QVERIFY(twice.writeTo(pack));
        r = sonaplex({"pack", "apply", pack, game});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains("self/TRACK1.MID: is the same game file as TRACK1.MID"), qPrintable(r.err));
        QCOMPARE(readAll(gameFile(1)), original(1));
    }

    void theWindowMakesChecksAppliesAndTakesOffAPack()
    {
        switchWith({{gameFile(2), myFile(2)}});
        const QString fresh = freshCopy("Fresh");
        const QString pack = packs() + "/window.sonaplexpack";
        QString chosenFolder = game;
        DesktopAnswers answers;
        answers.folder = [&](const QString&) { return chosenFolder; };
        answers.file = [&](const QString&, bool save) { return save ? packs() + "/window" : pack; };
        answers.typed = [](const QString&, const QString&) { return QStringLiteral("From the window"); };
        program->forms().load<FrmMidi>();
        bool inside = false;
        onModal("FrmPacks", [&] {
            inside = true;
            // Made of what the windows replaced in the game.
            click("FrmPacks", "CmdChooseGame");
            click("FrmPacks", "CmdPackFromGame");
            QVERIFY2(program->messages.lastText().contains("1 sound(s) written to"), qPrintable(program->messages.lastText()));
            QVERIFY(QFileInfo(pack).isFile());
            // Checked against a fresh copy: one row, what it holds and what will happen.
            chosenFolder = fresh;
            click("FrmPacks", "CmdChooseGame");
            click("FrmPacks", "CmdOpenPack");
            const QAbstractItemModel* list = control<QTreeView>("FrmPacks", "LstPackEntries")->model();
            auto cell = [&](int column) { return list->index(0, column).data().toString(); };
            QCOMPARE(list->rowCount(), 1);
            QCOMPARE(cell(0), "TRACK2.MID");
            QCOMPARE(cell(1), "the original the pack replaces");
            QCOMPARE(cell(3), "replace");
            QVERIFY(text("FrmPacks", "LblPackTitle").startsWith("From the window (1.0), for Game"));
            // Both sides are in the players, to listen to before anything is written.
            QCOMPARE(control<SamplePlayer>("FrmPacks", "PlyPackGameFile")->fileName(), fresh + "/TRACK2.MID");
            QVERIFY(control<SamplePlayer>("FrmPacks", "PlyPackSound")->fileName().endsWith("/1.mid"));
            QCOMPARE(readAll(fresh + "/TRACK2.MID"), original(2));

            click("FrmPacks", "CmdApplyPack");
            QCOMPARE(program->messages.lastText(), "1 game file(s) were replaced from the pack.");
            QCOMPARE(readAll(fresh + "/TRACK2.MID"), song(2));
            QCOMPARE(cell(3), "nothing to do");
            click("FrmPacks", "CmdRemovePack");
            QCOMPARE(program->messages.lastText(), "1 game file(s) were put back as they were before the pack.");
            for (int n = 1; n <= 3; ++n)
                QCOMPARE(readAll(fresh + QStringLiteral("/TRACK%1.MID").arg(n)), original(n));
            const QDir work(program->forms().folders().work());
            QCOMPARE(work.entryList({"Pack-*"}, QDir::Dirs).size(), 1); // the inflated sounds
            click("FrmPacks", "CmdClosePacks");
            QVERIFY(work.entryList({"Pack-*"}, QDir::Dirs).isEmpty()); // gone with the window
        });
        click("FrmMidi", "CmdPacks");
        QVERIFY(inside);
        QVERIFY(!isShown("FrmPacks"));
    }

    // A pack double-clicked in the file manager starts the program with it; one dropped on any
    // window opens too, known by its content when its name does not say.
    void aPackOpensFromTheFileManagerOrADropOnAnyWindow()
    {
        PackManifest m;
        m.name = QStringLiteral("Given");
        m.entries.push_back({QStringLiteral("TRACK1.MID"), {}, {}});
        const QString pack = packs() + "/given.sonaplexpack", download = packs() + "/download";
        QVERIFY(writePack(pack, m, {myFile(1)}));
        QVERIFY(QFile::copy(pack, download));
        QVERIFY(looksLikePack(pack) && looksLikePack(download));
        QVERIFY(!looksLikePack(myFile(1)) && !looksLikePack(packs()));
        auto startsWindows = [](const QString& argument) {
            QByteArray program("sonaplex"), given = QFile::encodeName(argument);
            char* argv[] = {program.data(), given.data(), nullptr};
            return !cli::wantsCommandLine(2, argv);
        };
        QVERIFY(startsWindows(pack) && startsWindows(download));
        QVERIFY(!startsWindows("status") && !startsWindows(myFile(1))); // a command; a typo is a usage error

        // The window comes first, then the pack is read in it: looked at once it is.
        auto opened = [&](const QString& expected) {
            bool inside = false;
            std::function<void()> look = [&] {
                if (text("FrmPacks", "LblPackFile") != expected) {
                    onModal("FrmPacks", look);
                    return;
                }
                QVERIFY(text("FrmPacks", "LblPackTitle").startsWith("Given"));
                inside = true;
                click("FrmPacks", "CmdClosePacks");
            };
            onModal("FrmPacks", look);
            QTRY_VERIFY(inside);
        };
        openGivenFile(program->forms(), pack);
        opened(pack);
        QVERIFY(isShown("FrmMidi"));

        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(download)});
        QWidget* music = window("FrmMidi");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(music, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(music, &drop);
        opened(download);
    }

    // Sets made since the window was last shown are offered, backup sets and empty ones never;
    // a pack carries its author and description; a pack for another game says so first; a
    // pack that is refused leaves the open one open.
    void thePacksWindowSaysWhoMadeAPackAndForWhichGame()
    {
        const QString root = program->folder.path();
        QDir().mkpath(root + "/Empty");
        QDir().mkpath(root + "/Backup");
        QVERIFY(writeFile(root + "/Backup/TRACK1.MID", original(1)) && writeFile(root + "/Backup/.sonaplex-backup-set", "{}"));
        QDir().mkpath(root + "/Calm");
        QVERIFY(writeFile(root + "/Calm/TRACK1.MID", song(1)));
        PackManifest elsewhere;
        elsewhere.name = QStringLiteral("Drift sounds");
        elsewhere.gameName = QStringLiteral("Ardent Drift");
        elsewhere.entries.push_back({QStringLiteral("engine/ROAR.MID"), {}, {}});
        QVERIFY(writePack(packs() + "/drift.sonaplexpack", elsewhere, {myFile(2)}));
        QVERIFY(writeFile(packs() + "/bad.sonaplexpack", "PK\x03\x04 not an archive"));

        QString chosen;
        DesktopAnswers answers;
        answers.folder = [&](const QString&) { return game; };
        answers.file = [&](const QString&, bool save) { return save ? packs() + "/calm" : chosen; };
        answers.typed = [](const QString&, const QString&) { return QStringLiteral("Calm tracks"); };
        program->forms().load<FrmMidi>();
        auto sets = [] {
            QStringList names;
            const auto* box = control<QComboBox>("FrmPacks", "CboPackSets");
            for (int i = 0; i < box->count(); ++i)
                names << box->itemText(i);
            return names;
        };
        bool inside = false;
        onModal("FrmPacks", [&] {
            QCOMPARE(sets(), QStringList{"Calm"});
            click("FrmPacks", "CmdClosePacks");
        });
        click("FrmMidi", "CmdPacks");
        QDir().mkpath(root + "/Later");
        QVERIFY(writeFile(root + "/Later/TRACK2.MID", song(2)));
        onModal("FrmPacks", [&] {
            inside = true;
            QCOMPARE(sets(), (QStringList{"Calm", "Later"}));
            click("FrmPacks", "CmdChooseGame");
            control<QComboBox>("FrmPacks", "CboPackSets")->setCurrentText("Calm");
            control<QLineEdit>("FrmPacks", "TxtPackAuthor")->setText("Ann Example");
            control<QLineEdit>("FrmPacks", "TxtPackDescription")->setText("Quieter music for the whole game");
            click("FrmPacks", "CmdPackFromSet");
            PackRefusal refused;
            const auto made = PackArchive::open(packs() + "/calm.sonaplexpack", &refused);
            QVERIFY2(made, qPrintable(refused.why));
            QCOMPARE(made->manifest().author, "Ann Example");
            QCOMPARE(made->manifest().description, "Quieter music for the whole game");

            chosen = packs() + "/drift.sonaplexpack";
            click("FrmPacks", "CmdOpenPack");
            QVERIFY2(text("FrmPacks", "LblPackSummary").startsWith("Made for Ardent Drift; 0 of its 1 sounds are in Game. "),
                qPrintable(text("FrmPacks", "LblPackSummary")));
            chosen = packs() + "/bad.sonaplexpack";
            click("FrmPacks", "CmdOpenPack");
            QVERIFY2(program->messages.lastText().endsWith("drift.sonaplexpack stays open."), qPrintable(program->messages.lastText()));
            QCOMPARE(text("FrmPacks", "LblPackFile"), packs() + "/drift.sonaplexpack");
            QVERIFY(text("FrmPacks", "LblPackSummary").startsWith("Made for Ardent Drift"));
            click("FrmPacks", "CmdClosePacks");
        });
        click("FrmMidi", "CmdPacks");
        QVERIFY(inside);
    }

    void aPackOfASavedSetFindsItsGameFilesAndEveryStateIsSaid()
    {
        const QString set = program->folder.path() + "/Calm";
        QDir().mkpath(set);
        QVERIFY(writeFile(set + "/TRACK1.MID", song(1)));
        QVERIFY(writeFile(set + "/track2.mid", song(2))); // any case
        QVERIFY(writeFile(set + "/TRACK3.MID", song(3)));
        const QString deep = freshCopy("Deep");
        QVERIFY(QFile::rename(deep + "/TRACK3.MID", deep + "/nested.tmp"));
        QDir().mkpath(deep + "/music/deep");
        QVERIFY(QFile::rename(deep + "/nested.tmp", deep + "/music/deep/TRACK3.MID"));
        Ran made = sonaplex({"pack", "create", packs() + "/calm.sonaplexpack", "--from-set", "Calm", "--game", deep});
        QVERIFY2(made.exit == 0, qPrintable(made.err));

        // Against another copy: one original, one changed by an update, one already replaced by
        // this pack's sound, one missing.
        const QString other = freshCopy("Other");
        QDir().mkpath(other + "/music/deep");
        QVERIFY(writeFile(other + "/music/deep/TRACK3.MID", song(3)));
        QVERIFY(writeFile(other + "/TRACK2.MID", "an update's track"));
        QVERIFY(QFile::remove(other + "/TRACK3.MID"));
        Ran checked = sonaplex({"pack", "check", packs() + "/calm.sonaplexpack", other, "--json"});
        QCOMPARE(checked.exit, 0);
        QCOMPARE(states(checked), (QMap<QString, QString>{{"TRACK1.MID", "original/replace"},
                                      {"TRACK2.MID", "other/replace"}, {"music/deep/TRACK3.MID", "applied/nothing"}}));
        QVERIFY(QFile::remove(other + "/music/deep/TRACK3.MID"));
        QCOMPARE(states(sonaplex({"pack", "check", packs() + "/calm.sonaplexpack", other, "--json"})).value("music/deep/TRACK3.MID"),
            "missing/skip");

        // A set whose file no game file is named after writes no pack.
        QVERIFY(writeFile(set + "/nowhere.mid", song(1)));
        Ran refused = sonaplex({"pack", "create", packs() + "/none.sonaplexpack", "--from-set", "Calm", "--game", deep});
        QCOMPARE(refused.exit, 1);
        QVERIFY2(refused.err.contains("nowhere.mid: no game file of this name"), qPrintable(refused.err));
        QVERIFY(!QFileInfo::exists(packs() + "/none.sonaplexpack"));
        // Nor is a pack written over another file.
        QVERIFY(QFile::remove(set + "/nowhere.mid"));
        const QByteArray made1 = readAll(packs() + "/calm.sonaplexpack");
        Ran over = sonaplex({"pack", "create", packs() + "/calm.sonaplexpack", "--from-set", "Calm", "--game", deep});
        QCOMPARE(over.exit, 1);
        QVERIFY2(over.err.contains("is already there"), qPrintable(over.err));
        QCOMPARE(readAll(packs() + "/calm.sonaplexpack"), made1);
    }

    void twoPacksOverOneFileTheLaterWinsOnlyWhenAsked()
    {
        const QString set = program->folder.path() + "/A";
        QDir().mkpath(set);
        QVERIFY(writeFile(set + "/TRACK1.MID", song(1)));
        QVERIFY(writeFile(set + "/TRACK2.MID", song(2)));
        QVERIFY(sonaplex({"pack", "create", packs() + "/a", "--from-set", "A", "--game", game}).exit == 0);
        QDir().mkpath(program->folder.path() + "/B");
        QVERIFY(writeFile(program->folder.path() + "/B/TRACK2.MID", song(3)));
        QVERIFY(sonaplex({"pack", "create", packs() + "/b", "--from-set", "B", "--game", game}).exit == 0);
        const QString a = packs() + "/a.sonaplexpack", b = packs() + "/b.sonaplexpack";

        QCOMPARE(sonaplex({"pack", "apply", a, game}).exit, 0);
        Ran checked = sonaplex({"pack", "check", b, game, "--json"});
        QCOMPARE(states(checked).value("TRACK2.MID"), "replaced/keep");
        QCOMPARE(checked.json()["entries"].toArray().at(0).toObject().value("replacedBy").toString(), a + "/TRACK2.MID");
        Ran kept = sonaplex({"pack", "apply", b, game});
        QCOMPARE(kept.exit, 0);
        QVERIFY2(kept.out.contains("TRACK2.MID: left as it is"), qPrintable(kept.out));
        QCOMPARE(readAll(gameFile(2)), song(2));

        QCOMPARE(sonaplex({"pack", "apply", b, game, "--over-others"}).exit, 0);
        QCOMPARE(readAll(gameFile(2)), song(3));
        // Taking B off gives back what B replaced: A's sound. Then A comes off to the originals.
        QCOMPARE(sonaplex({"pack", "remove", b, game}).exit, 0);
        QCOMPARE(readAll(gameFile(2)), song(2));
        QCOMPARE(sonaplex({"pack", "remove", a, game}).exit, 0);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readAll(gameFile(n)), original(n));
    }

    void soundsOfAnotherRateAreConvertedWhenAsked()
    {
        const QString wave = disk.path() + "/WaveGame";
        QDir().mkpath(wave + "/sfx");
        const std::vector<float> tone = referenceSignal(22050, 1, 0.4);
        QVERIFY(writeWave(wave + "/sfx/hit.wav", tone, 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        QVERIFY(writeWave(wave + "/sfx/miss.wav", tone, 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        const QString set = program->folder.path() + "/Hi";
        QDir().mkpath(set);
        const std::vector<float> hi = referenceSignal(48000, 2, 0.4);
        QVERIFY(writeWave(set + "/hit.wav", hi, 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(writeWave(set + "/miss.wav", hi, 48000, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        QVERIFY(sonaplex({"pack", "create", packs() + "/hi", "--from-set", "Hi", "--game", wave}).exit == 0);
        const QString pack = packs() + "/hi.sonaplexpack";
        const QByteArray before = readAll(wave + "/sfx/hit.wav");

        Ran checked = sonaplex({"pack", "check", pack, wave, "--json"});
        const QJsonObject first = checked.json()["entries"].toArray()[0].toObject();
        QCOMPARE(first["format"].toString(), "differs");
        QVERIFY(first["formatDifference"].toString().contains("48000 Hz"));

        Ran applied = sonaplex({"pack", "apply", pack, wave, "--convert"});
        QVERIFY2(applied.exit == 0, qPrintable(applied.err));
        for (const char* name : {"/sfx/hit.wav", "/sfx/miss.wav"}) {
            const audio::SoundInfo info = audio::soundInfo(audio::DeviceKind::WaveAudio, wave + name);
            QCOMPARE(info.rate, 22050);
            QCOMPARE(info.channels, 1);
            QCOMPARE(info.sfFormat, SF_FORMAT_WAV | SF_FORMAT_PCM_U8);
        }
        // Converted, it still counts as this pack's, and comes off.
        QCOMPARE(states(sonaplex({"pack", "check", pack, wave, "--json"})).value("sfx/hit.wav"), "applied/nothing");
        QCOMPARE(sonaplex({"pack", "remove", pack, wave}).exit, 0);
        QCOMPARE(readAll(wave + "/sfx/hit.wav"), before);

        // As they are: named in the output, copied byte for byte.
        Ran asIs = sonaplex({"pack", "apply", pack, wave});
        QCOMPARE(asIs.exit, 0);
        QVERIFY2(asIs.out.contains("sfx/hit.wav: copied as it is; its format differs"), qPrintable(asIs.out));
        QCOMPARE(readAll(wave + "/sfx/hit.wav"), readAll(set + "/hit.wav"));

        // An update puts the game's own file back. What the pack put there as it was is not kept
        // a second time: Replace Again reads it from the pack, and says so when the pack is gone.
        QVERIFY(writeFile(wave + "/sfx/hit.wav", before));
        QVERIFY(QFile::rename(pack, pack + ".away"));
        Ran gone = sonaplex({"reapply", wave});
        QCOMPARE(gone.exit, 1);
        QVERIFY2(gone.err.contains("sfx/hit.wav: what Sonaplex put there is not found again: the pack ")
                && gone.err.contains("is gone: keep the pack file to replace again after an update"),
            qPrintable(gone.out + gone.err));
        QCOMPARE(readAll(wave + "/sfx/hit.wav"), before);
        QVERIFY(QFile::rename(pack + ".away", pack));
        Ran again = sonaplex({"reapply", wave});
        QVERIFY2(again.exit == 0, qPrintable(again.err));
        QCOMPARE(readAll(wave + "/sfx/hit.wav"), readAll(set + "/hit.wav"));
    }

    // A desktop session's usual limit is 1,024 open files, some distributions' 256: a pack of
    // thousands of sounds applies and comes off under the lowest, soft and hard alike.
    void aPackOfThousandsOfSoundsAppliesUnderALowOpenFileLimit()
    {
        const QString many = disk.path() + "/ManyGame", set = program->folder.path() + "/Many";
        constexpr int kSounds = 3000;
        const std::vector<float> tone = referenceSignal(8000, 1, 0.01);
        const std::vector<float> other = referenceSignal(8000, 1, 0.02);
        for (int n = 0; n < kSounds; ++n) {
            const QString name = QStringLiteral("sfx/d%1/s%2.wav").arg(n % 30).arg(n);
            QDir().mkpath(QFileInfo(many + "/" + name).path());
            QDir().mkpath(QFileInfo(set + "/" + name).path());
            QVERIFY(writeWave(many + "/" + name, tone, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
            QVERIFY(writeWave(set + "/" + name, other, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        }
        const QByteArray before = readAll(many + "/sfx/d29/s2999.wav");
        QCOMPARE(sonaplex({"pack", "create", packs() + "/many", "--from-set", "Many", "--game", many}).exit, 0);
        const QString pack = packs() + "/many.sonaplexpack";
        const QStringList low{"prlimit", "--nofile=256:256", "--"};
        Ran applied = sonaplex({"pack", "apply", pack, many}, low);
        QVERIFY2(applied.exit == 0, qPrintable(applied.err.left(2000)));
        QVERIFY2(applied.out.contains(QStringLiteral("%1 game file(s) were replaced").arg(kSounds)), qPrintable(applied.out.right(500)));
        QCOMPARE(readAll(many + "/sfx/d29/s2999.wav"), readAll(set + "/sfx/d29/s2999.wav"));
        QVERIFY(QDir(many + "/sfx/d29").entryList(QDir::Hidden | QDir::Files).filter(".sonaplex-").isEmpty());
        QVERIFY(!QFile::exists(ProgramFolder(program->folder.path()).replacements() + "/staging")); // noted while it ran
        // The originals are kept; the pack's sounds are not kept again beside them.
        const QString store = ProgramFolder(program->folder.path()).replacements() + "/originals";
        QCOMPARE(QDir(store).entryList(QDir::Files).size(), 1); // every original holds the same tone
        Ran removed = sonaplex({"pack", "remove", pack, many}, low);
        QVERIFY2(removed.exit == 0, qPrintable(removed.err.left(2000)));
        QCOMPARE(readAll(many + "/sfx/d29/s2999.wav"), before);
    }

    void aHostilePackIsRefusedByNameAndWritesNothing()
    {
        const QString wave = disk.path() + "/sound.wav";
        QVERIFY(writeWave(wave, referenceSignal(22050, 1, 0.2), 22050, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        const QByteArray sound = readAll(wave);
        QVERIFY(writeFile(game + "/hit.wav", sound));
        QDir().mkpath(game + "/Music");
        const QString outside = disk.path() + "/outside";
        QDir().mkpath(outside);
        QVERIFY(QFile::link(outside, game + "/linked"));
        QVERIFY(QFile::link(disk.path() + "/sound.wav", game + "/link.wav"));
        const QByteArray text = "this is not a sound at all";
        const QByteArray zeros(8 << 20, '\0');

        struct Case {
            const char* name;
            HandMade pack;
            QString entry, why; // what stderr must name
        };
        auto one = [&](const QString& path, const QByteArray& bytes = {}) {
            const QByteArray b = bytes.isNull() ? sound : bytes;
            return HandMade{manifestOf({entryOf(path, b, "s.wav")}), {{"s.wav", b}}};
        };
        HandMade twice{manifestOf({entryOf("a.wav", sound, "s.wav"), entryOf("a.wav", sound, "s.wav")}), {{"s.wav", sound}}};
        HandMade cased{manifestOf({entryOf("a.wav", sound, "s.wav"), entryOf("A.WAV", sound, "s.wav")}), {{"s.wav", sound}}};
        HandMade wrongHash{manifestOf({QJsonObject{{"path", "hit.wav"}, {"file", "s.wav"}, {"hash", hashOf("other")}}}),
            {{"s.wav", sound}}};
        HandMade absent{manifestOf({entryOf("hit.wav", sound, "gone.wav")}), {{"s.wav", sound}}};
        HandMade bomb{manifestOf({entryOf("hit.wav", zeros, "s.wav")}), {{"s.wav", zeros}}};
        // Members each under the size from which one is held to the ratio, adding up past it.
        const QByteArray smallZeros(700 << 10, '\0'), otherZeros(700 << 10, '\1');
        HandMade smallBombs{manifestOf({entryOf("hit.wav", smallZeros, "s.wav"), entryOf("a.wav", otherZeros, "t.wav")}),
            {{"s.wav", smallZeros}, {"t.wav", otherZeros}}};
        HandMade notJson{"{ this is not json", {{"s.wav", sound}}};
        HandMade noManifest{QByteArray(), {{"s.wav", sound}}};
        HandMade newer{QJsonDocument(QJsonObject{{"sonaplexPack", 99}, {"entries", QJsonArray()}}).toJson(), {}};
        const std::vector<Case> cases = {
            {"absolute", one("/etc/hit.wav"), "/etc/hit.wav", "its path is absolute"},
            {"parent", one("../outside/hit.wav"), "../outside/hit.wav", "leaves its folder"},
            {"inner parent", one("Music/../../hit.wav"), "Music/../../hit.wav", "leaves its folder"},
            {"link out", one("linked/hit.wav"), "linked/hit.wav", "outside the game folder"},
            {"link file", one("link.wav"), "link.wav", "symbolic link"},
            {"case on disk", one("HIT.WAV"), "HIT.WAV", "differs only in case from 'hit.wav'"},
            {"case of folder", one("music/hit.wav"), "music/hit.wav", "differs only in case from 'Music'"},
            {"empty", one(""), "entry 1", "it has no path"},
            {"nul", one(QStringLiteral("a") + QChar(0) + QStringLiteral(".wav")), QString(), "NUL"},
            {"control", one("a\x01.wav"), QString(), "control character"},
            {"too long", one(QString(300, 'x') + ".wav"), QString(), "longer than 255 bytes"},
            {"not a sound name", one("readme.txt"), "readme.txt", "not a sound file Sonaplex knows"},
            {"not a sound", one("hit.wav", text), "hit.wav", "not one the players can open"},
            {"twice", twice, "a.wav", "named twice"},
            {"case twice", cased, "A.WAV", "differs only in case from a.wav"},
            {"hash", wrongHash, "hit.wav", "does not hold what its hash names"},
            {"missing member", absent, "hit.wav", "gone.wav is not in the pack"},
            {"zip bomb", bomb, "hit.wav", "inflates at most 200 times"},
            {"small bombs", smallBombs, "a.wav", "would inflate more than 200 times over in all"},
            {"not json", notJson, "manifest.json", "is not JSON"},
            {"no manifest", noManifest, "manifest.json", "not a Sonaplex sound pack"},
            {"newer", newer, "manifest.json", "made by a newer Sonaplex"},
        };
        const QString parent = disk.path();
        // The program folder lies elsewhere: the record is made before the first case.
        QCOMPARE(sonaplex({"status", game}).exit, 0);
        const QStringList before = listing(parent);
        const QStringList programBefore = listing(program->folder.path());
        const QString pack = QDir::tempPath() + QStringLiteral("/sonaplex-hostile-%1.sonaplexpack").arg(QCoreApplication::applicationPid());
        for (const Case& c : cases) {
            QVERIFY2(c.pack.writeTo(pack), c.name);
            for (const char* command : {"check", "apply"}) {
                const Ran ran = sonaplex({"pack", command, pack, game});
                QVERIFY2(ran.exit == 1, qPrintable(QStringLiteral("%1 (%2): exit %3").arg(c.name, command).arg(ran.exit)));
                QVERIFY2(ran.err.contains(c.why) && (c.entry.isEmpty() || ran.err.contains(c.entry + ": ")),
                    qPrintable(QStringLiteral("%1: %2").arg(c.name, ran.err)));
                QVERIFY2(ran.err.contains("Nothing was written."), c.name);
            }
            QCOMPARE(listing(parent), before);
        }
        // A truncated archive, and a file that is no archive at all.
        QVERIFY(one("hit.wav").writeTo(pack));
        QFile cut(pack);
        QVERIFY(cut.resize(cut.size() / 2));
        Ran truncated = sonaplex({"pack", "apply", pack, game});
        QCOMPARE(truncated.exit, 1);
        QVERIFY2(truncated.err.contains("not a whole zip archive"), qPrintable(truncated.err));
        QVERIFY(writeFile(pack, text));
        QCOMPARE(sonaplex({"pack", "apply", pack, game}).exit, 1);
        QFile::remove(pack);
        QCOMPARE(listing(parent), before);
        // Nothing was left in the program folder either (the passing work is gone; the record
        // itself may have been opened, not changed).
        QStringList programAfter = listing(program->folder.path());
        QCOMPARE(programAfter.filter("/work/").size(), programBefore.filter("/work/").size());
    }
};

SONAPLEX_TEST_MAIN(TestPacks)
#include "test_packs.moc"
