#pragma once
// Files on a real disk for the tests: read, written, made unchangeable. Qt Core only, so that
// the engine's tests need nothing of the windows.
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTest>

namespace sonaplex::test {

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// chattr +i: not even root may change or replace the file until it is lifted again.
class Immutable {
public:
    explicit Immutable(QString path) : path_(std::move(path))
    {
        ok_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
    }
    ~Immutable()
    {
        if (ok_)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
    }
    bool ok() const { return ok_; }

private:
    QString path_;
    bool ok_ = false;
};

#define REQUIRE_IMMUTABLE(guard)                                                                                       \
    if (!(guard).ok())                                                                                                 \
    QSKIP("this file system does not support chattr +i")

} // namespace sonaplex::test
