#pragma once
#include "audio/analysis.h"
#include "record/replacement_record.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <optional>
#include <vector>

namespace sonaplex {

// One sound file of a game, as the game window lists it.
struct GameSound {
    QString name; // the path inside the game
    std::optional<audio::SoundInfo> info; // once read (in the helper)
    std::optional<ReplacedFile> record; // what the record knows of it, when Sonaplex replaced it
    QString pending; // the replacement chosen for the next SWITCH (full path), or empty
    std::optional<audio::SoundInfo> pendingInfo; // once read
};

// Every sound file of a game: the path inside the game, format, length, state and the pending
// replacement. Rows come in batches as the game's folder is read; what each file is fills in
// later, as it is read. Drops of files on a row are passed on (fileDropped) for the window to
// check.
class GameSoundsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Format, Length, State, Replacement, ColumnCount };
    // The state filter's choices.
    enum class Show { All, Replaced, ChangedByUpdate, Pending };

    using QAbstractTableModel::QAbstractTableModel;

    void clear();
    void append(const QStringList& names);
    // What the record knows of the game's files (their states read): matched to rows by path.
    void setRecord(const QString& gameFolder, const std::vector<ReplacedFile>& files);
    // What the helper read of rows [first, first + infos.size()).
    void setInfos(int first, const std::vector<audio::SoundInfo>& infos);
    void setPending(int row, const QString& replacement);
    void setPendingInfo(int row, const QString& replacement, const audio::SoundInfo& info);

    const std::vector<GameSound>& sounds() const { return sounds_; }
    const GameSound& at(int row) const { return sounds_[size_t(row)]; }
    int rowOf(const QString& name) const;
    // Whether row `row` belongs to `show`.
    bool shows(int row, Show show) const;
    // The format difference of a row's pending replacement, once both are read: empty when the
    // same or not known.
    QString difference(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction | Qt::LinkAction; }

signals:
    void fileDropped(int row, const QString& path);

private:
    QString stateText(const GameSound& s) const;
    void rowChanged(int row);
    std::vector<GameSound> sounds_;
    QHash<QString, int> rows_; // name -> row
};

// The list as the window shows it: rows whose path holds the filter text (any case), of the
// chosen state.
class GameSoundsFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit GameSoundsFilter(GameSoundsModel* model, QObject* parent = nullptr);
    void setText(const QString& text);
    void setShow(GameSoundsModel::Show show);

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    // By path, compared as stored (a list of thousands sorts without building a text per look).
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    GameSoundsModel* model_;
    QString text_;
    GameSoundsModel::Show show_ = GameSoundsModel::Show::All;
};

} // namespace sonaplex
