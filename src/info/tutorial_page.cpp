#include "info/tutorial_page.h"
#include "ui/window_names.h"

#include "ui/window_parts.h"
#include "ui/window_pictures.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The page's texts, in the language the program speaks (the table holds the source texts).
QString said(const QString& text) { return QCoreApplication::translate("TutorialPage", text.toUtf8().constData()); }

// The page is laid out for its English texts, in place. A longer text takes a smaller font, down
// to a size still read easily, rather than lose its end.
constexpr double kSmallestPoints = 6.5;
template <typename Cut> void shrinkUntilWhole(QWidget* w, Cut cut)
{
    QFont f = w->font();
    while (cut() && f.pointSizeF() - 0.5 >= kSmallestPoints) {
        f.setPointSizeF(f.pointSizeF() - 0.5);
        w->setFont(f);
    }
}

// Twips of the page's design, at 15 twips a pixel, enlarged by a third so today's fonts fit.
int px(int twips) { return twips * 4 / 45; }
QRect px(const QRect& r) { return QRect(px(r.left()), px(r.top()), px(r.width()), px(r.height())); }

// Where a line from a note frame starts: the point of the frame's edge nearest to the target.
QPointF edgeToward(const QRectF& frame, const QPointF& target)
{
    return QPointF(
        std::clamp(target.x(), frame.left(), frame.right()), std::clamp(target.y(), frame.top(), frame.bottom()));
}
// Lies over the whole page and draws the connector lines above the pictures.
class LineLayer : public QWidget {
public:
    LineLayer(const std::vector<TutorialPage::Line>& lines, QWidget* page) : QWidget(page), lines_(lines)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(page->rect());
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        p.setBrush(palette().color(QPalette::WindowText));
        for (const TutorialPage::Line& l : lines_) {
            p.drawLine(l.line);
            p.drawEllipse(l.line.p2(), 2, 2);
        }
    }

private:
    const std::vector<TutorialPage::Line>& lines_;
};
} // namespace

const std::vector<PageSetup>& tutorialPages()
{
    static const std::vector<PageSetup> pages = {
#include "info/tutorial_pages_data.inc"
    };
    return pages;
}

TutorialPage::TutorialPage(Forms& forms, const QString& name, const std::vector<Connector>& connectors)
    : Form(forms, name, QString(), CloseBox)
{
    const auto& pages = tutorialPages();
    const auto page = std::find_if(pages.begin(), pages.end(), [&](const PageSetup& p) { return p.name == name; });
    Q_ASSERT(page != pages.end());
    setWindowTitle(said(page->title));
    setFixedSize(px(page->client.width()), px(page->client.height()));

    QHash<QString, QWidget*> frames;
    struct Placed {
        QPointF origin;
        double scale = 1;
        const WindowPicture* picture = nullptr;
    };
    QHash<QString, Placed> pictures;
    for (const PageItem& item : page->items) {
        switch (item.kind) {
        case PageItem::Frame: {
            auto* frame = new QGroupBox(said(item.text), this);
            frame->setObjectName(item.name);
            useTimes(frame, 9.75, true);
            frame->setGeometry(px(item.place));
            (new QVBoxLayout(frame))->setContentsMargins(3, 0, 3, 2);
            frame->layout()->setSpacing(0);
            frames.insert(item.name, frame);
            break;
        }
        case PageItem::Label: {
            QWidget* parent = item.in.isEmpty() ? static_cast<QWidget*>(this) : frames.value(item.in);
            auto* label = makeLabel(item.name, said(item.text), parent);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignCenter);
            usePlainFont(label);
            if (!item.font.family.isEmpty()) {
                QFont f = label->font();
                f.setFamily(item.font.family);
                f.setPointSizeF(item.font.points);
                f.setBold(item.font.bold);
                label->setFont(f);
            }
            if (item.red)
                setTextColour(label, kGameRed);
            if (item.in.isEmpty())
                label->setGeometry(px(item.place));
            else
                parent->layout()->addWidget(label);
            break;
        }
        case PageItem::Button:
            makeButton(item.name, said(item.text), QString(), this)->setGeometry(px(item.place));
            break;
        case PageItem::Picture: {
            const WindowPicture& picture = forms.windowPicture(item.text);
            const QRect area = px(item.place);
            auto* label = new QLabel(this);
            label->setObjectName(item.name);
            label->setFrameShape(QFrame::Box);
            label->setGeometry(area);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            const QPixmap scaled
                = picture.image.scaled(area.size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            label->setPixmap(scaled);
            label->setAccessibleName(
                QCoreApplication::translate("TutorialPage", "Picture of the window %1").arg(item.text));
            const double scale = picture.image.isNull() ? 1.0 : double(scaled.width()) / picture.image.width();
            pictures.insert(item.name, {area.topLeft() + QPointF(1, 1), scale, &picture});
            break;
        }
        }
    }

    for (QWidget* frame : std::as_const(frames)) {
        frame->layout()->activate();
        for (QLabel* label : frame->findChildren<QLabel*>()) {
            shrinkUntilWhole(label, [label] { return label->heightForWidth(label->width()) > label->height(); });
            // Still longer: the frame grows down into free room of the page, if there is some.
            const int missing = label->heightForWidth(label->width()) - label->height();
            if (missing <= 0)
                continue;
            const QRect grown = frame->geometry().adjusted(0, 0, 0, missing);
            const QRect strip(grown.left(), frame->geometry().bottom() + 1, grown.width(), missing);
            bool free = rect().contains(grown);
            for (QWidget* other : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                free = free && (other == frame || !other->geometry().intersects(strip));
            if (free) {
                frame->setGeometry(grown);
                frame->layout()->activate();
            }
        }
    }
    for (QPushButton* b : findChildren<QPushButton*>())
        shrinkUntilWhole(b, [b] { return b->sizeHint().width() > b->width(); });

    for (const Connector& c : connectors) {
        const Placed placed = pictures.value(c.picture);
        QWidget* note = frames.value(c.note);
        if (!placed.picture || !note || !placed.picture->controls.contains(c.target))
            continue;
        const QRectF control = placed.picture->controls.value(c.target);
        const QRectF target(placed.origin + control.topLeft() * placed.scale, control.size() * placed.scale);
        const QPointF end = target.center();
        lines_.push_back({c, QLineF(edgeToward(QRectF(note->geometry()), end), end), target});
    }
    if (!lines_.empty())
        new LineLayer(lines_, this);
}

QPushButton* TutorialPage::button(const QString& name) const { return findChild<QPushButton*>(name); }

void TutorialPage::closePage()
{
    forms().hide(*this);
    forms().unload(*this);
}

FrmMidiHelp::FrmMidiHelp(Forms& forms)
    : TutorialPage(forms, windowName::FrmMidiHelp,
        {{QStringLiteral("FrmStepOne"), QStringLiteral("Image1"), QStringLiteral("DirMidi2")},
            {QStringLiteral("FrmStepTwo"), QStringLiteral("Image1"), QStringLiteral("DirMidi1")},
            {QStringLiteral("FrmStepThree"), QStringLiteral("Image1"), QStringLiteral("CmdChooseGame1mid")},
            {QStringLiteral("FrmStepFour"), QStringLiteral("Image1"), QStringLiteral("CmdReplaceMidi1")},
            {QStringLiteral("FrmStepFive"), QStringLiteral("Image1"), QStringLiteral("FramMidiSel2")},
            {QStringLiteral("FrmRemove"), QStringLiteral("Image1"), QStringLiteral("CmdRemoveMidi2")},
            {QStringLiteral("FrmSignify"), QStringLiteral("Image1"), QStringLiteral("LblGameMidi3")},
            {QStringLiteral("FrmStepSix"), QStringLiteral("Image1"), QStringLiteral("CmdSonaplex")},
            {QStringLiteral("FrmMultimedia"), QStringLiteral("Image1"), QStringLiteral("MMControlMidi2")},
            {QStringLiteral("FrmEffects"), QStringLiteral("Image1"), QStringLiteral("CmdGotoWavSelect1")}})
{
    connect(button(QStringLiteral("CmdMidiHelpOK")), &QPushButton::clicked, this, &FrmMidiHelp::CmdMidiHelpOK_Click);
}

FrmMidiHelp2::FrmMidiHelp2(Forms& forms)
    : TutorialPage(forms, windowName::FrmMidiHelp2,
        {{QStringLiteral("FrmStepOne"), QStringLiteral("Image1"), QStringLiteral("CmdMidiBackup")},
            {QStringLiteral("FrmStepTwo"), QStringLiteral("Image1"), QStringLiteral("CmdSwitch3")},
            {QStringLiteral("FrmRemove2"), QStringLiteral("Image1"), QStringLiteral("CmdMidiRemove1")},
            {QStringLiteral("FrmStepFour"), QStringLiteral("Image1"), QStringLiteral("CmdFavorites")},
            {QStringLiteral("FrmStepFive"), QStringLiteral("Image1"), QStringLiteral("CmdExitFrmCopyMidi")},
            {QStringLiteral("FrmSignifyGame"), QStringLiteral("Image1"), QStringLiteral("LblFileName3b")},
            {QStringLiteral("FrmSignifyReplace"), QStringLiteral("Image1"), QStringLiteral("LblMidiFileName3")}})
{
    connect(
        button(QStringLiteral("CmdAboutBackup1")), &QPushButton::clicked, this, &FrmMidiHelp2::CmdAboutBackup1_Click);
    connect(button(QStringLiteral("CmdMidiHelpOK2")), &QPushButton::clicked, this, &FrmMidiHelp2::CmdMidiHelpOK2_Click);
}

void FrmMidiHelp2::CmdAboutBackup1_Click() { forms().showModal<FrmBackupHelpMidi>(); }

FrmWavHelp1::FrmWavHelp1(Forms& forms)
    : TutorialPage(forms, windowName::FrmWavHelp1,
        {{QStringLiteral("FrmStepOne"), QStringLiteral("Image1"), QStringLiteral("DirWav1")},
            {QStringLiteral("FrmStepTwo"), QStringLiteral("Image1"), QStringLiteral("DirWav2")},
            {QStringLiteral("FrmStepThree"), QStringLiteral("Image1"), QStringLiteral("CmdChooseGame2")},
            {QStringLiteral("FrmStepFour"), QStringLiteral("Image1"), QStringLiteral("CmdReplaceWav2")},
            {QStringLiteral("FrmStepFive"), QStringLiteral("Image1"), QStringLiteral("Frame4")},
            {QStringLiteral("FrmRemove"), QStringLiteral("Image1"), QStringLiteral("CmdRemove4")},
            {QStringLiteral("FrmSignify"), QStringLiteral("Image1"), QStringLiteral("LblGameWav6")},
            {QStringLiteral("FrmStepSix"), QStringLiteral("Image1"), QStringLiteral("CmdSwitch")},
            {QStringLiteral("FrmMultimedia"), QStringLiteral("Image1"), QStringLiteral("MMControlWav2")},
            {QStringLiteral("FrmEffects"), QStringLiteral("Image1"), QStringLiteral("CmdQuit2")}})
{
    connect(button(QStringLiteral("CmdWavHelp1OK")), &QPushButton::clicked, this, &FrmWavHelp1::CmdWavHelp1OK_Click);
}

FrmWavHelp2::FrmWavHelp2(Forms& forms)
    : TutorialPage(forms, windowName::FrmWavHelp2,
        {{QStringLiteral("FrmStepOne"), QStringLiteral("Image1"), QStringLiteral("CmdWavBackup")},
            {QStringLiteral("FrmStepTwo"), QStringLiteral("Image1"), QStringLiteral("CmdSwitch2")},
            {QStringLiteral("FrmRemove2"), QStringLiteral("Image1"), QStringLiteral("CmdClear1")},
            {QStringLiteral("FrmStepFour"), QStringLiteral("Image1"), QStringLiteral("CmdCreateSet")},
            {QStringLiteral("FrmStepFive"), QStringLiteral("Image1"), QStringLiteral("CmdExitFrmCopyWavs")},
            {QStringLiteral("FrmSignifyGame"), QStringLiteral("Image1"), QStringLiteral("LblFileName6")},
            {QStringLiteral("FrmSignifyReplace"), QStringLiteral("Image1"), QStringLiteral("LblRepFile6")}})
{
    connect(
        button(QStringLiteral("CmdAboutBackup2")), &QPushButton::clicked, this, &FrmWavHelp2::CmdAboutBackup2_Click);
    connect(
        button(QStringLiteral("CmdSaveSetsInfo")), &QPushButton::clicked, this, &FrmWavHelp2::CmdSaveSetsInfo_Click);
    connect(button(QStringLiteral("CmdWavHelp2OK")), &QPushButton::clicked, this, &FrmWavHelp2::CmdWavHelp2OK_Click);
}

void FrmWavHelp2::CmdAboutBackup2_Click() { forms().showModal<FrmBackupHelpWav>(); }
void FrmWavHelp2::CmdSaveSetsInfo_Click() { forms().showModal<FrmSaveSetInfo>(); }

FrmBackupHelpMidi::FrmBackupHelpMidi(Forms& forms) : TutorialPage(forms, windowName::FrmBackupHelpMidi)
{
    connect(button(QStringLiteral("CmdBackupHelpMidi")), &QPushButton::clicked, this,
        &FrmBackupHelpMidi::CmdBackupHelpMidi_Click);
}

FrmBackupHelpWav::FrmBackupHelpWav(Forms& forms) : TutorialPage(forms, windowName::FrmBackupHelpWav)
{
    connect(button(QStringLiteral("CmdBackupHelpWav")), &QPushButton::clicked, this,
        &FrmBackupHelpWav::CmdBackupHelpWav_Click);
}

FrmSaveSetInfo::FrmSaveSetInfo(Forms& forms) : TutorialPage(forms, windowName::FrmSaveSetInfo)
{
    connect(button(QStringLiteral("CmdSetSaveInfoOK")), &QPushButton::clicked, this,
        &FrmSaveSetInfo::CmdSetSaveInfoOK_Click);
}

namespace {
// Each later window's help: its notes, each joined to the control of the window it explains.
std::vector<Connector> windowHelpNotes(const QString& page)
{
    using Notes = std::vector<std::pair<const char*, const char*>>;
    static const QHash<QString, Notes> notes{
        {QString(windowName::FrmRestoreHelp),
            {{"FrmReplacedFiles", "LstReplaced"}, {"FrmRestoreFiles", "CmdRestoreSelected"},
                {"FrmUndo", "CmdUndoLastSwitch"}, {"FrmUpdate", "CmdReplaceAgain"}, {"FrmBackupSets", "CmdRestoreSet"},
                {"FrmFreeSpace", "CmdFreeSpace"}}},
        {QString(windowName::FrmPacksHelp),
            {{"FrmOpenPack", "CmdOpenPack"}, {"FrmPackGame", "CboPackGame"}, {"FrmPackEntries", "LstPackEntries"},
                {"FrmApplyPack", "CmdApplyPack"}, {"FrmTakeOff", "CmdRemovePack"}, {"FrmMakePack", "CmdPackFromGame"}}},
        {QString(windowName::FrmGameHelp),
            {{"FrmGameChoice", "CboGame"}, {"FrmGameSounds", "LstGameSounds"}, {"FrmChoose", "CmdChooseReplacement"},
                {"FrmCompare", "CmdCompare"}, {"FrmGameSwitch", "CmdSwitchGame"}, {"FrmReplaceAgain", "CmdReplaceAgain"}}},
    };
    std::vector<Connector> joined;
    for (const auto& [note, target] : notes.value(page))
        joined.push_back({QLatin1String(note), QStringLiteral("Image1"), QLatin1String(target)});
    return joined;
}
} // namespace

WindowHelpPage::WindowHelpPage(Forms& forms, const QString& name) : TutorialPage(forms, name, windowHelpNotes(name))
{
    for (QPushButton* ok : findChildren<QPushButton*>()) // its one button
        connect(ok, &QPushButton::clicked, this, &WindowHelpPage::closePage);
}

} // namespace sonaplex
