#pragma once
#include "shell/review_board.h"

#include <QStringList>
#include <vector>

namespace sonaplex {

// What a run of copies did: how many it tried and, for each one that failed, which
// selection and why.
struct CopyRun {
    int copied = 0;
    QStringList failures;
    bool ok() const { return failures.isEmpty(); }
};

// Copies each complete selection's replacement file over its game file, in ascending order.
// Selections empty on both sides are skipped; a selection with one side only is a failure.
CopyRun replaceGameFiles(const std::vector<Selection>& selections);

// Copies each chosen replacement file into `folder` under its own name, in ascending order;
// a later file of the same name overwrites an earlier one.
CopyRun copyReplacementsInto(const std::vector<Selection>& selections, const QString& folder);

// The one message that names every failure of a run.
QString failureReport(const QString& heading, const CopyRun& run);

} // namespace sonaplex
