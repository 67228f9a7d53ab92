#pragma once
#include "shell/selection_board.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;

namespace sonaplex {

// One selection as the review window holds it; an empty string is a file not chosen.
struct Selection {
    QString gamePath, gameName, replacementPath, replacementName;
    bool isEmpty() const
    {
        return gamePath.isEmpty() && gameName.isEmpty() && replacementPath.isEmpty() && replacementName.isEmpty();
    }
};

struct ReviewBoardSetup {
    int count = 3;
    std::function<QString(int)> gameFrameName, gameNameLabel, gamePathLabel;
    std::function<QString(int)> replaceFrameName, replaceNameLabel, replacePathLabel;
    std::function<QString(int)> removeButtonName;
    std::function<bool(int)> gameNameHasTip = [](int) { return true; };
    bool framesInTimes = false;
};

// The selections of a review window, one row each: the game file's frame in red, the row's
// "Remove", the "Replace with:" frame in blue. The names are shown; the full paths are kept
// in hidden labels beside them. These labels are the one record of the selections.
class ReviewBoard : public QWidget, public SelectionStore {
    Q_OBJECT
public:
    explicit ReviewBoard(const ReviewBoardSetup& setup, QWidget* parent = nullptr);

    int count() const { return int(rows_.size()); }
    Selection selection(int n) const;
    std::vector<Selection> selections() const;

    void setGameFile(int n, const QString& fullPath, const QString& name) override;
    void setReplacementFile(int n, const QString& fullPath, const QString& name) override;
    void removeSelection(int n) override;

private:
    struct Row {
        QLabel *gameName, *gamePath, *replacementName, *replacementPath;
    };
    std::vector<Row> rows_;
};

} // namespace sonaplex
