#include "base/file_stamp.h"

#include <QFile>

#include <charconv>

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

namespace sonaplex {

namespace {
// The stamp of what stat() said, written into `out` (room for 160 characters); its length, or 0
// for anything but a regular file. By hand: a list of many thousand files takes one each, and
// snprintf() or QString::asprintf() take several times longer.
int writeStamp(const struct stat& st, char* out)
{
    if (!S_ISREG(st.st_mode))
        return 0;
    char* p = out;
    char* const end = out + 160;
    auto put = [&](auto n) { p = std::to_chars(p, end, n).ptr; };
    put((unsigned long long)st.st_dev);
    *p++ = ':';
    put((unsigned long long)st.st_ino);
    *p++ = ':';
    put((long long)st.st_size);
    *p++ = ':';
    put((long long)st.st_mtim.tv_sec);
    *p++ = '.';
    put((long long)st.st_mtim.tv_nsec);
    *p++ = ':';
    put((long long)st.st_ctim.tv_sec);
    *p++ = '.';
    put((long long)st.st_ctim.tv_nsec);
    return int(p - out);
}
} // namespace

QString fileStamp(const QString& path)
{
    struct stat st {};
    char stamp[160];
    const int n = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? writeStamp(st, stamp) : 0;
    return QString::fromLatin1(stamp, n);
}

bool StampCheck::matches(const QString& path, const QString& stamp)
{
    if (stamp.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    const qsizetype slash = name.lastIndexOf('/');
    // Files of one folder come together in a list: their folder is looked up once.
    if (slash > 0 && name.first(slash) != folder_) {
        close();
        folder_ = name.first(slash);
        fd_ = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
    struct stat st {};
    const bool found = slash > 0 && fd_ >= 0 ? ::fstatat(fd_, name.constData() + slash + 1, &st, 0) == 0
                                             : ::stat(name.constData(), &st) == 0;
    char now[160];
    const int n = found ? writeStamp(st, now) : 0;
    return n > 0 && stamp == QLatin1StringView(now, n);
}

void StampCheck::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    folder_.clear();
}

} // namespace sonaplex
