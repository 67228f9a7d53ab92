#pragma once
#include "record/plan.h"

namespace sonaplex {

class ReplacementRecord;
class WorkProgress;

// Runs a plan: puts each step's source over its game file. Every new copy is made (and, with a
// record, every original kept) before any game file changes, so a swapped pair swaps and a
// chain chains; with a record every change is recorded before and after it happens, as one run
// of the plan's kind that can be undone. The file work goes through `progress` (off this thread
// when a window offloads it); the record is used on this thread only. Until the first game file
// changes the run can be cancelled, and then changes none: each step is reported Cancelled.
// Runs with a record take turns with every other (windows and program copies alike).
Report run(const Plan& plan, ReplacementRecord* record, WorkProgress* progress = nullptr);

} // namespace sonaplex
