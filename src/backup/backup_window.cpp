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

#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

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
    auto* kept = makeLabel(QStringLiteral("LblKeptAnyway"),
        QStringLiteral("Sonaplex also keeps every original it replaces; see Restore."), this);
    kept->setWordWrap(true);

    auto* frame = new QGroupBox(QStringLiteral("Selected Files"), this);
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

    auto* backup = makeButton(
        setup.backupButton, QStringLiteral("Backup"), QStringLiteral("Complete the backup process."), this);
    auto* cancel = makeButton(setup.cancelButton, QStringLiteral("Cancel"), QString(), this);
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
        showMessage(QStringLiteral("No game files are selected, so there is nothing to back up."),
            QStringLiteral("Backup Error"), this);
        cancel();
        return;
    }
    const bool clear = settleLeftovers(
        forms(), ProgramFolder::Staging::Backup, QStringLiteral("backup"), windowName::FrmSetName2, this);
    if (!clear)
        return; // this window stays: the user may try again or cancel
    Gathered gathered;
    {
        LongWork work(this, QStringLiteral("Backing up the game files\u2026"));
        gathered = backup.gather(
            forms().record(), forms().folders().staging(ProgramFolder::Staging::Backup), work.progress());
    }
    if (gathered.cancelled)
        return; // nothing was kept; this window stays for another try
    if (!gathered.noted)
        showMessage(QStringLiteral("The backup set will not remember where its files came from: %1").arg(gathered.noted.error),
            QStringLiteral("Backup Error"), this);
    const Report& run = gathered.run;
    if (!run.ok())
        showMessage(failureReport(QStringLiteral("These files could not be backed up and are not in the backup set:"), run,
                        QStringLiteral("These are in the backup set, but may not survive a crash or a power cut:")),
            QStringLiteral("Backup Error"), this);
    if (!gathered.holdsFiles()) {
        showMessage(QStringLiteral("No file was backed up, so no backup set was saved."), QStringLiteral("Backup Error"), this);
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
