// Damaged and disguised files: refused quickly with a reason, never a frozen window, never
// unbounded memory; the pane under the mouse does not move when the player's message comes.
#include "audio/audio_host.h"
#include "audio/audio_support.h"
#include "audio/bounded.h"
#include "audio/midi_file.h"
#include "audio/riff_walk.h"
#include "support.h"
#include "ui/browser_pane.h"
#include "ui/sample_player.h"

#include <QBuffer>
#include <QSlider>
#include <QDir>
#include <QtTest>

#include <future>

#include <atomic>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sonaplex;
using namespace sonaplex::test;

namespace {
void le32(QByteArray& b, uint32_t v)
{
    for (int s = 0; s < 32; s += 8)
        b.append(char(v >> s));
}
QByteArray chunk(const char* id, const QByteArray& body, uint32_t declared = 0xFFFFFFFFu)
{
    QByteArray c(id, 4);
    le32(c, declared == 0xFFFFFFFFu ? uint32_t(body.size()) : declared);
    c += body;
    if (body.size() & 1)
        c += '\0';
    return c;
}
QByteArray fmt16()
{
    return QByteArray::fromHex("01000100401f0000803e000002001000"); // PCM, mono, 8 kHz, 16-bit
}
QByteArray riff(const QByteArray& chunks)
{
    QByteArray f("RIFF");
    le32(f, uint32_t(chunks.size() + 4));
    return f + "WAVE" + chunks;
}
// The 72-byte file that makes libsndfile 1.2.0 loop for ever: a LIST chunk holding a
// sub-chunk that claims nearly 4 GB.
QByteArray hangingWave()
{
    QByteArray list("INFO");
    list += "ISFT";
    le32(list, 0xFFFFFFF8u);
    list += QByteArray(8, 'x');
    QByteArray f = riff(chunk("fmt ", fmt16()) + chunk("LIST", list) + chunk("data", QByteArray(4, '\0')));
    return f;
}
// Its minimised form, which a walk that reads a LIST chunk as a type and sub-chunks passes:
// libsndfile reads the type "wavl" as a sub-chunk whose size wraps its 32-bit count.
QByteArray wrappingListWave()
{
    QByteArray list("wavl");
    le32(list, 0xFFFFFFF8u);
    list += QByteArray(8, '\0');
    return riff(chunk("fmt ", fmt16()) + chunk("LIST", list) + chunk("data", QByteArray(200, '\1')));
}
QString riffProblemOf(const QByteArray& bytes)
{
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    return audio::riffProblem(b);
}
} // namespace

class TestDamagedFiles : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString& name) { return dir.path() + "/" + name; }

private slots:
    void chunkWalkRefusesWhatRunsPastTheEnd()
    {
        const QByteArray good = riff(chunk("fmt ", fmt16()) + chunk("data", QByteArray(100, '\1')));
        QCOMPARE(riffProblemOf(good), QString());
        QVERIFY(hangingWave().size() <= 80);
        QVERIFY(riffProblemOf(hangingWave()).contains("LIST"));
        // A chunk other than the sound data that claims more than the file holds.
        QVERIFY(!riffProblemOf(riff(chunk("fmt ", fmt16()) + chunk("smpl", "abcd", 0x7FFFFFF0u))).isEmpty());
        // Sound data cut short is what a stopped recording looks like: playable.
        QCOMPARE(riffProblemOf(riff(chunk("fmt ", fmt16()) + chunk("data", QByteArray(10, '\1'), 1000))), QString());
        QVERIFY(!riffProblemOf("OggS" + QByteArray(60, '\0')).isEmpty());
        QVERIFY(!riffProblemOf(riff(chunk("data", QByteArray(4, 0)))).contains("LIST")); // no format
        QVERIFY(!riffProblemOf(QByteArray("RIFF")).isEmpty());
        // Refused before the decoder, not after the bounded wait: nothing is left spinning.
        QVERIFY(riffProblemOf(wrappingListWave()).contains("never finish"));
        QVERIFY(riffProblemOf(riff(chunk("fmt ", fmt16()) + chunk("LIST", QByteArray("INFOISFT\x04\0\0\0abcd", 16))
                                  + chunk("data", QByteArray(4, '\0'))))
                    .isEmpty());
    }

    void theWavePlayerOpensWaveFilesOnly()
    {
        SamplePlayer player(std::make_shared<audio::AudioHost>());
        player.setDeviceType("WaveAudio");
        auto opens = [&](const QString& path) {
            player.setFileName(path);
            player.setCommand("open");
            return player.mode() == QStringLiteral("stopped");
        };
        // Every member of the WAV family plays: plain, extensible, RF64, and one cut short.
        const auto signal = referenceSignal(22050, 2, 0.3);
        QVERIFY(writeWave(at("plain.wav"), signal, 22050, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_U8));
        QVERIFY(writeWave(at("extensible.wav"), signal, 22050, 2, SF_FORMAT_WAVEX | SF_FORMAT_FLOAT));
        QVERIFY(writeWave(at("rf64.wav"), signal, 22050, 2, SF_FORMAT_RF64 | SF_FORMAT_PCM_24));
        QByteArray cut = readAll(at("plain.wav"));
        QVERIFY(writeFile(at("cut.wav"), cut.left(cut.size() / 2)));
        for (const char* name : {"plain.wav", "extensible.wav", "rf64.wav", "cut.wav"})
            QVERIFY2(opens(at(name)), qPrintable(QString(name) + ": " + player.problem()));

        // What libsndfile would open but is no wave file, and the file that hangs it: refused
        // with a reason, and the call returns.
        QVERIFY(writeWave(at("flac.wav"), signal, 22050, 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16));
        QVERIFY(writeFile(at("hang.wav"), hangingWave()));
        QVERIFY(writeFile(at("wrap.wav"), wrappingListWave()));
        // Rates and channel counts no sound card plays: every buffer sized by them would balloon.
        QVERIFY(writeFile(at("onehertz.wav"),
            riff(chunk("fmt ", QByteArray::fromHex("01000100010000000200000002001000"))
                + chunk("data", QByteArray(2, '\1')))));
        QVERIFY(writeFile(at("wide.wav"),
            riff(chunk("fmt ", QByteArray::fromHex("0100400000112b000080881580001000"))
                + chunk("data", QByteArray(128, '\1')))));
        QVERIFY(::mkfifo(QFile::encodeName(at("pipe.wav")).constData(), 0600) == 0);
        for (const char* name : {"flac.wav", "hang.wav", "wrap.wav", "onehertz.wav", "wide.wav", "pipe.wav"}) {
            QVERIFY2(!opens(at(name)), name);
            QVERIFY2(player.problem().contains(name), qPrintable(player.problem()));
            if (QByteArray(name) == "onehertz.wav" || QByteArray(name) == "wide.wav")
                QVERIFY2(player.problem().contains("sound cards play"), qPrintable(player.problem()));
        }
    }

    void aLibraryCallThatNeverReturnsIsAbandoned()
    {
        // Opening a pipe nobody writes to blocks for ever, as a hung library call would.
        const QByteArray fifo = QFile::encodeName(at("blocked"));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        const auto result = audio::runBounded<int>(
            [fifo] {
                const int fd = ::open(fifo.constData(), O_RDONLY);
                if (fd >= 0)
                    ::close(fd);
                return 1;
            },
            std::chrono::milliseconds(200));
        QVERIFY(!result.has_value());
        const int writer = ::open(fifo.constData(), O_WRONLY); // lets the abandoned thread finish
        QVERIFY(writer >= 0);
        ::close(writer);
        QCOMPARE(audio::runBounded<int>([] { return 7; }, std::chrono::milliseconds(5000)), std::optional<int>(7));

        // Many calls that never return hold a few threads, not one each: once every thread is
        // held, later work times out without starting.
        auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(); };
        const qsizetype before = threads();
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        std::atomic<int> started{0};
        for (int i = 0; i < 3 * audio::kBoundedThreads; ++i)
            QVERIFY(!audio::runBounded<int>(
                [released, &started] {
                    ++started;
                    released.wait();
                    return 1;
                },
                std::chrono::milliseconds(20))
                         .has_value());
        QVERIFY2(threads() - before <= audio::kBoundedThreads, qPrintable(QString::number(threads() - before)));
        QVERIFY(started.load() <= audio::kBoundedThreads);
        release.set_value(); // the held threads go back to the pool
        QTRY_COMPARE(audio::runBounded<int>([] { return 8; }, std::chrono::milliseconds(5000)), std::optional<int>(8));
        QVERIFY(started.load() <= audio::kBoundedThreads); // what was given up on never started
    }

    void everyMidiEventCountsTowardTheCap()
    {
        // 64 MiB of empty system-exclusive events (and tempo changes): the parse keeps at most
        // the cap, and what it keeps is small.
        QByteArray track;
        track.reserve(64 << 20);
        const QByteArray sysex = QByteArray::fromHex("00f001f7");
        const QByteArray tempo = QByteArray::fromHex("00ff510307a120");
        for (int i = 0; track.size() < (64 << 20) - 64; ++i)
            track += i % 8 == 0 ? tempo : sysex;
        QByteArray file = MidiBuilder().bytes(1);
        file += "MTrk";
        for (int s = 24; s >= 0; s -= 8)
            file += char(uint32_t(track.size()) >> s);
        file += track;
        const audio::MidiParse parsed = audio::parseMidi(file);
        QVERIFY(parsed.error.isEmpty());
        QVERIFY(parsed.song.events.size() <= audio::kMaxMidiEvents);
        QVERIFY(parsed.song.events.size() > 1'000'000);
        const size_t held = parsed.song.events.capacity() * sizeof(audio::MidiEvent)
            + parsed.song.sysex.capacity() * sizeof(audio::SysexSpan) + size_t(parsed.song.bytes.size());
        QVERIFY2(held < 200u << 20, qPrintable(QString::number(held >> 20) + " MB"));
        // The messages still read right: empty bodies, their F7 dropped.
        QCOMPARE(parsed.song.sysexBody(0).size(), qsizetype(0));
    }

    void thePaneStaysPutWhenThePlayerSpeaks()
    {
        QDir().mkpath(at("game"));
        QVERIFY(writeFile(at("game/broken.wav"), hangingWave()));
        QVERIFY(
            writeWave(at("game/short.wav"), referenceSignal(8000, 1, 0.8), 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        BrowserPane pane({"Drv", "Dir", "Fle", "Lbl", "Player", {}, {}, {}, "*.Wav", audio::DeviceKind::WaveAudio},
            std::make_shared<audio::AudioHost>());
        pane.resize(200, 500);
        pane.show();
        pane.folders()->setPath(at("game"));
        QTRY_VERIFY(!pane.files()->isListing());
        const QRect files = pane.files()->geometry(), player = pane.player()->geometry();
        const QSize hint = pane.sizeHint();

        pane.files()->setFileName("broken.wav");
        QVERIFY(!pane.player()->problem().isEmpty());
        QTest::qWait(0);
        QCOMPARE(pane.files()->geometry(), files);
        QCOMPARE(pane.player()->geometry(), player);
        QCOMPARE(pane.sizeHint(), hint);

        // A clip under a second shows hundredths: not "0:00 / 0:00".
        pane.files()->setFileName("short.wav");
        QVERIFY(pane.player()->problem().isEmpty());
        QTest::qWait(0);
        QCOMPARE(pane.files()->geometry(), files);
        QCOMPARE(pane.sizeHint(), hint);
        QCOMPARE(pane.player()->findChild<QLabel*>("PlayerTime")->text(), QStringLiteral("0:00.00 / 0:00.80"));

        // A click on the position bar goes where it was clicked, not a page towards it.
        auto* bar = pane.player()->findChild<QSlider*>("PositionSlider");
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
        QTRY_VERIFY(pane.player()->engine().position() > 8000 * 0.8 * 0.6);
        QVERIFY(pane.player()->engine().position() < 8000 * 0.8 * 0.9);
    }
};

SONAPLEX_TEST_MAIN(TestDamagedFiles)
#include "test_damaged_files.moc"
