#include "actions/gathering.h"

#include "base/files.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Gathering)
};

Step stepOf(int selection, const QString& name, const QString& source, const QString& destination)
{
    return Step{StepName{StepName::Of::Selection, selection, name}, destination, source};
}

// Copies an item's source over its destination. Once renamed into place the copy is whole: a
// folder that cannot then be made durable makes it not yet durable, never "not copied".
void copyItem(ReportItem& item, WorkProgress* progress)
{
    PendingCopy copy;
    item.result = copy.prepare(item.step.source, item.step.gamePath, nullptr, progress);
    if (item.result)
        item.result = copy.commit(false);
    item.outcome = item.result ? Outcome::Done : Outcome::Failed;
    if (item.result) {
        item.result = syncFolder(QFileInfo(item.step.gamePath).absolutePath());
        item.outcome = item.result ? Outcome::Done : Outcome::DoneNotDurable;
    }
}
} // namespace

Report copyReplacementsInto(const std::vector<Selection>& selections, const QString& folder)
{
    Report report;
    for (size_t i = 0; i < selections.size(); ++i) {
        const Selection& s = selections[i];
        if (s.replacementName.isEmpty())
            continue;
        const QString destination = folder + QDir::separator() + s.replacementName;
        ReportItem item{stepOf(int(i) + 1, s.replacementName, s.replacementPath, destination)};
        copyItem(item, nullptr);
        report.items.push_back(std::move(item));
    }
    return report;
}

Report stageFiles(const std::vector<StagedFile>& files, const QString& folder, std::vector<StagedFile>* copied,
    WorkProgress* progress)
{
    Report report;
    auto destinationOf = [&](const StagedFile& f) { return folder + QDir::separator() + f.name; };
    if (const FileResult made = createFolder(folder); !made) {
        for (const StagedFile& f : files)
            report.items.push_back({stepOf(f.selection, f.name, f.source, destinationOf(f)), Outcome::Failed, made});
        return report;
    }
    WorkProgress unwatched;
    WorkProgress& p = progress ? *progress : unwatched;
    qint64 bytes = 0;
    for (const StagedFile& f : files)
        bytes += QFileInfo(f.source).size();
    p.setTotal(int(files.size()), bytes);
    const size_t copiedBefore = copied ? copied->size() : 0;
    p.offload([&] {
        QHash<QString, int> copiedFrom; // name in the folder -> selection it came from
        for (const StagedFile& f : files) {
            if (p.cancelled())
                break;
            ReportItem item{stepOf(f.selection, f.name, f.source, destinationOf(f))};
            if (copiedFrom.contains(f.name)) {
                item.outcome = Outcome::SameName;
                item.others = {copiedFrom[f.name]};
            } else if (!isPlainRelativePath(f.name)) {
                item.outcome = Outcome::Failed;
                item.result = FileResult::failure(Say::tr("%1 is not a name inside %2").arg(f.name, folder));
            } else if (const FileResult made = f.name.contains(QLatin1Char('/'))
                           ? createFolders(folder, QFileInfo(f.name).path())
                           : FileResult::success();
                       !made) {
                item.outcome = Outcome::Failed;
                item.result = made;
            } else {
                copyItem(item, &p);
            }
            p.fileDone();
            if (item.done()) {
                copiedFrom.insert(f.name, f.selection);
                if (copied)
                    copied->push_back(f);
            } else if (item.result.cause == FileCause::Cancelled) {
                continue;
            }
            report.items.push_back(std::move(item));
        }
        if (!p.cancelled())
            return;
        // A cancelled run gathers nothing: what it copied goes again.
        for (auto it = copiedFrom.cbegin(); it != copiedFrom.cend(); ++it) {
            QFile::remove(folder + QDir::separator() + it.key());
            if (it.key().contains(QLatin1Char('/')))
                QDir(folder).rmpath(QFileInfo(it.key()).path()); // the folders it made, when empty
        }
        std::erase_if(report.items, [](const ReportItem& i) { return i.done(); });
        if (copied)
            copied->resize(copiedBefore);
    });
    return report;
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

} // namespace sonaplex
