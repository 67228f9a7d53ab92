#include "ui/format_conversion.h"

#include "actions/game_sounds.h"

#include "audio/analysis.h"
#include "ui/forms.h"
#include "ui/long_work.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FormatConversion)
};


// Asks about the replacements whose format differs, one row each: convert the ticked ones (a
// replacement in another container or codec is always converted: its row cannot be unticked),
// or copy them all as they are. Sets `convert` and `match`; false when cancelled.
bool askFormats(std::vector<MessageRow>& rows, bool mustConvert, bool& convert, bool& match, QWidget* parent)
{
    Message question{mustConvert
            ? Say::tr("These replacements are not in the format of the game files they replace. A game reads "
                      "each file in the format its name says, so those in another kind of file are always "
                      "converted. Convert the ticked ones to the game files' formats (the others are copied as "
                      "they are)?")
            : Say::tr("These replacements are not in the format of the game files they replace, so a game may "
                      "play them wrongly or not at all. Convert the ticked ones to the game files' formats (the "
                      "others are copied as they are), or copy them all as they are?"),
        Say::tr("Format Check"), mustConvert ? MessageButtons::ConvertCancel : MessageButtons::ConvertCopyCancel};
    question.rows = &rows;
    const MessageAnswer answer = showMessage(question, parent);
    if (answer == MessageAnswer::Cancel || (mustConvert && answer == MessageAnswer::CopyAsIs))
        return false;
    convert = answer == MessageAnswer::Convert || answer == MessageAnswer::ConvertMatched;
    match = answer == MessageAnswer::ConvertMatched;
    return true;
}

} // namespace

Conversions offerConversion(const std::vector<Selection>& selections, const std::vector<FormatCheck>& checks,
    const QString& folder, QWidget* parent, const std::function<QString(int)>& label,
    const std::vector<audio::SoundInfo>& gameFormats)
{
    Conversions result;
    QStringList unlooped;
    std::vector<MessageRow> rows;
    std::vector<int> rowOf(selections.size(), -1);
    bool mustConvert = false; // a replacement in another container or codec: a game cannot read it as it is
    for (size_t i = 0; i < selections.size() && i < checks.size(); ++i) {
        const Selection& s = selections[i];
        const FormatCheck& check = checks[i];
        if (s.gameName.isEmpty() || s.replacementName.isEmpty())
            continue;
        if (check.state == FormatCheck::State::Differs) {
            rowOf[i] = int(rows.size());
            rows.push_back({label(int(i) + 1) + QStringLiteral(": ") + audio::formatDifference(check), true,
                conversionNeed(check) == ConversionNeed::Required});
        }
        if (check.loopMissing)
            unlooped << label(int(i) + 1);
        mustConvert = mustConvert || conversionNeed(check) == ConversionNeed::Required;
    }
    bool convert = false, match = false;
    if (!rows.empty() && !askFormats(rows, mustConvert, convert, match, parent)) {
        result.cancelled = true;
        return result;
    }
    bool loopWhole = false;
    if (!unlooped.isEmpty()) {
        const MessageAnswer loop = showMessage(
            Message{Say::tr("The game loops these sounds by tags in their files, and their replacements have "
                            "none, so the game may loop them at the wrong place:\n\n%1\n\nLoop the whole of "
                            "each replacement?")
                        .arg(unlooped.join(QLatin1Char('\n'))),
                Say::tr("Loop Points"), MessageButtons::LoopLeaveCancel},
            parent);
        if (loop == MessageAnswer::Cancel) {
            result.cancelled = true;
            return result;
        }
        loopWhole = loop == MessageAnswer::LoopWhole;
    }
    // What is converted: every differing replacement when asked, and each to be looped whole.
    std::vector<ConversionJob> work = conversionJobs(selections, checks, folder, convert, match, loopWhole, gameFormats);
    // A row left unticked is copied as it is (unless it is to be looped whole).
    std::erase_if(work, [&](const ConversionJob& job) {
        const size_t i = size_t(job.key - 1);
        return i < rowOf.size() && rowOf[i] >= 0 && !rows[size_t(rowOf[i])].ticked && !(loopWhole && checks[i].loopMissing);
    });
    if (work.empty())
        return result; // copied as they are
    LongWork converting(parent, Say::tr("Converting the replacements\u2026"));
    WorkProgress& progress = converting.progress();
    progress.setTotal(int(work.size()), 0);
    progress.offload([&] { result = convertReplacements(work, progress); });
    if (converting.cancelled())
        result.cancelled = true;
    return result;
}

SwitchOutcome switchWithConversions(Forms& forms, const std::vector<Selection>& selections,
    const std::function<Conversions(const QString& folder)>& offer, QWidget* parent,
    const std::function<QString(const QString&)>& check, const std::map<int, QString>& refused, bool skipUnchanged)
{
    // Converted copies are passing work: made where no set is listed, removed after the run (or
    // at the next start, after a crash).
    QDir().mkpath(forms.folders().work());
    QTemporaryDir inProgramFolder(forms.folders().workTemplate(QStringLiteral("converting")));
    QTemporaryDir inTemp; // when the program folder cannot take the converted copies
    const Conversions conversions = offer(inProgramFolder.isValid() ? inProgramFolder.path() : inTemp.path());
    if (conversions.cancelled)
        return {true, {}};
    LongWork work(parent, Say::tr("Replacing the game files\u2026"));
    return {false, prepareSwitch(forms.record(), selections, conversions, check, refused, skipUnchanged).start(&work.progress())};
}

Conversions offerConversion(const SelectionList& selections, const QString& folder, QWidget* parent)
{
    std::vector<FormatCheck> checks;
    for (int n = 1; n <= selections.count(); ++n)
        checks.push_back(selections.format(n));
    return offerConversion(selections.all(), checks, folder, parent,
        [&](int n) { return Say::tr("Selection %1 (%2)").arg(n).arg(selections.at(n).gameName); });
}

} // namespace sonaplex
