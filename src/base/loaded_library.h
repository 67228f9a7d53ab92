#pragma once
// Libraries the program loads when it first needs them, by their run-time names, rather than
// when it starts: each one linked is paid for at every start, before the first window.
#include <QString>

#include <initializer_list>

namespace sonaplex {

struct LibraryFunction {
    const char* name;
    void** slot; // set to the function, or null
    bool required = true;
};

struct LibraryLoad {
    QString loadError; // why the library could not be loaded
    QString missing; // the first required function it lacks
};

// Loads `library` (it stays loaded for the rest of the run) and looks up each function.
LibraryLoad loadLibraryFunctions(const QString& library, std::initializer_list<LibraryFunction> functions);

// Why a library cannot serve, for the user, or empty when it can: `name` is the library's,
// `purpose` what cannot be done without it, `package` the Debian package that brings it.
QString libraryProblem(const LibraryLoad& load, const QString& name, const QString& purpose, const QString& package);

} // namespace sonaplex

// One LibraryFunction for each function of an X-macro list, into the members of `api` named
// after the functions.
#define SONAPLEX_LIBRARY_FUNCTION(api, name) sonaplex::LibraryFunction{#name, reinterpret_cast<void**>(&(api).name)},
// A struct of pointers to the functions of an X-macro list, named after them, and `error`.
#define SONAPLEX_LIBRARY_POINTER(api, name) decltype(&::name) name = nullptr;
#define SONAPLEX_LIBRARY_API(Struct, FUNCTIONS)                                                                        \
    struct Struct {                                                                                                    \
        FUNCTIONS(SONAPLEX_LIBRARY_POINTER, _)                                                                         \
        QString error; /* for the user; empty once every function was found */                                         \
    }
// Such a struct, loaded: SONAPLEX_LOAD_LIBRARY(Api, FUNCTIONS, file, name, purpose, package).
#define SONAPLEX_LOAD_LIBRARY(Struct, FUNCTIONS, file, name, purpose, package)                                         \
    [] {                                                                                                               \
        Struct a;                                                                                                      \
        a.error = sonaplex::libraryProblem(                                                                            \
            sonaplex::loadLibraryFunctions(file, {FUNCTIONS(SONAPLEX_LIBRARY_FUNCTION, a)}), name, purpose, package); \
        return a;                                                                                                      \
    }()
#define SONAPLEX_LIBRARY_OPTIONAL(api, name)                                                                           \
    sonaplex::LibraryFunction{#name, reinterpret_cast<void**>(&(api).name), false},
