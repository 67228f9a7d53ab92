#include "base/original_store.h"

#include "base/content_hash.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sonaplex {

bool OriginalStore::holds(const QString& hash) const { return !hash.isEmpty() && QFileInfo(pathOf(hash)).isFile(); }

FileResult OriginalStore::keep(const QString& path, const QString& hash) const
{
    if (holds(hash))
        return FileResult::success();
    if (FileResult made = createFolder(folder_); !made)
        return made;
    const QByteArray from = QFile::encodeName(path), to = QFile::encodeName(pathOf(hash));
    struct stat st {};
    // A file with no other names can simply get one more: once SWITCH renames the new content
    // over it, only the store holds these blocks. A file with other names might be changed
    // through them, so it is copied.
    if (::stat(from.constData(), &st) == 0 && st.st_nlink == 1 && S_ISREG(st.st_mode)) {
        const bool made = ::link(from.constData(), to.constData()) == 0;
        if (made || errno == EEXIST) {
            if (FileResult synced = syncFolder(folder_); !synced) {
                if (made)
                    ::unlink(to.constData()); // not durably kept: nothing may rely on it
                return synced;
            }
            return FileResult::success();
        }
    }
    return copyReplace(path, pathOf(hash));
}

FileResult OriginalStore::keepCopy(const QString& path, const QString& hash) const
{
    if (holds(hash))
        return FileResult::success();
    if (FileResult made = createFolder(folder_); !made)
        return made;
    if (FileResult copied = copyReplace(path, pathOf(hash)); !copied)
        return copied;
    if (contentHash(pathOf(hash)).hash != hash) { // changed while it was copied
        drop(hash);
        return FileResult::failure(QStringLiteral("%1 changed while it was kept").arg(path));
    }
    return FileResult::success();
}

void OriginalStore::drop(const QString& hash) const
{
    if (!hash.isEmpty())
        ::unlink(QFile::encodeName(pathOf(hash)).constData());
}

} // namespace sonaplex
