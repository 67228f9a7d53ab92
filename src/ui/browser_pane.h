#pragma once
#include <QAbstractListModel>
#include <QComboBox>
#include <QHash>
#include <QListView>
#include <QListWidget>
#include <QWidget>

class QFileSystemWatcher;
class QTimer;

#include "base/replacement_record.h"

#include <functional>
#include <memory>

namespace sonaplex::audio {
class AudioHost;
}

namespace sonaplex {

class FolderScan;
class SamplePlayer;

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
signals:
    void changed();
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

// Names listed by a file list; rows arrive in batches while a folder is read.
class FileNameModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(names_.size()); }
    QVariant data(const QModelIndex& index, int role) const override;
    void clear();
    void append(const QStringList& names);
    void replace(const QStringList& names);
    const QStringList& names() const { return names_; }

    // Files the record of replacements knows, by name: a mark and a tooltip saying what
    // replaced them, when, or that they changed since.
    struct Mark {
        GameFileState state;
        QString note;
    };
    void setMarks(QHash<QString, Mark> marks);
    const QHash<QString, Mark>& marks() const { return marks_; }

private:
    QStringList names_;
    QHash<QString, Mark> marks_;
};

// The files of one folder whose names match a fixed pattern, letter case ignored.
// A click (or moving the highlight with the keyboard) raises fileClicked().
class FileList : public QListView {
    Q_OBJECT
    Q_PROPERTY(QString Path READ path WRITE setPath NOTIFY pathChanged)
    Q_PROPERTY(QString Pattern READ pattern WRITE setPattern)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(int ListCount READ listCount)
public:
    explicit FileList(const QString& pattern, QWidget* parent = nullptr);
    ~FileList() override;

    QString path() const { return path_; }
    void setPath(const QString& path);
    QString pattern() const { return pattern_; }
    void setPattern(const QString& pattern);
    QString fileName() const;
    // Highlights a listed file as a click would, raising fileClicked().
    void setFileName(const QString& name);
    int listCount() const { return model_->rowCount(); }
    Q_INVOKABLE bool selected(int index) const;
    bool isListing() const;

    // The folder, the platform's separator and the highlighted name, joined as they stand.
    QString fullPath() const;

    // Marks the files of the shown folder that `record` knows (game lists only). The list
    // does not keep the record alive: a window still being deleted after the program ended
    // finds no record and marks nothing.
    void markFrom(std::weak_ptr<ReplacementRecord> record) { record_ = std::move(record); }
    // Finds the marks again (after a SWITCH or restore changed the files); a listing under
    // way finds them when it finishes.
    void refreshMarks()
    {
        if (!isListing())
            findMarks();
    }

signals:
    void pathChanged();
    void fileClicked();
    void listingFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rescan();
    // The folder changed on disk: the list is read again, keeping the highlight and the
    // player as they are.
    void refresh();
    void highlight(const QString& name, bool raiseClick);
    void findMarks();

    QString path_;
    QString pattern_;
    QString pendingName_;
    FileNameModel* model_;
    FolderScan* scan_;
    QFileSystemWatcher* watcher_;
    QTimer* refreshTimer_;
    bool refreshing_ = false;
    QString keepName_; // highlighted before a refresh
    std::weak_ptr<ReplacementRecord> record_;
    int markRound_ = 0; // a newer listing drops the marks an older one was finding
};

// Device type, tooltips and object names of one pane.
struct PaneSetup {
    QString drive, folder, file, sampleLabel, player;
    QString folderTip, fileTip, playerTip;
    QString pattern; // "*.Mid" or "*.Wav"
    QString deviceType; // "Sequencer" or "WaveAudio"
    QStringList places; // folders the drive list offers besides the drives
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
    const QString& deviceType);
PaneSetup replacementPaneSetup(const QString& suffix, const QString& sampleLabel, const QString& kind,
    const QString& replacementPlace, const QString& pattern, const QString& deviceType);

// A drive list, folder list and file list chained together, with a sample player under them.
class BrowserPane : public QWidget {
    Q_OBJECT
public:
    BrowserPane(const PaneSetup& setup, std::shared_ptr<audio::AudioHost> audio, QWidget* parent = nullptr);

    DriveList* drives() const { return drives_; }
    FolderList* folders() const { return folders_; }
    FileList* files() const { return files_; }
    SamplePlayer* player() const { return player_; }

    // Window load: the player opens the placeholder "SelectedFile" (which finds nothing).
    void preparePlayer();
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

    PaneSetup setup_;
    DriveList* drives_;
    FolderList* folders_;
    FileList* files_;
    SamplePlayer* player_;
    QString lastGoodDrive_;
    QHash<QString, QString> lastFolderOnDrive_;
};

} // namespace sonaplex
