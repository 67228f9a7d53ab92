#pragma once
#include "ui/forms.h"

#include <QUrl>
#include <vector>

class QLineEdit;

namespace sonaplex {

struct GameLink {
    QString frame, title, button, tooltip;
    QUrl address;
};

// A "URL Retrieval" window: nine games as picture buttons; a button writes its game's
// download address into the address box, where the user can read and copy it.
class GameLinksWindow : public Form {
    Q_OBJECT
public:
    QLineEdit* addressBox() const { return address_; }
    const std::vector<GameLink>& games() const { return games_; }

protected:
    GameLinksWindow(Forms& forms, const QString& name, const QString& addressBox, std::vector<GameLink> games);

private:
    std::vector<GameLink> games_;
    QLineEdit* address_;
};

// The games whose background music Sonaplex can change.
class FrmGameLinks : public GameLinksWindow {
    Q_OBJECT
public:
    explicit FrmGameLinks(Forms& forms);
};

// The games whose sound effects Sonaplex can change.
class FrmWavGame : public GameLinksWindow {
    Q_OBJECT
public:
    explicit FrmWavGame(Forms& forms);
};

} // namespace sonaplex
