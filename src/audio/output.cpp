#include "audio/output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace sonaplex::audio {

namespace {

// Where the module is: beside the installed program's libraries, else in the build.
OpenOutputFunction loadModule(QString* why)
{
    static QString failure;
    static const OpenOutputFunction open = []() -> OpenOutputFunction {
        const QString file = QStringLiteral("libsonaplex_output.so");
        const QStringList places{
            QCoreApplication::applicationDirPath() + QStringLiteral("/../" SONAPLEX_MODULE_SUBDIR "/") + file,
            QStringLiteral(SONAPLEX_BUILD_DIR "/") + file};
        QString reasons;
        for (const QString& place : places) {
            QLibrary module(place);
            if (!QLibrary::isLibrary(place) || !QFileInfo::exists(place))
                continue;
            if (auto f = reinterpret_cast<OpenOutputFunction>(module.resolve("sonaplex_open_output")))
                return f; // stays loaded for the rest of the run
            reasons = module.errorString();
        }
        failure = QStringLiteral("The program's audio output (%1) could not be loaded, so nothing can be heard. %2")
                      .arg(file, reasons.isEmpty() ? QStringLiteral("It is not installed.") : reasons)
                      .trimmed();
        return nullptr;
    }();
    if (!open)
        *why = failure;
    return open;
}

} // namespace

std::unique_ptr<OutputStream> openOutput(AudioSource& source, QString* error)
{
    QString why;
    const OpenOutputFunction open = loadModule(&why);
    if (!open) {
        *error = why;
        return nullptr;
    }
    return std::unique_ptr<OutputStream>(open(&source, error));
}

} // namespace sonaplex::audio
