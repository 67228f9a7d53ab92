#include "base/content_hash.h"
#include "base/result.h"

#include <QCoreApplication>
#include <QFile>

#include <xxhash.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ContentHash)
};
} // namespace

ContentHasher::ContentHasher() : state_(XXH3_createState()) { XXH3_128bits_reset(static_cast<XXH3_state_t*>(state_)); }
ContentHasher::~ContentHasher() { XXH3_freeState(static_cast<XXH3_state_t*>(state_)); }

void ContentHasher::update(const char* data, size_t size)
{
    XXH3_128bits_update(static_cast<XXH3_state_t*>(state_), data, size);
}

bool ContentHasher::updateFrom(int fd)
{
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        update(buffer.data(), size_t(n));
    }
}

QString ContentHasher::digest() const
{
    const XXH128_hash_t h = XXH3_128bits_digest(static_cast<const XXH3_state_t*>(state_));
    return QStringLiteral("%1%2").arg(h.high64, 16, 16, QLatin1Char('0')).arg(h.low64, 16, 16, QLatin1Char('0'));
}

HashResult contentHash(const QString& path)
{
    auto failure = [&path](int err) {
        return HashResult{{},
            FileResult::failure(
                Say::tr("cannot read %1: %2").arg(path, QString::fromLocal8Bit(strerror(err))), causeOfErrno(err))};
    };
    const Result<int> opened = openRegularFile(path);
    if (!opened)
        return {{}, opened.failure()};
    const int fd = opened.value();
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    ContentHasher hasher;
    const bool read = hasher.updateFrom(fd);
    const int err = errno;
    ::close(fd);
    if (!read)
        return failure(err);
    return {hasher.digest(), {}};
}

} // namespace sonaplex
