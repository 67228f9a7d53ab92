#include "restore/replaced_files_model.h"

#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReplacedFilesModel)
};

// A folder row has no parent: its internal id is 0. A file row's tells its folder's row: an odd
// multiple of it, so that the low bits of Qt's hash of an index (row, column and id added up)
// differ between folders; with plain folder numbers the indexes of a list of many thousand
// rows fall into a few thousand hash buckets, and the view's persistent indexes crawl.
constexpr quintptr kFolderRow = 0;
constexpr quintptr kSpread = 2654435761u;
quintptr idOfFolder(int folderRow) { return (quintptr(folderRow) + 1) * kSpread; }
size_t folderOfId(quintptr id) { return size_t(id / kSpread - 1); }
} // namespace

std::vector<ReplacedFilesModel::Folder> ReplacedFilesModel::arrange(const std::vector<ReplacedFile>& files)
{
    struct Named {
        QString folder, name;
        size_t index;
    };
    std::vector<Named> named;
    named.reserve(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const QString& path = files[i].gamePath;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        named.push_back({QDir::toNativeSeparators(slash <= 0 ? QStringLiteral("/") : path.left(slash)),
            path.mid(slash + 1), i});
    }
    std::sort(named.begin(), named.end(),
        [](const Named& a, const Named& b) { return a.folder != b.folder ? a.folder < b.folder : a.name < b.name; });
    std::vector<Folder> folders;
    for (const Named& n : named) {
        if (folders.empty() || folders.back().path != n.folder)
            folders.push_back({n.folder, {}});
        folders.back().files.push_back(n.index);
    }
    return folders;
}

void ReplacedFilesModel::reset(std::vector<ReplacedFile> files, std::vector<Folder> folders)
{
    beginResetModel();
    files_ = std::move(files);
    folders_ = std::move(folders);
    endResetModel();
}

const ReplacedFile* ReplacedFilesModel::fileAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == kFolderRow)
        return nullptr;
    const Folder& folder = folders_[folderOfId(index.internalId())];
    return &files_[folder.files[size_t(index.row())]];
}

QModelIndex ReplacedFilesModel::folderOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    return index.internalId() == kFolderRow ? index.siblingAtColumn(0) : parent(index);
}

QModelIndex ReplacedFilesModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= 4)
        return {};
    if (!parent.isValid())
        return size_t(row) < folders_.size() ? createIndex(row, column, kFolderRow) : QModelIndex();
    if (parent.internalId() != kFolderRow || parent.column() != 0)
        return {};
    const Folder& folder = folders_[size_t(parent.row())];
    return size_t(row) < folder.files.size() ? createIndex(row, column, idOfFolder(parent.row())) : QModelIndex();
}

QModelIndex ReplacedFilesModel::parent(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == kFolderRow)
        return {};
    return createIndex(int(folderOfId(index.internalId())), 0, kFolderRow);
}

int ReplacedFilesModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(folders_.size());
    if (parent.internalId() != kFolderRow || parent.column() != 0)
        return 0;
    return int(folders_[size_t(parent.row())].files.size());
}

int ReplacedFilesModel::columnCount(const QModelIndex&) const { return 4; }

bool ReplacedFilesModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

QVariant ReplacedFilesModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const ReplacedFile* f = fileAt(index);
    if (!f) {
        if (index.column() != 0)
            return {};
        return folders_[size_t(index.row())].path;
    }
    switch (index.column()) {
    case 0:
        return role == Qt::ToolTipRole ? f->gamePath : f->gamePath.mid(f->gamePath.lastIndexOf(QLatin1Char('/')) + 1);
    case 1:
        return role == Qt::ToolTipRole ? f->replacedBy : QFileInfo(f->replacedBy).fileName();
    case 2:
        return role == Qt::ToolTipRole ? QVariant() : locale_.toString(f->at.toLocalTime(), QLocale::ShortFormat);
    case 3:
        return role == Qt::ToolTipRole ? QVariant() : stateWords(f->state);
    }
    return {};
}

QVariant ReplacedFilesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const names[]
        = {QT_TRANSLATE_NOOP("ReplacedFilesModel", "Game file"), QT_TRANSLATE_NOOP("ReplacedFilesModel", "Replaced by"),
            QT_TRANSLATE_NOOP("ReplacedFilesModel", "When"), QT_TRANSLATE_NOOP("ReplacedFilesModel", "State")};
    return section >= 0 && section < 4 ? Say::tr(names[section]) : QVariant();
}

} // namespace sonaplex
