#pragma once
#include "ui/forms.h"
#include "ui/window_names.h"

#include <QLineF>
#include <vector>

class QPushButton;

namespace sonaplex {

struct PageFont {
    QString family;
    double points = 0;
    bool bold = false;
};

// One control of a tutorial page, placed in twips of the client area; a label inside a
// frame fills the frame's inside. A picture's text names the window it shows.
struct PageItem {
    enum Kind { Frame, Label, Button, Picture };
    QString name;
    Kind kind;
    QString text;
    QRect place;
    QString in;
    bool red = false;
    PageFont font;
};

struct PageSetup {
    QString name, title;
    QSize client; // twips
    std::vector<PageItem> items;
};

// Every tutorial page as the user sees it.
const std::vector<PageSetup>& tutorialPages();

// A note joined by a line to the control in a picture that it explains.
struct Connector {
    QString note; // a frame of the page
    QString picture; // a picture of the page
    QString target; // a control of the window in that picture
};

// A page of the step-by-step tutorial: framed notes around pictures of the program's own
// windows, with lines from the notes to the controls they describe.
class TutorialPage : public Form {
    Q_OBJECT
public:
    struct Line {
        Connector connector;
        QLineF line; // in the page's coordinates
        QRectF targetArea; // the target control, where it lies in the page
    };
    const std::vector<Line>& lines() const { return lines_; }

protected:
    TutorialPage(Forms& forms, const QString& name, const std::vector<Connector>& connectors = {});

    QPushButton* button(const QString& name) const;
    // "OK": hide, then unload.
    void closePage();
    void reject() override { closePage(); }

private:
    std::vector<Line> lines_;
};

class FrmMidiHelp : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmMidiHelp(Forms& forms);
    void CmdMidiHelpOK_Click() { closePage(); }
};

class FrmMidiHelp2 : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmMidiHelp2(Forms& forms);
    void CmdAboutBackup1_Click();
    void CmdMidiHelpOK2_Click() { closePage(); }
};

class FrmWavHelp1 : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmWavHelp1(Forms& forms);
    void CmdWavHelp1OK_Click() { closePage(); }
};

class FrmWavHelp2 : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmWavHelp2(Forms& forms);
    void CmdAboutBackup2_Click();
    void CmdSaveSetsInfo_Click();
    void CmdWavHelp2OK_Click() { closePage(); }
};

class FrmBackupHelpMidi : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmBackupHelpMidi(Forms& forms);
    void CmdBackupHelpMidi_Click() { closePage(); }
};

class FrmBackupHelpWav : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmBackupHelpWav(Forms& forms);
    void CmdBackupHelpWav_Click() { closePage(); }
};

// Only hides on "OK": the same page comes back next time.
class FrmSaveSetInfo : public TutorialPage {
    Q_OBJECT
public:
    explicit FrmSaveSetInfo(Forms& forms);
    void CmdSetSaveInfoOK_Click() { forms().hide(*this); }

protected:
    void reject() override { CmdSetSaveInfoOK_Click(); }
};

// The help of a window that came later (Restore, Packs, Game Sounds): the window's picture and
// a note joined to each part of it; "OK" closes it.
class WindowHelpPage : public TutorialPage {
protected:
    WindowHelpPage(Forms& forms, const QString& name);
};

template <const QLatin1StringView& Name> class WindowHelp : public WindowHelpPage {
public:
    explicit WindowHelp(Forms& forms) : WindowHelpPage(forms, QString(Name)) {}
};
using FrmRestoreHelp = WindowHelp<windowName::FrmRestoreHelp>;
using FrmPacksHelp = WindowHelp<windowName::FrmPacksHelp>;
using FrmGameHelp = WindowHelp<windowName::FrmGameHelp>;

} // namespace sonaplex
