#pragma once
#include "actions/prepared_run.h"
#include "record/replacement_record.h"

#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// What the commands share: options, exit codes, the record, reports.
namespace sonaplex::cli {

enum Exit { kDone = 0, kNotAll = 1, kUsage = 2, kUnusable = 3 };

struct Options {
    QString programFolder;
    bool json = false;
    QString command;
    QStringList arguments; // after the command
    QStringList flags; // other options, for the command to accept or refuse
    QStringList words; // everything after the command, in order (--json and the program folder left out)
};

// Says what is wrong on stderr, with where to find help; the exit status of a usage error.
int usageError(const QString& why);
// A path as the user typed it, made absolute and clean (not resolved through links: the record
// names game files as the windows chose them).
QString absolute(const QString& path);
void printJson(const QJsonObject& document);

// The record of the program folder, opened as the windows open it; or why it cannot be used
// (the exit status, said on stderr).
struct Opened {
    std::unique_ptr<ReplacementRecord> record;
    int failed = kDone;
    std::vector<ReplacedFile> files = {}; // openListing(): what the record knows under the folder
    KnownFolder folder = {}; // openTarget(): the folder the target names
};
QString programRoot(const Options& o);
Opened openRecord(const Options& o);
// The record opened, and every game file it knows under `folder` (every one when empty), states
// read; `failed` is kUnusable when the listing could not be read.
Opened openListing(const Options& o, const KnownFolder& folder);
// The folder the user means by `given` (see KnownFolder: where it really is, and how it was given
// when through a link, as typed or as its launcher spells it).
KnownFolder gameOrFolder(const Options& o, const QString& given);
// A command's target (a folder, or a game's name or id) opened: its folder, the record and what
// it knows under the folder. `failed` when it names nothing (said), or the record cannot be read.
Opened openTarget(const Options& o, const QString& given);
// A target that is no folder, no installed game and no folder the record knows: said, exit 1.
int notATarget(const QString& given);

// The command as --json names it: "status", "pack apply", ...
QString commandName(const Options& o);
QJsonObject itemJson(const ReportItem& item);
int nothingDone(const Options& o, const QString& why);
// Stopped by the user before anything changed: said on stderr; the exit status.
int stoppedBeforeChanges();
// Starts a run one of the actions put together, with progress and Ctrl+C, and says what it did.
int runAndReport(const Options& o, const PreparedRun& prepared, const QString& working,
    const std::function<QString(int)>& doneText, const QStringList& notes = {});

// The words after the command (and `skip` more, a subcommand): its positional words and its
// options, those in `withValue` with the next word as their value. Empty `problem` when they read.
struct CommandWords {
    QStringList positional;
    QHash<QString, QString> values; // --name NAME, ...
    QStringList switches; // --convert, ...
};
CommandWords readWords(const Options& o, const QStringList& withValue, const QStringList& alone, QString* problem, int skip = 0);

// A local date and time as the desktop writes them.
QString localTimeText(const QDateTime& at);
// `s` as a JSON string, appended to `out`; a time as one ("2026-12-08T11:40:05Z", "" for none).
void appendJson(QByteArray& out, const QString& s);
QByteArray jsonString(const QString& s);
void appendJsonTime(QByteArray& out, const QDateTime& at);

// What the record says and undoes: sonaplex status|restore|reapply|undo|check
int status(const Options& o);
int restore(const Options& o);
int reapply(const Options& o);
int undo(const Options& o);
int checkReplaced(const Options& o); // sonaplex check

// Games and their sounds: sonaplex sounds|games
int sounds(const Options& o);
int games(const Options& o);

// sonaplex replace FOLDER|GAME --from DIR [--convert | --as-is] [--dry-run]
int replace(const Options& o);

// sonaplex pack create|check|apply|remove
int pack(const Options& o);

} // namespace sonaplex::cli
