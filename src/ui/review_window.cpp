#include "ui/review_window.h"

#include <QCoreApplication>
#include <QPushButton>

#include "actions/replacement.h"
#include "words/report_words.h"
#include "ui/format_conversion.h"
#include "ui/messages.h"
#include "ui/sample_player.h"
#include "ui/selection_formats.h"
#include "ui/selection_window.h"
#include "ui/window_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReviewWindow)
};
} // namespace

ReviewWindow::ReviewWindow(Forms& forms, const ReviewWindowSetup& setup)
    : Form(forms, setup.name, setup.title, 0), name_(setup.name), replacementCheck_(replacementCheckFor(setup.deviceKind)),
      board_(new ReviewBoard(setup.board,
          forms.selections(setup.name, setup.board.count, true), this)),
      bottom_(new QHBoxLayout)
{
    auto* warning = makeLabel(QStringLiteral("LblSelectionRed"), setup.warning, this);
    warning->setAlignment(Qt::AlignCenter);
    setTextColour(warning, kGameRed);
    if (setup.warningInTimes)
        useTimes(warning, 8.25, false);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(warning);
    outer->addWidget(board_);
    outer->addLayout(bottom_);
    fixSize();
}

bool ReviewWindow::switchFiles()
{
    if (board_->selection(1).replacementName.isEmpty()) {
        showMessage(Say::tr("Please be sure that you have made a valid file selection."),
            Say::tr("File Selection Error"), this);
        return false;
    }
    const std::vector<Selection> selections = board_->selections();
    if (const auto groups = sameGameFiles(selections); !groups.empty()) {
        std::vector<QString> names;
        for (const Selection& s : selections)
            names.push_back(s.gameName);
        const QStringList twice = sameGameFileLines(groups, names);
        showMessage(Say::tr("The same game file is chosen in more than one selection:\n\n%1\n\nA game file can "
                            "be replaced by one file only. Remove the extra selection and press SWITCH "
                            "again. Nothing was replaced.")
                        .arg(twice.join(QLatin1Char('\n'))),
            Say::tr("File Selection Error"), this);
        return false;
    }
    // Replacements in another format than their game files: converted only when the user says so.
    FormatChecker::settle(board_->model(), this);
    std::vector<FormatCheck> checks;
    for (int n = 1; n <= board_->model().count(); ++n)
        checks.push_back(board_->model().format(n));
    SwitchSession session = SwitchSession::ofSelections(forms().record(), selections, checks, replacementCheck_,
        forms().folders().workTemplate(QStringLiteral("converting")));
    const SwitchOutcome switched = switchInWindow(session, this);
    if (switched.cancelled)
        return false;
    const Report& run = switched.run;
    if (!run.recordNotice.isEmpty())
        showMessage(recordProblemWords(run.recordNotice), Say::tr("Record of Replacements"), this);
    if (!run.ok()) {
        showMessage(
            failureReport(run.done() > 0 ? Say::tr("Not every game file was replaced. These were left as they were:")
                                         : Say::tr("No game file was replaced:"),
                run),
            Say::tr("Replacement Error"), this);
        return false;
    }
    return true;
}

void ReviewWindow::showBackup(const QString& backupWindow)
{
    Form& backup = forms().load(backupWindow);
    if (auto* taker = dynamic_cast<TakesSelections*>(&backup))
        taker->fill(board_->model());
    forms().showModal(backup);
}

void ReviewWindow::formUnload() { forms().discardSelections(name_); }

void ReviewWindow::backTo(SelectionWindow& selectionWindow)
{
    selectionWindow.gamePane()->player()->reopen();
    forms().hide(*this);
    forms().unload(*this);
    forms().showModeless(selectionWindow);
}

void ReviewWindow::reject()
{
    if (close_)
        close_->click();
    else
        Form::reject();
}

} // namespace sonaplex
