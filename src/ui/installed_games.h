#pragma once
#include "readers/games.h"

#include <QObject>

#include <functional>
#include <memory>

class QFileSystemWatcher;
class QThread;
class QTimer;

namespace sonaplex {

// The games installed for this user, found off the window's thread (the launchers' files may
// be many, or on a slow disk), with how many of each game's replaced files were changed since
// (by an update, most likely; the record's remembered hashes keep that cheap). What was
// skipped, and why, is written to "Games.log" in the program folder, for the user to open.
class InstalledGames : public QObject {
    Q_OBJECT
public:
    // `record` gives the record of replacements (opened on the window's thread), or null.
    InstalledGames(QString programFolder, std::function<std::shared_ptr<ReplacementRecord>()> record,
        QObject* parent = nullptr);
    ~InstalledGames() override;

    // Starts the search when it has not started; found() follows.
    void search();
    // Searches again (a game's folder was shown: its files may have changed, or its build).
    void refresh();
    bool isFound() const { return found_; }
    const std::vector<Game>& games() const { return games_; }
    // Per game (as games()), its replaced files and those changed since.
    const std::vector<GameCount>& counts() const { return counts_; }
    QString logFile() const;
    // Adds a folder by hand and searches again.
    FileResult add(const QString& name, const QString& folder);

signals:
    void found();

private:
    void searchNow();
    // Steam rewrites a game's app manifest when it updates the game: its library's folder of
    // manifests is watched, and the games are found again a moment after it changes.
    void watchLibraries();
    QString programFolder_;
    std::function<std::shared_ptr<ReplacementRecord>()> record_;
    std::vector<Game> games_;
    std::vector<GameCount> counts_;
    bool found_ = false;
    bool searching_ = false;
    bool again_ = false;
    QThread* worker_ = nullptr;
    QFileSystemWatcher* watcher_;
    QTimer* settle_;
};

} // namespace sonaplex
