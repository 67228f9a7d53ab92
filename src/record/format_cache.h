#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct sqlite3;

namespace sonaplex {

// What was read of sound files (their format and length), remembered in the program folder with
// each file's stamp (base/file_stamp.h) and trusted only while the file still has it: a game's
// sounds are read once, not again each time a window shows them or a command lists them. Only a
// cache: one that cannot be opened is empty, one that cannot be written forgets, a damaged one is
// made anew, and what it holds is never taken for more than what the files' headers said.
// One object per thread.
class FormatCache {
public:
    // `file` empty: a cache that remembers nothing.
    explicit FormatCache(const QString& file);
    ~FormatCache();
    FormatCache(const FormatCache&) = delete;
    FormatCache& operator=(const FormatCache&) = delete;

    // What is remembered of each of `paths` (all under `folder`) for the stamp the file has now,
    // empty where nothing is; `stamps` gets the stamps, for remember().
    std::vector<QByteArray> lookUp(const QString& folder, const QStringList& paths, std::vector<QString>& stamps);
    // Remembers what was read of these files (empty: nothing) under the stamps they had before
    // they were read: a file changed while it was read is read again next time.
    void remember(const QStringList& paths, const std::vector<QString>& stamps, const std::vector<QByteArray>& read);

private:
    bool open(const QString& file);
    sqlite3* db_ = nullptr;
    int lastError_ = 0; // SQLite's code for why the last open failed
};

// Where the program folder keeps it.
inline QString formatCacheIn(const QString& programFolder)
{
    return programFolder.isEmpty() ? QString() : programFolder + QStringLiteral("/formats.cache");
}

} // namespace sonaplex
