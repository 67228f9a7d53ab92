#pragma once
// libsndfile, loaded with the first wave file the program reads or writes (see
// loaded_library.h). Call its functions as sndfile().sf_open(...).
#include <QString>

#include <sndfile.h>

namespace sonaplex::audio {

#define SONAPLEX_SNDFILE_FUNCTIONS(X, api)                                                                             \
    X(api, sf_close)                                                                                                   \
    X(api, sf_command)                                                                                                 \
    X(api, sf_error)                                                                                                   \
    X(api, sf_format_check)                                                                                            \
    X(api, sf_open)                                                                                                    \
    X(api, sf_open_fd)                                                                                                 \
    X(api, sf_readf_float)                                                                                             \
    X(api, sf_seek)                                                                                                    \
    X(api, sf_strerror)                                                                                                \
    X(api, sf_writef_float)

struct SndfileApi {
#define SONAPLEX_SNDFILE_POINTER(api, name) decltype(&::name) name = nullptr;
    SONAPLEX_SNDFILE_FUNCTIONS(SONAPLEX_SNDFILE_POINTER, _)
#undef SONAPLEX_SNDFILE_POINTER
    QString error; // for the user; empty once every function was found
};

const SndfileApi& sndfile();

} // namespace sonaplex::audio
