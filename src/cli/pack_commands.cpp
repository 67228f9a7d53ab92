// sonaplex pack create|check|apply|remove: sound packs from the command line, on the same
// reader, check and run as the Packs window.
#include "actions/pack_session.h"
#include "audio/analysis.h"
#include "base/program_folder.h"
#include "base/work_progress.h"
#include "base/files.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QTemporaryDir>

namespace sonaplex::cli {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(PackCommands)
};


// What check, apply and remove read: a pack, then a game folder or a game's name, and the
// switches `alone`. `failed` is the exit status when the words do not read (said on stderr).
struct PackTarget {
    CommandWords words;
    QString pack;
    KnownFolder folder;
    int failed = kDone;
};

PackTarget readTarget(const Options& o, const QStringList& alone)
{
    PackTarget t;
    QString problem;
    t.words = readWords(o, {}, alone, &problem, 1);
    if (!problem.isEmpty()) {
        t.failed = usageError(problem);
    } else if (t.words.positional.size() != 2) {
        t.failed = usageError(
            QStringLiteral("pack %1 takes a pack and a game folder (or a game's name).").arg(o.words.value(0)));
    } else {
        t.pack = absolute(t.words.positional[0]);
        t.folder = gameOrFolder(o, t.words.positional[1]);
        if (t.folder.isEmpty())
            t.failed = kUsage;
    }
    return t;
}

// A refused pack: named on stderr (and as JSON), nothing written.
int refusedPack(const Options& o, const QString& pack, const PackRefusal& refused)
{
    err((refused.local ? Say::tr("sonaplex: %1 could not be read: %2") : Say::tr("sonaplex: %1 is refused: %2"))
            .arg(QDir::toNativeSeparators(pack), packRefusalWords(refused)));
    if (o.json)
        printJson({{QStringLiteral("command"), commandName(o)},
            {QStringLiteral("refused"),
                QJsonObject{{QStringLiteral("entry"), refused.entry}, {QStringLiteral("why"), refused.why}}}});
    err(Say::tr("Nothing was written."));
    return kNotAll;
}

// A pack opened against a game folder, and checked.
struct Checked {
    PackSession pack;
    Opened opened;
    int failed = kDone;
};

void openAndCheck(const Options& o, const QString& packPath, const KnownFolder& at, bool overOthers, Checked& c)
{
    const QString& folder = at.real;
    if (!QFileInfo(folder).isDir()) {
        err(Say::tr("sonaplex: the game folder %1 is not there.").arg(QDir::toNativeSeparators(folder)));
        c.failed = kNotAll;
        return;
    }
    c.opened = openListing(o, at);
    if (c.opened.failed) {
        c.failed = c.opened.failed;
        return;
    }
    const std::vector<ReplacedFile>& known = c.opened.files;
    {
        WorkProgress progress;
        Watched watched(progress, Say::tr("Reading the pack:"));
        if (!c.pack.open(packPath, ProgramFolder(programRoot(o)).workTemplate(QStringLiteral("Pack")), progress)) {
            c.failed = c.pack.refused().isEmpty() ? stoppedBeforeChanges() : refusedPack(o, packPath, c.pack.refused());
            return;
        }
    }
    WorkProgress checking;
    bool checked = false;
    {
        Watched watched(checking, Say::tr("Checking the pack against the game:"));
        checked = c.pack.check(*c.opened.record, folder, known, overOthers, checking);
    }
    if (!checked)
        c.failed = c.pack.refused().isEmpty() ? stoppedBeforeChanges() : refusedPack(o, packPath, c.pack.refused());
}

QString formatKeyword(const FormatCheck& f)
{
    switch (f.state) {
    case FormatCheck::State::Same:
        return QStringLiteral("same");
    case FormatCheck::State::Differs:
        return QStringLiteral("differs");
    default:
        return QStringLiteral("not-compared");
    }
}

QJsonObject packJson(const PackManifest& m)
{
    return {{QStringLiteral("name"), m.name}, {QStringLiteral("author"), m.author}, {QStringLiteral("version"), m.version},
        {QStringLiteral("description"), m.description}, {QStringLiteral("format"), m.format},
        {QStringLiteral("game"),
            QJsonObject{{QStringLiteral("name"), m.gameName}, {QStringLiteral("launcher"), m.gameLauncher},
                {QStringLiteral("id"), m.gameId}}}};
}

// One line per entry: its action, state and path, with what more there is to say.
QStringList checkLines(const PackSession& pack)
{
    QStringList lines;
    const PackManifest& m = pack.manifest();
    for (const PackItem& item : pack.checked().items) {
        QString line = QStringLiteral("%1  %2  %3")
                           .arg(packActionKeyword(item.action), -7)
                           .arg(packStateKeyword(item.state), -8)
                           .arg(m.entries[item.entry].path);
        if (item.state == PackState::Replaced)
            line += Say::tr("  (Sonaplex put %1 there%2)")
                        .arg(QDir::toNativeSeparators(item.replacedBy),
                            item.action == PackAction::Keep ? Say::tr("; --over-others replaces it") : QString());
        else if (item.state == PackState::Other || item.state == PackState::Missing)
            line += QStringLiteral("  (%1)").arg(packStateWords(item.state));
        lines << line;
        if (item.format.state == FormatCheck::State::Differs)
            lines << Say::tr("                   format differs: %1").arg(audio::formatDifference(item.format));
    }
    return lines;
}

int check(const Options& o)
{
    const PackTarget t = readTarget(o, {QStringLiteral("--over-others")});
    if (t.failed)
        return t.failed;
    const QString& folder = t.folder.real;
    Checked c;
    openAndCheck(o, t.pack, t.folder, t.words.switches.contains(QStringLiteral("--over-others")), c);
    if (c.failed)
        return c.failed;
    const PackManifest& m = c.pack.manifest();
    // What apply would say, check says: a pack for another game is not this game's.
    const bool another = c.pack.checked().forAnotherGame();
    if (another)
        err(Say::tr("sonaplex: ") + packForAnotherGameWords(m.gameName, folder));
    if (o.json) {
        QJsonArray entries;
        for (const PackItem& item : c.pack.checked().items) {
            QJsonObject e{{QStringLiteral("path"), m.entries[item.entry].path}, {QStringLiteral("gamePath"), item.gamePath},
                {QStringLiteral("state"), packStateKeyword(item.state)}, {QStringLiteral("action"), packActionKeyword(item.action)},
                {QStringLiteral("format"), formatKeyword(item.format)}};
            if (item.format.state == FormatCheck::State::Differs)
                e.insert(QStringLiteral("formatDifference"), audio::formatDifference(item.format));
            if (!item.replacedBy.isEmpty())
                e.insert(QStringLiteral("replacedBy"), item.replacedBy);
            entries.append(e);
        }
        printJson({{QStringLiteral("command"), QStringLiteral("pack check")}, {QStringLiteral("folder"), folder},
            {QStringLiteral("pack"), packJson(m)}, {QStringLiteral("entries"), entries}});
    } else {
        out(Say::tr("%1: %n sound(s)", nullptr, int(m.entries.size())).arg(packTitle(m)));
        for (const QString& line : checkLines(c.pack))
            out(line);
    }
    return another ? kNotAll : kDone;
}

int apply(const Options& o)
{
    const PackTarget t
        = readTarget(o, {QStringLiteral("--convert"), QStringLiteral("--as-is"), QStringLiteral("--over-others")});
    if (t.failed)
        return t.failed;
    const QStringList& switches = t.words.switches;
    const bool convert = switches.contains(QStringLiteral("--convert"));
    if (convert && switches.contains(QStringLiteral("--as-is")))
        return usageError(Say::tr("pack apply takes either --convert or --as-is, not both."));
    Checked c;
    openAndCheck(o, t.pack, t.folder, switches.contains(QStringLiteral("--over-others")), c);
    if (c.failed)
        return c.failed;
    const PackManifest& m = c.pack.manifest();
    // A sound in another container or codec is converted whatever was asked: a game cannot read
    // it as it is.
    if (convert || c.pack.mustConvert()) {
        WorkProgress converting;
        Watched watched(converting, Say::tr("Converting:"));
        if (!c.pack.convert(converting, convert))
            return stoppedBeforeChanges();
    }
    QStringList notes;
    for (const PackItem& item : c.pack.checked().items) {
        const QString path = m.entries[item.entry].path;
        if (item.action == PackAction::Keep)
            notes << Say::tr("%1: left as it is: Sonaplex put %2 there (--over-others replaces it)")
                         .arg(path, QDir::toNativeSeparators(item.replacedBy));
        else if (item.action == PackAction::Skip)
            notes << Say::tr("%1: skipped: %2").arg(path, packStateWords(item.state));
        else if (item.format.state == FormatCheck::State::Differs && c.pack.fate(item.entry) == FormatFate::Converted)
            notes << Say::tr("%1: converted to the game file's format (%2)")
                         .arg(path, audio::formatDifference(item.format));
        else if (c.pack.fate(item.entry) == FormatFate::CopiedAsIs)
            notes << Say::tr("%1: copied as it is; its format differs (%2)")
                         .arg(path, audio::formatDifference(item.format));
    }
    if (c.pack.checked().forAnotherGame()) {
        err(Say::tr("sonaplex: ") + packForAnotherGameWords(m.gameName, t.folder.real));
        return kNotAll;
    }
    const PreparedRun applying = c.pack.apply(*c.opened.record);
    if (applying.nothingToDo()) {
        if (!o.json)
            for (const QString& note : notes)
                out(note);
        return nothingDone(o, Say::tr("Nothing to apply: every sound of the pack the game has is in place."));
    }
    return runAndReport(o, applying, Say::tr("Applying the pack:"), packAppliedWords, notes);
}

int remove(const Options& o)
{
    const PackTarget t = readTarget(o, {});
    if (t.failed)
        return t.failed;
    const QString& folder = t.folder.real;
    PackSession pack;
    if (!pack.read(t.pack))
        return refusedPack(o, t.pack, pack.refused());
    const Opened opened = openListing(o, t.folder);
    if (!opened.failed && opened.files.empty() && !QFileInfo(folder).isDir()) // as apply and check say it
        return notATarget(t.words.positional.value(1));
    if (opened.failed)
        return opened.failed;
    const std::vector<ReplacedFile>& known = opened.files;
    std::vector<size_t> notPacks;
    const PreparedRun takingOff = pack.takeOff(*opened.record, folder, known, &notPacks);
    QStringList notes;
    for (size_t i : notPacks)
        notes << Say::tr("%1: left as it is: it does not hold the pack's sound").arg(pack.manifest().entries[i].path);
    if (takingOff.nothingToDo()) {
        if (!o.json)
            for (const QString& note : notes)
                out(note);
        return nothingDone(
            o, Say::tr("No file under %1 holds a sound of this pack.").arg(QDir::toNativeSeparators(folder)));
    }
    return runAndReport(o, takingOff, Say::tr("Taking the pack off:"), packRemovedWords, notes);
}

// The games installed for this user, as the windows find them.
std::vector<Game> installedGames(const Options& o)
{
    const QString root = programRoot(o);
    return findGames(GamePlaces::ofUser(root.isEmpty() ? QDir::homePath() : root)).games;
}

int create(const Options& o)
{
    QString problem;
    const QStringList withValue{QStringLiteral("--from-game"), QStringLiteral("--from-set"), QStringLiteral("--game"),
        QStringLiteral("--name"), QStringLiteral("--author"), QStringLiteral("--pack-version"), QStringLiteral("--description")};
    const CommandWords w = readWords(o, withValue, {}, &problem, 1);
    if (!problem.isEmpty())
        return usageError(problem);
    const bool fromGame = w.values.contains(QStringLiteral("--from-game"));
    const bool fromSet = w.values.contains(QStringLiteral("--from-set"));
    if (w.positional.size() != 1 || fromGame == fromSet || (fromSet != w.values.contains(QStringLiteral("--game"))))
        return usageError(QStringLiteral(
            "pack create takes the pack to write, then --from-game FOLDER, or --from-set SET --game FOLDER."));
    QString out = absolute(w.positional[0]);
    if (!out.endsWith(packSuffix()))
        out += packSuffix();
    const KnownFolder at
        = gameOrFolder(o, w.values.value(fromGame ? QStringLiteral("--from-game") : QStringLiteral("--game")));
    if (at.isEmpty())
        return kUsage;
    const QString& folder = at.real;
    if (!QFileInfo(folder).isDir()) {
        err(Say::tr("sonaplex: the game folder %1 is not there.").arg(QDir::toNativeSeparators(folder)));
        return kNotAll;
    }
    const Opened opened = openListing(o, at);
    if (opened.failed)
        return opened.failed;
    const std::vector<ReplacedFile>& known = opened.files;
    NewPack pack;
    if (fromGame) {
        pack = packOfReplacements(folder, known, opened.record->store(),
            ProgramFolder(programRoot(o)).workTemplate(QStringLiteral("Pack")), installedGames(o));
        for (const QString& problem : pack.contents.problems + pack.contents.leftOut)
            err(shownName(problem));
        if (!pack.contents.problems.isEmpty()) {
            err(Say::tr("sonaplex: nothing was written."));
            return kNotAll;
        }
        if (!pack.holdsSounds()) {
            err(Say::tr("sonaplex: Sonaplex has replaced no file under %1 that still holds its replacement.")
                    .arg(QDir::toNativeSeparators(folder)));
            return kNotAll;
        }
    } else {
        const QString set = w.values.value(QStringLiteral("--from-set"));
        if (const QString bad = nameProblem(set); !bad.isEmpty())
            return usageError(Say::tr("'%1' is not a set's name: %2").arg(set, bad));
        const QString setFolder = ProgramFolder(programRoot(o)).set(set);
        if (!QFileInfo(setFolder).isDir()) {
            err(Say::tr("sonaplex: there is no set named '%1'.").arg(set));
            return kNotAll;
        }
        pack = packOfSet(setFolder, folder, known, installedGames(o));
        for (const QString& problem : pack.contents.problems)
            err(shownName(problem));
        if (!pack.contents.problems.isEmpty() || !pack.holdsSounds()) {
            err(pack.contents.problems.isEmpty() ? Say::tr("sonaplex: the set '%1' holds no sound.").arg(set)
                                                 : Say::tr("sonaplex: nothing was written."));
            return kNotAll;
        }
    }
    PackManifest& m = pack.manifest;
    m.name = w.values.value(QStringLiteral("--name"), QStringLiteral("%1 sounds").arg(m.gameName));
    m.author = w.values.value(QStringLiteral("--author"));
    m.version = w.values.value(QStringLiteral("--pack-version"), QStringLiteral("1.0"));
    m.description = w.values.value(QStringLiteral("--description"));
    if (const FileResult written = writePack(out, m, pack.contents.files); !written) {
        err(Say::tr("sonaplex: %1").arg(shownName(written.error)));
        return kNotAll;
    }
    if (o.json)
        printJson({{QStringLiteral("command"), QStringLiteral("pack create")}, {QStringLiteral("pack"), out},
            {QStringLiteral("entries"), int(m.entries.size())}});
    else
        cli::out(Say::tr("%1: %n sound(s) written to %2", nullptr, int(m.entries.size()))
                     .arg(packTitle(m), QDir::toNativeSeparators(out)));
    return kDone;
}

} // namespace

int pack(const Options& o)
{
    const QString what = o.words.value(0);
    if (what == QLatin1String("create"))
        return create(o);
    if (what == QLatin1String("check"))
        return check(o);
    if (what == QLatin1String("apply"))
        return apply(o);
    if (what == QLatin1String("remove"))
        return remove(o);
    return usageError(Say::tr("pack takes create, check, apply or remove."));
}

} // namespace sonaplex::cli
