#pragma once
// Files on a real disk for the tests: read, written, made unchangeable. Qt Core only, so that
// the engine's tests need nothing of the windows.
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTest>
#include <QtEndian>

#include <cmath>

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

// A 16-bit PCM wave file of a sine at `hz`, its header written out as the RIFF format says.
inline QByteArray wave(int rate, int channels, int frames, double hz)
{
    QByteArray data;
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c) {
            const qint16 s = qint16(8000 * std::sin(2 * M_PI * hz * i / rate));
            data.append(reinterpret_cast<const char*>(&s), 2);
        }
    auto u32 = [](quint32 v) { return QByteArray(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 4); };
    auto u16 = [](quint16 v) { return QByteArray(reinterpret_cast<const char*>(&(v = qToLittleEndian(v))), 2); };
    return "RIFF" + u32(quint32(36 + data.size())) + "WAVEfmt " + u32(16) + u16(1) + u16(quint16(channels))
        + u32(quint32(rate)) + u32(quint32(rate * channels * 2)) + u16(quint16(channels * 2)) + u16(16) + "data"
        + u32(quint32(data.size())) + data;
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
