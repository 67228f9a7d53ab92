#include "base/files.h"
#include "base/result.h"

#include "base/content_hash.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FilesPosix)
};


QString reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd& operator=(Fd&& other) noexcept
    {
        if (this != &other) {
            reset();
            fd_ = other.release();
        }
        return *this;
    }
    int get() const { return fd_; }
    int release()
    {
        int f = fd_;
        fd_ = -1;
        return f;
    }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

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

} // namespace

FileCause causeOfErrno(int err)
{
    switch (err) {
    case ENOENT:
        return FileCause::NotFound;
    case EEXIST:
    case ENOTEMPTY:
        return FileCause::Exists;
    case EROFS:
    case ETXTBSY:
        return FileCause::ReadOnly;
    case EPERM: // also what an immutable file answers
        return FileCause::ReadOnly;
    case EACCES:
        return FileCause::NoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileCause::NoSpace;
    case EISDIR:
    case ENOTDIR:
        return FileCause::NotAFile;
    case ECANCELED:
        return FileCause::Cancelled;
    default:
        return FileCause::Other;
    }
}

QString nameProblem(const QString& name)
{
    if (name.isEmpty())
        return Say::tr("The name is empty.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral(
            "A set name cannot be \".\" or \"..\": those names stand for folders that already exist.");
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return Say::tr("A set name cannot contain \"/\" or \"\\\": the set would not be one folder "
                           "in the program folder.");
        if (c.category() == QChar::Other_Control)
            return Say::tr("A set name cannot contain control characters such as tabs or line breaks.");
    }
    return {};
}

bool isPlainRelativePath(const QString& path)
{
    if (path.isEmpty())
        return false;
    for (const QString& part : path.split(QLatin1Char('/')))
        if (!isPlainName(part))
            return false;
    return true;
}

namespace {
FileResult failed(const QString& what, int err)
{
    return FileResult::failure(what + QStringLiteral(": ") + reason(err), causeOfErrno(err));
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

QString memoryBackedFolder()
{
    constexpr long kTmpfsMagic = 0x01021994;
    QStringList candidates{QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")), QStringLiteral("/dev/shm")};
    for (const QString& folder : std::as_const(candidates)) {
        struct statfs fs {};
        if (!folder.isEmpty() && ::statfs(encoded(folder).constData(), &fs) == 0 && long(fs.f_type) == kTmpfsMagic
            && ::access(encoded(folder).constData(), W_OK | X_OK) == 0)
            return folder;
    }
    return {};
}

FileResult syncFolder(const QString& folder)
{
    Fd dir(::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0 || ::fsync(dir.get()) != 0) {
        const int err = errno;
        return failed(Say::tr("cannot write the folder %1 to disk").arg(folder), err);
    }
    return FileResult::success();
}

namespace {
// openRegularFile, with what fstat said of the file.
Result<int> openRegular(const QString& path, struct stat& st)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int err = errno;
        return failed(Say::tr("cannot read %1").arg(path), err);
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return FileResult::failure(Say::tr("%1 is not a regular file").arg(path), FileCause::NotAFile);
    }
    ::fcntl(fd, F_SETFL, 0); // blocking again: of the status flags it was opened with only O_NONBLOCK
    return fd;
}
} // namespace

Result<int> openRegularFile(const QString& path)
{
    struct stat st {};
    return openRegular(path, st);
}

Result<QByteArray> readSmallFile(const QString& path, qint64 limit)
{
    struct stat st {};
    const Result<int> opened = openRegular(path, st);
    if (!opened)
        return opened.failure();
    const int fd = opened.value();
    const FileResult tooLarge = FileResult::failure(
        Say::tr("%1 is larger than %2 MB: not what it should be").arg(path).arg(limit >> 20), FileCause::Other);
    QByteArray data;
    if (st.st_size > limit) {
        ::close(fd);
        return tooLarge;
    }
    // One byte more than the limit at most: a file that grows past it while read is noticed.
    data.resize(qsizetype(std::min<qint64>(std::max<qint64>(st.st_size, 4096), limit) + 1));
    qsizetype got = 0;
    for (;;) {
        if (got == data.size() && got <= limit)
            data.resize(qsizetype(std::min<qint64>(qint64(data.size()) * 2, limit + 1)));
        const size_t asked = size_t(data.size() - got);
        const ssize_t n = ::read(fd, data.data() + got, asked);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            return failed(Say::tr("cannot read %1").arg(path), err);
        }
        got += n;
        // A regular file read short has ended: no second read to be told so.
        if (n == 0 || size_t(n) < asked || got > limit)
            break;
    }
    ::close(fd);
    if (got > limit)
        return tooLarge;
    data.truncate(got);
    return data;
}

QString undecodableName(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return {};
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) == 0)
        return {}; // the name really holds U+FFFD
    return Say::tr("the name of %1 cannot be read as UTF-8 (it was written in another character set): "
                   "rename the file to use it")
        .arg(QFileInfo(path).fileName());
}

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

QString fileIdentity(const QString& path)
{
    struct stat st {};
    if (!path.isEmpty() && ::stat(encoded(path).constData(), &st) == 0)
        return QStringLiteral("%1:%2").arg(quint64(st.st_dev)).arg(quint64(st.st_ino));
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

FileResult createFolder(const QString& path)
{
    if (::mkdir(encoded(path).constData(), 0777) == 0)
        return FileResult::success();
    int err = errno;
    if (err == EEXIST && QFileInfo(path).isDir())
        return FileResult::success();
    return failed(Say::tr("cannot create folder %1").arg(path), err);
}

FileResult emptyFolder(const QString& path)
{
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) != 0) {
        const int err = errno; // before any string is built
        return err == ENOENT ? FileResult::success() : failed(Say::tr("cannot reach %1").arg(path), err);
    }
    if (!S_ISDIR(st.st_mode))
        return FileResult::failure(Say::tr("%1 is not a folder").arg(path), FileCause::NotAFile);
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (::unlink(encoded(entry.filePath()).constData()) != 0 && errno != ENOENT) {
            const int err = errno; // before any string is built
            return failed(Say::tr("cannot remove %1").arg(entry.filePath()), err);
        }
    }
    // Folders inside it (a name gathered with its folders), never followed through a link.
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks)) {
        if (const FileResult inner = emptyFolder(entry.filePath()); !inner)
            return inner;
        if (::rmdir(encoded(entry.filePath()).constData()) != 0 && errno != ENOENT) {
            const int err = errno; // before any string is built
            return failed(Say::tr("cannot remove %1").arg(entry.filePath()), err);
        }
    }
    return FileResult::success();
}

void raiseOpenFileLimit()
{
    constexpr rlim_t kEnough = 16384; // more would make each child process close more on its start
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= kEnough || limit.rlim_cur >= limit.rlim_max)
        return;
    limit.rlim_cur = std::min<rlim_t>(limit.rlim_max, kEnough);
    (void)::setrlimit(RLIMIT_NOFILE, &limit);
}

QStringList filesBelow(const QString& folder, bool hidden) { return listFilesBelow(folder, hidden).names; }

QString shownName(const QString& name)
{
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool bidi = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F
            || u == 0x061C;
        if (u == '\n')
            shown += QLatin1String("\\n");
        else if (u == '\r')
            shown += QLatin1String("\\r");
        else if (u == '\t')
            shown += QLatin1String("\\t");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0) || bidi || u == 0x2028 || u == 0x2029)
            shown += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString realFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

QString outsideFolder(const QString& folder, const QString& path)
{
    char* root = ::realpath(encoded(folder).constData(), nullptr);
    if (!root)
        return Say::tr("the folder %1 cannot be reached (%2)").arg(shownName(folder), reason(errno));
    const QByteArray inside = QByteArray(root) + (std::strcmp(root, "/") == 0 ? "" : "/");
    std::free(root);
    const QByteArray file = encoded(path);
    char* real = ::realpath(file.constData(), nullptr);
    if (!real) {
        const int err = errno;
        struct stat st {};
        if (::lstat(file.constData(), &st) == 0) // there, and leading nowhere
            return Say::tr("%1 is a link that leads nowhere").arg(shownName(QFileInfo(path).fileName()));
        if (err != ENOENT)
            return Say::tr("%1 cannot be reached (%2)").arg(shownName(path), reason(err));
        // Not there yet: its folder must be inside.
        const QString parent = QFileInfo(path).absolutePath();
        return parent == QFileInfo(folder).absoluteFilePath() ? QString() : outsideFolder(folder, parent);
    }
    const bool within = QByteArray(real).startsWith(inside);
    const QString target = QFile::decodeName(real);
    std::free(real);
    if (within)
        return {};
    return Say::tr("%1 is a link to %2, outside the game folder: what it leads to is never written")
        .arg(shownName(QFileInfo(path).fileName()), shownName(target));
}

FilesBelow listFilesBelow(const QString& folder, bool hidden, const std::function<bool(const QString&)>& wanted,
    const std::function<bool(const QString&)>& found, bool followFileLinks)
{
    FilesBelow listed;
    const QByteArray top = encoded(folder);
    char* real = ::realpath(top.constData(), nullptr);
    const QByteArray root = real ? QByteArray(real) : QByteArray();
    std::free(real);
    // A name as its bytes are: what is not UTF-8 is written as "\xNN", never as U+FFFD.
    auto shown = [](const QByteArray& relative) {
        QString text;
        for (qsizetype at = 0; at < relative.size();) {
            const auto lead = uchar(relative[at]);
            const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
            const QByteArray piece = length > 0 ? relative.mid(at, length) : QByteArray();
            const QString decoded = QString::fromUtf8(piece);
            if (length > 0 && piece.size() == length && !decoded.contains(QChar::ReplacementCharacter)
                && decoded.toUtf8() == piece) {
                text += decoded;
                at += length;
            } else {
                text += QStringLiteral("\\x%1").arg(uint(lead), 2, 16, QLatin1Char('0'));
                ++at;
            }
        }
        return shownName(text);
    };
    auto problem = [&](const QByteArray& relative, const QString& why) {
        listed.problems << QStringLiteral("%1: %2").arg(relative.isEmpty() ? shownName(folder) : shown(relative), why);
    };
    struct Open {
        DIR* dir;
        QByteArray relative; // "" or "a/b/"
    };
    std::vector<Open> stack;
    const int topFd = ::open(top.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* topDir = topFd >= 0 ? ::fdopendir(topFd) : nullptr;
    if (!topDir) {
        const int err = errno;
        if (topFd >= 0)
            ::close(topFd);
        problem({}, Say::tr("the folder cannot be read (%1)").arg(reason(err)));
        return listed;
    }
    stack.push_back({topDir, {}});
    bool stopped = false;
    while (!stack.empty() && !stopped) {
        Open& at = stack.back();
        errno = 0;
        const dirent* e = ::readdir(at.dir);
        if (!e) {
            if (const int err = errno; err != 0)
                problem(at.relative.chopped(at.relative.isEmpty() ? 0 : 1),
                    Say::tr("the folder could not be read to its end (%1)").arg(reason(err)));
            ::closedir(at.dir);
            stack.pop_back();
            continue;
        }
        const QByteArray raw(e->d_name);
        if (raw == "." || raw == ".." || (!hidden && raw.startsWith('.')))
            continue; // hidden entries, our own temporary files among them
        const QByteArray relative = at.relative + raw;
        struct stat st {};
        if (::fstatat(::dirfd(at.dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (const int err = errno; err != ENOENT) // gone since it was listed: nothing to name
                problem(relative, Say::tr("cannot be looked at (%1)").arg(reason(err)));
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            const int fd = ::openat(::dirfd(at.dir), e->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            DIR* sub = fd >= 0 ? ::fdopendir(fd) : nullptr;
            if (!sub) {
                const int err = errno;
                if (fd >= 0)
                    ::close(fd);
                problem(relative, Say::tr("the folder cannot be read (%1)").arg(reason(err)));
                continue;
            }
            stack.push_back({sub, relative + '/'});
            continue;
        }
        // Where a link leads, when it leads out of the folder; empty inside it.
        auto outside = [&]() -> QByteArray {
            char* target = ::realpath((top + '/' + relative).constData(), nullptr);
            const QByteArray where = target ? QByteArray(target) : QByteArray();
            std::free(target);
            return root.isEmpty() || (where != root && !where.startsWith(root + '/')) ? where : QByteArray();
        };
        struct stat to {};
        const bool linked = S_ISLNK(st.st_mode) && ::fstatat(::dirfd(at.dir), e->d_name, &to, 0) == 0;
        const int linkError = errno;
        if (linked && S_ISDIR(to.st_mode)) { // never followed: inside, its files are listed where they are
            if (const QByteArray where = outside(); !where.isEmpty())
                problem(relative, Say::tr("a link to the folder %1, outside the folder: its files are not listed, and "
                                          "never written")
                                      .arg(shownName(QFile::decodeName(where))));
            continue;
        }
        const QString name = QFile::decodeName(relative);
        if (wanted && !wanted(name))
            continue;
        if (S_ISLNK(st.st_mode) && !linked) { // leads nowhere: to nothing, or round in a loop
            problem(relative, Say::tr("a link that leads to no file (%1): it is not listed").arg(reason(linkError)));
            continue;
        }
        if (!S_ISLNK(st.st_mode) && !S_ISREG(st.st_mode)) {
            problem(relative, Say::tr("it is not a regular file (a pipe, a device or a socket): it is never read or written"));
            continue;
        }
        bool isFile = S_ISREG(st.st_mode);
        if (S_ISLNK(st.st_mode) && followFileLinks) { // read only: a link to a file is that file
            isFile = linked && S_ISREG(to.st_mode);
        } else if (linked && S_ISREG(to.st_mode)) {
            // A link to a file: inside the folder, its file is listed under its own name; outside,
            // it is someone else's.
            if (const QByteArray where = outside(); !where.isEmpty())
                problem(relative, Say::tr("a link to %1, outside the folder: what it leads to is never written")
                                      .arg(shownName(QFile::decodeName(where))));
        }
        if (!isFile)
            continue;
        if (QFile::encodeName(name) != relative) {
            problem(relative, Say::tr("its name cannot be read as UTF-8 (it was written in another character set): "
                                      "rename it to use it"));
            continue;
        }
        // Room for the temporary name a new copy takes beside it (".NAME.sonaplex-XXXXXX").
        if (top.size() + 1 + relative.size() + 17 >= PATH_MAX) {
            problem(relative, Say::tr("its path is longer than the file system allows: move it higher to use it"));
            continue;
        }
        listed.names << name;
        if (found && !found(name))
            stopped = true;
    }
    for (Open& o : stack)
        ::closedir(o.dir);
    listed.names.sort();
    return listed;
}

FileResult createFolders(const QString& folder, const QString& relative)
{
    if (!isPlainRelativePath(relative))
        return FileResult::failure(Say::tr("%1 is not a folder inside %2").arg(relative, folder), FileCause::Other);
    QString at = folder;
    for (const QString& part : relative.split(QLatin1Char('/'))) {
        at += QLatin1Char('/') + part;
        if (::mkdir(encoded(at).constData(), 0777) == 0)
            continue;
        const int err = errno;
        struct stat st {};
        if (err == EEXIST && ::lstat(encoded(at).constData(), &st) == 0 && S_ISDIR(st.st_mode))
            continue;
        return err == EEXIST ? FileResult::failure(Say::tr("%1 is not a folder").arg(at), FileCause::NotAFile)
                             : failed(Say::tr("cannot create folder %1").arg(at), err);
    }
    return FileResult::success();
}

FileResult renameNoReplace(const QString& from, const QString& to)
{
    const QByteArray a = encoded(from), b = encoded(to);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return FileResult::success();
    int err = errno;
    if (err == EINVAL || err == ENOSYS) {
        // A file system without the no-replace form: check, then rename.
        struct stat st {};
        if (::lstat(b.constData(), &st) == 0)
            err = EEXIST;
        else if (::rename(a.constData(), b.constData()) == 0)
            return FileResult::success();
        else
            err = errno;
    }
    return failed(Say::tr("cannot rename %1 to %2").arg(from, to), err);
}

void removeAbandonedWork(const QString& workFolder, const QString& programFolder)
{
    for (const QFileInfo& entry : QDir(workFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QStringList parts = entry.fileName().split(QLatin1Char('-'));
        bool numeric = false;
        const qint64 pid = parts.size() == 3 ? parts[1].toLongLong(&numeric) : 0;
        if (numeric && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            QDir(entry.filePath()).removeRecursively();
    }
    // A pack's sounds looked at in memory-backed files, "sonaplex-sounds-PID-XXXXXX": a killed
    // check leaves them (each up to a batch of sounds, in memory); older versions named no
    // process, and theirs go once a day old.
    if (const QString memory = memoryBackedFolder(); !memory.isEmpty()) {
        static const QRegularExpression sounds(QStringLiteral("^sonaplex-sounds-(?:(\\d+)-)?[A-Za-z0-9]{6}$"));
        for (const QFileInfo& entry : QDir(memory).entryInfoList({QStringLiteral("sonaplex-sounds-*")},
                 QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
            const QRegularExpressionMatch m = sounds.match(entry.fileName());
            if (!m.hasMatch() || entry.isSymLink() || entry.ownerId() != ::getuid())
                continue;
            const qint64 pid = m.captured(1).toLongLong();
            const bool gone = pid > 0 ? ::kill(pid_t(pid), 0) != 0 && errno == ESRCH
                                      : entry.lastModified().secsTo(QDateTime::currentDateTime()) > 24 * 3600;
            if (gone)
                QDir(entry.filePath()).removeRecursively();
        }
    }
    // Older versions converted into "Converting-XXXXXX" in the program folder: only files, ours.
    static const QRegularExpression legacy(QStringLiteral("^Converting-[A-Za-z0-9]{6}$"));
    for (const QFileInfo& entry : QDir(programFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!legacy.match(entry.fileName()).hasMatch() || entry.isSymLink())
            continue;
        QDir dir(entry.filePath());
        if (dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty())
            dir.removeRecursively();
    }
}

QString resolveProgramFolder(const QString& executableFolder)
{
    if (QFileInfo(executableFolder + QStringLiteral("/portable")).exists())
        return QDir(executableFolder).absolutePath();
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

namespace {

// A name in the open folder `dir` that equals `name` but for case, or empty.
QByteArray otherCase(int dir, const QByteArray& name)
{
    const int copy = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0)
        return {};
    DIR* d = ::fdopendir(copy);
    if (!d) {
        ::close(copy);
        return {};
    }
    const QString wanted = QString::fromUtf8(name);
    QByteArray found;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray entry(e->d_name);
        if (entry != name && QString::fromUtf8(entry).compare(wanted, Qt::CaseInsensitive) == 0) {
            found = entry;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

InsidePath findInside(const QString& folder, const QString& relative)
{
    InsidePath at;
    at.path = QDir::cleanPath(folder) + QLatin1Char('/') + relative;
    if (encoded(at.path).size() >= PATH_MAX) {
        at.problem = Say::tr("its path is longer than the file system allows");
        return at;
    }
    char* real = ::realpath(encoded(folder).constData(), nullptr);
    if (!real) {
        at.problem = Say::tr("the game folder %1 cannot be opened").arg(folder);
        return at;
    }
    const QByteArray root(real);
    std::free(real);
    Fd dir(::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        at.problem = Say::tr("the game folder %1 cannot be opened").arg(folder);
        return at;
    }
    QByteArray here = root; // where `dir` really is
    const QList<QByteArray> parts = relative.toUtf8().split('/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QByteArray& part = parts[i];
        const bool last = i + 1 == parts.size();
        const QString shown = QString::fromUtf8(part);
        struct stat st {};
        if (::fstatat(dir.get(), part.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) {
                const int err = errno;
                at.problem
                    = Say::tr("%1 cannot be looked at (%2)").arg(shown, QString::fromLocal8Bit(std::strerror(err)));
                return at;
            }
            if (const QByteArray other = otherCase(dir.get(), part); !other.isEmpty()) {
                at.problem = Say::tr("'%1' differs only in case from '%2', which the game already has")
                                 .arg(shown, QString::fromUtf8(other));
                return at;
            }
            at.folderExists = last;
            return at;
        }
        if (last) {
            if (S_ISLNK(st.st_mode))
                at.problem = Say::tr("the game file is a symbolic link");
            else if (!S_ISREG(st.st_mode))
                at.problem = Say::tr("the game file is not a regular file");
            at.exists = at.problem.isEmpty();
            at.folderExists = true;
            return at;
        }
        QByteArray next = here + '/' + part;
        if (S_ISLNK(st.st_mode)) {
            char* target = ::realpath(next.constData(), nullptr);
            if (!target) {
                at.folderExists = false; // a broken link: no folder there
                at.problem = Say::tr("'%1' is a symbolic link that leads nowhere").arg(shown);
                return at;
            }
            next = target;
            std::free(target);
            if (next != root && !next.startsWith(root + '/')) {
                at.problem = Say::tr("'%1' is a symbolic link to %2, outside the game folder")
                                 .arg(shown, QString::fromLocal8Bit(next));
                return at;
            }
            if (::stat(next.constData(), &st) != 0)
                return at;
        }
        if (!S_ISDIR(st.st_mode)) {
            at.problem = Say::tr("'%1' is not a folder").arg(shown);
            return at;
        }
        Fd inner(::open(next.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW));
        if (inner.get() < 0) {
            const int err = errno;
            at.problem = Say::tr("%1 cannot be opened (%2)").arg(shown, QString::fromLocal8Bit(std::strerror(err)));
            return at;
        }
        dir = std::move(inner);
        here = next;
    }
    return at;
}

} // namespace sonaplex
