#include "base/original_store.h"

#include "base/content_hash.h"
#include "base/result.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(OriginalStore)
};
} // namespace

bool OriginalStore::holds(const QString& hash) const { return !hash.isEmpty() && QFileInfo(pathOf(hash)).isFile(); }

namespace {
// What identifies the folder's list of names as it is: a name that comes or goes changes the
// folder's modification and change times. `settled`: they are over a second old, so that any
// later change gets later times (file times tick in steps of a few milliseconds: two changes in
// one step would otherwise look like one).
QByteArray listingStamp(const QByteArray& folder, bool* settled = nullptr)
{
    struct stat st {};
    if (::stat(folder.constData(), &st) != 0)
        return {};
    if (settled)
        *settled = std::max(st.st_mtim.tv_sec, st.st_ctim.tv_sec) + 1 < ::time(nullptr);
    return QByteArray::number(quint64(st.st_dev)) + ' ' + QByteArray::number(quint64(st.st_ino)) + ' '
        + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ' '
        + QByteArray::number(qint64(st.st_ctim.tv_sec)) + '.' + QByteArray::number(qint64(st.st_ctim.tv_nsec));
}
} // namespace

qint64 OriginalStore::bytes() const
{
    // A kept content is written once, under its hash, and never changed: what they take changes
    // only when a name comes or goes. The total is remembered beside the folder with the stamp of
    // its list of names, so that listing a record of 100,000 files does not stat every kept
    // content each time. Remembered only when the list did not change while it was summed, and
    // had not changed for a while before.
    const QByteArray folder = QFile::encodeName(folder_), remembered = QFile::encodeName(folder_ + QStringLiteral(".size"));
    const QByteArray before = listingStamp(folder);
    if (before.isEmpty())
        return 0;
    if (const Result<QByteArray> noted = readSmallFile(QFile::decodeName(remembered), 4096); noted) {
        const QList<QByteArray> parts = noted.value().split('\n');
        if (parts.size() == 2 && parts[0] == before)
            return parts[1].toLongLong();
    }
    // One pass over the folder by its descriptor: a QFileInfo each costs several times the stat.
    qint64 total = 0;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return 0;
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        if (e->d_name[0] != '.' && ::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            total += qint64(st.st_size);
    }
    ::closedir(dir);
    bool settled = false;
    if (listingStamp(folder, &settled) == before && settled) {
        // Written whole or not at all; a note that cannot be written is summed again next time.
        QSaveFile note(QFile::decodeName(remembered));
        if (note.open(QIODevice::WriteOnly))
            (void)(note.write(before + '\n' + QByteArray::number(total)) && note.commit());
    }
    return total;
}

qint64 OriginalStore::bytesOf(const QStringList& hashes) const
{
    qint64 total = 0;
    for (const QString& hash : hashes)
        if (holds(hash))
            total += QFileInfo(pathOf(hash)).size();
    return total;
}

FileResult OriginalStore::keep(const QString& path, const QString& hash, bool syncFolder) const
{
    if (holds(hash))
        return FileResult::success();
    if (FileResult made = createFolder(folder_); !made)
        return made;
    const QByteArray from = QFile::encodeName(path), to = QFile::encodeName(pathOf(hash));
    struct stat st {};
    // A file with no other names can simply get one more: once SWITCH renames the new content
    // over it, only the store holds these blocks. A file with other names might be changed
    // through them, so it is copied.
    if (::stat(from.constData(), &st) == 0 && st.st_nlink == 1 && S_ISREG(st.st_mode)) {
        const bool made = ::link(from.constData(), to.constData()) == 0;
        if (made || errno == EEXIST) {
            if (!syncFolder)
                return FileResult::success();
            if (FileResult synced = sonaplex::syncFolder(folder_); !synced) {
                if (made)
                    ::unlink(to.constData()); // not durably kept: nothing may rely on it
                return synced;
            }
            return FileResult::success();
        }
    }
    return copyReplace(path, pathOf(hash));
}

std::vector<FileResult> OriginalStore::keepCopies(const std::vector<std::pair<QString, QString>>& files) const
{
    std::vector<FileResult> results(files.size());
    if (FileResult made = createFolder(folder_); !made) {
        std::fill(results.begin(), results.end(), made);
        return results;
    }
    // What an interrupted keep left in the store goes first, the store's folder read once: read
    // again for each copy, a run of thousands of files would read it thousands of times.
    QStringList targets;
    for (const auto& [path, hash] : files)
        if (!hash.isEmpty() && !holds(hash))
            targets << pathOf(hash);
    removeTemporariesBeside(targets);
    std::vector<PendingCopy> copies(files.size());
    std::vector<bool> pending(files.size(), false);
    int open = 0; // copies past a few dozen are parked: thousands never hold thousands of files open
    for (size_t i = 0; i < files.size(); ++i) {
        const auto& [path, hash] = files[i];
        if (hash.isEmpty() || holds(hash))
            continue;
        ContentHasher hasher;
        results[i] = copies[i].prepare(path, pathOf(hash), &hasher, nullptr, true);
        if (results[i] && hasher.digest() != hash) // changed since it was put in place
            results[i] = FileResult::failure(Say::tr("%1 changed while it was kept").arg(path));
        if (results[i] && copies[i].isOpen() && ++open > stagingLimits().openCopies) {
            results[i] = copies[i].park();
            --open;
        }
        pending[i] = results[i].ok;
        if (!pending[i])
            copies[i] = PendingCopy(); // its temporary goes now
    }
    std::vector<PendingCopy*> writing;
    std::vector<size_t> at;
    for (size_t i = 0; i < files.size(); ++i)
        if (pending[i]) {
            writing.push_back(&copies[i]);
            at.push_back(i);
        }
    const std::vector<FileResult> flushed = flushCopies(writing);
    bool any = false;
    for (size_t k = 0; k < at.size(); ++k) {
        const size_t i = at[k];
        // Two files of one content: the first is kept, the second has nothing to add.
        results[i] = !flushed[k] ? flushed[k] : holds(files[i].second) ? FileResult::success() : copies[i].commit(false);
        pending[i] = results[i].ok;
        any = any || results[i].ok;
    }
    if (any)
        if (const FileResult synced = syncFolder(folder_); !synced)
            for (size_t i = 0; i < files.size(); ++i)
                if (pending[i])
                    results[i] = synced; // kept, whole, but perhaps not after a crash: never torn
    return results;
}

void OriginalStore::adopt(const std::vector<std::pair<QString, QString>>& files) const
{
    if (files.empty() || !createFolder(folder_))
        return;
    bool any = false;
    // Many files are made durable with one sync of the store's file system (the files are
    // linked, so they are on it); should it fail, each is synced on its own. Its word is enough
    // here: a kept copy is hash-checked before it is put back (reapplyPlan).
    bool allDurable = false;
    if (int(files.size()) >= stagingLimits().syncAllFrom) {
        const int store = ::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        allDurable = store >= 0 && ::syncfs(store) == 0;
        if (store >= 0)
            ::close(store);
    }
    for (const auto& [path, hash] : files) {
        if (hash.isEmpty() || holds(hash))
            continue;
        const QByteArray from = QFile::encodeName(path);
        bool durable = allDurable;
        if (!durable) {
            const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
            if (fd < 0)
                continue;
            durable = ::fsync(fd) == 0;
            ::close(fd);
        }
        if (durable && ::link(from.constData(), QFile::encodeName(pathOf(hash)).constData()) == 0)
            any = true;
    }
    if (any) // a failure leaves whole files under their names, perhaps gone after a crash: never torn
        (void)syncFolder(folder_);
}

void OriginalStore::drop(const QString& hash) const
{
    if (!hash.isEmpty())
        ::unlink(QFile::encodeName(pathOf(hash)).constData());
}

} // namespace sonaplex
