#include "backup/backup_window.h"
#include "ui/window_names.h"

#include "backup/frm_set_names.h"
#include "actions/backup_sets.h"
#include "base/files.h"
#include "ui/long_work.h"
#include "ui/messages.h"
#include "ui/staging.h"
#include "ui/window_parts.h"
#include "words/report_words.h"

#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(BackupWindow)
};
} // namespace

BackupWindow::BackupWindow(Forms& forms, const BackupWindowSetup& setup)
    : Form(forms, setup.name, setup.title, CloseBox)
{
    auto* heading = makeLabel(setup.headingName, setup.heading, this);
    setBold(heading);
    heading->setAlignment(Qt::AlignCenter);
    auto* message = makeLabel(QStringLiteral("LblMessage"), setup.message, this);
    message->setWordWrap(true);
    message->setMinimumWidth(420);
    // The kept originals make the paragraph above less final than it sounds.
    auto* kept = makeLabel(
        QStringLiteral("LblKeptAnyway"), Say::tr("Sonaplex also keeps every original it replaces; see Restore."), this);
    kept->setWordWrap(true);

    auto* frame = new QGroupBox(Say::tr("Selected Files"), this);
    frame->setObjectName(QStringLiteral("FramSelectedFiles"));
    setBold(frame);
    auto* list = new QVBoxLayout(frame);
    for (size_t i = 0; i < setup.pathLabels.size(); ++i) {
        auto* path = makeLabel(setup.pathLabels[i], QString(), frame);
        usePlainFont(path);
        path->setAlignment(Qt::AlignCenter);
        path->setMinimumHeight(path->fontMetrics().height());
        setTextColour(path, kGameRed);
        auto* name = makeLabel(setup.nameLabels[i], QString(), frame);
        name->hide(); // only carries the name the copy is stored under
        list->addWidget(path);
        paths_.push_back(path);
        names_.push_back(name);
    }

    auto* backup = makeButton(setup.backupButton, Say::tr("Backup"), Say::tr("Complete the backup process."), this);
    auto* cancel = makeButton(setup.cancelButton, Say::tr("Cancel"), QString(), this);
    connect(backup, &QPushButton::clicked, this, &BackupWindow::backUp);
    connect(cancel, &QPushButton::clicked, this, &BackupWindow::cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backup);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(message);
    layout->addWidget(kept);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    fixSize();
}

void BackupWindow::fill(SelectionList& selections)
{
    selections_ = &selections;
    for (size_t i = 0; i < paths_.size(); ++i) {
        const Selection s = int(i) < selections.count() ? selections.at(int(i) + 1) : Selection{};
        paths_[i]->setText(s.gamePath);
        names_[i]->setText(s.gameName);
    }
}

void BackupWindow::backUp()
{
    std::vector<Selection> listed;
    if (selections_) // the window shows no more than its rows
        for (int n = 1; n <= std::min(int(paths_.size()), selections_->count()); ++n)
            listed.push_back(selections_->at(n));
    const BackupGathering backup(listed);
    if (backup.empty()) {
        showMessage(
            Say::tr("No game files are selected, so there is nothing to back up."), Say::tr("Backup Error"), this);
        cancel();
        return;
    }
    const bool clear = settleLeftovers(
        forms(), ProgramFolder::Staging::Backup, QStringLiteral("backup"), windowName::FrmSetName2, this);
    if (!clear)
        return; // this window stays: the user may try again or cancel
    Gathered gathered;
    {
        LongWork work(this, Say::tr("Backing up the game files\u2026"));
        gathered = backup.gather(
            forms().record(), forms().folders().staging(ProgramFolder::Staging::Backup), work.progress());
    }
    if (gathered.cancelled)
        return; // nothing was kept; this window stays for another try
    if (!gathered.noted)
        showMessage(Say::tr("The backup set will not remember where its files came from: %1").arg(gathered.noted.error),
            Say::tr("Backup Error"), this);
    const Report& run = gathered.run;
    if (!run.ok())
        showMessage(failureReport(Say::tr("These files could not be backed up and are not in the backup set:"), run,
                        Say::tr("These are in the backup set, but may not survive a crash or a power cut:")),
            Say::tr("Backup Error"), this);
    if (!gathered.holdsFiles()) {
        showMessage(Say::tr("No file was backed up, so no backup set was saved."), Say::tr("Backup Error"), this);
        return; // this window stays: the user may try again or cancel
    }

    FrmSetName2& naming = forms().load<FrmSetName2>();
    naming.setHoldsEverything(failureLines(run).isEmpty()); // every file is in it, durable or not yet
    naming.setNotes(gathered.notes);
    forms().showModal(naming);
    forms().hide(*this);
    forms().unload(*this);
}

void BackupWindow::cancel()
{
    forms().hide(*this);
    forms().unload(*this);
}

} // namespace sonaplex
