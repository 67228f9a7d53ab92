#pragma once
#include "audio/source.h"
#include "base/selection.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;

namespace sonaplex {

class FileList;

// Names, counts and texts that tell the music and sound-effects selection windows apart.
struct SelectionBoardSetup {
    int count = 3;
    int columns = 1;
    std::function<QString(int)> frameName, gameLabelName, replaceLabelName;
    std::function<QString(int)> gameButtonName, removeButtonName, replaceButtonName;
    bool framesInTimes = false; // bold 9-point "Times New Roman" captions
    bool labelsHiddenAtLoad = false;
    QString orderErrorTitle; // "Midi Selection Error" / "Wav Selection Error"
    // Why a file may not be a replacement on this side, or empty when it may.
    std::function<QString(const QString&)> replacementCheck;
    QString replacementKind; // "wave file" / "MIDI file", for messages
};

// The check of a side's replacement files: a file of the side's kind that the program can open.
std::function<QString(const QString&)> replacementCheckFor(audio::DeviceKind kind);

// The numbered selections of a selection window: per selection a frame with the game file's
// name above the replacement's, and the buttons "Game File", "Remove", "Replace" under it.
// Each side is filled in order (by the names this board shows, which "Next" empties); every choice
// is written at once into the side's selections, which the review window shows.
class SelectionBoard : public QWidget {
    Q_OBJECT
public:
    SelectionBoard(const SelectionBoardSetup& setup, FileList* gameFiles, FileList* replacementFiles,
        std::function<SelectionList&()> selections, QWidget* parent = nullptr);

    int count() const { return setup_.count; }

    void chooseGame(int n);
    void chooseReplacement(int n);
    void remove(int n);
    // Empties the names shown (replacement then game, selection by selection), as "Next" does.
    void clearNames();

signals:
    // A file was dropped on selection n's game (or replacement) name: the window shows it in
    // its pane, highlighted, and then chooses it as the button would.
    void fileDropped(int n, bool gameSide, const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slot {
        QGroupBox* frame;
        QLabel* game;
        QLabel* replacement;
    };
    void showName(Slot& slot, bool gameSide, const QString& name);
    bool inOrder(bool gameSide, int n) const;
    bool usable(const QString& path) const;

    SelectionBoardSetup setup_;
    FileList* gameFiles_;
    FileList* replacementFiles_;
    std::function<SelectionList&()> selections_;
    std::vector<Slot> slots_;
};

} // namespace sonaplex
