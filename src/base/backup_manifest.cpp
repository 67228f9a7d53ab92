#include "base/backup_manifest.h"

#include <optional>

#include "base/content_hash.h"
#include "base/work_progress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QUrl>

#include <unistd.h>

namespace sonaplex {

namespace {
const QByteArray kHeading = "# Sonaplex backup set: content hash, name in this set, game file it came from\n";

QByteArray encode(const QString& text) { return QUrl::toPercentEncoding(text, "/ .-_()'"); }
QString decode(const QByteArray& text) { return QUrl::fromPercentEncoding(text); }
} // namespace

QString manifestName() { return QStringLiteral(".sonaplex-backup-set"); }

QString replacementSetNoteName() { return QStringLiteral(".sonaplex-replacement-set"); }

FileResult writeReplacementSetNote(const QString& folder)
{
    QSaveFile out(folder + QLatin1Char('/') + replacementSetNoteName());
    const QByteArray text = "# Sonaplex set of replacement sounds, each under the name of the game file it replaces\n";
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(text) != text.size() || !out.commit())
        return FileResult::failure(QStringLiteral("cannot write in %1: %2").arg(folder, out.errorString()));
    return FileResult::success();
}

bool isReplacementSet(const QString& folder)
{
    return QFileInfo(folder + QLatin1Char('/') + replacementSetNoteName()).isFile();
}

FileResult writeManifest(const QString& folder, const std::vector<StagedFile>& copied)
{
    QSaveFile out(folder + QLatin1Char('/') + manifestName());
    // Unbuffered: a failing write is seen here, not lost in a flush inside commit().
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::failure(QStringLiteral("cannot write in %1: %2").arg(folder, out.errorString()));
    // Committed only whole: a write that fails leaves no manifest at all, and says so.
    auto put = [&out](const QByteArray& bytes) { return out.write(bytes) == bytes.size(); };
    bool written = put(kHeading);
    for (const StagedFile& f : copied) {
        const HashResult h = contentHash(folder + QLatin1Char('/') + f.name);
        if (!h.result) {
            out.cancelWriting();
            return FileResult::failure(h.result.error, h.result.cause);
        }
        const QString& gamePath = f.origin.isEmpty() ? f.source : f.origin;
        written = written && put(h.hash.toLatin1() + '\t' + encode(f.name) + '\t' + encode(gamePath) + '\n');
    }
    if (!written) {
        const QString why = out.errorString();
        out.cancelWriting();
        out.commit(); // drops the temporary file
        return FileResult::failure(QStringLiteral("cannot write in %1: %2").arg(folder, why));
    }
    if (!out.commit())
        return FileResult::failure(QStringLiteral("cannot write in %1: %2").arg(folder, out.errorString()));
    return FileResult::success();
}

std::vector<StagedFile> originalsFor(const std::vector<StagedFile>& gameFiles, const ReplacementRecord* record,
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
                *notes << QStringLiteral("%1: the original Sonaplex kept, not the current replacement").arg(f.name);
            } else {
                *notes << QStringLiteral("%1: the current replacement, as its original is no longer kept").arg(f.name);
            }
        } else if (r && r->state == GameFileState::ChangedSince) {
            *notes << QStringLiteral("%1: as it is now; it was changed since Sonaplex replaced it, so it may not be the "
                                     "original")
                          .arg(f.name);
        }
        files.push_back(std::move(f));
    }
    return files;
}

bool hasManifest(const QString& folder) { return QFileInfo(folder + QLatin1Char('/') + manifestName()).isFile(); }

std::vector<ManifestLine> readManifest(const QString& folder, std::vector<SetRefusal>* refused)
{
    std::vector<ManifestLine> lines;
    auto refuse = [&](int number, const QString& what, SetRefusal::Why why) {
        if (refused)
            refused->push_back({number, what, why});
    };
    // Opened only as a regular file, and read only so far: a manifest is a short list.
    constexpr qint64 kMaxManifest = 4 << 20;
    FileResult notReadable;
    const int fd = openRegularFile(folder + QLatin1Char('/') + manifestName(), &notReadable);
    QFile in;
    if (fd < 0 || !in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return lines;
    }
    const QList<QByteArray> text = in.read(kMaxManifest).split('\n');
    for (int number = 1; number <= text.size(); ++number) {
        const QByteArray line = text[number - 1].trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 3) {
            refuse(number, QString::fromUtf8(line.left(80)), SetRefusal::Why::NotAManifestLine);
            continue;
        }
        ManifestLine l{QString::fromLatin1(parts[0]), decode(parts[1]), decode(parts[2])};
        // Only a name inside the set (its folders with it), and a plain absolute game path, are
        // followed.
        if (!isPlainRelativePath(l.name))
            refuse(number, l.name, SetRefusal::Why::NameLeavesSet);
        else if (!QFileInfo(l.gamePath).isAbsolute() || QDir::cleanPath(l.gamePath) != l.gamePath
            || l.gamePath.contains(QChar(0)))
            refuse(number, l.gamePath, SetRefusal::Why::NotPlainGamePath);
        else
            lines.push_back(l);
    }
    return lines;
}

namespace {
QString kindOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }
bool isSoundKind(const QString& kind) { return kind == QLatin1String("wav") || kind == QLatin1String("mid"); }

// Why `gamePath` may not be written from a set (`refusal`), or nothing; fills in what is
// unusual about it.
std::optional<SetRefusal::Why> targetProblem(
    const ReplacementRecord* record, const QString& source, SetTarget& target, bool fromManifest, QString* detail)
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

SetPlan planSetRestore(const ReplacementRecord* record, const QString& setFolder, const QString& intoFolder)
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

Plan restorePlan(const SetPlan& set)
{
    Plan plan;
    plan.kind = RunKind::Restore;
    int n = 0;
    for (const SetTarget& t : set.targets)
        plan.steps.push_back({StepName{StepName::Of::File, ++n, t.gamePath}, t.gamePath, t.source});
    return plan;
}

Report restoreBackupSet(ReplacementRecord* record, const SetPlan& plan, WorkProgress* progress)
{
    return run(restorePlan(plan), record, progress);
}

} // namespace sonaplex
