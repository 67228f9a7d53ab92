#pragma once
#include <QString>

namespace sonaplex {

// What is wrong with the record, or has just happened to it, that the user should hear of:
// the windows and the command line put it in words.
struct RecordProblem {
    enum class Kind {
        None,
        CannotOpen, // the record at `path` cannot be opened (`cause`); it is kept as it is
        MovedAside, // it was damaged (`cause`), moved to `movedTo`, and a new one started with the
                    // `salvaged` replacements still readable; originals are kept in `originals`
        CannotReplace, // the record in the folder `path` is damaged (`cause`) and no new one could
                       // be started (`newCause`)
        ReadWriteFailed, // the record at `path` could not be read or written (`cause`)
        ReplacedUnderUs, // the record at `path` was deleted or replaced while the program ran;
                         // the file now at that path is used
    };
    Kind kind = Kind::None;
    QString path = {}, cause = {}, movedTo = {}, newCause = {}, originals = {};
    int salvaged = 0;
    bool isEmpty() const { return kind == Kind::None; }
};

} // namespace sonaplex
