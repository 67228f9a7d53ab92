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

} // namespace sonaplex
