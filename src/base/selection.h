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

// What a game cares about in a wave file's format: rate, channels and libsndfile's container
// and sample format.
struct WaveFormat {
    int rate = 0;
    int channels = 0;
    int sfFormat = 0;
    bool operator==(const WaveFormat&) const = default;
};

// Whether a selection's replacement has its game file's format, worked out when both files are
// chosen and kept with the selection until either changes. Only sides that compare formats
// (wave files) leave NotCompared; a file whose format cannot be read compares as Same, so that
// nothing is offered for it.
struct FormatCheck {
    enum class State { NotCompared, Pending, Same, Differs };
    State state = State::NotCompared;
    WaveFormat game, replacement; // Differs only
    // Differs in container or codec (WAV against Ogg Vorbis, Vorbis against Opus), not only in
    // rate, channels or bits: a game reading the file by its name cannot take it as it is.
    bool codecDiffers = false;
    // The game file loops by tags (Vorbis comments, a wave file's "smpl" loop) and the
    // replacement has none: the game may loop it at the wrong place. Whatever the state.
    bool loopMissing = false;
    bool operator==(const FormatCheck&) const = default;
};

// What a replacement's format asks of a run that puts it in place: nothing (the game file's
// format, or not compared), a conversion the user may choose (rate, channels or bits differ), or
// one it must have (another container or codec: a game reads each file in the format its name
// says).
enum class ConversionNeed { None, Optional, Required };
inline ConversionNeed conversionNeed(const FormatCheck& f)
{
    if (f.state != FormatCheck::State::Differs)
        return ConversionNeed::None;
    return f.codecDiffers ? ConversionNeed::Required : ConversionNeed::Optional;
}
// The numbered selections of a side (1 to count()), which its selection window fills and its
// review window shows. What SWITCH, favourites, backups and sets read; the windows' labels
// only show it.
class SelectionList : public QObject {
    Q_OBJECT
public:
    explicit SelectionList(int count, QObject* parent = nullptr)
        : QObject(parent), items_(size_t(count)), formats_(size_t(count))
    {
    }

    int count() const { return int(items_.size()); }
    const Selection& at(int n) const { return items_[size_t(n - 1)]; }
    const std::vector<Selection>& all() const { return items_; }

    void setGameFile(int n, const QString& path, const QString& name) { update(n, path, name, true); }
    void setReplacementFile(int n, const QString& path, const QString& name) { update(n, path, name, false); }
    void remove(int n)
    {
        if (!at(n).isEmpty()) {
            items_[size_t(n - 1)] = {};
            formats_[size_t(n - 1)] = {};
            emit changed(n);
        }
    }

    const FormatCheck& format(int n) const { return formats_[size_t(n - 1)]; }
    // Keeps what was found of selection n's formats; `checked` is the selection it was worked
    // out for, so that an answer that comes after the selection changed is dropped.
    void setFormat(int n, const Selection& checked, const FormatCheck& check)
    {
        FormatCheck& f = formats_[size_t(n - 1)];
        if (!(at(n) == checked) || f == check)
            return;
        f = check;
        emit changed(n);
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
        formats_[size_t(n - 1)] = {};
        emit changed(n);
    }
    std::vector<Selection> items_;
    std::vector<FormatCheck> formats_;
};

} // namespace sonaplex
