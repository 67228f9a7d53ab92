#include "audio/libraries.h"
#include <QCoreApplication>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Libraries)
};
} // namespace

const SndfileApi& sndfile()
{
    static const SndfileApi api
        = SONAPLEX_LOAD_LIBRARY(SndfileApi, SONAPLEX_SNDFILE_FUNCTIONS, QStringLiteral(SONAPLEX_SNDFILE_LIBRARY),
            QStringLiteral("libsndfile"), Say::tr("wave files cannot be read"), QStringLiteral("libsndfile1"));
    return api;
}

const SoxrApi& soxr()
{
    static const SoxrApi api = SONAPLEX_LOAD_LIBRARY(SoxrApi, SONAPLEX_SOXR_FUNCTIONS,
        QStringLiteral(SONAPLEX_SOXR_LIBRARY), QStringLiteral("libsoxr"),
        Say::tr("sounds cannot be converted to another rate"), QStringLiteral("libsoxr0"));
    return api;
}

const Ebur128Api& ebur128()
{
    static const Ebur128Api api
        = SONAPLEX_LOAD_LIBRARY(Ebur128Api, SONAPLEX_EBUR128_FUNCTIONS, QStringLiteral(SONAPLEX_EBUR128_LIBRARY),
            QStringLiteral("libebur128"), Say::tr("loudness cannot be measured"), QStringLiteral("libebur128-1"));
    return api;
}

const OpenmptApi& openmpt()
{
    static const OpenmptApi api
        = SONAPLEX_LOAD_LIBRARY(OpenmptApi, SONAPLEX_OPENMPT_FUNCTIONS, QStringLiteral(SONAPLEX_OPENMPT_LIBRARY),
            QStringLiteral("libopenmpt"), Say::tr("tracker modules cannot be played"), QStringLiteral("libopenmpt0"));
    return api;
}

} // namespace sonaplex::audio
