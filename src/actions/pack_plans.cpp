#include "actions/pack_plans.h"

#include "base/content_hash.h"
#include "base/files.h"
#include "base/sound_names.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in (a pack's words, as its reader's).
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SoundPack)
};
} // namespace

PackContents contentsFromReplacements(const QString& gameFolder, const std::vector<ReplacedFile>& known,
    const OriginalStore& store, const QString& workTemplate)
{
    PackContents c;
    PackMembers packs;
    // A sound of a pack, inflated into passing work; empty when it cannot be (`why`).
    auto fromPack = [&](const ReplacedFile& f, QString& why) -> QString {
        const PackMember m = packs.find(f.replacedBy, f.lastHash);
        if (!m.source) {
            why = m.why;
            return {};
        }
        if (!c.work) {
            (void)createFolder(QFileInfo(workTemplate).absolutePath());
            c.work = std::make_shared<QTemporaryDir>(workTemplate);
        }
        // A passing file, gone with the pack made of it: written, never flushed to disk.
        QFile out(QStringLiteral("%1/%2").arg(c.work->path()).arg(c.files.size() + 1));
        if (!c.work->isValid() || !out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            why = c.work->isValid() ? out.errorString() : c.work->errorString();
            return {};
        }
        const FileResult read = m.source.read([&out](const char* data, size_t size) { return out.write(data, qint64(size)) == qint64(size); });
        if (read && out.flush())
            return out.fileName();
        why = read.error.isEmpty() ? out.errorString() : read.error;
        out.remove();
        return {};
    };
    const QString prefix = QDir::cleanPath(gameFolder) + QLatin1Char('/');
    for (const ReplacedFile& f : known) {
        if (!f.gamePath.startsWith(prefix))
            continue;
        // What an update or another program put over a replacement is no longer Sonaplex's, nor
        // the sound the user chose: left out, and said.
        if (f.state == GameFileState::ChangedSince)
            c.leftOut << Say::tr("%1: left out: it was changed since Sonaplex replaced it (by a game update?)")
                             .arg(f.gamePath.mid(prefix.size()));
        if (f.state != GameFileState::Replaced)
            continue;
        // Only what the record put there goes into a pack: its kept copy, or the file it came from
        // while that still holds the same sound. Never the game file itself, which may hold
        // anything by the time it is read.
        QString sound, why;
        if (store.holds(f.lastHash))
            sound = store.pathOf(f.lastHash);
        else if (PackMembers::names(f.replacedBy))
            sound = fromPack(f, why);
        else if (!f.replacedBy.isEmpty() && contentHash(f.replacedBy).hash == f.lastHash)
            sound = f.replacedBy;
        if (sound.isEmpty() && !why.isEmpty()) {
            c.problems << QStringLiteral("%1: %2").arg(f.gamePath.mid(prefix.size()), why);
            continue;
        }
        if (sound.isEmpty()) {
            c.problems << Say::tr("%1: the sound Sonaplex put there is no longer kept, and %2 no longer holds it")
                              .arg(f.gamePath.mid(prefix.size()), QDir::toNativeSeparators(f.replacedBy));
            continue;
        }
        c.entries.push_back({f.gamePath.mid(prefix.size()), {}, {}, f.originalHash});
        c.files.push_back(sound);
    }
    return c;
}

PackContents contentsFromSet(const QString& setFolder, const QString& gameFolder, const std::vector<ReplacedFile>& known)
{
    PackContents c;
    const QString prefix = QDir::cleanPath(gameFolder) + QLatin1Char('/');
    QHash<QString, QStringList> byName;
    // The game's files as its sounds are listed: what could not be listed is named.
    const FilesBelow games = listFilesBelow(gameFolder);
    for (const QString& name : games.names)
        byName[QFileInfo(name).fileName().toCaseFolded()] << prefix + name;
    for (const QString& p : games.problems)
        c.problems << Say::tr("not listed in the game: %1").arg(p);
    QHash<QString, const ReplacedFile*> knownByPath;
    for (const ReplacedFile& f : known)
        knownByPath.insert(f.gamePath, &f);
    // A set keeps a file chosen with its folders in the game ("music/x.mid") in those folders:
    // it is that game file. A file of the set's own folder is found by its name.
    for (const QString& name : filesBelow(setFolder)) {
        const QFileInfo s(setFolder + QLatin1Char('/') + name);
        if (!isSoundName(s.fileName()))
            continue;
        const QString inGame = QDir::cleanPath(gameFolder) + QLatin1Char('/') + name;
        const QStringList matches = name.contains(QLatin1Char('/'))
            ? (QFileInfo(inGame).isFile() ? QStringList{inGame} : QStringList{})
            : byName.value(s.fileName().toCaseFolded());
        if (matches.size() != 1) {
            c.problems << QStringLiteral("%1: %2").arg(s.fileName(),
                matches.isEmpty()
                    ? Say::tr("no game file of this name under %1").arg(QDir::toNativeSeparators(gameFolder))
                    : Say::tr("several game files have this name: %1").arg(matches.join(QStringLiteral(", "))));
            continue;
        }
        QString original;
        if (const ReplacedFile* f = knownByPath.value(matches.front()))
            original = f->originalHash;
        else if (const HashResult h = contentHash(matches.front()); h.result)
            original = h.hash;
        c.entries.push_back({matches.front().mid(prefix.size()), {}, {}, original});
        c.files.push_back(s.absoluteFilePath());
    }
    return c;
}

// ---- a pack against a game ----

PackCheck checkPack(const QString& packPath, const PackManifest& manifest, const std::vector<QString>& sounds, const QString& gameFolder,
    const std::vector<ReplacedFile>& known, const std::vector<QString>& remembered, const PackInspection& inspection,
    bool overOthers, WorkProgress* progress)
{
    PackCheck check;
    QHash<QString, const ReplacedFile*> byPath;
    for (const ReplacedFile& f : known)
        byPath.insert(f.gamePath, &f);
    QHash<QString, QString> entryOf; // a game file's identity (device and inode) -> the entry naming it
    for (size_t i = 0; i < manifest.entries.size(); ++i) {
        if (progress && progress->cancelled())
            return check;
        const PackEntry& e = manifest.entries[i];
        const InsidePath at = findInside(gameFolder, e.path);
        if (!at.problem.isEmpty()) {
            check.refused = packRefusal(e.path, at.problem);
            return check;
        }
        // Links inside the game folder may give one file several paths: it is one game file.
        if (at.exists) {
            const QString id = fileIdentity(at.path);
            if (const auto first = entryOf.constFind(id); first != entryOf.constEnd()) {
                check.refused = packRefusal(e.path, Say::tr("is the same game file as %1").arg(*first));
                return check;
            }
            entryOf.insert(id, e.path);
        }
        if (inspection.soundProblem && i < sounds.size())
            if (const QString problem = inspection.soundProblem(sounds[i]); !problem.isEmpty()) {
                check.refused = packRefusal(e.path, Say::tr("its sound is not one the players can open: %1").arg(problem));
                return check;
            }
        if (const SoundFitAnswer fit = soundFit(e.path, isSoundName(e.file) ? e.file : e.path); fit.fit == SoundFit::Refused) {
            check.refused = packRefusal(e.path, fit.why);
            return check;
        }
        PackItem item;
        item.entry = i;
        item.gamePath = at.path;
        if (!at.exists) {
            item.state = PackState::Missing;
            item.action = PackAction::Skip;
            check.items.push_back(std::move(item));
            continue;
        }
        const ReplacedFile* knownFile = byPath.value(at.path);
        if (knownFile && !knownFile->currentHash.isEmpty())
            item.currentHash = knownFile->currentHash;
        else if (i < remembered.size())
            item.currentHash = remembered[i];
        if (item.currentHash.isEmpty()) {
            const HashResult hashed = contentHash(at.path);
            if (!hashed.result) {
                check.refused = packRefusal(e.path, Say::tr("the game file cannot be read: %1").arg(hashed.result.error));
                return check;
            }
            item.currentHash = hashed.hash;
        }
        const bool fromThisPack = knownFile && item.currentHash == knownFile->lastHash
            && knownFile->replacedBy == packSourceName(packPath, e);
        if (item.currentHash == e.hash || fromThisPack) {
            item.state = PackState::Applied;
        } else if (knownFile && item.currentHash == knownFile->lastHash && knownFile->lastHash != knownFile->originalHash) {
            item.state = PackState::Replaced;
            item.replacedBy = knownFile->replacedBy;
        } else if (!e.original.isEmpty()) {
            item.state = item.currentHash == e.original ? PackState::Original : PackState::Other;
        } else {
            item.state = !knownFile || item.currentHash == knownFile->originalHash ? PackState::Original : PackState::Other;
        }
        item.action = item.state == PackState::Applied ? PackAction::Nothing
            : item.state == PackState::Replaced && !overOthers ? PackAction::Keep
                                                                : PackAction::Replace;
        if (item.action == PackAction::Replace && inspection.formats && i < sounds.size()
            && isRecordedFormat(soundFormatOfName(e.path)))
            item.format = inspection.formats(at.path, sounds[i]);
        if (progress)
            progress->fileDone();
        check.items.push_back(std::move(item));
    }
    return check;
}

bool PackCheck::forAnotherGame() const
{
    return !items.empty()
        && std::all_of(items.begin(), items.end(), [](const PackItem& i) { return i.state == PackState::Missing; });
}

std::vector<QString> packRemembered(
    const PackManifest& manifest, const QString& gameFolder, ReplacementRecord& record, const WorkProgress* progress)
{
    std::vector<QString> hashes;
    hashes.reserve(manifest.entries.size());
    const QString folder = QDir::cleanPath(gameFolder) + QLatin1Char('/');
    for (const PackEntry& e : manifest.entries) {
        if (progress)
            progress->breathe();
        hashes.push_back(record.knownHash(folder + e.path));
    }
    return hashes;
}

QString packSourceName(const QString& packPath, const PackEntry& entry) { return packPath + QLatin1Char('/') + entry.file; }

Plan packApplyPlan(const PackCheck& check, const std::shared_ptr<PackArchive>& pack, const QString& packPath,
    const std::map<size_t, QString>& substitutes, const std::map<size_t, QString>& notConverted)
{
    Plan plan;
    plan.kind = RunKind::Switch;
    for (const PackItem& item : check.items) {
        if (item.action != PackAction::Replace)
            continue;
        const PackEntry& e = pack->manifest().entries[item.entry];
        Step step{StepName{StepName::Of::File, int(item.entry) + 1, e.path}, item.gamePath, packSourceName(packPath, e),
            {}, item.currentHash};
        if (const auto why = notConverted.find(item.entry); why != notConverted.end()) {
            plan.refused.push_back({step, Outcome::NotConverted, FileResult::failure(why->second)});
            continue;
        }
        if (const auto substitute = substitutes.find(item.entry); substitute != substitutes.end()) {
            step.recordedSource = step.source;
            step.source = substitute->second;
            step.ownSource = true; // converted into passing work, never changed after
        } else if (conversionNeed(item.format) == ConversionNeed::Required) {
            plan.refused.push_back({step, Outcome::NotConverted,
                FileResult::failure(Say::tr("its sound is in another container or codec than the game file, which "
                                            "a game cannot read as it is: it is replaced only once converted"))});
            continue;
        } else {
            step.stream = PackArchive::member(pack, item.entry);
            step.sourceHash = e.hash; // checked as it is inflated
        }
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

namespace {
// How long the part of a recorded source is that names a file (a pack: the rest is a sound's
// name in it); 0 when no part of it is a file.
qsizetype packPart(const QString& recordedSource)
{
    for (qsizetype at = recordedSource.indexOf(QLatin1Char('/'), 1); at > 0; at = recordedSource.indexOf(QLatin1Char('/'), at + 1))
        if (QFileInfo(recordedSource.left(at)).isFile())
            return at;
    return 0;
}
} // namespace

bool PackMembers::names(const QString& recordedSource)
{
    return recordedSource.contains(packSuffix() + QLatin1Char('/'), Qt::CaseInsensitive) || packPart(recordedSource) > 0;
}

PackMember PackMembers::find(const QString& recordedSource, const QString& hash)
{
    const qsizetype part = packPart(recordedSource);
    const QString packPath = recordedSource.left(part), file = recordedSource.mid(part + 1);
    const QString keep = Say::tr("keep the pack file to replace again after an update");
    if (packPath.isEmpty()) {
        const qsizetype end = recordedSource.indexOf(packSuffix() + QLatin1Char('/'), 0, Qt::CaseInsensitive);
        const QString named = end < 0 ? recordedSource : recordedSource.left(end + packSuffix().size());
        return {{}, Say::tr("the pack %1 is gone: %2").arg(QDir::toNativeSeparators(named), keep)};
    }
    auto opened = packs_.find(packPath);
    if (opened == packs_.end()) {
        Opened o;
        PackRefusal why;
        o.pack = PackArchive::open(packPath, &why);
        o.why = why.why;
        for (size_t i = 0; o.pack && i < o.pack->manifest().entries.size(); ++i) {
            const PackEntry& e = o.pack->manifest().entries[i];
            o.entryOf.insert(e.file + QLatin1Char('\0') + e.hash, i);
        }
        opened = packs_.emplace(packPath, std::move(o)).first;
    }
    const Opened& o = opened->second;
    if (!o.pack)
        return {
            {}, Say::tr("the pack %1 cannot be read (%2): %3").arg(QDir::toNativeSeparators(packPath), o.why, keep)};
    if (const auto i = o.entryOf.constFind(file + QLatin1Char('\0') + hash); i != o.entryOf.constEnd())
        return {PackArchive::member(o.pack, *i), {}};
    return {{},
        Say::tr("the pack %1 no longer holds this sound (it changed since): %2")
            .arg(QDir::toNativeSeparators(packPath), keep)};
}

Plan packRemovalPlan(const QString& packPath, const PackManifest& manifest, const QString& gameFolder, ReplacementRecord& record,
    const std::vector<ReplacedFile>& known, std::vector<size_t>* notPacks, const WorkProgress* progress)
{
    Plan plan;
    plan.kind = RunKind::Restore;
    QHash<QString, const ReplacedFile*> byPath;
    for (const ReplacedFile& f : known)
        byPath.insert(f.gamePath, &f);
    const QString folder = QDir::cleanPath(gameFolder);
    for (size_t i = 0; i < manifest.entries.size(); ++i) {
        const PackEntry& e = manifest.entries[i];
        if (progress)
            progress->breathe();
        // Only files Sonaplex itself changed, by the paths the record names them by.
        const ReplacedFile* f = byPath.value(folder + QLatin1Char('/') + e.path);
        if (f && f->state == GameFileState::Unreadable) { // named with its cause, never passed over
            plan.refused.push_back({{StepName{StepName::Of::File, int(i) + 1, e.path}, f->gamePath, {}}, Outcome::Failed, f->readFailure});
            continue;
        }
        const bool fromThisPack
            = f && f->currentHash == f->lastHash && f->replacedBy == packSourceName(packPath, e); // converted
        if (!f || f->currentHash.isEmpty() || (f->currentHash != e.hash && !fromThisPack)) {
            if (notPacks)
                notPacks->push_back(i);
            continue;
        }
        Step step{StepName{StepName::Of::File, int(i) + 1, e.path}, f->gamePath, {}, {}, f->currentHash};
        const QString before = record.replacedBefore(f->gamePath, f->currentHash, packSourceName(packPath, e));
        if (before.isEmpty()) {
            plan.refused.push_back({step, Outcome::NothingBefore});
            continue;
        }
        if (!record.store().holds(before)) {
            plan.refused.push_back({step, Outcome::BeforeGone});
            continue;
        }
        step.source = record.store().pathOf(before);
        plan.steps.push_back(std::move(step));
    }
    return plan;
}

} // namespace sonaplex
