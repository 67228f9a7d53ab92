// The about window, the game link windows and the tutorial pages.
#include "info/frm_game_links.h"
#include "info/tutorial_page.h"
#include "support.h"
#include "ui/desktop.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestInfo : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;

    // Opens a modal window with a button, runs `inside` while it is up, then closes it with `close`.
    void whileOpen(const QString& from, const QString& button, const QString& page, std::function<void()> inside,
        const QString& close)
    {
        bool opened = false;
        onModal(page, [&] {
            opened = true;
            inside();
            if (window(page) && window(page)->isVisible())
                click(page, close);
        });
        click(from, button);
        QVERIFY2(opened, qPrintable(page + " did not open"));
    }

private slots:
    void init()
    {
        program = std::make_unique<Program>();
        program->enter();
    }
    void cleanup()
    {
        program.reset();
    }

    void aboutShowsVersionAndOpensTheSite()
    {
        QList<QUrl> opened;
        bool succeed = true;
        DesktopAnswers answers;
        answers.url = [&](const QUrl& url) {
            opened << url;
            return succeed;
        };
        whileOpen(
            "FrmMidi", "CmdAbout", "frmAbout",
            [&] {
                QCOMPARE(window("frmAbout")->windowTitle(), QStringLiteral("About Sonaplex"));
                QCOMPARE(text("frmAbout", "lblVersion"), QStringLiteral("Version 1.2.0"));
                auto* site = control<QLabel>("frmAbout", "Lblsite");
                QTest::mouseClick(site, Qt::LeftButton);
                QCOMPARE(opened.size(), 1);
                QCOMPARE(opened.front().toLocalFile(), site->text());
                QVERIFY(QFileInfo(site->text()).isFile()); // the guide is there to be read
                QCOMPARE(text("frmAbout", "LblWin95"), QStringLiteral("for Linux"));
                QVERIFY(!control<QLabel>("frmAbout", "LblEMail")->isVisible()); // no placeholder address
                QVERIFY(program->messages.messages.empty());
                succeed = false;
                QTest::mouseClick(site, Qt::LeftButton);
                QCOMPARE(program->messages.lastText(),
                    QStringLiteral("No program could be started to show %1.\nOpen it with a text viewer or a web "
                                   "browser.")
                        .arg(site->text()));
                QCOMPARE(program->messages.lastTitle(), QStringLiteral("Sonaplex"));
                QVERIFY(isShown("frmAbout")); // stays open either way
            },
            "cmdOK");
        QVERIFY(!window("frmAbout"));
        // Esc closes it too.
        whileOpen(
            "FrmMidi", "CmdAbout", "frmAbout", [&] { QTest::keyClick(window("frmAbout"), Qt::Key_Escape); }, "cmdOK");
        QVERIFY(!window("frmAbout"));
    }

    void gameButtonsWriteTheirAddress()
    {
        whileOpen("FrmMidi", "CmdMidiGames", "FrmGameLinks",
            [&] {
                auto* box = control<QLineEdit>("FrmGameLinks", "TxtUrl");
                QCOMPARE(box->text(), QString());
                box->setText("typed by the user");
                control<QToolButton>("FrmGameLinks", "CmdCasino")->click();
                const QString casino = box->text();
                control<QToolButton>("FrmGameLinks", "CmdTiles")->click();
                QVERIFY(box->text() != casino);
                QVERIFY(QUrl(box->text()).isValid() && box->text().startsWith("https://"));
                QCOMPARE(control<QToolButton>("FrmGameLinks", "CmdTiles")->toolTip(),
                    QStringLiteral("Download Tiles and Tribulations"));
                QCOMPARE(control<QGroupBox>("FrmGameLinks", "FramTiles")->title(), QStringLiteral("Tiles and Trib."));
                window("FrmGameLinks")->close();
            },
            {});
        QVERIFY(!window("FrmGameLinks"));
        whileOpen("FrmMidi", "CmdMidiGames", "FrmGameLinks",
            [&] {
                QCOMPARE(control<QLineEdit>("FrmGameLinks", "TxtUrl")->text(), QString()); // a fresh window
                window("FrmGameLinks")->close();
            },
            {});

        click("FrmMidi", "CmdGotoWavSelect1");
        whileOpen("FrmWavSelect", "CmdWavGames", "FrmWavGame",
            [&] {
                auto* box = control<QLineEdit>("FrmWavGame", "TxtUrl2");
                auto* links = static_cast<GameLinksWindow*>(window("FrmWavGame"));
                QSet<QString> addresses;
                for (const GameLink& g : links->games()) {
                    control<QToolButton>("FrmWavGame", g.button)->click();
                    addresses << box->text();
                }
                QCOMPARE(addresses.size(), 8); // Noisy Poker and Wild 7 Slots share one page
                control<QToolButton>("FrmWavGame", "CmdNoisy")->click();
                const QString noisy = box->text();
                control<QToolButton>("FrmWavGame", "CmdWild7")->click();
                QCOMPARE(box->text(), noisy);
                window("FrmWavGame")->close();
            },
            {});
    }

    void tutorialPagesKeepTheirTextsExactly()
    {
        // Texts whose blanks and quotes are easy to lose.
        const struct {
            const char* page;
            const char* control;
            const char* text;
        } texts[] = {
            {"FrmMidiHelp", "LblStepTwo", " Use to select replacement Midi files."},
            {"FrmMidiHelp", "LblRemove", "Click the \"Remove\" buttons  to clear selected files."},
            {"FrmMidiHelp2", "LblReturn2", "Click here to return to previous window. "},
            {"FrmMidiHelp2", "LblBackup", "Click here to backup  game files."},
            {"FrmWavHelp1", "LblStepThree", "Click to lock in game  file selection."},
            {"FrmWavHelp1", "LblEffects", "Return to Sonaplex-Background Music ."},
            {"FrmWavHelp2", "LblRemove2",
                "Click either one of the six  \"Remove\"  buttons to clear any unwanted selections from the list."},
            {"FrmSaveSetInfo", "LblNamingSetsb",
                "\"MrPatt\" identifies the game to which the set belongs, and \"TZone\" uses a key word to describe "
                "one key characteristic about the set. Such as one specific sound effect that stands out above the "
                "others."},
            {"FrmBackupHelpMidi", "FramBackupNote", "Note:"},
        };
        const QHash<QString, QString> titles{{"FrmMidiHelp", "Sonaplex Step-by-Step Visual Tutorial "},
            {"FrmMidiHelp2", "Sonaplex Step-by-Step Visual Tutorial"},
            {"FrmSaveSetInfo", "The Sonaplex Step-by-Step Visual Tutorial"}};
        // The seven pages of the selection windows, and one each for Restore, Packs and Game Sounds.
        QCOMPARE(tutorialPages().size(), size_t(10));
        for (const PageSetup& page : tutorialPages()) {
            if (titles.contains(page.name))
                QCOMPARE(page.title, titles[page.name]);
            for (const auto& t : texts) {
                if (page.name != QLatin1String(t.page))
                    continue;
                const auto item = std::find_if(page.items.begin(), page.items.end(),
                    [&](const PageItem& i) { return i.name == QLatin1String(t.control); });
                QVERIFY2(item != page.items.end(), t.control);
                QCOMPARE(item->text, QString::fromUtf8(t.text));
            }
        }
    }

    void helpPagesOpenStackAndJoinNotesToControls()
    {
        // The music pages, then the sound-effects pages with the topic pages stacked on them.
        whileOpen(
            "FrmMidi", "CmdHelpMidi", "FrmMidiHelp", [&] { checkPage("FrmMidiHelp", 10); }, "CmdMidiHelpOK");
        QVERIFY(!window("FrmMidiHelp"));
        click("FrmMidi", "CmdSonaplex");
        whileOpen(
            "FrmCopyMidi", "CmdMidiHelp2", "FrmMidiHelp2",
            [&] {
                checkPage("FrmMidiHelp2", 7);
                whileOpen(
                    "FrmMidiHelp2", "CmdAboutBackup1", "FrmBackupHelpMidi", [&] { QVERIFY(isShown("FrmMidiHelp2")); },
                    "CmdBackupHelpMidi");
                QVERIFY(!window("FrmBackupHelpMidi"));
            },
            "CmdMidiHelpOK2");
        click("FrmCopyMidi", "CmdExitFrmCopyMidi");
        click("FrmMidi", "CmdGotoWavSelect1");
        whileOpen(
            "FrmWavSelect", "CmdWavHelp1", "FrmWavHelp1", [&] { checkPage("FrmWavHelp1", 10); }, "CmdWavHelp1OK");
        click("FrmWavSelect", "CmdSwitch");
        whileOpen(
            "FrmCopyWavs", "CmdWavHelp2", "FrmWavHelp2",
            [&] {
                checkPage("FrmWavHelp2", 7);
                QWidget* first = nullptr;
                for (int round = 0; round < 2; ++round)
                    whileOpen(
                        "FrmWavHelp2", "CmdSaveSetsInfo", "FrmSaveSetInfo",
                        [&] {
                            QWidget* now = window("FrmSaveSetInfo");
                            QVERIFY(!first || now == first); // only hidden in between, never made again
                            first = now;
                        },
                        "CmdSetSaveInfoOK");
                QVERIFY(window("FrmSaveSetInfo") && !isShown("FrmSaveSetInfo"));
                whileOpen(
                    "FrmWavHelp2", "CmdAboutBackup2", "FrmBackupHelpWav", [] {}, "CmdBackupHelpWav");
            },
            "CmdWavHelp2OK");
        QVERIFY(!window("FrmWavHelp2"));
    }

private:
    // Every line runs from the edge of its note to a point inside the control it names, and that
    // control lies inside the page's picture.
    void checkPage(const QString& name, int lineCount)
    {
        auto* page = static_cast<TutorialPage*>(window(name));
        QCOMPARE(int(page->lines().size()), lineCount);
        for (const TutorialPage::Line& l : page->lines()) {
            const QString what = name + ": " + l.connector.note + " -> " + l.connector.target;
            const QRectF picture = page->findChild<QWidget*>(l.connector.picture)->geometry();
            QVERIFY2(l.targetArea.contains(l.line.p2()), qPrintable(what));
            QVERIFY2(picture.adjusted(-1, -1, 1, 1).contains(l.targetArea), qPrintable(what));
            const QRectF note = page->findChild<QWidget*>(l.connector.note)->geometry();
            const bool onEdge = qFuzzyCompare(l.line.p1().x(), note.left())
                || qFuzzyCompare(l.line.p1().x(), note.right()) || qFuzzyCompare(l.line.p1().y(), note.top())
                || qFuzzyCompare(l.line.p1().y(), note.bottom());
            QVERIFY2(onEdge && note.adjusted(-0.5, -0.5, 0.5, 0.5).contains(l.line.p1()), qPrintable(what));
        }
        for (QGroupBox* frame : page->findChildren<QGroupBox*>()) {
            QCOMPARE(frame->font().family(), QStringLiteral("Times New Roman"));
            QVERIFY(frame->font().bold());
        }
    }
};

SONAPLEX_TEST_MAIN(TestInfo)
#include "test_info.moc"
