#include "actions/prepared_run.h"

#include "record/run.h"

namespace sonaplex {

Report PreparedRun::start(WorkProgress* progress) const { return run(plan_, record_, progress); }

} // namespace sonaplex
