#include "ui/selection_formats.h"

#include "actions/switch_session.h"
#include "ui/long_work.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SelectionFormats)
};
} // namespace

FormatChecker::FormatChecker(SelectionList& list) : QObject(&list), list_(list)
{
    connect(&list, &SelectionList::changed, this, &FormatChecker::selectionChanged);
}

void FormatChecker::attachTo(SelectionList& list)
{
    if (!list.findChild<FormatChecker*>(QString(), Qt::FindDirectChildrenOnly))
        new FormatChecker(list);
}

void FormatChecker::selectionChanged(int n)
{
    const Selection s = list_.at(n);
    if (list_.format(n).state != FormatCheck::State::NotCompared || s.gamePath.isEmpty() || s.replacementPath.isEmpty())
        return;
    list_.setFormat(n, s, {FormatCheck::State::Pending, {}, {}});
    QFuture<FormatCheck> answer = QtConcurrent::run([s] { return selectionFormat(s); });
    pending_[n] = {s, answer};
    auto* watcher = new QFutureWatcher<FormatCheck>(this);
    connect(watcher, &QFutureWatcher<FormatCheck>::finished, this, [this, watcher, n, s] {
        watcher->deleteLater();
        if (auto it = pending_.find(n); it != pending_.end() && it->second.checked == s)
            pending_.erase(it);
        list_.setFormat(n, s, watcher->result());
    });
    watcher->setFuture(answer);
}

void FormatChecker::settle(SelectionList& list, QWidget* parent)
{
    auto* checker = list.findChild<FormatChecker*>(QString(), Qt::FindDirectChildrenOnly);
    if (!checker || checker->pending_.empty())
        return;
    std::map<int, Pending> pending = std::exchange(checker->pending_, {});
    {
        LongWork work(parent, Say::tr("Reading the files' formats\u2026"));
        work.progress().offload([&pending] {
            for (auto& [n, p] : pending)
                p.answer.waitForFinished();
        });
    }
    for (auto& [n, p] : pending)
        list.setFormat(n, p.checked, p.answer.result());
}

} // namespace sonaplex
