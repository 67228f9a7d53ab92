#pragma once
// Blocks of samples handed from one thread to another, a few at a time: decoding runs ahead
// of what uses the sound (measuring, encoding) on the other processor.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace sonaplex::audio {

class Handoff {
public:
    // `produce` fills a block (frames × channels floats) and returns false when there is no
    // more; it runs on its own thread until then or until the taker stops.
    explicit Handoff(std::function<bool(std::vector<float>&)> produce, size_t depth = 4)
        : depth_(depth), thread_([this, produce = std::move(produce)] { run(produce); })
    {
    }
    ~Handoff()
    {
        {
            std::lock_guard lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    Handoff(const Handoff&) = delete;
    Handoff& operator=(const Handoff&) = delete;

    // The next block, in order; false at the end.
    bool take(std::vector<float>& block)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !ready_.empty() || ended_; });
        if (ready_.empty())
            return false;
        block.swap(ready_.front());
        ready_.pop_front();
        changed_.notify_all();
        return true;
    }

private:
    void run(const std::function<bool(std::vector<float>&)>& produce)
    {
        for (;;) {
            std::vector<float> block;
            const bool more = produce(block);
            std::unique_lock lock(mutex_);
            if (more)
                ready_.push_back(std::move(block));
            if (!more || stopped_) {
                ended_ = true;
                changed_.notify_all();
                return;
            }
            changed_.notify_all();
            changed_.wait(lock, [this] { return ready_.size() < depth_ || stopped_; });
            if (stopped_) {
                ended_ = true;
                return;
            }
        }
    }

    size_t depth_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<float>> ready_;
    bool ended_ = false, stopped_ = false;
    std::thread thread_; // last: it starts once the rest is made
};

} // namespace sonaplex::audio
