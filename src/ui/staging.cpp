#include "ui/staging.h"

#include "readers/backup_manifest.h"
#include "base/files.h"
#include "ui/forms.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Staging)
};

QStringList filesIn(const QString& folder)
{
    // With the folders of names gathered with theirs ("music/x.mid").
    QStringList names = filesBelow(folder, true);
    names.removeAll(manifestName()); // notes about the files, not files of the set
    names.removeAll(replacementSetNoteName());
    return names;
}
} // namespace

bool settleLeftovers(
    Forms& forms, ProgramFolder::Staging which, const QString& what, const QString& namingDialog, QWidget* parent)
{
    const QString stagingName = ProgramFolder::stagingName(which);
    const QString staging = forms.folders().staging(which);
    const QString title = Say::tr("Unnamed ") + what.left(1).toUpper() + what.mid(1);
    // A program folder that cannot be written is said once, up front, before anything is copied.
    for (const QString& folder : {forms.folders().root(), staging}) {
        if (!QFileInfo::exists(folder) && folder == staging)
            continue;
        if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
            const int err = errno;
            showMessage(Say::tr("The %1 cannot be kept: %2 cannot be written (%3). Nothing was copied.")
                            .arg(what, QDir::toNativeSeparators(folder), QString::fromLocal8Bit(std::strerror(err))),
                what == QLatin1String("backup") ? Say::tr("Backup Error") : Say::tr("Save Set Error"), parent);
            return false;
        }
    }
    QStringList left = filesIn(staging);
    if (left.isEmpty())
        return true;
    const int shown = 10;
    QString list = QStringList(left.mid(0, shown)).join(QLatin1Char('\n'));
    if (left.size() > shown)
        list += Say::tr("\n... and %1 more").arg(left.size() - shown);
    const MessageAnswer answer
        = showMessage(Message{Say::tr("%1 still holds %n file(s) from an earlier %2 that was never named:\n\n%3\n\n"
                                      "Name them as a %2 of their own first, or discard them? They will not be mixed "
                                      "into this %2.",
                                  nullptr, int(left.size()))
                                  .arg(stagingName, what, list),
                          title, MessageButtons::KeepDiscardCancel},
            parent);
    if (answer == MessageAnswer::Discard) {
        if (const FileResult emptied = emptyFolder(staging); !emptied) {
            showMessage(Say::tr("The files left in %1 could not be discarded: %2").arg(stagingName, emptied.error),
                title, parent);
            return false;
        }
        return true;
    }
    if (answer != MessageAnswer::Keep)
        return false;
    forms.showModal(namingDialog);
    // Named: the staging folder has become the set. Not named (Esc): the files stay where
    // they are and nothing is gathered on top of them.
    return filesIn(staging).isEmpty();
}

} // namespace sonaplex
