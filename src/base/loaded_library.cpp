#include "base/loaded_library.h"

#include <QLibrary>

namespace sonaplex {

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

} // namespace sonaplex
