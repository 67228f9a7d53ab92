#include "backup/frm_set_names.h"
#include "ui/window_names.h"

#include "base/files.h"
#include "ui/messages.h"
#include "ui/window_parts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmSetNames)
};

QString kTitle() { return Say::tr("Set Name Select"); }

// What to tell the user when the staging folder could not take the typed name: the name in
// use is the user's to change; anything else is named as what it is.
QString renameProblem(const FileResult& renamed, const QString& staging)
{
    switch (renamed.cause) {
    case FileCause::Exists:
        return Say::tr("Please select a set name not already in use");
    case FileCause::NotFound:
        return Say::tr("The files to be named are gone: %1 no longer exists. Nothing was saved.").arg(staging);
    case FileCause::ReadOnly:
    case FileCause::NoPermission:
        return Say::tr("The set cannot be named because the program folder cannot be changed (%1).").arg(renamed.error);
    case FileCause::NoSpace:
        return Say::tr("The set cannot be named because the disk is full (%1).").arg(renamed.error);
    default:
        return Say::tr("The set could not be named: %1.").arg(renamed.error);
    }
}

} // namespace

SetNameDialog::SetNameDialog(Forms& forms, const SetNameSetup& setup)
    : Form(forms, setup.name, setup.title, 0), name_(new QComboBox(this)), staging_(setup.staging)
{
    auto* layout = new QVBoxLayout(this);
    auto* heading = makeLabel(QStringLiteral("LblSaveSet"), setup.heading, this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    heading->setFont(big);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    for (int i = 0; i + 1 < setup.notes.size(); i += 2) {
        auto* note = makeLabel(setup.notes[i], setup.notes[i + 1], this);
        note->setWordWrap(true);
        layout->addWidget(note);
        if (setup.notes[i] == setup.redNoteName)
            setTextColour(note, kGameRed);
    }
    name_->setObjectName(setup.comboName);
    name_->setEditable(true);
    name_->setInsertPolicy(QComboBox::NoInsert);
    name_->setToolTip(Say::tr("Enter a name for your new set. "));
    name_->setMinimumWidth(320);
    layout->addWidget(name_);
    auto* ok = makeButton(setup.okName, QStringLiteral("OK"), QString(), this);
    ok->setDefault(true);
    layout->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &SetNameDialog::CmdOk3_Click);
    fixSize();
}

void SetNameDialog::CmdOk3_Click()
{
    const QString typed = name_->currentText();
    if (typed.isEmpty()) {
        showMessage(Say::tr("Please Enter a Set Name"), kTitle(), this);
        return;
    }
    // The name becomes one folder in the program folder and replaces nothing there: a name
    // that would lead elsewhere is refused before anything is touched.
    if (const QString problem = nameProblem(typed); !problem.isEmpty()) {
        showMessage(problem + Say::tr(" Please choose another name."), kTitle(), this);
        return;
    }
    const ProgramFolder folders = forms().folders();
    const QString staging = folders.staging(staging_);
    if (const FileResult renamed = renameNoReplace(staging, folders.set(typed)); !renamed) {
        showMessage(renameProblem(renamed, staging), kTitle(), this);
        return;
    }
    name_->clear();
    name_->clearEditText();
    forms().hide(*this);
    confirm();
}

void SetNameDialog::reject() { forms().unload(*this); }

FrmSetName2::FrmSetName2(Forms& forms)
    : SetNameDialog(forms,
        {windowName::FrmSetName2, Say::tr("Save Backup Set"), Say::tr("Enter Backup Set Name"),
            {QStringLiteral("LblSetInfo"), Say::tr("Give your backup set the same name as the game you're backing up."),
                QStringLiteral("LblID"),
                Say::tr("IMPORTANT: Be sure to include \"Wav\" or \"Midi\" to the end of the set name for easy "
                        "identification."),
                QStringLiteral("Label1"), Say::tr("(BlackJackMidi, BlackJackWav, etc.)")},
            QStringLiteral("LblID"), {}, QStringLiteral("CboSetName2"), QStringLiteral("CmdOK3"),
            ProgramFolder::Staging::Backup})
{
}

void FrmSetName2::confirm()
{
    FrmBackupConfirm& done = forms().load<FrmBackupConfirm>();
    done.setHoldsEverything(holdsEverything_);
    done.setNotes(notes_);
    holdsEverything_ = true; // until a backup says otherwise
    notes_.clear();
    forms().showModal(done);
}

FrmSetName::FrmSetName(Forms& forms)
    : SetNameDialog(forms,
        {windowName::FrmSetName, Say::tr("Save Set"), Say::tr("Enter Set Name"),
            {QStringLiteral("LblSetInfo"),
                Say::tr("NOTE: Always include the game name in the name of your set.   (Ex. BlackJack1,  "
                        "BJackcosmoset, BlkJckArnold, etc.)")},
            {}, {}, QStringLiteral("CboSetName"), QStringLiteral("CmdOk3"), ProgramFolder::Staging::Set})
{
}

void FrmSetName::confirm() { forms().showModal<FrmSetConfirm>(); }

FrmBackupConfirm::FrmBackupConfirm(Forms& forms)
    : ConfirmationWindow(
        forms, windowName::FrmBackupConfirm, Say::tr("Backup Confirmation"), QStringLiteral("CmdBackupConfirm")),
      text_(addLine(QStringLiteral("LblBackupConfirm"), Say::tr("Successful backup of all selected files."))),
      notes_(addLine(QStringLiteral("LblBackupNotes"), QString()))
{
    notes_->setWordWrap(true);
    notes_->hide();
}

void FrmBackupConfirm::setNotes(const QStringList& notes)
{
    notes_->setText(notes.join(QLatin1Char('\n')));
    notes_->setVisible(!notes.isEmpty());
}

void FrmBackupConfirm::setHoldsEverything(bool all)
{
    text_->setText(all ? Say::tr("Successful backup of all selected files.")
                       : Say::tr("The backup set was saved, but not all selected files are in it."));
}

FrmSetConfirm::FrmSetConfirm(Forms& forms)
    : ConfirmationWindow(forms, windowName::FrmSetConfirm, Say::tr("Set Confirmation"), QStringLiteral("CmdSetConfirm"))
{
    addLine(QStringLiteral("LblSetConfirm"), Say::tr("Your set has been saved."));
}

} // namespace sonaplex
