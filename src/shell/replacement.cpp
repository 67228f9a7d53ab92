#include "shell/replacement.h"

#include "platform/files.h"

#include <QDir>

namespace sonaplex {

namespace {
QString selectionLabel(int n, const QString& name)
{
    return name.isEmpty() ? QStringLiteral("Selection %1").arg(n) : QStringLiteral("Selection %1 (%2)").arg(n).arg(name);
}
} // namespace

CopyRun replaceGameFiles(const std::vector<Selection>& selections)
{
    CopyRun run;
    for (size_t i = 0; i < selections.size(); ++i) {
        const Selection& s = selections[i];
        const int n = int(i) + 1;
        const bool hasGame = !s.gameName.isEmpty();
        const bool hasReplacement = !s.replacementName.isEmpty();
        if (!hasGame && !hasReplacement)
            continue;
        if (!hasGame) {
            run.failures << selectionLabel(n, s.replacementName) + QStringLiteral(": no game file was chosen");
            continue;
        }
        if (!hasReplacement) {
            run.failures << selectionLabel(n, s.gameName) + QStringLiteral(": no replacement file was chosen");
            continue;
        }
        const FileResult r = copyReplace(s.replacementPath, s.gamePath);
        if (r)
            ++run.copied;
        else
            run.failures << selectionLabel(n, s.gameName) + QStringLiteral(": ") + r.error;
    }
    return run;
}

CopyRun copyReplacementsInto(const std::vector<Selection>& selections, const QString& folder)
{
    CopyRun run;
    for (size_t i = 0; i < selections.size(); ++i) {
        const Selection& s = selections[i];
        if (s.replacementName.isEmpty())
            continue;
        const FileResult r = copyReplace(s.replacementPath, folder + QDir::separator() + s.replacementName);
        if (r)
            ++run.copied;
        else
            run.failures << selectionLabel(int(i) + 1, s.replacementName) + QStringLiteral(": ") + r.error;
    }
    return run;
}

QString failureReport(const QString& heading, const CopyRun& run)
{
    return heading + QStringLiteral("\n\n") + run.failures.join(QLatin1Char('\n'));
}

} // namespace sonaplex
