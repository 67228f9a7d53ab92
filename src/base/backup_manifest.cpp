#include "base/backup_manifest.h"

#include "base/content_hash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace sonaplex {

namespace {
const QByteArray kHeading = "# Sonaplex backup set: content hash, name in this set, game file it came from\n";

QByteArray encode(const QString& text) { return QUrl::toPercentEncoding(text, "/ .-_()'"); }
QString decode(const QByteArray& text) { return QUrl::fromPercentEncoding(text); }
} // namespace

QString manifestName() { return QStringLiteral(".sonaplex-backup-set"); }

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

std::vector<ManifestLine> readManifest(const QString& folder)
{
    std::vector<ManifestLine> lines;
    QFile in(folder + QLatin1Char('/') + manifestName());
    if (!in.open(QIODevice::ReadOnly))
        return lines;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() != 3)
            continue;
        ManifestLine l{QString::fromLatin1(parts[0]), decode(parts[1]), decode(parts[2])};
        // Only a plain name inside the set, and an absolute game path, are followed.
        if (isPlainName(l.name) && QFileInfo(l.gamePath).isAbsolute())
            lines.push_back(l);
    }
    return lines;
}

CopyRun restoreBackupSet(
    ReplacementRecord* record, const QString& setFolder, const QString& intoFolder, WorkProgress* progress)
{
    std::vector<Replacement> work;
    const std::vector<ManifestLine> lines = readManifest(setFolder);
    int n = 0;
    if (!lines.empty()) {
        for (const ManifestLine& l : lines)
            work.push_back({QStringLiteral("File %1 (%2)").arg(++n).arg(l.gamePath), l.gamePath,
                setFolder + QLatin1Char('/') + l.name});
    } else {
        for (const QString& name : QDir(setFolder).entryList(QDir::Files, QDir::Name))
            work.push_back({QStringLiteral("File %1 (%2)").arg(++n).arg(name), intoFolder + QLatin1Char('/') + name,
                setFolder + QLatin1Char('/') + name});
    }
    return runRecordedReplacements(std::move(work), record, QStringLiteral("restore"), progress);
}

} // namespace sonaplex
