#pragma once
#include "ui/confirmation_window.h"
#include "ui/forms.h"

#include <functional>

class QComboBox;
class QLabel;

namespace sonaplex {

struct SetNameSetup {
    QString name, title;
    QString heading; // "Enter Backup Set Name" / "Enter Set Name"
    QStringList notes; // object name, text pairs of the lines under the heading
    QString redNoteName, redNote;
    QString comboName, okName;
    ProgramFolder::Staging staging;
};

// A naming dialog: turns the staging folder into a set folder of the typed name, refusing
// empty names, names in use and names that would reach outside the program folder.
class SetNameDialog : public Form {
    Q_OBJECT
public:
    void CmdOk3_Click();
    QComboBox* nameBox() const { return name_; }

protected:
    SetNameDialog(Forms& forms, const SetNameSetup& setup);
    // Shows the confirmation once the set exists.
    virtual void confirm() = 0;
    // Esc gives up naming: the dialog goes, the staging folder stays for next time.
    void reject() override;

private:
    QComboBox* name_;
    ProgramFolder::Staging staging_;
};

// Names a backup set (the former "BackDir").
class FrmSetName2 : public SetNameDialog {
    Q_OBJECT
public:
    explicit FrmSetName2(Forms& forms);
    // Whether the backup about to be named holds every file the user selected.
    void setHoldsEverything(bool all) { holdsEverything_ = all; }
    // What the confirmation says of single files (a kept original backed up in place of a
    // replacement, ...).
    void setNotes(const QStringList& notes) { notes_ = notes; }

protected:
    void confirm() override;

private:
    bool holdsEverything_ = true;
    QStringList notes_;
};

// Names a set of replacement files (the former "TempDir").
class FrmSetName : public SetNameDialog {
    Q_OBJECT
public:
    explicit FrmSetName(Forms& forms);

protected:
    void confirm() override;
};

// "Successful backup of all selected files."
class FrmBackupConfirm : public ConfirmationWindow {
    Q_OBJECT
public:
    explicit FrmBackupConfirm(Forms& forms);
    void CmdBackupConfirm_Click() { close_Click(); }
    // The confirmation says "all" only when the backup holds all selected files.
    void setHoldsEverything(bool all);
    // A line under it for each file not backed up as a plain original; none: hidden.
    void setNotes(const QStringList& notes);

private:
    QLabel* text_;
    QLabel* notes_;
};

// "Your set has been saved."
class FrmSetConfirm : public ConfirmationWindow {
    Q_OBJECT
public:
    explicit FrmSetConfirm(Forms& forms);
    void CmdSetConfirm_Click() { close_Click(); }
};

} // namespace sonaplex
