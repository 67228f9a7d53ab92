#include "record/run_turn.h"

#include <QFile>

#include <utility>

#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

namespace sonaplex {

bool RunTurn::tryTake()
{
    if (fd_ >= 0)
        return false;
    const int fd = ::open(QFile::encodeName(folder_ + QStringLiteral("/run.lock")).constData(),
        O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return true; // a folder that cannot hold the lock cannot hold the record either: ready() says so
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void RunTurn::release()
{
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(std::exchange(fd_, -1));
}

} // namespace sonaplex
