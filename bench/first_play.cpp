// The program's first play, for bench_first_sound: the audio host made and its output prepared
// in the background as after the first window, a file opened (the user's click), then played
// after WAIT ms (the user's reaction). Prints the monotonic time at which play() was called,
// then that of a second play of the same file.
// Usage: first_play FILE [WAIT, 500]
#include "audio/audio_host.h"
#include "audio/player.h"
#include "monotonic.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace sonaplex;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int waitMs = argc > 2 ? std::atoi(argv[2]) : 500;
    auto host = std::make_shared<audio::AudioHost>();
    host->prepareOutputInBackground();
    audio::Player player(host);
    const auto kind = file.endsWith(QStringLiteral(".mid")) ? audio::DeviceKind::Sequencer : audio::DeviceKind::WaveAudio;
    if (!player.open(kind, file))
        return 1;
    for (int round = 0; round < 2; ++round) {
        QThread::msleep(uint(waitMs));
        std::printf("play-at %lld\n", monotonicNs());
        std::fflush(stdout);
        if (!player.play())
            return 1;
        QThread::msleep(400);
        player.stop();
    }
    return 0;
}
