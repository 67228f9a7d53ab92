#pragma once
#include "ui/forms.h"
#include "ui/review_window.h"

#include <QPointer>

#include <vector>

class QLabel;

namespace sonaplex {

struct BackupWindowSetup {
    QString name, title;
    QString headingName, heading; // the bold line at the top
    QString message; // the IMPORTANT paragraph
    std::vector<QString> pathLabels, nameLabels;
    QString backupButton, cancelButton;
};

// A backup window: lists the game files of the review window's selections and copies them
// into the staging folder "BackDir", then asks for the backup set's name.
class BackupWindow : public Form, public TakesSelections {
    Q_OBJECT
public:
    // Shows the game files of the side's selections, empty ones included; "Backup" copies them.
    void fill(SelectionList& selections) override;

protected:
    BackupWindow(Forms& forms, const BackupWindowSetup& setup);

    // "Backup": copies every listed file, names any that failed, then runs the naming dialog;
    // afterwards this window goes.
    void backUp();
    // "Cancel".
    void cancel();
    void reject() override { cancel(); }

private:
    std::vector<QLabel*> paths_, names_;
    QPointer<SelectionList> selections_;
};

} // namespace sonaplex
