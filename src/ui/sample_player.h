#pragma once
#include "audio/player.h"

#include <QWidget>

class QLabel;
class QSlider;
class QTimer;
class QToolButton;

namespace sonaplex {
class Waveform;
}

namespace sonaplex {

// The sample player under each browser pane: three buttons, play, pause and stop; the file's
// length, the playing position (which the user can move) and, when a file cannot be played,
// the reason. The program drives its engine() with typed calls; the string properties (a
// device type, a file name and command words "open", "close", "play", "pause", "stop" in any
// letter case, each finished when the call returns, and the mode) are kept for those who
// drive the player by its old interface.
// True for the MIDI device type "Sequencer" (any letter case); else "WaveAudio".
bool isMidiDevice(const QString& deviceType);
inline audio::DeviceKind deviceKind(const QString& deviceType)
{
    return isMidiDevice(deviceType) ? audio::DeviceKind::Sequencer : audio::DeviceKind::WaveAudio;
}

class SamplePlayer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString DeviceType READ deviceType WRITE setDeviceType)
    Q_PROPERTY(QString FileName READ fileName WRITE setFileName)
    Q_PROPERTY(QString Command READ command WRITE setCommand)
    Q_PROPERTY(QString Mode READ mode)
public:
    SamplePlayer(std::shared_ptr<audio::AudioHost> host, QWidget* parent = nullptr);
    ~SamplePlayer() override;

    QString deviceType() const { return deviceType_; }
    void setDeviceType(const QString& type) { deviceType_ = type; }
    QString fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }
    QString command() const { return command_; }
    void setCommand(const QString& command);
    QString mode() const;

    // Opens a file for playing (the typed form of "open"); the reason shows when it cannot.
    void openFile(audio::DeviceKind kind, const QString& path);
    // "open" of the device type and file name set: the file opened again.
    void reopen();
    // The typed form of setting the device type and the file name and sending "open".
    void prepare(audio::DeviceKind kind, const QString& fileName);
    // The typed forms of "close", "play", "pause" and "stop".
    void closeFile();
    void play();
    void pause();
    void stop();

    // Why the last command could not be carried out; empty when it could.
    QString problem() const;
    audio::Player& engine() { return engine_; }
    // The picture of the open file and the line that says what it is.
    Waveform* waveform() const { return waveform_; }
    QLabel* formatInfo() const { return formatInfo_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void report(const QString& text);
    void showProblem();
    void showFormat();

    audio::Player engine_;
    QString deviceType_;
    QString fileName_;
    QString command_;
    QToolButton* play_;
    QToolButton* pause_;
    QToolButton* stop_;
    QSlider* position_;
    QLabel* time_;
    QLabel* status_;
    Waveform* waveform_;
    QLabel* formatInfo_;
    QTimer* ticker_;
    QTimer* seekTimer_;
    QString problem_;
};

// Compare A/B: the player not playing takes over at the same moment of its sound (by time,
// clamped to its length) and the other pauses; with neither playing, `a` starts from where it
// is. `matchLoudness`: the louder of the two plays as loud as the quieter.
void compareAB(SamplePlayer* a, SamplePlayer* b, bool matchLoudness);

} // namespace sonaplex
