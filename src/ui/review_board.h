#pragma once
#include "base/selection.h"
#include "ui/selection_board.h"

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
    // Wave files: a replacement in another format than its game file is pointed out.
    bool compareFormats = false;
};

// The selections of a review window, one row each: the game file's frame in red, the row's
// "Remove", the "Replace with:" frame in blue. The selections live in a SelectionList the
// board owns (created and discarded with its window); the labels show it, the names in view
// and the full paths in hidden labels beside them.
class ReviewBoard : public QWidget, public SelectionStore {
    Q_OBJECT
public:
    explicit ReviewBoard(const ReviewBoardSetup& setup, QWidget* parent = nullptr);

    int count() const { return int(rows_.size()); }
    SelectionList& model() const { return *model_; }
    const Selection& selection(int n) const { return model_->at(n); }
    const std::vector<Selection>& selections() const { return model_->all(); }

    void setGameFile(int n, const QString& fullPath, const QString& name) override;
    void setReplacementFile(int n, const QString& fullPath, const QString& name) override;
    void removeSelection(int n) override;

    // "game: 22050 Hz mono 8-bit; replacement: 48000 Hz stereo 16-bit" when selection n's
    // replacement differs in format from its game file; empty when not (or not known).
    QString formatNote(int n) const { return notes_[size_t(n - 1)]; }

private:
    struct Row {
        QLabel *gameName, *gamePath, *replacementName, *replacementPath;
        QLabel* formatNote;
    };
    void show(int n);
    std::vector<Row> rows_;
    SelectionList* model_;
    std::vector<QString> notes_;
    bool compareFormats_;
};

} // namespace sonaplex
