#include "ui/format_conversion.h"

#include "audio/analysis.h"
#include "ui/long_work.h"
#include "ui/messages.h"

#include <QFileInfo>

#include <algorithm>

namespace sonaplex {

namespace {

struct Job {
    int n;
    QString label, source, game, destination;
    bool differs = false; // in format from its game file
    bool loopWhole = false; // looped whole: the game loops its file and the replacement has no loop of its own
};

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

    std::vector<ConversionJob> work;
    for (const Job& job : jobs)
        work.push_back({job.n, job.source, job.game, job.destination, match,
            job.loopWhole ? audio::LoopChoice::Whole : audio::LoopChoice::Own});
    LongWork converting(parent, QStringLiteral("Converting the replacements\u2026"));
    WorkProgress& progress = converting.progress();
    progress.setTotal(int(work.size()), 0);
    progress.offload([&] { result = convertReplacements(work, progress); });
    if (converting.cancelled())
        result.cancelled = true;
    return result;
}

} // namespace sonaplex
