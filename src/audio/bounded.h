#pragma once
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <QString>
#include <QThreadPool>

namespace sonaplex::audio {

// How long opening a file may hold the window before the player gives up on it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::chrono::milliseconds kOpenTimeLimit{8000}; // sanitizers slow everything down
#else
inline constexpr std::chrono::milliseconds kOpenTimeLimit{1000};
#endif

// The threads work that may hang in a library call runs on: a few, for the whole program. A
// call that never returns keeps its thread; once every one is held so, later work is not
// started at all and times out, instead of leaving one more thread behind per call. Never
// destroyed: its destructor would wait for a call that never returns.
inline constexpr int kBoundedThreads = 8; // six format checks at once, and a player or two
inline QThreadPool& boundedPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(kBoundedThreads);
        p->setObjectName(QStringLiteral("bounded work"));
        return p;
    }();
    return *pool;
}

// Runs `work` on one of the bounded pool's threads and waits for it at most `limit`. Returns
// its result, or nothing when it took longer (or found no thread free in time): then the work
// is abandoned where it stands (a library call that never returns stays on its thread; work not
// yet started never starts) and a result it produces later is destroyed there.
template <class T> std::optional<T> runBounded(std::function<T()> work, std::chrono::milliseconds limit)
{
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<T> result;
        bool abandoned = false;
    };
    auto shared = std::make_shared<Shared>();
    boundedPool().start([shared, work = std::move(work)] {
        {
            std::unique_lock lock(shared->mutex);
            if (shared->abandoned)
                return; // given up on before it started
        }
        T value = work();
        std::unique_lock lock(shared->mutex);
        if (shared->abandoned)
            return; // `value` goes after the lock is released, on this thread
        shared->result.emplace(std::move(value));
        shared->done.notify_all();
    });
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_for(lock, limit, [&] { return shared->result.has_value(); })) {
        shared->abandoned = true;
        return std::nullopt;
    }
    return std::move(shared->result);
}

} // namespace sonaplex::audio
