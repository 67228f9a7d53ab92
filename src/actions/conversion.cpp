#include "actions/conversion.h"

#include "audio/probe.h"
#include "base/work_progress.h"

#include <QCoreApplication>
#include <QFile>

#include <new>
#include <stdexcept>

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
    for (const ConversionJob& job : jobs) {
        if (stopped())
            break;
        const QString why = convertOne(job, stopped);
        if (why.isEmpty()) {
            result.converted[job.key] = job.destination;
        } else {
            QFile::remove(job.destination); // never taken for a converted copy
            result.failed[job.key] = why;
        }
        progress.fileDone();
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
