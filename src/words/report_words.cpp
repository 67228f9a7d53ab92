#include "words/report_words.h"

#include "base/sound_names.h"

#include <QCoreApplication>
#include <QDir>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReportWords)
};

QString groupLabel(const std::vector<int>& numbers, const QString& name)
{
    QStringList first;
    for (size_t i = 0; i + 1 < numbers.size(); ++i)
        first << QString::number(numbers[i]);
    return Say::tr("Selections %1 and %2 (%3)")
        .arg(first.join(QStringLiteral(", ")), QString::number(numbers.back()), name);
}
} // namespace

QString stepLabel(const ReportItem& item)
{
    const StepName& n = item.step.name;
    if (item.outcome == Outcome::ChosenTwice) {
        std::vector<int> numbers{n.number};
        numbers.insert(numbers.end(), item.others.begin(), item.others.end());
        return groupLabel(numbers, n.name);
    }
    if (n.of == StepName::Of::File)
        return Say::tr("File %1 (%2)").arg(n.number).arg(n.name);
    return n.name.isEmpty() ? Say::tr("Selection %1").arg(n.number)
                            : Say::tr("Selection %1 (%2)").arg(n.number).arg(n.name);
}

QString outcomeWords(const ReportItem& item)
{
    const QString& cause = item.result.error;
    switch (item.outcome) {
    case Outcome::Done:
        return {};
    case Outcome::DoneNotDurable:
    case Outcome::Failed:
    case Outcome::Refused:
        return cause;
    case Outcome::NotConverted:
        return Say::tr("not replaced, because it could not be converted (%1)").arg(cause);
    case Outcome::NoGameFile:
        return Say::tr("no game file was chosen");
    case Outcome::NoReplacement:
        return Say::tr("no replacement file was chosen");
    case Outcome::ChosenTwice:
        return Say::tr("the same game file is chosen more than once");
    case Outcome::SameName:
        return Say::tr("not copied, Selection %1 has a file of the same name")
            .arg(item.others.empty() ? 0 : item.others.front());
    case Outcome::OriginalGone:
        return Say::tr("its original is no longer kept");
    case Outcome::ReplacementGone: // a cause says why its source no longer holds it (a pack gone)
        return cause.isEmpty() ? Say::tr("what Sonaplex put there is no longer kept, and its source no longer holds it")
                               : Say::tr("what Sonaplex put there is not found again: %1").arg(cause);
    case Outcome::NothingBefore:
        return Say::tr("it did not exist before, so there is nothing to put back");
    case Outcome::BeforeGone:
        return Say::tr("what it held before is no longer kept");
    case Outcome::NotAsExpected:
        return Say::tr("not changed, because it no longer holds what it held when it was looked at");
    case Outcome::AlreadyInPlace:
        return Say::tr("it holds this already: nothing was changed");
    case Outcome::NotKept:
        return Say::tr("not replaced, because its present content could not be kept for undo (%1)").arg(cause);
    case Outcome::RecordUnusable:
        return Say::tr("not replaced, because %1").arg(cause);
    case Outcome::Cancelled:
        return Say::tr("not changed, because the run was cancelled");
    case Outcome::Stopped:
        return Say::tr("not changed, because the run stopped: %1").arg(cause);
    case Outcome::StoppedMidway:
        return Say::tr("not replaced: %1").arg(cause);
    }
    return cause;
}

QString reportLine(const ReportItem& item) { return stepLabel(item) + QStringLiteral(": ") + outcomeWords(item); }

QStringList failureLines(const Report& report)
{
    QStringList lines;
    for (const ReportItem* i : report.notDone())
        lines << reportLine(*i);
    return lines;
}

QString failureReport(const QString& heading, const Report& report, const QString& notDurableHeading)
{
    QString text;
    if (const QStringList failed = failureLines(report); !failed.isEmpty())
        text = heading + QStringLiteral("\n\n") + failed.join(QLatin1Char('\n'));
    QStringList unsure;
    for (const ReportItem* i : report.notDurable())
        unsure << reportLine(*i);
    if (!unsure.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n"))
            + (notDurableHeading.isEmpty()
                    ? Say::tr("These were replaced, but the change may not survive a crash or a power cut:")
                    : notDurableHeading)
            + QStringLiteral("\n\n") + unsure.join(QLatin1Char('\n'));
    return text;
}

QString recordProblemWords(const RecordProblem& p)
{
    switch (p.kind) {
    case RecordProblem::Kind::None:
        return {};
    case RecordProblem::Kind::CannotOpen:
        return Say::tr("The record of replaced game files (%1) cannot be opened: %2. Nothing can be replaced, "
                       "restored or undone until it can; the record itself is kept as it is.")
            .arg(p.path, p.cause);
    case RecordProblem::Kind::MovedAside:
        if (p.salvaged > 0)
            return Say::tr("The record of replaced game files was damaged (%1). It was moved aside to %2 and "
                           "a new record was started with the %3 replacement(s) that could still be read "
                           "from it: they can be restored from the restore window. The originals of any "
                           "others are still kept in %4.")
                .arg(p.cause, p.movedTo)
                .arg(p.salvaged)
                .arg(p.originals);
        return Say::tr("The record of replaced game files was damaged (%1). It was moved aside to %2 and a new "
                       "record was started: nothing could be read from the old one, so files replaced before "
                       "cannot be restored from the restore window, but their originals are still kept in %3.")
            .arg(p.cause, p.movedTo, p.originals);
    case RecordProblem::Kind::CannotReplace:
        return Say::tr("The record of replaced game files in %1 is damaged (%2) and could not be replaced by a "
                       "new one (%3). Nothing can be replaced, restored or undone until it can.")
            .arg(p.path, p.cause, p.newCause);
    case RecordProblem::Kind::ReadWriteFailed:
        return Say::tr("The record of replaced game files (%1) could not be read or written: %2.").arg(p.path, p.cause);
    case RecordProblem::Kind::ReplacedUnderUs:
        return Say::tr("The record of replaced game files (%1) was deleted or replaced by another file while "
                       "Sonaplex was running. Sonaplex now keeps its record in the file at that path; what "
                       "was recorded since the change may be missing from it.")
            .arg(p.path);
    }
    return {};
}

QString setRefusalLine(const SetRefusal& r)
{
    using Why = SetRefusal::Why;
    QString why;
    switch (r.why) {
    case Why::NotAManifestLine:
        why = Say::tr("not a line of a backup set's list");
        break;
    case Why::NameLeavesSet:
        why = Say::tr("its name in the set leaves the set's folder");
        break;
    case Why::NotPlainGamePath:
        why = Say::tr("not a plain absolute path of a game file");
        break;
    case Why::NamedTwice:
        why = Say::tr("named twice");
        break;
    case Why::NotSoundKind:
        why = Say::tr("only sound files (.%1) are restored").arg(soundSuffixes().join(QStringLiteral(", .")));
        break;
    case Why::SetFileOfOtherKind:
        why = Say::tr("its file in the set is not a .%1 file").arg(r.detail);
        break;
    case Why::NotInSet:
        why = Say::tr("its file is not in the set");
        break;
    case Why::NameUnreadable:
        why = r.detail;
        break;
    case Why::FolderMissingOrLinked:
        why = Say::tr("its folder is missing or is reached through a symbolic link");
        break;
    case Why::SymbolicLink:
        why = Say::tr("it is a symbolic link");
        break;
    case Why::NotRegularFile:
        why = Say::tr("it is not a regular file");
        break;
    case Why::NoFolderKnown:
        why = Say::tr("no such file, and Sonaplex has replaced no file in its folder, so none is created there");
        break;
    }
    const QString label = r.line > 0 ? Say::tr("Line %1 (%2)").arg(r.line).arg(r.what) : r.what;
    return label + QStringLiteral(": ") + why;
}

QString restoredWords(int files)
{
    return Say::tr("%n game file(s) were put back as they were originally.", nullptr, int(files));
}

QString replacedAgainWords(int files)
{
    return Say::tr("%n game file(s) were replaced again. Undo takes this back.", nullptr, int(files));
}

QString changedByUpdateWords(int files, const QString& game)
{
    return files == 1 ? Say::tr("1 replaced file of %1 was changed, probably by an update.").arg(game)
                      : Say::tr("%1 replaced files of %2 were changed, probably by an update.").arg(files).arg(game);
}

QString nothingToUndoWords() { return Say::tr("There is no SWITCH to undo."); }

QString undoneRunName(RunKind undone)
{
    switch (undone) {
    case RunKind::Switch:
        return QStringLiteral("SWITCH");
    case RunKind::Reapply:
        return Say::tr("Replace Again");
    case RunKind::Restore:
    case RunKind::Undo:
        break;
    }
    return Say::tr("restore");
}

QString undoneWords(RunKind undone, int files)
{
    return Say::tr("The last %1 was undone: %n game file(s) hold again what they held before it.", nullptr, files)
        .arg(undoneRunName(undone));
}

QStringList sameGameFileLines(const std::vector<std::vector<int>>& groups, const std::vector<QString>& names)
{
    QStringList lines;
    for (const std::vector<int>& g : groups)
        lines << groupLabel(g, names.at(size_t(g.front() - 1)));
    return lines;
}

} // namespace sonaplex

namespace sonaplex {

QString stateWords(GameFileState state)
{
    switch (state) {
    case GameFileState::Replaced:
        return Say::tr("replaced");
    case GameFileState::Original:
        return Say::tr("original");
    case GameFileState::ChangedSince:
        return Say::tr("changed since");
    case GameFileState::Missing:
        return Say::tr("missing");
    case GameFileState::NotRead:
        return Say::tr("not read");
    case GameFileState::Unreadable:
        return Say::tr("cannot be read");
    }
    return {};
}

QString stateKeyword(GameFileState state)
{
    switch (state) {
    case GameFileState::Replaced:
        return QStringLiteral("replaced");
    case GameFileState::Original:
        return QStringLiteral("original");
    case GameFileState::ChangedSince:
        return QStringLiteral("changed");
    case GameFileState::Missing:
        return QStringLiteral("missing");
    case GameFileState::NotRead:
        return QStringLiteral("not-read");
    case GameFileState::Unreadable:
        return QStringLiteral("unreadable");
    }
    return {};
}

QString outcomeKeyword(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return QStringLiteral("done");
    case Outcome::DoneNotDurable:
        return QStringLiteral("not-durable");
    case Outcome::Failed:
        return QStringLiteral("failed");
    case Outcome::Refused:
        return QStringLiteral("refused");
    case Outcome::NotConverted:
        return QStringLiteral("not-converted");
    case Outcome::NoGameFile:
        return QStringLiteral("no-game-file");
    case Outcome::NoReplacement:
        return QStringLiteral("no-replacement");
    case Outcome::ChosenTwice:
        return QStringLiteral("chosen-twice");
    case Outcome::SameName:
        return QStringLiteral("same-name");
    case Outcome::OriginalGone:
        return QStringLiteral("original-gone");
    case Outcome::ReplacementGone:
        return QStringLiteral("replacement-gone");
    case Outcome::NothingBefore:
        return QStringLiteral("nothing-before");
    case Outcome::BeforeGone:
        return QStringLiteral("before-gone");
    case Outcome::NotAsExpected:
        return QStringLiteral("changed-meanwhile");
    case Outcome::AlreadyInPlace:
        return QStringLiteral("already-in-place");
    case Outcome::NotKept:
        return QStringLiteral("not-kept");
    case Outcome::RecordUnusable:
        return QStringLiteral("record-unusable");
    case Outcome::Cancelled:
        return QStringLiteral("cancelled");
    case Outcome::Stopped:
    case Outcome::StoppedMidway:
        return QStringLiteral("stopped");
    }
    return {};
}

QString causeKeyword(FileCause cause)
{
    switch (cause) {
    case FileCause::None:
        return {};
    case FileCause::NotFound:
        return QStringLiteral("not-found");
    case FileCause::Exists:
        return QStringLiteral("exists");
    case FileCause::ReadOnly:
        return QStringLiteral("read-only");
    case FileCause::NoPermission:
        return QStringLiteral("no-permission");
    case FileCause::NoSpace:
        return QStringLiteral("no-space");
    case FileCause::NotAFile:
        return QStringLiteral("not-a-file");
    case FileCause::Cancelled:
        return QStringLiteral("cancelled");
    case FileCause::Other:
        return QStringLiteral("other");
    }
    return {};
}

QString packTitle(const PackManifest& pack)
{
    QString title = pack.name.isEmpty() ? Say::tr("A sound pack") : pack.name;
    if (!pack.version.isEmpty())
        title += QStringLiteral(" (%1)").arg(pack.version);
    if (!pack.author.isEmpty())
        title += Say::tr(" by %1").arg(pack.author);
    if (!pack.gameName.isEmpty())
        title += Say::tr(", for %1").arg(pack.gameName);
    return title;
}

QString packRefusalWords(const PackRefusal& refused)
{
    return refused.entry.isEmpty() ? refused.why : QStringLiteral("%1: %2").arg(refused.entry, refused.why);
}

QString packStateWords(PackState state)
{
    switch (state) {
    case PackState::Original:
        return Say::tr("the original the pack replaces");
    case PackState::Other:
        return Say::tr("another file than the pack expects");
    case PackState::Applied:
        return Say::tr("already this sound");
    case PackState::Replaced:
        return Say::tr("another replacement");
    case PackState::Missing:
        return Say::tr("no such game file");
    }
    return {};
}

QString packActionWords(PackAction action)
{
    switch (action) {
    case PackAction::Replace:
        return Say::tr("replace");
    case PackAction::Nothing:
        return Say::tr("nothing to do");
    case PackAction::Keep:
        return Say::tr("keep the other replacement");
    case PackAction::Skip:
        return Say::tr("skip: a pack adds no files");
    }
    return {};
}

QString packStateKeyword(PackState state)
{
    switch (state) {
    case PackState::Original:
        return QStringLiteral("original");
    case PackState::Other:
        return QStringLiteral("other");
    case PackState::Applied:
        return QStringLiteral("applied");
    case PackState::Replaced:
        return QStringLiteral("replaced");
    case PackState::Missing:
        return QStringLiteral("missing");
    }
    return {};
}

QString packActionKeyword(PackAction action)
{
    switch (action) {
    case PackAction::Replace:
        return QStringLiteral("replace");
    case PackAction::Nothing:
        return QStringLiteral("nothing");
    case PackAction::Keep:
        return QStringLiteral("keep");
    case PackAction::Skip:
        return QStringLiteral("skip");
    }
    return {};
}

QString packForAnotherGameWords(const QString& game, const QString& folder)
{
    return Say::tr("the pack is for %1, and none of its files are in %2. Nothing was changed.")
        .arg(game.isEmpty() ? Say::tr("another game") : game, QDir::toNativeSeparators(folder));
}

QString packAppliedWords(int files)
{
    return Say::tr("%n game file(s) were replaced from the pack.", nullptr, int(files));
}

QString packRemovedWords(int files)
{
    return Say::tr("%n game file(s) were put back as they were before the pack.", nullptr, int(files));
}

} // namespace sonaplex
