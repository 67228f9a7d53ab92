#include "ui/format_conversion.h"

#include "audio/analysis.h"
#include "ui/long_work.h"
#include "ui/messages.h"

#include <QCoreApplication>

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

std::optional<ConversionChoice> askConversion(const SwitchSession& session, QWidget* parent)
{
    QStringList unlooped;
    std::vector<MessageRow> rows;
    std::vector<int> rowKeys;
    for (const SwitchItem& item : session.items()) {
        if (session.refused().count(item.key))
            continue;
        if (item.format.state == FormatCheck::State::Differs) {
            rows.push_back({item.label + QStringLiteral(": ") + audio::formatDifference(item.format), true,
                conversionNeed(item.format) == ConversionNeed::Required});
            rowKeys.push_back(item.key);
        }
        if (item.format.loopMissing)
            unlooped << item.label;
    }
    ConversionChoice choice;
    if (!rows.empty() && !askFormats(rows, session.mustConvert(), choice.all, choice.matchLoudness, parent))
        return std::nullopt;
    // A row left unticked is copied as it is.
    for (size_t r = 0; r < rows.size(); ++r)
        if (!rows[r].ticked)
            choice.asIs.insert(rowKeys[r]);
    if (!unlooped.isEmpty()) {
        const MessageAnswer loop = showMessage(
            Message{Say::tr("The game loops these sounds by tags in their files, and their replacements have "
                            "none, so the game may loop them at the wrong place:\n\n%1\n\nLoop the whole of "
                            "each replacement?")
                        .arg(unlooped.join(QLatin1Char('\n'))),
                Say::tr("Loop Points"), MessageButtons::LoopLeaveCancel},
            parent);
        if (loop == MessageAnswer::Cancel)
            return std::nullopt;
        choice.loopWhole = loop == MessageAnswer::LoopWhole;
    }
    return choice;
}

SwitchOutcome switchInWindow(SwitchSession& session, QWidget* parent, bool skipUnchanged)
{
    const std::optional<ConversionChoice> choice = askConversion(session, parent);
    if (!choice)
        return {true, {}};
    if (!session.toConvert(*choice).empty()) {
        LongWork converting(parent, Say::tr("Converting the replacements\u2026"));
        if (!session.convert(*choice, converting.progress()))
            return {true, {}};
    }
    LongWork work(parent, Say::tr("Replacing the game files\u2026"));
    return {false, session.prepare(skipUnchanged).start(&work.progress())};
}

} // namespace sonaplex
