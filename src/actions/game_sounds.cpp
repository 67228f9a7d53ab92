#include "actions/game_sounds.h"

#include "actions/replacement.h"
#include "audio/analysis.h"
#include "audio/probe.h"
#include "base/files.h"
#include "base/sound_names.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(GameSounds)
};
} // namespace

QStringList gameSoundNames(const QString& folder)
{
    QStringList names = filesBelow(folder);
    names.erase(std::remove_if(names.begin(), names.end(), [](const QString& n) { return !isSoundName(n); }), names.end());
    return names;
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
    const QStringList users = gameSoundNames(from);
    QHash<qsizetype, QList<Proposal>> proposals; // by game file
    FolderMatches result;
    for (qsizetype u = 0; u < users.size(); ++u) {
        const QString& user = users[u];
        QList<qsizetype> games = byPath.value(stemKey(user));
        const bool viaPath = !games.isEmpty();
        if (!viaPath) {
            games = byName.value(nameKey(user));
            if (games.size() > 1) {
                QStringList named;
                for (qsizetype g : games)
                    named << gameNames[g];
                result.refused << Say::tr("%1: %2 game files have this name (%3); put it in a folder as the game "
                                          "has it to say which")
                                      .arg(user)
                                      .arg(games.size())
                                      .arg(named.join(QStringLiteral(", ")));
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

std::vector<FormatCheck> checkSelectionFormats(const std::vector<Selection>& selections)
{
    QStringList paths;
    for (const Selection& s : selections)
        paths << s.gamePath << s.replacementPath;
    const std::vector<audio::SoundInfo> infos = audio::probeInfos(paths, audio::kProbeTimeLimit);
    std::vector<FormatCheck> checks;
    checks.reserve(selections.size());
    for (size_t i = 0; i < selections.size(); ++i) {
        const audio::SoundInfo& game = infos[2 * i];
        const audio::SoundInfo& replacement = infos[2 * i + 1];
        // A file not read compares as the same: the run itself says what is wrong with it.
        checks.push_back(game.ok() && replacement.ok() ? audio::checkFormats(game, replacement)
                                                       : FormatCheck{FormatCheck::State::Same, {}, {}});
    }
    return checks;
}

std::vector<ConversionJob> conversionJobs(const std::vector<Selection>& selections,
    const std::vector<FormatCheck>& checks, const QString& folder, bool all, bool matchLoudness, bool loopWhole)
{
    std::vector<ConversionJob> jobs;
    for (size_t i = 0; i < selections.size() && i < checks.size(); ++i) {
        const Selection& s = selections[i];
        const FormatCheck& check = checks[i];
        const bool differs = check.state == FormatCheck::State::Differs;
        const bool looped = loopWhole && check.loopMissing;
        if (s.gamePath.isEmpty() || s.replacementPath.isEmpty() || !((differs && (all || check.codecDiffers)) || looped))
            continue;
        const int n = int(i) + 1;
        // Under the game file's own name, so that it is written as that format.
        jobs.push_back({n, s.replacementPath, s.gamePath,
            folder + QStringLiteral("/%1-%2").arg(n).arg(QFileInfo(s.gamePath).fileName()), matchLoudness,
            looped ? audio::LoopChoice::Whole : audio::LoopChoice::Own});
    }
    return jobs;
}

PreparedRun prepareSwitch(ReplacementRecord* record, const std::vector<Selection>& selections,
    const Conversions& conversions, const std::function<QString(const QString&)>& check)
{
    // The plan refuses what the game file cannot take by its name (soundFit), per selection.
    return PreparedRun(switchPlan(selections, check, conversions.converted, conversions.failed), record);
}

} // namespace sonaplex
