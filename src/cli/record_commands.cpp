// The commands on what Sonaplex recorded: status, restore, reapply, undo and check.
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
#include <algorithm>

#include <unistd.h>

namespace sonaplex::cli {

namespace {
// The context this file's texts are translated in (the command line's).
struct Say {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};
} // namespace

// Each file that is there but could not be read, named on stderr with its cause; true when any.
bool namedUnreadable(const std::vector<ReplacedFile>& files)
{
    bool any = false;
    for (const ReplacedFile& f : files)
        if (f.state == GameFileState::Unreadable) {
            err(Say::tr("%1: cannot be read: %2").arg(shownName(QDir::toNativeSeparators(f.gamePath)), f.readFailure.error));
            any = true;
        }
    return any;
}

int status(const Options& o)
{
    if (o.arguments.size() != 1)
        return usageError(Say::tr("status takes one folder, or a game's name or id."));
    Opened opened = openTarget(o, o.arguments.front());
    if (opened.failed)
        return opened.failed;
    const QString& folder = opened.folder.real;
    std::vector<ReplacedFile>& files = opened.files;
    const bool stopped = std::any_of(
        files.begin(), files.end(), [](const ReplacedFile& f) { return f.state == GameFileState::NotRead; });
    if (o.json) {
        // Written as it goes, not built as a QJsonDocument first: a record may know 100,000
        // files. The same document as the other commands' (indented, keys in this order).
        QByteArray text = "{\n    \"command\": \"status\",\n    \"complete\": " + QByteArray(stopped ? "false" : "true")
            + ",\n    \"files\": [";
        text.reserve(1 << 21); // kept across the flushes below
        for (size_t i = 0; i < files.size(); ++i) {
            const ReplacedFile& f = files[i];
            text += i ? ",\n        {\n            \"at\": " : "\n        {\n            \"at\": ";
            appendJsonTime(text, f.at);
            text += ",\n            \"originalHash\": ";
            appendJson(text, f.originalHash);
            text += ",\n            \"path\": ";
            appendJson(text, f.gamePath);
            text += ",\n            \"replacedBy\": ";
            appendJson(text, f.replacedBy);
            text += ",\n            \"replacedHash\": ";
            appendJson(text, f.lastHash);
            text += ",\n            \"state\": ";
            appendJson(text, stateKeyword(f.state));
            text += "\n        }";
            if (text.size() > (1 << 20)) {
                std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
                text.truncate(0);
            }
        }
        text += (files.empty() ? "]" : "\n    ]") + QByteArray(",\n    \"folder\": ") + jsonString(folder)
            + ",\n    \"keptBytes\": " + QByteArray::number(opened.record->store().bytes()) + "\n}\n";
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        std::fflush(stdout);
    } else if (files.empty()) {
        out(Say::tr("No game file under %1 has been replaced.").arg(QDir::toNativeSeparators(folder)));
    } else {
        for (const ReplacedFile& f : files) {
            QString line = stateKeyword(f.state).leftJustified(9) + QStringLiteral("  ")
                + shownName(QDir::toNativeSeparators(f.gamePath));
            if (!f.replacedBy.isEmpty())
                line += Say::tr("  (by ") + shownName(QDir::toNativeSeparators(f.replacedBy)) + QStringLiteral(", ")
                    + localTimeText(f.at) + QLatin1Char(')');
            out(line);
        }
        // What the kept originals and copies take, for every game: freed from the restore window.
        out(Say::tr("The originals and copies Sonaplex keeps take %1.")
                .arg(QLocale::system().formattedDataSize(opened.record->store().bytes())));
    }
    const bool unreadable = namedUnreadable(files);
    if (stopped) {
        err(Say::tr("sonaplex: stopped; the files not read are listed as not-read."));
        return kNotAll;
    }
    return unreadable ? kNotAll : kDone;
}

int restore(const Options& o)
{
    const bool all = o.flags.contains(QStringLiteral("--all"));
    if (o.arguments.isEmpty())
        return usageError(
            Say::tr("restore takes a folder (or a game's name or id), then --all or the files to restore."));
    if (all && o.arguments.size() > 1)
        return usageError(Say::tr("restore takes either --all or the files to restore, not both."));
    if (!all && o.arguments.size() == 1)
        return usageError(
            Say::tr("restore %1 needs --all, or the files to restore after it.").arg(o.arguments.front()));
    Opened opened = openTarget(o, o.arguments.front());
    if (opened.failed)
        return opened.failed;
    const QString& folder = opened.folder.real;
    std::vector<ReplacedFile>& files = opened.files;
    if (std::any_of(files.begin(), files.end(), [](const ReplacedFile& f) { return f.state == GameFileState::NotRead; }))
        return stoppedBeforeChanges();
    bool unknown = false;
    if (!all) {
        QSet<QString> known;
        for (const ReplacedFile& f : files)
            known.insert(f.gamePath);
        // A relative name is a path from here, or else from FOLDER ("sound/fx1.wav"); one that is
        // neither is named as FOLDER's. A path through the folder's link is the folder's.
        QSet<QString> asked;
        for (qsizetype i = 1; i < o.arguments.size(); ++i) {
            const QString& given = o.arguments[i];
            const QString inFolder = QDir::cleanPath(folder + QLatin1Char('/') + given);
            QString path = absolute(given);
            if (!known.contains(path))
                path = opened.folder.named(path);
            if (QDir::isRelativePath(given) && !known.contains(path) && (known.contains(inFolder) || !QFileInfo::exists(path)))
                path = inFolder;
            asked.insert(path);
        }
        for (const QString& a : asked)
            if (!known.contains(a)) {
                err(Say::tr("%1: Sonaplex has not replaced this file under %2")
                        .arg(QDir::toNativeSeparators(a), QDir::toNativeSeparators(folder)));
                unknown = true;
            }
        std::erase_if(files, [&](const ReplacedFile& f) { return !asked.contains(f.gamePath); });
    }
    // As in the restore window: files back to their originals already stay as they are; files
    // changed since they were replaced are put back too (what they hold is kept, for undo).
    std::erase_if(files, [](const ReplacedFile& f) { return f.state == GameFileState::Original; });
    QStringList notes;
    for (const ReplacedFile& f : files)
        if (f.state == GameFileState::ChangedSince)
            notes << Say::tr("%1 was changed since Sonaplex replaced it; what it holds now is kept, so "
                             "'sonaplex undo' takes this back.")
                         .arg(QDir::toNativeSeparators(f.gamePath));
    // A game folder moved away cannot take its originals: named, not created.
    bool gone = false;
    std::erase_if(files, [&](const ReplacedFile& f) {
        if (QFileInfo(QFileInfo(f.gamePath).absolutePath()).isDir())
            return false;
        err(Say::tr("%1: not put back, because its folder is no longer there (moved or renamed?)")
                .arg(QDir::toNativeSeparators(f.gamePath)));
        gone = true;
        return true;
    });
    if (files.empty()) {
        const int done = nothingDone(o,
            unknown || gone ? QString()
                : all       ? Say::tr("The game files under %1 already hold their originals.")
                                  .arg(QDir::toNativeSeparators(folder))
                            : Say::tr("The files named already hold their originals."));
        return unknown || gone ? kNotAll : done;
    }
    // Each file is put back only while it holds what its state was read from just now.
    const int result = runAndReport(
        o, prepareRestore(*opened.record, files, true), Say::tr("Putting the originals back:"), restoredWords, notes);
    return result == kDone && (unknown || gone) ? kNotAll : result;
}

// Puts back what Sonaplex put over the files of a game (or under a folder) that an update
// undid since, as one recorded run that 'sonaplex undo' takes back.
int reapply(const Options& o)
{
    if (o.arguments.size() != 1)
        return usageError(Say::tr("reapply takes one folder, or a game's name or id."));
    const KnownFolder at = gameOrFolder(o, o.arguments.front());
    if (at.isEmpty())
        return kUsage;
    const QString& folder = at.real;
    if (!QFileInfo(folder).isDir()) {
        err(Say::tr("sonaplex: %1 is neither a folder nor an installed game.").arg(o.arguments.front()));
        return kNotAll;
    }
    Opened opened = openListing(o, at);
    if (opened.failed)
        return opened.failed;
    std::vector<ReplacedFile>& files = opened.files;
    if (std::any_of(files.begin(), files.end(), [](const ReplacedFile& f) { return f.state == GameFileState::NotRead; }))
        return stoppedBeforeChanges();
    const PreparedRun again = prepareReplaceAgain(*opened.record, files);
    if (again.nothingToDo())
        return nothingDone(
            o, Say::tr("Nothing Sonaplex put under %1 was changed since.").arg(QDir::toNativeSeparators(folder)));
    return runAndReport(o, again, Say::tr("Replacing again:"), replacedAgainWords);
}

int undo(const Options& o)
{
    if (!o.arguments.isEmpty())
        return usageError(Say::tr("undo takes no arguments."));
    const Opened opened = openRecord(o);
    if (opened.failed)
        return opened.failed;
    RunKind undone = RunKind::Switch;
    const PreparedRun undoing = prepareUndo(*opened.record, &undone);
    if (undoing.nothingToDo())
        return nothingDone(o, nothingToUndoWords());
    return runAndReport(o, undoing, Say::tr("Undoing the last %1:").arg(undoneRunName(undone)),
        [undone](int files) { return undoneWords(undone, files); });
}

// What the players' format line says of a file, or why it cannot be used.
int checkReplaced(const Options& o)
{
    if (o.arguments.isEmpty())
        return usageError(Say::tr("check takes the sound files to look at."));
    QJsonArray list;
    bool allUsable = true;
    for (const QString& given : o.arguments) {
        const QString path = absolute(given);
        // A name that is not UTF-8 cannot be opened again by its decoded name: said as such,
        // never as a file that does not exist.
        const QString undecodable = undecodableName(path);
        audio::SoundInfo info = undecodable.isEmpty()
            ? audio::soundFileInfo(path)
            : audio::SoundInfo::refused(audio::DeviceKind::WaveAudio, undecodable);
        // As a SWITCH takes it: a page damaged inside an Ogg file makes it unusable.
        if (const QString damaged = info.ok() ? damagedWhole(path, info) : QString(); !damaged.isEmpty())
            info = audio::SoundInfo::refused(info.kind, damaged);
        const bool midi = info.kind == audio::DeviceKind::Sequencer;
        const bool usable = info.error.isEmpty();
        audio::Loudness loudness;
        if (usable && !midi) // measured in the helper, as it was read
            loudness = audio::probeAnalysis(
                path, 0, [](const audio::SoundInfo&) {}, [](audio::OverviewPart&&) { return true; },
                [] { return interrupted(); });
        auto level = [](double db) { return db <= -199 ? QStringLiteral("-\u221e") : QLocale().toString(db, 'f', 1); };
        if (o.json) {
            QJsonObject f{{QStringLiteral("path"), path}, {QStringLiteral("usable"), usable},
                {QStringLiteral("kind"), midi ? QStringLiteral("midi") : QStringLiteral("wave")}};
            if (usable) {
                f.insert(QStringLiteral("format"), audio::formatLine(info));
                f.insert(QStringLiteral("summary"), audio::formatSummary(info));
                f.insert(QStringLiteral("seconds"), info.seconds);
                if (!midi) {
                    f.insert(QStringLiteral("rate"), info.rate);
                    f.insert(QStringLiteral("channels"), info.channels);
                    f.insert(QStringLiteral("soundFormat"), soundFormatWords(info.format));
                    if (info.bitrate > 0)
                        f.insert(QStringLiteral("bitrate"), info.bitrate);
                    if (info.loop.present())
                        f.insert(QStringLiteral("loop"), QJsonObject{{QStringLiteral("start"), qint64(info.loop.start)},
                                                             {QStringLiteral("length"), qint64(info.loop.length)}});
                    if (loudness.ok) {
                        f.insert(QStringLiteral("peakDb"), loudness.peakDb <= -199 ? QJsonValue() : loudness.peakDb);
                        f.insert(QStringLiteral("lufs"), loudness.lufs <= -199 ? QJsonValue() : loudness.lufs);
                    }
                } else {
                    f.insert(QStringLiteral("tracks"), info.tracks);
                    f.insert(QStringLiteral("instruments"), info.instruments);
                }
            } else {
                f.insert(QStringLiteral("error"), info.error);
            }
            list.append(f);
        } else if (usable) {
            out(QStringLiteral("%1\n  %2")
                    .arg(shownName(QDir::toNativeSeparators(path)),
                        audio::formatLine(info).replace(QLatin1Char('\n'), QStringLiteral("\n  "))));
            if (loudness.ok)
                out(Say::tr("  peak %1 dBFS \u00b7 %2 LUFS").arg(level(loudness.peakDb), level(loudness.lufs)));
        }
        // A loudness that could not be measured (a module that plays for hours, a helper
        // stopped) is said, not left out.
        if (usable && !midi && !loudness.ok && !interrupted())
            err(Say::tr("%1: its peak and loudness could not be measured (it took too long, or the helper stopped)")
                    .arg(shownName(QDir::toNativeSeparators(path))));
        if (!usable) {
            err(Say::tr("%1: cannot be used: %2").arg(shownName(QDir::toNativeSeparators(path)), shownName(info.error)));
            allUsable = false;
        }
        if (interrupted())
            break;
    }
    if (o.json)
        printJson({{QStringLiteral("command"), QStringLiteral("check")}, {QStringLiteral("files"), list}});
    return allUsable && !interrupted() ? kDone : kNotAll;
}

// Every sound file under a game's folder: what it is (read in the helper, as every file from
// elsewhere), and what Sonaplex did to it.
} // namespace sonaplex::cli
