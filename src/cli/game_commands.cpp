// The commands on games and their sounds: sounds and games.
#include "base/language.h"
#include "readers/sound_pack.h"

#include "audio/analysis.h"
#include "audio/probe.h"
#include "base/sound_names.h"
#include "base/files.h"
#include "base/result.h"
#include "readers/games.h"
#include "base/program_folder.h"
#include "actions/game_sounds.h"
#include "record/format_cache.h"
#include "actions/replacement.h"
#include "record/replacement_record.h"
#include "base/work_progress.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "version.h"
#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <limits>
#include <numeric>
#include <algorithm>

#include <unistd.h>

namespace sonaplex::cli {

namespace {
// The context this file's texts are translated in (the command line's).
struct Say {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};
} // namespace

int sounds(const Options& o)
{
    if (o.arguments.size() != 1)
        return usageError(Say::tr("sounds takes one folder, or a game's name or id."));
    const KnownFolder at = gameOrFolder(o, o.arguments.front());
    if (at.isEmpty())
        return kUsage;
    const QString& folder = at.real;
    if (!QFileInfo(folder).isDir())
        return notATarget(o.arguments.front());
    Opened opened = openListing(o, at);
    if (opened.failed)
        return opened.failed;
    QHash<QString, const ReplacedFile*> known;
    for (const ReplacedFile& f : opened.files)
        known.insert(f.gamePath, &f);
    // Read as the window reads it; the states are the record's listing's (above).
    QStringList names, unlisted;
    std::vector<audio::SoundInfo> infos;
    GameSoundsReading reading;
    reading.found = [&](const QStringList& found) { names += found; };
    reading.listed = [&](const QStringList& problems) { unlisted = problems; };
    reading.states = [](std::vector<ReplacedFile>) {};
    reading.read = [&](int, std::vector<audio::SoundInfo> read) { infos.insert(infos.end(), read.begin(), read.end()); };
    reading.stopped = [] { return interrupted(); };
    reading.infoBatch = std::numeric_limits<int>::max();
    reading.formatCache = formatCacheIn(programRoot(o));
    readGameSounds(folder, {}, reading);
    for (const QString& p : unlisted)
        err(Say::tr("%1: not listed: %2").arg(shownName(QDir::toNativeSeparators(folder)), p));
    if (infos.size() != size_t(names.size()))
        return stoppedBeforeChanges();
    { // in the order of their paths, as they are listed
        std::vector<qsizetype> order(size_t(names.size()));
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return names[a] < names[b]; });
        QStringList sortedNames;
        std::vector<audio::SoundInfo> sortedInfos;
        for (qsizetype i : order) {
            sortedNames << names[i];
            sortedInfos.push_back(std::move(infos[size_t(i)]));
        }
        names = std::move(sortedNames);
        infos = std::move(sortedInfos);
    }
    QStringList paths;
    for (const QString& name : names)
        paths << folder + QLatin1Char('/') + name;
    QJsonArray list;
    bool allRead = unlisted.isEmpty();
    for (qsizetype i = 0; i < names.size(); ++i) {
        const audio::SoundInfo& info = infos[size_t(i)];
        const ReplacedFile* f = known.value(paths[i]);
        // A file the record does not know is the game's own only as far as it was read: one that
        // is gone, cannot be opened or was not read through is said so, not called original.
        GameFileState fileState = f ? f->state : GameFileState::Original;
        QString cause = f && f->state == GameFileState::Unreadable ? f->readFailure.error : QString();
        if (!f && !info.ok()) {
            const Result<int> opening = openRegularFile(paths[i]);
            if (opening)
                ::close(opening.value());
            fileState = opening ? GameFileState::NotRead
                : opening.failure().cause == FileCause::NotFound ? GameFileState::Missing
                                                              : GameFileState::Unreadable;
            cause = opening ? info.error : opening.failure().error;
        }
        const QString state = stateKeyword(fileState);
        const QString format = info.ok() ? audio::formatSummary(info) : QString();
        if (!info.ok()) {
            allRead = false;
            err(Say::tr("%1: %2: %3")
                    .arg(shownName(QDir::toNativeSeparators(names[i])), stateWords(fileState),
                        shownName(cause.isEmpty() ? info.error : cause)));
        }
        if (o.json) {
            QJsonObject s{{QStringLiteral("path"), names[i]}, {QStringLiteral("state"), state},
                {QStringLiteral("soundFormat"), info.ok() ? QJsonValue(soundFormatWords(info.format)) : QJsonValue()}};
            if (info.ok()) {
                s.insert(QStringLiteral("format"), format);
                s.insert(QStringLiteral("seconds"), info.seconds);
            } else {
                s.insert(QStringLiteral("error"), cause.isEmpty() ? info.error : cause);
            }
            if (f && !f->replacedBy.isEmpty()) {
                s.insert(QStringLiteral("replacedBy"), f->replacedBy);
                s.insert(QStringLiteral("at"), f->at.toUTC().toString(Qt::ISODate));
            }
            list.append(s);
            continue;
        }
        QString line = QStringLiteral("%1  %2  ").arg(state, -9).arg(shownName(QDir::toNativeSeparators(names[i])));
        const auto ms = int64_t(info.seconds * 1000);
        line += info.ok() ? QStringLiteral("%1, %2").arg(
                    format, audio::clockText(ms, 1000, std::max(1, audio::clockDecimals(ms, 1000))))
                          : Say::tr("cannot be read: %1").arg(shownName(cause.isEmpty() ? info.error : cause));
        if (f && !f->replacedBy.isEmpty())
            line += Say::tr("  (Sonaplex put %1 there, %2)")
                        .arg(shownName(QDir::toNativeSeparators(f->replacedBy)), localTimeText(f->at));
        out(line);
    }
    if (o.json)
        printJson({{QStringLiteral("command"), QStringLiteral("sounds")}, {QStringLiteral("folder"), folder},
            {QStringLiteral("sounds"), list}, {QStringLiteral("unlisted"), QJsonArray::fromStringList(unlisted)}});
    else if (names.isEmpty())
        out(Say::tr("No sound file under %1.").arg(QDir::toNativeSeparators(folder)));
    return allRead ? kDone : kNotAll;
}

// The games the launchers' files name, each with how many of its files Sonaplex replaced and
// how many of those were changed since (by an update, most likely).
int games(const Options& o)
{
    if (!o.arguments.isEmpty())
        return usageError(Say::tr("games takes no arguments."));
    const QString root = programRoot(o);
    if (root.isEmpty())
        return kUnusable;
    const GameSearch found = findGames(GamePlaces::ofUser(root));
    for (const QString& line : found.log)
        err(Say::tr("sonaplex: %1").arg(line));
    Opened opened = openListing(o, {});
    if (opened.failed)
        return opened.failed;
    std::vector<ReplacedFile>& files = opened.files;
    std::vector<GameCount> counts = countReplaced(found.games, files);
    if (o.json) {
        QJsonArray list;
        for (size_t i = 0; i < found.games.size(); ++i) {
            const Game& g = found.games[i];
            list.append(QJsonObject{{QStringLiteral("name"), g.name}, {QStringLiteral("launcher"), launcherKeyword(g.launcher)},
                {QStringLiteral("id"), g.id}, {QStringLiteral("folder"), g.folder}, {QStringLiteral("build"), g.build},
                {QStringLiteral("replaced"), counts[i].replaced}, {QStringLiteral("changed"), counts[i].changed}});
        }
        printJson({{QStringLiteral("command"), QStringLiteral("games")}, {QStringLiteral("games"), list},
            {QStringLiteral("skipped"), QJsonArray::fromStringList(found.log)}});
    } else if (found.games.empty()) {
        out(Say::tr("No installed game was found."));
    } else {
        for (size_t i = 0; i < found.games.size(); ++i) {
            const Game& g = found.games[i];
            QString line
                = QStringLiteral("%1  (%2%3%4)  %5")
                      .arg(g.name, launcherName(g.launcher), g.id.isEmpty() ? QString() : QLatin1Char(' ') + g.id,
                          g.build.isEmpty() ? QString() : Say::tr(", build ") + g.build,
                          QDir::toNativeSeparators(g.folder));
            if (counts[i].replaced > 0)
                line += Say::tr("  %1 replaced").arg(counts[i].replaced);
            if (counts[i].changed > 0)
                line += Say::tr(", %1 of them changed since, probably by an update").arg(counts[i].changed);
            out(line);
        }
    }
    return kDone;
}

} // namespace sonaplex::cli
