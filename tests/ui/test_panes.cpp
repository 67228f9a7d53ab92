// Browser panes on a real folder tree: pattern and letter case, the drive/folder/file chain,
// the full path handed to the player, folders that vanish, drives that are not ready.
#include "audio/audio_host.h"
#include "support.h"
#include "ui/browser_pane.h"
#include "ui/sample_player.h"

#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestPanes : public QObject {
    Q_OBJECT
    QTemporaryDir tree;

    BrowserPane* pane(const QString& pattern = QStringLiteral("*.Mid"))
    {
        auto* p = new BrowserPane({"Drv", "Dir", "Fle", "Lbl", "Player", {}, {}, {}, pattern, audio::DeviceKind::Sequencer},
            std::make_shared<audio::AudioHost>());
        p->setAttribute(Qt::WA_DeleteOnClose);
        return p;
    }
    static void waitListed(FileList* f) { QTRY_VERIFY(!f->isListing()); }
    static QStringList listed(FileList* f)
    {
        QStringList names;
        for (int i = 0; i < f->model()->rowCount(); ++i)
            names << f->model()->index(i, 0).data(Qt::ToolTipRole).toString();
        return names;
    }

private slots:
    void initTestCase()
    {
        QDir d(tree.path());
        d.mkpath("game/sub folder");
        d.mkpath("game/.hidden");
        for (const char* name : {"a.mid", "B.MID", "c.Mid", "song with spaces.mid", "ünï \"quoted\".mid",
                 "line\nbreak.mid", "notes.txt", "x.mid.bak", "track.midi"})
            QVERIFY(writeFile(tree.path() + "/game/" + QString::fromUtf8(name), "MThd"));
    }

    void fileListMatchesThePatternWhateverTheLetterCase()
    {
        std::unique_ptr<BrowserPane> p(pane());
        p->folders()->setPath(tree.path() + "/game");
        QCOMPARE(p->files()->path(), QDir::toNativeSeparators(tree.path() + "/game"));
        waitListed(p->files());
        QCOMPARE(listed(p->files()),
            (QStringList{"a.mid", "B.MID", "c.Mid", "line\nbreak.mid", "song with spaces.mid",
                QString::fromUtf8("ünï \"quoted\".mid")}));
        QCOMPARE(p->files()->listCount(), 6);
        QCOMPARE(p->files()->pattern(), QStringLiteral("*.Mid"));

        // The folder list shows the open folder's sub-folders, hidden ones left out.
        QTRY_VERIFY(!p->folders()->findItems("sub folder", Qt::MatchEndsWith).isEmpty());
        QVERIFY(p->folders()->findItems(".hidden", Qt::MatchEndsWith).isEmpty());
    }

    void clickLoadsThePlayerWithTheFullPath()
    {
        std::unique_ptr<BrowserPane> p(pane());
        p->folders()->setPath(tree.path() + "/game");
        waitListed(p->files());
        QCOMPARE(p->files()->fileName(), QString());
        p->files()->setFileName("song with spaces.mid");
        QVERIFY(p->files()->selected(int(listed(p->files()).indexOf("song with spaces.mid"))));
        QCOMPARE(p->player()->fileName(), tree.path() + "/game/song with spaces.mid");
        QCOMPARE(p->player()->deviceType(), QStringLiteral("Sequencer"));
        // Not a real MIDI file: the player says why and stays closed; the pane goes on working.
        QCOMPARE(p->player()->mode(), QStringLiteral("not open"));
        QVERIFY(!p->player()->problem().isEmpty());
        p->files()->setFileName("a.mid");
        QCOMPARE(p->player()->fileName(), tree.path() + "/game/a.mid");
    }

    void rootJoinKeepsBothSeparators()
    {
        std::unique_ptr<BrowserPane> p(pane());
        p->folders()->setPath("/");
        QCOMPARE(p->folders()->path(), QStringLiteral("/"));
        QCOMPARE(p->files()->path(), QStringLiteral("/"));
        QCOMPARE(p->files()->fullPath(), QStringLiteral("//"));
    }

    void aFolderThatVanishesLeavesAnEmptyListAndNoCrash()
    {
        QTemporaryDir doomed;
        QVERIFY(writeFile(doomed.path() + "/x.mid", "x"));
        std::unique_ptr<BrowserPane> p(pane());
        p->folders()->setPath(doomed.path());
        waitListed(p->files());
        QCOMPARE(p->files()->listCount(), 1);
        QVERIFY(doomed.remove());
        p->files()->setPath(p->folders()->path()); // looked at again
        waitListed(p->files());
        QCOMPARE(p->files()->listCount(), 0);
        QVERIFY(!p->folders()->trySetPath(doomed.path()));
        // Moving into a missing folder is refused and the list stays where it was.
        QCOMPARE(p->folders()->path(), QDir::toNativeSeparators(doomed.path()));
    }

    void theListFollowsTheDiskAndKeepsTheHighlight()
    {
        QTemporaryDir live;
        for (const char* name : {"rec10.mid", "rec2.mid", "Rec1.mid"})
            QVERIFY(writeFile(live.path() + "/" + name, "x"));
        std::unique_ptr<BrowserPane> p(pane());
        p->folders()->setPath(live.path());
        waitListed(p->files());
        QCOMPARE(listed(p->files()), QStringList({"Rec1.mid", "rec2.mid", "rec10.mid"})); // natural order
        p->files()->setFileName("rec2.mid");
        QSignalSpy clicks(p->files(), &FileList::fileClicked);
        // Added and removed by someone else: the list follows without being asked.
        QVERIFY(writeFile(live.path() + "/rec3.mid", "x"));
        QVERIFY(QFile::remove(live.path() + "/rec10.mid"));
        QTRY_COMPARE(listed(p->files()), QStringList({"Rec1.mid", "rec2.mid", "rec3.mid"}));
        QCOMPARE(p->files()->fileName(), QStringLiteral("rec2.mid")); // still highlighted,
        QCOMPARE(clicks.count(), 0); // and the player was not reopened
    }

    void driveNotReadyOffersRetryAndCancel()
    {
        MessageRecorder messages;
        std::unique_ptr<BrowserPane> p(pane());
        const QString before = p->drives()->drive();
        const QString folderBefore = p->folders()->path();
        QTemporaryDir media;
        const QString drive = media.path() + "/cdrom";
        messages.answers = {MessageAnswer::Retry, MessageAnswer::Retry}; // then Cancel
        p->drives()->setDrive(drive);
        QCOMPARE(messages.messages.size(), size_t(3));
        QCOMPARE(messages.lastText(), QStringLiteral("Please insert a disk or CD."));
        QCOMPARE(messages.lastTitle(), QStringLiteral("Drive Not Ready"));
        QCOMPARE(p->drives()->drive(), before);
        QCOMPARE(p->folders()->path(), folderBefore);

        // The disk goes in while the message is up: Retry then gets there.
        messages.clear();
        messages.answers = {MessageAnswer::Retry};
        struct InsertTheDisk : Desktop {
            QString drive;
            MessageAnswer showMessage(const Message&, QWidget*) override
            {
                QDir().mkpath(drive);
                return MessageAnswer::Retry;
            }
        } insert;
        insert.drive = drive;
        p->drives()->setDrive(drive);
        QCOMPARE(p->folders()->path(), QDir::toNativeSeparators(drive));
        QCOMPARE(p->drives()->drive(), drive);
    }
};

SONAPLEX_TEST_MAIN(TestPanes)
#include "test_panes.moc"
