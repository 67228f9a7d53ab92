#include "ui/place_lists.h"

#include "base/drives.h"
#include "base/folder_scan.h"
#include "readers/games.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QSignalBlocker>
#include <QStyle>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(PlaceLists)
};

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kGameRole = Qt::UserRole + 2; // a drive list's entry that is a game
constexpr int kAddRole = Qt::UserRole + 3; // the drive list's "Add Game Folder..."

QString cleanFolder(const QString& path)
{
    QString clean = QDir::cleanPath(QDir(path).absolutePath());
    if (QDir(clean).isRoot() && !clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return QDir::toNativeSeparators(clean);
}
} // namespace

// ---------------------------------------------------------------- DriveList

DriveList::DriveList(const QStringList& places, QWidget* parent) : QComboBox(parent)
{
    for (const QString& drive : listDrives(places))
        addItem(drive, driveRoot(drive));
    // The games go right after the places (after "/" when there are none), before other mounts.
    places_ = std::min(count(), 1);
    for (int i = 0; i < count(); ++i)
        for (const QString& place : places)
            if (QDir::cleanPath(place) == QDir::cleanPath(itemText(i)))
                places_ = std::max(places_, i + 1);
    showDriveOf(QDir::currentPath());
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (itemData(index, kAddRole).toBool()) {
            setCurrentIndex(std::max(findText(shown_), 0));
            emit addGameFolder();
            return;
        }
        emit changed();
    });
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !itemData(index, kAddRole).toBool())
            shown_ = itemText(index);
    });
}

void DriveList::setDrive(const QString& drive)
{
    showDrive(drive);
    emit changed();
}

void DriveList::showDriveOf(const QString& path)
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots << itemData(i).toString();
    const int i = roots.indexOf(driveOf(path, roots));
    showDrive(i >= 0 ? itemText(i) : driveOf(path, roots));
}

void DriveList::showDrive(const QString& drive)
{
    int i = findText(drive);
    if (i < 0) {
        i = count() > 0 && itemData(count() - 1, kAddRole).toBool() ? count() - 1 : count();
        insertItem(i, drive, driveRoot(drive));
    }
    setCurrentIndex(i);
}

void DriveList::setGames(const std::vector<Game>& games)
{
    const QString shown = currentText();
    QSignalBlocker quiet(this);
    while (count() > places_ && itemData(places_, kGameRole).toBool())
        removeItem(places_);
    int at = places_;
    for (const Game& g : games) {
        // Two games of one name (a copy from each launcher) are told apart by their launcher.
        QString text = g.name;
        if (findText(text) >= 0)
            text = QStringLiteral("%1 (%2)").arg(g.name, launcherName(g.launcher));
        for (int n = 2; findText(text) >= 0; ++n)
            text = QStringLiteral("%1 (%2 %3)").arg(g.name, launcherName(g.launcher)).arg(n);
        insertItem(at, text, g.folder);
        setItemData(at, true, kGameRole);
        setItemData(at, QDir::toNativeSeparators(g.folder), Qt::ToolTipRole);
        ++at;
    }
    const int i = findText(shown);
    if (i >= 0)
        setCurrentIndex(i);
}

void DriveList::offerAdding()
{
    for (int i = 0; i < count(); ++i)
        if (itemData(i, kAddRole).toBool())
            return;
    QSignalBlocker quiet(this);
    addItem(Say::tr("Add Game Folder..."));
    setItemData(count() - 1, true, kAddRole);
    setItemData(
        count() - 1, Say::tr("Add a game's folder by hand, with a name: it is listed here after."), Qt::ToolTipRole);
}

QString DriveList::gameWithFolder(const QString& folder) const
{
    for (int i = places_; i < count() && itemData(i, kGameRole).toBool(); ++i)
        if (itemData(i).toString() == folder)
            return itemText(i);
    return {};
}

QString DriveList::rootOf(const QString& drive) const
{
    const int i = findText(drive);
    return i >= 0 ? itemData(i).toString() : driveRoot(drive);
}

// ---------------------------------------------------------------- FolderList

FolderList::FolderList(QWidget* parent) : QListWidget(parent), scan_(new FolderScan(this))
{
    setUniformItemSizes(true);
    connect(scan_, &FolderScan::finished, this, &FolderList::showSubfolders);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString target = item->data(kPathRole).toString();
        if (target != path_ && !trySetPath(target)) {
            QApplication::beep();
            trySetPath(path_); // the folder may have gone: show what is there now
        }
    });
}

FolderList::~FolderList() = default;

bool FolderList::trySetPath(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (!info.isDir() || !QDir(path).isReadable())
        return false;
    path_ = cleanFolder(path);

    // Ancestors first, each one step further in, then the open folder itself.
    clear();
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    QStringList chain;
    for (QDir d(path_);;) {
        chain.prepend(cleanFolder(d.absolutePath()));
        if (d.isRoot() || !d.cdUp())
            break;
    }
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& folder = chain[depth];
        QString label = depth == 0 ? folder : QFileInfo(QDir::fromNativeSeparators(folder)).fileName();
        auto* item = new QListWidgetItem(
            depth + 1 == chain.size() ? openIcon : closedIcon, QString(depth * 2, QLatin1Char(' ')) + label, this);
        item->setData(kPathRole, folder);
    }
    setCurrentRow(count() - 1);
    scan_->start(path_, FolderScan::Kind::Folders);
    scan_->settle();
    emit changed();
    return true;
}

void FolderList::showSubfolders(const QStringList& names)
{
    const QIcon icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const int depth = count();
    const QString base = QDir::fromNativeSeparators(path_);
    const QString indent(depth * 2, QLatin1Char(' '));
    setUpdatesEnabled(false);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(icon, indent + name, this);
        item->setData(kPathRole, cleanFolder(base + QLatin1Char('/') + name));
    }
    setUpdatesEnabled(true);
}

// ---------------------------------------------------------------- FileNameModel

} // namespace sonaplex
