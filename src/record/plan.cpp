#include "record/plan.h"

#include <algorithm>

namespace sonaplex {

QString recordedKind(RunKind kind)
{
    switch (kind) {
    case RunKind::Switch:
        return QStringLiteral("switch");
    case RunKind::Restore:
        return QStringLiteral("restore");
    case RunKind::Undo:
        return QStringLiteral("undo");
    case RunKind::Reapply:
        return QStringLiteral("reapply");
    }
    return {};
}

RunKind runKindFrom(const QString& recorded)
{
    if (recorded == QLatin1String("restore"))
        return RunKind::Restore;
    if (recorded == QLatin1String("undo"))
        return RunKind::Undo;
    if (recorded == QLatin1String("reapply"))
        return RunKind::Reapply;
    return RunKind::Switch;
}

int Report::done() const
{
    return int(std::count_if(items.begin(), items.end(), [](const ReportItem& i) { return i.done(); }));
}

bool Report::ok() const
{
    return std::all_of(items.begin(), items.end(),
        [](const ReportItem& i) { return i.outcome == Outcome::Done || i.outcome == Outcome::AlreadyInPlace; });
}

std::vector<const ReportItem*> Report::notDone() const
{
    std::vector<const ReportItem*> found;
    for (const ReportItem& i : items)
        if (!i.done() && i.outcome != Outcome::AlreadyInPlace)
            found.push_back(&i);
    return found;
}

std::vector<const ReportItem*> Report::notDurable() const
{
    std::vector<const ReportItem*> found;
    for (const ReportItem& i : items)
        if (i.outcome == Outcome::DoneNotDurable)
            found.push_back(&i);
    return found;
}

void Report::sortByStep()
{
    std::stable_sort(items.begin(), items.end(),
        [](const ReportItem& a, const ReportItem& b) { return a.step.name.number < b.step.name.number; });
}

} // namespace sonaplex
