#pragma once
#include "base/files.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace sonaplex {

// The contents game files held before Sonaplex replaced them, and the contents it put there,
// kept in a folder of the program folder under their content hash, so that one content is kept
// once. Nothing is removed from
// it behind the user's back: only forgetting entries in the restore window frees it.
class OriginalStore {
public:
    explicit OriginalStore(QString folder) : folder_(std::move(folder)) {}

    const QString& folder() const { return folder_; }
    QString pathOf(const QString& hash) const { return folder_ + QLatin1Char('/') + hash; }
    bool holds(const QString& hash) const;

    // Keeps what `path` holds now under `hash`, durably, before the file is replaced. On the
    // same file system the file is linked, not copied (the replaced file's blocks stay ours);
    // elsewhere it is copied whole. Nothing is kept when this fails (disk full, ...).
    // `syncFolder` false leaves making the store's folder durable to the caller (one
    // syncFolder(folder()) after keeping many).
    FileResult keep(const QString& path, const QString& hash, bool syncFolder = true) const;
    // Keeps a copy of what each `path` holds under its `hash` (never a link: the path stays in
    // use and may be changed in place): every copy is written out together, each hashed as it is
    // copied and kept only when it has its hash, and the store's folder is made durable once.
    // What each copy came to, in order.
    std::vector<FileResult> keepCopies(const std::vector<std::pair<QString, QString>>& files) const;
    // Keeps files of the program's own that hold these hashes (known to, as they were hashed and
    // have not changed since) by giving each a name in the store: its data made durable, the
    // store's folder once. Only for files nothing changes in place.
    void adopt(const std::vector<std::pair<QString, QString>>& files) const;
    // Removes a kept content (when no entry of the record needs it any more).
    void drop(const QString& hash) const;
    // What the kept contents take, in bytes: all of them, or these.
    qint64 bytes() const;
    qint64 bytesOf(const QStringList& hashes) const;

private:
    QString folder_;
};

} // namespace sonaplex
