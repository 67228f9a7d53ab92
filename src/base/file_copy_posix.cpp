// Copies put in place: a new file written beside its target under a temporary name, made durable
// and renamed over the target, and the closing of replaced files in the background.
#include "base/files.h"
#include "base/files_posix_common.h"
#include "base/result.h"

#include "base/content_hash.h"
#include "base/work_progress.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace sonaplex {

using namespace posix;

namespace {
// Copies the whole of `in` to `out`: in-kernel when it can, else through a buffer (always
// through the buffer when the bytes are to be hashed on the way). Every few megabytes the
// system is asked to start writing what was copied, so that the disk works while the copy
// goes on instead of after it. With `progress`, every chunk copied is counted, and a cancel
// stops the copy between chunks (false, errno ECANCELED).
bool copyContents(int in, int out, off_t size, ContentHasher* hasher, WorkProgress* progress)
{
    constexpr off_t kWriteEvery = 16 << 20;
    off_t done = 0, written = 0;
    auto startWriting = [&](bool all) {
        if (all || done - written >= kWriteEvery) {
            ::sync_file_range(out, written, done - written, SYNC_FILE_RANGE_WRITE);
            written = done;
        }
    };
    auto counted = [progress](ssize_t n) {
        if (!progress)
            return true;
        progress->addBytes(n);
        if (progress->cancelled())
            errno = ECANCELED;
        return !progress->cancelled();
    };
    while (!hasher && done < size) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(std::min(size - done, kWriteEvery)), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)
                break; // fall back to read/write for the rest
            return false;
        }
        if (n == 0)
            break;
        done += n;
        startWriting(false);
        if (!counted(n))
            return false;
    }
    // Whatever copy_file_range left (or the file grew since it was measured) goes through a buffer.
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            startWriting(true);
            return true;
        }
        if (hasher)
            hasher->update(buffer.data(), size_t(n));
        if (!writeAll(out, buffer.data(), size_t(n)))
            return false;
        done += n;
        startWriting(false);
        if (!counted(n))
            return false;
    }
}

mode_t defaultMode()
{
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What every temporary name of a copy to `fileName` starts with: ".NAME.sonaplex-". The name is
// cut (at a character boundary) so that the whole temporary name, with its six random letters,
// fits the 255 bytes a file system allows a name, however long the game file's name is.
QByteArray temporaryPrefix(const QString& fileName)
{
    constexpr int kNameMax = 255, kRandom = 6;
    static const QByteArray tail = ".sonaplex-";
    QByteArray name = encoded(fileName);
    const int room = kNameMax - 1 - int(tail.size()) - kRandom;
    if (name.size() > room) {
        int cut = room;
        while (cut > 0 && (uchar(name[cut]) & 0xC0) == 0x80) // not inside a UTF-8 sequence
            --cut;
        name.truncate(cut);
    }
    return '.' + name + tail;
}

// Where a copy to `target` is named while it is being put in place.
QByteArray temporaryName(const QString& folder, const QString& fileName)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray tail;
    for (int i = 0; i < 6; ++i)
        tail += letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)];
    return encoded(folder) + '/' + temporaryPrefix(fileName) + tail;
}

} // namespace

// Freeing the blocks of a big replaced file takes tens of milliseconds; it is nobody's wait.
// The last handles on replaced files are closed by one worker that runs at the lowest CPU and
// disk priority, so that freeing never competes with the work someone waits for, and a
// restore of a large folder starts one thread, not one per file. What is queued is closed
// before the program ends.
namespace {
class BackgroundCloser {
public:
    BackgroundCloser() : owner_(::getpid()), worker_([this] { run(); }) {}
    ~BackgroundCloser()
    {
        // A forked child has the object but not the thread, and the lock may have been held by
        // that thread at the fork: the child leaves both alone.
        if (::getpid() != owner_) {
            worker_.detach();
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        worker_.join();
    }
    void close(int fd)
    {
        if (::getpid() != owner_) { // a forked child: see the destructor
            ::close(fd);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            // A run of thousands of files must not hold thousands of descriptors here: past a
            // few dozen waiting, the caller closes its own.
            if (queue_.size() < kMostWaiting) {
                queue_.push_back(fd);
                fd = -1;
            }
        }
        if (fd >= 0)
            ::close(fd);
        else
            wake_.notify_one();
    }

private:
    void run()
    {
        ::setpriority(PRIO_PROCESS, pid_t(::syscall(SYS_gettid)), 19);
        constexpr int kIoprioClassIdle = 3, kIoprioClassShift = 13, kIoprioWhoProcess = 1;
        ::syscall(SYS_ioprio_set, kIoprioWhoProcess, 0, kIoprioClassIdle << kIoprioClassShift);
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty())
                return; // stopping, and everything closed
            const int fd = queue_.front();
            queue_.pop_front();
            lock.unlock();
            ::close(fd);
            lock.lock();
        }
    }

    static constexpr size_t kMostWaiting = 32;
    const pid_t owner_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<int> queue_;
    bool stopping_ = false;
    std::thread worker_; // last: started once the rest is ready
};
} // namespace

void closeInBackground(Fd&& fd)
{
    if (fd.get() < 0)
        return;
    static BackgroundCloser closer;
    closer.close(fd.release());
}

struct PendingCopy::State {
    ~State() { closeInBackground(std::move(replaced)); }
    enum class Step { Empty, NoOp, Prepared, Flushed, Done } step = Step::Empty;
    Fd out;
    Fd replaced; // holds the old game file's content until after the rename
    QString destination; // as the user named it, for messages
    QString target; // where the file really lives (links followed)
    QString folder;
    QByteArray namedTemp; // set when the file system had no unnamed temporaries, or once parked
    dev_t device = 0; // the file system the copy is on
};

PendingCopy::PendingCopy() : d(std::make_unique<State>()) {}
PendingCopy::~PendingCopy()
{
    if (d && !d->namedTemp.isEmpty() && d->step != State::Step::Done)
        ::unlink(d->namedTemp.constData());
}
PendingCopy::PendingCopy(PendingCopy&&) noexcept = default;
PendingCopy& PendingCopy::operator=(PendingCopy&&) noexcept = default;

// Where a new copy for `destination` goes: its real place found (links followed), what is there
// checked, and an unnamed file opened beside it. `source`, when it is a file, is compared with
// what is there: the same file is nothing to do (the step is NoOp then). Sets `mode` and `dst`.
static FileResult openCopyFor(PendingCopy::State& d, const QString& destination, const struct stat* source, bool swept,
    mode_t& mode, struct stat& dst, bool& destExists)
{
    // A game file that is a link is replaced where it really lives.
    QString target = destination;
    QFileInfo destInfo(destination);
    if (destInfo.isSymLink() && destInfo.exists())
        target = destInfo.canonicalFilePath();

    destExists = ::stat(encoded(target).constData(), &dst) == 0;
    if (destExists) {
        if (source && dst.st_dev == source->st_dev && dst.st_ino == source->st_ino) {
            d.step = PendingCopy::State::Step::NoOp; // the same file: nothing to do
            return FileResult::success();
        }
        if (!S_ISREG(dst.st_mode))
            return FileResult::failure(Say::tr("%1 is not a regular file").arg(destination), FileCause::NotAFile);
        if (::access(encoded(target).constData(), W_OK) != 0)
            return FileResult::failure(Say::tr("%1 is read-only").arg(destination), FileCause::ReadOnly);
    } else if (errno != ENOENT) {
        const int err = errno; // before any string is built
        return failed(Say::tr("cannot reach %1").arg(destination), err);
    }

    const QFileInfo targetInfo(target);
    d.target = target;
    d.folder = targetInfo.absolutePath();
    if (!swept)
        removeTemporariesBeside(QStringList{target}); // a new copy never sits beside a stale one
    mode = destExists ? (dst.st_mode & 07777) : defaultMode();
    // Unnamed until it is complete: a kill before commit leaves nothing in the game folder.
    d.out = Fd(::open(encoded(d.folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (d.out.get() < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        QByteArray name = encoded(d.folder) + '/' + temporaryPrefix(targetInfo.fileName()) + "XXXXXX";
        d.out = Fd(::mkstemp(name.data()));
        if (d.out.get() >= 0)
            d.namedTemp = name;
    }
    if (d.out.get() < 0) {
        const int err = errno; // before any string is built
        return failed(Say::tr("cannot write in the folder of %1").arg(destination), err);
    }
    return FileResult::success();
}

// A copy whose bytes are all written gets the game file's permissions and owner.
static FileResult finishCopy(PendingCopy::State& d, const QString& source, mode_t mode, const struct stat& dst, bool destExists)
{
    if (::fchmod(d.out.get(), mode) != 0) {
        const int err = errno;
        d.out.reset();
        return failed(Say::tr("cannot give the copy of %1 the permissions of %2").arg(source, d.destination), err);
    }
    if (destExists && (dst.st_uid != ::geteuid() || dst.st_gid != ::getegid()))
        (void)::fchown(d.out.get(), dst.st_uid, dst.st_gid);
    struct stat written {};
    if (::fstat(d.out.get(), &written) == 0)
        d.device = written.st_dev;
    d.step = PendingCopy::State::Step::Prepared;
    return FileResult::success();
}

FileResult PendingCopy::prepare(
    const QString& source, const QString& destination, ContentHasher* hasher, WorkProgress* progress, bool swept)
{
    if (source.isEmpty())
        return FileResult::failure(Say::tr("no replacement file was chosen"), FileCause::NotFound);
    if (destination.isEmpty())
        return FileResult::failure(Say::tr("no game file was chosen"), FileCause::NotFound);
    d->destination = destination;

    for (const QString& path : {source, destination})
        if (const QString why = undecodableName(path); !why.isEmpty())
            return FileResult::failure(why, FileCause::NotFound);
    const Result<int> opened = openRegularFile(source);
    if (!opened)
        return opened.failure();
    Fd in(opened.value());
    struct stat src {};
    if (::fstat(in.get(), &src) != 0) {
        const int err = errno; // before any string is built
        return failed(Say::tr("cannot read %1").arg(source), err);
    }
    mode_t mode = 0;
    struct stat dst {};
    bool destExists = false;
    if (FileResult opening = openCopyFor(*d, destination, &src, swept, mode, dst, destExists); !opening)
        return opening;
    if (d->step == State::Step::NoOp) {
        if (hasher && !hasher->updateFrom(in.get())) {
            const int err = errno; // before any string is built
            return failed(Say::tr("cannot read %1").arg(source), err);
        }
        return FileResult::success();
    }
    if (!copyContents(in.get(), d->out.get(), src.st_size, hasher, progress)) {
        const int err = errno;
        d->out.reset();
        return failed(Say::tr("cannot copy %1 to %2").arg(source, destination), err);
    }
    return finishCopy(*d, source, mode, dst, destExists);
}

FileResult PendingCopy::prepare(const ByteSource& source, const QString& name, const QString& destination,
    ContentHasher* hasher, WorkProgress* progress, bool swept)
{
    if (destination.isEmpty())
        return FileResult::failure(Say::tr("no game file was chosen"), FileCause::NotFound);
    d->destination = destination;
    if (const QString why = undecodableName(destination); !why.isEmpty())
        return FileResult::failure(why, FileCause::NotFound);
    mode_t mode = 0;
    struct stat dst {};
    bool destExists = false;
    if (FileResult opening = openCopyFor(*d, destination, nullptr, swept, mode, dst, destExists); !opening)
        return opening;
    constexpr qint64 kWriteEvery = 16 << 20;
    qint64 done = 0, written = 0;
    int err = 0; // why the copy stopped taking bytes
    const FileResult read = source.read([&](const char* data, size_t size) {
        if (hasher)
            hasher->update(data, size);
        if (!writeAll(d->out.get(), data, size)) {
            err = errno;
            return false;
        }
        done += qint64(size);
        if (done - written >= kWriteEvery) {
            ::sync_file_range(d->out.get(), written, done - written, SYNC_FILE_RANGE_WRITE);
            written = done;
        }
        if (progress) {
            progress->addBytes(qint64(size));
            if (progress->cancelled()) {
                err = ECANCELED;
                return false;
            }
        }
        return true;
    });
    if (!read) {
        d->out.reset();
        if (err != 0)
            return failed(Say::tr("cannot copy %1 to %2").arg(name, destination), err);
        return read;
    }
    ::sync_file_range(d->out.get(), written, 0, SYNC_FILE_RANGE_WRITE);
    return finishCopy(*d, name, mode, dst, destExists);
}

void PendingCopy::startWriting()
{
    if (d->step == State::Step::Prepared && d->out.get() >= 0)
        ::sync_file_range(d->out.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
}

// Gives a prepared copy a temporary name beside its game file (its unnamed file linked in).
static FileResult nameCopy(PendingCopy::State& s)
{
    if (!s.namedTemp.isEmpty())
        return FileResult::success();
    const QString fileName = QFileInfo(s.target).fileName();
    const QByteArray viaProc = "/proc/self/fd/" + QByteArray::number(s.out.get());
    for (int attempt = 0; attempt < 10; ++attempt) {
        QByteArray candidate = temporaryName(s.folder, fileName);
        int r = ::linkat(AT_FDCWD, viaProc.constData(), AT_FDCWD, candidate.constData(), AT_SYMLINK_FOLLOW);
        if (r != 0 && errno == ENOENT) // no /proc: the direct form (needs privileges on most kernels)
            r = ::linkat(s.out.get(), "", AT_FDCWD, candidate.constData(), AT_EMPTY_PATH);
        if (r == 0) {
            s.namedTemp = candidate;
            return FileResult::success();
        }
        if (errno != EEXIST) {
            const int err = errno; // before any string is built
            return failed(Say::tr("cannot replace %1").arg(s.destination), err);
        }
    }
    return FileResult::failure(Say::tr("cannot replace %1: no free temporary name").arg(s.destination));
}

FileResult PendingCopy::park()
{
    if (d->step != State::Step::Prepared || d->out.get() < 0)
        return FileResult::success();
    if (FileResult named = nameCopy(*d); !named) {
        d->out.reset();
        d->step = State::Step::Empty;
        return named;
    }
    startWriting();
    d->out.reset();
    return FileResult::success();
}

bool PendingCopy::isOpen() const { return d->out.get() >= 0; }

quint64 PendingCopy::device() const { return d->step == State::Step::Prepared ? quint64(d->device) : 0; }

FileResult PendingCopy::flush()
{
    if (d->step != State::Step::Prepared)
        return FileResult::success();
    // A parked copy is reached again by its name. An error met while it was written out is
    // still reported on the new descriptor: nobody has seen it yet.
    Fd reopened;
    if (d->out.get() < 0)
        reopened = Fd(::open(d->namedTemp.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    const int fd = d->out.get() >= 0 ? d->out.get() : reopened.get();
    if (fd < 0 || ::fsync(fd) != 0) {
        const int err = errno;
        d->out.reset();
        d->step = State::Step::Empty;
        return failed(Say::tr("cannot write %1").arg(d->destination), err);
    }
    d->step = State::Step::Flushed;
    return FileResult::success();
}

FileResult PendingCopy::commit(bool syncFolder)
{
    if (d->step == State::Step::NoOp || d->step == State::Step::Done)
        return FileResult::success();
    if (d->step == State::Step::Prepared)
        if (FileResult f = flush(); !f)
            return f;
    if (d->step != State::Step::Flushed)
        return FileResult::failure(Say::tr("no copy of %1 was made").arg(d->destination));

    // Give the finished copy a name beside the game file, then rename it over the game file.
    if (FileResult named = nameCopy(*d); !named)
        return named;
    d->out.reset();
    d->replaced = Fd(::open(encoded(d->target).constData(), O_PATH | O_CLOEXEC));
    if (::rename(d->namedTemp.constData(), encoded(d->target).constData()) != 0) {
        const int err = errno;
        ::unlink(d->namedTemp.constData());
        d->namedTemp.clear();
        d->step = State::Step::Empty;
        return failed(Say::tr("cannot replace %1").arg(d->destination), err);
    }
    d->step = State::Step::Done;
    closeInBackground(std::move(d->replaced)); // the old content is freed off this thread
    if (syncFolder)
        return sonaplex::syncFolder(d->folder);
    return FileResult::success();
}

// Makes every prepared copy durable. A file system that receives many of them is written out
// with one syncfs (all together, in the order the disk likes); each copy's fsync then finds
// nothing left to write and only tells whether its own writing failed: a syncfs reports an error
// once, to whoever looks first (another program may), while the error of a copy's own pages is
// reported to a descriptor of it (since Linux 4.13, even one opened after the error, when nobody
// has seen it). Elsewhere one fsync per copy.
std::vector<FileResult> flushCopies(const std::vector<PendingCopy*>& copies)
{
    std::vector<FileResult> results(copies.size());
    std::map<quint64, std::vector<size_t>> byDevice;
    for (size_t i = 0; i < copies.size(); ++i)
        byDevice[copies[i]->device()].push_back(i);
    for (const auto& [device, group] : byDevice) {
        for (size_t i : group)
            copies[i]->startWriting();
        if (device != 0 && int(group.size()) >= stagingLimits().syncAllFrom) {
            const Fd any(::open(encoded(copies[group.front()]->folder()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (any.get() >= 0)
                (void)::syncfs(any.get()); // its word on errors is not enough: each fsync below says
        }
        for (size_t i : group)
            results[i] = copies[i]->flush();
    }
    return results;
}

StagingLimits& stagingLimits()
{
    static StagingLimits limits;
    return limits;
}

QString PendingCopy::folder() const { return d->folder; }

// A run killed between naming its copy and renaming it left `.NAME.sonaplex-XXXXXX` beside
// NAME: those are ours and incomplete or unused.
void removeTemporariesBeside(const QStringList& paths, const std::function<bool(const QString&, qsizetype)>& isOurs)
{
    QHash<QString, QHash<QByteArray, QList<qsizetype>>> prefixes; // by folder, the paths of each prefix
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QFileInfo info(paths[i]);
        prefixes[info.absolutePath()][temporaryPrefix(info.fileName())].append(i);
    }
    for (auto folder = prefixes.cbegin(); folder != prefixes.cend(); ++folder) {
        DIR* dir = ::opendir(encoded(folder.key()).constData());
        if (!dir)
            continue;
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name.size() <= 6 || !name.startsWith('.'))
                continue;
            const auto of = folder->constFind(name.left(name.size() - 6));
            if (of == folder->cend())
                continue;
            const QString temporary = folder.key() + QLatin1Char('/') + QFile::decodeName(name);
            if (!isOurs || std::any_of(of->cbegin(), of->cend(), [&](qsizetype i) { return isOurs(temporary, i); }))
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
        }
        ::closedir(dir);
    }
}

FileResult copyReplace(const QString& source, const QString& destination, WorkProgress* progress)
{
    PendingCopy copy;
    if (FileResult r = copy.prepare(source, destination, nullptr, progress); !r)
        return r;
    return copy.commit();
}

} // namespace sonaplex
