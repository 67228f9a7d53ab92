#pragma once
#include "base/selection.h"

#include <QFuture>
#include <QObject>

#include <map>

class QWidget;

namespace sonaplex {

// Keeps the format check of each selection of a side that compares formats (wave files): once
// both files of a selection are chosen, their headers are read on a pool thread, bounded like
// every open, and the answer is kept with the selection in its list. Lives as the list's child.
class FormatChecker : public QObject {
    Q_OBJECT
public:
    static void attachTo(SelectionList& list);
    // Waits for the checks still being worked out, off this thread (progress over `parent` when
    // it takes a while), and keeps their answers. Nothing to do for a list without a checker.
    static void settle(SelectionList& list, QWidget* parent);

private:
    explicit FormatChecker(SelectionList& list);
    void selectionChanged(int n);

    struct Pending {
        Selection checked;
        QFuture<FormatCheck> answer;
    };
    SelectionList& list_;
    std::map<int, Pending> pending_; // by selection number
};

} // namespace sonaplex
