// Any bytes as a backup set's list of where its files came from: a set may come from someone
// else. Reading it and planning its restore ends, never crashes, and plans no file that is not
// a plain absolute .wav or .mid path.
#include "actions/backup_sets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir scratch;
    static const QString set = [] {
        const QString folder = scratch.path() + QStringLiteral("/set");
        QDir().mkpath(folder);
        for (const char* name : {"fx1.wav", "TRACK1.MID", "notes.txt"}) {
            QFile f(folder + QLatin1Char('/') + QLatin1String(name));
            if (f.open(QIODevice::WriteOnly))
                f.write("RIFF");
        }
        return folder;
    }();
    QFile manifest(set + QLatin1Char('/') + sonaplex::manifestName());
    if (!manifest.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    manifest.write(reinterpret_cast<const char*>(data), qint64(size));
    manifest.close();
    const sonaplex::SetPlan plan = sonaplex::planSetRestore(nullptr, set);
    for (const sonaplex::SetTarget& t : plan.targets) {
        const QString kind = t.gamePath.section(QLatin1Char('.'), -1).toLower();
        if (!QDir::isAbsolutePath(t.gamePath) || QDir::cleanPath(t.gamePath) != t.gamePath
            || (kind != QLatin1String("wav") && kind != QLatin1String("mid")) || !t.source.startsWith(set + QLatin1Char('/')))
            std::abort();
    }
    return 0;
}
