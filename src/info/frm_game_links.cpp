#include "info/frm_game_links.h"
#include "ui/window_names.h"

#include "info/game_icons.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>
#include <QUrlQuery>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmGameLinks)
};

// Twips of the window's design, at 15 twips a pixel, enlarged so today's fonts fit.
int px(int twips) { return twips * 4 / 45; } // 1/15 × 4/3

// The Internet Archive's software search for a title: a public page where the game can be found.
QUrl archiveSearch(const QString& query)
{
    QUrl url(QStringLiteral("https://archive.org/search"));
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("query"), query);
    url.setQuery(q);
    return url;
}

GameLink game(const QString& key, const QString& title, const QString& fullTitle = {}, const QUrl& address = {})
{
    const QString name = fullTitle.isEmpty() ? title : fullTitle;
    return {QStringLiteral("Fram") + key, title, QStringLiteral("Cmd") + key, Say::tr("Download %1").arg(name),
        address.isEmpty() ? archiveSearch(QLatin1Char('"') + name + QLatin1Char('"')) : address};
}
} // namespace

GameLinksWindow::GameLinksWindow(
    Forms& forms, const QString& name, const QString& addressBox, std::vector<GameLink> games)
    : Form(forms, name, Say::tr("URL Retrieval"), CloseBox), games_(std::move(games)), address_(new QLineEdit(this))
{
    for (size_t i = 0; i < games_.size(); ++i) {
        const GameLink& g = games_[i];
        const int column = int(i % 3), row = int(i / 3);
        auto* frame = new QGroupBox(g.title, this);
        frame->setObjectName(g.frame);
        frame->setGeometry(px(column * 1440), px(120 + row * 1080), px(1335), px(1000));
        auto* button = new QToolButton(frame);
        button->setObjectName(g.button);
        button->setToolTip(g.tooltip);
        button->setIcon(QIcon(drawGameIcon(g.title, int(i) + (name == QLatin1String("FrmWavGame") ? 9 : 0))));
        button->setIconSize(QSize(32, 32));
        button->setCursor(Qt::PointingHandCursor);
        button->setAccessibleName(g.tooltip);
        button->setGeometry(px(240), px(240), px(855), px(660));
        const QString text = g.address.toString();
        connect(button, &QToolButton::clicked, this, [this, text] { address_->setText(text); });
    }
    address_->setObjectName(addressBox);
    address_->setGeometry(0, px(3360), px(4215), address_->sizeHint().height());
    setFixedSize(px(4245), px(3360) + address_->sizeHint().height() + 2);
}

FrmGameLinks::FrmGameLinks(Forms& forms)
    : GameLinksWindow(forms, windowName::FrmGameLinks, QStringLiteral("TxtUrl"),
        {game(QStringLiteral("Casino"), QStringLiteral("3D Casino")),
            game(QStringLiteral("A1Collex"), QStringLiteral("A1 Collex")),
            game(QStringLiteral("Bedtris"), QStringLiteral("Bedtris")),
            game(QStringLiteral("Dominion"), QStringLiteral("Dominion")),
            game(QStringLiteral("Gemstorm"), QStringLiteral("Gemstorm")),
            game(QStringLiteral("Match32"), QStringLiteral("Match32")),
            game(QStringLiteral("Pressure"), QStringLiteral("Pressure Drop")),
            game(QStringLiteral("Tiles"), QStringLiteral("Tiles and Trib."), QStringLiteral("Tiles and Tribulations")),
            game(QStringLiteral("ToniTank"), QStringLiteral("Toni Tank Top"))})
{
}

namespace {
std::vector<GameLink> effectsGames()
{
    // Noisy Poker and Wild 7 Slots share one page.
    const QUrl cardGames = archiveSearch(QStringLiteral("\"Noisy Poker\" OR \"Wild 7 Slots\""));
    return {game(QStringLiteral("Balloons"), QStringLiteral("Balloons")),
        game(QStringLiteral("Beyond"), QStringLiteral("Beyond Pyramid")),
        game(QStringLiteral("GBall"), QStringLiteral("Gravity Ball")),
        game(QStringLiteral("GravityGuy"), QStringLiteral("Gravity Guy")),
        game(QStringLiteral("MiniTris"), QStringLiteral("MiniTris")),
        game(QStringLiteral("MrMatt"), QStringLiteral("Mr. Matt")),
        game(QStringLiteral("Noisy"), QStringLiteral("Noisy Poker"), {}, cardGames),
        game(QStringLiteral("PegSol"), QStringLiteral("Peg Solitaire")),
        game(QStringLiteral("Wild7"), QStringLiteral("Wild 7 Slots"), {}, cardGames)};
}
} // namespace

FrmWavGame::FrmWavGame(Forms& forms)
    : GameLinksWindow(forms, windowName::FrmWavGame, QStringLiteral("TxtUrl2"), effectsGames())
{
}

} // namespace sonaplex
