#include "ui/confirmation_window.h"

#include "ui/window_parts.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

ConfirmationWindow::ConfirmationWindow(
    Forms& forms, const QString& name, const QString& title, const QString& buttonName)
    : Form(forms, name, title, CloseBox), body_(new QVBoxLayout)
{
    auto* ok = makeButton(buttonName, QStringLiteral("OK"), QString(), this);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &ConfirmationWindow::close_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body_);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    fixSize();
}

QLabel* ConfirmationWindow::addLine(const QString& name, const QString& text)
{
    auto* label = makeLabel(name, text, this);
    label->setAlignment(Qt::AlignCenter);
    body_->addWidget(label);
    return label;
}

void ConfirmationWindow::close_Click()
{
    forms().hide(*this);
    forms().unload(*this);
}

} // namespace sonaplex
