// Installed games, found in the files their launchers keep: Steam's library list and app
// manifests, Heroic's lists of GOG and Epic games, Lutris's database, and the folders the user
// added by hand. Everything here is read from files other programs wrote: each is opened only
// as a regular file of a bounded size, and what does not read as expected is skipped and
// logged, never trusted.
#include "readers/games.h"

#include "base/files.h"
#include "base/result.h"

#include "readers/key_values.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <set>

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Games)
};
} // namespace

QString launcherName(Launcher l)
{
    switch (l) {
    case Launcher::Steam:
        return QStringLiteral("Steam");
    case Launcher::HeroicGog:
        return Say::tr("Heroic (GOG)");
    case Launcher::HeroicEpic:
        return Say::tr("Heroic (Epic)");
    case Launcher::Lutris:
        return QStringLiteral("Lutris");
    case Launcher::Added:
        break;
    }
    return Say::tr("added by hand");
}

QString launcherKeyword(Launcher l)
{
    switch (l) {
    case Launcher::Steam:
        return QStringLiteral("steam");
    case Launcher::HeroicGog:
        return QStringLiteral("gog");
    case Launcher::HeroicEpic:
        return QStringLiteral("epic");
    case Launcher::Lutris:
        return QStringLiteral("lutris");
    case Launcher::Added:
        break;
    }
    return QStringLiteral("added");
}

GamePlaces GamePlaces::ofUser(const QString& programFolder)
{
    GamePlaces p;
    p.home = QDir::homePath();
    const QString data = qEnvironmentVariable("XDG_DATA_HOME"), config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The XDG specification ignores a relative path in these.
    p.dataHome = QDir::isAbsolutePath(data) ? data : p.home + QStringLiteral("/.local/share");
    p.configHome = QDir::isAbsolutePath(config) ? config : p.home + QStringLiteral("/.config");
    p.added = programFolder + QStringLiteral("/Game Folders.json");
    return p;
}

namespace {
constexpr qint64 kMaxLauncherFile = 64 << 20; // a launcher's list of a large library is a few MB
constexpr qint64 kMaxAppManifest = 1 << 20;

// A folder a launcher's file names: absolute, and with no NUL in it (the system would read the
// name only up to the NUL: "/tmp\0x" would be taken for /tmp).
bool isFolderName(const QString& path)
{
    return !path.isEmpty() && QDir::isAbsolutePath(path) && !path.contains(QChar(0));
}

class Search {
public:
    explicit Search(GameSearch& out) : out_(out) {}

    void skip(const QString& what) { out_.log << what; }

    // The file's content, or empty with a line in the log (nothing for a file that is not there).
    QByteArray read(const QString& path, qint64 limit)
    {
        const Result<QByteArray> data = readSmallFile(path, limit);
        if (!data && data.failure().cause != FileCause::NotFound)
            skip(Say::tr("skipped %1: %2").arg(path, data.failure().error));
        return data ? data.value() : QByteArray();
    }

    QJsonDocument readJson(const QString& path)
    {
        const QByteArray data = read(path, kMaxLauncherFile);
        if (data.isEmpty())
            return {};
        QJsonParseError error;
        QJsonDocument doc = QJsonDocument::fromJson(data, &error);
        if (doc.isNull())
            skip(
                Say::tr("skipped %1: it is not JSON (%2 at byte %3)").arg(path, error.errorString()).arg(error.offset));
        return doc;
    }

    // A game whose folder is there, once per folder (the first launcher to name it keeps it).
    void add(Game g, const QString& from)
    {
        if (!isFolderName(g.folder)) {
            skip(Say::tr("skipped %1 in %2: it names no absolute folder").arg(g.name.isEmpty() ? g.id : g.name, from));
            return;
        }
        g.folder = QDir::cleanPath(g.folder);
        // One stat per game, whatever its folder's depth (a link to one folder is that folder).
        struct stat st {};
        if (::stat(QFile::encodeName(g.folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
            skip(Say::tr("skipped %1 in %2: its folder %3 is not there (not installed, or on a disk that is "
                         "not mounted)")
                     .arg(g.name.isEmpty() ? g.id : g.name, from, g.folder));
            return;
        }
        // Known by what it is, as every window and command names it; records of older versions
        // may name it as the launcher spells it.
        const KnownFolder known = KnownFolder::of(g.folder);
        g.folder = known.real;
        g.spelledAs = known.spelledAs;
        if (g.name.trimmed().isEmpty())
            g.name = g.folder.section(QLatin1Char('/'), -1);
        const std::pair<quint64, quint64> identity{quint64(st.st_dev), quint64(st.st_ino)};
        if (folders_.contains(identity))
            return;
        folders_.insert(identity);
        out_.games.push_back(std::move(g));
    }

    GameSearch& out_;
    std::set<std::pair<quint64, quint64>> folders_; // by device and inode
};

// Steam: each place a Steam install can be, each library its list names, each app manifest
// in each library.
void findSteam(const GamePlaces& places, Search& search)
{
    const QString& home = places.home;
    const QStringList roots{places.dataHome + QStringLiteral("/Steam"), home + QStringLiteral("/.local/share/Steam"),
        home + QStringLiteral("/.steam/steam"), home + QStringLiteral("/.steam/root"),
        home + QStringLiteral("/.steam/debian-installation"),
        home + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam"),
        home + QStringLiteral("/.var/app/com.valvesoftware.Steam/data/Steam"),
        home + QStringLiteral("/snap/steam/common/.local/share/Steam")};
    QSet<QString> seen; // libraries, by their real path (the roots are often links to one another)
    QStringList libraries;
    auto addLibrary = [&](const QString& path, const QString& from) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            if (!from.isEmpty())
                search.skip(Say::tr("skipped the Steam library %1 named in %2: it is not there (on a disk that "
                                    "is not mounted?)")
                                .arg(path, from));
            return false;
        }
        if (seen.contains(info.canonicalFilePath()))
            return false;
        seen.insert(info.canonicalFilePath());
        libraries << QDir::cleanPath(path);
        return true;
    };
    for (const QString& root : roots) {
        if (!addLibrary(root, {}))
            continue;
        for (const QString& listName : {QStringLiteral("/steamapps/libraryfolders.vdf"), QStringLiteral("/config/libraryfolders.vdf")}) {
            const QString list = root + listName;
            const QByteArray text = search.read(list, kMaxLauncherFile);
            if (text.isEmpty())
                continue;
            const KeyValuesRead kv = readKeyValues(text);
            const KeyValues* folders = kv.root.find(u"libraryfolders");
            if (!kv.ok() || !folders || !folders->section) {
                search.skip(Say::tr("skipped %1: %2 (line %3)")
                                .arg(list, kv.ok() ? Say::tr("it has no library list") : kv.error)
                                .arg(kv.line));
                continue;
            }
            // Entries named by number: a section with a "path" (the present format), or a path
            // (the older one). The other keys are Steam's own.
            for (const KeyValues& entry : folders->children) {
                bool number = false;
                entry.key.toInt(&number);
                if (!number)
                    continue;
                const QString path = entry.section ? entry.text(u"path") : entry.value;
                if (!isFolderName(path))
                    search.skip(Say::tr("skipped entry %1 of %2: it names no absolute folder").arg(entry.key, list));
                else
                    addLibrary(path, list);
            }
        }
    }
    // Steam's own tools are listed as apps too: not games.
    static const QSet<QString> tools{QStringLiteral("228980"), QStringLiteral("1070560"), QStringLiteral("1391110"),
        QStringLiteral("1628350"), QStringLiteral("1493710"), QStringLiteral("2180100")};
    for (const QString& library : libraries) {
        const QString apps = library + QStringLiteral("/steamapps");
        const QStringList manifests = QDir(apps).entryList(
            {QStringLiteral("appmanifest_*.acf")}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
        for (const QString& name : manifests) {
            const QString path = apps + QLatin1Char('/') + name;
            const QByteArray text = search.read(path, kMaxAppManifest);
            if (text.isEmpty())
                continue;
            const KeyValuesRead kv = readKeyValues(text);
            const KeyValues* app = kv.root.find(u"AppState");
            if (!kv.ok() || !app || !app->section) {
                search.skip(Say::tr("skipped %1: %2 (line %3)")
                                .arg(path, kv.ok() ? Say::tr("it has no AppState") : kv.error)
                                .arg(kv.line));
                continue;
            }
            Game g{app->text(u"name"), Launcher::Steam, app->text(u"appid"), {}, app->text(u"buildid")};
            const QString installDir = app->text(u"installdir");
            bool number = false;
            g.id.toULongLong(&number);
            if (!number || installDir.isEmpty() || !isPlainName(installDir)) {
                search.skip(Say::tr("skipped %1: its app id or install folder is not usable").arg(path));
                continue;
            }
            if (tools.contains(g.id) || g.name.startsWith(QLatin1String("Proton ")))
                continue;
            g.folder = apps + QStringLiteral("/common/") + installDir;
            search.add(std::move(g), path);
        }
    }
}

QStringList heroicFolders(const GamePlaces& places)
{
    return {places.configHome + QStringLiteral("/heroic"),
        places.home + QStringLiteral("/.var/app/com.heroicgameslauncher.hgl/config/heroic")};
}

// The titles Heroic keeps of a GOG library, by app name.
QHash<QString, QString> gogTitles(const QString& heroic, Search& search)
{
    QHash<QString, QString> titles;
    for (const QString& file : {QStringLiteral("/store_cache/gog_library.json"), QStringLiteral("/gog_store/library.json")}) {
        const QJsonArray games = search.readJson(heroic + file).object().value(QLatin1String("games")).toArray();
        for (const QJsonValue& g : games) {
            const QJsonObject o = g.toObject();
            const QString id = o.value(QLatin1String("app_name")).toString(), title = o.value(QLatin1String("title")).toString();
            if (!id.isEmpty() && !title.isEmpty() && !titles.contains(id))
                titles.insert(id, title);
        }
    }
    return titles;
}

void findHeroic(const GamePlaces& places, Search& search)
{
    QStringList epicLists{places.configHome + QStringLiteral("/legendary/installed.json")};
    for (const QString& heroic : heroicFolders(places)) {
        if (!QFileInfo(heroic).isDir())
            continue;
        epicLists.prepend(heroic + QStringLiteral("/legendaryConfig/legendary/installed.json"));
        const QString gogList = heroic + QStringLiteral("/gog_store/installed.json");
        const QJsonDocument gog = search.readJson(gogList);
        if (!gog.isNull()) {
            const QHash<QString, QString> titles = gogTitles(heroic, search);
            for (const QJsonValue& v : gog.object().value(QLatin1String("installed")).toArray()) {
                const QJsonObject o = v.toObject();
                const QString id = o.value(QLatin1String("appName")).toString();
                const QString build = o.value(QLatin1String("buildId")).toString();
                search.add({titles.value(id), Launcher::HeroicGog, id, o.value(QLatin1String("install_path")).toString(),
                               build.isEmpty() ? o.value(QLatin1String("version")).toString() : build},
                    gogList);
            }
        }
    }
    for (const QString& list : epicLists) {
        const QJsonDocument epic = search.readJson(list);
        const QJsonObject apps = epic.object();
        for (auto it = apps.begin(); it != apps.end(); ++it) {
            const QJsonObject o = it.value().toObject();
            const QString id = o.value(QLatin1String("app_name")).toString();
            search.add({o.value(QLatin1String("title")).toString(), Launcher::HeroicEpic, id.isEmpty() ? it.key() : id,
                           o.value(QLatin1String("install_path")).toString(), o.value(QLatin1String("version")).toString()},
                list);
        }
    }
}

// Lutris: its database, read from a copy of our own. SQLite writes beside a database it opens
// (the shared index and log of one in WAL mode, even "read-only"), and nothing is ever created
// or changed in another program's folder. The copy is read with a bound on time and memory and
// from Lutris's real table only: a database that is not Lutris's own (a view that never ends, a
// table of billions of rows) is skipped, never waited for.
constexpr int kLutrisSeconds = 3;

// The games of a copy of pga.db; false and `why` when it cannot be read as Lutris's.
bool readLutrisCopy(const QString& database, std::vector<Game>& games, QString* why)
{
    sqlite3* db = nullptr;
    const QByteArray name = QFile::encodeName(database);
    if (sqlite3_open_v2(name.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        *why = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kLutrisSeconds);
    struct Bound {
        std::chrono::steady_clock::time_point deadline;
        bool passed = false;
    } bound{deadline};
    sqlite3_progress_handler(db, 1000, [](void* b) -> int {
        auto* bound = static_cast<Bound*>(b);
        bound->passed = bound->passed || std::chrono::steady_clock::now() > bound->deadline;
        return bound->passed ? 1 : 0;
    }, &bound);
    sqlite3_busy_timeout(db, 300);
    sqlite3_exec(db, "PRAGMA temp_store=MEMORY; PRAGMA cache_size=-8192", nullptr, nullptr, nullptr);
    bool ok = false;
    sqlite3_stmt* q = nullptr;
    // Lutris's games are a table; anything else of that name is not read.
    if (sqlite3_prepare_v2(db, "SELECT type FROM sqlite_master WHERE name = 'games'", -1, &q, nullptr) == SQLITE_OK
        && sqlite3_step(q) == SQLITE_ROW) {
        const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(q, 0));
        if (type && QByteArray(type) == "table")
            ok = true;
        else
            *why = Say::tr("its games are not a table");
    } else if (why->isEmpty()) {
        *why = Say::tr("it has no list of games (%1)").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    sqlite3_finalize(q);
    q = nullptr;
    if (ok)
        ok = sqlite3_prepare_v2(db, "SELECT slug, name, directory FROM games WHERE installed = 1 ORDER BY id", -1, &q,
                 nullptr)
            == SQLITE_OK;
    if (ok) {
        auto text = [&](int c) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(q, c));
            return t ? QString::fromUtf8(t, sqlite3_column_bytes(q, c)) : QString();
        };
        int step = SQLITE_ROW;
        constexpr size_t kMaxGames = 100000;
        while ((step = sqlite3_step(q)) == SQLITE_ROW && games.size() < kMaxGames)
            games.push_back({text(1), Launcher::Lutris, text(0), text(2), {}});
        ok = step == SQLITE_DONE || step == SQLITE_ROW;
        if (!ok)
            *why = bound.passed ? Say::tr("reading it took longer than %1 s").arg(kLutrisSeconds)
                                : QString::fromUtf8(sqlite3_errmsg(db));
    } else if (why->isEmpty()) {
        *why = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(q);
    sqlite3_close(db);
    return ok;
}

void findLutris(const GamePlaces& places, Search& search)
{
    const QStringList databases{places.dataHome + QStringLiteral("/lutris/pga.db"),
        places.home + QStringLiteral("/.local/share/lutris/pga.db"),
        places.home + QStringLiteral("/.var/app/net.lutris.Lutris/data/lutris/pga.db")};
    QSet<QString> seen;
    for (const QString& path : databases) {
        const QFileInfo info(path);
        if (!info.exists() || seen.contains(info.canonicalFilePath()))
            continue;
        seen.insert(info.canonicalFilePath());
        QTemporaryDir copy;
        if (!copy.isValid()) {
            search.skip(Say::tr("skipped %1: no room for a copy to read (%2)").arg(path, copy.errorString()));
            continue;
        }
        // The database and, when there is one, its log: what Lutris wrote last may be only there.
        // Each only as a regular file of a bounded size (SQLite would wait on a FIFO).
        FileResult why;
        bool copied = true;
        for (const QString& tail : {QString(), QStringLiteral("-wal")}) {
            if (!tail.isEmpty() && !QFileInfo::exists(path + tail))
                continue;
            const Result<QByteArray> bytes = readSmallFile(path + tail, kMaxLauncherFile);
            QFile out(copy.path() + QStringLiteral("/pga.db") + tail);
            if (!bytes || !out.open(QIODevice::WriteOnly) || out.write(bytes.value()) != bytes.value().size()) {
                why = bytes ? FileResult::failure(Say::tr("no room for a copy to read (%1)").arg(out.errorString()))
                            : bytes.failure();
                copied = false;
                break;
            }
        }
        if (!copied) {
            search.skip(Say::tr("skipped %1: %2").arg(path, why.error));
            continue;
        }
        std::vector<Game> games;
        QString problem;
        if (!readLutrisCopy(copy.path() + QStringLiteral("/pga.db"), games, &problem)) {
            search.skip(Say::tr("skipped %1: %2").arg(path, problem));
            continue;
        }
        for (Game& g : games)
            search.add(std::move(g), path);
    }
}

Result<QJsonArray> readAdded(const QString& file)
{
    const Result<QByteArray> data = readSmallFile(file, kMaxLauncherFile);
    if (!data)
        return data.failure();
    return QJsonDocument::fromJson(data.value()).object().value(QLatin1String("games")).toArray();
}

void findAdded(const GamePlaces& places, Search& search)
{
    if (places.added.isEmpty())
        return;
    const QJsonDocument doc = search.readJson(places.added);
    for (const QJsonValue& v : doc.object().value(QLatin1String("games")).toArray()) {
        const QJsonObject o = v.toObject();
        search.add({o.value(QLatin1String("name")).toString(), Launcher::Added, {}, o.value(QLatin1String("folder")).toString(), {}},
            places.added);
    }
}

FileResult writeAdded(const QString& file, const QJsonArray& games)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)
        || out.write(QJsonDocument(QJsonObject{{QStringLiteral("games"), games}}).toJson()) < 0 || !out.commit())
        return FileResult::failure(Say::tr("cannot write %1: %2").arg(file, out.errorString()));
    return FileResult::success();
}
} // namespace

GameSearch findGames(const GamePlaces& places)
{
    GameSearch result;
    Search search(result);
    findSteam(places, search);
    findHeroic(places, search);
    findLutris(places, search);
    findAdded(places, search);
    std::stable_sort(result.games.begin(), result.games.end(), [](const Game& a, const Game& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return result;
}

FileResult addGame(const QString& addedFile, const QString& name, const QString& folder)
{
    if (name.trimmed().isEmpty())
        return FileResult::failure(Say::tr("a game needs a name"));
    if (!QFileInfo(folder).isDir())
        return FileResult::failure(Say::tr("%1 is not a folder").arg(folder), FileCause::NotFound);
    const Result<QJsonArray> listed = readAdded(addedFile);
    if (!listed && listed.failure().cause != FileCause::NotFound)
        return listed.failure(); // a list that cannot be read is not written over
    QJsonArray games = listed ? listed.value() : QJsonArray();
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    for (qsizetype i = games.size() - 1; i >= 0; --i)
        if (games[i].toObject().value(QLatin1String("folder")).toString() == clean)
            games.removeAt(i);
    games.append(QJsonObject{{QStringLiteral("name"), name.trimmed()}, {QStringLiteral("folder"), clean}});
    return writeAdded(addedFile, games);
}

FileResult removeAddedGame(const QString& addedFile, const QString& folder)
{
    Result<QJsonArray> listed = readAdded(addedFile);
    if (!listed)
        return listed.failure();
    QJsonArray& games = listed.value();
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    for (qsizetype i = games.size() - 1; i >= 0; --i)
        if (games[i].toObject().value(QLatin1String("folder")).toString() == clean)
            games.removeAt(i);
    return writeAdded(addedFile, games);
}

const Game* gameHolding(const std::vector<Game>& games, const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    const Game* best = nullptr;
    for (const Game& g : games)
        if (g.where().holds(clean) && (!best || g.folder.size() > best->folder.size()))
            best = &g;
    return best;
}

std::vector<GameCount> countReplaced(const std::vector<Game>& games, const std::vector<ReplacedFile>& files)
{
    std::vector<GameCount> counts(games.size());
    QHash<QString, size_t> byFolder;
    for (size_t i = 0; i < games.size(); ++i) {
        byFolder.insert(games[i].folder, i);
        if (!games[i].spelledAs.isEmpty())
            byFolder.insert(games[i].spelledAs, i);
    }
    for (const ReplacedFile& f : files) {
        if (f.lastHash == f.originalHash)
            continue; // put back by Sonaplex: not replaced now
        // The deepest game folder holding the file: its folders from the file up.
        for (qsizetype slash = f.gamePath.lastIndexOf(QLatin1Char('/')); slash > 0;
             slash = f.gamePath.lastIndexOf(QLatin1Char('/'), slash - 1)) {
            const auto it = byFolder.constFind(f.gamePath.left(slash));
            if (it == byFolder.constEnd())
                continue;
            GameCount& c = counts[*it];
            ++c.replaced;
            if (!f.currentHash.isEmpty() && f.currentHash != f.lastHash)
                ++c.changed;
            break;
        }
    }
    return counts;
}

} // namespace sonaplex
