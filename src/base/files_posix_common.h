// What the POSIX file operations share: a descriptor that closes itself, their errors' words and
// the texts' translation context. Private to the files_*_posix.cpp sources.
#pragma once

#include "base/files.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace sonaplex::posix {

// The context the file operations' texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FilesPosix)
};

inline QString reason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

inline QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

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

inline bool writeAll(int fd, const char* data, size_t size)
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

inline FileResult failed(const QString& what, int err)
{
    return FileResult::failure(what + QStringLiteral(": ") + reason(err), causeOfErrno(err));
}

} // namespace sonaplex::posix
