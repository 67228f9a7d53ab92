#include "music/frm_confirmations.h"
#include "ui/window_names.h"

#include "ui/window_parts.h"

namespace sonaplex {

FrmFavorites::FrmFavorites(Forms& forms)
    : ConfirmationWindow(
        forms, windowName::FrmFavorites, QStringLiteral("Add to Favorites"), QStringLiteral("CmdFavorites"))
{
    addLine(QStringLiteral("LblFavorites"), QStringLiteral("Successfully added to favorites"));
}

} // namespace sonaplex
