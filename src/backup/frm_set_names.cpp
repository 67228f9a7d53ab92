#include "backup/frm_set_names.h"

#include "platform/files.h"
#include "platform/messages.h"
#include "shell/window_parts.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace sonaplex {

namespace {
const QString kTitle = QStringLiteral("Set Name Select");

// What to tell the user when the staging folder could not take the typed name: the name in
// use is the user's to change; anything else is named as what it is.
QString renameProblem(const FileResult& renamed, const QString& staging)
{
    switch (renamed.cause) {
    case FileCause::Exists:
        return QStringLiteral("Please select a set name not already in use");
    case FileCause::NotFound:
        return QStringLiteral("The files to be named are gone: %1 no longer exists. Nothing was saved.").arg(staging);
    case FileCause::ReadOnly:
    case FileCause::NoPermission:
        return QStringLiteral("The set cannot be named because the program folder cannot be changed (%1).")
            .arg(renamed.error);
    case FileCause::NoSpace:
        return QStringLiteral("The set cannot be named because the disk is full (%1).").arg(renamed.error);
    default:
        return QStringLiteral("The set could not be named: %1.").arg(renamed.error);
    }
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
} // namespace

bool settleLeftovers(Forms& forms, const QString& stagingName, const QString& what,
    const std::function<void()>& nameThem, QWidget* parent)
{
    const QString staging = forms.programFolder() + QDir::separator() + stagingName;
    const QString title = QStringLiteral("Unnamed ") + what.left(1).toUpper() + what.mid(1);
    QStringList left = filesIn(staging);
    if (left.isEmpty())
        return true;
    const int shown = 10;
    QString list = QStringList(left.mid(0, shown)).join(QLatin1Char('\n'));
    if (left.size() > shown)
        list += QStringLiteral("\n... and %1 more").arg(left.size() - shown);
    const MessageAnswer answer = showMessage(
        Message{QStringLiteral("%1 still holds %2 file(s) from an earlier %3 that was never named:\n\n%4\n\n"
                               "Name them as a %3 of their own first, or discard them? They will not be mixed "
                               "into this %3.")
                    .arg(stagingName)
                    .arg(left.size())
                    .arg(what, list),
            title, MessageButtons::KeepDiscardCancel},
        parent);
    if (answer == MessageAnswer::Discard) {
        if (const FileResult emptied = emptyFolder(staging); !emptied) {
            showMessage(QStringLiteral("The files left in %1 could not be discarded: %2").arg(stagingName, emptied.error),
                title, parent);
            return false;
        }
        return true;
    }
    if (answer != MessageAnswer::Keep)
        return false;
    nameThem();
    // Named: the staging folder has become the set. Not named (Esc): the files stay where
    // they are and nothing is gathered on top of them.
    return filesIn(staging).isEmpty();
}

SetNameDialog::SetNameDialog(Forms& forms, const SetNameSetup& setup)
    : Form(forms, setup.name, setup.title, 0), name_(new QComboBox(this)), staging_(setup.stagingFolder)
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
    name_->setToolTip(QStringLiteral("Enter a name for your new set. "));
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
        showMessage(QStringLiteral("Please Enter a Set Name"), kTitle, this);
        return;
    }
    // The name becomes one folder in the program folder and replaces nothing there: a name
    // that would lead elsewhere is refused before anything is touched.
    if (const QString problem = nameProblem(typed); !problem.isEmpty()) {
        showMessage(problem + QStringLiteral(" Please choose another name."), kTitle, this);
        return;
    }
    const QString folder = forms().programFolder() + QDir::separator();
    if (const FileResult renamed = renameNoReplace(folder + staging_, folder + typed); !renamed) {
        showMessage(renameProblem(renamed, folder + staging_), kTitle, this);
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
        {QStringLiteral("FrmSetName2"), QStringLiteral("Save Backup Set"), QStringLiteral("Enter Backup Set Name"),
            {QStringLiteral("LblSetInfo"),
                QStringLiteral("Give your backup set the same name as the game you're backing up."),
                QStringLiteral("LblID"),
                QStringLiteral("IMPORTANT: Be sure to include \"Wav\" or \"Midi\" to the end of the set name for easy "
                               "identification."),
                QStringLiteral("Label1"), QStringLiteral("(BlackJackMidi, BlackJackWav, etc.)")},
            QStringLiteral("LblID"), {}, QStringLiteral("CboSetName2"), QStringLiteral("CmdOK3"),
            QStringLiteral("BackDir")})
{
}

void FrmSetName2::confirm()
{
    FrmBackupConfirm& done = forms().load<FrmBackupConfirm>();
    done.setHoldsEverything(holdsEverything_);
    forms().showModal(done);
}

FrmSetName::FrmSetName(Forms& forms)
    : SetNameDialog(forms,
        {QStringLiteral("FrmSetName"), QStringLiteral("Save Set"), QStringLiteral("Enter Set Name"),
            {QStringLiteral("LblSetInfo"),
                QStringLiteral("NOTE: Always include the game name in the name of your set.   (Ex. BlackJack1,  "
                               "BJackcosmoset, BlkJckArnold, etc.)")},
            {}, {}, QStringLiteral("CboSetName"), QStringLiteral("CmdOk3"), QStringLiteral("TempDir")})
{
}

void FrmSetName::confirm() { forms().showModal<FrmSetConfirm>(); }

FrmBackupConfirm::FrmBackupConfirm(Forms& forms)
    : ConfirmationWindow(forms, QStringLiteral("FrmBackupConfirm"), QStringLiteral("Backup Confirmation"),
        QStringLiteral("CmdBackupConfirm")),
      text_(addLine(QStringLiteral("LblBackupConfirm"), QStringLiteral("Successful backup of all selected files.")))
{
}

void FrmBackupConfirm::setHoldsEverything(bool all)
{
    text_->setText(all ? QStringLiteral("Successful backup of all selected files.")
                       : QStringLiteral("The backup set was saved, but not all selected files are in it."));
}

FrmSetConfirm::FrmSetConfirm(Forms& forms)
    : ConfirmationWindow(
        forms, QStringLiteral("FrmSetConfirm"), QStringLiteral("Set Confirmation"), QStringLiteral("CmdSetConfirm"))
{
    addLine(QStringLiteral("LblSetConfirm"), QStringLiteral("Your set has been saved."));
}

} // namespace sonaplex
