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
    bool ok() const { return loadError.isEmpty() && missing.isEmpty(); }
};

// Loads `library` (it stays loaded for the rest of the run) and looks up each function.
LibraryLoad loadLibraryFunctions(const QString& library, std::initializer_list<LibraryFunction> functions);

} // namespace sonaplex

// One LibraryFunction for each function of an X-macro list, into the members of `api` named
// after the functions.
#define SONAPLEX_LIBRARY_FUNCTION(api, name) sonaplex::LibraryFunction{#name, reinterpret_cast<void**>(&(api).name)},
#define SONAPLEX_LIBRARY_OPTIONAL(api, name)                                                                           \
    sonaplex::LibraryFunction{#name, reinterpret_cast<void**>(&(api).name), false},
