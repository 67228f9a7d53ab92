#include "base/replacement.h"

#include "base/files.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace sonaplex {

namespace {
QString selectionLabel(int n, const QString& name)
{
    return name.isEmpty() ? QStringLiteral("Selection %1").arg(n)
                          : QStringLiteral("Selection %1 (%2)").arg(n).arg(name);
}
} // namespace

QStringList sameGameFiles(const std::vector<Selection>& selections)
{
    QStringList clashes;
    std::vector<QString> ids(selections.size());
    for (size_t i = 0; i < selections.size(); ++i)
        if (!selections[i].gamePath.isEmpty())
            ids[i] = fileIdentity(selections[i].gamePath);
    std::vector<bool> reported(selections.size(), false);
    for (size_t i = 0; i < selections.size(); ++i) {
        if (ids[i].isEmpty() || reported[i])
            continue;
        QStringList numbers{QString::number(i + 1)};
        for (size_t j = i + 1; j < selections.size(); ++j)
            if (ids[j] == ids[i]) {
                numbers << QString::number(j + 1);
                reported[j] = true;
            }
        if (numbers.size() > 1) {
            const QString last = numbers.takeLast();
            clashes << QStringLiteral("Selections %1 and %2 (%3)")
                           .arg(numbers.join(QStringLiteral(", ")), last, selections[i].gameName);
        }
    }
    return clashes;
}

CopyRun replaceGameFiles(const std::vector<Selection>& selections, const ReplacementCheck& check)
{
    CopyRun run;
    const QStringList clashes = sameGameFiles(selections);
    if (!clashes.isEmpty()) {
        for (const QString& c : clashes)
            run.failures << c + QStringLiteral(": the same game file is chosen more than once");
        return run;
    }
    struct Step {
        int n;
        QString name;
        PendingCopy copy;
    };
    std::vector<Step> steps;
    auto fail = [&](int n, const QString& name, const QString& why) {
        run.failures << selectionLabel(n, name) + QStringLiteral(": ") + why;
    };
    // Every new copy is made before any game file changes.
    for (size_t i = 0; i < selections.size(); ++i) {
        const Selection& s = selections[i];
        const int n = int(i) + 1;
        const bool hasGame = !s.gameName.isEmpty();
        const bool hasReplacement = !s.replacementName.isEmpty();
        if (!hasGame && !hasReplacement)
            continue;
        if (!hasGame) {
            fail(n, s.replacementName, QStringLiteral("no game file was chosen"));
            continue;
        }
        if (!hasReplacement) {
            fail(n, s.gameName, QStringLiteral("no replacement file was chosen"));
            continue;
        }
        if (check) {
            if (const QString why = check(s.replacementPath); !why.isEmpty()) {
                fail(n, s.gameName, why);
                continue;
            }
        }
        Step step{n, s.gameName, {}};
        if (const FileResult r = step.copy.prepare(s.replacementPath, s.gamePath); !r) {
            fail(n, s.gameName, r.error);
            continue;
        }
        steps.push_back(std::move(step));
    }
    for (Step& step : steps)
        step.copy.startWriting();
    for (auto it = steps.begin(); it != steps.end();) {
        if (const FileResult r = it->copy.flush(); !r) {
            fail(it->n, it->name, r.error);
            it = steps.erase(it);
        } else {
            ++it;
        }
    }
    QStringList folders;
    for (Step& step : steps) {
        if (const FileResult r = step.copy.commit(false); r) {
            ++run.copied;
            if (!step.copy.folder().isEmpty() && !folders.contains(step.copy.folder()))
                folders << step.copy.folder();
        } else {
            fail(step.n, step.name, r.error);
        }
    }
    for (const QString& folder : folders)
        syncFolder(folder);
    // Failures read in selection order, whichever step found them.
    std::stable_sort(run.failures.begin(), run.failures.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char(' '), 1, 1).toInt() < b.section(QLatin1Char(' '), 1, 1).toInt();
    });
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
