#pragma once
#include "record/replacement_record.h"

#include <QAbstractItemModel>
#include <QLocale>

#include <vector>

namespace sonaplex {

// The restore window's list: a row per game folder, with a row per replaced file under it
// (its name, what replaced it, when, its state), folders and files in the order of their
// names. Rows are answered as the view asks for them, so that a record of many thousand files
// costs the window's thread only what is on screen; they are arranged off that thread.
class ReplacedFilesModel : public QAbstractItemModel {
    Q_OBJECT
public:
    // The files of each folder, arranged: made apart from any model (off the window's thread).
    struct Folder {
        QString path; // as shown
        std::vector<size_t> files; // indexes into the files, in the order of their names
    };
    static std::vector<Folder> arrange(const std::vector<ReplacedFile>& files);

    using QAbstractItemModel::QAbstractItemModel;
    // The list becomes `files`, arranged as `folders` (from arrange()).
    void reset(std::vector<ReplacedFile> files, std::vector<Folder> folders);

    const std::vector<ReplacedFile>& files() const { return files_; }
    // The file of a file row, or nullptr for a folder row.
    const ReplacedFile* fileAt(const QModelIndex& index) const;
    // A file row's folder row (itself for a folder row).
    QModelIndex folderOf(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<ReplacedFile> files_;
    std::vector<Folder> folders_;
    QLocale locale_;
};

} // namespace sonaplex
