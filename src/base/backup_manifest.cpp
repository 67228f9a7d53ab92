#include "base/backup_manifest.h"

#include <optional>

#include "base/content_hash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        written = written && put(h.hash.toLatin1() + '\t' + encode(f.name) + '\t' + encode(f.source) + '\n');
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
        // Only a plain name inside the set, and a plain absolute game path, are followed.
        if (!isPlainName(l.name))
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
    if (hasManifest(setFolder)) {
        for (const ManifestLine& l : readManifest(setFolder, &plan.refused))
            consider(QStringLiteral("%1 (%2)").arg(l.name, l.gamePath), l.gamePath,
                setFolder + QLatin1Char('/') + l.name, true);
    } else {
        for (const QString& name : QDir(setFolder).entryList(QDir::Files, QDir::Name))
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
