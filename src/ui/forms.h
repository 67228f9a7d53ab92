#pragma once
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "audio/audio_host.h"
#include "base/program_folder.h"
#include "record/replacement_record.h"
#include "actions/switch_session.h"
#include "base/selection.h"
#include "ui/window_pictures.h"
#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

class QAbstractButton;

namespace sonaplex {

class Forms;
class InstalledGames;

// Base of every window. One instance per class lives in the registry; the window
// keeps every value its controls hold until it is unloaded.
class Form : public QDialog {
    Q_OBJECT
public:
    enum Chrome { CloseBox = 0x1, MinimizeBox = 0x2 };

    Form(Forms& forms, const QString& name, const QString& title, int chrome);

    Forms& forms() const { return forms_; }

protected:
    // Runs once each time the window is created ("loaded").
    virtual void formLoad() {}
    // Runs when the window is unloaded, before it is discarded.
    virtual void formUnload() {}

    // Makes the window's size fixed at what its layout asks for.
    void fixSize();
    // The window opens at the size its layout asks for, laid out as with fixSize(), and may be
    // enlarged from there (never made smaller): its layout gives the room to what stretches.
    void growFromFirstSize();

    void closeEvent(QCloseEvent* event) override;
    // A sound pack dropped on any window opens in the Packs window (Forms::openPack).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Esc: what the close box does, in a window that has one, unless closing it would end the
    // program (the only window on screen); windows with a Cancel or Close button override it.
    void reject() override;
    // F1 does what `help` does (the window's Help button), or shows the help window `page`.
    void helpOn(QAbstractButton* help);
    void helpOn(const QString& page);

public:
    // The first show names every control for screen readers (see describeForAssistiveTech)
    // and fits the window to its screen (see fitScreen), before the dialog places itself, so
    // that it is centred at the size it opens with.
    void setVisible(bool visible) override;

private:
    // A window larger than the screen it opens on (a small screen, or 2x scaling) shows its
    // controls in a scrolled view the size of the screen, which the user can enlarge up to
    // the window's own size; a window that fits keeps its fixed size and look.
    void fitScreen();
    // A window at least as wide as its title bar needs to show the whole title (in any
    // language), within the screen.
    void keepRoomForTitle();
    // Once the window manager has framed the window: a title bar placed above the screen's top
    // (a window that fills the screen, at 2x scaling) is brought back onto it.
    void keepTitleBarOnScreen();

    friend class Forms;
    Forms& forms_;
    bool hasCloseBox_;
    bool shownOnce_ = false;
    bool grows_ = false;
};

// The window registry: load, show modeless, show modal, hide, unload, end the program.
// Gives every button, list, drop-down and slider under `root` an accessible name (its
// caption; for one without a caption the first sentence of its tooltip) and description (its
// tooltip), so that screen readers announce them. Names already given are kept.
void describeForAssistiveTech(QWidget* root);

class Forms : public QObject {
    Q_OBJECT
public:
    // `audio` is what every player of the program shares; a host with the usual settings
    // when none is given.
    explicit Forms(QString programFolder, QObject* parent = nullptr, std::shared_ptr<audio::AudioHost> audio = {});
    ~Forms() override;

    const QString& programFolder() const { return programFolder_; }
    ProgramFolder folders() const { return ProgramFolder(programFolder_); }
    const std::shared_ptr<audio::AudioHost>& audio() const { return audio_; }
    // The record of replacements, when the program keeps one (else nullptr).
    ReplacementRecord* record() const { return openedRecord().get(); }
    std::weak_ptr<ReplacementRecord> recordHandle() const { return openedRecord(); }
    void setRecord(std::shared_ptr<ReplacementRecord> record) { record_ = std::move(record); }
    // The record is opened by `open` when it is first asked for (not before the first window).
    void setRecordOpener(std::function<std::shared_ptr<ReplacementRecord>()> open) { openRecord_ = std::move(open); }

    // The installed games, found once per run (the search starts with the first pane that
    // offers them).
    InstalledGames& games();

    // Windows are known by their names ("FrmMidi", "frmAbout", ...). The program registers
    // how to make each one, so that a window opens another without knowing its class.
    template <class F> void registerWindow(const QString& name)
    {
        factories_.insert_or_assign(name, Factory{typeid(F), [](Forms& forms) -> Form* { return new F(forms); }});
    }
    // The names registered, in order (see ui/window_names.h).
    QStringList registeredNames() const;
    // Loads a registered window by name, as load<F>() does.
    Form& load(const QString& name);
    // Whether the window of that name is loaded (never loads it).
    bool isLoaded(const QString& name) const;
    Form& showModeless(const QString& name);
    void showModal(const QString& name);

    // Pictures of the program's windows for the tutorial pages; an empty picture until the
    // program provides them.
    void setWindowPictures(WindowPictures pictures) { pictures_ = std::move(pictures); }
    const WindowPicture& windowPicture(const QString& key) const;

    // Creates the window on first touch (running its load step); returns the one instance.
    template <class F> F& load()
    {
        if (F* f = loaded<F>())
            return *f;
        auto* f = new F(*this);
        adopt(typeid(F), f);
        return *f;
    }

    // The window when it is loaded, else nullptr; never creates it.
    template <class F> F* loaded() const
    {
        auto it = forms_.find(typeid(F));
        return it == forms_.end() ? nullptr : static_cast<F*>(it->second);
    }

    template <class F> F& showModeless()
    {
        F& f = load<F>();
        showModeless(f);
        return f;
    }
    template <class F> void showModal() { showModal(load<F>()); }
    template <class F> void unload()
    {
        if (F* f = loaded<F>())
            unload(*f);
    }

    void showModeless(Form& form);
    // Blocks the caller until the window is hidden or unloaded.
    void showModal(Form& form);
    void hide(Form& form);
    void unload(Form& form);
    // Opens the pack at `path` in the Packs window (and the game it names, when installed),
    // showing that window when it is not on screen: a pack double-clicked in the file manager,
    // or dropped on a window.
    void openPack(const QString& path);

    // The selections of a side, known by the name of the review window that shows them. The
    // side's selection window makes them with its first choice and hands them to the review
    // window; they outlive the selection window (coming back to the side finds them) and go
    // when the review window is unloaded, after which the side starts afresh. A side that
    // compares formats keeps each selection's format check with it.
    SelectionList& selections(const QString& review, int count, bool compareFormats);
    void discardSelections(const QString& review);
    // The replacements chosen for each game's sounds and not put in yet, by the game's folder:
    // kept while the program runs, whichever window shows the game.
    ChosenReplacements& chosenFor(const QString& gameFolder)
    {
        ChosenReplacements& chosen = chosen_[gameFolder];
        chosen.gameFolder = gameFolder;
        return chosen;
    }

    // Stops at once: windows go away without their unload steps.
    void endProgram();
    bool hasEnded() const { return ended_; }

signals:
    void programEnded();

private:
    struct Factory {
        std::type_index type;
        std::function<Form*(Forms&)> make;
    };
    void adopt(std::type_index type, Form* form);
    void endIfNothingVisible();

    QString programFolder_;
    std::shared_ptr<audio::AudioHost> audio_;
    const std::shared_ptr<ReplacementRecord>& openedRecord() const
    {
        if (!record_ && openRecord_)
            record_ = std::exchange(openRecord_, {})();
        return record_;
    }
    mutable std::shared_ptr<ReplacementRecord> record_;
    mutable std::function<std::shared_ptr<ReplacementRecord>()> openRecord_;
    std::unordered_map<std::type_index, Form*> forms_;
    std::map<QString, Factory> factories_;
    std::map<QString, std::unique_ptr<SelectionList>> selections_;
    std::map<QString, ChosenReplacements> chosen_;
    InstalledGames* games_ = nullptr;
    WindowPictures pictures_;
    bool ended_ = false;
    bool lingerCheckQueued_ = false;
};

} // namespace sonaplex
