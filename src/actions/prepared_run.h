#pragma once
#include "record/plan.h"

namespace sonaplex {

class ReplacementRecord;
class WorkProgress;

// A run put together by one of the actions and not started yet: the front-end may say "nothing
// to do" when it is empty, ask the user, show progress, then start it. What it changes and how
// it is recorded is the action's; the front-end never sees the plan.
class PreparedRun {
public:
    PreparedRun() = default;
    PreparedRun(Plan plan, ReplacementRecord* record) : plan_(std::move(plan)), record_(record) {}

    // No file to change and none refused: there is nothing to run nor to report.
    bool nothingToDo() const { return plan_.steps.empty() && plan_.refused.empty(); }
    // Runs it (see run()), once, on the record's thread; the file work goes through `progress`.
    Report start(WorkProgress* progress = nullptr) const;

private:
    Plan plan_;
    ReplacementRecord* record_ = nullptr;
};

} // namespace sonaplex
