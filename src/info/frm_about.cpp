#include "info/frm_about.h"
#include "ui/window_names.h"

#include "ui/desktop.h"
#include "ui/messages.h"
#include "ui/splash_art.h"
#include "ui/window_parts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QUrl>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmAbout)
};
} // namespace

// The program's guide: installed with it, or beside the sources of a build that is not.
QUrl programGuide()
{
    const QStringList candidates{
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/sonaplex/README.md"),
        QString::fromUtf8(SONAPLEX_SOURCE_DIR "/README.md"),
    };
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return QUrl::fromLocalFile(QFileInfo(path).canonicalFilePath());
    return QUrl::fromLocalFile(QStringLiteral("/usr/share/doc/sonaplex/README.md"));
}

// The system the program runs on, for the about window: "Linux", or the system's own name.
QString platformName()
{
    return QSysInfo::kernelType() == QLatin1String("linux") ? Say::tr("Linux") : QSysInfo::prettyProductName();
}

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

FrmAbout::FrmAbout(Forms& forms) : Form(forms, windowName::frmAbout, Say::tr("About Sonaplex"), CloseBox)
{
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(drawLogo(32));

    auto* frame = new QGroupBox(QStringLiteral("Sonaplex"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* version = makeLabel(QStringLiteral("lblVersion"), Say::tr("Version"), frame);
    auto* platform = makeLabel(QStringLiteral("LblWin95"), Say::tr("for ") + platformName(), frame);
    auto* author = makeLabel(QStringLiteral("LblID"), Say::tr("Created by the Sonaplex developers"), frame);
    // There is no contact address to give; the guide that comes with the program takes the
    // place of a web site.
    auto* mail = makeLabel(QStringLiteral("LblEMail"), QString(), frame);
    mail->hide();
    auto* info = makeLabel(QStringLiteral("Lblinfo"), Say::tr("For more information about the program,"), frame);
    auto* info2 = makeLabel(QStringLiteral("Lblinfo2"), Say::tr("read its guide:"), frame);
    auto* site = new LinkLabel(
        programGuide().toLocalFile(), [this] { Lblsite_Click(); }, frame);
    site->setObjectName(QStringLiteral("Lblsite"));
    setTextColour(site, kReplacementBlue);
    QFont underlined = site->font();
    underlined.setUnderline(true);
    site->setFont(underlined);
    site->setToolTip(Say::tr("Open the Sonaplex guide"));

    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(version);
    versionRow->addWidget(platform);
    versionRow->addStretch(1);
    auto* inFrame = new QVBoxLayout(frame);
    inFrame->addLayout(versionRow);
    for (QLabel* l : {author, mail, info, info2, static_cast<QLabel*>(site)})
        inFrame->addWidget(l);

    auto* description = makeLabel(QStringLiteral("lblDescription"),
        Say::tr(
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
    setWindowTitle(Say::tr("About ") + QStringLiteral("Sonaplex"));
    findChild<QLabel*>(QStringLiteral("lblVersion"))->setText(QStringLiteral("Version ") + programVersion());
}

void FrmAbout::cmdOK_Click() { forms().unload(*this); }

void FrmAbout::Lblsite_Click()
{
    const QUrl guide = programGuide();
    if (!openUrl(guide))
        showMessage(Say::tr("No program could be started to show %1.\nOpen it with a text viewer or a web "
                            "browser.")
                        .arg(guide.toLocalFile()),
            QStringLiteral("Sonaplex"), this);
}

} // namespace sonaplex
