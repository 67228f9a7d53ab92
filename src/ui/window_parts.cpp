#include "ui/window_parts.h"
#include "ui/window_names.h"
#include "ui/window_requests.h"

#include "ui/forms.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

#include <cmath>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(WindowParts)
};
} // namespace

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

QPushButton* makeRestoreButton(Form& window)
{
    auto* b = makeButton(QStringLiteral("CmdRestore"), Say::tr("Restore..."),
        Say::tr("See every game file Sonaplex replaced and put back originals (Ctrl+R)."), &window);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), &window);
    QObject::connect(shortcut, &QShortcut::activated, b, &QPushButton::click);
    QObject::connect(
        b, &QPushButton::clicked, &window, [&window] { window.forms().showModal(windowName::FrmRestore); });
    return b;
}

QPushButton* makeGameSoundsButton(Form& window, std::function<QString()> gameShown)
{
    auto* b = makeButton(QStringLiteral("CmdGameSounds"), Say::tr("Game Sounds..."),
        Say::tr("Every sound of a game in one list, each replaced as you choose (Ctrl+G)."), &window);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), &window);
    QObject::connect(shortcut, &QShortcut::activated, b, &QPushButton::click);
    QObject::connect(b, &QPushButton::clicked, &window, [&window, gameShown] {
        Form& sounds = window.forms().load(windowName::FrmGame);
        if (const QString game = gameShown ? gameShown() : QString(); !game.isEmpty())
            if (auto* shows = takes<ShowsGame>(sounds))
                shows->showGame(game); // the game the pane is on
        window.forms().showModal(sounds);
    });
    return b;
}

QPushButton* makePacksButton(Form& window)
{
    auto* b = makeButton(QStringLiteral("CmdPacks"), Say::tr("Packs..."),
        Say::tr("Open, check, apply and make sound packs (Ctrl+K)."), &window);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), &window);
    QObject::connect(shortcut, &QShortcut::activated, b, &QPushButton::click);
    QObject::connect(b, &QPushButton::clicked, &window, [&window] { window.forms().showModal(windowName::FrmPacks); });
    return b;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

namespace {
double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& background)
{
    if (contrastRatio(colour, background) >= 4.5)
        return colour;
    // The same hue, darker on a light background and lighter on a dark one, until it reads.
    const bool darkBackground = luminance(background) < 0.18;
    QColor c = colour.toHsl();
    for (int step = 0; step < 100 && contrastRatio(c, background) < 4.5; ++step) {
        const int l = c.lightness();
        c.setHsl(c.hslHue(), c.hslSaturation(), darkBackground ? std::min(255, l + 4) : std::max(0, l - 4));
    }
    return c.toRgb();
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, readableOn(colour, p.color(QPalette::Window)));
    widget->setPalette(p);
}

void useTimes(QWidget* widget, double points, bool bold)
{
    QFont times(QStringLiteral("Times New Roman"));
    times.setPointSizeF(points);
    times.setBold(bold);
    widget->setFont(times);
}

void usePlainFont(QWidget* widget)
{
    QFont plain = QApplication::font();
    plain.setResolveMask(QFont::AllPropertiesResolved); // set, not inherited from the frame
    widget->setFont(plain);
}

void setBold(QWidget* widget, bool bold)
{
    QFont f = widget->font();
    f.setBold(bold);
    widget->setFont(f);
}

NameLabel::NameLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
}

bool NameLabel::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip || text().isEmpty())
        return QLabel::event(event);
    const QString tip = toolTip().isEmpty() ? text() : text() + QLatin1Char('\n') + toolTip();
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
    return true;
}

QString oneLine(QString name)
{
    return name.replace(QLatin1Char('\n'), QChar(0x23CE)).replace(QLatin1Char('\r'), QChar(0x23CE));
}

QSize NameLabel::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const int margins = contentsMargins().left() + contentsMargins().right() + 2 * margin();
    return {std::min(fm.horizontalAdvance(oneLine(text())), 40 * fm.averageCharWidth()) + margins,
        std::max(fm.height(), minimumHeight())};
}

QSize NameLabel::minimumSizeHint() const { return {minimumWidth(), std::max(fontMetrics().height(), minimumHeight())}; }

void NameLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QString shown = fontMetrics().elidedText(oneLine(text()), Qt::ElideMiddle, area.width());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(area, int(alignment()) | Qt::TextSingleLine, shown);
}

} // namespace sonaplex
