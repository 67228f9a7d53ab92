#pragma once
// libzip, loaded with the first sound pack the program reads or writes (see loaded_library.h).
// Call its functions as libzip().zip_open(...).
#include "base/loaded_library.h"

#include <zip.h>

namespace sonaplex {

#define SONAPLEX_ZIP_FUNCTIONS(X, api)                                                                                   \
    X(api, zip_close)                                                                                                    \
    X(api, zip_compression_method_supported)                                                                             \
    X(api, zip_discard)                                                                                                  \
    X(api, zip_error_code_zip)                                                                                           \
    X(api, zip_error_fini)                                                                                               \
    X(api, zip_error_init)                                                                                               \
    X(api, zip_error_init_with_code)                                                                                     \
    X(api, zip_error_strerror)                                                                                           \
    X(api, zip_fclose)                                                                                                   \
    X(api, zip_fdopen)                                                                                                   \
    X(api, zip_file_add)                                                                                                 \
    X(api, zip_file_get_error)                                                                                           \
    X(api, zip_fopen_index)                                                                                              \
    X(api, zip_fread)                                                                                                    \
    X(api, zip_get_error)                                                                                                \
    X(api, zip_get_num_entries)                                                                                          \
    X(api, zip_name_locate)                                                                                              \
    X(api, zip_open)                                                                                                     \
    X(api, zip_open_from_source)                                                                                         \
    X(api, zip_set_file_compression)                                                                                     \
    X(api, zip_source_buffer)                                                                                            \
    X(api, zip_source_buffer_create)                                                                                     \
    X(api, zip_source_file)                                                                                              \
    X(api, zip_source_free)                                                                                              \
    X(api, zip_stat_index)                                                                                               \
    X(api, zip_stat_init)

SONAPLEX_LIBRARY_API(ZipApi, SONAPLEX_ZIP_FUNCTIONS);

const ZipApi& libzip();

} // namespace sonaplex
