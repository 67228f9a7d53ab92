#pragma once
#include <QAbstractListModel>
#include <QHash>
#include <QListView>
#include <QPointer>

#include "record/replacement_record.h"

#include <memory>

class QFileSystemWatcher;
class QTimer;

namespace sonaplex {

class FolderScan;

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
    // Lists the matching files of every folder below too (a game's sounds), each by its path
    // from the folder; off: the folder's own files. Takes effect with the next setPath().
    void setWholeFolder(bool whole) { whole_ = whole; }
    bool wholeFolder() const { return whole_; }

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
    static void showMarks(QPointer<FileList> self, int round, QHash<QString, FileNameModel::Mark> marks);

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
    bool whole_ = false;
};

} // namespace sonaplex
