// Any bytes as a sound pack: the archive opened from memory with small limits and every entry
// inflated through the bounded reader, and the same bytes as a manifest alone. Nothing crashes
// or inflates past its limit, and a manifest that reads names only paths that stay inside a
// game folder, none twice in any case.
#include "readers/sound_pack.h"

#include <QSet>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace sonaplex;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    PackManifest manifest;
    PackRefusal why;
    if (readManifestJson(bytes, manifest, &why)) {
        QSet<QString> seen;
        for (const PackEntry& e : manifest.entries) {
            if (!packPathProblem(e.path).isEmpty() || seen.contains(e.path.toCaseFolded()) || e.hash.size() != 32)
                std::abort();
            seen.insert(e.path.toCaseFolded());
        }
    } else if (why.isEmpty()) {
        std::abort(); // a refusal always says why
    }

    PackLimits limits;
    limits.entryBytes = 1 << 20;
    limits.totalBytes = 4 << 20;
    limits.ratioFrom = 4096;
    if (std::unique_ptr<PackArchive> pack = PackArchive::fromBytes(bytes, &why, limits)) {
        qint64 total = 0;
        for (size_t i = 0; i < pack->manifest().entries.size(); ++i) {
            qint64 got = 0;
            PackRefusal damaged;
            pack->read(
                i,
                [&](const char*, size_t n) {
                    got += qint64(n);
                    return true;
                },
                &damaged);
            if (got > limits.entryBytes)
                std::abort();
            total += got;
        }
        if (total > limits.totalBytes)
            std::abort();
    } else if (why.isEmpty()) {
        std::abort();
    }
    return 0;
}
