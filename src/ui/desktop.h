#pragma once
#include <QString>
#include <QUrl>
#include <functional>

namespace sonaplex {

// "1.2.0", from the project version.
QString programVersion();

// Opens a web address in the user's browser; false when the system could not.
bool openUrl(const QUrl& url);
// Tests put their own opener here; an empty function restores the system's.
void setUrlOpener(std::function<bool(const QUrl&)> opener);

} // namespace sonaplex
