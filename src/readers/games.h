#pragma once
#include "base/files.h"
#include "record/replacement_record.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace sonaplex {

// Where a game was found.
enum class Launcher { Steam, HeroicGog, HeroicEpic, Lutris, Added };

// An installed game: its folder, and what its launcher says of it.
struct Game {
    QString name;
    Launcher launcher = Launcher::Added;
    QString id; // the launcher's: Steam's app id, GOG's and Epic's app name, Lutris's slug
    QString folder; // absolute and clean, links resolved (see realFolder)
    QString build; // where the launcher says: Steam's build id, GOG's build, Epic's version
    QString spelledAs; // the launcher's own spelling of the folder, when it goes through a link
    KnownFolder where() const { return {folder, spelledAs}; }
};

// A launcher's name for the user ("Steam", "Heroic (GOG)") and for the command line ("steam").
QString launcherName(Launcher l);
QString launcherKeyword(Launcher l);

// Where the launchers keep what they installed, for a user: the home folder and the XDG
// folders, and the program folder's list of folders added by hand.
struct GamePlaces {
    QString home;
    QString dataHome; // $XDG_DATA_HOME, or HOME/.local/share
    QString configHome; // $XDG_CONFIG_HOME, or HOME/.config
    QString added; // the file of the folders added by hand

    // As the environment says, for the program folder `programFolder`.
    static GamePlaces ofUser(const QString& programFolder);
};

struct GameSearch {
    std::vector<Game> games; // by name; each folder once
    QStringList log; // one line for each thing skipped, and why
};

// Every installed game the launchers' own files name, read without any launcher running and
// without writing anything. What is malformed, too large, not a regular file or on a disk that
// is not there is skipped with a line in the log.
GameSearch findGames(const GamePlaces& places);

// Adds a folder by hand, with a name (a folder added before under another name is renamed).
FileResult addGame(const QString& addedFile, const QString& name, const QString& folder);
// Takes a folder added by hand off the list.
FileResult removeAddedGame(const QString& addedFile, const QString& folder);

// The game whose folder holds `path` (the deepest, when folders nest), or null.
const Game* gameHolding(const std::vector<Game>& games, const QString& path);

// Of each game's files the record knows: how many Sonaplex replaced (and did not put back), and
// how many of those hold something else now (the original again, or something new: a game
// update or a launcher's repair, most likely).
struct GameCount {
    int replaced = 0;
    int changed = 0;
};
std::vector<GameCount> countReplaced(const std::vector<Game>& games, const std::vector<ReplacedFile>& files);

} // namespace sonaplex
