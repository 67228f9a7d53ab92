#pragma once
#include "actions/prepared_run.h"
#include "record/replacement_record.h"

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
};
QString programRoot(const Options& o);
Opened openRecord(const Options& o);
// The record opened, and every game file it knows under `folder` (every one when empty), states
// read; `failed` is kUnusable when the listing could not be read.
Opened openListing(const Options& o, const QString& folder);
QString gameOrFolder(const Options& o, const QString& given);
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

// sonaplex replace FOLDER|GAME --from DIR [--convert | --as-is] [--dry-run]
int replace(const Options& o);

// sonaplex pack create|check|apply|remove
int pack(const Options& o);

} // namespace sonaplex::cli
