#include "readers/sound_pack.h"

#include "base/sound_names.h"
#include "base/result.h"

#include "base/content_hash.h"
#include "record/replacement_record.h"
#include "base/work_progress.h"
#include "readers/zip_api.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SoundPack)
};
} // namespace

QString packSuffix() { return QStringLiteral(".sonaplexpack"); }
QString packManifestName() { return QStringLiteral("manifest.json"); }

bool looksLikePack(const QString& path)
{
    if (path.endsWith(packSuffix(), Qt::CaseInsensitive))
        return QFileInfo(path).isFile();
    const Result<int> opened = openRegularFile(path);
    if (!opened)
        return false;
    // A zip member's local header: its signature, then its name at byte 30.
    const QByteArray name = packManifestName().toLatin1();
    QByteArray head(30 + name.size(), '\0');
    const ssize_t got = ::pread(opened.value(), head.data(), size_t(head.size()), 0);
    ::close(opened.value());
    return got == head.size() && head.startsWith("PK\x03\x04") && head.mid(30) == name;
}

namespace {

bool isHash(const QString& s)
{
    if (s.size() != 32)
        return false;
    return std::all_of(s.begin(), s.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    });
}

} // namespace

QString packPathProblem(const QString& path)
{
    if (path.isEmpty())
        return Say::tr("it has no path");
    if (path.contains(QChar(0)))
        return Say::tr("its path holds a NUL character");
    for (QChar c : path)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return Say::tr("its path holds a control character");
    if (path.startsWith(QLatin1Char('/')) || (path.size() > 1 && path[1] == QLatin1Char(':')))
        return Say::tr("its path is absolute");
    if (path.contains(QLatin1Char('\\')))
        return Say::tr("its path holds a backslash (paths are '/'-separated)");
    for (const QString& part : path.split(QLatin1Char('/'))) {
        if (part.isEmpty())
            return Say::tr("its path has an empty part");
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return Say::tr("its path leaves its folder ('%1')").arg(part);
        if (part.toUtf8().size() > 255)
            return Say::tr("a name in its path is longer than 255 bytes");
    }
    if (path.toUtf8().size() > 3000)
        return Say::tr("its path is longer than the file system allows");
    if (!isSoundName(path))
        return Say::tr("it is not a sound file Sonaplex knows (.%1)").arg(soundSuffixes().join(QStringLiteral(", .")));
    return {};
}

QByteArray manifestJson(const PackManifest& m)
{
    QJsonArray entries;
    for (const PackEntry& e : m.entries) {
        QJsonObject o{{QStringLiteral("path"), e.path}, {QStringLiteral("file"), e.file}, {QStringLiteral("hash"), e.hash}};
        if (!e.original.isEmpty())
            o.insert(QStringLiteral("replaces"), e.original);
        entries.append(o);
    }
    QJsonObject game{{QStringLiteral("name"), m.gameName}};
    if (!m.gameLauncher.isEmpty())
        game.insert(QStringLiteral("launcher"), m.gameLauncher);
    if (!m.gameId.isEmpty())
        game.insert(QStringLiteral("id"), m.gameId);
    return QJsonDocument(QJsonObject{{QStringLiteral("sonaplexPack"), kPackFormat}, {QStringLiteral("name"), m.name},
                             {QStringLiteral("author"), m.author}, {QStringLiteral("version"), m.version},
                             {QStringLiteral("description"), m.description}, {QStringLiteral("game"), game},
                             {QStringLiteral("entries"), entries}})
        .toJson(QJsonDocument::Indented);
}

bool readManifestJson(const QByteArray& json, PackManifest& m, PackRefusal* why)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        tellWhy(why,
            packRefusal(packManifestName(),
                error.error != QJsonParseError::NoError
                    ? Say::tr("is not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset)
                    : Say::tr("is not a JSON object")));
        return false;
    }
    const QJsonObject root = doc.object();
    const QJsonValue format = root.value(QStringLiteral("sonaplexPack"));
    if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() != double(format.toInt())) {
        tellWhy(why, packRefusal(packManifestName(), Say::tr("does not say which pack format it is (\"sonaplexPack\")")));
        return false;
    }
    if (format.toInt() > kPackFormat) {
        tellWhy(why,
            packRefusal(packManifestName(),
                Say::tr("is of pack format %1, made by a newer Sonaplex (this one reads format %2)")
                    .arg(format.toInt())
                    .arg(kPackFormat)));
        return false;
    }
    m = {};
    m.format = format.toInt();
    auto text = [](const QJsonObject& o, const char* key) { return o.value(QLatin1String(key)).toString(); };
    m.name = text(root, "name");
    m.author = text(root, "author");
    m.version = text(root, "version");
    m.description = text(root, "description");
    const QJsonObject game = root.value(QStringLiteral("game")).toObject();
    m.gameName = text(game, "name");
    m.gameLauncher = text(game, "launcher");
    m.gameId = text(game, "id");
    const QJsonValue list = root.value(QStringLiteral("entries"));
    if (!list.isArray()) {
        tellWhy(why, packRefusal(packManifestName(), Say::tr("has no list of entries")));
        return false;
    }
    QHash<QString, QString> seen; // by path folded to lower case: the path first seen
    const QJsonArray entries = list.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject o = entries[i].toObject();
        PackEntry e{text(o, "path"), text(o, "file"), text(o, "hash"), text(o, "replaces")};
        const QString named = e.path.isEmpty() ? Say::tr("entry %1").arg(i + 1) : e.path;
        if (!entries[i].isObject()) {
            tellWhy(why, packRefusal(Say::tr("entry %1").arg(i + 1), Say::tr("is not a JSON object")));
            return false;
        }
        if (const QString problem = packPathProblem(e.path); !problem.isEmpty()) {
            tellWhy(why, packRefusal(named, problem));
            return false;
        }
        if (e.file.isEmpty() || e.file.contains(QChar(0))) {
            tellWhy(why, packRefusal(named, Say::tr("names no file in the pack")));
            return false;
        }
        if (!isHash(e.hash)) {
            tellWhy(why, packRefusal(named, Say::tr("has no valid content hash (32 hexadecimal digits)")));
            return false;
        }
        if (!e.original.isEmpty() && !isHash(e.original)) {
            tellWhy(why, packRefusal(named, Say::tr("names the original it replaces with no valid hash")));
            return false;
        }
        const QString folded = e.path.toCaseFolded();
        if (const auto first = seen.constFind(folded); first != seen.constEnd()) {
            tellWhy(why,
                packRefusal(named,
                    *first == e.path ? Say::tr("is named twice")
                                     : Say::tr("differs only in case from %1").arg(*first)));
            return false;
        }
        seen.insert(folded, e.path);
        m.entries.push_back(std::move(e));
    }
    return true;
}

} // namespace sonaplex
