#include "restore/frm_restore.h"
#include "ui/window_names.h"

#include "restore/replaced_files_model.h"

#include "actions/backup_sets.h"
#include "actions/replacement.h"
#include "words/report_words.h"
#include "ui/installed_games.h"
#include "ui/long_work.h"
#include "ui/messages.h"
#include "ui/window_parts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(FrmRestore)
};

QString kTitle() { return Say::tr("Restore"); }
// Opening every folder of a longer list would hold the window while the list lays out each row.
constexpr size_t kOpenFolderLimit = 5000;
} // namespace

FrmRestore::FrmRestore(Forms& forms)
    : Form(forms, windowName::FrmRestore, Say::tr("Sonaplex/Restore Game Files"), CloseBox), list_(new QTreeView(this)),
      model_(new ReplacedFilesModel(this)), summary_(new QLabel(this)), sets_(new QComboBox(this))
{
    helpOn(QString(windowName::FrmRestoreHelp)); // F1
    sets_->setObjectName(QStringLiteral("CboBackupSets"));
    sets_->setToolTip(Say::tr("The backup sets and sets in the program folder."));
    sets_->setAccessibleName(Say::tr("Backup sets"));
    sets_->setMinimumWidth(240);
    auto* heading = makeLabel(QStringLiteral("LblRestoreHeading"),
        Say::tr("Game files replaced by Sonaplex. Their originals are kept, so any of them can be put back."), this);
    heading->setWordWrap(true);
    list_->setObjectName(QStringLiteral("LstReplaced"));
    list_->setAccessibleName(Say::tr("Replaced game files"));
    list_->setModel(model_);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column : {1, 2, 3}) // "When" and the others whole, never cut
        list_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    list_->setMinimumSize(640, 280);
    summary_->setObjectName(QStringLiteral("LblRestoreSummary"));

    const struct {
        const char* name;
        const char* caption;
        const char* tip;
        void (FrmRestore::*handler)();
    } buttons[] = {
        {"CmdRestoreSelected", QT_TRANSLATE_NOOP("FrmRestore", "&Restore Selected"),
            QT_TRANSLATE_NOOP("FrmRestore", "Put the selected game files back as they were originally."),
            &FrmRestore::CmdRestoreSelected_Click},
        {"CmdRestoreFolder", QT_TRANSLATE_NOOP("FrmRestore", "Restore &Folder"),
            QT_TRANSLATE_NOOP("FrmRestore", "Put every replaced file of the selected game folder back."),
            &FrmRestore::CmdRestoreFolder_Click},
        {"CmdReplaceAgain", QT_TRANSLATE_NOOP("FrmRestore", "Replace &Again"),
            QT_TRANSLATE_NOOP("FrmRestore",
                "Put back what Sonaplex put over the selected files (all of them, when none is selected) that a game "
                "update changed since."),
            &FrmRestore::CmdReplaceAgain_Click},
        {"CmdUndoLastSwitch", QT_TRANSLATE_NOOP("FrmRestore", "&Undo Last SWITCH"),
            QT_TRANSLATE_NOOP("FrmRestore", "Put back exactly what the last SWITCH (or restore) overwrote."),
            &FrmRestore::CmdUndoLastSwitch_Click},
        {"CmdForget", QT_TRANSLATE_NOOP("FrmRestore", "For&get"),
            QT_TRANSLATE_NOOP("FrmRestore", "Forget the selected files: their kept originals are deleted."),
            &FrmRestore::CmdForget_Click},
        {"CmdFreeSpace", QT_TRANSLATE_NOOP("FrmRestore", "Free S&pace..."),
            QT_TRANSLATE_NOOP("FrmRestore",
                "Forget the files that hold their originals again, and delete what Sonaplex kept only for them."),
            &FrmRestore::CmdFreeSpace_Click},
    };
    auto* row = new QHBoxLayout;
    for (const auto& b : buttons) {
        auto* button = makeButton(QLatin1String(b.name), Say::tr(b.caption), Say::tr(b.tip), this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.handler);
        row->addWidget(button);
        if (b.handler != &FrmRestore::CmdCloseRestore_Click)
            actions_.push_back(button);
    }
    auto* restoreSet = makeButton(QStringLiteral("CmdRestoreSet"), Say::tr("Restore &Set"),
        Say::tr("Put every file of the chosen backup set back where it came from."), this);
    connect(restoreSet, &QPushButton::clicked, this, &FrmRestore::CmdRestoreSet_Click);
    actions_.push_back(restoreSet);
    auto* close = makeButton(
        QStringLiteral("CmdCloseRestore"), Say::tr("Close"), Say::tr("Return to the previous window."), this);
    connect(close, &QPushButton::clicked, this, &FrmRestore::CmdCloseRestore_Click);
    auto* setRow = new QHBoxLayout;
    setRow->addWidget(makeLabel(QStringLiteral("LblBackupSets"), Say::tr("Backup set:"), this));
    setRow->addWidget(sets_, 1);
    setRow->addWidget(restoreSet);
    row->addStretch(1);
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    layout->addWidget(summary_);
    kept_ = makeLabel(QStringLiteral("LblKeptSpace"), QString(), this);
    layout->addWidget(kept_);
    layout->addLayout(row);
    layout->addLayout(setRow);
}

void FrmRestore::refresh()
{
    // Every set folder of the program folder; those made by a backup know where their files go.
    const QString current = sets_->currentText();
    sets_->clear();
    const ProgramFolder layout = forms().folders();
    // Backup sets (they say what they are) first; then folders without that note, which may be
    // older backup sets (or sets of replacements: restoring one shows every file first).
    QStringList older;
    for (const QString& name : layout.setNames()) {
        if (isReplacementSet(layout.set(name)))
            continue; // sets of replacements are not backups of game files
        if (hasManifest(layout.set(name)))
            sets_->addItem(name);
        else
            older << name;
    }
    sets_->addItems(older);
    if (!current.isEmpty())
        sets_->setCurrentText(current);
    model_->reset({}, {});
    kept_->clear();
    ReplacementRecord* record = forms().record();
    for (QPushButton* b : actions_)
        b->setEnabled(record && record->isOpen());
    if (!record || !record->isOpen()) {
        summary_->setText(
            record ? recordProblemWords(record->problem()) : Say::tr("No record of replacements is kept."));
        return;
    }
    std::vector<ReplacedFile> files;
    std::vector<ReplacedFilesModel::Folder> folders;
    FileResult read;
    qint64 kept = 0;
    {
        LongWork work(this, Say::tr("Reading the game files Sonaplex replaced\u2026"));
        files = record->replacedFiles(&work.progress(), &read);
        // Arranged off this thread too; the list then asks only for the rows it shows.
        work.progress().offload([&] {
            folders = ReplacedFilesModel::arrange(files);
            kept = record->store().bytes();
        });
    }
    if (!read) { // never "nothing has been replaced" for a record that could not be read
        summary_->setText(Say::tr("The list cannot be shown: %1.").arg(read.error));
        return;
    }
    const int folderCount = int(folders.size());
    model_->reset(std::move(files), std::move(folders));
    for (int row = 0; row < folderCount; ++row)
        list_->setFirstColumnSpanned(row, {}, true);
    // Folders open, unless the list is too long to read file by file: then it opens by folder.
    if (model_->files().size() <= kOpenFolderLimit)
        list_->expandAll();
    // Files back to their originals are listed (they can be replaced again by undo) but not counted.
    const std::vector<ReplacedFile>& listed = model_->files();
    const auto replaced
        = std::count_if(listed.begin(), listed.end(), [](const ReplacedFile& f) { return f.state != GameFileState::Original; });
    QSet<QString> holding; // the folders of the files counted: a folder of restored files only is not
    for (const ReplacedFile& f : listed)
        if (f.state != GameFileState::Original)
            holding.insert(QFileInfo(f.gamePath).absolutePath());
    const auto notRead
        = std::count_if(listed.begin(), listed.end(), [](const ReplacedFile& f) { return f.state == GameFileState::NotRead; });
    summary_->setText(listed.empty()
            ? Say::tr("No game file has been replaced yet.")
            : Say::tr("%n replaced game file(s) in %1 folder(s).", nullptr, int(replaced)).arg(holding.size())
                + (listed.size() > kOpenFolderLimit ? Say::tr(" Open a folder to see its files.") : QString())
                + (notRead > 0 ? Say::tr(" %1 of them were not read (the reading was cancelled).").arg(notRead)
                               : QString()));
    kept_->setText(Say::tr("The originals and copies Sonaplex keeps take %1.").arg(QLocale().formattedDataSize(kept)));
}

std::vector<ReplacedFile> FrmRestore::selectedFiles() const
{
    std::vector<ReplacedFile> chosen;
    QSet<const ReplacedFile*> seen;
    auto take = [&](const QModelIndex& index) {
        const ReplacedFile* f = model_->fileAt(index);
        if (f && !seen.contains(f)) {
            seen.insert(f);
            chosen.push_back(*f);
        }
    };
    for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
        take(index);
        for (int c = 0; c < model_->rowCount(index); ++c) // a folder row stands for its files
            take(model_->index(c, 0, index));
    }
    return chosen;
}

bool FrmRestore::confirm(const QString& question)
{
    return showMessage(Message{question, kTitle(), MessageButtons::OkCancel}, this) == MessageAnswer::Ok;
}

void FrmRestore::report(const Report& run, const QString& done, const QString& verb)
{
    showRunReport(run, done, verb.isEmpty() ? Say::tr("put back") : verb, kTitle(), Say::tr("Restore Error"), this);
    refresh();
    // What the update notice counts may have changed: it follows at once.
    if (run.done() > 0)
        forms().games().refresh();
}

void FrmRestore::CmdRestoreSelected_Click()
{
    std::vector<ReplacedFile> files = selectedFiles();
    if (files.empty()) {
        showMessage(Say::tr("Select the game files (or a folder) to restore first."), kTitle(), this);
        return;
    }
    QStringList changed;
    for (const ReplacedFile& f : files)
        if (f.state == GameFileState::ChangedSince)
            changed << f.gamePath;
    if (!changed.isEmpty()) {
        if (!confirm(Say::tr("These files were changed since Sonaplex replaced them (by a game update or another "
                             "tool):\n\n%1\n\nRestore them anyway? What they hold now is kept too, so this "
                             "can be undone.")
                         .arg(changed.join(QLatin1Char('\n')))))
            return;
    }
    std::erase_if(files, [](const ReplacedFile& f) { return f.state == GameFileState::Original; });
    // A game folder moved or renamed since: its originals go into a folder the user picks, under
    // the same names (recorded there like any restore), or stay kept.
    QHash<QString, QString> movedTo;
    for (ReplacedFile& f : files) {
        const QString folder = QFileInfo(f.gamePath).absolutePath();
        if (QFileInfo(folder).isDir())
            continue;
        if (!movedTo.contains(folder))
            movedTo[folder] = chooseFolder(Say::tr("The game folder %1 is no longer there (moved or renamed?). "
                                                   "Put its originals into which folder?")
                                               .arg(QDir::toNativeSeparators(folder)),
                QFileInfo(folder).absolutePath(), this);
        if (!movedTo[folder].isEmpty())
            f.gamePath = movedTo[folder] + QLatin1Char('/') + QFileInfo(f.gamePath).fileName();
    }
    std::erase_if(files, [](const ReplacedFile& f) { return !QFileInfo(QFileInfo(f.gamePath).absolutePath()).isDir(); });
    if (files.empty() && !movedTo.isEmpty())
        return; // the user chose no folder for them
    if (files.empty()) {
        showMessage(Say::tr("The selected game files already hold their originals."), kTitle(), this);
        return;
    }
    LongWork work(this, Say::tr("Putting the originals back\u2026"));
    const Report run = restoreOriginals(*forms().record(), files, &work.progress());
    report(run, restoredWords(run.done()));
}

void FrmRestore::CmdRestoreFolder_Click()
{
    const QModelIndex item = list_->currentIndex();
    if (!item.isValid()) {
        showMessage(Say::tr("Select a game folder (or a file in it) to restore first."), kTitle(), this);
        return;
    }
    list_->selectionModel()->select(
        model_->folderOf(item), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CmdRestoreSelected_Click();
}

void FrmRestore::CmdReplaceAgain_Click()
{
    std::vector<ReplacedFile> files = selectedFiles();
    if (files.empty())
        files = model_->files();
    std::erase_if(files, [](const ReplacedFile& f) { return !undoneSince(f); });
    if (files.empty()) {
        showMessage(Say::tr("No game file here was changed since Sonaplex replaced it: there is nothing to "
                            "replace again."),
            kTitle(), this);
        return;
    }
    LongWork work(this, Say::tr("Replacing again\u2026"));
    const Report run = prepareReplaceAgain(*forms().record(), files, &work.progress()).start(&work.progress());
    report(run, replacedAgainWords(run.done()), Say::tr("replaced again"));
}

void FrmRestore::showFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    QItemSelection chosen;
    QModelIndex first;
    for (int row = 0; row < model_->rowCount(); ++row) {
        const QModelIndex index = model_->index(row, 0);
        const QString path = QDir::fromNativeSeparators(index.data().toString());
        if (path != clean && !path.startsWith(clean + QLatin1Char('/')))
            continue;
        chosen.select(index, model_->index(row, model_->columnCount() - 1));
        list_->expand(index);
        if (!first.isValid())
            first = index;
    }
    if (!first.isValid())
        return;
    list_->selectionModel()->select(chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // The current row moves without selecting: the view's own setCurrentIndex would keep only it.
    list_->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    list_->scrollTo(first, QAbstractItemView::PositionAtTop);
}

void FrmRestore::CmdUndoLastSwitch_Click()
{
    RunKind undone = RunKind::Switch;
    const PreparedRun undoing = prepareUndo(*forms().record(), &undone);
    if (undoing.nothingToDo()) {
        showMessage(nothingToUndoWords(), kTitle(), this);
        return;
    }
    // A restore (of originals or of a backup set) is undone like a SWITCH, and called what it was.
    LongWork work(this, Say::tr("Undoing the last %1\u2026").arg(undoneRunName(undone)));
    const Report run = undoing.start(&work.progress());
    report(run, undoneWords(undone, run.done()));
}

void FrmRestore::forget(const QStringList& paths)
{
    if (const FileResult forgot = forms().record()->forget(paths); !forgot)
        showMessage(Say::tr("Nothing was forgotten, and every kept original is still kept: %1").arg(forgot.error),
            kTitle(), this);
    refresh();
}

void FrmRestore::CmdForget_Click()
{
    const std::vector<ReplacedFile> files = selectedFiles();
    if (files.empty()) {
        showMessage(Say::tr("Select the game files (or a folder) to forget first."), kTitle(), this);
        return;
    }
    QStringList paths;
    for (const ReplacedFile& f : files)
        paths << f.gamePath;
    if (!confirm(Say::tr("Forget %n game file(s)? Their kept originals are deleted, and they can no longer be "
                         "restored from here.",
            nullptr, int(paths.size()))))
        return;
    forget(paths);
}

void FrmRestore::CmdFreeSpace_Click()
{
    ReplacementRecord* record = forms().record();
    if (!record || !record->isOpen())
        return;
    QStringList back;
    for (const ReplacedFile& f : model_->files())
        if (f.state == GameFileState::Original)
            back << f.gamePath;
    const qint64 freed = record->store().bytesOf(record->neededOnlyBy(back));
    if (back.isEmpty() || freed == 0) {
        showMessage(Say::tr("Every file Sonaplex keeps is still needed by a replaced game file: nothing can be "
                            "freed. (Restore files first, then free what was kept for them.)"),
            kTitle(), this);
        return;
    }
    if (!confirm(Say::tr("%n game file(s) hold their originals again. Forget them, and delete what Sonaplex "
                         "kept only for them? This frees %1. Undo can then no longer put their replacements back.",
            nullptr, int(back.size()))
                     .arg(QLocale().formattedDataSize(freed))))
        return;
    forget(back);
}

void FrmRestore::CmdRestoreSet_Click()
{
    const QString name = sets_->currentText();
    if (name.isEmpty()) {
        showMessage(Say::tr("There is no backup set to restore."), kTitle(), this);
        return;
    }
    const QString folder = forms().folders().set(name);
    const bool backupSet = hasManifest(folder);
    QString into;
    if (!backupSet) {
        // An older backup set, from before sets remembered their files' places (or a saved set
        // of replacements): the user says where, and sees every file before anything is written.
        into = chooseFolder(Say::tr("Restore \"%1\" into which game folder?").arg(name), QDir::homePath(), this);
        if (into.isEmpty())
            return;
    }
    const SetRestore restoring = prepareSetRestore(forms().record(), folder, into);
    const SetPlan& plan = restoring.shown;
    QStringList places;
    for (const SetTarget& t : plan.targets) {
        QStringList marks;
        if (t.newFile)
            marks << Say::tr("new file");
        if (t.outsideGameFolders)
            marks << Say::tr("in a folder where Sonaplex has replaced no file");
        places << QDir::toNativeSeparators(t.gamePath)
                + (marks.isEmpty() ? QString() : QStringLiteral("   (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')'));
    }
    QStringList notRestored;
    for (const SetRefusal& r : plan.refused)
        notRestored << setRefusalLine(r);
    const QString refused
        = notRestored.isEmpty() ? QString() : Say::tr("\n\nNot restored:\n%1").arg(notRestored.join(QLatin1Char('\n')));
    if (plan.targets.empty()) {
        showMessage(Say::tr("\"%1\" has no file that can be put back.%2").arg(name, refused), kTitle(), this);
        return;
    }
    const QString question = backupSet
        ? Say::tr(
            "Put the %n file(s) of the backup set \"%1\" back where they came from?", nullptr, int(plan.targets.size()))
              .arg(name)
        : Say::tr("\"%1\" is an older backup set, or a set of replacements: it does not say where its files "
                  "came from. Put its %2 file(s) into %3?")
              .arg(name)
              .arg(plan.targets.size())
              .arg(QDir::toNativeSeparators(into));
    if (!confirm(question
            + Say::tr("\n\n%1%2\n\nWhat the game files hold now is kept, so this can be undone.")
                  .arg(places.join(QLatin1Char('\n')), refused)))
        return;
    LongWork work(this, Say::tr("Putting the backup set back\u2026"));
    const Report run = restoring.run.start(&work.progress());
    report(run, Say::tr("%n game file(s) were put back from the backup set.", nullptr, int(run.done())));
}

void FrmRestore::CmdCloseRestore_Click()
{
    forms().hide(*this);
    forms().unload(*this);
}

} // namespace sonaplex
