#include "game/game_sounds_model.h"
#include "base/files.h"

#include "actions/replacement.h"
#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>
#include <QUrl>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(GameSoundsModel)
};
} // namespace

void GameSoundsModel::clear()
{
    beginResetModel();
    sounds_.clear();
    rows_.clear();
    endResetModel();
}

void GameSoundsModel::append(const QStringList& names)
{
    if (names.isEmpty())
        return;
    const int first = int(sounds_.size());
    beginInsertRows({}, first, first + int(names.size()) - 1);
    sounds_.reserve(sounds_.size() + size_t(names.size()));
    for (const QString& name : names) {
        rows_.insert(name, int(sounds_.size()));
        sounds_.push_back({name, {}, {}, {}, {}});
    }
    endInsertRows();
}

void GameSoundsModel::setRecord(const QString& gameFolder, const std::vector<ReplacedFile>& files)
{
    for (GameSound& s : sounds_)
        s.record.reset();
    const QString prefix = gameFolder + QLatin1Char('/');
    for (const ReplacedFile& f : files) {
        if (!f.gamePath.startsWith(prefix))
            continue;
        if (const auto row = rows_.constFind(f.gamePath.mid(prefix.size())); row != rows_.cend())
            sounds_[size_t(*row)].record = f;
    }
    if (!sounds_.empty())
        emit dataChanged(index(0, State), index(rowCount() - 1, State));
}

void GameSoundsModel::setInfos(int first, const std::vector<audio::SoundInfo>& infos)
{
    if (first < 0 || first + int(infos.size()) > rowCount() || infos.empty())
        return;
    for (size_t i = 0; i < infos.size(); ++i)
        sounds_[size_t(first) + i].info = infos[i];
    emit dataChanged(index(first, Format), index(first + int(infos.size()) - 1, Replacement));
}

void GameSoundsModel::setPending(int row, const QString& replacement)
{
    GameSound& s = sounds_[size_t(row)];
    if (s.pending == replacement)
        return;
    s.pending = replacement;
    s.pendingInfo.reset();
    rowChanged(row);
}

void GameSoundsModel::setPendingInfo(int row, const QString& replacement, const audio::SoundInfo& info)
{
    if (row < 0 || row >= rowCount() || sounds_[size_t(row)].pending != replacement)
        return; // chosen again since
    sounds_[size_t(row)].pendingInfo = info;
    rowChanged(row);
}

void GameSoundsModel::rowChanged(int row) { emit dataChanged(index(row, 0), index(row, ColumnCount - 1)); }

int GameSoundsModel::rowOf(const QString& name) const { return rows_.value(name, -1); }

bool GameSoundsModel::shows(int row, Show show) const
{
    const GameSound& s = sounds_[size_t(row)];
    switch (show) {
    case Show::All:
        return true;
    case Show::Replaced:
        return s.record && s.record->state == GameFileState::Replaced;
    case Show::ChangedByUpdate:
        return s.record && undoneSince(*s.record);
    case Show::Pending:
        return !s.pending.isEmpty();
    }
    return true;
}

QString GameSoundsModel::difference(int row) const
{
    const GameSound& s = sounds_[size_t(row)];
    if (!s.info || !s.pendingInfo || !s.info->ok() || !s.pendingInfo->ok())
        return {};
    return audio::formatDifference(*s.info, *s.pendingInfo);
}

QString GameSoundsModel::stateText(const GameSound& s) const
{
    // A file the record does not know is the game's own only as far as it was read: one that
    // could not be read is said so (its Format cell says why), not called original.
    if (!s.record)
        return s.info && !s.info->ok() ? stateWords(GameFileState::NotRead) : Say::tr("original");
    const ReplacedFile& f = *s.record;
    const QString by = QFileInfo(f.replacedBy).fileName();
    const QString when = QLocale().toString(f.at.toLocalTime(), QLocale::ShortFormat);
    // Its original again is "original", as everywhere; anything else new is an update's, likely.
    if (undoneSince(f) && f.state == GameFileState::ChangedSince)
        return Say::tr("changed since %1 replaced it (an update?)").arg(by);
    switch (f.state) {
    case GameFileState::Replaced:
        return Say::tr("replaced by %1, %2").arg(by, when);
    case GameFileState::Unreadable:
        return Say::tr("cannot be read: %1").arg(f.readFailure.error);
    case GameFileState::Original:
        return Say::tr("original");
    default:
        return stateWords(f.state);
    }
}

int GameSoundsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(sounds_.size()); }
int GameSoundsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant GameSoundsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const GameSound& s = sounds_[size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case Name: // a line break or a right-to-left mark in a name is shown for what it is
            return role == Qt::DisplayRole ? shownName(QDir::toNativeSeparators(s.name)) : QDir::toNativeSeparators(s.name);
        case Format:
            if (!s.info)
                return role == Qt::ToolTipRole ? Say::tr("Being read\u2026") : QString();
            if (!s.info->ok())
                return Say::tr("cannot be read: %1").arg(s.info->error);
            return role == Qt::ToolTipRole ? audio::formatLine(*s.info) : audio::formatSummary(*s.info);
        case Length: {
            if (!s.info || !s.info->ok())
                return {};
            const auto ms = int64_t(s.info->seconds * 1000);
            return audio::clockText(ms, 1000, std::max(1, audio::clockDecimals(ms, 1000)));
        }
        case State:
            return stateText(s);
        case Replacement: {
            if (s.pending.isEmpty())
                return {};
            if (role == Qt::DisplayRole)
                return QFileInfo(s.pending).fileName();
            const QString differs = difference(index.row());
            return QDir::toNativeSeparators(s.pending) + (differs.isEmpty() ? QString() : QLatin1Char('\n') + differs);
        }
        default:
            return {};
        }
    }
    return {};
}

QVariant GameSoundsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[] = {QT_TRANSLATE_NOOP("GameSoundsModel", "Sound"),
        QT_TRANSLATE_NOOP("GameSoundsModel", "Format"), QT_TRANSLATE_NOOP("GameSoundsModel", "Length"),
        QT_TRANSLATE_NOOP("GameSoundsModel", "State"), QT_TRANSLATE_NOOP("GameSoundsModel", "Replacement")};
    return section >= 0 && section < ColumnCount ? Say::tr(names[section]) : QVariant();
}

Qt::ItemFlags GameSoundsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled : Qt::ItemFlags{};
}

QStringList GameSoundsModel::mimeTypes() const { return {QStringLiteral("text/uri-list")}; }

bool GameSoundsModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent) const
{
    return parent.isValid() && data->hasUrls() && data->urls().size() == 1 && data->urls().front().isLocalFile();
}

bool GameSoundsModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    emit fileDropped(parent.row(), data->urls().front().toLocalFile());
    return false; // nothing of the drop is kept by the model itself
}

GameSoundsFilter::GameSoundsFilter(GameSoundsModel* model, QObject* parent) : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(model);
}

void GameSoundsFilter::setText(const QString& text)
{
    text_ = text;
    invalidateRowsFilter();
}

void GameSoundsFilter::setShow(GameSoundsModel::Show show)
{
    show_ = show;
    invalidateRowsFilter();
}

bool GameSoundsFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    if (left.column() != GameSoundsModel::Name || right.column() != GameSoundsModel::Name)
        return QSortFilterProxyModel::lessThan(left, right);
    return model_->at(left.row()).name < model_->at(right.row()).name;
}

bool GameSoundsFilter::filterAcceptsRow(int row, const QModelIndex&) const
{
    return model_->shows(row, show_) && (text_.isEmpty() || model_->at(row).name.contains(text_, Qt::CaseInsensitive));
}

} // namespace sonaplex
