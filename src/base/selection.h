#pragma once
#include <QObject>
#include <QString>

#include <vector>

namespace sonaplex {

// One selection: a game file and the file that is to replace it, each as a full path and a
// bare name; an empty string is a file not chosen.
struct Selection {
    QString gamePath, gameName, replacementPath, replacementName;
    bool isEmpty() const
    {
        return gamePath.isEmpty() && gameName.isEmpty() && replacementPath.isEmpty() && replacementName.isEmpty();
    }
    bool operator==(const Selection&) const = default;
};

// The numbered selections of a review window (1 to count()). What SWITCH, favourites,
// backups and sets read; the windows' labels show it.
class SelectionList : public QObject {
    Q_OBJECT
public:
    explicit SelectionList(int count, QObject* parent = nullptr) : QObject(parent), items_(size_t(count)) {}

    int count() const { return int(items_.size()); }
    const Selection& at(int n) const { return items_[size_t(n - 1)]; }
    const std::vector<Selection>& all() const { return items_; }

    void setGameFile(int n, const QString& path, const QString& name) { update(n, path, name, true); }
    void setReplacementFile(int n, const QString& path, const QString& name) { update(n, path, name, false); }
    void remove(int n)
    {
        if (!at(n).isEmpty()) {
            items_[size_t(n - 1)] = {};
            emit changed(n);
        }
    }

signals:
    // Selection n changed.
    void changed(int n);

private:
    void update(int n, const QString& path, const QString& name, bool game)
    {
        Selection& s = items_[size_t(n - 1)];
        QString& p = game ? s.gamePath : s.replacementPath;
        QString& b = game ? s.gameName : s.replacementName;
        if (p == path && b == name)
            return;
        p = path;
        b = name;
        emit changed(n);
    }
    std::vector<Selection> items_;
};

} // namespace sonaplex
