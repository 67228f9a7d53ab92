#include "base/loaded_library.h"

#include <QCoreApplication>
#include <QLibrary>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(LoadedLibrary)
};
} // namespace

LibraryLoad loadLibraryFunctions(const QString& library, std::initializer_list<LibraryFunction> functions)
{
    LibraryLoad result;
    QLibrary loaded(library);
    if (!loaded.load()) {
        result.loadError = loaded.errorString();
        return result;
    }
    for (const LibraryFunction& f : functions) {
        *f.slot = reinterpret_cast<void*>(loaded.resolve(f.name));
        if (!*f.slot && f.required && result.missing.isEmpty())
            result.missing = QString::fromLatin1(f.name);
    }
    return result; // the library stays loaded: QLibrary unloads only when asked
}

QString libraryProblem(const LibraryLoad& load, const QString& name, const QString& purpose, const QString& package)
{
    if (!load.loadError.isEmpty())
        return Say::tr("The %1 library could not be loaded (%2), so %3. Install the package %4.")
            .arg(name, load.loadError, purpose, package);
    if (!load.missing.isEmpty())
        return Say::tr("The %1 library has no %2, so %3.").arg(name, load.missing, purpose);
    return {};
}

} // namespace sonaplex
