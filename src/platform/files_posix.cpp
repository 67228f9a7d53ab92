#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonaplex {

namespace {

QString reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
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

// Copies the whole of `in` to `out`: in-kernel when it can, else through a buffer.
bool copyContents(int in, int out, off_t size)
{
    off_t done = 0;
    while (done < size) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(size - done), 0);
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
        if (n == 0)
            return true;
        if (!writeAll(out, buffer.data(), size_t(n)))
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

bool isPlainName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

FileResult copyReplace(const QString& source, const QString& destination)
{
    if (source.isEmpty())
        return FileResult::failure(QStringLiteral("no replacement file was chosen"));
    if (destination.isEmpty())
        return FileResult::failure(QStringLiteral("no game file was chosen"));

    Fd in(::open(encoded(source).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return FileResult::failure(QStringLiteral("cannot read %1: %2").arg(source, reason(errno)));
    struct stat src {};
    if (::fstat(in.get(), &src) != 0 || !S_ISREG(src.st_mode))
        return FileResult::failure(QStringLiteral("%1 is not a regular file").arg(source));

    // A game file that is a link is replaced where it really lives.
    QString target = destination;
    QFileInfo destInfo(destination);
    if (destInfo.isSymLink() && destInfo.exists())
        target = destInfo.canonicalFilePath();

    struct stat dst {};
    const bool destExists = ::stat(encoded(target).constData(), &dst) == 0;
    if (destExists) {
        if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino)
            return FileResult::success(); // the same file: nothing to do
        if (!S_ISREG(dst.st_mode))
            return FileResult::failure(QStringLiteral("%1 is not a regular file").arg(destination));
        if (::access(encoded(target).constData(), W_OK) != 0)
            return FileResult::failure(QStringLiteral("%1 is read-only").arg(destination));
    } else if (errno != ENOENT) {
        return FileResult::failure(QStringLiteral("cannot reach %1: %2").arg(destination, reason(errno)));
    }

    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    QByteArray tmpl
        = encoded(folder + QStringLiteral("/.") + targetInfo.fileName() + QStringLiteral(".sonaplex-XXXXXX"));
    Fd out(::mkstemp(tmpl.data()));
    if (out.get() < 0)
        return FileResult::failure(
            QStringLiteral("cannot write in the folder of %1: %2").arg(destination, reason(errno)));
    auto discard = [&](const QString& what) {
        int err = errno;
        out.reset();
        ::unlink(tmpl.constData());
        return FileResult::failure(what + QStringLiteral(": ") + reason(err));
    };

    if (!copyContents(in.get(), out.get(), src.st_size))
        return discard(QStringLiteral("cannot copy %1 to %2").arg(source, destination));
    ::fchmod(out.get(), destExists ? (dst.st_mode & 07777) : defaultMode());
    if (destExists && (dst.st_uid != ::geteuid() || dst.st_gid != ::getegid()))
        (void)::fchown(out.get(), dst.st_uid, dst.st_gid);
    if (::fsync(out.get()) != 0)
        return discard(QStringLiteral("cannot write %1").arg(destination));
    if (::close(out.release()) != 0) {
        int err = errno;
        ::unlink(tmpl.constData());
        return FileResult::failure(QStringLiteral("cannot write %1: %2").arg(destination, reason(err)));
    }
    if (::rename(tmpl.constData(), encoded(target).constData()) != 0) {
        int err = errno;
        ::unlink(tmpl.constData());
        return FileResult::failure(QStringLiteral("cannot replace %1: %2").arg(destination, reason(err)));
    }
    Fd dir(::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return FileResult::success();
}

FileResult createFolder(const QString& path)
{
    if (::mkdir(encoded(path).constData(), 0777) == 0)
        return FileResult::success();
    int err = errno;
    if (err == EEXIST && QFileInfo(path).isDir())
        return FileResult::success();
    return FileResult::failure(QStringLiteral("cannot create folder %1: %2").arg(path, reason(err)));
}

FileResult emptyFolder(const QString& path)
{
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) != 0)
        return errno == ENOENT ? FileResult::success()
                               : FileResult::failure(QStringLiteral("cannot reach %1: %2").arg(path, reason(errno)));
    if (!S_ISDIR(st.st_mode))
        return FileResult::failure(QStringLiteral("%1 is not a folder").arg(path));
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files | QDir::System | QDir::Hidden)) {
        if (::unlink(encoded(entry.filePath()).constData()) != 0 && errno != ENOENT)
            return FileResult::failure(QStringLiteral("cannot remove %1: %2").arg(entry.filePath(), reason(errno)));
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
    return FileResult::failure(QStringLiteral("cannot rename %1 to %2: %3").arg(from, to, reason(err)));
}

QString resolveProgramFolder(const QString& executableFolder)
{
    {
        QTemporaryFile probe(executableFolder + QStringLiteral("/.sonaplex-write-test-XXXXXX"));
        if (probe.open())
            return QDir(executableFolder).absolutePath();
    }
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

} // namespace sonaplex
