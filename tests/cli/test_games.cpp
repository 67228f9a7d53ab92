// Games found where launchers keep them, on a home folder the test writes: by the base layer,
// and by `sonaplex games` through the real executable; and the reader of Steam's key-value files.
#include "base/content_hash.h"
#include "actions/replacement.h"
#include "readers/key_values.h"
#include "base/drives.h"
#include "games_fixture.h"
#include "app/program.h"
#include "game/frm_game.h"
#include "game/game_sounds_model.h"
#include "ui/forms.h"
#include "ui/installed_games.h"
#include "words/report_words.h"
#include "ui/place_lists.h"
#include "ui/file_list.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QCheckBox>
#include <QComboBox>
#include <QDBusConnection>
#include <QSignalSpy>
#include <QLabel>
#include <QDirIterator>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeView>
#include <QtTest>

#include <csignal>
#include <cstdio>

using namespace sonaplex;
using namespace sonaplex::test;

struct Ran {
    int exit = -1;
    QString out, err;
    QJsonObject json() const { return QJsonDocument::fromJson(out.toUtf8()).object(); }
};

// The desktop's notification service, as far as the program uses it: what it was asked to show.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList summaries, bodies;
public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body, const QStringList&,
        const QVariantMap&, int)
    {
        summaries << summary;
        bodies << body;
        return uint(bodies.size());
    }
};

class TestGames : public QObject {
    Q_OBJECT
    QProcess bus_; // a session bus of the test's own, for the notifications
    QString busAddress_;

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
    void initTestCase()
    {
        bus_.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (bus_.waitForStarted() && bus_.waitForReadyRead(10000))
            busAddress_ = QString::fromUtf8(bus_.readLine()).trimmed();
        if (!busAddress_.isEmpty()) // before anything of the program reaches for the session bus
            qputenv("DBUS_SESSION_BUS_ADDRESS", busAddress_.toUtf8());
    }
    void cleanupTestCase()
    {
        bus_.kill();
        bus_.waitForFinished();
    }

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

    // A folder's entries with their sizes, times and bytes.
    static QStringList snapshot(const QString& folder)
    {
        QStringList lines;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo f(it.next());
            lines << QStringLiteral("%1 %2 %3 %4").arg(f.filePath()).arg(f.size())
                         .arg(f.lastModified().toMSecsSinceEpoch())
                         .arg(contentHash(f.filePath()).hash);
        }
        lines.sort();
        return lines;
    }

    // Another program's files are read, never written, and a database that is not what it
    // should be (a list of games that never ends; a record whose tables are views) is skipped
    // or moved aside, never waited for.
    void launcherFilesAreOnlyReadAndNeverWaitedFor()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        const QString lutris = fixture.home + "/.local/share/lutris";
        {
            // Lutris keeps its database in WAL mode, with its last change still in the log.
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lutris-wal");
            db.setDatabaseName(lutris + "/pga.db");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("PRAGMA journal_mode=WAL"));
            QVERIFY(q.exec("PRAGMA wal_autocheckpoint=0"));
            QVERIFY(q.exec("UPDATE games SET name = 'Quake (1996)' WHERE slug = 'quake'"));
            // Left as a running Lutris leaves it: the log not yet written back.
            QFile::copy(lutris + "/pga.db", fixture.root.path() + "/pga.db");
            QFile::copy(lutris + "/pga.db-wal", fixture.root.path() + "/pga.db-wal");
            db.close();
        }
        QSqlDatabase::removeDatabase("lutris-wal");
        QDir(lutris).removeRecursively();
        QDir().mkpath(lutris);
        QVERIFY(QFile::copy(fixture.root.path() + "/pga.db", lutris + "/pga.db"));
        QVERIFY(QFile::copy(fixture.root.path() + "/pga.db-wal", lutris + "/pga.db-wal"));
        const QStringList before = snapshot(fixture.home);
        Ran ran = sonaplex(fixture, {"games", "--json"});
        QCOMPARE(ran.exit, 0);
        QVERIFY2(ran.out.contains("Quake (1996)"), qPrintable(ran.out)); // read with its log
        QCOMPARE(snapshot(fixture.home), before);

        // A list of games that never ends.
        QVERIFY(QFile::remove(lutris + "/pga.db") && QFile::remove(lutris + "/pga.db-wal"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lutris-view");
            db.setDatabaseName(lutris + "/pga.db");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("CREATE VIEW games AS WITH RECURSIVE r(id) AS (SELECT 1 UNION ALL SELECT id + 1 FROM r) "
                           "SELECT id, 'x' || id AS slug, 'x' AS name, '/' AS directory, 1 AS installed FROM r ORDER BY id DESC"));
            db.close();
        }
        QSqlDatabase::removeDatabase("lutris-view");
        ran = sonaplex(fixture, {"games"});
        QCOMPARE(ran.exit, 0);
        QVERIFY2(ran.err.contains("pga.db: its games are not a table"), qPrintable(ran.err));

        // A record whose tables are views of the same kind: moved aside as damaged, and the
        // commands answer.
        ReplacementRecord(fixture.program + "/Replacements"); // made as the program makes it
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "record-view");
            db.setDatabaseName(fixture.program + "/Replacements/record.sqlite");
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("DROP TABLE runs"));
            QVERIFY(q.exec("CREATE VIEW runs AS WITH RECURSIVE r(id) AS (SELECT 1 UNION ALL SELECT id + 1 FROM r) "
                           "SELECT id, '' AS at, 'switch' AS kind, 0 AS undoes FROM r ORDER BY id DESC"));
            db.close();
        }
        QSqlDatabase::removeDatabase("record-view");
        QFile::remove(fixture.program + "/Replacements/record.closed");
        for (const QString& command : {"undo", "games"}) {
            ran = sonaplex(fixture, {command});
            QVERIFY2(ran.exit >= 0, qPrintable(command + " did not end"));
            QVERIFY2(ran.err.contains("moved aside") || ran.out.contains("moved aside") || command == "games",
                qPrintable(ran.out + ran.err));
        }
        QStringList aside = QDir(fixture.program + "/Replacements").entryList({"record.sqlite.damaged-*"}, QDir::Files);
        aside.removeIf([](const QString& name) { return name.endsWith("-wal") || name.endsWith("-shm"); });
        QCOMPARE(aside.size(), 1);
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
        // A pack of the game's replacements leaves out what the update changed, and says so.
        const Ran pack = sonaplex(fixture, {"pack", "create", fixture.root.path() + "/p.sonaplexpack", "--from-game", portal2});
        QVERIFY2(pack.err.contains("sound/jump.wav: left out: it was changed since Sonaplex replaced it"), qPrintable(pack.err));
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
        // restore takes the game by its name too, as the other commands do.
        const Ran restored = sonaplex(fixture, {"restore", "Portal 2", "--all"});
        QVERIFY2(restored.exit == 0 && restored.out.contains("1 game file(s)"), qPrintable(restored.out + restored.err));
        QCOMPARE(readAll(sound + "jump.wav"), QByteArray("original jump"));
    }

    // The same through the windows: the notice of the music window names the game and the
    // count, opens the restore window on the game, and Replace Again and Undo Last SWITCH there
    // put back what Sonaplex put, then what the update put, byte for byte.
    void theWindowsNoticeAnUpdateAndReplaceAgain()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        const QString sound = fixture.expected[5].folder + "/sound/", mine = fixture.root.path() + "/mine/";
        QDir().mkpath(mine);
        const QString music = fixture.expected[5].folder + "/music/";
        QDir().mkpath(music);
        QVERIFY(writeFile(sound + "a.mid", "original a") && writeFile(sound + "b.mid", "original b"));
        QVERIFY(writeFile(music + "c.mid", "original c"));
        QVERIFY(writeFile(mine + "a.mid", "my a") && writeFile(mine + "b.mid", "my b") && writeFile(mine + "c.mid", "my c"));
        {
            ReplacementRecord record(fixture.program + "/Replacements");
            QVERIFY(replaceGameFiles({Selection{sound + "a.mid", "a.mid", mine + "a.mid", "a.mid"},
                                         Selection{sound + "b.mid", "b.mid", mine + "b.mid", "b.mid"},
                                         Selection{music + "c.mid", "c.mid", mine + "c.mid", "c.mid"}},
                {}, &record)
                        .ok());
        }
        // The update changes files in two folders of the game.
        QVERIFY(writeFile(sound + "a.mid", "original a") && writeFile(sound + "b.mid", "b of build 9001"));
        QVERIFY(writeFile(music + "c.mid", "original c"));
        QVERIFY(QFile::remove(mine + "a.mid"));
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", fixture.home.toUtf8());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        MessageRecorder messages;
        startProgram(fixture.program);
        runningProgram()->showModeless(QStringLiteral("FrmMidi"));
        auto* notice = control<QLabel>("FrmMidi", "LblUpdateNotice");
        QVERIFY(notice);
        QTRY_VERIFY(notice->isVisible());
        QVERIFY2(notice->text().contains("3 replaced files of Portal 2 were changed, probably by an update."),
            qPrintable(notice->text()));
        const QString link = notice->text().section('"', 1, 1);
        bool acted = false;
        QString summary;
        onModal("FrmRestore", [&] {
            // Opened on the game: every file the notice counts chosen, in both folders.
            auto* list = control<QTreeView>("FrmRestore", "LstReplaced");
            acted = list && list->selectionModel()->selectedRows().size() == 2;
            summary = text("FrmRestore", "LblRestoreSummary");
            click("FrmRestore", "CmdReplaceAgain");
            acted = acted && readAll(sound + "a.mid") == "my a" && readAll(sound + "b.mid") == "my b"
                && readAll(music + "c.mid") == "my c";
            click("FrmRestore", "CmdCloseRestore");
        });
        QMetaObject::invokeMethod(notice, "linkActivated", Q_ARG(QString, link));
        QVERIFY(acted);
        // a.mid and c.mid hold their originals again (not counted), and with them the music folder.
        QVERIFY2(summary.startsWith("1 replaced game file(s) in 1 folder(s)."), qPrintable(summary));
        // Put back: the notice goes, without a restart.
        QTRY_VERIFY(!notice->isVisible());
        // Undone by a command, as another program would: the notice comes back.
        QVERIFY(sonaplex(fixture, {"undo"}).out.contains(undoneWords(RunKind::Reapply, 3)));
        QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 10000);
        // Its other link opens the game's own window on the game, on the sounds the update changed.
        const QString gameLink = notice->text().section('"', 3, 3);
        QVERIFY2(gameLink.startsWith("changed:"), qPrintable(notice->text()));
        QString listed;
        int shown = -1;
        onModal("FrmGame", [&] {
            listed = qobject_cast<FrmGame*>(window("FrmGame"))->gameFolder();
            shown = control<QComboBox>("FrmGame", "CboShow")->currentIndex();
            click("FrmGame", "CmdCloseGame");
        });
        QMetaObject::invokeMethod(notice, "linkActivated", Q_ARG(QString, gameLink));
        QCOMPARE(listed, QDir::cleanPath(fixture.expected[5].folder));
        QCOMPARE(shown, int(GameSoundsModel::Show::ChangedByUpdate));
        QStringList said;
        for (const Message& m : messages.messages)
            said << m.text;
        QCOMPARE(said, (QStringList{replacedAgainWords(3)}));
        QCOMPARE(readAll(sound + "a.mid"), QByteArray("original a"));
        QCOMPARE(readAll(sound + "b.mid"), QByteArray("b of build 9001"));
        runningProgram()->endProgram();
        QTest::qWait(0);
        qputenv("HOME", home);
    }

    // An update noticed while no window of the program is in front is told by the desktop's
    // notification service: once per game and count of changed files, and not at all when no
    // such service runs.
    void anUpdateNoticedBehindOtherWindowsIsADesktopNotification()
    {
        QVERIFY2(!busAddress_.isEmpty(), "dbus-daemon gave no session bus");
        GamesHome fixture;
        QVERIFY(fixture.make());
        const QString sound = fixture.expected[5].folder + "/sound/", mine = fixture.root.path() + "/mine/";
        QDir().mkpath(mine);
        QVERIFY(writeFile(sound + "a.mid", "original a") && writeFile(sound + "b.mid", "original b"));
        QVERIFY(writeFile(mine + "a.mid", "my a") && writeFile(mine + "b.mid", "my b"));
        {
            ReplacementRecord record(fixture.program + "/Replacements");
            QVERIFY(replaceGameFiles({Selection{sound + "a.mid", "a.mid", mine + "a.mid", "a.mid"},
                                         Selection{sound + "b.mid", "b.mid", mine + "b.mid", "b.mid"}},
                {}, &record)
                        .ok());
        }
        QVERIFY(writeFile(sound + "a.mid", "a of build 9001")); // the update
        FakeNotifications desktop;
        QDBusConnection service = QDBusConnection::connectToBus(busAddress_, QStringLiteral("notification service"));
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &desktop, QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QStringLiteral("org.freedesktop.Notifications")));
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", fixture.home.toUtf8());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        startProgram(fixture.program);
        QVERIFY(runningProgram()->record()); // as the first window opens it
        QTRY_VERIFY(isShown("frmSplash"));
        QTest::qWait(300); // its activation comes a moment after it shows
        for (QWidget* w : QApplication::topLevelWidgets()) // another program's window is in front
            w->hide();
        QTRY_VERIFY(!QApplication::activeWindow());
        InstalledGames& games = runningProgram()->games();
        QSignalSpy found(&games, &InstalledGames::found);
        games.refresh(); // as when Steam rewrites a manifest
        QTRY_COMPARE(desktop.bodies.size(), 1);
        QCOMPARE(desktop.summaries[0], QStringLiteral("A game update undid replacements"));
        QCOMPARE(desktop.bodies[0], changedByUpdateWords(1, QStringLiteral("Portal 2")));
        // Found again, nothing new: not told twice.
        games.refresh();
        QVERIFY(found.wait());
        QTest::qWait(200);
        QCOMPARE(desktop.bodies.size(), 1);
        // With no notification service, a new change is not sent anywhere.
        QVERIFY(service.unregisterService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(writeFile(sound + "b.mid", "b of build 9001"));
        games.refresh();
        QVERIFY(found.wait());
        int changed = 0;
        for (size_t i = 0; i < games.games().size(); ++i)
            changed += games.counts()[i].changed;
        QCOMPARE(changed, 2);
        QTest::qWait(200);
        QCOMPARE(desktop.bodies.size(), 1);
        runningProgram()->endProgram();
        QTest::qWait(0);
        QDBusConnection::disconnectFromBus(QStringLiteral("notification service"));
        qputenv("HOME", home);
    }

    // An update while the program runs: Steam rewrites the game's manifest with a new build and
    // puts a file back; the notice comes a moment later, without the user doing anything.
    void anUpdateWhileTheProgramRunsIsNoticed()
    {
        GamesHome fixture;
        QVERIFY(fixture.make());
        const QString sound = fixture.expected[5].folder + "/sound/", mine = fixture.root.path() + "/mine/";
        QDir().mkpath(mine);
        QVERIFY(writeFile(sound + "a.mid", "original a") && writeFile(mine + "a.mid", "my a"));
        {
            ReplacementRecord record(fixture.program + "/Replacements");
            QVERIFY(replaceGameFiles({Selection{sound + "a.mid", "a.mid", mine + "a.mid", "a.mid"}}, {}, &record).ok());
        }
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", fixture.home.toUtf8());
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        startProgram(fixture.program);
        runningProgram()->showModeless(QStringLiteral("FrmWavSelect"));
        auto* drives = control<DriveList>("FrmWavSelect", "DrvWav1");
        QTRY_VERIFY(drives->findText("Portal 2") >= 0);
        auto* notice = control<QLabel>("FrmWavSelect", "LblUpdateNotice");
        QVERIFY(notice && !notice->isVisible());
        // The update: the file first, then the manifest, written anew and renamed into place.
        const QString manifest = fixture.home + "/.local/share/Steam/steamapps/appmanifest_620.acf";
        QVERIFY(writeFile(sound + "a.mid", "original a"));
        QByteArray text = readAll(manifest);
        text.replace("\"9000\"", "\"9001\"");
        QVERIFY(writeFile(manifest + ".tmp", text) && ::rename(qPrintable(manifest + ".tmp"), qPrintable(manifest)) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), 15000);
        QVERIFY2(notice->text().contains("1 replaced file of Portal 2 was changed, probably by an update."),
            qPrintable(notice->text()));
        runningProgram()->endProgram();
        QTest::qWait(0);
        qputenv("HOME", home);
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
            // The drives and places, the games, and "Add Game Folder..." last.
            QTRY_COMPARE(drives->count(), int(listDrives({fixture.home, fixture.program}).size() + fixture.expected.size() + 1));
            QCOMPARE(drives->itemText(drives->count() - 1), QStringLiteral("Add Game Folder..."));
            // Right after home and the program folder, before other mounted disks.
            const int first = drives->findText(fixture.expected.front().name);
            QCOMPARE(QDir::cleanPath(drives->itemText(first - 1)), QDir::cleanPath(fixture.program));
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

        // "Sounds of this game": every MIDI file of the game, at any depth, by its path in the
        // game; only while a game's folder is shown.
        const QString portal2 = fixture.expected[5].folder;
        QDir().mkpath(portal2 + "/music/deep/.hidden");
        QVERIFY(writeFile(portal2 + "/sound/a.mid", "a") && writeFile(portal2 + "/music/deep/B.MID", "b")
            && writeFile(portal2 + "/music/deep/.hidden/c.mid", "c") && writeFile(portal2 + "/notes.txt", "n"));
        auto* whole = control<QCheckBox>("FrmMidi", "ChkGameSoundsMidi2");
        auto* files = control<FileList>("FrmMidi", "FleMidi2");
        QVERIFY(whole && files);
        drives->setDrive("Portal 2");
        QVERIFY(whole->isEnabled());
        whole->setChecked(true);
        QTRY_VERIFY(!files->isListing());
        QCOMPARE(files->path(), portal2);
        QStringList listed;
        for (int i = 0; i < files->listCount(); ++i)
            listed << files->model()->index(i, 0).data().toString();
        QCOMPARE(listed, (QStringList{"music/deep/B.MID", "sound/a.mid"}));
        files->setFileName("music/deep/B.MID");
        QCOMPARE(files->fullPath(), portal2 + "/music/deep/B.MID");
        // Game Sounds... opens on the game the game files' pane shows, not on the last one.
        control<DriveList>("FrmMidi", "DrvMidi1")->setDrive("Quake");
        control<DriveList>("FrmMidi", "DrvMidi1")->setDrive("Portal 2");
        QString opened;
        onModal("FrmGame", [&] {
            opened = qobject_cast<FrmGame*>(window("FrmGame"))->gameFolder();
            click("FrmGame", "CmdCloseGame");
        });
        click("FrmMidi", "CmdGameSounds");
        QCOMPARE(opened, QFileInfo(portal2).canonicalFilePath());
        // A folder outside every game: its own files again.
        drives->setDrive(listDrives({}).front());
        QVERIFY(!whole->isEnabled() && !whole->isChecked());
        QVERIFY(!files->wholeFolder());

        // A folder added by hand, with the name the user gives it: listed, and opened. Choosing
        // the entry and cancelling leaves the drive shown as it was.
        const QString space = fixture.root.path() + "/Games/space";
        QDir().mkpath(space);
        DesktopAnswers answers;
        QString folderAnswer;
        answers.folder = [&](const QString&) { return folderAnswer; };
        answers.typed = [&](const QString&, const QString& text) {
            return text == "space" ? QStringLiteral("Space Game") : QString();
        };
        const QString before = drives->drive();
        QMetaObject::invokeMethod(drives, "activated", Q_ARG(int, drives->count() - 1));
        QCOMPARE(drives->drive(), before);
        folderAnswer = space;
        QMetaObject::invokeMethod(drives, "activated", Q_ARG(int, drives->count() - 1));
        QTRY_COMPARE(drives->drive(), QStringLiteral("Space Game"));
        QCOMPARE(folders->path(), space);
        QVERIFY(readAll(fixture.program + "/Game Folders.json").contains("Space Game"));
        runningProgram()->endProgram();
        QTest::qWait(0);
        qputenv("HOME", home);
        // What was skipped is in the log the user can open.
        QFile log(fixture.program + "/Games.log");
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll().count('\n'), 7);
    }
};

SONAPLEX_TEST_MAIN(TestGames)
#include "test_games.moc"
