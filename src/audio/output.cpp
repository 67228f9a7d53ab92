#include "audio/output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Output)
};


struct Module {
    OpenOutputFunction open = nullptr;
    PrepareOutputFunction prepare = nullptr;
    QString failure; // why it could not be loaded, for the user
};

// Loaded once, from beside the installed program's libraries, else from the build; it stays
// loaded for the rest of the run.
const Module& module()
{
    static const Module loaded = [] {
        const QString file = QStringLiteral("libsonaplex_output.so");
        QString reason = Say::tr("It is not installed.");
        for (const QString& place :
            {QCoreApplication::applicationDirPath() + QStringLiteral("/../" SONAPLEX_MODULE_SUBDIR "/") + file,
                QStringLiteral(SONAPLEX_BUILD_DIR "/") + file}) {
            if (!QFileInfo::exists(place))
                continue;
            QLibrary library(place);
            auto open = reinterpret_cast<OpenOutputFunction>(library.resolve("sonaplex_open_output"));
            auto prepare = reinterpret_cast<PrepareOutputFunction>(library.resolve("sonaplex_prepare_output"));
            if (open && prepare)
                return Module{open, prepare, {}};
            reason = library.errorString();
        }
        return Module{nullptr, nullptr,
            Say::tr("The program's audio output (%1) could not be loaded, so nothing can be heard. %2")
                .arg(file, reason)};
    }();
    return loaded;
}

} // namespace

void prepareOutput()
{
    if (module().prepare)
        module().prepare();
}

std::unique_ptr<OutputStream> openOutput(AudioSource& source, QString* error)
{
    if (!module().open) {
        *error = module().failure;
        return nullptr;
    }
    return std::unique_ptr<OutputStream>(module().open(&source, error));
}

} // namespace sonaplex::audio
