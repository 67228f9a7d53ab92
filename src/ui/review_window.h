#pragma once
#include "audio/source.h"
#include "ui/forms.h"
#include "ui/review_board.h"

class QHBoxLayout;

class QPushButton;

namespace sonaplex {

class SelectionWindow;

// A window that is shown a review window's selections before it opens (the backup windows).
class TakesSelections {
public:
    virtual ~TakesSelections() = default;
    virtual void fill(SelectionList& selections) = 0;
};

struct ReviewWindowSetup {
    QString name, title;
    QString warning; // the standing red line across the top
    bool warningInTimes = false;
    audio::DeviceKind deviceKind = audio::DeviceKind::WaveAudio; // of the side's files
    ReviewBoardSetup board;
};

// A review window: the red warning, one row per selection, a row of buttons at the bottom.
// It holds the selections, so it is also where SWITCH and the other copies start from.
class ReviewWindow : public Form {
    Q_OBJECT
public:
    ReviewBoard* board() const { return board_; }

protected:
    ReviewWindow(Forms& forms, const ReviewWindowSetup& setup);

    // SWITCH: refuses when selection 1 has no replacement or when a game file is chosen twice;
    // otherwise copies every complete selection whose replacement is still a sound file of
    // the side's kind, and names every failure. True when the replacement confirmation is due.
    bool switchFiles();
    // "Close": reopen the selection window's game player, unload, show the selection window.
    void backTo(SelectionWindow& selectionWindow);

    // "BACKUP ORIGINAL GAME FILES": the side's backup window (by name), filled with this
    // window's selections, shown modally.
    void showBackup(const QString& backupWindow);

    QHBoxLayout* bottomRow() const { return bottom_; }
    // The window's Close button, which Esc clicks too.
    void closesWith(QPushButton* close) { close_ = close; }
    void reject() override;

    // The side's selections go with this window.
    void formUnload() override;

private:
    QString name_;
    std::function<QString(const QString&)> replacementCheck_;
    ReviewBoard* board_;
    QHBoxLayout* bottom_;
    QPushButton* close_ = nullptr;
};

} // namespace sonaplex
