// Listing what is below a folder, and naming paths: how a name is shown, where a folder really is,
// whether a path stays inside a folder and what a relative name finds there.
#include "base/files.h"
#include "base/files_posix_common.h"
#include "base/result.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace sonaplex {

using namespace posix;

QString undecodableName(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return {};
    struct stat st {};
    if (::lstat(encoded(path).constData(), &st) == 0)
        return {}; // the name really holds U+FFFD
    return Say::tr("the name of %1 cannot be read as UTF-8 (it was written in another character set): "
                   "rename the file to use it")
        .arg(QFileInfo(path).fileName());
}

QStringList filesBelow(const QString& folder, bool hidden) { return listFilesBelow(folder, hidden).names; }

QString shownName(const QString& name)
{
    QString shown;
    shown.reserve(name.size());
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool bidi = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E || u == 0x200F
            || u == 0x061C;
        if (u == '\n')
            shown += QLatin1String("\\n");
        else if (u == '\r')
            shown += QLatin1String("\\r");
        else if (u == '\t')
            shown += QLatin1String("\\t");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0) || bidi || u == 0x2028 || u == 0x2029)
            shown += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

QString realFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

KnownFolder KnownFolder::of(const QString& folder)
{
    const QString real = realFolder(folder);
    const QString given = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return {real, given == real ? QString() : given};
}

QString outsideFolder(const QString& folder, const QString& path)
{
    char* root = ::realpath(encoded(folder).constData(), nullptr);
    if (!root)
        return Say::tr("the folder %1 cannot be reached (%2)").arg(shownName(folder), reason(errno));
    const QByteArray inside = QByteArray(root) + (std::strcmp(root, "/") == 0 ? "" : "/");
    std::free(root);
    const QByteArray file = encoded(path);
    char* real = ::realpath(file.constData(), nullptr);
    if (!real) {
        const int err = errno;
        struct stat st {};
        if (::lstat(file.constData(), &st) == 0) // there, and leading nowhere
            return Say::tr("%1 is a link that leads nowhere").arg(shownName(QFileInfo(path).fileName()));
        if (err != ENOENT)
            return Say::tr("%1 cannot be reached (%2)").arg(shownName(path), reason(err));
        // Not there yet: its folder must be inside.
        const QString parent = QFileInfo(path).absolutePath();
        return parent == QFileInfo(folder).absoluteFilePath() ? QString() : outsideFolder(folder, parent);
    }
    const bool within = QByteArray(real).startsWith(inside);
    const QString target = QFile::decodeName(real);
    std::free(real);
    if (within)
        return {};
    return Say::tr("%1 is a link to %2, outside the game folder: what it leads to is never written")
        .arg(shownName(QFileInfo(path).fileName()), shownName(target));
}

FilesBelow listFilesBelow(const QString& folder, bool hidden, const std::function<bool(const QString&)>& wanted,
    const std::function<bool(const QString&)>& found, bool followFileLinks)
{
    FilesBelow listed;
    const QByteArray top = encoded(folder);
    char* real = ::realpath(top.constData(), nullptr);
    const QByteArray root = real ? QByteArray(real) : QByteArray();
    std::free(real);
    // A name as its bytes are: what is not UTF-8 is written as "\xNN", never as U+FFFD.
    auto shown = [](const QByteArray& relative) {
        QString text;
        for (qsizetype at = 0; at < relative.size();) {
            const auto lead = uchar(relative[at]);
            const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
            const QByteArray piece = length > 0 ? relative.mid(at, length) : QByteArray();
            const QString decoded = QString::fromUtf8(piece);
            if (length > 0 && piece.size() == length && !decoded.contains(QChar::ReplacementCharacter)
                && decoded.toUtf8() == piece) {
                text += decoded;
                at += length;
            } else {
                text += QStringLiteral("\\x%1").arg(uint(lead), 2, 16, QLatin1Char('0'));
                ++at;
            }
        }
        return shownName(text);
    };
    auto problem = [&](const QByteArray& relative, const QString& why) {
        listed.problems << QStringLiteral("%1: %2").arg(relative.isEmpty() ? shownName(folder) : shown(relative), why);
    };
    struct Open {
        DIR* dir;
        QByteArray relative; // "" or "a/b/"
    };
    std::vector<Open> stack;
    const int topFd = ::open(top.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* topDir = topFd >= 0 ? ::fdopendir(topFd) : nullptr;
    if (!topDir) {
        const int err = errno;
        if (topFd >= 0)
            ::close(topFd);
        problem({}, Say::tr("the folder cannot be read (%1)").arg(reason(err)));
        return listed;
    }
    stack.push_back({topDir, {}});
    bool stopped = false;
    while (!stack.empty() && !stopped) {
        Open& at = stack.back();
        errno = 0;
        const dirent* e = ::readdir(at.dir);
        if (!e) {
            if (const int err = errno; err != 0)
                problem(at.relative.chopped(at.relative.isEmpty() ? 0 : 1),
                    Say::tr("the folder could not be read to its end (%1)").arg(reason(err)));
            ::closedir(at.dir);
            stack.pop_back();
            continue;
        }
        const QByteArray raw(e->d_name);
        if (raw == "." || raw == ".." || (!hidden && raw.startsWith('.')))
            continue; // hidden entries, our own temporary files among them
        const QByteArray relative = at.relative + raw;
        struct stat st {};
        if (::fstatat(::dirfd(at.dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (const int err = errno; err != ENOENT) // gone since it was listed: nothing to name
                problem(relative, Say::tr("cannot be looked at (%1)").arg(reason(err)));
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            const int fd = ::openat(::dirfd(at.dir), e->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            DIR* sub = fd >= 0 ? ::fdopendir(fd) : nullptr;
            if (!sub) {
                const int err = errno;
                if (fd >= 0)
                    ::close(fd);
                problem(relative, Say::tr("the folder cannot be read (%1)").arg(reason(err)));
                continue;
            }
            stack.push_back({sub, relative + '/'});
            continue;
        }
        // Where a link leads, when it leads out of the folder; empty inside it.
        auto outside = [&]() -> QByteArray {
            char* target = ::realpath((top + '/' + relative).constData(), nullptr);
            const QByteArray where = target ? QByteArray(target) : QByteArray();
            std::free(target);
            return root.isEmpty() || (where != root && !where.startsWith(root + '/')) ? where : QByteArray();
        };
        struct stat to {};
        const bool linked = S_ISLNK(st.st_mode) && ::fstatat(::dirfd(at.dir), e->d_name, &to, 0) == 0;
        const int linkError = errno;
        if (linked && S_ISDIR(to.st_mode)) { // never followed: inside, its files are listed where they are
            if (const QByteArray where = outside(); !where.isEmpty())
                problem(relative, Say::tr("a link to the folder %1, outside the folder: its files are not listed, and "
                                          "never written")
                                      .arg(shownName(QFile::decodeName(where))));
            continue;
        }
        const QString name = QFile::decodeName(relative);
        if (wanted && !wanted(name))
            continue;
        if (S_ISLNK(st.st_mode) && !linked) { // leads nowhere: to nothing, or round in a loop
            problem(relative, Say::tr("a link that leads to no file (%1): it is not listed").arg(reason(linkError)));
            continue;
        }
        if (!S_ISLNK(st.st_mode) && !S_ISREG(st.st_mode)) {
            problem(relative, Say::tr("it is not a regular file (a pipe, a device or a socket): it is never read or written"));
            continue;
        }
        bool isFile = S_ISREG(st.st_mode);
        if (S_ISLNK(st.st_mode) && followFileLinks) { // read only: a link to a file is that file
            isFile = linked && S_ISREG(to.st_mode);
        } else if (linked && S_ISREG(to.st_mode)) {
            // A link to a file: inside the folder, its file is listed under its own name; outside,
            // it is someone else's.
            if (const QByteArray where = outside(); !where.isEmpty())
                problem(relative, Say::tr("a link to %1, outside the folder: what it leads to is never written")
                                      .arg(shownName(QFile::decodeName(where))));
        }
        if (!isFile)
            continue;
        if (QFile::encodeName(name) != relative) {
            problem(relative, Say::tr("its name cannot be read as UTF-8 (it was written in another character set): "
                                      "rename it to use it"));
            continue;
        }
        // Room for the temporary name a new copy takes beside it (".NAME.sonaplex-XXXXXX").
        if (top.size() + 1 + relative.size() + 17 >= PATH_MAX) {
            problem(relative, Say::tr("its path is longer than the file system allows: move it higher to use it"));
            continue;
        }
        listed.names << name;
        if (found && !found(name))
            stopped = true;
    }
    for (Open& o : stack)
        ::closedir(o.dir);
    listed.names.sort();
    return listed;
}

namespace {

// A name in the open folder `dir` that equals `name` but for case, or empty.
QByteArray otherCase(int dir, const QByteArray& name)
{
    const int copy = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copy < 0)
        return {};
    DIR* d = ::fdopendir(copy);
    if (!d) {
        ::close(copy);
        return {};
    }
    const QString wanted = QString::fromUtf8(name);
    QByteArray found;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray entry(e->d_name);
        if (entry != name && QString::fromUtf8(entry).compare(wanted, Qt::CaseInsensitive) == 0) {
            found = entry;
            break;
        }
    }
    ::closedir(d);
    return found;
}

} // namespace

InsidePath findInside(const QString& folder, const QString& relative)
{
    InsidePath at;
    at.path = QDir::cleanPath(folder) + QLatin1Char('/') + relative;
    if (encoded(at.path).size() >= PATH_MAX) {
        at.problem = Say::tr("its path is longer than the file system allows");
        return at;
    }
    char* real = ::realpath(encoded(folder).constData(), nullptr);
    if (!real) {
        at.problem = Say::tr("the game folder %1 cannot be opened").arg(folder);
        return at;
    }
    const QByteArray root(real);
    std::free(real);
    Fd dir(::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        at.problem = Say::tr("the game folder %1 cannot be opened").arg(folder);
        return at;
    }
    QByteArray here = root; // where `dir` really is
    const QList<QByteArray> parts = relative.toUtf8().split('/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QByteArray& part = parts[i];
        const bool last = i + 1 == parts.size();
        const QString shown = QString::fromUtf8(part);
        struct stat st {};
        if (::fstatat(dir.get(), part.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) {
                const int err = errno;
                at.problem
                    = Say::tr("%1 cannot be looked at (%2)").arg(shown, QString::fromLocal8Bit(std::strerror(err)));
                return at;
            }
            if (const QByteArray other = otherCase(dir.get(), part); !other.isEmpty()) {
                at.problem = Say::tr("'%1' differs only in case from '%2', which the game already has")
                                 .arg(shown, QString::fromUtf8(other));
                return at;
            }
            at.folderExists = last;
            return at;
        }
        if (last) {
            if (S_ISLNK(st.st_mode))
                at.problem = Say::tr("the game file is a symbolic link");
            else if (!S_ISREG(st.st_mode))
                at.problem = Say::tr("the game file is not a regular file");
            at.exists = at.problem.isEmpty();
            at.folderExists = true;
            return at;
        }
        QByteArray next = here + '/' + part;
        if (S_ISLNK(st.st_mode)) {
            char* target = ::realpath(next.constData(), nullptr);
            if (!target) {
                at.folderExists = false; // a broken link: no folder there
                at.problem = Say::tr("'%1' is a symbolic link that leads nowhere").arg(shown);
                return at;
            }
            next = target;
            std::free(target);
            if (next != root && !next.startsWith(root + '/')) {
                at.problem = Say::tr("'%1' is a symbolic link to %2, outside the game folder")
                                 .arg(shown, QString::fromLocal8Bit(next));
                return at;
            }
            if (::stat(next.constData(), &st) != 0)
                return at;
        }
        if (!S_ISDIR(st.st_mode)) {
            at.problem = Say::tr("'%1' is not a folder").arg(shown);
            return at;
        }
        Fd inner(::open(next.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW));
        if (inner.get() < 0) {
            const int err = errno;
            at.problem = Say::tr("%1 cannot be opened (%2)").arg(shown, QString::fromLocal8Bit(std::strerror(err)));
            return at;
        }
        dir = std::move(inner);
        here = next;
    }
    return at;
}

} // namespace sonaplex
