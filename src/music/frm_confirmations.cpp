#include "music/frm_confirmations.h"
#include "ui/window_names.h"

#include "ui/window_parts.h"
#include <QCoreApplication>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmConfirmations)
};
} // namespace

FrmFavorites::FrmFavorites(Forms& forms)
    : ConfirmationWindow(forms, windowName::FrmFavorites, Say::tr("Add to Favorites"), QStringLiteral("CmdFavorites"))
{
    addLine(QStringLiteral("LblFavorites"), Say::tr("Successfully added to favorites"));
}

} // namespace sonaplex
