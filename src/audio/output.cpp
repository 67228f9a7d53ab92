#include "audio/output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace sonaplex::audio {

namespace {

struct Module {
    OpenOutputFunction open = nullptr;
    QString failure; // why it could not be loaded, for the user
};

// Loaded once, from beside the installed program's libraries, else from the build; it stays
// loaded for the rest of the run.
const Module& module()
{
    static const Module loaded = [] {
        const QString file = QStringLiteral("libsonaplex_output.so");
        QString reason = QStringLiteral("It is not installed.");
        for (const QString& place :
            {QCoreApplication::applicationDirPath() + QStringLiteral("/../" SONAPLEX_MODULE_SUBDIR "/") + file,
                QStringLiteral(SONAPLEX_BUILD_DIR "/") + file}) {
            if (!QFileInfo::exists(place))
                continue;
            QLibrary library(place);
            if (auto open = reinterpret_cast<OpenOutputFunction>(library.resolve("sonaplex_open_output")))
                return Module{open, {}};
            reason = library.errorString();
        }
        return Module{nullptr,
            QStringLiteral("The program's audio output (%1) could not be loaded, so nothing can be heard. %2")
                .arg(file, reason)};
    }();
    return loaded;
}

} // namespace

std::unique_ptr<OutputStream> openOutput(AudioSource& source, QString* error)
{
    if (!module().open) {
        *error = module().failure;
        return nullptr;
    }
    return std::unique_ptr<OutputStream>(module().open(&source, error));
}

} // namespace sonaplex::audio
