#include "ui/review_board.h"

#include "ui/window_parts.h"

#include "audio/analysis.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ReviewBoard)
};

QLabel* nameLabel(const QString& objectName, const QColor& colour, QWidget* parent)
{
    auto* l = new NameLabel(parent);
    l->setObjectName(objectName);
    l->setAlignment(Qt::AlignCenter);
    l->setTextFormat(Qt::PlainText);
    l->setMinimumWidth(150);
    setTextColour(l, colour);
    return l;
}

QGroupBox* frame(const QString& objectName, const QString& caption, const QString& tip, bool times, QWidget* parent)
{
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(objectName);
    f->setToolTip(tip);
    if (times)
        useTimes(f, 9, true);
    return f;
}
} // namespace

ReviewBoard::ReviewBoard(const ReviewBoardSetup& setup, SelectionList& selections, QWidget* parent)
    : QWidget(parent), model_(&selections)
{
    const QColor red = kGameRed, blue = kReplacementBlue;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int n = 1; n <= setup.count; ++n) {
        const QString gameTip = Say::tr("Indicate's Selection %1 game or program file.").arg(n);
        const QString replaceTip = Say::tr("Indicate's Selection %1 replacement file.").arg(n);

        auto* gameFrame
            = frame(setup.gameFrameName(n), Say::tr("Selection %1").arg(n), gameTip, setup.framesInTimes, this);
        Row row;
        row.gameName = nameLabel(setup.gameNameLabel(n), red, gameFrame);
        row.gamePath = nameLabel(setup.gamePathLabel(n), red, gameFrame);
        if (setup.gameNameHasTip(n))
            row.gameName->setToolTip(gameTip);
        auto* replaceFrame
            = frame(setup.replaceFrameName(n), Say::tr("Replace with:"), replaceTip, setup.framesInTimes, this);
        row.replacementName = nameLabel(setup.replaceNameLabel(n), blue, replaceFrame);
        row.replacementName->setToolTip(replaceTip);
        row.replacementPath = nameLabel(setup.replacePathLabel(n), blue, replaceFrame);

        // The shown name and its hidden path lie on top of each other in the frame.
        for (auto [f, shown, hidden] : {std::tuple{gameFrame, row.gameName, row.gamePath},
                 std::tuple{replaceFrame, row.replacementName, row.replacementPath}}) {
            auto* stack = new QStackedLayout(f);
            stack->setContentsMargins(4, 2, 4, 2);
            stack->addWidget(shown);
            stack->addWidget(hidden);
            stack->setCurrentWidget(shown);
            usePlainFont(shown);
            hidden->hide();
        }

        auto* remove = new QPushButton(Say::tr("Remove"), this);
        remove->setObjectName(setup.removeButtonName(n));
        remove->setToolTip(Say::tr("Clear Selection %1 choices.").arg(n));
        remove->setAutoDefault(false);
        connect(remove, &QPushButton::clicked, this, [this, n] { removeSelection(n); });

        // Under the row, what differs between the two files' formats, when something does.
        row.formatNote = new QLabel(this);
        row.formatNote->setObjectName(QStringLiteral("LblFormatNote%1").arg(n));
        row.formatNote->setTextFormat(Qt::PlainText);
        row.formatNote->setWordWrap(true);
        setTextColour(row.formatNote, QColor(0xa0, 0x40, 0));
        row.formatNote->hide();

        grid->addWidget(gameFrame, 2 * (n - 1), 0);
        grid->addWidget(remove, 2 * (n - 1), 1, Qt::AlignVCenter);
        grid->addWidget(replaceFrame, 2 * (n - 1), 2);
        grid->addWidget(row.formatNote, 2 * (n - 1) + 1, 0, 1, 3);
        rows_.push_back(row);
    }
    connect(model_, &SelectionList::changed, this, &ReviewBoard::show);
    for (int n = 1; n <= setup.count; ++n)
        show(n);
}

void ReviewBoard::show(int n)
{
    const Selection& s = model_->at(n);
    Row& r = rows_[size_t(n - 1)];
    r.gamePath->setText(s.gamePath);
    r.gameName->setText(s.gameName);
    r.replacementPath->setText(s.replacementPath);
    r.replacementName->setText(s.replacementName);

    const FormatCheck& check = model_->format(n);
    const QString difference = audio::formatDifference(check);
    QStringList notes;
    if (!difference.isEmpty())
        notes << Say::tr("Format differs \u2014 %1").arg(difference);
    if (check.loopMissing)
        notes << Say::tr("The game loops this sound by tags in its file and the replacement has none: the game "
                         "may loop it at the wrong place. SWITCH offers to loop the whole replacement.");
    r.formatNote->setText(notes.join(QLatin1Char('\n')));
    r.formatNote->setToolTip(QStringLiteral(
        "A game may play a sound in another format wrongly or not at all; SWITCH offers to convert it."));
    r.formatNote->setVisible(!notes.isEmpty());
}

} // namespace sonaplex
