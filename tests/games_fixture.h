// A home folder as launchers leave it, written by the tests (no launcher installed): Steam with
// two libraries (one in each library-list format) and a third on a disk that is not mounted,
// the Flatpak Steam, app manifests malformed, half-written, a FIFO, too large and naming a
// folder outside the library, Heroic's GOG and Epic lists, Lutris's database and a folder
// added by hand.
#pragma once
#include "readers/games.h"
#include "support.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace sonaplex::test {

struct GamesHome {
    QTemporaryDir root;
    QString home = root.path() + "/home";
    QString program = root.path() + "/program";

    struct Expected {
        QString name, launcher, id, folder, build;
    };
    std::vector<Expected> expected; // by name

    static bool write(const QString& path, const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        return writeFile(path, content);
    }

    QString steamGame(const QString& library, const QString& id, const QString& name, const QString& build,
        const QByteArray& keys = "\"appid\" \"%1\"\n\t\"name\" \"%2\"\n\t\"installdir\" \"%2\"\n\t\"buildid\" \"%3\"")
    {
        const QString folder = library + "/steamapps/common/" + name;
        QDir().mkpath(folder);
        write(folder + "/sound/hit.wav", "RIFF");
        write(library + "/steamapps/appmanifest_" + id + ".acf",
            "\"AppState\"\n{\n\t" + QString::fromUtf8(keys).arg(id, name, build).toUtf8()
                + "\n\t\"StateFlags\" \"4\"\n\t\"UserConfig\"\n\t{\n\t\t\"language\" \"english\"\n\t}\n}\n");
        return folder;
    }

    // Writes it all; false when the fixture itself could not be written.
    bool make()
    {
        const QString steam = home + "/.local/share/Steam";
        const QString disk2 = root.path() + "/disk2/SteamLibrary", disk3 = root.path() + "/disk3/Library";
        QDir().mkpath(home + "/.steam");
        QDir().mkpath(program);
        // ~/.steam/steam is a link to the same install: found once.
        if (!QFile::link(steam, home + "/.steam/steam"))
            return false;
        write(steam + "/steamapps/libraryfolders.vdf",
            ("\"libraryfolders\"\n{\n\t\"contentstatsid\" \"-123\"\n"
             "\t\"0\"\n\t{\n\t\t\"path\" \"" + steam + "\"\n\t\t\"apps\" { \"620\" \"123\" }\n\t}\n"
             "\t\"1\"\n\t{\n\t\t\"path\" \"" + disk2 + "\"\n\t}\n"
             "\t\"2\"\n\t{\n\t\t\"path\" \"" + root.path() + "/unmounted/SteamLibrary\"\n\t}\n}\n").toUtf8());
        expected.push_back({"Portal 2", "steam", "620", steamGame(steam, "620", "Portal 2", "9000"), "9000"});
        // Keys in other cases, as older manifests have them.
        expected.push_back({"Half-Life", "steam", "70",
            steamGame(disk2, "70", "Half-Life", "55",
                "\"AppID\" \"%1\"\n\t\"Name\" \"%2\"\n\t\"InstallDir\" \"%2\"\n\t\"BuildID\" \"%3\""),
            "55"});
        write(steam + "/steamapps/appmanifest_999.acf", "\"AppState\"\n{\n\t\"appid\" \"999\"\n\t\"name\" \"Broken\"\n");
        write(steam + "/steamapps/appmanifest_998.acf", "\"AppState\"\n{\n\t\"appid\" \"998\"\n\t\"na");
        write(steam + "/steamapps/appmanifest_995.acf",
            "\"AppState\" { \"appid\" \"995\" \"name\" \"Escape\" \"installdir\" \"../../..\" }");
        if (::mkfifo(QFile::encodeName(steam + "/steamapps/appmanifest_997.acf").constData(), 0644) != 0)
            return false;
        QFile huge(steam + "/steamapps/appmanifest_996.acf");
        if (!huge.open(QIODevice::WriteOnly) || !huge.resize(3 << 20))
            return false;
        huge.close();
        // The Flatpak Steam, with a library list in the older format.
        const QString flatpak = home + "/.var/app/com.valvesoftware.Steam/.local/share/Steam";
        write(flatpak + "/steamapps/libraryfolders.vdf",
            ("\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\" \"1700000000\"\n\t\"ContentStatsID\" \"-5\"\n"
             "\t\"1\" \"" + disk3 + "\"\n}\n").toUtf8());
        expected.push_back({"Portal", "steam", "400", steamGame(flatpak, "400", "Portal", "7"), "7"});
        expected.push_back({"Half-Life 2", "steam", "220", steamGame(disk3, "220", "Half-Life 2", "12"), "12"});
        // Heroic: GOG (titles in its library cache) and Epic.
        const QString heroic = home + "/.config/heroic", unreal = root.path() + "/Games/Heroic/Unreal Gold";
        const QString fortnite = root.path() + "/Games/Heroic/Fortnite";
        QDir().mkpath(unreal);
        QDir().mkpath(fortnite);
        write(heroic + "/gog_store/installed.json",
            ("{\"installed\": [{\"appName\": \"1207658924\", \"install_path\": \"" + unreal
                + "\", \"platform\": \"windows\", \"buildId\": \"b51\"}, {\"appName\": 5}]}")
                .toUtf8());
        write(heroic + "/store_cache/gog_library.json",
            "{\"games\": [{\"app_name\": \"1207658924\", \"title\": \"Unreal Gold\"}]}");
        write(heroic + "/legendaryConfig/legendary/installed.json",
            ("{\"Fortnite\": {\"app_name\": \"Fortnite\", \"title\": \"Fortnite\", \"install_path\": \"" + fortnite
                + "\", \"version\": \"++Fortnite+Release-1\"}}")
                .toUtf8());
        expected.push_back({"Unreal Gold", "gog", "1207658924", unreal, "b51"});
        expected.push_back({"Fortnite", "epic", "Fortnite", fortnite, "++Fortnite+Release-1"});
        // Lutris: one game installed, one not.
        const QString quake = root.path() + "/Games/quake";
        QDir().mkpath(quake);
        QDir().mkpath(home + "/.local/share/lutris");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lutris-fixture");
            db.setDatabaseName(home + "/.local/share/lutris/pga.db");
            if (!db.open())
                return false;
            QSqlQuery q(db);
            q.exec("CREATE TABLE games (id INTEGER PRIMARY KEY, name TEXT, slug TEXT, installer_slug TEXT, "
                   "platform TEXT, runner TEXT, directory TEXT, installed INTEGER, installed_at INTEGER)");
            q.exec("INSERT INTO games(name, slug, runner, directory, installed) VALUES('Quake', 'quake', 'linux', '"
                + quake + "', 1)");
            q.exec("INSERT INTO games(name, slug, runner, directory, installed) VALUES('Doom', 'doom', 'linux', '', 0)");
            db.close();
        }
        QSqlDatabase::removeDatabase("lutris-fixture");
        expected.push_back({"Quake", "lutris", "quake", quake, ""});
        // Added by hand.
        const QString mod = root.path() + "/Games/my mod";
        QDir().mkpath(mod);
        if (!addGame(program + "/Game Folders.json", "My Mod", mod))
            return false;
        expected.push_back({"My Mod", "added", "", mod, ""});
        std::sort(expected.begin(), expected.end(),
            [](const Expected& a, const Expected& b) { return a.name.compare(b.name, Qt::CaseInsensitive) < 0; });
        return true;
    }

    GamePlaces places() const
    {
        return {home, home + "/.local/share", home + "/.config", program + "/Game Folders.json"};
    }
};

} // namespace sonaplex::test
