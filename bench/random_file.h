#pragma once
// Files of random bytes for the benchmarks: nothing a file system or a disk can compress or
// share between files.
#include <QFile>
#include <QString>

#include <cstdint>
#include <random>

inline bool writeRandomFile(const QString& path, qint64 size, std::mt19937_64& random)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(1 << 20, '\0');
    for (qint64 done = 0; done < size; done += chunk.size()) {
        for (int i = 0; i < chunk.size(); i += 8)
            *reinterpret_cast<uint64_t*>(chunk.data() + i) = random();
        if (f.write(chunk) != chunk.size())
            return false;
    }
    return true;
}
