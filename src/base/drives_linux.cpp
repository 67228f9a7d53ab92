#include "base/drives.h"

#include <QDir>
#include <QSet>
#include <QStorageInfo>

namespace sonaplex {

namespace {
// Mounts that hold no user files: kernel and process views, not disks.
bool isVirtual(const QByteArray& type)
{
    static const QSet<QByteArray> kinds = {"proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs",
        "pstore", "debugfs", "tracefs", "mqueue", "hugetlbfs", "configfs", "fusectl", "bpf", "binfmt_misc", "autofs",
        "efivarfs", "rpc_pipefs", "nsfs", "ramfs", "squashfs", "fuse.gvfsd-fuse", "fuse.portal", "selinuxfs"};
    return kinds.contains(type);
}
} // namespace

QStringList listDrives(const QStringList& places)
{
    QStringList drives{QStringLiteral("/")};
    QStringList others;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root == QLatin1String("/") || !volume.isValid() || isVirtual(volume.fileSystemType()))
            continue;
        // Container and system plumbing mounted over single files or under /proc, /sys, /dev, /run.
        if (root.startsWith(QLatin1String("/proc")) || root.startsWith(QLatin1String("/sys"))
            || root.startsWith(QLatin1String("/dev")) || root.startsWith(QLatin1String("/run"))
            || !QFileInfo(root).isDir())
            continue;
        if (!others.contains(root))
            others << root;
    }
    others.sort();
    for (const QString& place : places) {
        const QString clean = QDir::cleanPath(place);
        if (QFileInfo(clean).isDir() && !drives.contains(clean) && !others.contains(clean))
            drives << clean;
    }
    return drives + others;
}

QString driveOf(const QString& path, const QStringList& drives)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QString best = QStringLiteral("/");
    for (const QString& d : drives)
        if (d != QLatin1String("/") && (clean == d || clean.startsWith(d + QLatin1Char('/'))) && d.size() > best.size())
            best = d;
    return best;
}

QString driveRoot(const QString& drive) { return drive; }

} // namespace sonaplex
