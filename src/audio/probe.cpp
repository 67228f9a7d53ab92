#include "audio/probe.h"
#include "base/language.h"

#include "audio/audio_file.h"
#include "audio/bounded.h"
#include "audio/source.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <optional>
#include <thread>

#include <sndfile.h>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Probe)
};

// How long the helper may go without a word while analysing before it is taken as stuck.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kQuietLimitMs = 60'000;
#else
constexpr int kQuietLimitMs = 10'000;
#endif

QString decoderFailed(const QString& path)
{
    return Say::tr("%1 cannot be read: the decoder failed on it, or asked for more memory than any sound "
                   "needs (the file may be damaged, or made to harm).")
        .arg(QFileInfo(path).fileName());
}

// Why the helper gave no answer for `path`: it ran out of time, it was stopped from outside the
// program (a signal no decoder sends itself), or it died on the file.
QString noAnswer(QProcess& p, const QString& path, bool timedOut)
{
    if (timedOut)
        return tookTooLong(path);
    p.waitForFinished(1000);
    if (p.state() == QProcess::NotRunning && p.exitStatus() == QProcess::CrashExit) {
        const int signal = p.exitCode(); // on a crash, the signal that ended it
        if (signal == SIGKILL || signal == SIGTERM || signal == SIGINT || signal == SIGHUP || signal == SIGQUIT)
            return Say::tr("%1 was not read: Sonaplex's helper was stopped from outside while it read it.")
                .arg(QFileInfo(path).fileName());
    }
    return decoderFailed(path);
}

bool probedInProcess(const QString& path)
{
    const SoundFormat f = soundFormatOfName(path);
    return f == SoundFormat::Midi || f == SoundFormat::Unknown;
}

// Why a stranger's file cannot be read now: the helper that reads such files is not there, or
// did not start (decoders are never run on them inside the program).
QString noHelper(const QString& path)
{
    return probeProgram().isEmpty()
        ? Say::tr("%1 was not read: Sonaplex's helper sonaplex-probe is not installed.").arg(QFileInfo(path).fileName())
        : Say::tr("%1 was not read: Sonaplex's helper sonaplex-probe did not start.").arg(QFileInfo(path).fileName());
}

// The helper, started on one request; stderr goes nowhere (decoders may chatter).
bool startHelper(QProcess& p, const QStringList& arguments, bool input = false)
{
    if (probeProgram().isEmpty())
        return false;
    p.setProgram(probeProgram());
    p.setArguments(arguments);
    if (!input)
        p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start();
    return p.waitForStarted(5000);
}

// An answer of the helper's "info" request names its file (the name's bytes in hex), so that an
// answer can never be taken for another file's.
QByteArray answerFor(const QByteArray& encodedName) { return "info " + encodedName.toHex() + ' '; }

// The next line the helper writes, waiting at most `ms`; empty at its end or on time out
// (`timedOut` says which).
QByteArray nextLine(QProcess& p, int ms, bool* timedOut)
{
    QElapsedTimer clock;
    clock.start();
    *timedOut = false;
    while (!p.canReadLine()) {
        if (p.state() == QProcess::NotRunning)
            return {};
        const int left = ms - int(clock.elapsed());
        if (left <= 0) {
            *timedOut = true;
            return {};
        }
        if (!p.waitForReadyRead(std::min(left, 200)) && p.state() == QProcess::NotRunning && !p.canReadLine())
            return {};
    }
    QByteArray line = p.readLine();
    line.chop(1);
    return line;
}

void stopHelper(QProcess& p)
{
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(2000);
    }
}

// What the program knows of itself, in a thread or a process with no QCoreApplication.
QString programFolder() { return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath(); }

void print(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Samples stored as they are (PCM, floats, A-law and µ-law) need no decoder: what a trial decode
// would find of them (a length the data cannot hold, a header that lies) the header checks find.
bool storedPlain(const SoundInfo& info)
{
    switch (info.sfFormat & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
        return info.format == SoundFormat::Wave;
    default:
        return false;
    }
}

// Decodes a little of the start, the middle and the end, as a player seeking would.
void trialDecode(const QString& path)
{
    OpenResult opened = openAudio(path);
    if (!opened.source)
        return;
    AudioSource& s = *opened.source;
    std::vector<float> buffer(size_t(4096) * size_t(s.channels()));
    const int64_t length = s.lengthFrames();
    for (int64_t at : {int64_t(0), length / 2, std::max<int64_t>(0, length - 4096)}) {
        if (at > 0 && !s.seek(at))
            return;
        for (int i = 0; i < 8; ++i)
            if (s.read(buffer.data(), 4096) <= 0)
                break;
    }
}

} // namespace

QString probeProgram()
{
    static const QString found = [] {
        const QString name = QStringLiteral("sonaplex-probe");
        for (const QString& place : {programFolder() + QStringLiteral("/../" SONAPLEX_MODULE_SUBDIR "/") + name,
                 QStringLiteral(SONAPLEX_BUILD_DIR "/") + name})
            if (QFileInfo(place).isExecutable())
                return QFileInfo(place).absoluteFilePath();
        return QString();
    }();
    return found;
}

QByteArray infoLine(const SoundInfo& i)
{
    const QJsonObject o{{QStringLiteral("kind"), int(i.kind)}, {QStringLiteral("error"), i.error},
        {QStringLiteral("seconds"), i.seconds}, {QStringLiteral("format"), int(i.format)},
        {QStringLiteral("sfFormat"), i.sfFormat}, {QStringLiteral("rate"), i.rate},
        {QStringLiteral("channels"), i.channels}, {QStringLiteral("frames"), qint64(i.frames)},
        {QStringLiteral("bitrate"), i.bitrate}, {QStringLiteral("vbr"), i.variableBitrate},
        {QStringLiteral("sourceRate"), i.sourceRate}, {QStringLiteral("loopStart"), qint64(i.loop.start)},
        {QStringLiteral("loopLength"), qint64(i.loop.length)}, {QStringLiteral("loopOutside"), i.loopOutside},
        {QStringLiteral("moduleType"), i.moduleType}, {QStringLiteral("moduleChannels"), i.moduleChannels}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

SoundInfo infoFromLine(const QByteArray& line)
{
    const QJsonObject o = QJsonDocument::fromJson(line).object();
    SoundInfo i;
    i.kind = DeviceKind(o.value(QStringLiteral("kind")).toInt());
    i.error = o.value(QStringLiteral("error")).toString();
    i.seconds = o.value(QStringLiteral("seconds")).toDouble();
    i.format = SoundFormat(o.value(QStringLiteral("format")).toInt());
    i.sfFormat = o.value(QStringLiteral("sfFormat")).toInt();
    i.rate = o.value(QStringLiteral("rate")).toInt();
    i.channels = o.value(QStringLiteral("channels")).toInt();
    i.frames = o.value(QStringLiteral("frames")).toInteger();
    i.bitrate = o.value(QStringLiteral("bitrate")).toInt();
    i.variableBitrate = o.value(QStringLiteral("vbr")).toBool();
    i.sourceRate = o.value(QStringLiteral("sourceRate")).toInt();
    i.loop = {o.value(QStringLiteral("loopStart")).toInteger(-1), o.value(QStringLiteral("loopLength")).toInteger(-1)};
    i.loopOutside = o.value(QStringLiteral("loopOutside")).toBool();
    i.moduleType = o.value(QStringLiteral("moduleType")).toString();
    i.moduleChannels = o.value(QStringLiteral("moduleChannels")).toInt();
    return i;
}

namespace {
// Reads `helped` into `found` (at the indices `at`) in one helper; when it dies or overruns on a
// file, that file is named and a new helper goes on from the next.
void probeInHelper(const QStringList& helped, const std::vector<qsizetype>& at, std::vector<SoundInfo>& found,
    std::chrono::milliseconds limit, ProbeDepth depth)
{
    for (qsizetype next = 0; next < helped.size();) {
        QProcess p;
        if (!startHelper(
                p, {depth == ProbeDepth::Headers ? QStringLiteral("headers") : QStringLiteral("info")}, true)) {
            for (; next < helped.size(); ++next)
                found[size_t(at[size_t(next)])] = SoundInfo::refused(DeviceKind::WaveAudio, noHelper(helped[next]));
            break;
        }
        QByteArray request;
        for (qsizetype i = next; i < helped.size(); ++i)
            request += QFile::encodeName(helped[i]) + '\0';
        p.write(request);
        p.closeWriteChannel();
        for (; next < helped.size(); ++next) {
            bool timedOut = false;
            const QByteArray line = nextLine(p, int(limit.count()), &timedOut);
            const QString& path = helped[next];
            const QByteArray expected = answerFor(QFile::encodeName(path));
            if (!line.startsWith(expected)) {
                found[size_t(at[size_t(next)])].error = noAnswer(p, path, timedOut);
                ++next;
                break;
            }
            found[size_t(at[size_t(next)])] = infoFromLine(line.mid(expected.size()));
        }
        stopHelper(p);
    }
}
} // namespace

std::vector<SoundInfo> probeInfos(const QStringList& paths, std::chrono::milliseconds limit, ProbeDepth depth)
{
    std::vector<SoundInfo> found(size_t(paths.size()));
    QStringList helped;
    std::vector<qsizetype> at; // index in `paths` of each path sent to the helper
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        if (path.isEmpty()) {
            found[size_t(i)] = SoundInfo::refused(DeviceKind::WaveAudio, Say::tr("no file was named"));
        } else if (probedInProcess(path)) { // MIDI, by the program's own parser; other names are refused
            found[size_t(i)] = runBounded<SoundInfo>([path] { return soundFileInfoInProcess(path); }, limit)
                                   .value_or(SoundInfo::refused(DeviceKind::WaveAudio, tookTooLong(path)));
        } else {
            helped << path;
            at.push_back(i);
        }
    }
    // Many files are shared among helpers, one per processor (at most four), each reading its
    // part in order; a few go to one helper.
    constexpr qsizetype kFilesPerExtraHelper = 64;
    const qsizetype helpers = std::clamp<qsizetype>(
        std::min<qsizetype>(QThread::idealThreadCount(), helped.size() / kFilesPerExtraHelper), 1, 4);
    std::vector<std::thread> others;
    for (qsizetype h = 0; h < helpers; ++h) {
        const qsizetype begin = helped.size() * h / helpers, end = helped.size() * (h + 1) / helpers;
        auto part = [&, begin, end] {
            probeInHelper(helped.mid(begin, end - begin), std::vector<qsizetype>(at.begin() + begin, at.begin() + end),
                found, limit, depth);
        };
        if (h + 1 < helpers)
            others.emplace_back(part);
        else
            part();
    }
    for (std::thread& t : others)
        t.join();
    return found;
}

SoundInfo probeInfo(const QString& path, std::chrono::milliseconds limit) { return probeInfos({path}, limit).front(); }

SoundInfo soundFileInfo(const QString& path) { return probeInfo(path, kProbeTimeLimit); }

FormatCheck checkFormats(const QString& game, const QString& replacement)
{
    const std::vector<SoundInfo> both = probeInfos({game, replacement}, kProbeTimeLimit);
    return checkFormats(both[0], both[1]);
}

Loudness probeAnalysis(const QString& path, int bins, const std::function<void(const SoundInfo&)>& onInfo,
    const std::function<bool(OverviewPart&&)>& deliver, const std::function<bool()>& stopped)
{
    QProcess p;
    if (probedInProcess(path)) { // MIDI, by the program's own parser
        const SoundInfo info = soundFileInfoInProcess(path);
        onInfo(info);
        return info.ok() ? analyseRecording(path, bins, deliver, stopped) : Loudness{};
    }
    if (!startHelper(p, {QStringLiteral("analyse"), path, QString::number(bins)})) {
        onInfo(SoundInfo::refused(DeviceKind::WaveAudio, noHelper(path)));
        return {};
    }
    bool sawInfo = false;
    for (;;) {
        if (stopped && stopped())
            break;
        bool timedOut = false;
        const QByteArray line = nextLine(p, kQuietLimitMs, &timedOut);
        if (line.startsWith("info ")) {
            sawInfo = true;
            onInfo(infoFromLine(line.mid(5)));
        } else if (line.startsWith("part ")) {
            const QList<QByteArray> words = line.split(' ');
            const int first = words.value(1).toInt(), n = words.value(2).toInt();
            if (n < 0 || words.size() != 3 + 2 * qsizetype(n) || first < 0 || first + n > bins)
                break;
            OverviewPart part{first, {}, {}};
            for (int k = 0; k < n; ++k) {
                part.min.push_back(words[3 + k].toFloat());
                part.max.push_back(words[3 + n + k].toFloat());
            }
            if (!deliver(std::move(part)))
                break;
        } else if (line.startsWith("loudness ")) {
            const QList<QByteArray> words = line.split(' ');
            stopHelper(p);
            return Loudness{words.value(1) == "1", words.value(2).toDouble(), words.value(3).toDouble()};
        } else {
            if (!sawInfo)
                onInfo(SoundInfo::refused(DeviceKind::WaveAudio, noAnswer(p, path, timedOut)));
            break;
        }
    }
    stopHelper(p);
    return {};
}

QString convertInHelper(const QString& source, const QString& destination, const SoundInfo& like, double gainDb,
    const std::function<bool()>& stopped, LoopChoice loop)
{
    QProcess p;
    // The encoder's level is found here once for many conversions to one format, not in each helper.
    const std::optional<double> level = vorbisLevelLike(like);
    if (!startHelper(p,
            {QStringLiteral("convert"), source, destination, QString::number(gainDb, 'g', 17),
                loop == LoopChoice::Whole ? QStringLiteral("whole") : QStringLiteral("own"),
                QString::fromUtf8(infoLine(like)), level ? QString::number(*level, 'g', 17) : QStringLiteral("-")}))
        return noHelper(source);
    QString why;
    QElapsedTimer sinceWord; // the helper says "working" twice a second while it is
    sinceWord.start();
    for (;;) {
        if (stopped && stopped()) {
            why = Say::tr("the conversion was stopped");
            break;
        }
        bool timedOut = false;
        const QByteArray line = nextLine(p, 200, &timedOut);
        if (timedOut && sinceWord.elapsed() < kQuietLimitMs)
            continue;
        if (timedOut) {
            why = tookTooLong(source);
            break;
        }
        sinceWord.restart();
        if (line == "working")
            continue;
        if (line == "converted")
            why.clear();
        else if (line.startsWith("failed "))
            why = QString::fromUtf8(line.mid(7));
        else
            why = noAnswer(p, source, false);
        break;
    }
    stopHelper(p);
    if (!why.isEmpty())
        QFile::remove(destination);
    return why;
}

int runProbe(int argc, char** argv)
{
    // Bounds no decoder may pass: memory, processor time, no core file left behind. (The
    // sanitizer build maps terabytes of shadow memory: there only its own bounds hold.)
    const rlimit cpu{300, 300}, core{0, 0};
#if !defined(__SANITIZE_ADDRESS__)
    const rlimit memory{rlim_t(2) << 30, rlim_t(2) << 30};
    setrlimit(RLIMIT_AS, &memory);
#endif
    setrlimit(RLIMIT_CPU, &cpu);
    setrlimit(RLIMIT_CORE, &core);
    if (argc < 2)
        return 2;
    // What the helper says of a file is shown to the user: in the program's language.
    std::optional<QCoreApplication> app;
    if (programLoadedATranslation()) {
        app.emplace(argc, argv);
        loadProgramsTranslation();
    }
    const QByteArray mode = argv[1];
    if (mode == "info" || mode == "headers") {
        // Paths on standard input, each ended by a NUL; one line out for each.
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return 2;
        for (const QByteArray& name : in.readAll().split('\0')) {
            if (name.isEmpty())
                continue;
            const QString path = QFile::decodeName(name);
            const SoundInfo info = soundFileInfoInProcess(path, mode == "headers");
            if (info.ok() && mode == "info" && !storedPlain(info))
                trialDecode(path);
            print(answerFor(name) + infoLine(info));
        }
        return 0;
    }
    if (mode == "convert" && argc >= 7) {
        QElapsedTimer sinceWord;
        sinceWord.start();
        const QString why = convertRecording(
            QFile::decodeName(argv[2]), QFile::decodeName(argv[3]), infoFromLine(argv[6]),
            QByteArray(argv[4]).toDouble(),
            [&sinceWord] {
                if (sinceWord.elapsed() > 500) { // alive: the program waits for a word now and then
                    print("working");
                    sinceWord.restart();
                }
                return false;
            },
            QByteArray(argv[5]) == "whole" ? LoopChoice::Whole : LoopChoice::Own,
            argc >= 8 && QByteArray(argv[7]) != "-" ? std::optional<double>(QByteArray(argv[7]).toDouble())
                                                    : std::nullopt);
        print(why.isEmpty() ? QByteArray("converted") : "failed " + why.toUtf8().replace('\n', ' '));
        return 0;
    }
    if (argc < 3)
        return 2;
    const QString path = QFile::decodeName(argv[2]);
    const SoundInfo info = soundFileInfoInProcess(path);
    if (mode != "analyse" || argc < 4)
        return 2;
    print("info " + infoLine(info));
    const int bins = std::clamp(QByteArray(argv[3]).toInt(), 0, 1 << 16);
    if (!info.ok())
        return 0;
    const Loudness l = analyseRecording(path, bins, [](OverviewPart&& part) {
        QByteArray line
            = "part " + QByteArray::number(part.first) + ' ' + QByteArray::number(qsizetype(part.min.size()));
        for (const std::vector<float>* values : {&part.min, &part.max})
            for (float v : *values)
                line += ' ' + QByteArray::number(v, 'g', 6);
        print(line);
        return true;
    });
    print("loudness " + QByteArray(l.ok ? "1 " : "0 ") + QByteArray::number(l.peakDb, 'g', 10) + ' '
        + QByteArray::number(l.lufs, 'g', 10));
    return 0;
}

} // namespace sonaplex::audio
