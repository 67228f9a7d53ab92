#include "ui/replace_confirm.h"
#include "ui/window_names.h"

#include "ui/window_parts.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReplaceConfirm)
};
} // namespace

FrmReplaceConfirm::FrmReplaceConfirm(Forms& forms)
    : ConfirmationWindow(
        forms, windowName::FrmReplaceConfirm, Say::tr("Replacement Confirmation"), QStringLiteral("CmdReplaceConfirm"))
{
    auto* top = new QGroupBox(this);
    top->setObjectName(QStringLiteral("Framtop"));
    auto* confirm = makeLabel(QStringLiteral("LblReplaceConfirm"), Say::tr("Replacement Successful"), top);
    confirm->setAlignment(Qt::AlignCenter);
    setBold(confirm);
    (new QVBoxLayout(top))->addWidget(confirm);

    auto* bottom = new QGroupBox(this);
    bottom->setObjectName(QStringLiteral("Frambot"));
    auto* exitFirst
        = makeLabel(QStringLiteral("Lblclose"), Say::tr("BE SURE TO EXIT SONAPLEX BEFORE STARTING GAME."), bottom);
    setTextColour(exitFirst, kGameRed);
    setBold(exitFirst);
    auto* note = makeLabel(QStringLiteral("LblSwitchNote"),
        Say::tr("NOTE: Certain games must be shut down and restarted before \"Switch\" can take effect."), bottom);
    note->setWordWrap(true);
    auto* lower = new QVBoxLayout(bottom);
    lower->addWidget(exitFirst);
    lower->addWidget(note);

    body()->addWidget(top);
    body()->addWidget(bottom);
}

} // namespace sonaplex
