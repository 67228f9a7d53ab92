// With no audio server at all, the player opens files, says plainly why it cannot play them,
// and stays usable.
#include "audio/audio_host.h"
#include "audio/audio_support.h"
#include "support.h"
#include "ui/sample_player.h"

#include <QtTest>

using namespace sonaplex;
using namespace sonaplex::test;

class TestNoDevice : public QObject {
    Q_OBJECT
private slots:
    void playWithoutAnOutputSaysWhy()
    {
        QTemporaryDir dir;
        QVERIFY(
            writeWave(dir.path() + "/a.wav", referenceSignal(8000, 1, 0.2), 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16));
        SamplePlayer player(std::make_shared<audio::AudioHost>());
        player.setDeviceType("WaveAudio");
        player.setFileName(dir.path() + "/a.wav");
        player.setCommand("open");
        QCOMPARE(player.mode(), QStringLiteral("stopped"));
        player.setCommand("play");
        QCOMPARE(player.mode(), QStringLiteral("stopped"));
        QVERIFY2(player.problem().contains("No audio output"), qPrintable(player.problem()));
        player.setCommand("close");
        player.setCommand("open");
        QCOMPARE(player.mode(), QStringLiteral("stopped"));
    }
};

SONAPLEX_TEST_MAIN(TestNoDevice)
#include "test_no_device.moc"
