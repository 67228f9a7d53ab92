#include "shell/replacement.h"

#include "platform/files.h"

#include <QDir>
#include <QHash>

namespace sonaplex {

namespace {
QString selectionLabel(int n, const QString& name)
{
    return name.isEmpty() ? QStringLiteral("Selection %1").arg(n)
                          : QStringLiteral("Selection %1 (%2)").arg(n).arg(name);
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

CopyRun stageFiles(const std::vector<StagedFile>& files, const QString& folder)
{
    CopyRun run;
    if (const FileResult made = createFolder(folder); !made) {
        for (const StagedFile& f : files)
            run.failures << selectionLabel(f.selection, f.name) + QStringLiteral(": ") + made.error;
        return run;
    }
    QHash<QString, int> copiedFrom; // name in the folder -> selection it came from
    for (const StagedFile& f : files) {
        if (copiedFrom.contains(f.name)) {
            run.failures << selectionLabel(f.selection, f.name)
                    + QStringLiteral(": not copied, Selection %1 has a file of the same name").arg(copiedFrom[f.name]);
            continue;
        }
        const FileResult r = copyReplace(f.source, folder + QDir::separator() + f.name);
        if (r) {
            ++run.copied;
            copiedFrom.insert(f.name, f.selection);
        } else {
            run.failures << selectionLabel(f.selection, f.name) + QStringLiteral(": ") + r.error;
        }
    }
    return run;
}

std::vector<StagedFile> gameFilesOf(const std::vector<Selection>& selections)
{
    std::vector<StagedFile> files;
    for (size_t i = 0; i < selections.size(); ++i)
        if (!selections[i].gameName.isEmpty())
            files.push_back({int(i) + 1, selections[i].gamePath, selections[i].gameName});
    return files;
}

std::vector<StagedFile> replacementsUnderGameNames(const std::vector<Selection>& selections)
{
    std::vector<StagedFile> files;
    for (size_t i = 0; i < selections.size(); ++i)
        if (!selections[i].gameName.isEmpty() && !selections[i].replacementName.isEmpty())
            files.push_back({int(i) + 1, selections[i].replacementPath, selections[i].gameName});
    return files;
}

QString failureReport(const QString& heading, const CopyRun& run)
{
    return heading + QStringLiteral("\n\n") + run.failures.join(QLatin1Char('\n'));
}

} // namespace sonaplex
