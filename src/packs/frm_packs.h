#pragma once
#include "actions/pack_session.h"
#include "record/replacement_record.h"
#include "ui/forms.h"
#include "ui/window_requests.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace sonaplex {

class PackEntriesModel;
class SamplePlayer;

// Sound packs: open a pack and see, entry by entry, what it would do to a game (what each game
// file holds now, its format against the pack's sound, what will happen), listen to any entry
// beside the game file it replaces, apply it in one recorded run and take it off in one step;
// and make a pack of a game's replacements or of a saved set.
class FrmPacks : public Form, public ShowsGame, public OpensPack, public MakesGamePacks {
    Q_OBJECT
public:
    explicit FrmPacks(Forms& forms);
    ~FrmPacks() override;

    void CmdOpenPack_Click();
    void CmdChooseGame_Click();
    void CmdApplyPack_Click();
    void CmdRemovePack_Click();
    void CmdPackFromGame_Click();
    void CmdPackFromSet_Click();
    void CmdComparePack_Click();
    void CmdClosePacks_Click();
    // Opens a pack, and shows a game folder, as the buttons do once the user has chosen.
    void openPack(const QString& path) override;
    void showGame(const QString& folder) override;
    void makePackOfGame(const QString& folder) override;

protected:
    void formLoad() override;
    void reject() override { CmdClosePacks_Click(); }
    void showEvent(QShowEvent* event) override;

private:
    void setUpControls();
    void fillGames();
    void fillSets();
    // Reads the pack again and checks it against the game folder shown.
    void recheck();
    void showChecked();
    void entryChosen();
    std::vector<ReplacedFile> knownUnder(const QString& folder, bool* read);
    void writePackOf(NewPack pack, const QString& defaultName);
    void afterRun(const struct Report& run, const QString& done, const QString& verb);

    QLabel* packLabel_;
    QComboBox* games_;
    QLabel* title_;
    QTreeView* entries_;
    PackEntriesModel* model_;
    SamplePlayer* soundPlayer_;
    SamplePlayer* gamePlayer_;
    QCheckBox* overOthers_;
    QCheckBox* convert_;
    QCheckBox* matchLoudness_;
    QComboBox* sets_;
    QLineEdit* author_;
    QLineEdit* description_;
    QLabel* summary_;
    std::vector<QPushButton*> needPack_, needGame_;

    QString folder_;
    PackSession pack_;
};

} // namespace sonaplex
