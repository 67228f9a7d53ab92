#pragma once
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <exception>
#include <functional>
#include <mutex>
#include <string>

namespace sonaplex {

// How far a run of file work has got, and whether the user wants it stopped. The thread doing
// the work writes it; the window showing it reads it (every member is atomic).
class WorkProgress {
public:
    using Offloader = std::function<void(const std::function<void()>& work)>;

    void setTotal(int files, qint64 bytes)
    {
        fileTotal_ = files;
        byteTotal_ = bytes;
    }
    void addBytes(qint64 n) { bytes_ += n; }
    void fileDone() { ++files_; }
    void cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }
    // A run past the point where it can stop (game files are changing) says so.
    void setCancellable(bool can) { cancellable_ = can; }
    bool cancellable() const { return cancellable_; }

    int files() const { return files_; }
    int fileTotal() const { return fileTotal_; }
    qint64 bytes() const { return bytes_; }
    qint64 byteTotal() const { return byteTotal_; }

    // Runs a stretch of work that touches files only (no window, no record of replacements)
    // and returns when it is done: here and now, unless a window has given an offloader that
    // runs it on another thread while the window's events go on.
    // Work that throws (out of memory, say) stops the run as a cancel does, and failure() says
    // why: an exception never ends in silence, or as a success.
    void offload(const std::function<void()>& work) const
    {
        const std::function<void()> guarded = [this, &work] {
            try {
                work();
            } catch (const std::bad_alloc&) {
                fail("there is not enough memory");
            } catch (const std::exception& e) {
                fail(e.what());
            } catch (...) {
                fail("an unexpected error");
            }
        };
        if (offloader_)
            offloader_(guarded);
        else
            guarded();
    }
    bool failed() const { return failed_; }
    std::string failure() const
    {
        std::lock_guard<std::mutex> lock(failureLock_);
        return failure_;
    }
    void setOffloader(Offloader offloader) { offloader_ = std::move(offloader); }

    // Work that must stay on the window's thread (the record is written there) calls this
    // between its steps: every few milliseconds it lets the window's events through, as an
    // offloaded stretch does, so that a run of thousands of files never holds the window.
    void breathe() const
    {
        if (!breather_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastBreath_ < std::chrono::milliseconds(8))
            return;
        breather_();
        lastBreath_ = std::chrono::steady_clock::now();
    }
    void setBreather(std::function<void()> breather) { breather_ = std::move(breather); }

private:
    void fail(const std::string& why) const
    {
        {
            std::lock_guard<std::mutex> lock(failureLock_);
            failure_ = why;
        }
        failed_ = true;
        cancelled_ = true;
    }

    std::atomic<int> files_{0}, fileTotal_{0};
    std::atomic<qint64> bytes_{0}, byteTotal_{0};
    mutable std::atomic<bool> cancelled_{false}, failed_{false};
    std::atomic<bool> cancellable_{true};
    mutable std::mutex failureLock_;
    mutable std::string failure_;
    Offloader offloader_;
    std::function<void()> breather_;
    mutable std::chrono::steady_clock::time_point lastBreath_ = std::chrono::steady_clock::now();
};

} // namespace sonaplex
