#include "actions/game_sounds.h"

#include "actions/replacement.h"
#include "audio/analysis.h"
#include "audio/probe.h"
#include "audio/ogg_headers.h"
#include "base/files.h"
#include "base/result.h"
#include "base/sound_names.h"

#include "record/replacement_record.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <memory>
#include <unistd.h>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(GameSounds)
};
} // namespace

FilesBelow gameSounds(const QString& folder, const std::function<bool(const QString&)>& found)
{
    return listFilesBelow(folder, false, [](const QString& name) { return isSoundName(name); }, found);
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

bool isOgg(const audio::SoundInfo& info)
{
    return info.format == SoundFormat::Ogg || info.format == SoundFormat::Opus;
}

} // namespace

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
    FilesBelow listed = listFilesBelow(from, false, [](const QString& name) { return isSoundName(name); }, {}, true);
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
        const QString why = !m.info.ok() ? m.info.error : isOgg(m.info) ? damagedOgg(m.replacement) : QString();
        if (why.isEmpty())
            playable.push_back(std::move(m));
        else
            result.refused << Say::tr("%1: cannot be used: %2").arg(m.replacement.mid(from.size() + 1), why);
    }
    result.matched = std::move(playable);
    return result;
}

std::vector<Selection> gameSelections(const QString& gameFolder, const std::vector<SoundMatch>& chosen)
{
    std::vector<Selection> selections;
    selections.reserve(chosen.size());
    for (const SoundMatch& m : chosen)
        selections.push_back(
            {gameFolder + QLatin1Char('/') + m.gameName, m.gameName, m.replacement, QFileInfo(m.replacement).fileName()});
    return selections;
}

namespace {

} // namespace

QString KeptUnderGameNames::named(const QString& kept, const QString& gamePath)
{
    if (!dir_) {
        const QString work = QDir::cleanPath(QFileInfo(kept).absolutePath() + QStringLiteral("/../work"));
        QDir().mkpath(work);
        dir_ = std::make_unique<QTemporaryDir>(work + QStringLiteral("/formats-%1-XXXXXX").arg(QCoreApplication::applicationPid()));
    }
    const QString name = dir_->path() + QStringLiteral("/%1-").arg(++count_) + QFileInfo(gamePath).fileName();
    const bool linked = dir_->isValid()
        && (::link(QFile::encodeName(kept).constData(), QFile::encodeName(name).constData()) == 0 || QFile::copy(kept, name));
    return linked ? name : gamePath;
}

KeptUnderGameNames::~KeptUnderGameNames() = default;

std::vector<QString> keptOriginals(ReplacementRecord* record, const std::vector<Selection>& selections)
{
    std::vector<QString> originals(selections.size());
    if (!record || !record->isOpen())
        return originals;
    QHash<QString, std::vector<ReplacedFile>> knownByFolder;
    for (size_t i = 0; i < selections.size(); ++i) {
        const QString& gamePath = selections[i].gamePath;
        if (gamePath.isEmpty())
            continue;
        const QString folder = QFileInfo(gamePath).absolutePath();
        auto known = knownByFolder.find(folder);
        if (known == knownByFolder.end())
            known = knownByFolder.insert(folder, record->knownIn(folder));
        for (const ReplacedFile& f : *known)
            if (f.gamePath == gamePath && !f.lastHash.isEmpty() && record->store().holds(f.originalHash)
                && record->knownHash(gamePath) == f.lastHash)
                originals[i] = record->store().pathOf(f.originalHash);
    }
    return originals;
}

GameSwitchCheck checkGameSwitch(const QString& gameFolder, const std::vector<Selection>& selections,
    const std::vector<QString>& originals, const KnownSounds& known)
{
    const size_t count = selections.size();
    GameSwitchCheck result;
    result.formats.resize(count);
    result.gameFormats.resize(count);
    std::vector<audio::SoundInfo> replacements(count);
    // The files still to read, each under a name of its format: a kept original is read through
    // a link named as its game file, in passing work beside the store.
    QStringList paths;
    std::vector<std::pair<size_t, bool>> whose; // (selection, game side) of each path
    KeptUnderGameNames links;
    for (size_t i = 0; i < count; ++i) {
        const Selection& s = selections[i];
        if (s.gamePath.isEmpty() || s.replacementPath.isEmpty())
            continue;
        if (const QString why = outsideFolder(gameFolder, s.gamePath); !why.isEmpty()) {
            result.refused[int(i) + 1] = why;
            continue;
        }
        const QString source = i < originals.size() && !originals[i].isEmpty() ? originals[i] : s.gamePath;
        if (source == s.gamePath && i < known.games.size() && known.games[i].ok()) {
            result.gameFormats[i] = known.games[i];
        } else if (source == s.gamePath) {
            paths << s.gamePath;
            whose.push_back({i, true});
        } else {
            paths << links.named(source, s.gamePath);
            whose.push_back({i, true});
        }
        if (i < known.replacements.size() && known.replacements[i].ok()) {
            replacements[i] = known.replacements[i];
        } else {
            paths << s.replacementPath;
            whose.push_back({i, false});
        }
    }
    const std::vector<audio::SoundInfo> read = audio::probeInfos(paths, audio::kProbeTimeLimit);
    for (size_t k = 0; k < read.size(); ++k)
        (whose[k].second ? result.gameFormats : replacements)[whose[k].first] = read[k];
    for (size_t i = 0; i < count; ++i) {
        const Selection& s = selections[i];
        const int n = int(i) + 1;
        if (s.gamePath.isEmpty() || s.replacementPath.isEmpty() || result.refused.count(n))
            continue;
        const audio::SoundInfo& game = result.gameFormats[i];
        const audio::SoundInfo& replacement = replacements[i];
        // A file not read is no verdict: the selection is refused with the cause.
        if (!replacement.ok())
            result.refused[n] = replacement.error.isEmpty() ? Say::tr("%1 was not read").arg(s.replacementName)
                                                            : replacement.error;
        else if (!game.ok())
            result.refused[n] = Say::tr("the game file cannot be read, so its format is not known: %1")
                                    .arg(game.error.isEmpty() ? s.gameName : game.error);
        else if (const QString damaged = isOgg(replacement) && !(known.replacementsChecked && i < known.replacements.size())
                     ? damagedOgg(s.replacementPath)
                     : QString();
                 !damaged.isEmpty())
            result.refused[n] = damaged;
        else
            result.formats[i] = audio::checkFormats(game, replacement);
    }
    return result;
}

std::vector<ConversionJob> conversionJobs(const std::vector<Selection>& selections,
    const std::vector<FormatCheck>& checks, const QString& folder, bool all, bool matchLoudness, bool loopWhole,
    const std::vector<audio::SoundInfo>& gameFormats)
{
    std::vector<ConversionJob> jobs;
    for (size_t i = 0; i < selections.size() && i < checks.size(); ++i) {
        const Selection& s = selections[i];
        const FormatCheck& check = checks[i];
        const bool looped = loopWhole && check.loopMissing;
        if (s.gamePath.isEmpty() || s.replacementPath.isEmpty() || !(isConverted(check, all) || looped))
            continue;
        const int n = int(i) + 1;
        // Under the game file's own name, so that it is written as that format.
        jobs.push_back({n, s.replacementPath, s.gamePath,
            folder + QStringLiteral("/%1-%2").arg(n).arg(QFileInfo(s.gamePath).fileName()), matchLoudness,
            looped ? audio::LoopChoice::Whole : audio::LoopChoice::Own,
            i < gameFormats.size() ? gameFormats[i] : audio::SoundInfo{}});
    }
    return jobs;
}

PreparedRun prepareSwitch(ReplacementRecord* record, const std::vector<Selection>& selections,
    const Conversions& conversions, const std::function<QString(const QString&)>& check,
    const std::map<int, QString>& refused, bool skipUnchanged)
{
    // The plan refuses what the game file cannot take by its name (soundFit), per selection.
    Plan plan = switchPlan(selections, check, conversions.converted, conversions.failed, refused);
    plan.skipUnchanged = skipUnchanged;
    return PreparedRun(std::move(plan), record);
}

} // namespace sonaplex
