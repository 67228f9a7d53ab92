// The run engine, in the order of its stages: take the record's turn, make every new copy, keep
// every original, write the intents, rename, record the outcomes. Each stage is a member of
// `Run`, over the state the stages share; `run()` calls them in turn.
#include "record/run.h"

#include "base/content_hash.h"
#include "record/replacement_record.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <future>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Run)
};


qint64 sizeOfSources(const std::vector<Step>& steps)
{
    qint64 bytes = 0;
    for (const Step& s : steps)
        bytes += s.stream ? s.stream.bytes : QFileInfo(s.source).size();
    return bytes;
}

// Runs take turns from reading what the game files hold to their last rename, so that what a
// run records as overwritten is what it overwrote. Held while it lives.
struct Turn {
    ReplacementRecord* record = nullptr;
    bool staging = false; // the record notes where the run's named copies lie
    Turn() = default;
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;
    ~Turn()
    {
        if (record && staging)
            record->stagingDone();
        if (record)
            record->releaseTurn();
    }
};

class Run {
public:
    Run(const Plan& plan, ReplacementRecord* record, WorkProgress* progress)
        : plan_(plan), steps_(plan.steps), record_(record), recording_(record != nullptr),
          p_(progress ? *progress : unwatched_), at_(steps_.size())
    {
        for (size_t i = 0; i < steps_.size(); ++i)
            at_[i].item.step = steps_[i];
    }

    Report go()
    {
        p_.setTotal(int(steps_.size()), sizeOfSources(steps_));
        if (recording_) {
            if (!takeTurn())
                return cancelled();
            // Nothing changes unless the record can say so: every step fails with its cause.
            if (const FileResult usable = record_->ready(); !usable)
                return failRest(Outcome::RecordUnusable, usable);
            report_.recordNotice = record_->takeNotice();
            startHashingGameFiles();
        }
        makeCopies();
        if (p_.cancelled())
            return cancelled();
        if (recording_) {
            keepOriginals();
            if (p_.cancelled())
                return cancelled();
        }
        p_.setCancellable(false); // from here on game files change
        dropRefused();
        if (recording_ && (!copies_.empty() || !left_.empty())) {
            if (const FileResult written = writeIntents(); !written) {
                // Not one game file changes: its intent is not durably in the record.
                dropPrepared();
                return failRest(Outcome::RecordUnusable, written);
            }
        }
        putInPlace();
        if (runId_)
            recordOutcomes();
        return finished();
    }

private:
    // A step on its way: its new copy, and what the game file held and will hold.
    struct Copy {
        size_t step; // index into the plan's steps
        PendingCopy copy;
        QString before, after;
        QString sourceStamp; // the source as it was when it was hashed
        bool keptNow = false; // its original was kept by this run
        bool going = true; // still to be put in place
        bool done = false; // put in place
        qint64 entry = 0;
    };

    // What the run knows of one step, whichever stage it is at.
    struct StepState {
        ReportItem item;
        bool settled = false; // its outcome is known
        // What the game file holds, as the run finds it: remembered, or hashed by `hasher_`.
        std::promise<HashResult> gamePromise;
        std::future<HashResult> gameHash;
        QString sourceStamp, sourceHash; // the source as it was hashed, and its hash
    };

    // ---- the outcome of each step ----

    void settle(size_t i, Outcome outcome, FileResult result = {})
    {
        at_[i].item.outcome = outcome;
        at_[i].item.result = std::move(result);
        at_[i].settled = true;
    }

    Report finished()
    {
        report_.items = plan_.refused;
        for (size_t i = 0; i < steps_.size(); ++i) {
            if (!at_[i].settled) // never claimed done by default
                settle(i, Outcome::StoppedMidway, FileResult::failure(Say::tr("the run ended before it")));
            report_.items.push_back(std::move(at_[i].item));
        }
        report_.sortByStep();
        return std::move(report_);
    }

    // Every step not settled already ends the same way; nothing was changed.
    Report failRest(Outcome outcome, const FileResult& why = {})
    {
        for (size_t i = 0; i < steps_.size(); ++i)
            if (!at_[i].settled)
                settle(i, outcome, why);
        return finished();
    }

    // Drops what the run made before any game file changed: the new copies, and the originals
    // kept for this run only.
    void dropPrepared()
    {
        p_.offload([&] {
            for (Copy& c : copies_)
                if (c.keptNow)
                    record_->store().drop(c.before);
            copies_.clear(); // the new copies go
            if (hasher_.valid())
                hasher_.wait(); // it stops at a cancel; once done, no one waits for a hash
        });
    }

    // A cancelled (or failed) run leaves every game file as it was, and says so of each one.
    Report cancelled()
    {
        dropPrepared();
        if (p_.failed())
            return failRest(Outcome::Stopped, FileResult::failure(QString::fromStdString(p_.failure())));
        return failRest(Outcome::Cancelled, FileResult::failure({}, FileCause::Cancelled));
    }

    // ---- the stages ----

    // Waits for the record's turn (another window or program copy may hold it); false when
    // the user cancelled meanwhile.
    bool takeTurn()
    {
        if (!record_->tryTakeTurn()) {
            p_.offload([&] {
                while (!p_.cancelled() && !record_->tryTakeTurn())
                    QThread::msleep(50);
            });
            if (p_.cancelled())
                return false;
        }
        turn_.record = record_;
        return true;
    }

    // What each game file holds is hashed on a thread of its own while the copies are made and
    // written out (remembered hashes are used as they are); what each source holds is hashed as
    // it is copied. So keeping originals costs little time.
    void startHashingGameFiles()
    {
        std::vector<size_t> toHash;
        for (size_t i = 0; i < steps_.size(); ++i) {
            p_.breathe();
            StepState& at = at_[i];
            const Step& step = steps_[i];
            at.sourceStamp = step.stream ? QString() : fileStamp(step.source);
            at.sourceHash = !step.sourceHash.isEmpty() ? step.sourceHash
                : step.stream                          ? QString()
                                                       : record_->knownHash(step.source);
            if (!QFileInfo::exists(steps_[i].gamePath))
                continue;
            at.gameHash = at.gamePromise.get_future();
            if (const QString known = record_->knownHash(steps_[i].gamePath); !known.isEmpty())
                at.gamePromise.set_value({known, {}});
            else
                toHash.push_back(i);
        }
        if (toHash.empty())
            return;
        hasher_ = std::async(std::launch::async, [this, toHash] {
            for (size_t i : toHash) {
                HashResult hashed{{}, FileResult::failure({}, FileCause::Cancelled)};
                try {
                    if (!p_.cancelled())
                        hashed = contentHash(steps_[i].gamePath);
                } catch (const std::exception& e) { // every hash is answered, or the run would wait for ever
                    hashed.result = FileResult::failure(QString::fromLocal8Bit(e.what()));
                }
                at_[i].gamePromise.set_value(std::move(hashed));
            }
        });
    }

    // Every new copy, beside its game file, written out to disk; a step whose copy fails is
    // settled Failed and goes no further. Past a few dozen, the copies are parked (named beside
    // their game files and closed): a run of any size keeps few files open.
    void makeCopies()
    {
        p_.offload([&] {
            // What a killed run left beside the game files goes first, each folder read once.
            QStringList targets;
            for (const Step& step : steps_)
                targets << step.gamePath;
            removeTemporariesBeside(targets);
            int open = 0;
            for (size_t i = 0; i < steps_.size() && !p_.cancelled(); ++i) {
                Copy c{i, {}, {}, {}, {}, false, true, false, 0};
                ContentHasher hasher;
                const Step& step = steps_[i];
                const bool hashing = recording_ && at_[i].sourceHash.isEmpty();
                FileResult prepared = step.stream
                    ? c.copy.prepare(step.stream, step.source, step.gamePath, hashing ? &hasher : nullptr, &p_, true)
                    : c.copy.prepare(step.source, step.gamePath, hashing ? &hasher : nullptr, &p_, true);
                if (prepared && c.copy.isOpen() && ++open > stagingLimits().openCopies) {
                    if (recording_ && !turn_.staging) {
                        record_->noteStaging(targets);
                        turn_.staging = true;
                    }
                    prepared = c.copy.park();
                    --open;
                }
                p_.fileDone();
                if (!prepared) {
                    if (prepared.cause != FileCause::Cancelled)
                        settle(i, Outcome::Failed, prepared);
                    continue;
                }
                if (hashing)
                    at_[i].sourceHash = hasher.digest();
                copies_.push_back(std::move(c));
            }
            if (p_.cancelled())
                return;
            std::vector<PendingCopy*> pending;
            for (Copy& c : copies_)
                pending.push_back(&c.copy);
            const std::vector<FileResult> flushed = flushCopies(pending);
            for (size_t k = 0; k < copies_.size(); ++k)
                if (!flushed[k]) {
                    settle(copies_[k].step, Outcome::Failed, flushed[k]);
                    copies_[k].going = false;
                }
        });
    }

    // What each game file holds is kept, durably, before anything replaces it; a game file that
    // holds anything else than its step expects is left alone.
    void keepOriginals()
    {
        p_.offload([&] {
            bool keeping = false; // the store's folder is made durable once, after every keep
            for (size_t k = 0; k < copies_.size() && !p_.cancelled(); ++k)
                keeping = keepOriginalOf(copies_[k]) || keeping;
            if (keeping && !p_.cancelled())
                if (const FileResult synced = syncFolder(record_->store().folder()); !synced)
                    for (Copy& c : copies_) { // not durably kept: nothing may rely on it
                        if (!c.going || !c.keptNow) // kept by an earlier run: durable then
                            continue;
                        record_->store().drop(c.before);
                        c.keptNow = false;
                        settle(c.step, Outcome::NotKept, synced);
                        c.going = false;
                    }
            if (hasher_.valid()) // the hashes of files whose copy failed may still be on their way
                hasher_.wait();
        });
    }

    // Keeps what one game file holds; true when the store was written to.
    bool keepOriginalOf(Copy& c)
    {
        StepState& at = at_[c.step];
        std::future<HashResult>& game = at.gameHash;
        const HashResult before = game.valid() ? game.get() : HashResult{};
        if (!c.going)
            return false;
        if (!before.result) {
            settle(c.step, Outcome::Failed, before.result);
            c.going = false;
            return false;
        }
        c.after = at.sourceHash;
        c.before = before.hash;
        c.sourceStamp = at.sourceStamp;
        if (const QString& expected = steps_[c.step].expectedHash; !expected.isEmpty() && expected != c.before) {
            settle(c.step, Outcome::NotAsExpected);
            at.item.found = c.before;
            c.going = false;
            if (plan_.kind == RunKind::Undo)
                left_.push_back(c.step);
            return false;
        }
        if (plan_.skipUnchanged && !c.after.isEmpty() && c.after == c.before) {
            settle(c.step, Outcome::AlreadyInPlace);
            c.going = false;
            return false;
        }
        if (c.before.isEmpty())
            return false; // a new game file: nothing to keep
        c.keptNow = !record_->store().holds(c.before);
        if (const FileResult kept = record_->store().keep(steps_[c.step].gamePath, c.before, false); !kept) {
            c.keptNow = false;
            settle(c.step, Outcome::NotKept, kept);
            c.going = false;
        }
        return true;
    }

    // The copies of steps settled on the way go (a copy dropped leaves nothing behind).
    void dropRefused()
    {
        std::vector<Copy> going;
        for (Copy& c : copies_)
            if (c.going)
                going.push_back(std::move(c));
        copies_ = std::move(going);
    }

    // What is about to happen reaches the record, in one flush, before any game file changes;
    // what happened follows, in one more. A kill in between is settled at the next start.
    FileResult writeIntents()
    {
        FileResult written = record_->begin();
        if (!written)
            return written;
        runId_ = record_->beginRun(recordedKind(plan_.kind), plan_.undoes);
        bool all = runId_ != 0;
        for (size_t step : left_)
            all = all && record_->leftAsItIs(runId_, steps_[step].gamePath) != 0;
        for (Copy& c : copies_) {
            if (!all)
                break;
            p_.breathe();
            const Step& step = steps_[c.step];
            const bool substituted = !step.recordedSource.isEmpty();
            c.entry = record_->intend(runId_, step.gamePath, c.before, c.after, substituted ? step.recordedSource : step.source);
            all = c.entry != 0;
            // The hash is what the copy holds; it is remembered for the source only when the
            // source did not change while it was copied. Before a swap gives its path another file.
            c.sourceStamp = !step.stream && c.sourceStamp == fileStamp(step.source) ? c.sourceStamp : QString();
            if (!c.sourceStamp.isEmpty() && !substituted) // a substitute is a passing file
                (void)record_->remember(step.source, c.after);
        }
        if (all)
            return record_->end();
        // A statement failed: none of the intents is kept, and the record says why.
        written = record_->lastWriteFailure();
        (void)record_->abandon();
        runId_ = 0;
        return written;
    }

    // Each new copy renamed over its game file, each folder made durable once; then what a
    // SWITCH put in place is kept too.
    void putInPlace()
    {
        p_.offload([&] {
            QStringList folders;
            for (Copy& c : copies_) {
                if (const FileResult r = c.copy.commit(false); r) {
                    c.done = true;
                    settle(c.step, Outcome::Done);
                    if (!c.copy.folder().isEmpty() && !folders.contains(c.copy.folder()))
                        folders << c.copy.folder();
                } else {
                    if (c.keptNow)
                        record_->store().drop(c.before);
                    settle(c.step, Outcome::Failed, r);
                }
            }
            for (const QString& folder : folders) {
                if (const FileResult synced = syncFolder(folder); !synced)
                    for (const Copy& c : copies_)
                        if (c.done && c.copy.folder() == folder)
                            settle(c.step, Outcome::DoneNotDurable, synced);
            }
            keepWhatWasPut();
        });
        if (p_.failed()) // the renames stopped midway: each file not put in place is named
            for (const Copy& c : copies_)
                if (!c.done && !at_[c.step].settled)
                    settle(c.step, Outcome::StoppedMidway, FileResult::failure(QString::fromStdString(p_.failure())));
    }

    // What a SWITCH put in place is kept too, so that it can be put back after a game update
    // undid it, even once its source is gone. Only a copy: the game file stays in use. A
    // content not kept is looked for at its source then.
    void keepWhatWasPut()
    {
        if (!recording_ || (plan_.kind != RunKind::Switch && plan_.kind != RunKind::Reapply))
            return;
        std::vector<std::pair<QString, QString>> keep, adopt;
        for (const Copy& c : copies_) {
            if (!c.done || c.after.isEmpty())
                continue;
            const Step& step = steps_[c.step];
            if (step.stream) // its source keeps it
                continue;
            if (step.ownSource && !c.sourceStamp.isEmpty()) // unchanged since it was hashed
                adopt.emplace_back(step.source, c.after);
            else
                keep.emplace_back(step.gamePath, c.after);
        }
        record_->store().adopt(adopt);
        (void)record_->store().keepCopies(keep);
    }

    // A failure here leaves the entries unfinished: the next run, or the next start, settles
    // them by what the game files hold.
    void recordOutcomes()
    {
        (void)record_->begin();
        for (const Copy& c : copies_) {
            p_.breathe();
            if (c.done) {
                record_->happened(c.entry);
                // What the copy holds is known for sure: its source did not change while it was
                // copied, or checked its own hash.
                if (!c.sourceStamp.isEmpty() || steps_[c.step].stream)
                    (void)record_->remember(steps_[c.step].gamePath, c.after);
            } else {
                record_->didNotHappen(c.entry);
            }
        }
        if (!record_->end()) {
            (void)record_->abandon();
            record_->settleUnfinished(); // once more, by what the game files hold
        }
    }

    const Plan& plan_;
    const std::vector<Step>& steps_;
    ReplacementRecord* record_;
    const bool recording_;
    WorkProgress unwatched_;
    WorkProgress& p_;
    Report report_;
    Turn turn_;
    std::vector<StepState> at_; // by step, in the plan's order
    std::vector<Copy> copies_;
    std::vector<size_t> left_; // an undo's steps whose game files changed since their run
    qint64 runId_ = 0; // the run's entry in the record, once its intents are written
    // Hashes the game files whose content is not remembered: one thread for the whole run, in
    // step order.
    std::future<void> hasher_; // last: it is waited for before the state it uses goes
};

} // namespace

Report run(const Plan& plan, ReplacementRecord* record, WorkProgress* progress)
{
    return Run(plan, record, progress).go();
}

} // namespace sonaplex
