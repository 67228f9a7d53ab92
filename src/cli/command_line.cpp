#include "cli/command_line.h"
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
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

const char* const kCommands[] = {"status", "sounds", "replace", "restore", "undo", "reapply", "check", "games", "pack", "help"};
} // namespace

QString usage()
{
    return Say::tr(
        "Usage: sonaplex [--program-folder DIR] COMMAND [ARGUMENTS] [--json]\n"
        "       sonaplex                 opens the windows\n"
        "       sonaplex PACK            opens the windows, with the sound pack in the Packs window\n"
        "\n"
        "Commands:\n"
        "  status FOLDER|GAME            every game file the record knows under FOLDER (or of an\n"
        "                                installed game, by name or id), with its state\n"
        "                                (replaced, original, changed, missing), what replaced it and when\n"
        "  sounds FOLDER|GAME            every sound file of the game (hidden folders left out), with its\n"
        "                                format and length, its state and what replaced it\n"
        "  replace FOLDER|GAME --from DIR [--convert | --as-is] [--match-loudness] [--loop-whole]\n"
        "               [--dry-run]      replaces the game's sounds with the files of DIR that have\n"
        "                                their paths inside the game, or else their names (extensions\n"
        "                                and case aside), in one run ('undo' takes it back); formats\n"
        "                                are handled as by 'pack apply'; converted copies are matched\n"
        "                                to their game files' loudness with --match-loudness; with\n"
        "                                --loop-whole, a sound the game loops by tags is looped whole\n"
        "                                when its replacement has no loop; --dry-run only lists the\n"
        "                                matches\n"
        "  restore FOLDER|GAME --all     puts back the original of every replaced file under FOLDER\n"
        "  restore FOLDER|GAME FILE...   puts back the originals of these files\n"
        "  undo                          takes back the last SWITCH or restore\n"
        "  reapply FOLDER|GAME           puts back what Sonaplex put over the files a game update\n"
        "                                changed since (undo takes it back)\n"
        "  check FILE...                 the format, length, peak and loudness of sound files, or why\n"
        "                                they cannot be used\n"
        "  games                         the installed games found in Steam's, Heroic's and Lutris's\n"
        "                                files and the folders added by hand, with how many of their\n"
        "                                files were replaced and how many were changed since\n"
        "  pack create OUT.sonaplexpack --from-game FOLDER|GAME [--name NAME] [--author NAME]\n"
        "               [--pack-version VERSION] [--description TEXT]\n"
        "                                a sound pack of what Sonaplex replaced under FOLDER\n"
        "  pack create OUT.sonaplexpack --from-set SET --game FOLDER|GAME [--name NAME]\n"
        "                                a sound pack of a saved set, its files found in the game\n"
        "  pack check PACK FOLDER|GAME   what applying the pack would do, entry by entry; nothing is written\n"
        "  pack apply PACK FOLDER|GAME [--convert | --as-is] [--over-others]\n"
        "                                applies the pack in one run ('undo' takes it back); sounds whose\n"
        "                                format differs from their game file's are converted, or copied\n"
        "                                as they are (the default, named in the output); files another\n"
        "                                replacement changed are left unless --over-others\n"
        "  pack remove PACK FOLDER|GAME  puts back what the pack replaced, in one run\n"
        "\n"
        "Options:\n"
        "  --program-folder DIR          the program folder to use (by default the one the windows use)\n"
        "  --json                        one JSON document on stdout (see the README)\n"
        "  --help                        this text\n"
        "\n"
        "Exit status: 0 all was done, 1 some files were not (named on stderr), 2 usage error,\n"
        "3 the program folder or its record cannot be used. Ctrl+C stops a restore or undo before\n"
        "the first game file changes.");
}

bool isCommand(const char* word)
{
    for (const char* c : kCommands)
        if (std::strcmp(word, c) == 0)
            return true;
    return false;
}

int usageError(const QString& why)
{
    err(Say::tr("sonaplex: %1").arg(why));
    err(Say::tr("Try 'sonaplex --help'."));
    return kUsage;
}

// Paths as the user typed them, made absolute and clean (not resolved through links: the
// record names game files as the windows chose them; a game's folder is resolved, gameOrFolder).
QString absolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// A local date and time as the desktop writes them (QLocale's short format: "12/9/26 6:01 PM"
// in the United States, "09.12.26 18:01" in Germany), as a listing of 100,000 rows can afford it:
// the C library reads the zone once, where a QDateTime looks it up for each.
QString localTimeText(const QDateTime& at)
{
    static const QLocale locale;
    static const QString format = locale.dateTimeFormat(QLocale::ShortFormat);
    const time_t seconds = time_t(at.toSecsSinceEpoch());
    struct tm local {};
    if (!at.isValid() || !::localtime_r(&seconds, &local))
        return locale.toString(at.toLocalTime(), format);
    // The local fields, written as they are: no zone is looked up for them.
    const QDateTime fields(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
        QTime(local.tm_hour, local.tm_min, local.tm_sec), Qt::UTC);
    return locale.toString(fields, format);
}

void printJson(const QJsonObject& document)
{
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// `s` as a JSON string (UTF-8, quotes, backslashes and control characters escaped), appended
// to `out`.
void appendJson(QByteArray& out, const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    out += '"';
    qsizetype plain = 0; // the start of the run of characters that need no escape
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c != '"' && c != '\\' && uchar(c) >= 0x20)
            continue;
        out.append(utf8.constData() + plain, i - plain);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(uchar(c)));
            out += escaped;
        }
        plain = i + 1;
    }
    out.append(utf8.constData() + plain, utf8.size() - plain);
    out += '"';
}

QByteArray jsonString(const QString& s)
{
    QByteArray out;
    appendJson(out, s);
    return out;
}

// "2026-12-08T11:40:05Z" as a JSON string, appended to `out` (QDateTime::toString takes far
// longer, once per file of a long list); "" for no time.
void appendJsonTime(QByteArray& out, const QDateTime& at)
{
    if (!at.isValid()) {
        out += "\"\"";
        return;
    }
    const QDateTime utc = at.timeSpec() == Qt::UTC ? at : at.toUTC();
    const QDate d = utc.date();
    const QTime t = utc.time();
    char text[40];
    const int n = std::snprintf(text, sizeof text, "\"%04d-%02d-%02dT%02d:%02d:%02dZ\"", d.year(), d.month(), d.day(),
        t.hour(), t.minute(), t.second());
    out.append(text, n);
}

// The program folder given, or the one the windows use; empty (said on stderr) when a folder
// given is not there.
QString programRoot(const Options& o)
{
    if (o.programFolder.isEmpty())
        return absolute(resolveProgramFolder(QCoreApplication::applicationDirPath()));
    if (!QFileInfo(o.programFolder).isDir()) {
        err(Say::tr("sonaplex: the program folder %1 is not there.").arg(QDir::toNativeSeparators(o.programFolder)));
        return {};
    }
    return absolute(o.programFolder);
}

Opened openRecord(const Options& o)
{
    const QString root = programRoot(o);
    if (root.isEmpty())
        return {nullptr, kUnusable};
    // What a killed command or window left (a pack's inflated sounds): another running copy's
    // work is left alone.
    removeAbandonedWork(ProgramFolder(root).work(), root);
    auto record = std::make_unique<ReplacementRecord>(ProgramFolder(root).replacements());
    if (const FileResult ready = record->ready(); !ready) {
        err(Say::tr("sonaplex: the record of replacements cannot be used: %1")
                .arg(record->problem().isEmpty() ? ready.error : recordProblemWords(record->problem())));
        return {nullptr, kUnusable};
    }
    // A record found damaged as it opened was moved aside and a new one started: said once.
    if (!record->problem().isEmpty())
        err(recordProblemWords(record->problem()));
    if (const RecordProblem notice = record->takeNotice(); !notice.isEmpty())
        err(recordProblemWords(notice));
    return {std::move(record), kDone};
}


namespace {
// Every game file the record knows under `folder`, with its state read (hashes remembered, or
// each file read, with progress and Ctrl+C).
// False, said on stderr, when the record's listing could not be read (exit status kUnusable).
bool filesUnder(ReplacementRecord& record, const QString& folder, std::vector<ReplacedFile>& files)
{
    WorkProgress progress;
    Watched watched(progress, Say::tr("Reading the game files:"));
    FileResult listed;
    files = record.readUnder(folder, &progress, &listed);
    if (!listed)
        err(Say::tr("sonaplex: %1").arg(listed.error));
    return listed.ok;
}
} // namespace

Opened openTarget(const Options& o, const QString& given)
{
    const KnownFolder folder = gameOrFolder(o, given);
    if (folder.isEmpty())
        return {nullptr, kUsage};
    Opened opened = openListing(o, folder);
    opened.folder = folder;
    if (!opened.failed && opened.files.empty() && !QFileInfo(folder.real).isDir())
        opened.failed = notATarget(given);
    return opened;
}

Opened openListing(const Options& o, const KnownFolder& folder)
{
    Opened opened = openRecord(o);
    if (!opened.failed && !filesUnder(*opened.record, folder.real, opened.files))
        opened.failed = kUnusable;
    // Files recorded under the folder's other spelling (a link to it, by older versions) are its
    // files too.
    if (!opened.failed && !folder.spelledAs.isEmpty()) {
        std::vector<ReplacedFile> more;
        if (!filesUnder(*opened.record, folder.spelledAs, more))
            opened.failed = kUnusable;
        opened.files.insert(opened.files.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
    return opened;
}

// The folder the user means by `given`: a folder that is there, else an installed game's name
// or id (any case), else the path as typed (a folder that is gone may still have replaced
// files). Empty, said on stderr, when it names more than one game.
KnownFolder gameOrFolder(const Options& o, const QString& given)
{
    // A folder is known by what it is: reached through a link (or a link on its way), it is the
    // folder the link leads to, as the record names it whichever way it was reached.
    if (QFileInfo(given).isDir())
        return KnownFolder::of(given);
    const QString root = programRoot(o);
    std::vector<const Game*> named;
    const GameSearch found = findGames(GamePlaces::ofUser(root.isEmpty() ? QDir::homePath() : root));
    for (const Game& g : found.games)
        if (g.name.compare(given, Qt::CaseInsensitive) == 0 || (!g.id.isEmpty() && g.id == given))
            named.push_back(&g);
    if (named.size() == 1)
        return named.front()->where();
    if (named.size() > 1) {
        err(Say::tr("sonaplex: '%1' names more than one game; give its folder:").arg(given));
        for (const Game* g : named)
            err(QStringLiteral("  %1 (%2): %3").arg(g->name, launcherName(g->launcher), QDir::toNativeSeparators(g->folder)));
        return {};
    }
    return {absolute(given)};
}

// A target that is no folder, no installed game and no folder the record knows: said, exit 1.
int notATarget(const QString& given)
{
    err(Say::tr("sonaplex: %1 is not a folder, nor an installed game's name or id, nor a folder where Sonaplex "
                "replaced files.")
            .arg(given));
    return kNotAll;
}

QString commandName(const Options& o)
{
    return o.command == QLatin1String("pack") ? QStringLiteral("pack %1").arg(o.words.value(0)) : o.command;
}

QJsonObject itemJson(const ReportItem& item)
{
    QJsonObject o{{QStringLiteral("path"), item.step.gamePath}, {QStringLiteral("outcome"), outcomeKeyword(item.outcome)}};
    if (!item.done() || item.outcome == Outcome::DoneNotDurable) {
        o.insert(QStringLiteral("cause"), causeKeyword(item.result.cause));
        o.insert(QStringLiteral("error"), outcomeWords(item));
    }
    return o;
}

CommandWords readWords(const Options& o, const QStringList& withValue, const QStringList& alone, QString* problem, int skip)
{
    const QStringList words = o.words.mid(skip);
    const QString command = skip > 0 ? QStringLiteral("%1 %2").arg(o.command, o.words.value(0)) : o.command;
    CommandWords w;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (withValue.contains(word)) {
            if (i + 1 >= words.size()) {
                *problem = Say::tr("%1 needs a value.").arg(word);
                return w;
            }
            w.values.insert(word, words[++i]);
        } else if (alone.contains(word)) {
            w.switches << word;
        } else if (word.startsWith(QLatin1String("--"))) {
            *problem = Say::tr("%1 does not take %2.").arg(command, word);
            return w;
        } else {
            w.positional << word;
        }
    }
    return w;
}

int stoppedBeforeChanges()
{
    err(Say::tr("sonaplex: stopped; nothing was changed."));
    return kNotAll;
}

// A restore or undo with nothing to do: `why` on stdout, or an empty report as JSON.
int nothingDone(const Options& o, const QString& why)
{
    if (o.json)
        printJson({{QStringLiteral("command"), commandName(o)}, {QStringLiteral("done"), 0},
            {QStringLiteral("files"), QJsonArray()}});
    else if (!why.isEmpty())
        out(why);
    return kDone;
}

// Starts a prepared run with progress and Ctrl+C, and says what it did: each file done on stdout, each
// not done on stderr with its cause, or one JSON document.
int runAndReport(const Options& o, const PreparedRun& prepared, const QString& working,
    const std::function<QString(int)>& doneText, const QStringList& notes)
{
    WorkProgress progress;
    Report report;
    {
        Watched watched(progress, working);
        report = prepared.start(&progress);
    }
    if (o.json) {
        QJsonArray list;
        for (const ReportItem& item : report.items)
            list.append(itemJson(item));
        QJsonObject doc{{QStringLiteral("command"), commandName(o)}, {QStringLiteral("done"), report.done()},
            {QStringLiteral("files"), list}};
        if (!report.recordNotice.isEmpty())
            doc.insert(QStringLiteral("notice"), recordProblemWords(report.recordNotice));
        printJson(doc);
    } else {
        for (const QString& note : notes)
            out(note);
        if (!report.recordNotice.isEmpty())
            err(recordProblemWords(report.recordNotice));
        for (const ReportItem& item : report.items)
            if (item.done())
                out(shownName(QDir::toNativeSeparators(item.step.gamePath)));
            else if (item.outcome == Outcome::AlreadyInPlace)
                out(QStringLiteral("%1: %2").arg(shownName(QDir::toNativeSeparators(item.step.gamePath)), outcomeWords(item)));
        if (report.done() > 0)
            out(doneText(report.done()));
    }
    // What was not done (or not durably) is named on stderr whatever the format of stdout.
    for (const ReportItem& item : report.items)
        if ((!item.done() && item.outcome != Outcome::AlreadyInPlace) || item.outcome == Outcome::DoneNotDurable)
            err(QStringLiteral("%1: %2").arg(shownName(QDir::toNativeSeparators(item.step.gamePath)), shownName(outcomeWords(item))));
    const bool recordUnusable = !report.items.empty()
        && std::all_of(report.items.begin(), report.items.end(),
            [](const ReportItem& i) { return i.outcome == Outcome::RecordUnusable; });
    return recordUnusable ? kUnusable : report.ok() ? kDone : kNotAll;
}

bool wantsCommandLine(int argc, char** argv)
{
    int i = 1;
    if (i < argc && std::strcmp(argv[i], "--program-folder") == 0)
        i += 2;
    if (i >= argc)
        return i > 1; // only a program folder: a usage error, said on the terminal
    // "sonaplex PACK", as the file manager starts it: the windows, with the pack open.
    if (argv[i][0] != '-')
        return isCommand(argv[i]) || !looksLikePack(QFile::decodeName(argv[i]));
    for (int k = 1; k < argc; ++k)
        if (isCommand(argv[k]) || std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0
            || std::strcmp(argv[k], "--version") == 0 || std::strcmp(argv[k], "--json") == 0)
            return true;
    return false;
}

bool hasDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i][0] == '-' && argv[i][1] == '-' ? argv[i] + 1 : argv[i]; // Qt takes both
        if (std::strcmp(option, "-platform") == 0 || std::strncmp(option, "-platform=", 10) == 0)
            return true; // Qt is told which, by name
    }
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return true; // offscreen, vnc, a framebuffer: none needs a display server
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int noDisplay(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    loadTranslations();
    err(Say::tr("sonaplex: there is no display to open the windows on.\n"
                "Start Sonaplex from a desktop session, or give it one of these commands, which need none.\n"));
    err(usage());
    return kUsage;
}

namespace {
int runCommand(int argc, char** argv)
{
    // Qt Core only: no display, no platform plugin, no audio output.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Sonaplex"));
    QCoreApplication::setOrganizationName(QStringLiteral("Sonaplex"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
    // What the command line says follows the desktop's language; JSON is read by programs, and
    // stays as it is documented (in English) whatever the language.
    if (QCoreApplication::arguments().contains(QLatin1String("--json")))
        keepSourceTexts();
    else
        loadTranslations();

    Options o;
    const QStringList args = QCoreApplication::arguments().mid(1);
    bool help = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--program-folder")) {
            if (i + 1 >= args.size())
                return usageError(Say::tr("--program-folder needs a folder."));
            o.programFolder = args[++i];
        } else if (a.startsWith(QLatin1String("--program-folder="))) {
            o.programFolder = a.mid(int(std::strlen("--program-folder=")));
        } else if (a == QLatin1String("--json")) {
            o.json = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
        } else if (a == QLatin1String("--version")) {
            out(Say::tr("sonaplex %1").arg(QCoreApplication::applicationVersion()));
            return kDone;
        } else if (a == QLatin1String("--")) {
            if (o.command.isEmpty() && i + 1 < args.size())
                o.command = args[++i];
            o.arguments += args.mid(i + 1);
            o.words += args.mid(i + 1);
            break;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            o.flags << a;
            o.words << a;
        } else if (o.command.isEmpty()) {
            o.command = a;
        } else {
            o.arguments << a;
            o.words << a;
        }
    }
    // Commands that change game files, or say what they did so far, stop cleanly on Ctrl+C;
    // the others end at once.
    const bool changes = o.command == QLatin1String("restore") || o.command == QLatin1String("undo")
        || o.command == QLatin1String("reapply") || o.command == QLatin1String("check")
        || o.command == QLatin1String("replace")
        || (o.command == QLatin1String("pack")
            && (o.words.value(0) == QLatin1String("apply") || o.words.value(0) == QLatin1String("remove")));
    if (changes)
        handleInterruptsToTheEnd();
    catchInterrupts(); // once it is known who handles them
    if (help || o.command == QLatin1String("help")) {
        out(usage());
        return kDone;
    }
    if (o.command.isEmpty())
        return usageError(Say::tr("no command given."));
    if (!isCommand(o.command.toLocal8Bit().constData()))
        return usageError(Say::tr("'%1' is not a command.").arg(o.command));

    if (o.command == QLatin1String("pack"))
        return pack(o); // its options take values: it reads its words itself
    if (o.command == QLatin1String("replace"))
        return replace(o);
    const QStringList accepted = o.command == QLatin1String("restore") ? QStringList{QStringLiteral("--all")} : QStringList{};
    for (const QString& f : o.flags)
        if (!accepted.contains(f))
            return usageError(Say::tr("%1 does not take %2.").arg(o.command, f));
    if (o.command == QLatin1String("status"))
        return status(o);
    if (o.command == QLatin1String("sounds"))
        return sounds(o);
    if (o.command == QLatin1String("restore"))
        return restore(o);
    if (o.command == QLatin1String("undo"))
        return undo(o);
    if (o.command == QLatin1String("games"))
        return games(o);
    if (o.command == QLatin1String("reapply"))
        return reapply(o);
    return checkReplaced(o);
}
} // namespace

int run(int argc, char** argv)
{
    const int status = runCommand(argc, argv);
    // What was done is only told when it reached standard output: a report that could not be
    // written (a full disk, a closed pipe) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        err(Say::tr("sonaplex: what was done could not be written to standard output."));
        return status == kDone ? kNotAll : status;
    }
    return status;
}

} // namespace sonaplex::cli
