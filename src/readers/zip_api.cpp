#include "readers/zip_api.h"
#include <QCoreApplication>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ZipApi)
};
} // namespace

const ZipApi& libzip()
{
    static const ZipApi api
        = SONAPLEX_LOAD_LIBRARY(ZipApi, SONAPLEX_ZIP_FUNCTIONS, QStringLiteral(SONAPLEX_ZIP_LIBRARY),
            QStringLiteral("libzip"), Say::tr("sound packs cannot be read or made"), QStringLiteral("libzip4"));
    return api;
}

} // namespace sonaplex
