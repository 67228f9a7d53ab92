#pragma once
#include "base/work_progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <chrono>

class QProgressBar;
class QProgressDialog;
class QWidget;

namespace sonaplex {

// Runs file work that may take long without freezing the program: each stretch the work hands
// to progress().offload() runs on a pool thread while this thread goes on painting windows and
// playing sound. Once the work has taken half a second a progress window over `parent` shows
// the files and bytes done, with a Cancel button; until then no window takes input (what the
// user does meanwhile is handled afterwards, as if the work had held the program), and then only
// the progress window does. What the work does between stretches (the record of replacements)
// stays on this thread. If the program is asked to end meanwhile, the work is cancelled.
class LongWork {
public:
    LongWork(QWidget* parent, QString what);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    WorkProgress& progress() { return progress_; }
    bool cancelled() const { return progress_.cancelled(); }

    // How long work runs before its progress window shows (half a second unless changed).
    static void setShowAfter(std::chrono::milliseconds delay);

private:
    void runOffThread(const std::function<void()>& work);
    void update();
    void showProgress();

    QPointer<QWidget> parent_;
    QString what_;
    WorkProgress progress_;
    QElapsedTimer started_;
    QPointer<QProgressDialog> dialog_; // goes with `parent` if that goes first
    QProgressBar* bar_ = nullptr;
    bool shown_ = false;
    bool cancelGone_ = false;
};

} // namespace sonaplex
