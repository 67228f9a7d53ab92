#pragma once
// What one window asks of another: a window is opened through the registry by its identifier
// (window_names.h) and asked through the requests it takes, by type, never by a method's name
// or by clicking its buttons. A window that does not take a request is not asked.
#include <QString>

namespace sonaplex {

class Form;

// Show this game (its folder): Game Sounds lists its sounds, Packs makes and applies packs on it.
class ShowsGame {
public:
    virtual ~ShowsGame() = default;
    virtual void showGame(const QString& folder) = 0;
};

// Show this game on the sounds an update changed (Game Sounds).
class ShowsChanges {
public:
    virtual ~ShowsChanges() = default;
    virtual void showChanges(const QString& folder) = 0;
};

// Open this sound pack (Packs).
class OpensPack {
public:
    virtual ~OpensPack() = default;
    virtual void openPack(const QString& path) = 0;
};

// Make a pack of what is replaced in this game, asking where to save it (Packs).
class MakesGamePacks {
public:
    virtual ~MakesGamePacks() = default;
    virtual void makePackOfGame(const QString& folder) = 0;
};

// Show the replaced files of this folder (Restore).
class ShowsFolder {
public:
    virtual ~ShowsFolder() = default;
    virtual void showFolder(const QString& folder) = 0;
};

// `window` as the taker of `Request`, or null when it takes none.
template <class Request> Request* takes(Form& window) { return dynamic_cast<Request*>(&window); }

} // namespace sonaplex
