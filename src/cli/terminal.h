#pragma once
#include <QString>

namespace sonaplex {
class WorkProgress;
}

namespace sonaplex::cli {

// Output of the command line: text to stdout and stderr in the locale's encoding.
void out(const QString& line);
void err(const QString& line);

// Ctrl+C (SIGINT, and SIGTERM) asks the work running through a Watched progress to stop; the
// program ends once the work has said what it did.
void catchInterrupts();
bool interrupted();

// While one lives, Ctrl+C and SIGTERM are left to the command, which stops cleanly at its next
// look (interrupted()); while none does, they end the command at once. Commands that change
// game files, or that report what they did so far, hold one for their whole run.
class HandlesInterrupts {
public:
    HandlesInterrupts();
    ~HandlesInterrupts();
    HandlesInterrupts(const HandlesInterrupts&) = delete;
    HandlesInterrupts& operator=(const HandlesInterrupts&) = delete;
};

// While it lives, each stretch of a progress's file work runs on a thread of its own while
// this thread shows `what` with the files and bytes done on one updating line of stderr (only
// when stderr is a terminal) and passes an interrupt on as a cancel.
class Watched : HandlesInterrupts {
public:
    Watched(WorkProgress& progress, QString what);
    ~Watched();
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

private:
    void show();
    void clear();
    WorkProgress& progress_;
    QString what_;
    bool terminal_ = false;
    int shownWidth_ = 0;
};

} // namespace sonaplex::cli
