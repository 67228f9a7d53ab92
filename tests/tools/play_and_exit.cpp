// Runs the program as its main() does, plays a file in a sample player of its first window,
// and ends the program as "Exit Program" does while the sound is still playing. Exits with 0
// when the program came down cleanly; an abort at exit shows as a signal to the caller.
// Usage: play_and_exit FILE [MILLISECONDS OF SOUND, 150]  (the program's folder as HOME says)
#include "app/first_paint.h"
#include "app/program.h"
#include "audio/audio_host.h"
#include "ui/forms.h"
#include "ui/sample_player.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using namespace sonaplex;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: play_and_exit FILE [MILLISECONDS]\n");
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[1]);
    const int soundMs = argc > 2 ? std::atoi(argv[2]) : 150;
    runDesktopProgram(argc, argv, [&](Forms& forms) {
        AfterFirstPaint::run(&forms, [&forms, file, soundMs] {
            QWidget* window = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible())
                    window = w;
            auto* player = new SamplePlayer(forms.audio(), window); // goes with its window
            player->openFile(file.endsWith(QStringLiteral(".mid"), Qt::CaseInsensitive) ? audio::DeviceKind::Sequencer
                                                                                         : audio::DeviceKind::WaveAudio,
                file);
            player->play();
            if (!player->problem().isEmpty()) {
                std::fprintf(stderr, "play_and_exit: %s\n", qPrintable(player->problem()));
                std::_Exit(1);
            }
            QTimer::singleShot(soundMs, &forms, [&forms] { forms.endProgram(); });
        });
    });
}
