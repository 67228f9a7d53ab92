#include "base/content_hash.h"

#include <QFile>

#include <xxhash.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace sonaplex {

HashResult contentHash(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return {{},
            FileResult::failure(QStringLiteral("cannot read %1: %2").arg(path, QString::fromLocal8Bit(strerror(err))),
                causeOfErrno(err))};
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    XXH3_state_t* state = XXH3_createState();
    XXH3_128bits_reset(state);
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            XXH3_freeState(state);
            return {{},
                FileResult::failure(
                    QStringLiteral("cannot read %1: %2").arg(path, QString::fromLocal8Bit(strerror(err))),
                    causeOfErrno(err))};
        }
        if (n == 0)
            break;
        XXH3_128bits_update(state, buffer.data(), size_t(n));
    }
    ::close(fd);
    const XXH128_hash_t h = XXH3_128bits_digest(state);
    XXH3_freeState(state);
    return {QStringLiteral("%1%2").arg(h.high64, 16, 16, QLatin1Char('0')).arg(h.low64, 16, 16, QLatin1Char('0')), {}};
}

} // namespace sonaplex
