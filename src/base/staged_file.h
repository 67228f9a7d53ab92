#pragma once
#include <QString>

namespace sonaplex {

// One file to gather into a staging folder (a backup or a set waiting to be named), under the
// name it is to have there.
struct StagedFile {
    int selection;
    QString source;
    QString name; // in the folder; a name with folders ("music/x.mid") is kept with its folders
    QString origin = {}; // the game file it belongs to, when it is copied from elsewhere (a kept original)
};

} // namespace sonaplex
