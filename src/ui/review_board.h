#pragma once
#include "base/selection.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;

namespace sonaplex {

struct ReviewBoardSetup {
    int count = 3;
    std::function<QString(int)> gameFrameName, gameNameLabel, gamePathLabel;
    std::function<QString(int)> replaceFrameName, replaceNameLabel, replacePathLabel;
    std::function<QString(int)> removeButtonName;
    std::function<bool(int)> gameNameHasTip = [](int) { return true; };
    bool framesInTimes = false;
};

// The selections of a review window, one row each: the game file's frame in red, the row's
// "Remove", the "Replace with:" frame in blue, and under it what differs between the two
// files' formats when something does. The board shows the side's SelectionList (which its
// selection window fills, and which outlives the board only to be discarded with its window):
// the names in view and the full paths in hidden labels beside them.
class ReviewBoard : public QWidget {
    Q_OBJECT
public:
    ReviewBoard(const ReviewBoardSetup& setup, SelectionList& selections, QWidget* parent = nullptr);

    int count() const { return int(rows_.size()); }
    SelectionList& model() const { return *model_; }
    const Selection& selection(int n) const { return model_->at(n); }
    const std::vector<Selection>& selections() const { return model_->all(); }

    void removeSelection(int n) { model_->remove(n); }

private:
    struct Row {
        QLabel *gameName, *gamePath, *replacementName, *replacementPath;
        QLabel* formatNote;
    };
    void show(int n);
    std::vector<Row> rows_;
    SelectionList* model_;
};

} // namespace sonaplex
