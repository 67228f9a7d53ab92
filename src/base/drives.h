#pragma once
#include <QStringList>

namespace sonaplex {

// The drives a browser pane offers: on Linux the mount points of real file systems, "/"
// first, then the existing folders of `places` (the home folder, the program folder: hidden
// folders a user could not reach otherwise); on Windows the drive letters ("C:\").
QStringList listDrives(const QStringList& places = {});

// Which of `drives` (as listDrives names them) holds `path`.
QString driveOf(const QString& path, const QStringList& drives);

// The folder a drive's own name stands for when it is chosen: its root.
QString driveRoot(const QString& drive);

} // namespace sonaplex
