#pragma once
#include "record/replacement_record.h"
#include "ui/forms.h"
#include "ui/window_requests.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeView;

namespace sonaplex {

class ReplacedFilesModel;

// Every game file Sonaplex replaced, grouped by game folder, with what replaced it, when, and
// what it holds now; and the ways back: restore files or a whole folder to their originals,
// undo the last SWITCH, forget entries.
class FrmRestore : public Form, public ShowsFolder {
    Q_OBJECT
public:
    explicit FrmRestore(Forms& forms);

    void CmdRestoreSelected_Click();
    void CmdRestoreFolder_Click();
    void CmdUndoLastSwitch_Click();
    void CmdForget_Click();
    // Forgets the files that hold their originals again, and lets go of what was kept only for them.
    void CmdFreeSpace_Click();
    void CmdReplaceAgain_Click();
    void CmdRestoreSet_Click();
    void CmdCloseRestore_Click();
    // Selects the folders of the list under `folder` (a game's), opened, the first in view.
    void showFolder(const QString& folder) override;

protected:
    void formLoad() override { refresh(); }
    void reject() override { CmdCloseRestore_Click(); }

private:
    void refresh();
    // Forgets these game files, or says why nothing was; then lists the record again.
    void forget(const QStringList& paths);
    std::vector<ReplacedFile> selectedFiles() const;
    // What a run did: its failures (what was not `verb`, "put back" when none is given, or
    // "replaced again"), or `done`.
    void report(const struct Report& run, const QString& done, const QString& verb = {});
    bool confirm(const QString& question);

    QTreeView* list_;
    ReplacedFilesModel* model_;
    QLabel* summary_;
    QLabel* kept_; // what the kept originals and copies take
    QComboBox* sets_;
    std::vector<QPushButton*> actions_;
};

} // namespace sonaplex
