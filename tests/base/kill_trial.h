#pragma once
// One kill trial: a child process runs a recorded SWITCH of several large files and is killed
// at a given moment; afterwards every game file must be whole (old or new), the record must
// agree with the folder once settled, and every replaced file must restore byte-identical.
#include "actions/replacement.h"
#include "words/report_words.h"
#include "record/replacement_record.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace sonaplex::test {

struct KillTrial {
    QString folder; // holds Game/, Mine/ and the record
    int files = 3;
    qint64 bytes = 16 << 20;
    StagingLimits staging = {}; // how the child stages its run's copies

    QString game(int n) const { return folder + QStringLiteral("/Game/g%1.wav").arg(n); }
    QString mine(int n) const { return folder + QStringLiteral("/Mine/m%1.wav").arg(n); }
    QString record() const { return folder + QStringLiteral("/Replacements"); }
    static QByteArray content(char c, qint64 size) { return QByteArray(size, c); }

    void setUp() const
    {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder + QStringLiteral("/Game"));
        QDir().mkpath(folder + QStringLiteral("/Mine"));
        for (int n = 1; n <= files; ++n) {
            write(game(n), content(char('a' + n), bytes + n));
            write(mine(n), content(char('A' + n), bytes / 2 + n));
        }
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Runs the SWITCH in a child killed after `killAfterMs` (never, when negative); returns
    // what went wrong, or empty.
    QString run(int killAfterMs) const
    {
        setUp();
        const pid_t child = ::fork();
        if (child == 0) {
            stagingLimits() = staging;
            ReplacementRecord rec(record());
            std::vector<Selection> selections;
            for (int n = 1; n <= files; ++n)
                selections.push_back(
                    {game(n), QStringLiteral("g%1.wav").arg(n), mine(n), QStringLiteral("m%1.wav").arg(n)});
            replaceGameFiles(selections, {}, &rec);
            ::_exit(0);
        }
        if (killAfterMs >= 0) {
            QThread::msleep(static_cast<unsigned long>(killAfterMs));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ::waitpid(child, &status, 0);

        ReplacementRecord rec(record());
        if (!rec.isOpen())
            return QStringLiteral("record unreadable after the kill: ") + rec.problem().cause;
        rec.settleUnfinished();
        const std::vector<ReplacedFile> known = rec.replacedFiles();
        for (int n = 1; n <= files; ++n) {
            const QByteArray now = read(game(n));
            const bool old = now == content(char('a' + n), bytes + n);
            const bool fresh = now == content(char('A' + n), bytes / 2 + n);
            if (!old && !fresh)
                return QStringLiteral("g%1 is torn (%2 bytes)").arg(n).arg(now.size());
            const auto entry = std::find_if(
                known.begin(), known.end(), [&](const ReplacedFile& f) { return f.gamePath == game(n); });
            if (fresh && (entry == known.end() || entry->state != GameFileState::Replaced))
                return QStringLiteral("g%1 was replaced but the record does not say so").arg(n);
            if (old && entry != known.end() && entry->state != GameFileState::Original)
                return QStringLiteral("g%1 was not replaced but the record says it was").arg(n);
        }
        const Report restored = restoreOriginals(rec, known);
        if (!restored.ok())
            return QStringLiteral("restore failed: ") + failureLines(restored).join(QStringLiteral("; "));
        for (int n = 1; n <= files; ++n)
            if (read(game(n)) != content(char('a' + n), bytes + n))
                return QStringLiteral("g%1 did not restore byte-identical").arg(n);
        const QStringList left = QDir(folder + QStringLiteral("/Game")).entryList(QDir::Files | QDir::Hidden);
        if (left.size() != files)
            return QStringLiteral("left behind in the game folder: ") + left.join(QStringLiteral(", "));
        return {};
    }
};

} // namespace sonaplex::test
