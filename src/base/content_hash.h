#pragma once
#include "base/files.h"

#include <QString>

namespace sonaplex {

// A file's content identity: XXH3 128-bit, 32 hex digits. Fast enough to run over every file a
// SWITCH touches (several GB/s); files are told apart, not authenticated.
struct HashResult {
    QString hash; // empty on failure
    FileResult result;
};
HashResult contentHash(const QString& path);

// The same hash taken over bytes as they pass, for a copy that hashes what it writes.
class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher&) = delete;
    ContentHasher& operator=(const ContentHasher&) = delete;
    void update(const char* data, size_t size);
    // Reads an open file to its end into the hash; false (errno set) when reading fails.
    bool updateFrom(int fd);
    QString digest() const;

private:
    void* state_;
};

} // namespace sonaplex
