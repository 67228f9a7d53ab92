#include "readers/sound_pack.h"

#include "base/sound_names.h"
#include "base/result.h"

#include "base/content_hash.h"
#include "record/replacement_record.h"
#include "base/work_progress.h"
#include "readers/zip_api.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
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


QString bytesText(qint64 bytes)
{
    if (bytes >= (qint64(1) << 30))
        return Say::tr("%1 GiB").arg(double(bytes) / double(qint64(1) << 30), 0, 'f', 1);
    if (bytes >= (1 << 20))
        return Say::tr("%1 MiB").arg(double(bytes) / double(1 << 20), 0, 'f', 1);
    return Say::tr("%1 bytes").arg(bytes);
}

PackRefusal refusal(QString entry, QString why) { return {std::move(entry), std::move(why)}; }
PackRefusal localFailure(QString entry, QString why) { return {std::move(entry), std::move(why), true}; }
// Whether libzip's error is the disk's or the system's (reading, seeking, memory), not the
// archive's.
bool isLocal(int zipCode)
{
    return zipCode == ZIP_ER_READ || zipCode == ZIP_ER_SEEK || zipCode == ZIP_ER_OPEN || zipCode == ZIP_ER_MEMORY
        || zipCode == ZIP_ER_TELL || zipCode == ZIP_ER_CLOSE || zipCode == ZIP_ER_WRITE;
}
bool isLocal(zip_error_t* e) { return e && isLocal(libzip().zip_error_code_zip(e)); }
// A member that libzip could not give: a failure here when it is the disk's, else a refusal.
PackRefusal zipFailure(QString entry, QString why, zip_error_t* e)
{
    return isLocal(e) ? localFailure(std::move(entry), std::move(why)) : refusal(std::move(entry), std::move(why));
}

void say(PackRefusal* to, PackRefusal what)
{
    if (to)
        *to = std::move(what);
}

QString zipError(zip_error_t* e) { return QString::fromLocal8Bit(libzip().zip_error_strerror(e)); }

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
        say(why,
            refusal(packManifestName(),
                error.error != QJsonParseError::NoError
                    ? Say::tr("is not JSON (%1 at byte %2)").arg(error.errorString()).arg(error.offset)
                    : Say::tr("is not a JSON object")));
        return false;
    }
    const QJsonObject root = doc.object();
    const QJsonValue format = root.value(QStringLiteral("sonaplexPack"));
    if (!format.isDouble() || format.toDouble() < 1 || format.toDouble() != double(format.toInt())) {
        say(why, refusal(packManifestName(), Say::tr("does not say which pack format it is (\"sonaplexPack\")")));
        return false;
    }
    if (format.toInt() > kPackFormat) {
        say(why,
            refusal(packManifestName(),
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
        say(why, refusal(packManifestName(), Say::tr("has no list of entries")));
        return false;
    }
    QHash<QString, QString> seen; // by path folded to lower case: the path first seen
    const QJsonArray entries = list.toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject o = entries[i].toObject();
        PackEntry e{text(o, "path"), text(o, "file"), text(o, "hash"), text(o, "replaces")};
        const QString named = e.path.isEmpty() ? Say::tr("entry %1").arg(i + 1) : e.path;
        if (!entries[i].isObject()) {
            say(why, refusal(Say::tr("entry %1").arg(i + 1), Say::tr("is not a JSON object")));
            return false;
        }
        if (const QString problem = packPathProblem(e.path); !problem.isEmpty()) {
            say(why, refusal(named, problem));
            return false;
        }
        if (e.file.isEmpty() || e.file.contains(QChar(0))) {
            say(why, refusal(named, Say::tr("names no file in the pack")));
            return false;
        }
        if (!isHash(e.hash)) {
            say(why, refusal(named, Say::tr("has no valid content hash (32 hexadecimal digits)")));
            return false;
        }
        if (!e.original.isEmpty() && !isHash(e.original)) {
            say(why, refusal(named, Say::tr("names the original it replaces with no valid hash")));
            return false;
        }
        const QString folded = e.path.toCaseFolded();
        if (const auto first = seen.constFind(folded); first != seen.constEnd()) {
            say(why,
                refusal(named,
                    *first == e.path ? Say::tr("is named twice")
                                     : Say::tr("differs only in case from %1").arg(*first)));
            return false;
        }
        seen.insert(folded, e.path);
        m.entries.push_back(std::move(e));
    }
    return true;
}

// ---- the archive ----

PackArchive::~PackArchive()
{
    if (zip_)
        libzip().zip_discard(static_cast<zip_t*>(zip_));
}

std::unique_ptr<PackArchive> PackArchive::open(const QString& path, PackRefusal* why, const PackLimits& limits)
{
    if (!libzip().error.isEmpty()) {
        say(why, refusal({}, libzip().error));
        return nullptr;
    }
    const Result<int> file = openRegularFile(path); // never waits on a FIFO
    if (!file) {
        const FileResult& failure = file.failure();
        say(why, failure.cause == FileCause::NotAFile ? refusal({}, failure.error) : localFailure({}, failure.error));
        return nullptr;
    }
    const int fd = file.value();
    int error = 0;
    zip_t* zip = libzip().zip_fdopen(fd, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!zip) {
        ::close(fd);
        zip_error_t e;
        libzip().zip_error_init_with_code(&e, error);
        if (isLocal(error))
            say(why, localFailure({}, zipError(&e)));
        else
            say(why,
                refusal({},
                    Say::tr("%1 is not a sound pack: not a whole zip archive (%2)")
                        .arg(QFileInfo(path).fileName(), zipError(&e))));
        libzip().zip_error_fini(&e);
        return nullptr;
    }
    return opened(zip, why, limits);
}

std::unique_ptr<PackArchive> PackArchive::fromBytes(const QByteArray& bytes, PackRefusal* why, const PackLimits& limits)
{
    if (bytes.isEmpty()) {
        say(why, refusal({}, Say::tr("not a sound pack: it is empty")));
        return nullptr;
    }
    if (!libzip().error.isEmpty()) {
        say(why, refusal({}, libzip().error));
        return nullptr;
    }
    zip_error_t e;
    libzip().zip_error_init(&e);
    // The source copies nothing: `bytes` outlives the archive only while the caller keeps it, so
    // it is copied once into memory the source frees.
    void* copy = std::malloc(size_t(bytes.size()));
    std::memcpy(copy, bytes.constData(), size_t(bytes.size()));
    zip_source_t* source = libzip().zip_source_buffer_create(copy, zip_uint64_t(bytes.size()), 1, &e);
    zip_t* zip = source ? libzip().zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &e) : nullptr;
    if (!zip) {
        if (source)
            libzip().zip_source_free(source);
        else
            std::free(copy);
        say(why, refusal({}, Say::tr("not a sound pack: not a whole zip archive (%1)").arg(zipError(&e))));
        libzip().zip_error_fini(&e);
        return nullptr;
    }
    libzip().zip_error_fini(&e);
    return opened(zip, why, limits);
}

namespace {
// The manifest through the same bounded reading as every entry (its hash not checked): `size`
// bytes at most, all of them, or a refusal (or a failure to read it here).
bool readManifestMember(zip_t* zip, zip_int64_t index, qint64 size, QByteArray* json, PackRefusal* why)
{
    json->reserve(qsizetype(size));
    zip_file_t* file = libzip().zip_fopen_index(zip, zip_uint64_t(index), 0);
    if (!file) {
        zip_error_t* error = libzip().zip_get_error(zip);
        say(why, zipFailure(packManifestName(), Say::tr("cannot be read: %1").arg(zipError(error)), error));
        return false;
    }
    char buffer[65536];
    zip_int64_t n = 0;
    while ((n = libzip().zip_fread(file, buffer, sizeof buffer)) > 0 && json->size() + n <= size)
        json->append(buffer, qsizetype(n));
    const bool whole = n == 0 && json->size() == size;
    const QString damage = n < 0 ? zipError(libzip().zip_file_get_error(file)) : QString();
    const bool readFailed = n < 0 && isLocal(libzip().zip_file_get_error(file));
    libzip().zip_fclose(file);
    if (readFailed) {
        say(why, localFailure(packManifestName(), Say::tr("cannot be read: %1").arg(damage)));
        return false;
    }
    if (!whole) {
        say(why,
            refusal(packManifestName(),
                n < 0 ? Say::tr("is damaged (%1)").arg(damage) : Say::tr("does not inflate to its declared size")));
        return false;
    }
    return true;
}
} // namespace

std::unique_ptr<PackArchive> PackArchive::opened(void* handle, PackRefusal* why, const PackLimits& limits)
{
    std::unique_ptr<PackArchive> pack(new PackArchive);
    pack->zip_ = handle;
    pack->limits_ = limits;
    zip_t* zip = static_cast<zip_t*>(handle);
    const zip_int64_t count = libzip().zip_get_num_entries(zip, 0);
    if (count < 0 || count > qint64(limits.entries) * 2 + 16) {
        say(why, refusal({}, Say::tr("the pack holds too many files (%1)").arg(count)));
        return nullptr;
    }
    // Stats an archive member as one of the pack's files: plain, unencrypted, compressed in a way
    // we read, within the limits.
    auto member = [&](const QString& name, qint64 limit, zip_int64_t* index, zip_stat_t* st) -> QString {
        *index = libzip().zip_name_locate(zip, name.toUtf8().constData(), 0);
        if (*index < 0 || name.endsWith(QLatin1Char('/')))
            return Say::tr("is not in the pack");
        libzip().zip_stat_init(st);
        if (libzip().zip_stat_index(zip, zip_uint64_t(*index), 0, st) != 0 || !(st->valid & ZIP_STAT_SIZE)
            || !(st->valid & ZIP_STAT_COMP_SIZE))
            return Say::tr("cannot be read in the pack");
        if ((st->valid & ZIP_STAT_ENCRYPTION_METHOD) && st->encryption_method != ZIP_EM_NONE)
            return Say::tr("is encrypted");
        if ((st->valid & ZIP_STAT_COMP_METHOD) && !libzip().zip_compression_method_supported(st->comp_method, 0))
            return Say::tr("is compressed in a way Sonaplex does not read");
        const qint64 size = qint64(st->size), packed = qint64(st->comp_size);
        if (size > limit)
            return Say::tr("would inflate to %1, more than the %2 a pack's file may hold")
                .arg(bytesText(size), bytesText(limit));
        if (size > limits.ratioFrom && size > packed * limits.ratio)
            return Say::tr("would inflate %1 times over (to %2): a pack's file inflates at most %3 times")
                .arg(packed > 0 ? size / packed : size)
                .arg(bytesText(size))
                .arg(limits.ratio);
        return {};
    };
    zip_int64_t index = -1;
    zip_stat_t st;
    if (const QString problem = member(packManifestName(), limits.manifestBytes, &index, &st); !problem.isEmpty()) {
        say(why,
            refusal(packManifestName(),
                index < 0 ? Say::tr("is not in the pack: it is not a Sonaplex sound pack") : problem));
        return nullptr;
    }
    QByteArray json;
    if (!readManifestMember(zip, index, qint64(st.size), &json, why))
        return nullptr;
    if (!readManifestJson(json, pack->manifest_, why))
        return nullptr;
    if (qsizetype(pack->manifest_.entries.size()) > limits.entries) {
        say(why, refusal({}, Say::tr("the pack has more than %1 entries").arg(limits.entries)));
        return nullptr;
    }
    // What the archive inflates to in all: each member once, however many entries name it; and
    // not more times over, in all, than one member may (many small members each under the
    // threshold would otherwise add up).
    qint64 total = 0, packedTotal = 0;
    QSet<qint64> counted;
    for (const PackEntry& e : pack->manifest_.entries) {
        if (const QString problem = member(e.file, limits.entryBytes, &index, &st); !problem.isEmpty()) {
            say(why, refusal(e.path, Say::tr("its sound %1 %2").arg(e.file, problem)));
            return nullptr;
        }
        if (!counted.contains(qint64(index))) {
            counted.insert(qint64(index));
            total += qint64(st.size);
            packedTotal += qint64(st.comp_size);
        }
        if (total > limits.ratioFrom && total > packedTotal * limits.ratio) {
            say(why,
                refusal(e.path, Say::tr("the pack would inflate more than %1 times over in all").arg(limits.ratio)));
            return nullptr;
        }
        if (total > limits.totalBytes) {
            say(why,
                refusal(e.path,
                    Say::tr("the pack would inflate to more than %1 in all").arg(bytesText(limits.totalBytes))));
            return nullptr;
        }
        pack->index_.push_back(qint64(index));
        pack->size_.push_back(qint64(st.size));
    }
    return pack;
}

qint64 PackArchive::totalBytes() const
{
    qint64 total = 0;
    QSet<qint64> counted;
    for (size_t i = 0; i < size_.size(); ++i)
        if (!counted.contains(index_[i])) {
            counted.insert(index_[i]);
            total += size_[i];
        }
    return total;
}

bool PackArchive::read(size_t i, const std::function<bool(const char*, size_t)>& take, PackRefusal* why)
{
    const std::lock_guard<std::mutex> lock(reading_);
    const PackEntry& e = manifest_.entries[i];
    zip_t* zip = static_cast<zip_t*>(zip_);
    zip_file_t* file = libzip().zip_fopen_index(zip, zip_uint64_t(index_[i]), 0);
    if (!file) {
        zip_error_t* error = libzip().zip_get_error(zip);
        say(why, zipFailure(e.path, Say::tr("its sound %1 cannot be read: %2").arg(e.file, zipError(error)), error));
        return false;
    }
    ContentHasher hasher;
    std::vector<char> buffer(1 << 18);
    qint64 got = 0;
    zip_int64_t n = 0;
    bool stopped = false;
    while ((n = libzip().zip_fread(file, buffer.data(), buffer.size())) > 0) {
        got += n;
        if (got > size_[i])
            break; // the archive lied about its size: stop before it fills anything
        hasher.update(buffer.data(), size_t(n));
        if (!take(buffer.data(), size_t(n))) {
            stopped = true;
            break;
        }
    }
    const QString damage = n < 0 ? zipError(libzip().zip_file_get_error(file)) : QString();
    const bool readFailed = n < 0 && isLocal(libzip().zip_file_get_error(file));
    libzip().zip_fclose(file);
    if (stopped) {
        say(why, {});
        return false;
    }
    if (n < 0) {
        say(why,
            readFailed ? localFailure(e.path, Say::tr("its sound %1 cannot be read: %2").arg(e.file, damage))
                       : refusal(e.path, Say::tr("its sound %1 is damaged (%2)").arg(e.file, damage)));
        return false;
    }
    if (got != size_[i]) {
        say(why, refusal(e.path, Say::tr("its sound %1 does not inflate to its declared size").arg(e.file)));
        return false;
    }
    if (hasher.digest() != e.hash) {
        say(why, refusal(e.path, Say::tr("its sound %1 does not hold what its hash names").arg(e.file)));
        return false;
    }
    return true;
}

QString PackArchive::kindOf(size_t i) const
{
    const PackEntry& e = manifest_.entries[i];
    const QString named = isSoundName(e.file) ? e.file : e.path;
    return named.mid(named.lastIndexOf(QLatin1Char('.')) + 1).toLower();
}

bool PackArchive::inflateTo(size_t i, const QString& path, PackRefusal* why, WorkProgress* progress)
{
    const PackEntry& e = manifest_.entries[i];
    const QString folder = QFileInfo(path).absolutePath();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        say(why, localFailure(e.path, Say::tr("its sound cannot be written to %1: %2").arg(folder, out.errorString())));
        return false;
    }
    bool written = true;
    QString cause; // read when a write fails: once closed, the file no longer says why
    const bool whole = read(
        i,
        [&](const char* data, size_t size) {
            if (progress) {
                if (progress->cancelled())
                    return false;
                progress->addBytes(qint64(size));
            }
            written = out.write(data, qint64(size)) == qint64(size);
            if (!written)
                cause = out.errorString();
            return written;
        },
        why);
    if (written && !out.flush()) {
        written = false;
        cause = out.errorString();
    }
    out.close();
    if (whole && written)
        return true;
    out.remove();
    if (whole || (!written && why && why->isEmpty() && !(progress && progress->cancelled())))
        say(why, localFailure(e.path, Say::tr("its sound cannot be written to %1: %2").arg(folder, cause)));
    return false;
}

ByteSource PackArchive::member(const std::shared_ptr<PackArchive>& pack, size_t i)
{
    return {pack->size_[i], [pack, i](const std::function<bool(const char*, size_t)>& take) {
                PackRefusal why;
                if (pack->read(i, take, &why))
                    return FileResult::success();
                if (why.isEmpty()) // `take` stopped it, and knows why
                    return FileResult::failure({});
                return FileResult::failure(why.entry.isEmpty() ? why.why : QStringLiteral("%1: %2").arg(why.entry, why.why));
            }};
}

// ---- making a pack ----

FileResult writePack(const QString& out, PackManifest manifest, const std::vector<QString>& files)
{
    if (QFileInfo::exists(out) || QFileInfo(out).isSymLink())
        return FileResult::failure(Say::tr("%1 is already there").arg(out), FileCause::Exists);
    if (!libzip().error.isEmpty())
        return FileResult::failure(libzip().error);
    // What the reader would refuse is not written (and not hashed first).
    const PackLimits limits;
    if (qsizetype(manifest.entries.size()) > limits.entries)
        return FileResult::failure(Say::tr("a pack holds at most %1 sounds; this one would hold %2")
                                       .arg(limits.entries)
                                       .arg(manifest.entries.size()));
    manifest.format = kPackFormat;
    for (size_t i = 0; i < manifest.entries.size(); ++i) {
        PackEntry& e = manifest.entries[i];
        if (const QString problem = packPathProblem(e.path); !problem.isEmpty())
            return FileResult::failure(Say::tr("%1 cannot be in a pack: %2").arg(e.path, problem));
        const HashResult hashed = contentHash(files[i]);
        if (!hashed.result)
            return hashed.result;
        e.hash = hashed.hash;
        if (e.file.isEmpty())
            e.file = e.path;
    }
    const QByteArray json = manifestJson(manifest);
    if (json.size() > limits.manifestBytes)
        return FileResult::failure(Say::tr("the list of this pack's sounds would take %1 MB, more than a pack may "
                                           "hold (%2 MB): make it of fewer sounds")
                                       .arg(json.size() >> 20)
                                       .arg(limits.manifestBytes >> 20));
    PackManifest readable;
    PackRefusal refused;
    if (!readManifestJson(json, readable, &refused))
        return FileResult::failure(Say::tr("%1 cannot be in a pack: %2").arg(refused.entry, refused.why));

    // Written under a passing name beside `out`, and named `out` only once it reads back whole.
    const QString temporary = QStringLiteral("%1/.%2.part-%3")
                                  .arg(QFileInfo(out).absolutePath(), QFileInfo(out).fileName())
                                  .arg(QCoreApplication::applicationPid());
    QFile::remove(temporary);
    int error = 0;
    zip_t* zip = libzip().zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_EXCL, &error);
    if (!zip) {
        zip_error_t e;
        libzip().zip_error_init_with_code(&e, error);
        const QString why = zipError(&e);
        libzip().zip_error_fini(&e);
        return FileResult::failure(Say::tr("cannot write %1: %2").arg(out, why));
    }
    auto fail = [&](const QString& why) {
        libzip().zip_discard(zip);
        QFile::remove(temporary);
        return FileResult::failure(Say::tr("cannot write %1: %2").arg(out, why));
    };
    zip_source_t* manifestSource = libzip().zip_source_buffer(zip, json.constData(), zip_uint64_t(json.size()), 0);
    if (!manifestSource || libzip().zip_file_add(zip, "manifest.json", manifestSource, ZIP_FL_ENC_UTF_8) < 0) {
        if (manifestSource)
            libzip().zip_source_free(manifestSource);
        return fail(zipError(libzip().zip_get_error(zip)));
    }
    for (size_t i = 0; i < manifest.entries.size(); ++i) {
        const PackEntry& e = manifest.entries[i];
        zip_source_t* source = libzip().zip_source_file(zip, QFile::encodeName(files[i]).constData(), 0, -1);
        if (!source)
            return fail(QStringLiteral("%1: %2").arg(files[i], zipError(libzip().zip_get_error(zip))));
        const zip_int64_t added = libzip().zip_file_add(zip, e.file.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (added < 0) {
            libzip().zip_source_free(source);
            return fail(zipError(libzip().zip_get_error(zip)));
        }
        // Sound data hardly deflates (wave data little, compressed sound not at all); stored, it
        // is read back at the speed of the disk.
        if (soundFormatOfName(e.file) != SoundFormat::Midi && soundFormatOfName(e.file) != SoundFormat::Module)
            libzip().zip_set_file_compression(zip, zip_uint64_t(added), ZIP_CM_STORE, 0);
    }
    if (libzip().zip_close(zip) != 0)
        return fail(zipError(libzip().zip_get_error(zip)));
    {
        // What was written reads back whole, and every sound holds what the manifest says.
        PackRefusal why;
        std::unique_ptr<PackArchive> back = PackArchive::open(temporary, &why);
        for (size_t i = 0; back && i < back->manifest().entries.size(); ++i)
            if (!back->read(i, [](const char*, size_t) { return true; }, &why))
                back.reset();
        if (!back) {
            QFile::remove(temporary);
            return FileResult::failure(
                Say::tr("cannot write %1: it did not read back whole (%2%3)")
                    .arg(out, why.entry.isEmpty() ? QString() : why.entry + QStringLiteral(": "), why.why));
        }
    }
    QFile written(temporary);
    if (!written.open(QIODevice::ReadOnly) || ::fsync(written.handle()) != 0) {
        QFile::remove(temporary);
        return FileResult::failure(Say::tr("cannot write %1 to disk").arg(out));
    }
    written.close();
    if (FileResult named = renameNoReplace(temporary, out); !named) {
        QFile::remove(temporary);
        return named;
    }
    return syncFolder(QFileInfo(out).absolutePath());
}

PackContents contentsFromReplacements(const QString& gameFolder, const std::vector<ReplacedFile>& known,
    const OriginalStore& store, const QString& workTemplate)
{
    PackContents c;
    PackMembers packs;
    // A sound of a pack, inflated into passing work; empty when it cannot be (`why`).
    auto fromPack = [&](const ReplacedFile& f, QString& why) -> QString {
        const PackMember m = packs.find(f.replacedBy, f.lastHash);
        if (!m.source) {
            why = m.why;
            return {};
        }
        if (!c.work) {
            (void)createFolder(QFileInfo(workTemplate).absolutePath());
            c.work = std::make_shared<QTemporaryDir>(workTemplate);
        }
        // A passing file, gone with the pack made of it: written, never flushed to disk.
        QFile out(QStringLiteral("%1/%2").arg(c.work->path()).arg(c.files.size() + 1));
        if (!c.work->isValid() || !out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            why = c.work->isValid() ? out.errorString() : c.work->errorString();
            return {};
        }
        const FileResult read = m.source.read([&out](const char* data, size_t size) { return out.write(data, qint64(size)) == qint64(size); });
        if (read && out.flush())
            return out.fileName();
        why = read.error.isEmpty() ? out.errorString() : read.error;
        out.remove();
        return {};
    };
    const QString prefix = QDir::cleanPath(gameFolder) + QLatin1Char('/');
    for (const ReplacedFile& f : known) {
        if (!f.gamePath.startsWith(prefix))
            continue;
        // What an update or another program put over a replacement is no longer Sonaplex's, nor
        // the sound the user chose: left out, and said.
        if (f.state == GameFileState::ChangedSince)
            c.leftOut << Say::tr("%1: left out: it was changed since Sonaplex replaced it (by a game update?)")
                             .arg(f.gamePath.mid(prefix.size()));
        if (f.state != GameFileState::Replaced)
            continue;
        // Only what the record put there goes into a pack: its kept copy, or the file it came from
        // while that still holds the same sound. Never the game file itself, which may hold
        // anything by the time it is read.
        QString sound, why;
        if (store.holds(f.lastHash))
            sound = store.pathOf(f.lastHash);
        else if (PackMembers::names(f.replacedBy))
            sound = fromPack(f, why);
        else if (!f.replacedBy.isEmpty() && contentHash(f.replacedBy).hash == f.lastHash)
            sound = f.replacedBy;
        if (sound.isEmpty() && !why.isEmpty()) {
            c.problems << QStringLiteral("%1: %2").arg(f.gamePath.mid(prefix.size()), why);
            continue;
        }
        if (sound.isEmpty()) {
            c.problems << Say::tr("%1: the sound Sonaplex put there is no longer kept, and %2 no longer holds it")
                              .arg(f.gamePath.mid(prefix.size()), QDir::toNativeSeparators(f.replacedBy));
            continue;
        }
        c.entries.push_back({f.gamePath.mid(prefix.size()), {}, {}, f.originalHash});
        c.files.push_back(sound);
    }
    return c;
}

PackContents contentsFromSet(const QString& setFolder, const QString& gameFolder, const std::vector<ReplacedFile>& known)
{
    PackContents c;
    const QString prefix = QDir::cleanPath(gameFolder) + QLatin1Char('/');
    QHash<QString, QStringList> byName;
    QDirIterator games(gameFolder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (games.hasNext()) {
        const QString path = QDir::cleanPath(games.next());
        byName[QFileInfo(path).fileName().toCaseFolded()] << path;
    }
    QHash<QString, const ReplacedFile*> knownByPath;
    for (const ReplacedFile& f : known)
        knownByPath.insert(f.gamePath, &f);
    // A set keeps a file chosen with its folders in the game ("music/x.mid") in those folders:
    // it is that game file. A file of the set's own folder is found by its name.
    for (const QString& name : filesBelow(setFolder)) {
        const QFileInfo s(setFolder + QLatin1Char('/') + name);
        if (!isSoundName(s.fileName()))
            continue;
        const QString inGame = QDir::cleanPath(gameFolder) + QLatin1Char('/') + name;
        const QStringList matches = name.contains(QLatin1Char('/'))
            ? (QFileInfo(inGame).isFile() ? QStringList{inGame} : QStringList{})
            : byName.value(s.fileName().toCaseFolded());
        if (matches.size() != 1) {
            c.problems << QStringLiteral("%1: %2").arg(s.fileName(),
                matches.isEmpty()
                    ? Say::tr("no game file of this name under %1").arg(QDir::toNativeSeparators(gameFolder))
                    : Say::tr("several game files have this name: %1").arg(matches.join(QStringLiteral(", "))));
            continue;
        }
        QString original;
        if (const ReplacedFile* f = knownByPath.value(matches.front()))
            original = f->originalHash;
        else if (const HashResult h = contentHash(matches.front()); h.result)
            original = h.hash;
        c.entries.push_back({matches.front().mid(prefix.size()), {}, {}, original});
        c.files.push_back(s.absoluteFilePath());
    }
    return c;
}

// ---- a pack against a game ----

PackCheck checkPack(const QString& packPath, const PackManifest& manifest, const std::vector<QString>& sounds, const QString& gameFolder,
    const std::vector<ReplacedFile>& known, const std::vector<QString>& remembered, const PackInspection& inspection,
    bool overOthers, WorkProgress* progress)
{
    PackCheck check;
    QHash<QString, const ReplacedFile*> byPath;
    for (const ReplacedFile& f : known)
        byPath.insert(f.gamePath, &f);
    QHash<QString, QString> entryOf; // a game file's identity (device and inode) -> the entry naming it
    for (size_t i = 0; i < manifest.entries.size(); ++i) {
        if (progress && progress->cancelled())
            return check;
        const PackEntry& e = manifest.entries[i];
        const InsidePath at = findInside(gameFolder, e.path);
        if (!at.problem.isEmpty()) {
            check.refused = refusal(e.path, at.problem);
            return check;
        }
        // Links inside the game folder may give one file several paths: it is one game file.
        if (at.exists) {
            const QString id = fileIdentity(at.path);
            if (const auto first = entryOf.constFind(id); first != entryOf.constEnd()) {
                check.refused = refusal(e.path, Say::tr("is the same game file as %1").arg(*first));
                return check;
            }
            entryOf.insert(id, e.path);
        }
        if (inspection.soundProblem && i < sounds.size())
            if (const QString problem = inspection.soundProblem(sounds[i]); !problem.isEmpty()) {
                check.refused = refusal(e.path, Say::tr("its sound is not one the players can open: %1").arg(problem));
                return check;
            }
        if (const SoundFitAnswer fit = soundFit(e.path, isSoundName(e.file) ? e.file : e.path); fit.fit == SoundFit::Refused) {
            check.refused = refusal(e.path, fit.why);
            return check;
        }
        PackItem item;
        item.entry = i;
        item.gamePath = at.path;
        if (!at.exists) {
            item.state = PackState::Missing;
            item.action = PackAction::Skip;
            check.items.push_back(std::move(item));
            continue;
        }
        const ReplacedFile* knownFile = byPath.value(at.path);
        if (knownFile && !knownFile->currentHash.isEmpty())
            item.currentHash = knownFile->currentHash;
        else if (i < remembered.size())
            item.currentHash = remembered[i];
        if (item.currentHash.isEmpty()) {
            const HashResult hashed = contentHash(at.path);
            if (!hashed.result) {
                check.refused = refusal(e.path, Say::tr("the game file cannot be read: %1").arg(hashed.result.error));
                return check;
            }
            item.currentHash = hashed.hash;
        }
        const bool fromThisPack = knownFile && item.currentHash == knownFile->lastHash
            && knownFile->replacedBy == packSourceName(packPath, e);
        if (item.currentHash == e.hash || fromThisPack) {
            item.state = PackState::Applied;
        } else if (knownFile && item.currentHash == knownFile->lastHash && knownFile->lastHash != knownFile->originalHash) {
            item.state = PackState::Replaced;
            item.replacedBy = knownFile->replacedBy;
        } else if (!e.original.isEmpty()) {
            item.state = item.currentHash == e.original ? PackState::Original : PackState::Other;
        } else {
            item.state = !knownFile || item.currentHash == knownFile->originalHash ? PackState::Original : PackState::Other;
        }
        item.action = item.state == PackState::Applied ? PackAction::Nothing
            : item.state == PackState::Replaced && !overOthers ? PackAction::Keep
                                                                : PackAction::Replace;
        if (item.action == PackAction::Replace && inspection.formats && i < sounds.size()
            && isRecordedFormat(soundFormatOfName(e.path)))
            item.format = inspection.formats(at.path, sounds[i]);
        if (progress)
            progress->fileDone();
        check.items.push_back(std::move(item));
    }
    return check;
}

bool PackCheck::forAnotherGame() const
{
    return !items.empty()
        && std::all_of(items.begin(), items.end(), [](const PackItem& i) { return i.state == PackState::Missing; });
}

std::vector<QString> packRemembered(
    const PackManifest& manifest, const QString& gameFolder, ReplacementRecord& record, const WorkProgress* progress)
{
    std::vector<QString> hashes;
    hashes.reserve(manifest.entries.size());
    const QString folder = QDir::cleanPath(gameFolder) + QLatin1Char('/');
    for (const PackEntry& e : manifest.entries) {
        if (progress)
            progress->breathe();
        hashes.push_back(record.knownHash(folder + e.path));
    }
    return hashes;
}

QString packSourceName(const QString& packPath, const PackEntry& entry) { return packPath + QLatin1Char('/') + entry.file; }

Plan packApplyPlan(const PackCheck& check, const std::shared_ptr<PackArchive>& pack, const QString& packPath,
    const std::map<size_t, QString>& substitutes, const std::map<size_t, QString>& notConverted)
{
    Plan plan;
    plan.kind = RunKind::Switch;
    for (const PackItem& item : check.items) {
        if (item.action != PackAction::Replace)
            continue;
        const PackEntry& e = pack->manifest().entries[item.entry];
        Step step{StepName{StepName::Of::File, int(item.entry) + 1, e.path}, item.gamePath, packSourceName(packPath, e),
            {}, item.currentHash};
        if (const auto why = notConverted.find(item.entry); why != notConverted.end()) {
            plan.refused.push_back({step, Outcome::NotConverted, FileResult::failure(why->second)});
            continue;
        }
        if (const auto substitute = substitutes.find(item.entry); substitute != substitutes.end()) {
            step.recordedSource = step.source;
            step.source = substitute->second;
            step.ownSource = true; // converted into passing work, never changed after
        } else if (conversionNeed(item.format) == ConversionNeed::Required) {
            plan.refused.push_back({step, Outcome::NotConverted,
                FileResult::failure(Say::tr("its sound is in another container or codec than the game file, which "
                                            "a game cannot read as it is: it is replaced only once converted"))});
            continue;
        } else {
            step.stream = PackArchive::member(pack, item.entry);
            step.sourceHash = e.hash; // checked as it is inflated
        }
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

namespace {
// How long the part of a recorded source is that names a file (a pack: the rest is a sound's
// name in it); 0 when no part of it is a file.
qsizetype packPart(const QString& recordedSource)
{
    for (qsizetype at = recordedSource.indexOf(QLatin1Char('/'), 1); at > 0; at = recordedSource.indexOf(QLatin1Char('/'), at + 1))
        if (QFileInfo(recordedSource.left(at)).isFile())
            return at;
    return 0;
}
} // namespace

bool PackMembers::names(const QString& recordedSource)
{
    return recordedSource.contains(packSuffix() + QLatin1Char('/'), Qt::CaseInsensitive) || packPart(recordedSource) > 0;
}

PackMember PackMembers::find(const QString& recordedSource, const QString& hash)
{
    const qsizetype part = packPart(recordedSource);
    const QString packPath = recordedSource.left(part), file = recordedSource.mid(part + 1);
    const QString keep = Say::tr("keep the pack file to replace again after an update");
    if (packPath.isEmpty()) {
        const qsizetype end = recordedSource.indexOf(packSuffix() + QLatin1Char('/'), 0, Qt::CaseInsensitive);
        const QString named = end < 0 ? recordedSource : recordedSource.left(end + packSuffix().size());
        return {{}, Say::tr("the pack %1 is gone: %2").arg(QDir::toNativeSeparators(named), keep)};
    }
    auto opened = packs_.find(packPath);
    if (opened == packs_.end()) {
        Opened o;
        PackRefusal why;
        o.pack = PackArchive::open(packPath, &why);
        o.why = why.why;
        for (size_t i = 0; o.pack && i < o.pack->manifest().entries.size(); ++i) {
            const PackEntry& e = o.pack->manifest().entries[i];
            o.entryOf.insert(e.file + QLatin1Char('\0') + e.hash, i);
        }
        opened = packs_.emplace(packPath, std::move(o)).first;
    }
    const Opened& o = opened->second;
    if (!o.pack)
        return {
            {}, Say::tr("the pack %1 cannot be read (%2): %3").arg(QDir::toNativeSeparators(packPath), o.why, keep)};
    if (const auto i = o.entryOf.constFind(file + QLatin1Char('\0') + hash); i != o.entryOf.constEnd())
        return {PackArchive::member(o.pack, *i), {}};
    return {{},
        Say::tr("the pack %1 no longer holds this sound (it changed since): %2")
            .arg(QDir::toNativeSeparators(packPath), keep)};
}

Plan packRemovalPlan(const QString& packPath, const PackManifest& manifest, const QString& gameFolder, ReplacementRecord& record,
    const std::vector<ReplacedFile>& known, std::vector<size_t>* notPacks, const WorkProgress* progress)
{
    Plan plan;
    plan.kind = RunKind::Restore;
    QHash<QString, const ReplacedFile*> byPath;
    for (const ReplacedFile& f : known)
        byPath.insert(f.gamePath, &f);
    const QString folder = QDir::cleanPath(gameFolder);
    for (size_t i = 0; i < manifest.entries.size(); ++i) {
        const PackEntry& e = manifest.entries[i];
        if (progress)
            progress->breathe();
        // Only files Sonaplex itself changed, by the paths the record names them by.
        const ReplacedFile* f = byPath.value(folder + QLatin1Char('/') + e.path);
        if (f && f->state == GameFileState::Unreadable) { // named with its cause, never passed over
            plan.refused.push_back({{StepName{StepName::Of::File, int(i) + 1, e.path}, f->gamePath, {}}, Outcome::Failed, f->readFailure});
            continue;
        }
        const bool fromThisPack
            = f && f->currentHash == f->lastHash && f->replacedBy == packSourceName(packPath, e); // converted
        if (!f || f->currentHash.isEmpty() || (f->currentHash != e.hash && !fromThisPack)) {
            if (notPacks)
                notPacks->push_back(i);
            continue;
        }
        Step step{StepName{StepName::Of::File, int(i) + 1, e.path}, f->gamePath, {}, {}, f->currentHash};
        const QString before = record.replacedBefore(f->gamePath, f->currentHash, packSourceName(packPath, e));
        if (before.isEmpty()) {
            plan.refused.push_back({step, Outcome::NothingBefore});
            continue;
        }
        if (!record.store().holds(before)) {
            plan.refused.push_back({step, Outcome::BeforeGone});
            continue;
        }
        step.source = record.store().pathOf(before);
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

} // namespace sonaplex
