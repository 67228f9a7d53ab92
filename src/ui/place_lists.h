#pragma once
#include <QComboBox>
#include <QListWidget>

#include <vector>

namespace sonaplex {

class FolderScan;
struct Game;

// The drives of the machine; `Drive` is the chosen one's text. Picking a drive raises changed().
class DriveList : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(QString Drive READ drive WRITE setDrive NOTIFY changed)
public:
    // The drives, and after "/" the folders in `places` (home, the program folder).
    explicit DriveList(const QStringList& places = {}, QWidget* parent = nullptr);
    QString drive() const { return currentText(); }
    // Chooses a drive as the user would, raising changed().
    void setDrive(const QString& drive);
    // Shows a drive without raising changed(): for going back to the drive that worked.
    void showDrive(const QString& drive);
    // Shows the listed drive that holds `path`, without raising changed().
    void showDriveOf(const QString& path);
    // After the drives and places, the installed games by name (a game's folder is its root):
    // the games listed before are replaced. The shown drive stays.
    void setGames(const std::vector<Game>& games);
    // The folder a drive's text stands for: a drive's or place's root, a game's folder.
    QString rootOf(const QString& drive) const;
    // Ends the list with "Add Game Folder...": choosing it raises addGameFolder(), not changed(),
    // and the drive shown stays.
    void offerAdding();
    // The text of the game whose folder is `folder`, or empty.
    QString gameWithFolder(const QString& folder) const;
signals:
    void changed();
    void addGameFolder();

private:
    int places_ = 0; // the drives and places, before the games
    QString shown_; // the last drive shown, to go back to from "Add Game Folder..."
};

// The folder shown, its ancestors above it and its sub-folders below; double-click or
// Enter opens a folder. Every move raises changed().
class FolderList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString Path READ path WRITE setPath NOTIFY changed)
public:
    explicit FolderList(QWidget* parent = nullptr);
    ~FolderList() override;
    QString path() const { return path_; }
    void setPath(const QString& path) { trySetPath(path); }
    // Moves to `path`; false (and no move) when it is not a folder that can be read.
    bool trySetPath(const QString& path);
signals:
    void changed();

private:
    void showSubfolders(const QStringList& names);
    QString path_;
    FolderScan* scan_;
};

} // namespace sonaplex
