#pragma once
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace sonaplex::audio {

// How long opening a file may hold the window before the player gives up on it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr std::chrono::milliseconds kOpenTimeLimit{8000}; // sanitizers slow everything down
#else
inline constexpr std::chrono::milliseconds kOpenTimeLimit{1000};
#endif

// Runs `work` on a thread of its own and waits for it at most `limit`. Returns its result,
// or nothing when it took longer: then the work is abandoned where it stands (a library
// call that never returns stays on its own thread) and a result it produces later is
// destroyed there.
template <class T> std::optional<T> runBounded(std::function<T()> work, std::chrono::milliseconds limit)
{
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<T> result;
        bool abandoned = false;
    };
    auto shared = std::make_shared<Shared>();
    std::thread([shared, work = std::move(work)] {
        T value = work();
        std::unique_lock lock(shared->mutex);
        if (shared->abandoned)
            return; // `value` goes after the lock is released, on this thread
        shared->result.emplace(std::move(value));
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_for(lock, limit, [&] { return shared->result.has_value(); })) {
        shared->abandoned = true;
        return std::nullopt;
    }
    return std::move(shared->result);
}

} // namespace sonaplex::audio
