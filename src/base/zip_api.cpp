#include "base/zip_api.h"

#include "base/loaded_library.h"

namespace sonaplex {

const ZipApi& libzip()
{
    static const ZipApi api = [] {
        ZipApi a;
        const LibraryLoad load = loadLibraryFunctions(
            QStringLiteral(SONAPLEX_ZIP_LIBRARY), {SONAPLEX_ZIP_FUNCTIONS(SONAPLEX_LIBRARY_FUNCTION, a)});
        if (!load.loadError.isEmpty())
            a.error = QStringLiteral("The libzip library could not be loaded (%1), so sound packs cannot be read or "
                                     "made. Install the package libzip4.")
                          .arg(load.loadError);
        else if (!load.missing.isEmpty())
            a.error = QStringLiteral("The libzip library has no %1, so sound packs cannot be read or made.")
                          .arg(load.missing);
        return a;
    }();
    return api;
}

} // namespace sonaplex
