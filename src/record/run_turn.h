#pragma once
#include <QString>

namespace sonaplex {

// Runs that change game files take turns, across windows and processes: a run holds the turn
// from reading what its game files hold until its last rename is recorded. The turn is an
// exclusive lock (flock) on a file in the record's folder, so a killed holder lets go of it.
class RunTurn {
public:
    explicit RunTurn(QString folder) : folder_(std::move(folder)) {}
    ~RunTurn() { release(); }
    RunTurn(const RunTurn&) = delete;
    RunTurn& operator=(const RunTurn&) = delete;

    // False when another run holds the turn (or this one already does); never waits.
    bool tryTake();
    void release();
    bool held() const { return fd_ >= 0; }

private:
    QString folder_;
    int fd_ = -1;
};

} // namespace sonaplex
