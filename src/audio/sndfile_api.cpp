#include "audio/sndfile_api.h"

#include "base/loaded_library.h"

namespace sonaplex::audio {

const SndfileApi& sndfile()
{
    static const SndfileApi api = [] {
        SndfileApi a;
        const LibraryLoad load = loadLibraryFunctions(QStringLiteral(SONAPLEX_SNDFILE_LIBRARY),
            {SONAPLEX_SNDFILE_FUNCTIONS(SONAPLEX_LIBRARY_FUNCTION, a)});
        if (!load.loadError.isEmpty())
            a.error = QStringLiteral("The libsndfile library could not be loaded (%1), so wave files cannot be read. "
                                     "Install the package libsndfile1.")
                          .arg(load.loadError);
        else if (!load.missing.isEmpty())
            a.error = QStringLiteral("The libsndfile library has no %1, so wave files cannot be read.").arg(load.missing);
        return a;
    }();
    return api;
}

} // namespace sonaplex::audio
