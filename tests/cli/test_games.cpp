// Games found where launchers keep them, on a home folder the test writes: by the base layer,
// and by `sonaplex games` through the real executable; and the reader of Steam's key-value files.
#include "base/content_hash.h"
#include "base/replacement.h"
#include "base/key_values.h"
#include "base/drives.h"
#include "games_fixture.h"
#include "app/program.h"
#include "ui/forms.h"
#include "ui/place_lists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

struct Ran {
    int exit = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

class TestGames : public QObject {
    Q_OBJECT

    // The command as a user on the fixture's home types it, with no display.
    static Ran sonaplex(GamesHome& fixture, const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            env.remove(QString::fromLatin1(name));
        env.insert("HOME", fixture.home);
        p.setProcessEnvironment(env);
        p.start(SONAPLEX_EXECUTABLE, QStringList{"--program-folder", fixture.program} + args);
        if (!p.waitForFinished(30000)) // a FIFO where a manifest should be never holds it up
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
    }

private slots:
    void keyValuesReadAsSteamWritesThem()
    {
        const KeyValuesRead kv = readKeyValues("// a comment\n\"AppState\"\n{\n\t\"appid\"\t\t\"620\" [$LINUX]\n"
                                               "\t\"name\" \"Say \\\"hi\\\" \\\\ there\"\n\tbare word\n"
                                               "\t\"UserConfig\" { \"language\" \"english\" }\n}\n");
        QVERIFY2(kv.ok(), qPrintable(kv.error));
        const KeyValues* app = kv.root.find(u"appstate");
        QVERIFY(app && app->section);
        QCOMPARE(app->text(u"AppID"), QStringLiteral("620"));
        QCOMPARE(app->text(u"name"), QStringLiteral("Say \"hi\" \\ there"));
        QCOMPARE(app->text(u"bare"), QStringLiteral("word"));
        QCOMPARE(app->find(u"userconfig")->text(u"LANGUAGE"), QStringLiteral("english"));
        QCOMPARE(app->text(u"UserConfig"), QString()); // a section has no text

        // Malformed: an error with its line, and nothing read.
        const struct {
            QByteArray text;
            int line;
        } bad[] = {{"\"a\"\n{\n\"b\" \"c\"\n", 4}, {"\"a\" \"b\n\nc", 3}, {"\"a\"\n}", 2}, {"{ }", 1},
            {"\"a\" { \"b\" }", 1}, {"\"a\" [$X", 1}};
        for (const auto& b : bad) {
            const KeyValuesRead r = readKeyValues(b.text);
            QVERIFY2(!r.ok() && r.root.children.empty(), b.text.constData());
            QCOMPARE(r.line, b.line);
        }
        // Bounded however deep the sections nest.
        const KeyValuesRead deep = readKeyValues(QByteArray("\"a\" {").repeated(100000));
        QVERIFY(!deep.ok() && deep.error.contains("deep"));
    }

    void gamesAreFoundWhereLaunchersKeepThem()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        const GameSearch found = findGames(fixture.places());
        QCOMPARE(found.games.size(), fixture.expected.size());
        for (size_t i = 0; i < found.games.size(); ++i) {
            const Game& g = found.games[i];
            const GamesHome::Expected& e = fixture.expected[i];
            QCOMPARE(g.name, e.name);
            QCOMPARE(launcherKeyword(g.launcher), e.launcher);
            QCOMPARE(g.id, e.id);
            QCOMPARE(g.folder, e.folder);
            QCOMPARE(g.build, e.build);
        }
        // Each thing skipped is logged, by its file, and nothing else is.
        const QString log = found.log.join('\n');
        for (const char* skipped : {"appmanifest_999.acf", "appmanifest_998.acf", "appmanifest_997.acf",
                 "appmanifest_996.acf", "appmanifest_995.acf", "/unmounted/SteamLibrary", "gog_store/installed.json"})
            QVERIFY2(log.contains(QLatin1String(skipped)), skipped);
        QCOMPARE(found.log.size(), 7);
    }

    void theCommandLineListsTheGamesWithWhatWasReplaced()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        // Portal 2's two sounds were replaced; an update put one back.
        const QString portal2 = fixture.expected[5].folder;
        QCOMPARE(fixture.expected[5].name, QStringLiteral("Portal 2"));
        QVERIFY(writeFile(portal2 + "/sound/hit.wav", "mine") && writeFile(portal2 + "/sound/jump.wav", "original"));
        {
            ReplacementRecord record(fixture.program + "/Replacements");
            QVERIFY(record.begin());
            const qint64 run = record.beginRun("switch");
            for (const QString name : {"hit.wav", "jump.wav"})
                QVERIFY(record.happened(record.intend(run, portal2 + "/sound/" + name, contentHash(portal2 + "/sound/jump.wav").hash,
                    contentHash(portal2 + "/sound/hit.wav").hash, fixture.root.path() + "/mine.wav")));
            QVERIFY(record.end());
        }
        const Ran ran = sonaplex(fixture, {"games", "--json"});
        QCOMPARE(ran.exit, 0);
        const QJsonObject doc = ran.json();
        const QJsonArray games = doc.value("games").toArray();
        QCOMPARE(games.size(), qsizetype(fixture.expected.size()));
        for (qsizetype i = 0; i < games.size(); ++i) {
            const QJsonObject g = games[i].toObject();
            const GamesHome::Expected& e = fixture.expected[size_t(i)];
            QCOMPARE(g.value("name").toString(), e.name);
            QCOMPARE(g.value("launcher").toString(), e.launcher);
            QCOMPARE(g.value("id").toString(), e.id);
            QCOMPARE(g.value("folder").toString(), e.folder);
            QCOMPARE(g.value("build").toString(), e.build);
            QCOMPARE(g.value("replaced").toInt(), e.name == "Portal 2" ? 2 : 0);
            QCOMPARE(g.value("changed").toInt(), e.name == "Portal 2" ? 1 : 0);
        }
        QCOMPARE(doc.value("skipped").toArray().size(), 7);
        QCOMPARE(ran.err.count("sonaplex: skipped"), 7);
    }

    // A game update puts one replaced file back to its original and changes another; the
    // sources are deleted. Both are counted, replaced again from what Sonaplex kept, and the
    // undo of that run gives back exactly what the update put there.
    void whatAnUpdateUndidIsPutBackInOneStep()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        const QString portal2 = fixture.expected[5].folder, sound = portal2 + "/sound/";
        const QString mine = fixture.root.path() + "/mine/";
        QDir().mkpath(mine);
        QVERIFY(writeFile(sound + "hit.wav", "original hit") && writeFile(sound + "jump.wav", "original jump"));
        QVERIFY(writeFile(mine + "hit.wav", "my hit") && writeFile(mine + "jump.wav", "my jump"));
        {
            ReplacementRecord record(fixture.program + "/Replacements");
            const Report done = replaceGameFiles({Selection{sound + "hit.wav", "hit.wav", mine + "hit.wav", "hit.wav"},
                                                     Selection{sound + "jump.wav", "jump.wav", mine + "jump.wav", "jump.wav"}},
                {}, &record);
            QVERIFY(done.ok());
        }
        // The update, and the sources gone.
        QVERIFY(writeFile(sound + "hit.wav", "original hit") && writeFile(sound + "jump.wav", "jump of build 9001"));
        QVERIFY(QFile::remove(mine + "hit.wav") && QFile::remove(mine + "jump.wav"));
        Ran games = sonaplex(fixture, {"games", "--json"});
        QCOMPARE(games.exit, 0);
        const QJsonObject portal = games.json().value("games").toArray()[5].toObject();
        QCOMPARE(portal.value("name").toString(), QStringLiteral("Portal 2"));
        QCOMPARE(portal.value("replaced").toInt(), 2);
        QCOMPARE(portal.value("changed").toInt(), 2);
        // By the game's name.
        const Ran again = sonaplex(fixture, {"reapply", "portal 2"});
        QVERIFY2(again.exit == 0, qPrintable(again.err));
        QCOMPARE(readAll(sound + "hit.wav"), QByteArray("my hit"));
        QCOMPARE(readAll(sound + "jump.wav"), QByteArray("my jump"));
        QCOMPARE(sonaplex(fixture, {"games", "--json"}).json().value("games").toArray()[5].toObject().value("changed").toInt(), 0);
        const Ran status = sonaplex(fixture, {"status", "620", "--json"}); // by its id
        QCOMPARE(status.json().value("files").toArray().size(), 2);
        // Nothing left to put back: said, nothing done.
        const Ran nothing = sonaplex(fixture, {"reapply", portal2});
        QCOMPARE(nothing.exit, 0);
        QVERIFY(nothing.out.contains("changed since"));
        // Undo gives back what the update put there.
        QCOMPARE(sonaplex(fixture, {"undo"}).exit, 0);
        QCOMPARE(readAll(sound + "hit.wav"), QByteArray("original hit"));
        QCOMPARE(readAll(sound + "jump.wav"), QByteArray("jump of build 9001"));
        QCOMPARE(sonaplex(fixture, {"reapply", "No Such Game"}).exit, 1);
    }

    // Both panes of a selection window list the games after the drives and places; choosing
    // one opens its folder, and a folder inside a game shows the game as the drive.
    void thePanesOfferTheGames()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", fixture.home.toUtf8());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        startProgram(fixture.program);
        runningProgram()->showModeless(QStringLiteral("FrmMidi"));
        for (const char* name : {"DrvMidi1", "DrvMidi2"}) {
            auto* drives = control<DriveList>("FrmMidi", name);
            QVERIFY(drives);
            QTRY_COMPARE(drives->count(), int(listDrives({fixture.home, fixture.program}).size() + fixture.expected.size()));
            const int first = drives->count() - int(fixture.expected.size());
            for (size_t i = 0; i < fixture.expected.size(); ++i) {
                QCOMPARE(drives->itemText(first + int(i)), fixture.expected[i].name);
                QCOMPARE(drives->rootOf(fixture.expected[i].name), fixture.expected[i].folder);
            }
        }
        auto* drives = control<DriveList>("FrmMidi", "DrvMidi2");
        auto* folders = control<FolderList>("FrmMidi", "DirMidi2");
        drives->setDrive("Quake");
        QCOMPARE(folders->path(), fixture.expected[6].folder);
        drives->showDriveOf(fixture.expected[5].folder + "/sound");
        QCOMPARE(drives->drive(), QStringLiteral("Portal 2"));
        runningProgram()->endProgram();
        QTest::qWait(0);
        qputenv("HOME", home);
        // What was skipped is in the log the user can open.
        QFile log(fixture.program + "/Games.log");
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count('\n'), 7);
    }
};

QTEST_MAIN(TestGames)
#include "test_games.moc"
