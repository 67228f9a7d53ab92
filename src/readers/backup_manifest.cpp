#include "readers/backup_manifest.h"
#include "base/result.h"

#include <QCoreApplication>
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
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(BackupManifest)
};

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
        return FileResult::failure(Say::tr("cannot write in %1: %2").arg(folder, out.errorString()));
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
        return FileResult::failure(Say::tr("cannot write in %1: %2").arg(folder, out.errorString()));
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
        return FileResult::failure(Say::tr("cannot write in %1: %2").arg(folder, why));
    }
    if (!out.commit())
        return FileResult::failure(Say::tr("cannot write in %1: %2").arg(folder, out.errorString()));
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
    const Result<int> opened = openRegularFile(folder + QLatin1Char('/') + manifestName());
    const int fd = opened ? opened.value() : -1;
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

} // namespace sonaplex
