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

// Ctrl+C and SIGTERM end a command at once, unless it handles them itself: while a
// HandlesInterrupts lives (a Watched stretch of work), or, for a command that changes game files
// or reports what it did so far, from handleInterruptsToTheEnd() on. It then stops cleanly at
// its next look (interrupted()), and a signal that comes as it ends changes nothing.
void handleInterruptsToTheEnd();
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
    friend void err(const QString& line);
    void show();
    void clear();
    WorkProgress& progress_;
    QString what_;
    bool terminal_ = false;
    int shownWidth_ = 0;
};

} // namespace sonaplex::cli
