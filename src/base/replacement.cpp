#include "base/replacement.h"

#include "base/content_hash.h"
#include "base/files.h"
#include "base/work_progress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QThread>

#include <algorithm>
#include <future>

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

namespace {

// Failures read in the order of the work, whichever step found them.
CopyRun inWorkOrder(CopyRun run)
{
    std::stable_sort(run.failures.begin(), run.failures.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char(' '), 1, 1).toInt() < b.section(QLatin1Char(' '), 1, 1).toInt();
    });
    return run;
}

qint64 sizeOfSources(const std::vector<Replacement>& work)
{
    qint64 bytes = 0;
    for (const Replacement& r : work)
        bytes += QFileInfo(r.source).size();
    return bytes;
}

// Puts each source over its game file: every new copy made (and, with a record, every
// original kept) before any game file changes; each change recorded before and after. The
// file work runs through `progress` (off this thread when a window offloads it); the record is
// used on this thread only. Until the first game file changes the run can be cancelled, and
// then changes none.
CopyRun runReplacements(std::vector<Replacement> work, ReplacementRecord* record, const QString& kind, qint64 undoes,
    CopyRun run, WorkProgress* progress)
{
    struct Step {
        Replacement what;
        PendingCopy copy;
        QString before, after;
        QString sourceStamp; // the source as it was when it was hashed
        bool keptNow = false;
        qint64 entry = 0;
    };
    WorkProgress unwatched;
    WorkProgress& p = progress ? *progress : unwatched;
    std::vector<Step> steps;
    std::vector<size_t> origin; // index into work of each step
    std::vector<bool> failed(work.size(), false);
    auto fail = [&](size_t i, const QString& why) {
        run.failures << work[i].label + QStringLiteral(": ") + why;
        failed[i] = true;
    };
    const bool recording = record != nullptr;
    // Every item not failed already fails for the same reason; nothing was changed.
    auto failRest = [&](const QString& why) {
        for (size_t i = 0; i < work.size(); ++i)
            if (!failed[i])
                fail(i, why);
        return inWorkOrder(std::move(run));
    };
    std::vector<std::future<HashResult>> gameHashes;
    // Drops what the run made before any game file changed: the new copies, and the originals
    // kept for this run only.
    auto dropPrepared = [&] {
        p.offload([&] {
            for (Step& step : steps)
                if (step.keptNow)
                    record->store().drop(step.before);
            steps.clear(); // the new copies go
            gameHashes.clear(); // after the hashing still running
        });
    };
    // A cancelled (or failed) run leaves every game file as it was, and says so of each one.
    auto cancelled = [&] {
        dropPrepared();
        return failRest(p.failed()
                ? QStringLiteral("not changed, because the run stopped: %1").arg(QString::fromStdString(p.failure()))
                : QStringLiteral("not changed, because the run was cancelled"));
    };
    // Runs take turns from reading what the game files hold to their last rename, so that what
    // a run records as overwritten is what it overwrote.
    struct Turn {
        ReplacementRecord* record = nullptr;
        ~Turn()
        {
            if (record)
                record->releaseTurn();
        }
    } turn;
    p.setTotal(int(work.size()), sizeOfSources(work));
    if (recording) {
        if (!record->tryTakeTurn()) {
            p.offload([&] {
                while (!p.cancelled() && !record->tryTakeTurn())
                    QThread::msleep(50);
            });
            if (p.cancelled())
                return cancelled();
        }
        turn.record = record;
        // Nothing changes unless the record can say so: every item fails with the record's cause.
        if (const FileResult usable = record->ready(); !usable)
            return failRest(QStringLiteral("not replaced, because %1").arg(usable.error));
        run.notice = record->takeNotice();
    }
    // What each game file holds is hashed on a thread of its own while the copies are made and
    // written out; what each source holds is hashed as it is copied. So keeping originals costs
    // little time.
    gameHashes.resize(work.size());
    std::vector<QString> sourceStamps(work.size()), sourceHashes(work.size());
    if (recording)
        for (size_t i = 0; i < work.size(); ++i) {
            sourceStamps[i] = ReplacementRecord::stampOf(work[i].source);
            sourceHashes[i] = record->knownHash(work[i].source);
            if (!QFileInfo::exists(work[i].gamePath))
                continue;
            if (const QString known = record->knownHash(work[i].gamePath); !known.isEmpty()) {
                std::promise<HashResult> ready;
                ready.set_value({known, {}});
                gameHashes[i] = ready.get_future();
            } else {
                gameHashes[i] = std::async(std::launch::async, contentHash, work[i].gamePath);
            }
        }

    std::vector<bool> keep;
    p.offload([&] {
        for (size_t i = 0; i < work.size() && !p.cancelled(); ++i) {
            Step step{work[i], {}, {}, {}, {}, false, 0};
            ContentHasher hasher;
            const bool hashing = recording && sourceHashes[i].isEmpty();
            const FileResult prepared
                = step.copy.prepare(work[i].source, work[i].gamePath, hashing ? &hasher : nullptr, &p);
            p.fileDone();
            if (!prepared) {
                if (prepared.cause != FileCause::Cancelled)
                    fail(i, prepared.error);
                continue;
            }
            if (hashing)
                sourceHashes[i] = hasher.digest();
            steps.push_back(std::move(step));
            origin.push_back(i);
        }
        if (p.cancelled())
            return;
        for (Step& step : steps)
            step.copy.startWriting();
        keep.assign(steps.size(), true);
        for (size_t k = 0; k < steps.size(); ++k) {
            if (const FileResult r = steps[k].copy.flush(); !r) {
                fail(origin[k], r.error);
                keep[k] = false;
            }
        }
    });
    if (p.cancelled())
        return cancelled();
    if (recording) {
        p.offload([&] {
            for (size_t k = 0; k < steps.size() && !p.cancelled(); ++k) {
                std::future<HashResult>& game = gameHashes[origin[k]];
                const HashResult before = game.valid() ? game.get() : HashResult{};
                if (!keep[k])
                    continue;
                Step& step = steps[k];
                if (!before.result) {
                    fail(origin[k], before.result.error);
                    keep[k] = false;
                    continue;
                }
                step.after = sourceHashes[origin[k]];
                step.before = before.hash;
                step.sourceStamp = sourceStamps[origin[k]];
                if (step.before.isEmpty())
                    continue; // a new game file: nothing to keep
                // What the game file holds is kept, durably, before anything replaces it.
                step.keptNow = !record->store().holds(step.before);
                if (const FileResult kept = record->store().keep(step.what.gamePath, step.before); !kept) {
                    step.keptNow = false;
                    fail(origin[k],
                        QStringLiteral("not replaced, because its present content could not be kept for "
                                       "undo (%1)")
                            .arg(kept.error));
                    keep[k] = false;
                }
            }
            for (std::future<HashResult>& game : gameHashes) // those of files whose copy failed still run
                if (game.valid())
                    game.wait();
        });
        if (p.cancelled())
            return cancelled();
    }
    p.setCancellable(false); // from here on game files change
    {
        std::vector<Step> kept;
        for (size_t k = 0; k < steps.size(); ++k)
            if (keep[k])
                kept.push_back(std::move(steps[k]));
        steps = std::move(kept);
    }
    // What is about to happen reaches the record, in one flush, before any game file changes;
    // what happened follows, in one more. A kill in between is settled at the next start.
    qint64 runId = 0;
    if (recording && !steps.empty()) {
        FileResult written = record->begin();
        if (written) {
            runId = record->beginRun(kind, undoes);
            bool all = runId != 0;
            for (Step& step : steps) {
                if (!all)
                    break;
                const bool substituted = !step.what.recordedSource.isEmpty();
                step.entry = record->intend(runId, step.what.gamePath, step.before, step.after,
                    substituted ? step.what.recordedSource : step.what.source);
                all = step.entry != 0;
                // The hash is what the copy holds; it is remembered for the source only when the
                // source did not change while it was copied. Before a swap gives its path another file.
                step.sourceStamp
                    = step.sourceStamp == ReplacementRecord::stampOf(step.what.source) ? step.sourceStamp : QString();
                if (!step.sourceStamp.isEmpty() && !substituted) // a substitute is a passing file
                    record->remember(step.what.source, step.after);
            }
            if (all) {
                written = record->end();
            } else {
                // A statement failed: none of the intents is kept, and the record says why.
                written = record->lastWriteFailure();
                record->abandon();
            }
        }
        if (!written) {
            // Not one game file changes: its intent is not durably in the record.
            dropPrepared();
            return failRest(QStringLiteral("not replaced, because %1").arg(written.error));
        }
    }
    std::vector<bool> done(steps.size(), false), reported(steps.size(), false);
    p.offload([&] {
        QStringList folders;
        for (size_t k = 0; k < steps.size(); ++k) {
            Step& step = steps[k];
            if (const FileResult r = step.copy.commit(false); r) {
                ++run.copied;
                done[k] = true;
                if (!step.copy.folder().isEmpty() && !folders.contains(step.copy.folder()))
                    folders << step.copy.folder();
            } else {
                if (step.keptNow)
                    record->store().drop(step.before);
                run.failures << step.what.label + QStringLiteral(": ") + r.error;
                reported[k] = true;
            }
        }
        for (const QString& folder : folders) {
            if (const FileResult synced = syncFolder(folder); !synced)
                for (size_t k = 0; k < steps.size(); ++k)
                    if (done[k] && steps[k].copy.folder() == folder)
                        run.unsure << steps[k].what.label + QStringLiteral(": ") + synced.error;
        }
    });
    if (p.failed()) // the renames stopped midway: each file not put in place is named
        for (size_t k = 0; k < steps.size(); ++k)
            if (!done[k] && !reported[k])
                run.failures << steps[k].what.label
                        + QStringLiteral(": not replaced: %1").arg(QString::fromStdString(p.failure()));
    if (runId) {
        // A failure here leaves the entries unfinished: the next run, or the next start, settles
        // them by what the game files hold.
        (void)record->begin();
        for (size_t k = 0; k < steps.size(); ++k) {
            if (done[k]) {
                record->happened(steps[k].entry);
                if (!steps[k].sourceStamp.isEmpty())
                    record->remember(steps[k].what.gamePath, steps[k].after);
            } else {
                record->didNotHappen(steps[k].entry);
            }
        }
        if (!record->end()) {
            record->abandon();
            record->settleUnfinished(); // once more, by what the game files hold
        }
    }
    return inWorkOrder(std::move(run));
}

} // namespace

CopyRun replaceGameFiles(const std::vector<Selection>& selections, const ReplacementCheck& check,
    ReplacementRecord* record, const std::map<int, QString>& substitutes, WorkProgress* progress,
    const std::map<int, QString>& refused)
{
    CopyRun run;
    const QStringList clashes = sameGameFiles(selections);
    if (!clashes.isEmpty()) {
        for (const QString& c : clashes)
            run.failures << c + QStringLiteral(": the same game file is chosen more than once");
        return run;
    }
    std::vector<Replacement> work;
    auto fail = [&](int n, const QString& name, const QString& why) {
        run.failures << selectionLabel(n, name) + QStringLiteral(": ") + why;
    };
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
        if (const auto no = refused.find(n); no != refused.end()) {
            fail(n, s.gameName, no->second);
            continue;
        }
        const auto substitute = substitutes.find(n);
        const QString source = substitute != substitutes.end() ? substitute->second : s.replacementPath;
        if (check) {
            if (const QString why = check(source); !why.isEmpty()) {
                fail(n, s.gameName, why);
                continue;
            }
        }
        work.push_back({selectionLabel(n, s.gameName), s.gamePath, source,
            substitute != substitutes.end() ? s.replacementPath : QString()});
    }
    return runReplacements(std::move(work), record, QStringLiteral("switch"), 0, std::move(run), progress);
}

CopyRun runRecordedReplacements(
    std::vector<Replacement> work, ReplacementRecord* record, const QString& kind, WorkProgress* progress)
{
    return runReplacements(std::move(work), record, kind, 0, {}, progress);
}

CopyRun restoreOriginals(ReplacementRecord& record, const std::vector<ReplacedFile>& files, WorkProgress* progress)
{
    CopyRun run;
    std::vector<Replacement> work;
    int n = 0;
    for (const ReplacedFile& f : files) {
        const QString label = QStringLiteral("File %1 (%2)").arg(++n).arg(f.gamePath);
        if (!record.store().holds(f.originalHash))
            run.failures << label + QStringLiteral(": its original is no longer kept");
        else
            work.push_back({label, f.gamePath, record.store().pathOf(f.originalHash)});
    }
    return runReplacements(std::move(work), &record, QStringLiteral("restore"), 0, std::move(run), progress);
}

CopyRun undoLastRun(ReplacementRecord& record, WorkProgress* progress)
{
    qint64 runId = 0;
    record.settleUnfinished(); // a run of this one left unfinished is not passed over
    const std::vector<RecordEntry> entries = record.lastRun(&runId);
    CopyRun run;
    std::vector<Replacement> work;
    int n = 0;
    for (const RecordEntry& e : entries) {
        const QString label = QStringLiteral("File %1 (%2)").arg(++n).arg(e.gamePath);
        if (e.beforeHash.isEmpty())
            run.failures << label + QStringLiteral(": it did not exist before, so there is nothing to put back");
        else if (!record.store().holds(e.beforeHash))
            run.failures << label + QStringLiteral(": what it held before is no longer kept");
        else
            work.push_back({label, e.gamePath, record.store().pathOf(e.beforeHash)});
    }
    return runReplacements(std::move(work), &record, QStringLiteral("undo"), runId, std::move(run), progress);
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

CopyRun stageFiles(const std::vector<StagedFile>& files, const QString& folder, std::vector<StagedFile>* copied,
    WorkProgress* progress)
{
    CopyRun run;
    if (const FileResult made = createFolder(folder); !made) {
        for (const StagedFile& f : files)
            run.failures << selectionLabel(f.selection, f.name) + QStringLiteral(": ") + made.error;
        return run;
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
            const FileResult r = copiedFrom.contains(f.name)
                ? FileResult::failure(
                    QStringLiteral("not copied, Selection %1 has a file of the same name").arg(copiedFrom[f.name]))
                : copyReplace(f.source, folder + QDir::separator() + f.name, &p);
            p.fileDone();
            if (r) {
                ++run.copied;
                copiedFrom.insert(f.name, f.selection);
                if (copied)
                    copied->push_back(f);
            } else if (r.cause != FileCause::Cancelled) {
                run.failures << selectionLabel(f.selection, f.name) + QStringLiteral(": ") + r.error;
            }
        }
        if (!p.cancelled())
            return;
        // A cancelled run gathers nothing: what it copied goes again.
        for (auto it = copiedFrom.cbegin(); it != copiedFrom.cend(); ++it)
            QFile::remove(folder + QDir::separator() + it.key());
        run.copied = 0;
        if (copied)
            copied->resize(copiedBefore);
    });
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
    QString text;
    if (!run.failures.isEmpty())
        text = heading + QStringLiteral("\n\n") + run.failures.join(QLatin1Char('\n'));
    if (!run.unsure.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n\n"))
            + QStringLiteral("These were replaced, but the change may not survive a crash or a power cut:\n\n")
            + run.unsure.join(QLatin1Char('\n'));
    return text;
}

} // namespace sonaplex
