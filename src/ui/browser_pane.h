#pragma once
#include "audio/source.h"
#include "ui/file_list.h"
#include "ui/place_lists.h"

#include <QWidget>

class QCheckBox;

#include <functional>
#include <memory>

namespace sonaplex::audio {
class AudioHost;
}

namespace sonaplex {

class SamplePlayer;
struct Game;
class InstalledGames;

// Device type, tooltips and object names of one pane.
struct PaneSetup {
    QString drive, folder, file, sampleLabel, player;
    QString folderTip, fileTip, playerTip;
    QString pattern; // "*.Mid;*.ogg;..." or "*.Wav;*.ogg;..." (base/sound_names.h)
    audio::DeviceKind deviceKind = audio::DeviceKind::WaveAudio; // of the pane's sound files
    QStringList places; // folders the drive list offers besides the drives
    InstalledGames* games = nullptr; // offered after the places, once found
    // The game pane: "Sounds of this game" lists every matching file of the game shown.
    QString gameSounds; // the check box's object name; empty: none
    std::weak_ptr<ReplacementRecord> record; // marks the files it knows (the game pane)
    // Where the pane remembers its folder between windows and runs (an INI file in the
    // program folder, under the folder list's name); empty: it starts where the program does.
    QString settingsFile;
};

// The panes of a selection window. Drive, folder, file list and player are named with the
// pane's `suffix` ("Midi2" gives DrvMidi2, DirMidi2, FleMidi2, MMControlMidi2); `kind` is how
// the tooltips call the files ("midi", "wav"); `replacementPlace` is where the tooltip says
// replacements may be found.
PaneSetup gamePaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind, const QString& pattern,
    audio::DeviceKind deviceKind);
PaneSetup replacementPaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind,
    const QString& replacementPlace, const QString& pattern, audio::DeviceKind deviceKind);

// A drive list, folder list and file list chained together, with a sample player under them.
class BrowserPane : public QWidget {
    Q_OBJECT
public:
    BrowserPane(const PaneSetup& setup, std::shared_ptr<audio::AudioHost> audio, QWidget* parent = nullptr);
    static constexpr int kFirstWidth = 200;
    // As wide as at the window's first size; the window may give it more.
    QSize sizeHint() const override { return {kFirstWidth, QWidget::sizeHint().height()}; }
    QSize minimumSizeHint() const override { return {kFirstWidth, QWidget::minimumSizeHint().height()}; }

    DriveList* drives() const { return drives_; }
    FolderList* folders() const { return folders_; }
    // The folder of the installed game whose folder the pane shows (or a folder inside it); empty
    // when none.
    const QString& gameFolderShown() const { return gameShown_; }
    FileList* files() const { return files_; }
    SamplePlayer* player() const { return player_; }

    // Window load: the player opens the placeholder "SelectedFile" (which finds nothing).
    void preparePlayer();

signals:
    // "Game Sounds..." from the drive list's menu, on the game it shows.
    void gameSoundsWanted(const QString& folder);

public:
    // Window unload.
    void closePlayer();
    // Opens the folder of `path` and highlights it, as a click would; `then` runs once it is
    // highlighted (at once for a folder read at once). False when it cannot be shown.
    bool showFile(const QString& path, std::function<void()> then = {});

protected:
    // Files dropped from a file manager: their folder opens with the first of them highlighted.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void driveChange();
    void folderChange();
    void fileClick();
    // The game whose folder is shown (null when none), and the file list following it: the
    // folder's files, or every sound of the game. `again`: listed again even when unchanged.
    const Game* shownGame() const;
    void listFiles(bool again);
    // "Add Game Folder...": a folder and a name from the user, listed (and opened) once found.
    void addGameFolder();

    PaneSetup setup_;
    DriveList* drives_;
    FolderList* folders_;
    FileList* files_;
    SamplePlayer* player_;
    QString lastGoodDrive_;
    QString gameShown_; // the folder of the game whose folder is shown, if any
    QCheckBox* gameSounds_ = nullptr;
    QString addedGame_; // a folder added by hand, opened when the games are found again
    QHash<QString, QString> lastFolderOnDrive_;
};

} // namespace sonaplex
