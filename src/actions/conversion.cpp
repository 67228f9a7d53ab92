#include "actions/conversion.h"

#include "audio/probe.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Conversion)
};

// How much to turn a replacement up or down to the game file's loudness, without pushing its
// peak past full scale.
double matchingGain(const QString& game, const QString& replacement, const std::function<bool()>& stopped)
{
    auto measure = [&stopped](const QString& path) {
        return audio::probeAnalysis(
            path, 0, [](const audio::SoundInfo&) {}, [](audio::OverviewPart&&) { return true; }, stopped);
    };
    const audio::Loudness target = measure(game);
    const audio::Loudness now = measure(replacement);
    if (!target.ok || !now.ok || target.lufs <= -199 || now.lufs <= -199)
        return 0;
    return std::min(target.lufs - now.lufs, -0.1 - now.peakDb);
}

QString convertOne(const ConversionJob& job, const std::function<bool()>& stopped)
{
    try {
        const audio::SoundInfo like = job.like.ok() ? job.like : audio::probeInfo(job.game, audio::kProbeTimeLimit);
        if (!like.ok())
            return like.error;
        const double gain = job.matchLoudness ? matchingGain(job.game, job.source, stopped) : 0;
        return audio::convertInHelper(job.source, job.destination, like, gain, stopped, job.loop);
    } catch (const std::bad_alloc&) {
        return Say::tr("there is not enough memory to convert it");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    }
}

} // namespace

Conversions convertReplacements(const std::vector<ConversionJob>& jobs, WorkProgress& progress)
{
    Conversions result;
    auto stopped = [&progress] { return progress.cancelled(); };
    // One conversion per processor (at most four) at a time, each in a helper of its own: an
    // encoder keeps one processor busy.
    std::vector<QString> why(jobs.size());
    std::vector<char> done(jobs.size(), 0);
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i; !stopped() && (i = next++) < jobs.size();) {
            why[i] = convertOne(jobs[i], stopped);
            done[i] = 1;
            progress.fileDone();
        }
    };
    const int workers = std::clamp(std::min(QThread::idealThreadCount(), int(jobs.size())), 1, 4);
    std::vector<std::thread> others;
    for (int w = 1; w < workers; ++w)
        others.emplace_back(work);
    work();
    for (std::thread& t : others)
        t.join();
    for (size_t i = 0; i < jobs.size(); ++i) {
        if (!done[i])
            continue;
        if (why[i].isEmpty()) {
            result.converted[jobs[i].key] = jobs[i].destination;
        } else {
            QFile::remove(jobs[i].destination); // never taken for a converted copy
            result.failed[jobs[i].key] = why[i];
        }
    }
    if (stopped()) {
        for (const auto& [key, copy] : result.converted)
            QFile::remove(copy);
        result = {};
        result.cancelled = true;
    }
    return result;
}

} // namespace sonaplex
