// Any bytes as the files launchers keep (Steam's library list and app manifest, Heroic's lists
// of GOG and Epic games, Lutris's database, the list of folders added by hand): finding the games ends, never
// crashes, and names only absolute folders that are there. And the same bytes through the
// key-value reader alone.
#include "readers/games.h"
#include "readers/key_values.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {
void put(const QString& path, const uint8_t* data, size_t size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(reinterpret_cast<const char*>(data), qint64(size));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace sonaplex;
    const KeyValuesRead kv = readKeyValues(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!kv.ok() && !kv.root.children.empty())
        std::abort();

    static QTemporaryDir scratch;
    static const QString home = [] {
        const QString h = scratch.path() + QStringLiteral("/home");
        QDir().mkpath(h + QStringLiteral("/.local/share/Steam/steamapps/common/Game"));
        return h;
    }();
    const QString steam = home + QStringLiteral("/.local/share/Steam/steamapps");
    put(steam + QStringLiteral("/libraryfolders.vdf"), data, size);
    put(steam + QStringLiteral("/appmanifest_1.acf"), data, size);
    put(home + QStringLiteral("/.config/heroic/gog_store/installed.json"), data, size);
    put(home + QStringLiteral("/.config/heroic/legendaryConfig/legendary/installed.json"), data, size);
    put(scratch.path() + QStringLiteral("/added.json"), data, size);
    put(home + QStringLiteral("/.local/share/lutris/pga.db"), data, size); // read from a copy, bounded
    const GameSearch found = findGames({home, home + QStringLiteral("/.local/share"), home + QStringLiteral("/.config"),
        scratch.path() + QStringLiteral("/added.json")});
    for (const Game& g : found.games)
        if (!QDir::isAbsolutePath(g.folder) || QDir::cleanPath(g.folder) != g.folder || !QFileInfo(g.folder).isDir())
            std::abort();
    return 0;
}
