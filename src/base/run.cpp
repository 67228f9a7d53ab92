#include "base/run.h"

#include "base/content_hash.h"
#include "base/replacement_record.h"
#include "base/work_progress.h"

#include <QFileInfo>
#include <QThread>

#include <future>

namespace sonaplex {

namespace {

qint64 sizeOfSources(const std::vector<Step>& steps)
{
    qint64 bytes = 0;
    for (const Step& s : steps)
        bytes += QFileInfo(s.source).size();
    return bytes;
}

} // namespace

Report run(const Plan& plan, ReplacementRecord* record, WorkProgress* progress)
{
    // A step on its way: its new copy, and what the game file held and will hold.
    struct Copy {
        size_t step; // index into plan.steps
        PendingCopy copy;
        QString before, after;
        QString sourceStamp; // the source as it was when it was hashed
        bool keptNow = false;
        qint64 entry = 0;
    };
    const std::vector<Step>& steps = plan.steps;
    WorkProgress unwatched;
    WorkProgress& p = progress ? *progress : unwatched;
    std::vector<Copy> copies;
    // Each step's item; `settled` once its outcome is known.
    std::vector<ReportItem> items(steps.size());
    std::vector<bool> settled(steps.size(), false);
    for (size_t i = 0; i < steps.size(); ++i)
        items[i].step = steps[i];
    auto settle = [&](size_t i, Outcome outcome, FileResult result = {}) {
        items[i].outcome = outcome;
        items[i].result = std::move(result);
        settled[i] = true;
    };
    Report report;
    auto finished = [&] {
        report.items = plan.refused;
        for (size_t i = 0; i < steps.size(); ++i) {
            if (!settled[i]) // never claimed done by default
                settle(i, Outcome::StoppedMidway, FileResult::failure(QStringLiteral("the run ended before it")));
            report.items.push_back(std::move(items[i]));
        }
        report.sortByStep();
        return report;
    };
    const bool recording = record != nullptr;
    // Every step not settled already ends the same way; nothing was changed.
    auto failRest = [&](Outcome outcome, const FileResult& why = {}) {
        for (size_t i = 0; i < steps.size(); ++i)
            if (!settled[i])
                settle(i, outcome, why);
        return finished();
    };
    // What each game file holds, as the run finds it: remembered, or hashed by `hasher`, one
    // thread for the whole run, in step order.
    std::vector<std::promise<HashResult>> gamePromises(steps.size());
    std::vector<std::future<HashResult>> gameHashes;
    std::future<void> hasher;
    // Drops what the run made before any game file changed: the new copies, and the originals
    // kept for this run only.
    auto dropPrepared = [&] {
        p.offload([&] {
            for (Copy& c : copies)
                if (c.keptNow)
                    record->store().drop(c.before);
            copies.clear(); // the new copies go
            if (hasher.valid())
                hasher.wait(); // it stops at a cancel; once done, no one waits for a hash
            gameHashes.clear();
        });
    };
    // A cancelled (or failed) run leaves every game file as it was, and says so of each one.
    auto cancelled = [&] {
        dropPrepared();
        if (p.failed())
            return failRest(Outcome::Stopped, FileResult::failure(QString::fromStdString(p.failure())));
        return failRest(Outcome::Cancelled, FileResult::failure({}, FileCause::Cancelled));
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
    p.setTotal(int(steps.size()), sizeOfSources(steps));
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
        // Nothing changes unless the record can say so: every step fails with the record's cause.
        if (const FileResult usable = record->ready(); !usable)
            return failRest(Outcome::RecordUnusable, usable);
        report.recordNotice = record->takeNotice();
    }
    // What each game file holds is hashed on a thread of its own while the copies are made and
    // written out; what each source holds is hashed as it is copied. So keeping originals costs
    // little time.
    gameHashes.resize(steps.size());
    std::vector<size_t> toHash;
    std::vector<QString> sourceStamps(steps.size()), sourceHashes(steps.size());
    if (recording)
        for (size_t i = 0; i < steps.size(); ++i) {
            p.breathe();
            sourceStamps[i] = ReplacementRecord::stampOf(steps[i].source);
            sourceHashes[i] = record->knownHash(steps[i].source);
            if (!QFileInfo::exists(steps[i].gamePath))
                continue;
            if (const QString known = record->knownHash(steps[i].gamePath); !known.isEmpty()) {
                std::promise<HashResult> ready;
                ready.set_value({known, {}});
                gameHashes[i] = ready.get_future();
            } else {
                gameHashes[i] = gamePromises[i].get_future();
                toHash.push_back(i);
            }
        }
    if (!toHash.empty())
        hasher = std::async(std::launch::async, [&gamePromises, &steps, &p, toHash] {
            for (size_t i : toHash) {
                HashResult hashed{{}, FileResult::failure({}, FileCause::Cancelled)};
                try {
                    if (!p.cancelled())
                        hashed = contentHash(steps[i].gamePath);
                } catch (const std::exception& e) { // every hash is answered, or the run would wait for ever
                    hashed.result = FileResult::failure(QString::fromLocal8Bit(e.what()));
                }
                gamePromises[i].set_value(std::move(hashed));
            }
        });

    std::vector<bool> keep;
    p.offload([&] {
        for (size_t i = 0; i < steps.size() && !p.cancelled(); ++i) {
            Copy c{i, {}, {}, {}, {}, false, 0};
            ContentHasher hasher;
            const bool hashing = recording && sourceHashes[i].isEmpty();
            const FileResult prepared
                = c.copy.prepare(steps[i].source, steps[i].gamePath, hashing ? &hasher : nullptr, &p);
            p.fileDone();
            if (!prepared) {
                if (prepared.cause != FileCause::Cancelled)
                    settle(i, Outcome::Failed, prepared);
                continue;
            }
            if (hashing)
                sourceHashes[i] = hasher.digest();
            copies.push_back(std::move(c));
        }
        if (p.cancelled())
            return;
        for (Copy& c : copies)
            c.copy.startWriting();
        keep.assign(copies.size(), true);
        for (size_t k = 0; k < copies.size(); ++k) {
            if (const FileResult r = copies[k].copy.flush(); !r) {
                settle(copies[k].step, Outcome::Failed, r);
                keep[k] = false;
            }
        }
    });
    if (p.cancelled())
        return cancelled();
    if (recording) {
        p.offload([&] {
            bool keeping = false; // the store's folder is made durable once, after every keep
            for (size_t k = 0; k < copies.size() && !p.cancelled(); ++k) {
                Copy& c = copies[k];
                std::future<HashResult>& game = gameHashes[c.step];
                const HashResult before = game.valid() ? game.get() : HashResult{};
                if (!keep[k])
                    continue;
                if (!before.result) {
                    settle(c.step, Outcome::Failed, before.result);
                    keep[k] = false;
                    continue;
                }
                c.after = sourceHashes[c.step];
                c.before = before.hash;
                c.sourceStamp = sourceStamps[c.step];
                if (const QString& expected = steps[c.step].expectedHash;
                    !expected.isEmpty() && expected != c.before) {
                    settle(c.step, Outcome::NotAsExpected);
                    items[c.step].found = c.before;
                    keep[k] = false;
                    continue;
                }
                if (c.before.isEmpty())
                    continue; // a new game file: nothing to keep
                // What the game file holds is kept, durably, before anything replaces it.
                c.keptNow = !record->store().holds(c.before);
                keeping = true;
                if (const FileResult kept = record->store().keep(steps[c.step].gamePath, c.before, false); !kept) {
                    c.keptNow = false;
                    settle(c.step, Outcome::NotKept, kept);
                    keep[k] = false;
                }
            }
            if (keeping && !p.cancelled())
                if (const FileResult synced = syncFolder(record->store().folder()); !synced)
                    for (size_t k = 0; k < copies.size(); ++k) { // not durably kept: nothing may rely on it
                        if (!keep[k] || !copies[k].keptNow) // kept by an earlier run: durable then
                            continue;
                        record->store().drop(copies[k].before);
                        copies[k].keptNow = false;
                        settle(copies[k].step, Outcome::NotKept, synced);
                        keep[k] = false;
                    }
            if (hasher.valid()) // the hashes of files whose copy failed may still be on their way
                hasher.wait();
        });
        if (p.cancelled())
            return cancelled();
    }
    p.setCancellable(false); // from here on game files change
    {
        std::vector<Copy> kept;
        for (size_t k = 0; k < copies.size(); ++k)
            if (keep[k])
                kept.push_back(std::move(copies[k]));
        copies = std::move(kept);
    }
    // What is about to happen reaches the record, in one flush, before any game file changes;
    // what happened follows, in one more. A kill in between is settled at the next start.
    qint64 runId = 0;
    if (recording && !copies.empty()) {
        FileResult written = record->begin();
        if (written) {
            runId = record->beginRun(recordedKind(plan.kind), plan.undoes);
            bool all = runId != 0;
            for (Copy& c : copies) {
                if (!all)
                    break;
                p.breathe();
                const Step& step = steps[c.step];
                const bool substituted = !step.recordedSource.isEmpty();
                c.entry = record->intend(
                    runId, step.gamePath, c.before, c.after, substituted ? step.recordedSource : step.source);
                all = c.entry != 0;
                // The hash is what the copy holds; it is remembered for the source only when the
                // source did not change while it was copied. Before a swap gives its path another file.
                c.sourceStamp = c.sourceStamp == ReplacementRecord::stampOf(step.source) ? c.sourceStamp : QString();
                if (!c.sourceStamp.isEmpty() && !substituted) // a substitute is a passing file
                    (void)record->remember(step.source, c.after);
            }
            if (all) {
                written = record->end();
            } else {
                // A statement failed: none of the intents is kept, and the record says why.
                written = record->lastWriteFailure();
                (void)record->abandon();
            }
        }
        if (!written) {
            // Not one game file changes: its intent is not durably in the record.
            dropPrepared();
            return failRest(Outcome::RecordUnusable, written);
        }
    }
    std::vector<bool> done(copies.size(), false);
    p.offload([&] {
        QStringList folders;
        for (size_t k = 0; k < copies.size(); ++k) {
            Copy& c = copies[k];
            if (const FileResult r = c.copy.commit(false); r) {
                done[k] = true;
                settle(c.step, Outcome::Done);
                if (!c.copy.folder().isEmpty() && !folders.contains(c.copy.folder()))
                    folders << c.copy.folder();
            } else {
                if (c.keptNow)
                    record->store().drop(c.before);
                settle(c.step, Outcome::Failed, r);
            }
        }
        for (const QString& folder : folders) {
            if (const FileResult synced = syncFolder(folder); !synced)
                for (size_t k = 0; k < copies.size(); ++k)
                    if (done[k] && copies[k].copy.folder() == folder)
                        settle(copies[k].step, Outcome::DoneNotDurable, synced);
        }
        // What a SWITCH put in place is kept too, so that it can be put back after a game update
        // undid it, even once its source is gone. Only a copy: the game file stays in use. A
        // content not kept is looked for at its source then.
        if (recording && (plan.kind == RunKind::Switch || plan.kind == RunKind::Reapply)) {
            std::vector<std::pair<QString, QString>> keep, adopt;
            for (size_t k = 0; k < copies.size(); ++k) {
                if (!done[k] || copies[k].after.isEmpty())
                    continue;
                const Step& step = steps[copies[k].step];
                if (step.ownSource && !copies[k].sourceStamp.isEmpty()) // unchanged since it was hashed
                    adopt.emplace_back(step.source, copies[k].after);
                else
                    keep.emplace_back(step.gamePath, copies[k].after);
            }
            record->store().adopt(adopt);
            (void)record->store().keepCopies(keep);
        }
    });
    if (p.failed()) // the renames stopped midway: each file not put in place is named
        for (size_t k = 0; k < copies.size(); ++k)
            if (!done[k] && !settled[copies[k].step])
                settle(copies[k].step, Outcome::StoppedMidway, FileResult::failure(QString::fromStdString(p.failure())));
    if (runId) {
        // A failure here leaves the entries unfinished: the next run, or the next start, settles
        // them by what the game files hold.
        (void)record->begin();
        for (size_t k = 0; k < copies.size(); ++k) {
            p.breathe();
            if (done[k]) {
                record->happened(copies[k].entry);
                if (!copies[k].sourceStamp.isEmpty())
                    (void)record->remember(steps[copies[k].step].gamePath, copies[k].after);
            } else {
                record->didNotHappen(copies[k].entry);
            }
        }
        if (!record->end()) {
            (void)record->abandon();
            record->settleUnfinished(); // once more, by what the game files hold
        }
    }
    return finished();
}

} // namespace sonaplex
