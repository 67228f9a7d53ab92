// The record's cache of content hashes: a game file's hash is remembered with the stamp of the
// file it was worked out from, and trusted only while the file still has that stamp.
#include "base/replacement_record.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

#include <sys/stat.h>

namespace sonaplex {

// What changes whenever a file's content may have: the change time cannot be set by tools.
QString ReplacementRecord::stampOf(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    char stamp[160]; // QString::asprintf is several times slower, and a list of many files takes one each
    const int n = std::snprintf(stamp, sizeof stamp, "%llu:%llu:%lld:%lld.%lld:%lld.%lld", (unsigned long long)st.st_dev,
        (unsigned long long)st.st_ino, (long long)st.st_size, (long long)st.st_mtim.tv_sec,
        (long long)st.st_mtim.tv_nsec, (long long)st.st_ctim.tv_sec, (long long)st.st_ctim.tv_nsec);
    return QString::fromLatin1(stamp, n);
}

QString ReplacementRecord::knownHash(const QString& path) const
{
    if (!open_)
        return {};
    const QString stamp = stampOf(path);
    if (stamp.isEmpty())
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("SELECT hash FROM known WHERE path = ? AND stamp = ?"));
    q.addBindValue(path);
    q.addBindValue(stamp);
    return checked(q, q.exec()) && q.next() ? q.value(0).toString() : QString();
}

void ReplacementRecord::remember(const QString& path, const QString& hash)
{
    const QString stamp = stampOf(path);
    if (!open_ || stamp.isEmpty() || hash.isEmpty())
        return;
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO known(path, stamp, hash) VALUES(?, ?, ?)"));
    q.addBindValue(path);
    q.addBindValue(stamp);
    q.addBindValue(hash);
    checked(q, q.exec());
}

} // namespace sonaplex
