#include "readers/zip_api.h"

namespace sonaplex {

const ZipApi& libzip()
{
    static const ZipApi api = SONAPLEX_LOAD_LIBRARY(ZipApi, SONAPLEX_ZIP_FUNCTIONS, QStringLiteral(SONAPLEX_ZIP_LIBRARY),
        QStringLiteral("libzip"), QStringLiteral("sound packs cannot be read or made"), QStringLiteral("libzip4"));
    return api;
}

} // namespace sonaplex
