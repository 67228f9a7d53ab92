#pragma once
#include "audio/analysis.h"
#include "ui/forms.h"
#include "ui/window_requests.h"

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTreeView;

namespace sonaplex {

class GameSoundsFilter;
class GameSoundsModel;
class SamplePlayer;

// One window for a whole game: every sound file under its folder with its format, length and
// state, a replacement chosen per row (file dialog, a file dropped on the row, or a whole folder
// of the user's sounds matched by path and name), both heard side by side, and every pending
// replacement put in by one SWITCH. Its controls, by name:
//   CboGame               the installed games, then "Game Folder..." for any folder
//   TxtFilter             shows the sounds whose path holds the text (any case)
//   CboShow               all, replaced, changed by an update, pending
//   LstGameSounds         the sounds (model and view): Sound, Format, Length, State, Replacement
//   LblGameSummary        how many sounds, replaced, changed, pending; reading progress
//   CmdChooseReplacement  a file for the selected rows (Enter)
//   CmdReplaceFromFolder  a folder of the user's sounds, matched to the game's
//   CmdClearReplacement   clears the selected rows' replacements (Delete)
//   PlayerGameSound, PlayerReplacement   the two sample players
//   CmdCompare, ChkMatchLoudness, ChkAutoPlay ("Play on select")
//   LblFormatDifference   the current row's replacement against its game file
//   CmdSwitchGame, CmdRestoreSelected, CmdUndoGame, CmdReplaceAgain, CmdPackGame, CmdCloseGame
// Pending choices stay with the program (not the window) until it ends.
class FrmGame : public Form, public ShowsGame, public ShowsChanges {
    Q_OBJECT
public:
    explicit FrmGame(Forms& forms);
    ~FrmGame() override;

    // Lists the game at `folder` (an installed game's or any folder).
    void showGame(const QString& folder) override;
    // The same, showing the sounds an update changed since Sonaplex replaced them.
    void showChanges(const QString& folder) override;
    const QString& gameFolder() const { return folder_; }
    // Every sound file is listed with its state (their formats may still be being read).
    bool isListed() const { return namesDone_ && statesDone_; }
    // The reading of the folder, the record and every file's format is done.
    bool isRead() const { return readDone_; }
    GameSoundsModel* model() const { return model_; }

    void CmdChooseReplacement_Click();
    void CmdReplaceFromFolder_Click();
    void CmdClearReplacement_Click();
    void CmdCompare_Click();
    void CmdSwitchGame_Click();
    void CmdRestoreSelected_Click();
    void CmdUndoGame_Click();
    void CmdReplaceAgain_Click();
    void CmdPackGame_Click();
    void CmdCloseGame_Click();

    // Chooses `path` as the replacement of the row named `name` (path inside the game), or says
    // why it cannot be.
    bool chooseReplacement(const QString& name, const QString& path);

protected:
    void formLoad() override;
    void formUnload() override;
    void reject() override { CmdCloseGame_Click(); }
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override; // back in front: the states read again
    void showEvent(QShowEvent* event) override; // the keyboard starts in the list
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The width a column needs for its heading, in the language the program speaks.
    int headingWidth(int column) const;
    void setUpList();
    QHBoxLayout* makePlayers(); // the two players, Compare A/B and Match loudness
    void fillGames();
    void gameChosen(int index);
    void readStates();
    // The states read again off this thread, the list left as it is until they come.
    void refreshStates();
    void startReading();
    void stopReading();
    void rowsFound(const QStringList& names);
    void currentChanged();
    // Reads what the replacements chosen since are, in the helper, off this thread.
    void readChosen();
    // What they were found to be: those that cannot be played are no longer chosen, and said.
    void chosenRead(const std::vector<std::pair<int, QString>>& chosen, const std::vector<audio::SoundInfo>& infos);
    void showSummary();
    void afterRun(const struct Report& run, const QString& done, const QString& verb);
    // The format and length of these rows (row, path) read again, off this thread.
    void readInfosAgain(const std::vector<std::pair<int, QString>>& changed);
    std::vector<int> selectedRows() const; // model rows
    void remember();

    QString folder_;
    QComboBox* games_;
    QLineEdit* filter_;
    QComboBox* show_;
    QTreeView* list_;
    GameSoundsModel* model_;
    GameSoundsFilter* filtered_;
    QLabel* summary_;
    QLabel* difference_;
    SamplePlayer* gamePlayer_;
    SamplePlayer* replacementPlayer_;
    QCheckBox* matchLoudness_;
    QCheckBox* autoPlay_;
    std::shared_ptr<std::atomic_bool> stop_; // the reading under way
    std::vector<std::pair<int, QString>> toRead_; // chosen replacements (row, file) not yet read
    QStringList unlisted_; // what of the game's folder could not be listed, "path: why"
    int infosRead_ = 0;
    bool namesDone_ = false;
    bool statesDone_ = false;
    bool readDone_ = false;
    bool refreshing_ = false;
};

} // namespace sonaplex
