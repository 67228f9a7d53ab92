// Fault-injection campaign, in three scenarios, each run under `strace --inject` while one system
// call fails at one occurrence:
//   switch: a recorded SWITCH of three game files (two of them from files of the program's own,
//           as a pack's sounds are), a restore of two of them and an undo (the calls the windows
//           make);
//   pack:   the record opened after an unclean close (checked for damage), a sound pack applied,
//           a game update over one of its files, Replace Again, the pack taken off, and a backup
//           of the game files gathered with its manifest;
//   convert: a whole game's SWITCH as `replace --convert` makes it: formats read and replacements
//           converted to the game files' own (two Ogg Vorbis, one wave) in the helper, each
//           converted copy checked, then one recorded run; the failing call reaches the program
//           and its helpers alike (each process counts its own calls);
// and each scenario again with the program killed at one of its calls that change files, and
// (convert) the helper killed at each write into a converted copy;
// then a checker, without faults, asserts what the program promises:
//   - each game file is byte-identical to its original or to its replacement;
//   - a file reported replaced (or put back) was, and a file reported not changed was not;
//   - no temporary file is left in the game folder once the record is opened again;
//   (the runs are staged as runs of thousands of files are: see stageAsLargeRuns)
//   - every content the store keeps holds what its name says;
//   - the record, opened again (as at the next start), agrees with the disk;
//   - with the fault gone, every game file restores byte-identical to its original;
//   - (convert) a game file holds its original, or a whole sound in its original's own format
//     (container, codec, rate, channels) and length, never bytes that are not such a sound;
//   - (pack) the record is never moved aside, and the history written before the unclean close
//     is still there; a game file a step should have changed is named in its report, done or
//     not, never passed over; a backup holds exactly the files it reports, whole, and its
//     manifest lists them.
//
//   fault_campaign campaign [--seconds S] [--calls a,b,c] [--work DIR] [--scenario switch|pack|convert]
//   fault_campaign prepare|act|check DIR [pack|convert]                  one trial's steps
//
// `act` writes what each step reported into a file mapped in memory, so that the faults injected
// into write() and its kin never touch the report itself.
#include "readers/backup_manifest.h"
#include "actions/switch_session.h"
#include "audio/analysis.h"
#include "audio/audio_file.h"
#include "base/files.h"
#include "base/content_hash.h"
#include "actions/gathering.h"
#include "base/program_folder.h"
#include "actions/replacement.h"
#include "readers/sound_pack.h"
#include "actions/pack_plans.h"
#include "base/work_progress.h"
#include "record/run.h"
#include "words/report_words.h"
#include "record/replacement_record.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <QThread>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sonaplex;

namespace {

constexpr int kFiles = 3;
constexpr qint64 kReportSize = 64 << 10;

struct Layout {
    QString dir;
    QString game(int n) const { return dir + QStringLiteral("/Game/g%1.wav").arg(n); }
    QString mine(int n) const { return dir + QStringLiteral("/Mine/m%1.wav").arg(n); }
    QString record() const { return dir + QStringLiteral("/Program/Replacements"); }
    QString report() const { return dir + QStringLiteral("/report"); }
    // The pack scenario's: its pack, the update waiting to be moved in, the file with history.
    QString program() const { return dir + QStringLiteral("/Program"); }
    QString pack() const { return dir + QStringLiteral("/Mine/pack.sonaplexpack"); }
    QString update() const { return dir + QStringLiteral("/Mine/update.wav"); }
    QString history() const { return dir + QStringLiteral("/Game/h.wav"); }
    // The convert scenario's: two Ogg Vorbis game files and a wave one, and where their
    // originals are kept for the checker.
    QString convertGame(int n) const { return dir + QStringLiteral("/Game/g%1.%2").arg(n).arg(n == 3 ? "wav" : "ogg"); }
    QString convertOriginal(int n) const { return dir + QStringLiteral("/Originals/g%1.%2").arg(n).arg(n == 3 ? "wav" : "ogg"); }
    QString backup() const { return dir + QStringLiteral("/Program/BackDir"); }
};

QByteArray original(int n) { return QByteArray(48 << 10, char('a' + n)) + QByteArray::number(n); }
QByteArray replacement(int n) { return QByteArray(40 << 10, char('A' + n)) + QByteArray::number(n * 7); }
QByteArray updated(int n) { return QByteArray(44 << 10, char('k' + n)) + QByteArray::number(n * 3); }

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

int prepare(const Layout& at)
{
    ::umask(022); // game files 0644, as the checker expects
    QDir(at.dir).removeRecursively();
    for (const char* sub : {"/Game", "/Mine", "/Program"})
        QDir().mkpath(at.dir + QLatin1String(sub));
    bool ok = write(at.report(), QByteArray(kReportSize, '\0'));
    for (int n = 1; n <= kFiles; ++n)
        ok = ok && write(at.game(n), original(n)) && write(at.mine(n), replacement(n));
    return ok ? 0 : 1;
}

// The pack scenario: the game and a pack of three replacements, and a history written before
// a kill (a file replaced, the record left without its note of a clean close).
int preparePack(const Layout& at)
{
    if (prepare(at) != 0)
        return 1;
    bool ok = write(at.history(), original(0)) && write(at.dir + QStringLiteral("/Mine/h.wav"), replacement(0))
        && write(at.update(), updated(1));
    {
        ReplacementRecord record(at.record());
        ok = ok
            && run(switchPlan({{at.history(), QStringLiteral("h.wav"), at.dir + QStringLiteral("/Mine/h.wav"),
                       QStringLiteral("h.wav")}}),
                &record)
                   .ok();
    }
    QFile::remove(at.record() + QStringLiteral("/record.closed")); // as a kill leaves it
    PackManifest m;
    m.name = QStringLiteral("Campaign");
    m.version = QStringLiteral("1");
    std::vector<QString> files;
    for (int n = 1; n <= kFiles; ++n) {
        m.entries.push_back({QStringLiteral("g%1.wav").arg(n), QStringLiteral("sounds/m%1.wav").arg(n), {}});
        files.push_back(at.mine(n));
    }
    return ok && writePack(at.pack(), m, files) ? 0 : 1;
}

// A 16-bit wave file of a tone, made here (no library writes the campaign's files).
QByteArray waveBytes(int rate, int channels, int frames, double pitch)
{
    auto le = [](uint32_t v, int bytes) {
        QByteArray b(bytes, '\0');
        for (int k = 0; k < bytes; ++k)
            b[k] = char(v >> (8 * k));
        return b;
    };
    QByteArray data;
    for (int i = 0; i < frames * channels; ++i) {
        const auto v = int16_t(9000 * std::sin(double(i / channels) * pitch));
        data += le(uint16_t(v), 2);
    }
    return "RIFF" + le(uint32_t(36 + data.size()), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(uint32_t(channels), 2)
        + le(uint32_t(rate), 4) + le(uint32_t(rate * channels * 2), 4) + le(uint32_t(channels * 2), 2) + le(16, 2)
        + "data" + le(uint32_t(data.size()), 4) + data;
}

constexpr int kConvertRate = 44100, kConvertFrames = 22050; // the replacements: half a second, stereo

// The convert scenario: Debian's Ogg Vorbis game sounds and a wave one, and wave replacements
// that each must be converted (another codec, or another rate and channels).
int prepareConvert(const Layout& at)
{
    if (prepare(at) != 0)
        return 1;
    QDir().mkpath(at.dir + QStringLiteral("/Originals"));
    for (int n = 1; n <= kFiles; ++n)
        QFile::remove(at.game(n));
    const QString sounds = QStringLiteral("/usr/share/games/frozen-bubble/snd/");
    bool ok = QFile::copy(sounds + QStringLiteral("launch.ogg"), at.convertOriginal(1))
        && QFile::copy(sounds + QStringLiteral("stick.ogg"), at.convertOriginal(2))
        && write(at.convertOriginal(3), waveBytes(22050, 1, 11025, 0.03));
    for (int n = 1; n <= kFiles; ++n)
        ok = ok && QFile::copy(at.convertOriginal(n), at.convertGame(n)) && QFile::setPermissions(at.convertGame(n),
                       QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther)
            && write(at.mine(n), waveBytes(kConvertRate, 2, kConvertFrames, 0.01 * n));
    return ok ? 0 : 1;
}

// What a step reported for one game file: changed (replaced, or put back), or left as it was.
QString outcomes(const Report& run, const QStringList& attempted)
{
    QString line;
    for (int n = 1; n <= kFiles; ++n) {
        const QString name = QStringLiteral("g%1.wav").arg(n);
        const bool tried = std::any_of(attempted.begin(), attempted.end(),
            [&](const QString& a) { return QFileInfo(a).completeBaseName() == QStringLiteral("g%1").arg(n); });
        const bool failed = std::any_of(run.items.begin(), run.items.end(), [&](const ReportItem& i) {
            return !i.done() && QFileInfo(i.step.gamePath).completeBaseName() == QStringLiteral("g%1").arg(n);
        });
        line += QLatin1Char(' ') + name + QLatin1Char('=') + (!tried ? "-" : failed ? "kept" : "changed");
    }
    return line;
}

// A step's report for every game file: changed, kept (named, not changed), or "-" when the
// report does not name it at all.
QString named(const Report& run)
{
    QString line;
    for (int n = 1; n <= kFiles; ++n) {
        const QString name = QStringLiteral("/g%1.wav").arg(n);
        QString word = QStringLiteral("-");
        for (const ReportItem& i : run.items)
            if (i.step.gamePath.endsWith(name))
                word = i.done() ? QStringLiteral("changed") : QStringLiteral("kept");
        line += QStringLiteral(" g%1=").arg(n) + word;
    }
    return line;
}

// Writes what each step reported into a file mapped in memory, so that the faults injected into
// write() and its kin never touch the report itself.
class MappedReport {
public:
    explicit MappedReport(const QString& path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
        if (fd >= 0) {
            void* p = ::mmap(nullptr, kReportSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            report_ = p == MAP_FAILED ? nullptr : static_cast<char*>(p);
        }
    }
    void say(const QString& line)
    {
        const QByteArray bytes = line.toUtf8() + '\n';
        if (report_ && used_ + bytes.size() < kReportSize) {
            std::memcpy(report_ + used_, bytes.constData(), size_t(bytes.size()));
            used_ += bytes.size();
        }
    }

private:
    char* report_ = nullptr;
    qint64 used_ = 0;
};

void waitForTracer()
{
    // Loaded and started: the campaign attaches strace now, so that faults reach the program's
    // own work, not the dynamic loader's.
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    char go = 0;
    (void)::read(STDIN_FILENO, &go, 1); // a fault injected here only ends the wait
}

// The trials' runs are a few files long: staged as a run of thousands is (every copy but the
// first parked by name, each file system made durable with one syncfs), so that the faults
// reach that way too.
void stageAsLargeRuns() { stagingLimits() = {1, 2}; }

int actPack(const Layout& at)
{
    waitForTracer();
    stageAsLargeRuns();
    MappedReport report(at.report());
    const QString folder = at.dir + QStringLiteral("/Game");
    ReplacementRecord record(at.record());
    report.say(QStringLiteral("open %1").arg(record.isOpen() ? 1 : 0));
    if (!record.isOpen() && !record.ready()) { // as a command would: the open is tried again
        report.say(QStringLiteral("end"));
        return 0;
    }
    auto listed = [&](std::vector<ReplacedFile>& files) {
        FileResult read;
        files = record.readUnder(folder, nullptr, &read);
        return read.ok;
    };
    // Apply.
    WorkProgress progress;
    PackRefusal unopened;
    const std::shared_ptr<PackArchive> pack = PackArchive::open(at.pack(), &unopened);
    std::vector<ReplacedFile> known;
    if (!pack) {
        report.say(QStringLiteral("apply unopened"));
    } else if (!listed(known)) {
        report.say(QStringLiteral("apply unlisted"));
    } else {
        // Each sound is inflated straight into its copy, and Replace Again reads it from the pack.
        const PackManifest& m = pack->manifest();
        const PackCheck check = checkPack(at.pack(), m, {}, folder, known, packRemembered(m, folder, record), {}, false);
        if (!check.refused.isEmpty())
            report.say(QStringLiteral("apply refused"));
        else
            report.say(QStringLiteral("apply") + named(run(packApplyPlan(check, pack, at.pack()), &record)));
    }
    // A game update over g1.
    report.say(QStringLiteral("update %1").arg(::rename(QFile::encodeName(at.update()).constData(),
                                                   QFile::encodeName(at.game(1)).constData())
                == 0
            ? 1
            : 0));
    // Replace Again.
    if (!listed(known))
        report.say(QStringLiteral("reapply unlisted"));
    else
        report.say(QStringLiteral("reapply") + named(run(reapplyPlan(record, known), &record)));
    // The pack taken off.
    PackRefusal refused;
    const std::unique_ptr<PackArchive> archive = PackArchive::open(at.pack(), &refused);
    if (!archive)
        report.say(QStringLiteral("remove unopened"));
    else if (!listed(known))
        report.say(QStringLiteral("remove unlisted"));
    else
        report.say(QStringLiteral("remove")
            + named(run(packRemovalPlan(at.pack(), archive->manifest(), folder, record, known), &record)));
    // A backup of the game files, with its manifest.
    std::vector<StagedFile> files, copied;
    for (int n = 1; n <= kFiles; ++n)
        files.push_back({n, at.game(n), QStringLiteral("g%1.wav").arg(n)});
    const Report gathered = stageFiles(files, at.backup(), &copied);
    QString line = QStringLiteral("backup");
    for (const ReportItem& i : gathered.items)
        line += QStringLiteral(" g%1=%2").arg(i.step.name.number).arg(i.done() ? QStringLiteral("copied") : QStringLiteral("failed"));
    report.say(line);
    report.say(QStringLiteral("manifest %1").arg(writeManifest(at.backup(), copied) ? 1 : 0));
    report.say(QStringLiteral("end"));
    return 0;
}

// Each game file (by `game`) with its replacement, as a window's selections; `all` gets their names.
std::vector<Selection> selectionsOf(const Layout& at, const std::function<QString(int)>& game, QStringList& all)
{
    std::vector<Selection> selections;
    for (int n = 1; n <= kFiles; ++n) {
        selections.push_back({game(n), QFileInfo(game(n)).fileName(), at.mine(n), QFileInfo(at.mine(n)).fileName()});
        all << QFileInfo(game(n)).fileName();
    }
    return selections;
}

int act(const Layout& at)
{
    waitForTracer();
    stageAsLargeRuns();
    // The report lives in memory mapped from its file: no write() of ours reaches it.
    MappedReport report(at.report());
    auto say = [&](const QString& line) { report.say(line); };
    ReplacementRecord record(at.record());
    say(QStringLiteral("open %1").arg(record.isOpen() ? 1 : 0));

    QStringList all;
    const std::vector<Selection> selections = selectionsOf(at, [&](int n) { return at.game(n); }, all);
    // g1 and g3 come from files of the program's own, as a pack's sounds do: what is put in place
    // is kept by naming the source in the store; g2's is copied from the game file.
    Plan plan = switchPlan(selections);
    for (Step& step : plan.steps)
        step.ownSource = step.name.number % 2 == 1;
    say(QStringLiteral("switch") + outcomes(run(plan, &record), all));

    // The restore window: the files it lists that do not hold their originals, of g1 and g2.
    std::vector<ReplacedFile> files = record.replacedFiles();
    std::erase_if(files, [&](const ReplacedFile& f) {
        return f.state == GameFileState::Original || (f.gamePath != at.game(1) && f.gamePath != at.game(2));
    });
    QStringList restoring;
    for (const ReplacedFile& f : files)
        restoring << QFileInfo(f.gamePath).fileName();
    say(QStringLiteral("restore") + outcomes(restoreOriginals(record, files), restoring));

    QString kind;
    QStringList undoing;
    for (const RecordEntry& e : record.lastRun(nullptr, &kind))
        undoing << QFileInfo(e.gamePath).fileName();
    say(QStringLiteral("undo ") + (kind.isEmpty() ? QStringLiteral("none") : kind)
        + outcomes(undoLastRun(record), undoing));
    say(QStringLiteral("end"));
    return 0;
}

// `replace --convert`'s steps, as the command takes them.
int actConvert(const Layout& at)
{
    waitForTracer();
    stageAsLargeRuns();
    MappedReport report(at.report());
    auto say = [&](const QString& line) { report.say(line); };
    ReplacementRecord record(at.record());
    say(QStringLiteral("open %1").arg(record.isOpen() ? 1 : 0));
    QStringList all;
    const std::vector<Selection> selections = selectionsOf(at, [&](int n) { return at.convertGame(n); }, all);
    ChosenReplacements chosen{at.dir + QStringLiteral("/Game"), {}};
    for (const Selection& s : selections)
        chosen.choose(s.gameName, s.replacementPath);
    SwitchSession session = SwitchSession::ofGame(&record, chosen, {});
    session.setWorkFolder(at.record() + QStringLiteral("/work/converting"));
    WorkProgress progress;
    ConversionChoice everything;
    everything.all = true;
    session.readFormats(progress);
    session.convert(everything, progress);
    QString line = QStringLiteral("convert");
    for (int n = 1; n <= kFiles; ++n)
        line += QStringLiteral(" g%1=").arg(n) + (session.fate(n) == FormatFate::Converted ? "made"
                                                     : session.fate(n) == FormatFate::NotConverted ? "failed" : "-");
    say(line);
    say(QStringLiteral("switch") + outcomes(session.prepare(true).start(&progress), all));
    say(QStringLiteral("end"));
    return 0;
}

// What the next start finds, in every scenario: the record settles what a run left unfinished,
// and then no copy is left beside the game files; whatever the store keeps holds what its name
// says (a content kept torn would be put back one day in place of an original).
void settledAsAtStart(const Layout& at, ReplacementRecord& record, QStringList& faults)
{
    record.settleUnfinished();
    const QStringList left = QDir(at.dir + QStringLiteral("/Game"))
                                 .entryList(QDir::Files | QDir::Hidden | QDir::System)
                                 .filter(QStringLiteral(".sonaplex-"));
    if (!left.isEmpty())
        faults << QStringLiteral("left in the game folder: %1").arg(left.join(QStringLiteral(", ")));
    for (const QFileInfo& kept : QDir(record.store().folder()).entryInfoList(QDir::Files)) {
        const QString name = kept.fileName();
        if (name.size() == 32 && contentHash(kept.filePath()).hash != name)
            faults << QStringLiteral("the store keeps %1, which holds something else").arg(name);
    }
}

// The next start, in the scenarios that switch: the record settles what the run left unfinished
// and then agrees with the disk; with the fault gone, every game file restores to its original.
void recordAgreesAndRestores(const Layout& at, const std::function<QString(int)>& game,
    const std::function<QByteArray(int)>& originalOf, QStringList& faults)
{
    ReplacementRecord record(at.record());
    if (!record.isOpen()) {
        faults << QStringLiteral("the record cannot be opened after the fault: %1").arg(record.problem().cause);
        return;
    }
    settledAsAtStart(at, record, faults);
    const std::vector<ReplacedFile> known = record.replacedFiles();
    QStringList knownPaths;
    for (const ReplacedFile& f : known) {
        knownPaths << f.gamePath;
        const QString now = contentHash(f.gamePath).hash;
        if (now != f.lastHash)
            faults << QStringLiteral("the record says %1 holds what Sonaplex put there last, but it holds "
                                     "something else")
                          .arg(QFileInfo(f.gamePath).fileName());
    }
    for (int n = 1; n <= kFiles; ++n)
        if (!knownPaths.contains(game(n)) && read(game(n)) != originalOf(n))
            faults << QStringLiteral("%1 was changed, but the record does not know it").arg(QFileInfo(game(n)).fileName());
    const Report back = restoreOriginals(record, known);
    if (!back.ok())
        faults << QStringLiteral("restoring after the fault failed: %1").arg(failureLines(back).join(QStringLiteral("; ")));
    for (int n = 1; n <= kFiles; ++n)
        if (read(game(n)) != originalOf(n))
            faults << QStringLiteral("%1 does not restore to its original").arg(QFileInfo(game(n)).fileName());
}

// What the trial's steps reported, a line each (the report file is padded with NULs).
QList<QByteArray> reportLines(const Layout& at) { return read(at.report()).split('\0').value(0).split('\n'); }

// The checker's verdict on stdout, and its exit status.
int verdict(const QStringList& faults, bool complete)
{
    QTextStream out(stdout);
    for (const QString& f : faults)
        out << "FAULT " << f << '\n';
    out << (complete ? "report complete\n" : "report incomplete\n");
    return faults.isEmpty() ? 0 : 3;
}

int check(const Layout& at)
{
    QStringList faults;
    // What each game file should hold, by what each step reported.
    std::map<int, QByteArray> expected, beforeSwitch, beforeRestore;
    for (int n = 1; n <= kFiles; ++n)
        expected[n] = original(n);
    const QList<QByteArray> lines = reportLines(at);
    bool complete = false;
    for (const QByteArray& raw : lines) {
        const QStringList words = QString::fromUtf8(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        if (words[0] == QLatin1String("end"))
            complete = true;
        const bool undo = words[0] == QLatin1String("undo");
        if (words[0] != QLatin1String("switch") && words[0] != QLatin1String("restore") && !undo)
            continue;
        if (words[0] == QLatin1String("switch"))
            beforeSwitch = expected;
        if (words[0] == QLatin1String("restore"))
            beforeRestore = expected;
        const QString undone = undo ? words.value(1) : QString();
        for (const QString& w : words.mid(undo ? 2 : 1)) {
            const int n = w.mid(1, 1).toInt();
            if (!w.endsWith(QLatin1String("=changed")))
                continue;
            if (words[0] == QLatin1String("switch"))
                expected[n] = replacement(n);
            else if (words[0] == QLatin1String("restore"))
                expected[n] = original(n);
            else
                expected[n] = (undone == QLatin1String("restore") ? beforeRestore : beforeSwitch)[n];
        }
    }
    for (int n = 1; n <= kFiles; ++n) {
        // Every copy keeps the game file's permissions (a failed fchmod would leave 0600).
        struct stat st {};
        if (::stat(QFile::encodeName(at.game(n)).constData(), &st) == 0 && (st.st_mode & 0777) != 0644)
            faults << QStringLiteral("g%1.wav has mode %2 instead of 644").arg(n).arg(st.st_mode & 0777, 0, 8);
        const QByteArray now = read(at.game(n));
        if (now != original(n) && now != replacement(n))
            faults << QStringLiteral("g%1.wav is neither its original nor its replacement (%2 bytes)").arg(n).arg(now.size());
        else if (complete && now != expected[n])
            faults << QStringLiteral("g%1.wav holds its %2, but the report said otherwise")
                          .arg(n)
                          .arg(now == original(n) ? "original" : "replacement");
    }
    recordAgreesAndRestores(at, [&](int n) { return at.game(n); }, original, faults);
    return verdict(faults, complete);
}

// Each game file holds its original, or a whole sound in its original's own format (container,
// codec, rate, channels) as long as its replacement, as the report says; the record agrees.
int checkConvert(const Layout& at)
{
    QStringList faults;
    const QList<QByteArray> lines = reportLines(at);
    const bool complete = lines.contains("end");
    QStringList switched;
    for (const QByteArray& l : lines)
        if (l.startsWith("switch"))
            switched = QString::fromUtf8(l).split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(1);
    for (int n = 1; n <= kFiles; ++n) {
        const QString name = QFileInfo(at.convertGame(n)).fileName();
        const bool reportedChanged = switched.contains(QStringLiteral("g%1.wav=changed").arg(n));
        if (read(at.convertGame(n)) == read(at.convertOriginal(n))) {
            if (complete && reportedChanged)
                faults << QStringLiteral("%1 holds its original, but the report says it was replaced").arg(name);
            continue;
        }
        if (complete && !reportedChanged)
            faults << QStringLiteral("%1 was changed, but the report says otherwise").arg(name);
        const audio::SoundInfo was = audio::soundFileInfoInProcess(at.convertOriginal(n));
        const audio::SoundInfo is = audio::soundFileInfoInProcess(at.convertGame(n));
        constexpr int kKind = 0x0FFFFFFF; // libsndfile's container and codec or sample format
        if (!is.ok() || (is.sfFormat & kKind) != (was.sfFormat & kKind) || is.rate != was.rate || is.channels != was.channels) {
            faults << QStringLiteral("%1 is not a sound in its original's format: %2").arg(name, is.ok() ? audio::formatSummary(is) : is.error);
            continue;
        }
        // Whole: it decodes to its end, as long as its replacement at the game's rate.
        audio::OpenResult opened = audio::openAudio(at.convertGame(n));
        int64_t frames = 0;
        if (opened.source) {
            std::vector<float> block(size_t(4096) * size_t(opened.source->channels()));
            for (int64_t got; (got = opened.source->read(block.data(), 4096)) > 0;)
                frames += got;
        }
        const int64_t expected = int64_t(kConvertFrames) * was.rate / kConvertRate;
        if (std::abs(frames - expected) > expected / 20)
            faults << QStringLiteral("%1 decodes to %2 frames, not the %3 of its replacement").arg(name).arg(frames).arg(expected);
    }
    recordAgreesAndRestores(at, [&](int n) { return at.convertGame(n); }, [&](int n) { return read(at.convertOriginal(n)); },
        faults);
    return verdict(faults, complete);
}

int checkPackTrial(const Layout& at)
{
    QStringList faults;
    const QList<QByteArray> lines = reportLines(at);
    std::map<int, QByteArray> expected, before;
    for (int n = 1; n <= kFiles; ++n)
        expected[n] = original(n);
    bool complete = false, updatedNow = false, appliedOne = false;
    std::map<int, QString> backedUp;
    bool manifestWritten = false, backupReported = false;
    for (const QByteArray& raw : lines) {
        const QStringList words = QString::fromUtf8(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        const QString step = words[0];
        if (step == QLatin1String("end"))
            complete = true;
        if (step == QLatin1String("update"))
            updatedNow = words.value(1) == QLatin1String("1");
        if (step == QLatin1String("update") && updatedNow)
            expected[1] = updated(1);
        if (step == QLatin1String("manifest"))
            manifestWritten = words.value(1) == QLatin1String("1");
        if (words.size() < 2 || !words[1].startsWith(QLatin1Char('g')))
            continue; // a step that could not list or open: said so, nothing run
        std::map<int, QString> said;
        for (const QString& w : words.mid(1))
            said[w.mid(1, 1).toInt()] = w.section(QLatin1Char('='), 1);
        if (step == QLatin1String("backup")) {
            backedUp = said;
            backupReported = true;
            continue;
        }
        for (int n = 1; n <= kFiles; ++n) {
            const QString& what = said[n];
            // A file the step was for is named, done or not: never passed over in silence.
            const bool wanted = step == QLatin1String("apply") ? expected[n] == original(n)
                : step == QLatin1String("reapply")             ? n == 1 && updatedNow && appliedOne
                                                               : expected[n] == replacement(n);
            if (wanted && what == QLatin1String("-"))
                faults << QStringLiteral("%1 passed over g%2.wav without a word").arg(step).arg(n);
            if (what != QLatin1String("changed"))
                continue;
            if (step == QLatin1String("apply") || step == QLatin1String("reapply")) {
                before[n] = expected[n];
                expected[n] = replacement(n);
                appliedOne = appliedOne || n == 1;
            } else if (step == QLatin1String("remove")) {
                expected[n] = before[n];
            }
        }
    }
    for (int n = 1; n <= kFiles; ++n) {
        const QByteArray now = read(at.game(n));
        if (now != original(n) && now != replacement(n) && !(n == 1 && now == updated(1)))
            faults << QStringLiteral("g%1.wav holds neither its original, its replacement nor the update (%2 bytes)")
                          .arg(n)
                          .arg(now.size());
        else if (complete && now != expected[n])
            faults << QStringLiteral("g%1.wav does not hold what the reports said it would").arg(n);
    }
    // The backup holds exactly what it reported, whole, and its manifest lists it.
    const QStringList inBackup = QDir(at.backup()).entryList(QDir::Files);
    for (int n = 1; n <= kFiles && backupReported; ++n) {
        const QString name = QStringLiteral("g%1.wav").arg(n);
        const bool there = inBackup.contains(name);
        if (backedUp[n] == QLatin1String("copied") && !there)
            faults << QStringLiteral("%1 was reported backed up, but is not in the backup").arg(name);
        if (backedUp[n] != QLatin1String("copied") && there)
            faults << QStringLiteral("%1 is whole in the backup, but was reported not backed up").arg(name);
        if (there && complete && read(at.backup() + QLatin1Char('/') + name) != expected[n])
            faults << QStringLiteral("%1 in the backup is not what the game file held").arg(name);
    }
    if (manifestWritten) {
        QStringList listedNames;
        for (const ManifestLine& l : readManifest(at.backup())) {
            listedNames << l.name;
            if (contentHash(at.backup() + QLatin1Char('/') + l.name).hash != l.hash)
                faults << QStringLiteral("the backup's manifest names %1 with another content").arg(l.name);
        }
        for (int n = 1; n <= kFiles; ++n)
            if ((backedUp[n] == QLatin1String("copied")) != listedNames.contains(QStringLiteral("g%1.wav").arg(n)))
                faults << QStringLiteral("the backup's manifest does not list exactly its files (g%1.wav)").arg(n);
    }
    {
        ReplacementRecord record(at.record());
        const QStringList aside = QDir(at.record()).entryList({QStringLiteral("record.sqlite.damaged-*")}, QDir::Files);
        if (!aside.isEmpty())
            faults << QStringLiteral("the record was moved aside: %1").arg(aside.join(QStringLiteral(", ")));
        if (!record.isOpen()) {
            faults << QStringLiteral("the record cannot be opened after the fault: %1").arg(record.problem().cause);
        } else {
            settledAsAtStart(at, record, faults);
            const std::vector<ReplacedFile> known = record.replacedFiles();
            bool history = false;
            for (const ReplacedFile& f : known) {
                history = history || f.gamePath == at.history();
                if (f.state == GameFileState::Replaced && f.gamePath != at.history()
                    && read(f.gamePath) != replacement(QFileInfo(f.gamePath).baseName().mid(1).toInt()))
                    faults << QStringLiteral("the record calls %1 replaced, but it holds something Sonaplex did not put there")
                                  .arg(QFileInfo(f.gamePath).fileName());
            }
            if (!history)
                faults << QStringLiteral("the history written before the unclean close is lost");
            const Report back = restoreOriginals(record, known);
            if (!back.ok())
                faults << QStringLiteral("restoring after the fault failed: %1").arg(failureLines(back).join(QStringLiteral("; ")));
            QStringList knownPaths;
            for (const ReplacedFile& f : known)
                knownPaths << f.gamePath;
            for (int n = 1; n <= kFiles; ++n) {
                const QByteArray now = read(at.game(n));
                if (now != original(n) && !(n == 1 && now == updated(1) && !knownPaths.contains(at.game(1))))
                    faults << QStringLiteral("g%1.wav does not restore to its original").arg(n);
            }
            if (read(at.history()) != original(0))
                faults << QStringLiteral("h.wav does not restore to its original");
        }
    }
    return verdict(faults, complete);
}

// Runs `act` with strace attached once it is loaded, with `straceArgs` (the trace and the fault);
// returns how it ended ("" when it ended normally) and what strace wrote.
QString runAct(const QString& self, const Layout& at, const QString& scenario, const QStringList& straceArgs,
    QString* straceOutput = nullptr)
{
    QProcess program;
    // Its own process group: a trial that hangs is killed whole.
    program.setChildProcessModifier([] { ::setpgid(0, 0); });
    program.start(self, {QStringLiteral("act"), at.dir, scenario});
    if (!program.waitForStarted() || !program.waitForReadyRead(30000))
        return QStringLiteral("did not start");
    const qint64 pid = program.processId();
    QProcess strace;
    strace.start(QStringLiteral("strace"),
        QStringList{QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-p"), QString::number(pid)}
            + straceArgs);
    strace.waitForStarted();
    // Go once strace has attached.
    for (int i = 0; i < 500; ++i) {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        status.open(QIODevice::ReadOnly);
        const QByteArray text = status.readAll();
        const int at = text.indexOf("TracerPid:");
        if (at >= 0 && text.mid(at + 10, 12).trimmed().split('\n').value(0).toInt() != 0)
            break;
        QThread::msleep(10);
    }
    program.write("g");
    program.closeWriteChannel();
    QString outcome;
    if (!program.waitForFinished(60000)) {
        ::kill(-pid_t(pid), SIGKILL);
        program.waitForFinished();
        outcome = QStringLiteral("hang");
    } else if (program.exitStatus() == QProcess::CrashExit || program.exitCode() != 0) {
        outcome = QStringLiteral("ended abnormally: ") + QString::fromLocal8Bit(program.readAllStandardError()).right(300);
    }
    if (!strace.waitForFinished(10000))
        strace.kill();
    if (straceOutput)
        *straceOutput = QString::fromLocal8Bit(strace.readAllStandardError());
    return outcome;
}

// How often `act` makes each call, without faults.
int prepareFor(const Layout& at, const QString& scenario)
{
    return scenario == QLatin1String("pack") ? preparePack(at) : scenario == QLatin1String("convert") ? prepareConvert(at) : prepare(at);
}

std::map<QString, int> countCalls(const QString& self, const Layout& at, const QString& scenario, const QStringList& calls)
{
    std::map<QString, int> counts;
    prepareFor(at, scenario);
    QString summary;
    runAct(self, at, scenario,
        {QStringLiteral("-c"), QStringLiteral("-e"), QStringLiteral("trace=") + calls.join(QLatin1Char(','))}, &summary);
    for (const QString& line : summary.split(QLatin1Char('\n'))) {
        const QStringList cols = line.simplified().split(QLatin1Char(' '));
        if (cols.size() >= 5 && calls.contains(cols.last()))
            counts[cols.last()] = cols[3].toInt();
    }
    return counts;
}

// One scenario's trials, for `seconds`: the first occurrence of every call, then the second,
// ..., so that a bounded run covers every call. The number of trials that broke a promise.
int trialsOf(const QString& self, const Layout& at, const QString& scenario, const QStringList& calls, int seconds,
    QTextStream& out)
{
    const std::map<QString, int> counts = countCalls(self, at, scenario, calls);
    out << "calls made by the " << scenario << " scenario:";
    for (const auto& [call, n] : counts)
        out << ' ' << call << '=' << n;
    out << "\n" << Qt::flush;

    QElapsedTimer clock;
    clock.start();
    std::map<QString, int> outcomes;
    int trials = 0, failedTrials = 0;
    const QStringList writeErrors{"EIO", "ENOSPC"}, otherErrors{"EIO"};
    const QStringList writing{"write", "pwrite64", "fsync", "fdatasync", "syncfs", "copy_file_range", "ftruncate",
        "linkat", "link", "rename", "renameat2", "mkdir", "openat"};
    const QStringList killedAt{"write", "fsync", "fdatasync", "rename", "renameat2", "linkat", "unlink", "openat"};
    constexpr int kHelperKills = 8;
    // Every occurrence with EIO, and with ENOSPC for calls that write; a kill at every other
    // occurrence of the calls that change files; the helper's kills.
    int most = 0, possible = scenario == QLatin1String("convert") ? kHelperKills : 0;
    for (const auto& [call, n] : counts) {
        most = std::max(most, n);
        possible += n * int((writing.contains(call) ? writeErrors : otherErrors).size())
            + (killedAt.contains(call) ? (n + 1) / 2 : 0);
    }
    bool outOfTime = false;
    // One trial: `act` under strace with `inject` (the trace and the fault), then the checker.
    auto trial = [&](const QString& name, const QStringList& inject, bool kill) {
        if (clock.elapsed() > qint64(seconds) * 1000) {
            outOfTime = true;
            return;
        }
        prepareFor(at, scenario);
        QString outcome = runAct(self, at, scenario, QStringList{QStringLiteral("-o"), QStringLiteral("/dev/null")} + inject);
        const bool abnormal = outcome.startsWith(QLatin1String("ended abnormally"));
        if (abnormal && !kill)
            out << "ABNORMAL END " << name << ": " << outcome << '\n';
        QProcess checker;
        checker.start(self, {QStringLiteral("check"), at.dir, scenario});
        checker.waitForFinished(120000);
        const QString verdict = QString::fromLocal8Bit(checker.readAllStandardOutput());
        const QString report = QString::fromLocal8Bit(read(at.report()).split('\0').value(0));
        if (abnormal)
            outcome = kill ? QStringLiteral("killed") : QStringLiteral("ended abnormally");
        if (outcome.isEmpty())
            outcome = !report.contains(QLatin1String("end")) ? QStringLiteral("report incomplete")
                : report.contains(QLatin1String("=kept")) || report.contains(QLatin1String("=failed"))
                ? QStringLiteral("failure reported")
                : QStringLiteral("no failure reported");
        ++outcomes[outcome];
        ++trials;
        if (checker.exitCode() != 0 || outcome == QLatin1String("hang")) {
            ++failedTrials;
            out << "TRIAL " << scenario << ' ' << name << " (" << outcome << ")\n" << report << verdict << Qt::flush;
        }
    };
    auto inject = [](const QString& call, const QString& what) {
        return QStringList{QStringLiteral("-e"), QStringLiteral("trace=") + call, QStringLiteral("-e"),
            QStringLiteral("inject=%1:%2").arg(call, what)};
    };
    // The helper killed at each write into a converted copy (only the helper writes them; each
    // process counts its own calls): the conversion is refused, nothing of it reaches the game.
    if (scenario == QLatin1String("convert")) {
        const QString converting = at.record() + QStringLiteral("/work/converting/");
        const QStringList copies{converting + QStringLiteral("1-g1.ogg"), converting + QStringLiteral("2-g2.ogg"),
            converting + QStringLiteral("3-g3.wav")};
        for (int when = 1; when <= kHelperKills && !outOfTime; ++when) {
            QStringList args = inject(QStringLiteral("write"), QStringLiteral("signal=KILL:when=%1").arg(when));
            for (const QString& copy : copies)
                args << QStringLiteral("-P") << copy;
            trial(QStringLiteral("helper write:KILL:when=%1").arg(when), args, true);
        }
    }
    // A kill of the program (or of a helper, whichever makes its Nth call first) at the calls that
    // change files: the next start finds every file whole.
    for (int when = 1; when <= most && !outOfTime; ++when) {
        for (const auto& [call, n] : counts) {
            if (when > n)
                continue;
            for (const QString& error : writing.contains(call) ? writeErrors : otherErrors)
                trial(QStringLiteral("%1:%2:when=%3").arg(call, error).arg(when),
                    inject(call, QStringLiteral("error=%1:when=%2").arg(error).arg(when)), false);
            if (killedAt.contains(call) && when % 2 == 1) // every other one: the time is shared
                trial(QStringLiteral("%1:KILL:when=%2").arg(call).arg(when),
                    inject(call, QStringLiteral("signal=KILL:when=%1").arg(when)), true);
        }
    }
    out << scenario << ": trials: " << trials << " of " << possible << " possible in " << clock.elapsed() / 1000
        << " s; outcomes:";
    for (const auto& [o, n] : outcomes)
        out << ' ' << o << '=' << n;
    out << "\n" << scenario << ": trials that broke a promise: " << failedTrials << '\n' << Qt::flush;
    return failedTrials;
}

int campaign(const QString& self, const QStringList& args)
{
    int seconds = 60;
    QStringList calls{"openat", "read", "pread64", "write", "pwrite64", "fsync", "fdatasync", "syncfs", "rename",
        "renameat2", "linkat", "link", "unlink", "copy_file_range", "fchmod", "mkdir", "flock", "fstat",
        "newfstatat", "lseek", "ftruncate", "fcntl"};
    QString work = QDir::tempPath() + QStringLiteral("/sonaplex-faults");
    QStringList scenarios{QStringLiteral("switch"), QStringLiteral("pack"), QStringLiteral("convert")};
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--seconds"))
            seconds = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--calls"))
            calls = args[i + 1].split(QLatin1Char(','));
        else if (args[i] == QLatin1String("--work"))
            work = args[i + 1];
        else if (args[i] == QLatin1String("--scenario"))
            scenarios = QStringList{args[i + 1]};
    }
    QTextStream out(stdout);
    QProcess probe;
    probe.start(QStringLiteral("strace"), {QStringLiteral("-V")});
    if (!probe.waitForFinished() || probe.exitCode() != 0) {
        out << "strace is missing: install it (scripts/install-deps)\n";
        return 2;
    }
    const Layout at{work};
    int failed = 0;
    for (const QString& scenario : scenarios) // the time shared between them
        failed += trialsOf(self, at, scenario, calls, seconds / int(scenarios.size()), out);
    out << "trials that broke a promise: " << failed << '\n';
    QDir(work).removeRecursively();
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);
    const Layout at{args.value(1)};
    const QString scenario = args.value(2);
    const bool pack = scenario == QLatin1String("pack"), convert = scenario == QLatin1String("convert");
    if (mode == QLatin1String("prepare"))
        return prepareFor(at, scenario);
    if (mode == QLatin1String("act"))
        return pack ? actPack(at) : convert ? actConvert(at) : act(at);
    if (mode == QLatin1String("check"))
        return pack ? checkPackTrial(at) : convert ? checkConvert(at) : check(at);
    if (mode == QLatin1String("campaign"))
        return campaign(app.applicationFilePath(), args.mid(1));
    std::fprintf(stderr, "usage: fault_campaign campaign [--seconds S] [--calls a,b] [--work DIR] "
                         "[--scenario switch|pack|convert] | prepare|act|check DIR [pack|convert]\n");
    return 2;
}
