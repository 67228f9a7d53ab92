#include "app/frm_splash.h"
#include "ui/window_names.h"

#include "music/frm_midi.h"
#include "ui/desktop.h"
#include "ui/splash_art.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QResource>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmSplash)
};
} // namespace

FrmSplash::FrmSplash(Forms& forms) : Form(forms, windowName::frmSplash, QString(), 0)
{
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);

    auto* logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(artFromPixels(QResource(QStringLiteral(":/art/splash-logo.argb")).uncompressedData(), splashLogoSize));
    auto* title = new QLabel(frame);
    title->setObjectName(QStringLiteral("OLE1"));
    title->setPixmap(
        artFromPixels(QResource(QStringLiteral(":/art/splash-title.argb")).uncompressedData(), splashTitleSize));
    lblVersion_ = new QLabel(Say::tr("Version"), frame);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblVersion_->setAlignment(Qt::AlignRight);
    auto* rights = new QLabel(Say::tr("Sonaplex changes the sound effects and background music of your games. "
                                      "Back up the original game files before you switch them."),
        frame);
    rights->setObjectName(QStringLiteral("Lblrights"));
    rights->setWordWrap(true);
    cmdEnter_ = new QPushButton(Say::tr("Enter"), frame);
    cmdEnter_->setObjectName(QStringLiteral("CmdEntermidi"));
    cmdEnter_->setDefault(true);
    connect(cmdEnter_, &QPushButton::clicked, this, &FrmSplash::CmdEntermidi_Click);

    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addWidget(title, 1);
    auto* inner = new QVBoxLayout(frame);
    inner->addLayout(top);
    inner->addWidget(lblVersion_);
    inner->addWidget(rights);
    inner->addWidget(cmdEnter_, 0, Qt::AlignHCenter);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);
    fixSize();

    // Keys typed anywhere in the window reach the window's own handler.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void FrmSplash::formLoad() { lblVersion_->setText(Say::tr("Version ") + programVersion()); }

void FrmSplash::CmdEntermidi_Click()
{
    forms().hide(*this);
    forms().unload(*this);
    forms().showModeless<FrmMidi>();
}

bool FrmSplash::typedKey(QKeyEvent* event)
{
    // Enter and Space press the button; any other typed key ends the program.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        CmdEntermidi_Click();
        return true;
    default:
        break;
    }
    if (event->text().isEmpty())
        return false; // a modifier alone types nothing
    forms().unload(*this);
    return true;
}

void FrmSplash::keyPressEvent(QKeyEvent* event)
{
    if (!typedKey(event))
        Form::keyPressEvent(event);
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isVisible())
        return typedKey(static_cast<QKeyEvent*>(event));
    return Form::eventFilter(watched, event);
}

} // namespace sonaplex
