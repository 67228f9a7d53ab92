#include "ui/desktop.h"

#include "version.h"

#include <QDesktopServices>

namespace sonaplex {

QString programVersion() { return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch); }

namespace {
std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> o;
    return o;
}
} // namespace

void setUrlOpener(std::function<bool(const QUrl&)> o) { opener() = std::move(o); }

bool openUrl(const QUrl& url) { return opener() ? opener()(url) : QDesktopServices::openUrl(url); }

} // namespace sonaplex
