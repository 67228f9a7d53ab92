#include "ui/window_parts.h"

#include "ui/forms.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace sonaplex {

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
    auto* b = makeButton(QStringLiteral("CmdRestore"), QStringLiteral("Restore..."),
        QStringLiteral("See every game file Sonaplex replaced and put back originals (Ctrl+R)."), &window);
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), &window);
    QObject::connect(shortcut, &QShortcut::activated, b, &QPushButton::click);
    QObject::connect(
        b, &QPushButton::clicked, &window, [&window] { window.forms().showModal(QStringLiteral("FrmRestore")); });
    return b;
}

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
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

} // namespace sonaplex
