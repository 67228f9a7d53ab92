#include "ui/messages.h"

#include "record/plan.h"
#include "words/report_words.h"

#include "ui/desktop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Messages)
};
} // namespace

QString chooseFolder(const QString& title, const QString& start, QWidget* parent)
{
    return Desktop::current().chooseFolder(title, start, parent);
}

QString systemFolderDialog(const QString& title, const QString& start, QWidget* parent)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

void showRunReport(const Report& run, const QString& done, const QString& verb, const QString& title,
    const QString& errorTitle, QWidget* parent)
{
    if (!run.recordNotice.isEmpty())
        showMessage(recordProblemWords(run.recordNotice), Say::tr("Record of Replacements"), parent);
    if (!run.ok())
        showMessage(failureReport(run.done() > 0
                            ? Say::tr("Not every game file was %1. These were left as they were:").arg(verb)
                            : Say::tr("No game file was %1:").arg(verb),
                        run),
            errorTitle, parent);
    else if (run.done() > 0)
        showMessage(done, title, parent);
    else if (!run.items.empty()) // every one held its content already
        showMessage(Say::tr("Nothing was changed: the game files hold these already."), title, parent);
}

QString chooseFile(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent)
{
    return Desktop::current().chooseFile(title, start, filter, save, parent);
}

QString systemFileDialog(const QString& title, const QString& start, const QString& filter, bool save, QWidget* parent)
{
    return save ? QFileDialog::getSaveFileName(parent, title, start, filter)
                : QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString askText(const QString& title, const QString& label, const QString& text, QWidget* parent)
{
    return Desktop::current().askText(title, label, text, parent);
}

QString systemTextDialog(const QString& title, const QString& label, const QString& text, QWidget* parent)
{
    bool ok = false;
    const QString typed = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? typed : QString();
}

namespace {
struct Choice {
    QString caption;
    QMessageBox::ButtonRole role;
    MessageAnswer answer;
};
// A question with a list of rows to tick, buttons of its own and Cancel, in a box that fits the
// screen however long the list: the first button is the default, Esc cancels.
MessageAnswer askWithRows(const Message& message, QWidget* parent, std::initializer_list<Choice> choices)
{
    QDialog box(parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowTitle(message.title);
    auto* layout = new QVBoxLayout(&box);
    auto* text = new QLabel(message.text);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("LstMessageRows"));
    for (size_t i = 0; i < message.rows->size(); ++i) {
        const MessageRow& row = (*message.rows)[i];
        auto* item = new QListWidgetItem(row.text, list);
        item->setData(Qt::UserRole, qulonglong(i));
        // A fixed row is shown ticked and greyed, as a choice that cannot be changed.
        item->setFlags(row.fixed ? Qt::ItemIsSelectable : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(row.ticked || row.fixed ? Qt::Checked : Qt::Unchecked);
    }
    list->sortItems(); // by name: a long list is looked through in order
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox;
    MessageAnswer answer = MessageAnswer::Cancel;
    bool first = true;
    for (const Choice& c : choices) {
        QPushButton* button = buttons->addButton(c.caption, QDialogButtonBox::ButtonRole(c.role));
        QObject::connect(button, &QPushButton::clicked, &box, [&box, &answer, a = c.answer] {
            answer = a;
            box.accept();
        });
        button->setDefault(std::exchange(first, false));
    }
    QObject::connect(buttons->addButton(QDialogButtonBox::Cancel), &QPushButton::clicked, &box, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough for its rows and tall enough for many, within the screen.
    const QRect screen = (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    box.resize(std::min(screen.width() * 4 / 5, std::max(560, list->sizeHintForColumn(0) + 60)),
        std::min(screen.height() * 2 / 3, 260 + list->sizeHintForRow(0) * int(message.rows->size())));
    if (box.exec() != QDialog::Accepted)
        return MessageAnswer::Cancel;
    for (int i = 0; i < list->count(); ++i)
        (*message.rows)[size_t(list->item(i)->data(Qt::UserRole).toULongLong())].ticked
            = list->item(i)->checkState() == Qt::Checked;
    return answer;
}

// A question with buttons of its own and Cancel: the first is the default, Esc cancels.
MessageAnswer askWith(const Message& message, QMessageBox& box, std::initializer_list<Choice> choices)
{
    if (message.rows)
        return askWithRows(message, box.parentWidget(), choices);
    std::vector<std::pair<QPushButton*, MessageAnswer>> buttons;
    for (const Choice& c : choices)
        buttons.emplace_back(box.addButton(c.caption, c.role), c.answer);
    box.setDefaultButton(buttons.front().first);
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button)
            return answer;
    return MessageAnswer::Cancel;
}
} // namespace

MessageAnswer showMessage(const Message& message, QWidget* parent)
{
    return Desktop::current().showMessage(message, parent);
}

namespace {
// A message about a whole game may list hundreds of files: the longest paragraph is shown up to
// a screenful, and whole in the box's details (a text that scrolls), so that the buttons stay
// on the screen.
QString fitted(const QString& text, QString* details)
{
    constexpr int kShownLines = 15;
    QStringList paragraphs = text.split(QStringLiteral("\n\n"));
    qsizetype longest = -1, most = 0;
    for (qsizetype i = 0; i < paragraphs.size(); ++i)
        if (const qsizetype lines = paragraphs[i].count(QLatin1Char('\n')) + 1; lines > most) {
            most = lines;
            longest = i;
        }
    if (most <= kShownLines + 5)
        return text;
    *details = paragraphs[longest];
    const QStringList lines = paragraphs[longest].split(QLatin1Char('\n'));
    paragraphs[longest] = lines.mid(0, kShownLines).join(QLatin1Char('\n'))
        + Say::tr("\n\u2026 and %n more (Show Details lists them all)", nullptr, int(lines.size() - kShownLines));
    return paragraphs.join(QStringLiteral("\n\n"));
}
} // namespace

MessageAnswer systemMessageBox(const Message& message, QWidget* parent)
{
    QString details;
    QMessageBox box(QMessageBox::NoIcon, message.title, fitted(message.text, &details), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    if (!details.isEmpty())
        box.setDetailedText(details);
    if (message.buttons == MessageButtons::ChooseCancel)
        return askWith(message, box, {{Say::tr("Choose Them"), QMessageBox::AcceptRole, MessageAnswer::Ok}});
    if (message.buttons == MessageButtons::KeepDiscardCancel)
        return askWith(message, box,
            {{Say::tr("Name Them"), QMessageBox::AcceptRole, MessageAnswer::Keep},
                {Say::tr("Discard"), QMessageBox::DestructiveRole, MessageAnswer::Discard}});
    if (message.buttons == MessageButtons::ConvertCopyCancel)
        return askWith(message, box,
            {{Say::tr("Convert"), QMessageBox::AcceptRole, MessageAnswer::Convert},
                {Say::tr("Convert and Match Loudness"), QMessageBox::AcceptRole, MessageAnswer::ConvertMatched},
                {Say::tr("Copy As They Are"), QMessageBox::AcceptRole, MessageAnswer::CopyAsIs}});
    if (message.buttons == MessageButtons::LoopLeaveCancel)
        return askWith(message, box,
            {{Say::tr("Loop Whole Replacements"), QMessageBox::AcceptRole, MessageAnswer::LoopWhole},
                {Say::tr("Leave Them"), QMessageBox::RejectRole, MessageAnswer::Leave}});
    if (message.buttons == MessageButtons::ConvertCancel)
        return askWith(message, box,
            {{Say::tr("Convert"), QMessageBox::AcceptRole, MessageAnswer::Convert},
                {Say::tr("Convert and Match Loudness"), QMessageBox::AcceptRole, MessageAnswer::ConvertMatched}});
    if (message.buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    if (message.buttons == MessageButtons::RetryCancel) {
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    switch (answer) {
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return message.buttons == MessageButtons::RetryCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
}

} // namespace sonaplex
