#pragma once
// The audio libraries the program loads when it first needs them (see base/loaded_library.h):
// libsndfile with the first wave file, libsoxr with the first conversion to another rate,
// libebur128 with the first loudness measured,
// libopenmpt with the first tracker module. Call their functions as sndfile().sf_open(...).
#include "base/loaded_library.h"

#include <ebur128.h>
#include <libopenmpt/libopenmpt.h>
#include <sndfile.h>
#include <soxr.h>

namespace sonaplex::audio {

#define SONAPLEX_SNDFILE_FUNCTIONS(X, api)                                                                               \
    X(api, sf_close)                                                                                                     \
    X(api, sf_command)                                                                                                   \
    X(api, sf_error)                                                                                                     \
    X(api, sf_format_check)                                                                                              \
    X(api, sf_open)                                                                                                      \
    X(api, sf_open_fd)                                                                                                   \
    X(api, sf_open_virtual)                                                                                              \
    X(api, sf_readf_float)                                                                                               \
    X(api, sf_seek)                                                                                                      \
    X(api, sf_strerror)                                                                                                  \
    X(api, sf_writef_float)

#define SONAPLEX_SOXR_FUNCTIONS(X, api)                                                                                  \
    X(api, soxr_create)                                                                                                  \
    X(api, soxr_delete)                                                                                                  \
    X(api, soxr_io_spec)                                                                                                 \
    X(api, soxr_process)                                                                                                 \
    X(api, soxr_quality_spec)

#define SONAPLEX_EBUR128_FUNCTIONS(X, api)                                                                               \
    X(api, ebur128_add_frames_float)                                                                                     \
    X(api, ebur128_destroy)                                                                                              \
    X(api, ebur128_init)                                                                                                 \
    X(api, ebur128_loudness_global)                                                                                      \
    X(api, ebur128_loudness_window)                                                                                      \
    X(api, ebur128_sample_peak)                                                                                          \
    X(api, ebur128_set_channel)                                                                                          \
    X(api, ebur128_set_max_window)

#define SONAPLEX_OPENMPT_FUNCTIONS(X, api)                                                                               \
    X(api, openmpt_free_string)                                                                                          \
    X(api, openmpt_module_create_from_memory2)                                                                           \
    X(api, openmpt_module_destroy)                                                                                       \
    X(api, openmpt_module_get_duration_seconds)                                                                          \
    X(api, openmpt_module_get_metadata)                                                                                  \
    X(api, openmpt_module_get_num_channels)                                                                              \
    X(api, openmpt_module_read_interleaved_float_stereo)                                                                 \
    X(api, openmpt_module_set_position_seconds)

SONAPLEX_LIBRARY_API(SndfileApi, SONAPLEX_SNDFILE_FUNCTIONS);
SONAPLEX_LIBRARY_API(SoxrApi, SONAPLEX_SOXR_FUNCTIONS);
SONAPLEX_LIBRARY_API(Ebur128Api, SONAPLEX_EBUR128_FUNCTIONS);
SONAPLEX_LIBRARY_API(OpenmptApi, SONAPLEX_OPENMPT_FUNCTIONS);

const SndfileApi& sndfile();
const SoxrApi& soxr();
const Ebur128Api& ebur128();
const OpenmptApi& openmpt();

} // namespace sonaplex::audio
