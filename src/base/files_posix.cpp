// The plain file operations: opening, reading small files, making and emptying folders, renames
// that never replace, and what an error number means for the user.
#include "base/files.h"
#include "base/files_posix_common.h"
#include "base/result.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>

namespace sonaplex {

using namespace posix;

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

} // namespace sonaplex
