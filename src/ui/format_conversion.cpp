#include "ui/format_conversion.h"

#include "audio/analysis.h"
#include "audio/convert.h"
#include "audio/probe.h"
#include "ui/long_work.h"
#include "ui/messages.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <memory>
#include <new>
#include <stdexcept>

namespace sonaplex {

namespace {

struct Job {
    int n;
    QString label, source, game, destination;
    bool differs = false; // in format from its game file
    bool loopWhole = false; // looped whole: the game loops its file and the replacement has no loop of its own
};

// How much to turn a replacement up or down to the game file's loudness, without pushing
// its peak past full scale.
double matchingGain(const QString& game, const QString& replacement, const std::function<bool()>& stopped)
{
    auto measure = [&stopped](const QString& path) { // in the helper, as every stranger's file is read
        return audio::probeAnalysis(
            path, 0, [](const audio::SoundInfo&) {}, [](audio::OverviewPart&&) { return true; }, stopped);
    };
    const audio::Loudness target = measure(game);
    const audio::Loudness now = measure(replacement);
    if (!target.ok || !now.ok || target.lufs <= -199 || now.lufs <= -199)
        return 0;
    return std::min(target.lufs - now.lufs, -0.1 - now.peakDb);
}

} // namespace

namespace {

// Asks about the replacements whose format differs: convert them (required when a container or
// codec differs), or copy them as they are. Sets `convert` and `match`; false when cancelled.
bool askFormats(const QStringList& lines, bool mustConvert, bool& convert, bool& match, QWidget* parent)
{
    const QString listed = lines.join(QLatin1Char('\n'));
    const MessageAnswer answer = showMessage(
        mustConvert
            ? Message{QStringLiteral("These replacements are not in the format of the game files they replace:\n\n%1\n\n"
                                     "A game reads each file in the format its name says, so some of them cannot be "
                                     "copied as they are. Convert them to the game files' formats?")
                          .arg(listed),
                  QStringLiteral("Format Check"), MessageButtons::ConvertCancel}
            : Message{QStringLiteral("These replacements are not in the format of the game files they replace:\n\n%1\n\n"
                                     "A game may play them wrongly or not at all. Convert them to the game files' "
                                     "formats, or copy them as they are?")
                          .arg(listed),
                  QStringLiteral("Format Check"), MessageButtons::ConvertCopyCancel},
        parent);
    if (answer == MessageAnswer::Cancel || (mustConvert && answer == MessageAnswer::CopyAsIs))
        return false;
    convert = answer == MessageAnswer::Convert || answer == MessageAnswer::ConvertMatched;
    match = answer == MessageAnswer::ConvertMatched;
    return true;
}

} // namespace

Conversions offerConversion(const SelectionList& selections, const QString& folder, QWidget* parent)
{
    Conversions result;
    std::vector<Job> jobs;
    QStringList lines, unlooped;
    bool mustConvert = false; // a replacement in another container or codec: a game cannot read it as it is
    for (int n = 1; n <= selections.count(); ++n) {
        const Selection& s = selections.at(n);
        const FormatCheck& check = selections.format(n);
        const bool differs = check.state == FormatCheck::State::Differs;
        if (!(differs || check.loopMissing) || s.gameName.isEmpty() || s.replacementName.isEmpty())
            continue;
        const QString label = QStringLiteral("Selection %1 (%2)").arg(n).arg(s.gameName);
        if (differs)
            lines << label + QStringLiteral(": ") + audio::formatDifference(check);
        if (check.loopMissing)
            unlooped << label;
        mustConvert = mustConvert || check.codecDiffers;
        jobs.push_back(
            // Under the game file's own name: a name chosen with its folders ("sfx/x.wav") has none here.
            {n, label, s.replacementPath, s.gamePath,
                folder + QStringLiteral("/%1-%2").arg(n).arg(QFileInfo(s.gamePath).fileName()), differs, false});
    }
    if (jobs.empty())
        return result;
    bool convert = false, match = false;
    if (!lines.isEmpty() && !askFormats(lines, mustConvert, convert, match, parent)) {
        result.cancelled = true;
        return result;
    }
    if (!unlooped.isEmpty()) {
        const MessageAnswer loop = showMessage(
            Message{QStringLiteral("The game loops these sounds by tags in their files, and their replacements have "
                                   "none, so the game may loop them at the wrong place:\n\n%1\n\nLoop the whole of "
                                   "each replacement?")
                        .arg(unlooped.join(QLatin1Char('\n'))),
                QStringLiteral("Loop Points"), MessageButtons::LoopLeaveCancel},
            parent);
        if (loop == MessageAnswer::Cancel) {
            result.cancelled = true;
            return result;
        }
        for (Job& job : jobs)
            job.loopWhole = loop == MessageAnswer::LoopWhole && selections.format(job.n).loopMissing;
    }
    // What is converted: every differing replacement when asked, and each to be looped whole.
    jobs.erase(std::remove_if(jobs.begin(), jobs.end(), [&](const Job& j) { return !((j.differs && convert) || j.loopWhole); }),
        jobs.end());
    if (jobs.empty())
        return result; // copied as they are

    // One error text per job (empty: converted), worked out off this thread.
    std::vector<QString> whys(jobs.size());
    LongWork work(parent, QStringLiteral("Converting the replacements\u2026"));
    WorkProgress& progress = work.progress();
    progress.setTotal(int(jobs.size()), 0);
    progress.offload([&] {
        auto stopped = [&progress] { return progress.cancelled(); };
        for (size_t k = 0; k < jobs.size() && !stopped(); ++k) {
            const Job& job = jobs[k];
            QString why;
            try {
                const audio::SoundInfo like = audio::soundInfo(audio::DeviceKind::WaveAudio, job.game);
                why = like.ok() ? QString() : like.error;
                if (why.isEmpty()) {
                    const double gain = match ? matchingGain(job.game, job.source, stopped) : 0;
                    why = audio::convertInHelper(job.source, job.destination, like, gain, stopped,
                        job.loopWhole ? audio::LoopChoice::Whole : audio::LoopChoice::Own);
                }
            } catch (const std::bad_alloc&) {
                why = QStringLiteral("there is not enough memory to convert it");
            } catch (const std::exception& e) {
                why = QString::fromLocal8Bit(e.what());
            }
            if (!why.isEmpty())
                QFile::remove(job.destination); // never taken for a converted copy
            whys[k] = why;
            progress.fileDone();
        }
    });
    if (work.cancelled()) {
        result.cancelled = true;
        return result;
    }
    for (size_t k = 0; k < jobs.size(); ++k) {
        const QString& why = whys[k];
        if (why.isEmpty()) {
            result.substitutes[jobs[k].n] = jobs[k].destination;
        } else {
            result.failed[jobs[k].n] = why;
        }
    }
    return result;
}

} // namespace sonaplex
