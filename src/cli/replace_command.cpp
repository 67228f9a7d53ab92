// sonaplex replace FOLDER|GAME --from DIR: a folder of the user's sounds put over a game's, matched
// as the game window matches them, in one recorded run.
#include "actions/switch_session.h"
#include "audio/analysis.h"
#include "base/files.h"
#include "base/program_folder.h"
#include "base/work_progress.h"
#include "cli/commands.h"
#include "cli/terminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace sonaplex::cli {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReplaceCommand)
};


QJsonObject matchesJson(const QString& folder, const QString& from, const FolderMatches& m, const QStringList& unlisted)
{
    QJsonArray matched;
    for (const SoundMatch& s : m.matched)
        matched.append(QJsonObject{{QStringLiteral("path"), s.gameName}, {QStringLiteral("replacement"), s.replacement},
            {QStringLiteral("by"), s.byPath ? QStringLiteral("path") : QStringLiteral("name")}});
    return {{QStringLiteral("command"), QStringLiteral("replace")}, {QStringLiteral("folder"), folder},
        {QStringLiteral("from"), from}, {QStringLiteral("dryRun"), true}, {QStringLiteral("matches"), matched},
        {QStringLiteral("refused"), QJsonArray::fromStringList(m.refused)},
        {QStringLiteral("unused"), QJsonArray::fromStringList(m.unused)},
        {QStringLiteral("unlisted"), QJsonArray::fromStringList(unlisted)}};
}

void printMatches(const FolderMatches& m)
{
    for (const SoundMatch& s : m.matched)
        out(QStringLiteral("%1  <-  %2%3")
                .arg(shownName(QDir::toNativeSeparators(s.gameName)), shownName(QDir::toNativeSeparators(s.replacement)),
                    s.byPath ? QString() : Say::tr("  (by name)")));
    for (const QString& u : m.unused)
        out(Say::tr("%1: matches no sound of the game").arg(shownName(QDir::toNativeSeparators(u))));
}

// What the formats of the matched files meant for the run: which were converted, copied as
// they are, or may loop at the wrong place.
QStringList formatNotes(const SwitchSession& session)
{
    QStringList notes;
    for (const SwitchItem& item : session.items()) {
        const QString name = shownName(item.label);
        const FormatFate fate = session.fate(item.key);
        if (fate == FormatFate::Converted && item.format.state == FormatCheck::State::Differs)
            notes << Say::tr("%1: converted to the game file's format (%2)").arg(name, audio::formatDifference(item.format));
        else if (fate == FormatFate::CopiedAsIs)
            notes << Say::tr("%1: copied as it is; its format differs (%2)").arg(name, audio::formatDifference(item.format));
        if (session.loopedWhole(item.key))
            notes << Say::tr("%1: the game loops it by tags in its file: the whole replacement is looped").arg(name);
        else if (item.format.loopMissing)
            notes << Say::tr("%1: the game loops it by tags in its file and the replacement has none: the game "
                             "may loop it at the wrong place (--loop-whole loops the whole replacement)")
                         .arg(name);
    }
    return notes;
}

} // namespace

int replace(const Options& o)
{
    QString problem;
    const CommandWords w = readWords(o, {QStringLiteral("--from")},
        {QStringLiteral("--convert"), QStringLiteral("--as-is"), QStringLiteral("--dry-run"),
            QStringLiteral("--match-loudness"), QStringLiteral("--loop-whole")},
        &problem);
    if (!problem.isEmpty())
        return usageError(problem);
    if (w.positional.size() != 1 || !w.values.contains(QStringLiteral("--from")))
        return usageError(Say::tr("replace takes a game folder (or a game's name) and --from DIR."));
    const bool convert = w.switches.contains(QStringLiteral("--convert"));
    const bool matchLoudness = w.switches.contains(QStringLiteral("--match-loudness"));
    const bool loopWhole = w.switches.contains(QStringLiteral("--loop-whole"));
    if (convert && w.switches.contains(QStringLiteral("--as-is")))
        return usageError(Say::tr("replace takes either --convert or --as-is, not both."));
    const QString folder = gameOrFolder(o, w.positional.front()).real;
    if (folder.isEmpty())
        return kUsage;
    const QString from = absolute(w.values.value(QStringLiteral("--from")));
    for (const QString& dir : {folder, from})
        if (!QFileInfo(dir).isDir()) {
            err(QFileInfo::exists(dir)
                    ? Say::tr("sonaplex: %1 is not a folder.").arg(shownName(QDir::toNativeSeparators(dir)))
                    : Say::tr("sonaplex: the folder %1 is not there.").arg(shownName(QDir::toNativeSeparators(dir))));
            return kNotAll;
        }
    const FilesBelow game = gameSounds(folder);
    const FolderMatches matches = matchFolder(game.names, from);
    // What could not be listed, of the game's folder or the user's, is named: its sounds were
    // neither matched nor said to match nothing.
    QStringList unlisted;
    for (const QString& p : game.problems)
        unlisted << Say::tr("%1: not listed: %2").arg(QDir::toNativeSeparators(folder), p);
    for (const QString& p : matches.unlisted)
        unlisted << Say::tr("%1: not listed: %2").arg(QDir::toNativeSeparators(from), p);
    for (const QString& line : unlisted)
        err(shownName(line));
    for (const QString& r : matches.refused)
        err(shownName(QDir::toNativeSeparators(r)));
    const bool allListed = unlisted.isEmpty() && matches.refused.isEmpty();
    if (w.switches.contains(QStringLiteral("--dry-run"))) {
        if (o.json)
            printJson(matchesJson(folder, from, matches, unlisted));
        else
            printMatches(matches);
        return allListed ? kDone : kNotAll;
    }
    if (matches.matched.empty()) {
        const int status = nothingDone(o,
            Say::tr("No file under %1 has the path or name of a sound of the game.")
                .arg(shownName(QDir::toNativeSeparators(from))));
        return allListed ? status : kNotAll;
    }
    Opened opened = openRecord(o);
    if (opened.failed)
        return opened.failed;
    SwitchSession session = SwitchSession::ofGame(opened.record.get(), chosenFrom(matches, folder),
        ProgramFolder(programRoot(o)).workTemplate(QStringLiteral("converting")));
    {
        WorkProgress reading;
        Watched watched(reading, Say::tr("Reading the formats:"));
        if (!session.readFormats(reading) || interrupted())
            return stoppedBeforeChanges();
    }
    // A replacement in another container or codec is converted whatever was asked: a game
    // cannot read it as it is. As the windows offer it: each converted copy may be matched to its
    // game file's loudness, and one the game loops by tags looped whole.
    ConversionChoice choice;
    choice.all = convert;
    choice.matchLoudness = matchLoudness;
    choice.loopWhole = loopWhole;
    if (!session.toConvert(choice).empty()) {
        WorkProgress converting;
        Watched watched(converting, Say::tr("Converting:"));
        if (!session.convert(choice, converting) || interrupted())
            return stoppedBeforeChanges();
    }
    const QStringList notes = formatNotes(session);
    const int status = runAndReport(o, session.prepare(true), Say::tr("Replacing:"),
        [](int files) { return Say::tr("%n game file(s) were replaced. Undo takes this back.", nullptr, int(files)); },
        notes);
    return status == kDone && !allListed ? kNotAll : status;
}

} // namespace sonaplex::cli
