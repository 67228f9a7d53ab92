#include "info/frm_about.h"

#include "ui/desktop.h"
#include "ui/messages.h"
#include "ui/splash_art.h"
#include "ui/window_parts.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

const QUrl kProgramSite(QStringLiteral("https://archive.org/search?query=Sonaplex"));

namespace {
// A label that acts as a link: a click, or Enter or Space when it has the focus.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, std::function<void()> activate, QWidget* parent)
        : QLabel(text, parent), activate_(std::move(activate))
    {
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::StrongFocus);
        setTextFormat(Qt::PlainText);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            activate_();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->key() == Qt::Key_Space)
            activate_();
        else
            QLabel::keyPressEvent(e);
    }

private:
    std::function<void()> activate_;
};

// An etched separator: a dark line over a light one.
QFrame* etchedLine(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
} // namespace

FrmAbout::FrmAbout(Forms& forms) : Form(forms, QStringLiteral("frmAbout"), QStringLiteral("About Sonaplex"), CloseBox)
{
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(drawLogo(32));

    auto* frame = new QGroupBox(QStringLiteral("Sonaplex"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* version = makeLabel(QStringLiteral("lblVersion"), QStringLiteral("Version"), frame);
    auto* platform = makeLabel(QStringLiteral("LblWin95"), QStringLiteral("for Windows 95"), frame);
    auto* author = makeLabel(QStringLiteral("LblID"), QStringLiteral("Created by the Sonaplex developers"), frame);
    auto* mail = makeLabel(QStringLiteral("LblEMail"), QStringLiteral("EMail: sonaplex@example.org"), frame);
    auto* info = makeLabel(QStringLiteral("Lblinfo"), QStringLiteral("For more information about the program,"), frame);
    auto* info2 = makeLabel(QStringLiteral("Lblinfo2"), QStringLiteral("visit my website at:"), frame);
    auto* site = new LinkLabel(
        kProgramSite.toString(), [this] { Lblsite_Click(); }, frame);
    site->setObjectName(QStringLiteral("Lblsite"));
    setTextColour(site, kReplacementBlue);
    QFont underlined = site->font();
    underlined.setUnderline(true);
    site->setFont(underlined);
    site->setToolTip(QStringLiteral("Open the Sonaplex web site in your browser"));

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(version);
    versionRow->addWidget(platform);
    versionRow->addStretch(1);
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->addLayout(versionRow);
    for (QLabel* l : {author, mail, info, info2, static_cast<QLabel*>(site)})
        inFrame->addWidget(l);

    auto* description = makeLabel(QStringLiteral("lblDescription"),
        QStringLiteral(
            "Sonaplex is an audio replacement utility which allows the user to select and change the sound effects "
            "and background music played by various compatible games and programs. Sonaplex also provides the "
            "options to backup original program files, add selected background music to a \"Favorite Midi\" "
            "directory, and create and save sound effects sets."),
        this);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignCenter);
    description->setFixedWidth(380);

    auto* ok = makeButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), QString(), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FrmAbout::cmdOK_Click);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(frame, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(etchedLine(this));
    layout->addWidget(description);
    layout->addWidget(etchedLine(this));
    layout->addWidget(ok, 0, Qt::AlignRight);
    fixSize();
}

void FrmAbout::formLoad()
{
    setWindowTitle(QStringLiteral("About ") + QStringLiteral("Sonaplex"));
    findChild<QLabel*>(QStringLiteral("lblVersion"))->setText(QStringLiteral("Version ") + programVersion());
}

void FrmAbout::cmdOK_Click() { forms().unload(*this); }

void FrmAbout::Lblsite_Click()
{
    if (!openUrl(kProgramSite))
        showMessage(
            QStringLiteral("Error executing command.\nPlease sign on and retry."), QStringLiteral("Sonaplex"), this);
}

} // namespace sonaplex
