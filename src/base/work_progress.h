#pragma once
#include <QtGlobal>

#include <atomic>
#include <functional>

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
    void offload(const std::function<void()>& work) const
    {
        if (offloader_)
            offloader_(work);
        else
            work();
    }
    void setOffloader(Offloader offloader) { offloader_ = std::move(offloader); }

private:
    std::atomic<int> files_{0}, fileTotal_{0};
    std::atomic<qint64> bytes_{0}, byteTotal_{0};
    std::atomic<bool> cancelled_{false}, cancellable_{true};
    Offloader offloader_;
};

} // namespace sonaplex
