// The record's cache of content hashes: a game file's hash is remembered with the stamp of the
// file it was worked out from (base/file_stamp.h), and trusted only while the file still has it.
#include "record/replacement_record.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>


namespace sonaplex {

QString ReplacementRecord::knownHash(const QString& path)
{
    if (!open_)
        return {};
    const QString stamp = fileStamp(path);
    if (stamp.isEmpty())
        return {};
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("SELECT hash FROM known WHERE path = ? AND stamp = ?"));
    q.addBindValue(path);
    q.addBindValue(stamp);
    return checked(q, q.exec()) && q.next() ? q.value(0).toString() : QString();
}

FileResult ReplacementRecord::remember(const QString& path, const QString& hash)
{
    if (!open_)
        return unusable();
    const QString stamp = fileStamp(path);
    if (stamp.isEmpty() || hash.isEmpty())
        return FileResult::success(); // nothing to remember: the file is read next time
    QSqlQuery q(QSqlDatabase::database(connection_));
    q.prepare(QStringLiteral("INSERT OR REPLACE INTO known(path, stamp, hash) VALUES(?, ?, ?)"));
    q.addBindValue(path);
    q.addBindValue(stamp);
    q.addBindValue(hash);
    return checked(q, q.exec()) ? FileResult::success() : lastWriteFailure();
}

} // namespace sonaplex
