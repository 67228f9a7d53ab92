#include "actions/game_sounds.h"

#include "actions/replacement.h"
#include "audio/analysis.h"
#include "audio/ogg_headers.h"
#include "audio/probe.h"
#include "base/files.h"
#include "base/result.h"
#include "base/sound_names.h"
#include "base/work_progress.h"

#include "record/format_cache.h"
#include "record/replacement_record.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <unistd.h>

#include <algorithm>
#include <optional>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(GameSounds)
};
} // namespace

FilesBelow gameSounds(const QString& folder, const std::function<bool(const QString&)>& found)
{
    return listFilesBelow(
        folder, false, [](const QString& name) { return isSoundName(name); }, found);
}

namespace {
// What is remembered of a recording or a module read from its headers, packed: a listing of many
// thousand files writes and reads it all at once.
QByteArray packed(const audio::SoundInfo& i)
{
    QByteArray b;
    QDataStream s(&b, QIODevice::WriteOnly);
    s << qint32(i.format) << qint32(i.sfFormat) << qint32(i.rate) << qint32(i.channels) << qint64(i.frames)
      << i.seconds << qint32(i.bitrate) << i.variableBitrate << qint32(i.sourceRate) << qint64(i.loop.start)
      << qint64(i.loop.length) << i.loopOutside << i.moduleType << qint32(i.moduleChannels);
    // A checksum: a row damaged on disk (SQLite's own checks pass it) is read from the file again.
    s << quint16(qChecksum(b));
    return b;
}

// What packed() wrote; nothing when it is not that (it is then read again from the file).
std::optional<audio::SoundInfo> unpacked(const QByteArray& b)
{
    if (b.size() < 2)
        return std::nullopt;
    QDataStream sum(b.last(2));
    quint16 stated = 0;
    sum >> stated;
    if (stated != qChecksum(b.first(b.size() - 2)))
        return std::nullopt;
    QDataStream s(b.first(b.size() - 2));
    qint32 format = 0, sfFormat = 0, rate = 0, channels = 0, bitrate = 0, sourceRate = 0, moduleChannels = 0;
    qint64 frames = 0, loopStart = -1, loopLength = -1;
    audio::SoundInfo i;
    s >> format >> sfFormat >> rate >> channels >> frames >> i.seconds >> bitrate >> i.variableBitrate >> sourceRate
        >> loopStart >> loopLength >> i.loopOutside >> i.moduleType >> moduleChannels;
    if (s.status() != QDataStream::Ok || !s.atEnd() || rate <= 0 || channels <= 0)
        return std::nullopt;
    i.format = SoundFormat(format);
    i.sfFormat = sfFormat;
    i.rate = rate;
    i.channels = channels;
    i.frames = frames;
    i.bitrate = bitrate;
    i.sourceRate = sourceRate;
    i.loop = {loopStart, loopLength};
    i.moduleChannels = moduleChannels;
    return i;
}
} // namespace

void readGameSounds(const QString& folder, const std::weak_ptr<ReplacementRecord>& record, const GameSoundsReading& to)
{
    QStringList all, batch;
    QElapsedTimer since;
    since.start();
    const FilesBelow listed = gameSounds(folder, [&](const QString& name) {
        batch << name;
        if (since.elapsed() >= to.namesEveryMs || batch.size() >= to.namesBatch) {
            all += batch;
            to.found(std::exchange(batch, {}));
            since.restart();
        }
        return !to.stopped();
    });
    all += batch;
    to.found(batch);
    to.listed(listed.problems);
    std::vector<ReplacedFile> files;
    if (const std::shared_ptr<ReplacementRecord> open = record.lock(); open && open->isOpen() && !to.stopped()) {
        WorkProgress progress;
        files = open->readUnder(folder, &progress);
    }
    to.states(std::move(files));
    // What was read before of files that have not changed since is taken as it was; only the
    // rest are read.
    QStringList allPaths;
    allPaths.reserve(all.size());
    for (const QString& name : all)
        allPaths << folder + QLatin1Char('/') + name;
    FormatCache cache(to.formatCache);
    std::vector<QString> stamps;
    const std::vector<QByteArray> remembered = cache.lookUp(folder, allPaths, stamps);
    qsizetype size = std::max(1, to.infoBatch);
    for (qsizetype first = 0; first < all.size() && !to.stopped();
         first += size, size = std::min(size * 2, qsizetype(to.infoBatch) * 32)) {
        const qsizetype end = std::min(first + size, all.size());
        std::vector<audio::SoundInfo> infos(size_t(end - first));
        QStringList unread;
        std::vector<size_t> at;
        for (qsizetype i = first; i < end; ++i) {
            if (std::optional<audio::SoundInfo> known = unpacked(remembered[size_t(i)])) {
                infos[size_t(i - first)] = std::move(*known);
            } else {
                unread << allPaths[i];
                at.push_back(size_t(i - first));
            }
        }
        // Headers only: a file is decoded on trial before it is played, converted or put in.
        const std::vector<audio::SoundInfo> read
            = audio::probeInfos(unread, audio::kProbeTimeLimit, audio::ProbeDepth::Headers);
        std::vector<QString> readStamps;
        std::vector<QByteArray> rows;
        for (size_t k = 0; k < read.size(); ++k) {
            infos[at[k]] = read[k];
            readStamps.push_back(stamps[size_t(first) + at[k]]);
            // What could not be read is tried again next time (it may have been the disk's fault),
            // and said in the language of that time. MIDI files are read by the program itself, at
            // once, and keep more than a recording's line holds: they are read each time.
            const bool keep = read[k].ok() && read[k].kind == audio::DeviceKind::WaveAudio;
            rows.push_back(keep ? packed(read[k]) : QByteArray());
        }
        cache.remember(unread, readStamps, rows);
        to.read(int(first), std::move(infos));
    }
}

namespace {

// Why an Ogg replacement cannot be put into a game as it is: a page damaged inside it (its
// headers read well, and a decoder would pass over the hole in silence). Read by the program's
// own page reader, no decoder.
QString damagedOgg(const QString& path)
{
    const Result<int> opened = openRegularFile(path);
    if (!opened)
        return opened.failure().error;
    QFile file;
    if (!file.open(opened.value(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.value());
        return file.errorString();
    }
    const audio::OggHeaders h = audio::readOggHeaders(file, true);
    return h.problem.isEmpty() ? QString()
                               : Say::tr("%1 cannot be played whole: %2").arg(QFileInfo(path).fileName(), h.problem);
}

bool isOgg(const audio::SoundInfo& info) { return info.format == SoundFormat::Ogg || info.format == SoundFormat::Opus; }

} // namespace

QString damagedWhole(const QString& path, const audio::SoundInfo& info)
{
    return isOgg(info) ? damagedOgg(path) : QString();
}

QString replacementRefusal(const QString& gameName, const QString& replacement)
{
    const QString shown = QFileInfo(replacement).fileName();
    if (!isSoundName(replacement))
        return Say::tr("%1 is not a sound file Sonaplex knows (.wav, .ogg, .mid, ...)").arg(shown);
    const SoundFitAnswer fit = soundFit(gameName, replacement);
    return fit.fit == SoundFit::Refused ? fit.why : QString();
}

namespace {

// "sfx/Jump.ogg" -> "sfx/jump": what two names are compared by.
QString stemKey(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return (dot > slash + 1 ? path.left(dot) : path).toCaseFolded();
}

QString nameKey(const QString& path) { return stemKey(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)); }

QString suffixOf(const QString& path) { return QFileInfo(path).suffix().toCaseFolded(); }

// One of the user's files proposed for a game file.
struct Proposal {
    qsizetype user; // index into the user's names
    bool byPath;
};

// Whether proposal `a` serves game file `game` better than `b`: by path before by name, then
// in the game file's own format, then the first.
bool better(const Proposal& a, const Proposal& b, const QString& game, const QStringList& users)
{
    if (a.byPath != b.byPath)
        return a.byPath;
    const bool aOwn = suffixOf(users[a.user]) == suffixOf(game), bOwn = suffixOf(users[b.user]) == suffixOf(game);
    if (aOwn != bOwn)
        return aOwn;
    return a.user < b.user;
}

} // namespace

FolderMatches matchFolder(const QStringList& gameNames, const QString& from)
{
    QHash<QString, QList<qsizetype>> byPath, byName;
    for (qsizetype g = 0; g < gameNames.size(); ++g) {
        byPath[stemKey(gameNames[g])].append(g);
        byName[nameKey(gameNames[g])].append(g);
    }
    FolderMatches result;
    // The user's folder is only read: a link in it is the file it leads to.
    FilesBelow listed = listFilesBelow(
        from, false, [](const QString& name) { return isSoundName(name); }, {}, true);
    const QStringList& users = listed.names;
    result.unlisted = std::move(listed.problems);
    QHash<qsizetype, QList<Proposal>> proposals; // by game file
    auto named = [&gameNames](const QList<qsizetype>& games) {
        QStringList names;
        for (qsizetype g : games)
            names << gameNames[g];
        return names.join(QStringLiteral(", "));
    };
    for (qsizetype u = 0; u < users.size(); ++u) {
        const QString& user = users[u];
        QList<qsizetype> games = byPath.value(stemKey(user));
        const bool viaPath = !games.isEmpty();
        if (viaPath && games.size() > 1) {
            result.refused << Say::tr("%1: %2 game files have this path, extensions and case aside (%3): which one "
                                      "it is for is not known; choose it for one of them by hand")
                                  .arg(user)
                                  .arg(games.size())
                                  .arg(named(games));
            continue;
        }
        if (!viaPath) {
            games = byName.value(nameKey(user));
            if (games.size() > 1) {
                result.refused << Say::tr("%1: %2 game files have this name (%3); put it in a folder as the game "
                                          "has it to say which")
                                      .arg(user)
                                      .arg(games.size())
                                      .arg(named(games));
                continue;
            }
        }
        if (games.isEmpty()) {
            result.unused << user;
            continue;
        }
        for (qsizetype g : games) {
            if (const QString why = replacementRefusal(gameNames[g], user); !why.isEmpty())
                result.refused << Say::tr("%1: not for %2: %3").arg(user, gameNames[g], why);
            else
                proposals[g].append({u, viaPath});
        }
    }
    for (qsizetype g = 0; g < gameNames.size(); ++g) {
        const auto found = proposals.constFind(g);
        if (found == proposals.cend())
            continue;
        const QList<Proposal>& all = *found;
        const Proposal best = *std::min_element(all.begin(), all.end(),
            [&](const Proposal& a, const Proposal& b) { return better(a, b, gameNames[g], users); });
        result.matched.push_back({gameNames[g], from + QLatin1Char('/') + users[best.user], best.byPath});
        for (const Proposal& p : all)
            if (p.user != best.user)
                result.refused
                    << Say::tr("%1: not used: %2 is used for %3").arg(users[p.user], users[best.user], gameNames[g]);
    }
    // What is matched must play: read in the helper, as every file from elsewhere.
    QStringList paths;
    for (const SoundMatch& m : result.matched)
        paths << m.replacement;
    const std::vector<audio::SoundInfo> infos = audio::probeInfos(paths, audio::kProbeTimeLimit);
    std::vector<SoundMatch> playable;
    for (size_t i = 0; i < result.matched.size(); ++i) {
        SoundMatch& m = result.matched[i];
        m.info = infos[i];
        const QString why = !m.info.ok() ? m.info.error : damagedWhole(m.replacement, m.info);
        if (why.isEmpty())
            playable.push_back(std::move(m));
        else
            result.refused << Say::tr("%1: cannot be used: %2").arg(m.replacement.mid(from.size() + 1), why);
    }
    result.matched = std::move(playable);
    return result;
}

ChosenReplacements chosenFrom(const FolderMatches& matches, const QString& gameFolder)
{
    ChosenReplacements chosen{gameFolder, {}};
    for (const SoundMatch& m : matches.matched)
        chosen.byName.insert(m.gameName, ChosenSound{m.replacement, {}, m.info, true});
    return chosen;
}

} // namespace sonaplex
