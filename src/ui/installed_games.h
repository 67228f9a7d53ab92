#pragma once
#include "base/games.h"

#include <QObject>

class QThread;


namespace sonaplex {

// The games installed for this user, found once per run off the window's thread (the
// launchers' files may be many, or on a slow disk). What was skipped, and why, is written to
// "Games.log" in the program folder, for the user to open.
class InstalledGames : public QObject {
    Q_OBJECT
public:
    explicit InstalledGames(QString programFolder, QObject* parent = nullptr);
    ~InstalledGames() override;

    // Starts the search when it has not started; found() follows.
    void search();
    bool isFound() const { return found_; }
    const std::vector<Game>& games() const { return games_; }
    QString logFile() const;
    // Adds a folder by hand and searches again.
    FileResult add(const QString& name, const QString& folder);

signals:
    void found();

private:
    void searchNow();
    QString programFolder_;
    std::vector<Game> games_;
    bool found_ = false;
    bool searching_ = false;
    bool again_ = false;
    QThread* worker_ = nullptr;
};

} // namespace sonaplex
