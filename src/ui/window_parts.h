#pragma once
#include <functional>
#include <QColor>
#include <QLabel>
#include <QString>

class QPushButton;
class QWidget;

namespace sonaplex {

// A file name as one line: line breaks (a name may hold them) shown as a symbol.
QString oneLine(QString name);

// A label for a file name: text() is the whole name, as it was set, but it is drawn on one line
// (line breaks shown as a symbol), elided in the middle when the label is narrower, with the
// whole name in its tooltip; a long name never widens its window.
class NameLabel : public QLabel {
public:
    explicit NameLabel(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override; // the tooltip: the whole name, then the label's own tip

};

// Small builders shared by the windows.
QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip, QWidget* parent);
// "Restore..." (and Ctrl+R anywhere in the window): opens the restore window.
QPushButton* makeRestoreButton(class Form& window);
// "Game Sounds...": opens the window of a whole game's sounds (Ctrl+G).
// `gameShown`, when it gives a folder, is the game the window opens on (the game a pane shows).
QPushButton* makeGameSoundsButton(class Form& window, std::function<QString()> gameShown = {});
// "Packs...": opens the sound packs window (Ctrl+K).
QPushButton* makePacksButton(class Form& window);
QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent);
// Sets a widget's text colour: `colour`, or the nearest shade of it (darker on a light window,
// lighter on a dark one) that reads against the window colour with a contrast of 4.5:1 (WCAG).
void setTextColour(QWidget* widget, const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);
QColor readableOn(const QColor& colour, const QColor& background);
void setBold(QWidget* widget, bool bold = true);
// Sets a widget's text in "Times New Roman", the face of the windows' frame captions.
void useTimes(QWidget* widget, double points, bool bold);
// Gives a widget inside a frame the program's ordinary font rather than the frame's caption font.
void usePlainFont(QWidget* widget);

constexpr QColor kGameRed{255, 0, 0};
constexpr QColor kReplacementBlue{0, 0, 255};

} // namespace sonaplex
