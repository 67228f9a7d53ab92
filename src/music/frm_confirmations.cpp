#include "music/frm_confirmations.h"

#include "shell/window_parts.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

FrmReplaceConfirm::FrmReplaceConfirm(Forms& forms)
    : Form(forms, QStringLiteral("FrmReplaceConfirm"), QStringLiteral("Replacement Confirmation"), CloseBox)
{
    auto* top = new QGroupBox(this);
    top->setObjectName(QStringLiteral("Framtop"));
    auto* confirm = makeLabel(QStringLiteral("LblReplaceConfirm"), QStringLiteral("Replacement Successful"), top);
    confirm->setAlignment(Qt::AlignCenter);
    setBold(confirm);
    (new QVBoxLayout(top))->addWidget(confirm);

    auto* bottom = new QGroupBox(this);
    bottom->setObjectName(QStringLiteral("Frambot"));
    auto* exitFirst = makeLabel(QStringLiteral("Lblclose"), QStringLiteral("BE SURE TO EXIT SONAPLEX BEFORE STARTING GAME."), bottom);
    setTextColour(exitFirst, kGameRed);
    setBold(exitFirst);
    auto* note = makeLabel(QStringLiteral("LblSwitchNote"),
                           QStringLiteral("NOTE: Certain games must be shut down and restarted before \"Switch\" can take effect."), bottom);
    note->setWordWrap(true);
    auto* ok = makeButton(QStringLiteral("CmdReplaceConfirm"), QStringLiteral("OK"), QString(), bottom);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrmReplaceConfirm::CmdReplaceConfirm_Click);
    auto* lower = new QVBoxLayout(bottom);
    lower->addWidget(exitFirst);
    lower->addWidget(note);
    lower->addWidget(ok, 0, Qt::AlignHCenter);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(top);
    outer->addWidget(bottom);
    fixSize();
}

void FrmReplaceConfirm::CmdReplaceConfirm_Click()
{
    forms().hide(*this);
    forms().unload(*this);
}

FrmFavorites::FrmFavorites(Forms& forms) : Form(forms, QStringLiteral("FrmFavorites"), QStringLiteral("Add to Favorites"), CloseBox)
{
    auto* text = makeLabel(QStringLiteral("LblFavorites"), QStringLiteral("Successfully added to favorites"), this);
    text->setAlignment(Qt::AlignCenter);
    auto* ok = makeButton(QStringLiteral("CmdFavorites"), QStringLiteral("OK"), QString(), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrmFavorites::CmdFavorites_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    fixSize();
}

void FrmFavorites::CmdFavorites_Click()
{
    forms().hide(*this);
    forms().unload(*this);
}

} // namespace sonaplex
