#include "actions/backup_sets.h"

#include "base/work_progress.h"
#include "base/sound_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(BackupSets)
};
} // namespace

std::vector<StagedFile> originalsFor(const std::vector<StagedFile>& gameFiles, ReplacementRecord* record,
    WorkProgress* progress, QStringList* notes)
{
    if (!record || !record->isOpen())
        return gameFiles;
    // The record's files among them, with what each holds now.
    std::vector<ReplacedFile> known;
    QSet<QString> folders, paths;
    for (const StagedFile& f : gameFiles) {
        folders.insert(QFileInfo(f.source).absolutePath());
        paths.insert(f.source);
    }
    for (const QString& folder : folders)
        for (ReplacedFile& f : record->knownIn(folder))
            if (paths.contains(f.gamePath))
                known.push_back(std::move(f));
    const std::vector<QString> remembered = record->rememberedHashes(known);
    WorkProgress unwatched;
    (progress ? *progress : unwatched).offload([&] { ReplacementRecord::findStates(known, remembered); });
    const OriginalStore& store = record->store();
    QHash<QString, const ReplacedFile*> byPath;
    for (const ReplacedFile& f : known)
        byPath.insert(f.gamePath, &f);
    std::vector<StagedFile> files;
    for (StagedFile f : gameFiles) {
        const ReplacedFile* r = byPath.value(f.source);
        if (r && r->state == GameFileState::Replaced && r->lastHash != r->originalHash) {
            if (store.holds(r->originalHash)) {
                f.origin = f.source;
                f.source = store.pathOf(r->originalHash);
                *notes << Say::tr("%1: the original Sonaplex kept, not the current replacement").arg(f.name);
            } else {
                *notes << Say::tr("%1: the current replacement, as its original is no longer kept").arg(f.name);
            }
        } else if (r && r->state == GameFileState::ChangedSince) {
            *notes << Say::tr("%1: as it is now; it was changed since Sonaplex replaced it, so it may not be the "
                              "original")
                          .arg(f.name);
        }
        files.push_back(std::move(f));
    }
    return files;
}

Gathered BackupGathering::gather(ReplacementRecord* record, const QString& staging, WorkProgress& progress) const
{
    Gathered g;
    const std::vector<StagedFile> files = originalsFor(files_, record, &progress, &g.notes);
    std::vector<StagedFile> copied;
    if (!progress.cancelled())
        g.run = stageFiles(files, staging, &copied, &progress);
    if (progress.cancelled()) {
        g.cancelled = true; // a cancelled copy removed what it copied
        return g;
    }
    progress.offload([&] { g.noted = writeManifest(staging, copied); });
    if (copied.empty())
        (void)emptyFolder(staging);
    return g;
}

Gathered SetGathering::gather(const QString& staging, WorkProgress& progress) const
{
    Gathered g;
    g.run = stageFiles(files_, staging, nullptr, &progress);
    if (progress.cancelled()) {
        g.cancelled = true;
        return g;
    }
    if (g.holdsFiles())
        g.noted = writeReplacementSetNote(staging);
    else
        (void)emptyFolder(staging);
    return g;
}

namespace {
QString kindOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }
bool isSoundKind(const QString& kind) { return soundSuffixes().contains(kind); }

// Why `gamePath` may not be written from a set (`refusal`), or nothing; fills in what is
// unusual about it.
std::optional<SetRefusal::Why> targetProblem(
    ReplacementRecord* record, const QString& source, SetTarget& target, bool fromManifest, QString* detail)
{
    using Why = SetRefusal::Why;
    const QString& gamePath = target.gamePath;
    const QString kind = kindOf(gamePath);
    if (!isSoundKind(kind))
        return Why::NotSoundKind;
    if (kindOf(source) != kind) {
        *detail = kind;
        return Why::SetFileOfOtherKind;
    }
    if (!QFileInfo(source).isFile() || QFileInfo(source).isSymLink())
        return Why::NotInSet;
    if (const QString why = undecodableName(gamePath); !why.isEmpty()) {
        *detail = why;
        return Why::NameUnreadable;
    }
    const QFileInfo info(gamePath);
    const QString folder = info.absolutePath();
    if (QFileInfo(folder).canonicalFilePath() != QDir::cleanPath(folder))
        return Why::FolderMissingOrLinked;
    if (info.isSymLink())
        return Why::SymbolicLink;
    const bool known = record && record->isOpen() && !record->knownIn(folder).empty();
    if (info.exists()) {
        if (!info.isFile())
            return Why::NotRegularFile;
    } else {
        if (fromManifest && !known)
            return Why::NoFolderKnown;
        target.newFile = true;
    }
    target.outsideGameFolders = !known;
    return std::nullopt;
}
} // namespace

SetPlan planSetRestore(ReplacementRecord* record, const QString& setFolder, const QString& intoFolder)
{
    SetPlan plan;
    QSet<QString> seen;
    auto consider = [&](const QString& label, const QString& gamePath, const QString& source, bool fromManifest) {
        SetTarget target{gamePath, source};
        QString detail;
        const std::optional<SetRefusal::Why> why = seen.contains(gamePath)
            ? SetRefusal::Why::NamedTwice
            : targetProblem(record, source, target, fromManifest, &detail);
        if (why) {
            plan.refused.push_back({0, label, *why, detail});
            return;
        }
        seen.insert(gamePath);
        plan.targets.push_back(target);
    };
    // A name with folders stays inside the set: no folder on its way is a link out of it.
    const QString setItself = QFileInfo(setFolder).canonicalFilePath();
    auto leavesSet = [&](const QString& name) {
        const QString folders = QFileInfo(name).path();
        return folders != QLatin1String(".")
            && QFileInfo(setFolder + QLatin1Char('/') + folders).canonicalFilePath() != setItself + QLatin1Char('/') + folders;
    };
    if (hasManifest(setFolder)) {
        for (const ManifestLine& l : readManifest(setFolder, &plan.refused)) {
            const QString label = QStringLiteral("%1 (%2)").arg(l.name, l.gamePath);
            if (leavesSet(l.name))
                plan.refused.push_back({0, label, SetRefusal::Why::NameLeavesSet});
            else
                consider(label, l.gamePath, setFolder + QLatin1Char('/') + l.name, true);
        }
    } else {
        // Files in folders of the set go into the same folders of the game folder.
        for (const QString& name : filesBelow(setFolder))
            if (!leavesSet(name))
                consider(name, intoFolder + QLatin1Char('/') + name, setFolder + QLatin1Char('/') + name, false);
    }
    return plan;
}

namespace {
// The plan of writing a set: one restore.
Plan restorePlan(const SetPlan& set)
{
    Plan plan;
    plan.kind = RunKind::Restore;
    int n = 0;
    for (const SetTarget& t : set.targets)
        plan.steps.push_back({StepName{StepName::Of::File, ++n, t.gamePath}, t.gamePath, t.source});
    return plan;
}

} // namespace

SetRestore prepareSetRestore(ReplacementRecord* record, const QString& setFolder, const QString& intoFolder)
{
    SetPlan shown = planSetRestore(record, setFolder, intoFolder);
    PreparedRun run{restorePlan(shown), record};
    return {std::move(shown), std::move(run)};
}

} // namespace sonaplex
