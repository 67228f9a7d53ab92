#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace sonaplex {

// What the program keeps in its program folder, and where: favourite music, the two staging
// folders where a backup or a set is gathered until it is named, and the named sets.
class ProgramFolder {
public:
    enum class Staging { Backup, Set };

    explicit ProgramFolder(QString root) : root_(std::move(root)) {}

    const QString& root() const { return root_; }
    QString favorites() const { return entry(QStringLiteral("Favorite Midi")); } // named in setNames() too
    static QString stagingName(Staging s)
    {
        return s == Staging::Backup ? QStringLiteral("BackDir") : QStringLiteral("TempDir");
    }
    QString staging(Staging s) const { return entry(stagingName(s)); }
    // The record of replacements and the store of originals.
    QString replacements() const { return entry(QStringLiteral("Replacements")); } // named in setNames() too
    // Where passing work (converted copies) is done: never listed as a set.
    QString work() const { return replacements() + QDir::separator() + QStringLiteral("work"); }
    // A QTemporaryDir template for passing work of this process, "WHAT-PID-XXXXXX" in work():
    // removeAbandonedWork() of another running copy of the program leaves it alone.
    QString workTemplate(const QString& what) const
    {
        return work() + QDir::separator() + what + QStringLiteral("-%1-XXXXXX").arg(QCoreApplication::applicationPid());
    }
    // A backup set or a set of that name (a plain name: see nameProblem()).
    QString set(const QString& name) const { return entry(name); }
    // The names of every backup set and set, sorted: the program folder's folders but its own.
    QStringList setNames() const
    {
        const QStringList own{QStringLiteral("Favorite Midi"), stagingName(Staging::Backup), stagingName(Staging::Set),
            QStringLiteral("Replacements")};
        QStringList names = QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        names.removeIf([&](const QString& name) { return own.contains(name); });
        return names;
    }

private:
    QString entry(const QString& name) const { return root_ + QDir::separator() + name; }
    QString root_;
};

} // namespace sonaplex
