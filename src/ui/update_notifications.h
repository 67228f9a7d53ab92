#pragma once
#include <QObject>
#include <QSet>
#include <QString>

namespace sonaplex {

class InstalledGames;

// When the search for installed games finds that an update changed replaced files of a game
// while no window of the program is in front, the desktop is asked to show a notification
// (the freedesktop notification service, over the session bus): one per game and count of
// changed files, and nothing at all when no such service runs. A selection window in front says
// the same in its own notice.
class UpdateNotifications : public QObject {
    Q_OBJECT
public:
    explicit UpdateNotifications(InstalledGames& games, QObject* parent = nullptr);

private:
    void gamesFound();

    InstalledGames& games_;
    QSet<QString> told_; // "folder" + count of changed files, told once
};

} // namespace sonaplex
