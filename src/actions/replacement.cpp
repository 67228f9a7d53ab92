#include "actions/replacement.h"
#include "record/run.h"

#include "base/work_progress.h"

#include "base/content_hash.h"

#include "base/files.h"
#include "base/sound_names.h"
#include "actions/pack_plans.h"

#include <QFileInfo>

namespace sonaplex {

std::vector<std::vector<int>> sameGameFiles(const std::vector<Selection>& selections)
{
    std::vector<std::vector<int>> groups;
    std::vector<QString> ids(selections.size());
    for (size_t i = 0; i < selections.size(); ++i)
        if (!selections[i].gamePath.isEmpty())
            ids[i] = fileIdentity(selections[i].gamePath);
    std::vector<bool> grouped(selections.size(), false);
    for (size_t i = 0; i < selections.size(); ++i) {
        if (ids[i].isEmpty() || grouped[i])
            continue;
        std::vector<int> numbers{int(i) + 1};
        for (size_t j = i + 1; j < selections.size(); ++j)
            if (ids[j] == ids[i]) {
                numbers.push_back(int(j) + 1);
                grouped[j] = true;
            }
        if (numbers.size() > 1)
            groups.push_back(std::move(numbers));
    }
    return groups;
}

Plan switchPlan(const std::vector<Selection>& selections, const ReplacementCheck& check,
    const std::map<int, QString>& substitutes, const std::map<int, QString>& notConverted,
    const std::map<int, QString>& refused)
{
    Plan plan;
    plan.kind = RunKind::Switch;
    auto nameOf = [&](int n, const QString& name) { return StepName{StepName::Of::Selection, n, name}; };
    const std::vector<std::vector<int>> twice = sameGameFiles(selections);
    if (!twice.empty()) {
        for (const std::vector<int>& group : twice) {
            const Selection& s = selections[size_t(group.front() - 1)];
            plan.refused.push_back({Step{nameOf(group.front(), s.gameName), s.gamePath, s.replacementPath},
                Outcome::ChosenTwice, {}, std::vector<int>(group.begin() + 1, group.end())});
        }
        return plan;
    }
    auto refuse = [&](int n, const Selection& s, const QString& name, Outcome why, const QString& words = {}) {
        plan.refused.push_back(
            {Step{nameOf(n, name), s.gamePath, s.replacementPath}, why, words.isEmpty() ? FileResult{} : FileResult::failure(words)});
    };
    for (size_t i = 0; i < selections.size(); ++i) {
        const Selection& s = selections[i];
        const int n = int(i) + 1;
        const bool hasGame = !s.gameName.isEmpty();
        const bool hasReplacement = !s.replacementName.isEmpty();
        if (!hasGame && !hasReplacement)
            continue;
        if (!hasGame) {
            refuse(n, s, s.replacementName, Outcome::NoGameFile);
            continue;
        }
        if (!hasReplacement) {
            refuse(n, s, s.gameName, Outcome::NoReplacement);
            continue;
        }
        if (const auto no = refused.find(n); no != refused.end()) {
            refuse(n, s, s.gameName, Outcome::Refused, no->second);
            continue;
        }
        if (const auto no = notConverted.find(n); no != notConverted.end()) {
            refuse(n, s, s.gameName, Outcome::NotConverted, no->second);
            continue;
        }
        const auto substitute = substitutes.find(n);
        const QString source = substitute != substitutes.end() ? substitute->second : s.replacementPath;
        if (check) {
            if (const QString why = check(source); !why.isEmpty()) {
                refuse(n, s, s.gameName, Outcome::Refused, why);
                continue;
            }
        }
        // What the game reads under the file's name: a copy converted to it, or a file it takes.
        if (const SoundFitAnswer fit = soundFit(s.gamePath, source); fit.fit != SoundFit::Fits) {
            refuse(n, s, s.gameName, Outcome::Refused, fit.why);
            continue;
        }
        plan.steps.push_back({nameOf(n, s.gameName), s.gamePath, source,
            substitute != substitutes.end() ? s.replacementPath : QString()});
    }
    return plan;
}

Report replaceGameFiles(const std::vector<Selection>& selections, const ReplacementCheck& check,
    ReplacementRecord* record, const std::map<int, QString>& substitutes, WorkProgress* progress,
    const std::map<int, QString>& notConverted)
{
    const Plan plan = switchPlan(selections, check, substitutes, notConverted);
    if (!plan.refused.empty() && plan.refused.front().outcome == Outcome::ChosenTwice)
        return Report{plan.refused, {}}; // nothing runs
    return run(plan, record, progress);
}

Plan restorePlan(ReplacementRecord& record, const std::vector<ReplacedFile>& files, bool expectCurrent)
{
    Plan plan;
    plan.kind = RunKind::Restore;
    int n = 0;
    for (const ReplacedFile& f : files) {
        Step step{StepName{StepName::Of::File, ++n, f.gamePath}, f.gamePath, record.store().pathOf(f.originalHash)};
        if (expectCurrent)
            step.expectedHash = f.currentHash;
        if (f.state == GameFileState::Unreadable)
            plan.refused.push_back({step, Outcome::Failed, f.readFailure});
        else if (!record.store().holds(f.originalHash))
            plan.refused.push_back({step, Outcome::OriginalGone});
        else
            plan.steps.push_back(step);
    }
    return plan;
}

Report restoreOriginals(ReplacementRecord& record, const std::vector<ReplacedFile>& files, WorkProgress* progress)
{
    return run(restorePlan(record, files), &record, progress);
}

PreparedRun prepareRestore(ReplacementRecord& record, const std::vector<ReplacedFile>& files, bool expectCurrent)
{
    return {restorePlan(record, files, expectCurrent), &record};
}

bool undoneSince(const ReplacedFile& file)
{
    return file.lastHash != file.originalHash && !file.currentHash.isEmpty() && file.currentHash != file.lastHash
        && (file.state == GameFileState::Original || file.state == GameFileState::ChangedSince);
}

Plan reapplyPlan(ReplacementRecord& record, const std::vector<ReplacedFile>& files)
{
    Plan plan;
    plan.kind = RunKind::Reapply;
    PackMembers packs;
    int n = 0;
    for (const ReplacedFile& f : files) {
        if (f.state == GameFileState::Unreadable) {
            plan.refused.push_back({{StepName{StepName::Of::File, ++n, f.gamePath}, f.gamePath, {}}, Outcome::Failed, f.readFailure});
            continue;
        }
        if (!undoneSince(f))
            continue;
        Step step{StepName{StepName::Of::File, ++n, f.gamePath}, f.gamePath, record.store().pathOf(f.lastHash),
            f.replacedBy, f.currentHash};
        // A kept content is used only while it is whole; else the source, while it holds it still:
        // a sound from a pack is read from it again (checked against what was put there).
        const bool kept = record.store().holds(f.lastHash) && contentHash(step.source).hash == f.lastHash;
        if (!kept && PackMembers::names(f.replacedBy)) {
            PackMember member = packs.find(f.replacedBy, f.lastHash);
            if (!member.source) {
                plan.refused.push_back({step, Outcome::ReplacementGone, FileResult::failure(member.why, FileCause::NotFound)});
                continue;
            }
            step.source = f.replacedBy;
            step.recordedSource.clear();
            step.stream = std::move(member.source);
            step.sourceHash = f.lastHash;
        } else if (!kept) {
            step.source = f.replacedBy;
            step.recordedSource.clear();
            if (f.replacedBy.isEmpty() || contentHash(f.replacedBy).hash != f.lastHash) {
                plan.refused.push_back({step, Outcome::ReplacementGone});
                continue;
            }
        }
        plan.steps.push_back(step);
    }
    return plan;
}

PreparedRun prepareReplaceAgain(ReplacementRecord& record, const std::vector<ReplacedFile>& files, WorkProgress* progress)
{
    Plan plan;
    WorkProgress unwatched;
    (progress ? *progress : unwatched).offload([&] { plan = reapplyPlan(record, files); });
    return {std::move(plan), &record};
}

Plan undoPlan(ReplacementRecord& record, RunKind* undone)
{
    Plan plan;
    plan.kind = RunKind::Undo;
    record.settleUnfinished(); // a run of this one left unfinished is not passed over
    QString kind;
    const std::vector<RecordEntry> entries = record.lastRun(&plan.undoes, &kind);
    if (undone)
        *undone = runKindFrom(kind);
    int n = 0;
    for (const RecordEntry& e : entries) {
        Step step{StepName{StepName::Of::File, ++n, e.gamePath}, e.gamePath, record.store().pathOf(e.beforeHash)};
        // A file changed since the run (a game update, another tool) is left as it is: what it
        // holds now is no one's to overwrite unasked (restore asks, and keeps it).
        step.expectedHash = e.afterHash;
        if (e.beforeHash.isEmpty())
            plan.refused.push_back({step, Outcome::NothingBefore});
        else if (!record.store().holds(e.beforeHash))
            plan.refused.push_back({step, Outcome::BeforeGone});
        else
            plan.steps.push_back(step);
    }
    return plan;
}

PreparedRun prepareUndo(ReplacementRecord& record, RunKind* undone) { return {undoPlan(record, undone), &record}; }

Report undoLastRun(ReplacementRecord& record, WorkProgress* progress)
{
    return run(undoPlan(record), &record, progress);
}

} // namespace sonaplex
