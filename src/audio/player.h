#pragma once
#include "audio/source.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <memory>

namespace sonaplex::audio {

// Error: a file could not be opened; error() says why, and nothing is open.
enum class PlayState { NotOpen, Stopped, Playing, Paused, Error };

class AudioHost;

// Plays one source at a time through the default audio output. Every call has finished
// when it returns; the sound itself runs on the player's own thread, so a busy window never
// makes it stutter. Only one MIDI file plays at a time among the players of one host (one
// synthesizer): starting one pauses another.
class Player : public QObject {
    Q_OBJECT
public:
    explicit Player(std::shared_ptr<AudioHost> host, QObject* parent = nullptr);
    ~Player() override;

    // False when the file cannot be played; error() says why and the state is Error.
    bool open(DeviceKind kind, const QString& path);
    void close();
    // False when no sound can come out (no audio device); error() says why.
    bool play();
    void pause();
    void stop();
    void seek(int64_t frame);
    // Scales what is heard, for loudness-matched comparison (1 = as recorded); kept across files.
    void setGain(float gain);

    PlayState state() const { return state_; }
    DeviceKind kind() const { return kind_; }
    int64_t lengthFrames() const { return length_; }
    int sampleRate() const { return rate_; }
    // Source frames heard so far.
    int64_t position() const;
    QString error() const { return error_; }
    const std::shared_ptr<AudioHost>& host() const { return host_; }

signals:
    // Also raised when a command fails without changing the state (play with no device).
    void stateChanged(sonaplex::audio::PlayState state);

private:
    class Worker;
    void setState(PlayState s);
    void reachedEnd();

    std::shared_ptr<AudioHost> host_;
    QThread thread_;
    Worker* worker_;
    PlayState state_ = PlayState::NotOpen;
    DeviceKind kind_ = DeviceKind::WaveAudio;
    int64_t length_ = 0;
    int rate_ = 0;
    bool atEnd_ = false;
    QString error_;
};

} // namespace sonaplex::audio
