// SWITCH and "Replace" never cost a game file: swapped and chained selections, files that are
// not sound, the same game file twice, FIFOs, names that are not UTF-8 or are very long, on both
// sides, through the real windows and files.
#include "audio/audio_support.h"
#include "actions/replacement.h"
#include "words/report_words.h"
#include "support.h"
#include "ui/browser_pane.h"
#include "ui/long_work.h"
#include "ui/review_window.h"

#include <QTreeView>
#include <QtTest>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {
// The names that tell the two sides apart.
struct Side {
    QString selection, review, gameList, gameFolders, replacementList, replacementFolders;
    QString gameButton, replaceButton, switchButton, next, errorTitle, ext;
    QString gameButtonName(int n) const { return gameButton.arg(n); }
    QString replaceButtonName(int n) const { return replaceButton.arg(n); }
};
const Side kMusic{"FrmMidi", "FrmCopyMidi", "FleMidi2", "DirMidi2", "FleMidi1", "DirMidi1", "CmdChooseGame%1mid",
    "CmdReplaceMidi%1", "CmdSwitch3", "CmdSonaplex", "Midi Selection Error", "mid"};
const Side kEffects{"FrmWavSelect", "FrmCopyWavs", "FleWav1", "DirWav1", "FleWav2", "DirWav2", "CmdChooseGame%1",
    "CmdReplaceWav%1", "CmdSwitch2", "CmdSwitch", "Wav Selection Error", "wav"};
} // namespace

class TestSwitchSafety : public QObject {
    Q_OBJECT
    std::unique_ptr<Program> program;
    QTemporaryDir disk;
    QString game;

    // A real sound of the side's kind, different for each n; the wave files all in one format.
    QByteArray sound(const Side& side, int n)
    {
        if (side.ext == "mid")
            return MidiBuilder().track().note(0, 480 * n, 0, 60 + n).bytes();
        const QString tmp = disk.path() + "/tmp.wav";
        writeWave(tmp, referenceSignal(8000, 1, 0.05 + 0.01 * n), 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        const QByteArray bytes = readAll(tmp);
        QFile::remove(tmp);
        return bytes;
    }
    QString file(const QString& name) { return game + "/" + name; }
    // Every name in a folder, those that are not UTF-8 included (QDir passes over them).
    static int namesIn(const QString& folder)
    {
        int n = 0;
        DIR* dir = ::opendir(QFile::encodeName(folder).constData());
        while (const dirent* e = dir ? ::readdir(dir) : nullptr)
            n += qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0;
        if (dir)
            ::closedir(dir);
        return n;
    }

    void open(const Side& side)
    {
        if (side.selection == kEffects.selection)
            click("FrmMidi", "CmdGotoWavSelect1");
        QVERIFY(isShown(side.selection));
    }
    void highlight(const Side& side, bool gameSide, const QString& name)
    {
        const QString list = gameSide ? side.gameList : side.replacementList;
        auto* files = control<FileList>(side.selection, list);
        QVERIFY(files);
        control<FolderList>(side.selection, gameSide ? side.gameFolders : side.replacementFolders)->setPath(game);
        QTRY_VERIFY(!files->isListing());
        files->setFileName(name);
        QCOMPARE(files->fileName(), name);
    }
    void choose(const Side& side, int n, const QString& gameName, const QString& replacementName)
    {
        highlight(side, true, gameName);
        click(side.selection, side.gameButtonName(n));
        highlight(side, false, replacementName);
        click(side.selection, side.replaceButtonName(n));
    }
    void switchNow(const Side& side)
    {
        click(side.selection, side.next);
        QVERIFY(isShown(side.review));
        click(side.review, side.switchButton);
    }

private slots:
    void init()
    {
        QDir(disk.path()).removeRecursively();
        game = disk.path() + "/Game";
        QDir().mkpath(game);
        program = std::make_unique<Program>();
        program->enter();
    }
    void cleanup() { program.reset(); }

    void swapsAndChainsUseEveryFileAsItWas_data()
    {
        QTest::addColumn<bool>("music");
        QTest::newRow("music") << true;
        QTest::newRow("sound effects") << false;
    }
    void swapsAndChainsUseEveryFileAsItWas()
    {
        QFETCH(bool, music);
        const Side& side = music ? kMusic : kEffects;
        const QString a = "a." + side.ext, b = "b." + side.ext, c = "c." + side.ext, d = "d." + side.ext;
        const QByteArray A = sound(side, 1), B = sound(side, 2), C = sound(side, 3), D = sound(side, 4);
        for (auto [name, bytes] : {std::pair{a, A}, {b, B}, {c, C}, {d, D}})
            QVERIFY(writeFile(file(name), bytes));
        open(side);
        // 1 and 2 swap a and b; 3 replaces c by d, which no selection changes.
        choose(side, 1, a, b);
        choose(side, 2, b, a);
        choose(side, 3, c, d);
        switchNow(side);
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        QVERIFY(isShown("FrmReplaceConfirm"));
        QCOMPARE(readAll(file(a)), B);
        QCOMPARE(readAll(file(b)), A);
        QCOMPARE(readAll(file(c)), D);
        QCOMPARE(readAll(file(d)), D);
        QCOMPARE(QDir(game).entryList(QDir::Files | QDir::Hidden).size(), 4); // nothing left behind
    }

    void aThreeWayChainRotates()
    {
        // x takes y, y takes z, z takes x: each gets what its replacement held at SWITCH.
        const QByteArray X = sound(kMusic, 1), Y = sound(kMusic, 2), Z = sound(kMusic, 3);
        QVERIFY(writeFile(file("x.mid"), X) && writeFile(file("y.mid"), Y) && writeFile(file("z.mid"), Z));
        choose(kMusic, 1, "x.mid", "y.mid");
        choose(kMusic, 2, "y.mid", "z.mid");
        choose(kMusic, 3, "z.mid", "x.mid");
        switchNow(kMusic);
        QVERIFY(isShown("FrmReplaceConfirm"));
        QCOMPARE(readAll(file("x.mid")), Y);
        QCOMPARE(readAll(file("y.mid")), Z);
        QCOMPARE(readAll(file("z.mid")), X);
    }

    void filesThatAreNotSoundNeverReplaceAGameFile_data()
    {
        QTest::addColumn<bool>("music");
        QTest::newRow("music") << true;
        QTest::newRow("sound effects") << false;
    }
    void filesThatAreNotSoundNeverReplaceAGameFile()
    {
        QFETCH(bool, music);
        const Side& side = music ? kMusic : kEffects;
        const QString loud = "loud." + side.ext;
        const QByteArray original1 = sound(side, 1), original2 = sound(side, 2);
        QVERIFY(writeFile(file("game1." + side.ext), original1));
        QVERIFY(writeFile(file("game2." + side.ext), original2));
        QVERIFY(writeFile(file(loud), "this is a text file, not a sound\n"));
        QVERIFY(writeFile(file("good." + side.ext), sound(side, 5)));
        open(side);

        // Refused at "Replace", with the file and the reason named.
        highlight(side, true, "game1." + side.ext);
        click(side.selection, side.gameButtonName(1));
        highlight(side, false, loud);
        click(side.selection, side.replaceButtonName(1));
        QCOMPARE(program->messages.lastTitle(), side.errorTitle);
        QVERIFY2(program->messages.lastText().contains(loud)
                && program->messages.lastText().contains(music ? "not a Standard MIDI File" : "not a wave file"),
            qPrintable(program->messages.lastText()));
        QCOMPARE(reviewText(side.review, music ? "LblMidiFileName1" : "LblRepFile1"), QString());

        // A good replacement that turns into something else before SWITCH is checked again:
        // it is named and not copied, and the other selection goes on.
        highlight(side, false, "good." + side.ext);
        click(side.selection, side.replaceButtonName(1));
        choose(side, 2, "game2." + side.ext, "good." + side.ext);
        QVERIFY(writeFile(file("good." + side.ext), "overwritten by a text file"));
        QVERIFY(writeFile(file("other." + side.ext), sound(side, 6)));
        program->messages.clear();
        click(side.selection, side.next);
        // Selection 2 now points at another good file, written straight into the review window.
        auto* review = dynamic_cast<ReviewWindow*>(window(side.review));
        QVERIFY(review);
        review->board()->model().setReplacementFile(2, file("other." + side.ext), "other." + side.ext);
        QCOMPARE(reviewText(side.review, music ? "LblMidiReplacePath2" : "LblReplacePath2"), file("other." + side.ext));
        click(side.review, side.switchButton);
        const QString report = program->messages.lastText();
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Replacement Error"));
        QVERIFY2(report.contains("Selection 1 (game1." + side.ext + ")") && report.contains("good." + side.ext),
            qPrintable(report));
        QVERIFY(!report.contains("Selection 2"));
        QVERIFY(!window("FrmReplaceConfirm"));
        QCOMPARE(readAll(file("game1." + side.ext)), original1);
        QCOMPARE(readAll(file("game2." + side.ext)), sound(side, 6));
    }

    void theSameGameFileTwiceIsRefusedUpFront()
    {
        QVERIFY(writeFile(file("TRACK1.MID"), sound(kMusic, 1)));
        QVERIFY(writeFile(file("song2.mid"), sound(kMusic, 2)));
        QVERIFY(writeFile(file("song3.mid"), sound(kMusic, 3)));
        QVERIFY(QFile::link(file("TRACK1.MID"), file("alias.mid"))); // another name for it
        choose(kMusic, 1, "TRACK1.MID", "song2.mid");
        choose(kMusic, 2, "song2.mid", "song3.mid");
        choose(kMusic, 3, "alias.mid", "song3.mid");
        switchNow(kMusic);
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("File Selection Error"));
        QVERIFY2(program->messages.lastText().contains("Selections 1 and 3"), qPrintable(program->messages.lastText()));
        QVERIFY(!window("FrmReplaceConfirm"));
        QCOMPARE(readAll(file("TRACK1.MID")), sound(kMusic, 1));
        QCOMPARE(readAll(file("song2.mid")), sound(kMusic, 2)); // nothing at all was copied
    }

    // A SWITCH that takes a while shows files and bytes in a progress window whose Cancel
    // leaves every game file as it was; the windows go on meanwhile (the wait below runs on
    // this thread's events while the copies are made).
    void aLongSwitchShowsProgressAndCanBeCancelled()
    {
        for (int n = 1; n <= 6; ++n) {
            // Big replacements in the game files' format: 16-bit mono at 8000 Hz, 24 MB of samples.
            const qint32 size = 24 << 20;
            QByteArray wave;
            QDataStream out(&wave, QIODevice::WriteOnly);
            out.setByteOrder(QDataStream::LittleEndian);
            out.writeRawData("RIFF", 4);
            out << qint32(36 + size);
            out.writeRawData("WAVEfmt ", 8);
            out << qint32(16) << qint16(1) << qint16(1) << qint32(8000) << qint32(16000) << qint16(2) << qint16(16);
            out.writeRawData("data", 4);
            out << size;
            QVERIFY(writeFile(file(QStringLiteral("big%1.wav").arg(n)), wave + QByteArray(size, char(n))));
            QVERIFY(writeFile(file(QStringLiteral("fx%1.wav").arg(n)), sound(kEffects, n)));
        }
        open(kEffects);
        for (int n = 1; n <= 6; ++n)
            choose(kEffects, n, QStringLiteral("fx%1.wav").arg(n), QStringLiteral("big%1.wav").arg(n));
        // The formats are compared first, off the window's thread; the progress wanted is the copy's.
        const SelectionList& chosen = program->forms().selections(kEffects.review, 6, true);
        for (int n = 1; n <= 6; ++n)
            QTRY_VERIFY(chosen.format(n).state != FormatCheck::State::Pending);
        LongWork::setShowAfter(std::chrono::milliseconds(0));
        QString shown;
        onModal("WorkProgress", [&] {
            shown = QApplication::activeModalWidget()->findChild<QLabel*>()->text();
            QApplication::activeModalWidget()->findChild<QPushButton*>()->click();
        });
        switchNow(kEffects);
        LongWork::setShowAfter(std::chrono::milliseconds(500));
        QVERIFY2(shown.contains(QRegularExpression("File [1-6] of 6, .* of 144")), qPrintable(shown)); // 6 x 24 MiB
        QCOMPARE(program->messages.lastTitle(), QStringLiteral("Replacement Error"));
        const QString report = program->messages.lastText();
        QVERIFY2(report.startsWith("No game file was replaced") && report.count("because the run was cancelled") == 6,
            qPrintable(report));
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(readAll(file(QStringLiteral("fx%1.wav").arg(n))), sound(kEffects, n));
        QCOMPARE(QDir(game).entryList(QDir::Files | QDir::Hidden).size(), 12); // no copy left behind
        QVERIFY(!window("FrmReplaceConfirm"));
    }

    // A FIFO (or any file that is not a regular file) is refused by name wherever it turns up,
    // and nothing waits for a writer that never comes.
    void filesThatAreNotRegularAreRefusedWithoutWaiting()
    {
        for (int n = 1; n <= 2; ++n) {
            QVERIFY(writeFile(file(QStringLiteral("fx%1.wav").arg(n)), sound(kEffects, n)));
            QVERIFY(writeFile(file(QStringLiteral("new%1.wav").arg(n)), sound(kEffects, 10 + n)));
        }
        open(kEffects);
        // A game file that becomes a FIFO between Next and SWITCH (the panes list regular files only).
        choose(kEffects, 1, "fx1.wav", "new1.wav");
        choose(kEffects, 2, "fx2.wav", "new2.wav");
        click(kEffects.selection, kEffects.next);
        QVERIFY(QFile::remove(file("fx1.wav")));
        QCOMPARE(::mkfifo(QFile::encodeName(file("fx1.wav")).constData(), 0644), 0);
        program->messages.clear();
        click(kEffects.review, kEffects.switchButton);
        const QString report = program->messages.lastText();
        QVERIFY2(report.contains("Selection 1 (fx1.wav)") && report.contains("is not a regular file"), qPrintable(report));
        QVERIFY(!report.contains("Selection 2"));
        QCOMPARE(readAll(file("fx2.wav")), sound(kEffects, 12));
        QVERIFY(QFileInfo(file("fx1.wav")).isSymLink() || !QFileInfo(file("fx1.wav")).isFile());
        // The restore window reads the recorded folder, FIFO and all, without waiting on it.
        QVERIFY(QFile::remove(file("fx2.wav")));
        QCOMPARE(::mkfifo(QFile::encodeName(file("fx2.wav")).constData(), 0644), 0);
        QString state;
        onModal("FrmRestore", [&] {
            const QAbstractItemModel* list = control<QTreeView>("FrmRestore", "LstReplaced")->model();
            for (int f = 0; f < list->rowCount(); ++f)
                for (int r = 0; r < list->rowCount(list->index(f, 0)); ++r)
                    if (const QModelIndex i = list->index(r, 0, list->index(f, 0));
                        i.data(Qt::ToolTipRole).toString() == file("fx2.wav"))
                        state = i.siblingAtColumn(3).data().toString();
            click("FrmRestore", "CmdCloseRestore");
        });
        click(kEffects.review, "CmdRestore");
        QCOMPARE(state, QStringLiteral("cannot be read")); // there, but not a file: never "missing"
    }

    // Old games unpacked on Linux carry Latin-1 names: such a file is greyed with the reason,
    // refused at both buttons and by SWITCH, and never replaced by a file under another name.
    void namesThatAreNotUtf8AreRefusedNotReplacedByAnotherName()
    {
        const QByteArray raw = QFile::encodeName(game) + "/bad\xff\xfename.wav";
        {
            QFile f;
            const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            QVERIFY(fd >= 0);
            QVERIFY(f.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
            f.write(sound(kEffects, 1));
        }
        QVERIFY(writeFile(file("good.wav"), sound(kEffects, 2)));
        open(kEffects);
        auto* files = control<FileList>(kEffects.selection, kEffects.gameList);
        control<FolderList>(kEffects.selection, kEffects.gameFolders)->setPath(game);
        QTRY_VERIFY(!files->isListing());
        const QString shown = QFile::decodeName(QByteArray("bad\xff\xfename.wav"));
        QModelIndex bad;
        for (int r = 0; r < files->model()->rowCount(); ++r)
            if (files->model()->index(r, 0).data().toString() == shown)
                bad = files->model()->index(r, 0);
        QVERIFY(bad.isValid());
        QVERIFY(bad.data(Qt::ToolTipRole).toString().contains("cannot be read as UTF-8"));
        QVERIFY(bad.data(Qt::ForegroundRole).isValid());
        files->setFileName(shown);
        click(kEffects.selection, kEffects.gameButtonName(1));
        QCOMPARE(program->messages.lastTitle(), kEffects.errorTitle);
        QVERIFY2(program->messages.lastText().contains("cannot be read as UTF-8"), qPrintable(program->messages.lastText()));
        QCOMPARE(text(kEffects.selection, "LblGameWav1"), QString());
        // And should such a name reach SWITCH, no file is made under the substituted name.
        const Report run = replaceGameFiles({Selection{game + "/" + shown, shown, file("good.wav"), "good.wav"}});
        QVERIFY2(!run.ok() && failureLines(run).join("").contains("cannot be read as UTF-8"), qPrintable(failureLines(run).join("")));
        QCOMPARE(namesIn(game), 2);
        QFile raw1;
        const int fd = ::open(raw.constData(), O_RDONLY);
        QVERIFY(fd >= 0 && raw1.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        QCOMPARE(raw1.readAll(), sound(kEffects, 1));
    }

    // "Game File" with nothing highlighted chooses no game file, not the folder under an empty name.
    void gameFileWithNothingHighlightedChoosesNothing()
    {
        QVERIFY(writeFile(file("fx1.wav"), sound(kEffects, 1)));
        open(kEffects);
        control<FolderList>(kEffects.selection, kEffects.gameFolders)->setPath(game);
        auto* files = control<FileList>(kEffects.selection, kEffects.gameList);
        QTRY_VERIFY(!files->isListing());
        files->setFileName(QString());
        click(kEffects.selection, kEffects.gameButtonName(1));
        QCOMPARE(reviewText(kEffects.review, "LblGamePath1"), QString());
        QCOMPARE(text(kEffects.selection, "LblGameWav1"), QString());
    }

    // A legal name of 250 bytes is replaced like any other (its temporary name fits the file
    // system's limit), and neither it nor a name with a line break moves the window's buttons.
    void longNamesAreReplacedAndShownOnOneLine()
    {
        const QString longName = QString(246, QLatin1Char('x')) + ".wav";
        const QString broken = "two\nlines.wav";
        QVERIFY(writeFile(file(longName), sound(kEffects, 1)));
        QVERIFY(writeFile(file(broken), sound(kEffects, 2)));
        QVERIFY(writeFile(file("new.wav"), sound(kEffects, 3)));
        open(kEffects);
        QWidget* selection = window(kEffects.selection);
        const QSize before = selection->sizeHint();
        choose(kEffects, 1, longName, "new.wav");
        choose(kEffects, 2, broken, "new.wav");
        QCOMPARE(text(kEffects.selection, "LblGameWav1"), longName); // the whole name, drawn elided
        QVERIFY2(selection->sizeHint().width() <= before.width() + 4,
            qPrintable(QStringLiteral("%1 -> %2").arg(before.width()).arg(selection->sizeHint().width())));
        QCOMPARE(selection->sizeHint().height(), before.height());
        switchNow(kEffects);
        QVERIFY2(program->messages.messages.empty(), qPrintable(program->messages.lastText()));
        QCOMPARE(readAll(file(longName)), sound(kEffects, 3));
        QCOMPARE(readAll(file(broken)), sound(kEffects, 3));
        QCOMPARE(QDir(game).entryList(QDir::Files | QDir::Hidden).size(), 3); // nothing left behind
    }
};

SONAPLEX_TEST_MAIN(TestSwitchSafety)
#include "test_switch_safety.moc"
