// Start-up, the move between the music and sound-effects windows, and the program folder.
#include "info/tutorial_page.h"
#include "support.h"
#include "ui/browser_pane.h"
#include "ui/desktop.h"
#include "ui/splash_art.h"
#include "ui/window_names.h"
#include "ui/window_parts.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <csignal>
#include <unistd.h>

using namespace sonaplex;
using namespace sonaplex::test;

class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void startupShowsVersionAndEnterOpensMusic()
    {
        Program program;
        QVERIFY(isShown("frmSplash"));
        // The first window comes up without the audio stack: FluidSynth and the audio output
        // (Qt Multimedia) load later, on a thread or at the first play.
        QFile maps("/proc/self/maps");
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(!mapped.contains("libfluidsynth"));
        QVERIFY(!mapped.contains("libQt6Multimedia"));
        QCOMPARE(text("frmSplash", "lblVersion"), QStringLiteral("Version 1.2.0"));
        // The logo and title the window carries are what the program's drawing code draws.
        const auto shown = [](const char* name) {
            return window("frmSplash")->findChild<QLabel*>(name)->pixmap().toImage().convertToFormat(
                QImage::Format_ARGB32_Premultiplied);
        };
        QCOMPARE(shown("imgLogo"), drawLogo(splashLogoSize.width()).toImage());
        QCOMPARE(shown("OLE1"), drawTitleArt(splashTitleSize.width(), splashTitleSize.height()).toImage());
        QCOMPARE(programVersion(), QStringLiteral("1.2.0"));
        program.enter();
        QVERIFY(isShown("FrmMidi"));
        QVERIFY(!window("frmSplash"));
        QCOMPARE(window("FrmMidi")->windowTitle(), QStringLiteral("Sonaplex/Background Music"));
    }

    void typedKeyOnStartupEndsTheProgram()
    {
        Program program;
        QTest::keyClick(window("frmSplash"), Qt::Key_Q);
        QTRY_VERIFY(program.forms().hasEnded());
        QVERIFY(!isShown("FrmMidi"));
        QVERIFY(!isShown("frmSplash"));
    }

    void favoritesFolderIsMadeInTheProgramFolderQuietly()
    {
        QTemporaryDir elsewhere;
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(elsewhere.path());
        {
            Program program;
            program.enter();
            QVERIFY(QFileInfo(program.path("Favorite Midi")).isDir());
            QVERIFY(!QFileInfo(elsewhere.path() + "/Favorite Midi").exists());
            // Back through the sound-effects window: the music window loads again, folder there.
            click("FrmMidi", "CmdGotoWavSelect1");
            click("FrmWavSelect", "CmdQuit2");
            QVERIFY(isShown("FrmMidi"));
            QVERIFY(program.messages.messages.empty());
        }
        QDir::setCurrent(cwd);
    }

    void musicToEffectsAndBackGivesAFreshMusicWindow()
    {
        Program program;
        program.enter();
        QWidget* first = window("FrmMidi");
        QVERIFY(writeFile(program.path("song.mid"), "x"));
        auto* files = control<FileList>("FrmMidi", "FleMidi2");
        control<FolderList>("FrmMidi", "DirMidi2")->setPath(program.folder.path());
        QTRY_VERIFY(!files->isListing());
        files->setFileName("song.mid");
        click("FrmMidi", "CmdChooseGame1mid");
        QCOMPARE(text("FrmMidi", "LblGameMidi1"), QStringLiteral("song.mid"));

        click("FrmMidi", "CmdGotoWavSelect1");
        QVERIFY(isShown("FrmWavSelect"));
        QCOMPARE(window("FrmWavSelect")->windowTitle(), QStringLiteral("Sonaplex/Sound Effects"));
        QVERIFY(!isShown("FrmMidi"));
        click("FrmWavSelect", "CmdQuit2");
        QVERIFY(isShown("FrmMidi"));
        QVERIFY(window("FrmMidi") != first || !first->isVisible());
        QCOMPARE(text("FrmMidi", "LblGameMidi1"), QString());
        QVERIFY(!window("FrmWavSelect"));
        // The selection made earlier is still the side's, for its review window to show.
        QCOMPARE(reviewText("FrmCopyMidi", "LblFileName1b"), QStringLiteral("song.mid"));
        QVERIFY(!isShown("FrmCopyMidi"));
    }

    void paneTooltipsNameWhatEachPaneIsFor()
    {
        Program program;
        program.enter();
        const QString repeat = " files. NOTE: To repeat a selection you must click on it again.";
        QCOMPARE(control<QWidget>("FrmMidi", "DirMidi1")->toolTip(),
            QStringLiteral("Display's the directories on your hard drive. Access a replacement directory or your "
                           "Favorite Midi Folder from this list."));
        QCOMPARE(control<QWidget>("FrmMidi", "MMControlMidi2")->toolTip(), "Sample game or program midi" + repeat);
        QCOMPARE(control<QWidget>("FrmMidi", "FleMidi2")->toolTip(),
            QStringLiteral("Choose the game files you wish to replace from this list box."));
        QCOMPARE(control<QWidget>("FrmMidi", "DrvMidi1")->toolTip(), QStringLiteral("Select Drive"));
        click("FrmMidi", "CmdGotoWavSelect1");
        QCOMPARE(control<QWidget>("FrmWavSelect", "DirWav2")->toolTip(),
            QStringLiteral("Display's the directories on your hard drive. Access a replacement directory or an "
                           "Effects Set from this list."));
        QCOMPARE(control<QWidget>("FrmWavSelect", "DirWav1")->toolTip(),
            QStringLiteral("Display's the directories on your hard drive. Access a game directory or program "
                           "directory from this list."));
        QCOMPARE(control<QWidget>("FrmWavSelect", "MMControlWav2")->toolTip(), "Sample replacement wav" + repeat);
        QCOMPARE(control<QWidget>("FrmWavSelect", "FleWav2")->toolTip(),
            QStringLiteral("Choose the files you wish to use as replacements from this list box."));
        QCOMPARE(control<QWidget>("FrmWavSelect", "LblSampleWav1")->objectName(), QStringLiteral("LblSampleWav1"));
    }

    void exitProgramEndsAtOnceWhateverIsOpen()
    {
        Program program;
        program.enter();
        click("FrmMidi", "CmdSonaplex");
        QVERIFY(isShown("FrmCopyMidi"));
        click("FrmCopyMidi", "CmdExitFrmCopyMidi");
        click("FrmMidi", "CmdExit1");
        QVERIFY(program.forms().hasEnded());
        QVERIFY(!isShown("FrmMidi"));
    }

    void everyControlIsNamedForScreenReadersAndEscClosesWhatHasACloseBox()
    {
        Program program;
        program.enter();
        auto check = [](const QString& form) {
            for (QWidget* w : window(form)->findChildren<QWidget*>()) {
                if (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QAbstractItemView*>(w)
                    && !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractSlider*>(w))
                    continue;
                if (qobject_cast<QScrollBar*>(w) || w->objectName().startsWith("qt_")
                    || (w->parentWidget() && w->parentWidget()->objectName().startsWith("qt_")))
                    continue; // parts of another control, which Qt names itself
                QVERIFY2(!w->accessibleName().isEmpty(),
                    qPrintable(form + "/" + w->objectName() + " " + w->metaObject()->className()));
                if (!w->toolTip().isEmpty())
                    QCOMPARE(w->accessibleDescription(), w->toolTip());
            }
        };
        check("FrmMidi");
        QCOMPARE(control<QWidget>("FrmMidi", "CmdExit1")->accessibleName(), QStringLiteral("Exit Program"));
        click("FrmMidi", "CmdSonaplex");
        check("FrmCopyMidi");
        // Esc leaves a review window as its Close button does; F1 opens a window's help.
        QTest::keyClick(window("FrmCopyMidi"), Qt::Key_Escape);
        QVERIFY(!isShown("FrmCopyMidi") && isShown("FrmMidi"));
        bool helped = false;
        onModal("FrmMidiHelp", [&] {
            helped = true;
            window("FrmMidiHelp")->close();
        });
        window("FrmMidi")->activateWindow();
        QTRY_VERIFY(window("FrmMidi")->isActiveWindow());
        QTest::keyClick(window("FrmMidi"), Qt::Key_F1);
        QVERIFY(helped);
        // The windows that came later have their help pages too: each a picture of the real
        // window, every note joined to the control it explains.
        for (const char* name : {"FrmRestore", "FrmPacks", "FrmGame"}) {
            const QString help = QLatin1String(name) + QStringLiteral("Help");
            QWidget& w = program.forms().load(QString::fromLatin1(name));
            w.show();
            w.activateWindow();
            QTRY_VERIFY(w.isActiveWindow());
            size_t notes = 0;
            onModal(help, [&] {
                notes = qobject_cast<TutorialPage*>(window(help))->lines().size();
                click(help, QStringLiteral("Cmd") + QLatin1String(name).mid(3) + QStringLiteral("HelpOK"));
            });
            QTest::keyClick(&w, Qt::Key_F1);
            QVERIFY2(notes == 6, name);
            QVERIFY(!isShown(help));
            w.close();
        }
        click("FrmMidi", "CmdSonaplex");
        click("FrmCopyMidi", "CmdExitFrmCopyMidi");
        // Esc in the only window on screen does not end the program; in a window over it, it
        // does what the close box does.
        QTest::keyClick(window("FrmMidi"), Qt::Key_Escape);
        QVERIFY(isShown("FrmMidi"));
        bool closed = false;
        onModal("FrmGameLinks", [&] {
            QTest::keyClick(window("FrmGameLinks"), Qt::Key_Escape);
            closed = !isShown("FrmGameLinks");
        });
        click("FrmMidi", "CmdMidiGames");
        QVERIFY(closed);
        click("FrmMidi", "CmdGotoWavSelect1");
        check("FrmWavSelect");
    }

    // A window opens another in a folder it may not include by name: every name it may use is
    // registered, and makes the window of that object name.
    void everyWindowNameIsRegisteredAndNamesItsWindow()
    {
        Program program;
        QStringList named;
        for (QLatin1StringView name : windowName::all)
            named << name;
        named.sort();
        QCOMPARE(program.forms().registeredNames(), named);
        for (const char* name : {"FrmPacks", "FrmRestore", "FrmGameLinks", "FrmSetName"})
            QCOMPARE(program.forms().load(QString::fromLatin1(name)).objectName(), QString::fromLatin1(name));
        // Each has the program's icon in its title bar.
        for (QLatin1StringView name : windowName::all) {
            const QIcon icon = program.forms().load(QString(name)).windowIcon();
            QVERIFY2(!icon.pixmap(32).isNull() && icon.availableSizes().contains(QSize(32, 32)), name.data());
        }
    }

    void windowsLargerThanTheScreenScrollWithinIt()
    {
        // The test screen is 800x600: the start-up window fits and keeps its fixed size, the
        // sound-effects window and the tutorial pages (laid out and placed by hand) do not.
        Program program;
        QVERIFY(!window("frmSplash")->findChild<QScrollArea*>("WindowView"));
        program.enter();
        auto fitted = [](const QString& form) {
            QWidget* w = window(form);
            const QSize room = w->screen()->availableGeometry().size();
            QVERIFY2(w->width() <= room.width() && w->height() <= room.height(), qPrintable(form));
            auto* view = w->findChild<QScrollArea*>("WindowView");
            QVERIFY2(view, qPrintable(form));
            // The user can scroll to every control, or enlarge the window to show them all.
            QVERIFY(view->horizontalScrollBar()->maximum() > 0 || view->verticalScrollBar()->maximum() > 0);
            QVERIFY(w->maximumWidth() >= view->widget()->width() && w->maximumHeight() >= view->widget()->height());
            for (QWidget* c : view->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(
                    !c->isVisible() || view->widget()->rect().contains(c->geometry()), qPrintable(c->objectName()));
        };
        click("FrmMidi", "CmdGotoWavSelect1");
        fitted("FrmWavSelect");
        QVERIFY(control<QWidget>("FrmWavSelect", "CmdReplaceWav6")->isVisible());
        bool helpFitted = false;
        onModal("FrmWavHelp1", [&] {
            fitted("FrmWavHelp1");
            helpFitted = control<QWidget>("FrmWavHelp1", "LblStepThree")->isVisible();
            click("FrmWavHelp1", "CmdWavHelp1OK");
        });
        click("FrmWavSelect", "CmdWavHelp1");
        QVERIFY(helpFitted);
    }

    void panesStartWhereTheUserLeftThem()
    {
        QTemporaryDir disk;
        const QString music = disk.path() + "/Game/music", mine = disk.path() + "/Mine";
        QDir().mkpath(music);
        QDir().mkpath(mine);
        Program program;
        program.enter();
        control<FolderList>("FrmMidi", "DirMidi2")->setPath(music);
        control<FolderList>("FrmMidi", "DirMidi1")->setPath(mine);
        auto shown
            = [](const char* list) { return QDir::fromNativeSeparators(control<FolderList>("FrmMidi", list)->path()); };
        // Across windows: the music window is made afresh when the user comes back to it.
        click("FrmMidi", "CmdGotoWavSelect1");
        click("FrmWavSelect", "CmdQuit2");
        QCOMPARE(shown("DirMidi2"), music);
        QCOMPARE(shown("DirMidi1"), mine);
        // Across runs of the program.
        program.forms().endProgram();
        startProgram(program.folder.path());
        program.enter();
        QCOMPARE(shown("DirMidi2"), music);
        // A folder that is gone since: the home folder.
        program.forms().endProgram();
        QVERIFY(QDir(disk.path() + "/Game").removeRecursively());
        startProgram(program.folder.path());
        program.enter();
        QCOMPARE(shown("DirMidi2"), QDir::homePath());
        QCOMPARE(shown("DirMidi1"), mine);
    }

    void headingsReadInADarkTheme()
    {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        dark.setColor(QPalette::Window, QColor(45, 45, 48));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        {
            Program program;
            program.enter();
            for (auto [name, hue] : {std::pair{"LblGameMidiFilesTitle", 0}, std::pair{"LblReplaceMidiTitle", 240}}) {
                auto* heading = control<QLabel>("FrmMidi", name);
                const QColor text = heading->palette().color(QPalette::WindowText);
                QVERIFY2(contrastRatio(text, QColor(45, 45, 48)) >= 4.5, name);
                QCOMPARE(text.hslHue(), hue); // still red for game files, blue for replacements
            }
        }
        QApplication::setPalette(light);
        // On the light window the red is darkened just enough to read too.
        Program program;
        program.enter();
        auto* red = control<QLabel>("FrmMidi", "LblGameMidiFilesTitle");
        QVERIFY(contrastRatio(red->palette().color(QPalette::WindowText), light.color(QPalette::Window)) >= 4.5);
    }

    void theProgramEndsWhenTheDesktopAsks()
    {
        // QApplication::quit(), as a session that ends sends it, with windows open (one modal).
        {
            Program program;
            program.enter();
            click("FrmMidi", "CmdSonaplex");
            QTimer::singleShot(20, [] { QCoreApplication::quit(); });
            QTimer::singleShot(5000, [] { QCoreApplication::exit(1); }); // were it refused
            QCOMPARE(QApplication::exec(), 0); // quit() asks only a running application
            QVERIFY(program.forms().hasEnded());
            QVERIFY(!isShown("FrmCopyMidi"));
        }
        // SIGTERM, as a logout or `kill` sends it.
        Program program;
        program.enter();
        ::kill(::getpid(), SIGTERM);
        QTRY_VERIFY(program.forms().hasEnded());
        QVERIFY(!isShown("FrmMidi"));
    }

    void closingTheMainWindowNeverLeavesTheProgramInvisible()
    {
        Program program;
        program.enter();
        click("FrmMidi", "CmdChooseGame1mid"); // loads the review window, hidden
        window("FrmMidi")->close();
        QTRY_VERIFY(program.forms().hasEnded());
    }
};

SONAPLEX_TEST_MAIN(TestProgram)
#include "test_program.moc"
