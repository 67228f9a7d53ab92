// A sound pack's zip archive: read by its central directory with limits on what a stranger's
// archive may ask, each sound read or inflated whole and hash-checked; and written, read back
// whole before it takes its name.
#include "readers/sound_pack.h"

#include "base/content_hash.h"
#include "base/files.h"
#include "base/result.h"
#include "base/sound_names.h"
#include "base/work_progress.h"
#include "readers/zip_api.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in (a pack's words, as its manifest's).
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SoundPack)
};

QString bytesText(qint64 bytes)
{
    if (bytes >= (qint64(1) << 30))
        return Say::tr("%1 GiB").arg(double(bytes) / double(qint64(1) << 30), 0, 'f', 1);
    if (bytes >= (1 << 20))
        return Say::tr("%1 MiB").arg(double(bytes) / double(1 << 20), 0, 'f', 1);
    return Say::tr("%1 bytes").arg(bytes);
}

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
    return isLocal(e) ? localFailure(std::move(entry), std::move(why)) : packRefusal(std::move(entry), std::move(why));
}

QString zipError(zip_error_t* e) { return QString::fromLocal8Bit(libzip().zip_error_strerror(e)); }

} // namespace

// ---- the archive ----

PackArchive::~PackArchive()
{
    if (zip_)
        libzip().zip_discard(static_cast<zip_t*>(zip_));
}

std::unique_ptr<PackArchive> PackArchive::open(const QString& path, PackRefusal* why, const PackLimits& limits)
{
    if (!libzip().error.isEmpty()) {
        tellWhy(why, packRefusal({}, libzip().error));
        return nullptr;
    }
    const Result<int> file = openRegularFile(path); // never waits on a FIFO
    if (!file) {
        const FileResult& failure = file.failure();
        tellWhy(why, failure.cause == FileCause::NotAFile ? packRefusal({}, failure.error) : localFailure({}, failure.error));
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
            tellWhy(why, localFailure({}, zipError(&e)));
        else
            tellWhy(why,
                packRefusal({},
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
        tellWhy(why, packRefusal({}, Say::tr("not a sound pack: it is empty")));
        return nullptr;
    }
    if (!libzip().error.isEmpty()) {
        tellWhy(why, packRefusal({}, libzip().error));
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
        tellWhy(why, packRefusal({}, Say::tr("not a sound pack: not a whole zip archive (%1)").arg(zipError(&e))));
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
        tellWhy(why, zipFailure(packManifestName(), Say::tr("cannot be read: %1").arg(zipError(error)), error));
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
        tellWhy(why, localFailure(packManifestName(), Say::tr("cannot be read: %1").arg(damage)));
        return false;
    }
    if (!whole) {
        tellWhy(why,
            packRefusal(packManifestName(),
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
        tellWhy(why, packRefusal({}, Say::tr("the pack holds too many files (%1)").arg(count)));
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
        tellWhy(why,
            packRefusal(packManifestName(),
                index < 0 ? Say::tr("is not in the pack: it is not a Sonaplex sound pack") : problem));
        return nullptr;
    }
    QByteArray json;
    if (!readManifestMember(zip, index, qint64(st.size), &json, why))
        return nullptr;
    if (!readManifestJson(json, pack->manifest_, why))
        return nullptr;
    if (qsizetype(pack->manifest_.entries.size()) > limits.entries) {
        tellWhy(why, packRefusal({}, Say::tr("the pack has more than %1 entries").arg(limits.entries)));
        return nullptr;
    }
    // What the archive inflates to in all: each member once, however many entries name it; and
    // not more times over, in all, than one member may (many small members each under the
    // threshold would otherwise add up).
    qint64 total = 0, packedTotal = 0;
    QSet<qint64> counted;
    for (const PackEntry& e : pack->manifest_.entries) {
        if (const QString problem = member(e.file, limits.entryBytes, &index, &st); !problem.isEmpty()) {
            tellWhy(why, packRefusal(e.path, Say::tr("its sound %1 %2").arg(e.file, problem)));
            return nullptr;
        }
        if (!counted.contains(qint64(index))) {
            counted.insert(qint64(index));
            total += qint64(st.size);
            packedTotal += qint64(st.comp_size);
        }
        if (total > limits.ratioFrom && total > packedTotal * limits.ratio) {
            tellWhy(why,
                packRefusal(e.path, Say::tr("the pack would inflate more than %1 times over in all").arg(limits.ratio)));
            return nullptr;
        }
        if (total > limits.totalBytes) {
            tellWhy(why,
                packRefusal(e.path,
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
        tellWhy(why, zipFailure(e.path, Say::tr("its sound %1 cannot be read: %2").arg(e.file, zipError(error)), error));
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
        tellWhy(why, {});
        return false;
    }
    if (n < 0) {
        tellWhy(why,
            readFailed ? localFailure(e.path, Say::tr("its sound %1 cannot be read: %2").arg(e.file, damage))
                       : packRefusal(e.path, Say::tr("its sound %1 is damaged (%2)").arg(e.file, damage)));
        return false;
    }
    if (got != size_[i]) {
        tellWhy(why, packRefusal(e.path, Say::tr("its sound %1 does not inflate to its declared size").arg(e.file)));
        return false;
    }
    if (hasher.digest() != e.hash) {
        tellWhy(why, packRefusal(e.path, Say::tr("its sound %1 does not hold what its hash names").arg(e.file)));
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
        tellWhy(why, localFailure(e.path, Say::tr("its sound cannot be written to %1: %2").arg(folder, out.errorString())));
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
        tellWhy(why, localFailure(e.path, Say::tr("its sound cannot be written to %1: %2").arg(folder, cause)));
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

} // namespace sonaplex
