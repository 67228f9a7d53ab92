#pragma once
#include <QColor>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace sonaplex {

// Small builders shared by the windows.
QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip, QWidget* parent);
QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent);
void setTextColour(QWidget* widget, const QColor& colour);
void setBold(QWidget* widget, bool bold = true);

constexpr QColor kGameRed{255, 0, 0};
constexpr QColor kReplacementBlue{0, 0, 255};

} // namespace sonaplex
