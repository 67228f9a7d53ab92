#pragma once
#include "ui/browser_pane.h"
#include "ui/forms.h"
#include "ui/selection_board.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;

namespace sonaplex {

// What tells the two selection windows apart besides their bottom buttons.
struct SelectionWindowSetup {
    QString name, title;
    QString gameTitleName, replaceTitleName; // "GAME FILES" / "REPLACEMENT FILES" labels
    QString gameTitleTip, replaceTitleTip;
    PaneSetup gamePane, replacementPane;
    SelectionBoardSetup board;
    QString nextName; // the "Next" button
    QString reviewName; // the review window that shows this side's selections
};

// A selection window: game pane on the left, the numbered selections in the middle with
// "Next" under them, replacement pane on the right, a row of buttons along the bottom.
class SelectionWindow : public Form {
    Q_OBJECT
public:
    BrowserPane* gamePane() const { return gamePane_; }
    BrowserPane* replacementPane() const { return replacementPane_; }
    SelectionBoard* board() const { return board_; }
    // The side's selections, made with the first choice (see Forms::selections).
    SelectionList& selections() const;

    // A/B: moves what is heard from the game file to the replacement highlighted in the panes,
    // or back, at the same point of the sound (as a fraction of its length); with nothing
    // playing, starts the game file. With "Match loudness" the louder file is turned down to
    // the quieter's loudness.
    void compare();

signals:
    void nextClicked();

protected:
    SelectionWindow(Forms& forms, const SelectionWindowSetup& setup);

    void formLoad() override;
    void formUnload() override;
    // Coming back from a review or restore: the game files' marks may have changed.
    void showEvent(QShowEvent* event) override;
    // A hidden window's players fall silent: nothing plays that no window can stop.
    void hideEvent(QHideEvent* event) override;

    // "Next": close the game player, empty the names shown, hide, show the review window.
    void goToReview(Form& review);

    QHBoxLayout* bottomRow() const { return bottom_; }

private:
    // Says which games an update changed replaced files of; a click opens the restore window
    // on the game, or the game's sounds ("Game Sounds...").
    void showUpdateNotice();
    void openFromNotice(const QString& folder);

    QString reviewName_;
    int count_;
    BrowserPane* gamePane_;
    BrowserPane* replacementPane_;
    SelectionBoard* board_;
    QHBoxLayout* bottom_;
    QCheckBox* matchLoudness_;
    QLabel* updateNotice_;
};

} // namespace sonaplex
