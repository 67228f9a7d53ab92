#include "audio/player.h"

#include "audio/audio_host.h"
#include "audio/output.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <vector>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Player)
};

// A source being closed may still be reading its file (a big song is parsed on a thread of its
// own): it finishes on a pool thread, so that neither the window nor the sound waits for it.
// The application waits for the pool before it ends.
void retire(std::unique_ptr<AudioSource> source)
{
    if (source)
        QThreadPool::globalInstance()->start([s = std::shared_ptr<AudioSource>(std::move(source))]() mutable { s.reset(); });
}
} // namespace

// Lives on the player's thread and owns everything the sound passes through.
class Player::Worker : public QObject {
public:
    explicit Worker(Player* player) : player_(player) {}

    void setSource(std::unique_ptr<AudioSource> source)
    {
        teardown();
        source_ = std::move(source);
        position_ = 0;
    }

    void teardown()
    {
        if (poll_)
            poll_->stop();
        output_.reset(); // before the source it reads
        retire(std::move(source_));
        base_ = 0;
    }

    // Starts sound from source frame `from`; returns an error text or empty.
    QString start(int64_t from)
    {
        if (!source_)
            return Say::tr("No file is open.");
        if (QString why = source_->problem(); !why.isEmpty())
            return why;
        // An output of its own for every start: the server starts a new stream's sound at once,
        // where a stream started again after a stop waits tens of milliseconds.
        output_.reset();
        QString problem;
        output_ = openOutput(*source_, &problem);
        if (!output_)
            return problem;
        output_->setGain(gain_);
        base_ = from;
        playedAtBase_ = 0;
        position_ = from;
        if (!output_->startAt(from))
            return Say::tr("The audio output could not be opened.");
        if (!poll_) {
            poll_ = new QTimer(this);
            poll_->setInterval(25);
            connect(poll_, &QTimer::timeout, this, [this] { watch(); });
        }
        poll_->start();
        return {};
    }

    // Moves a running sound to `from` without stopping the stream: what is queued plays out
    // and the feed goes on from the new place, so seeks in quick succession cost nothing.
    void jump(int64_t from)
    {
        if (!output_)
            return;
        playedAtBase_ = output_->playedFrames();
        output_->moveFeedTo(from);
        base_ = from;
        position_ = from;
    }

    void suspend()
    {
        if (output_) {
            watch();
            output_->suspend();
        }
    }
    void resume()
    {
        if (output_)
            output_->resume();
    }
    void halt()
    {
        if (poll_)
            poll_->stop();
        if (output_)
            output_->stop();
    }

    void setGain(float gain)
    {
        gain_ = gain;
        if (output_)
            output_->setGain(gain);
    }

    std::atomic<int64_t> position_{0};

private:
    // Follows what the device has played: the position, and the end of the sound.
    void watch()
    {
        if (!output_)
            return;
        const int64_t played = output_->playedFrames() - playedAtBase_;
        const double step = double(source_->sampleRate()) / output_->deviceRate();
        position_ = std::min(source_->lengthFrames(), base_ + int64_t(played * step));
        if (output_->ended() && played >= output_->framesBeforeEnd()) {
            halt();
            position_ = source_->lengthFrames();
            QMetaObject::invokeMethod(
                player_, [p = player_] { p->reachedEnd(); }, Qt::QueuedConnection);
        }
    }

    Player* player_;
    std::unique_ptr<AudioSource> source_;
    std::unique_ptr<OutputStream> output_;
    QTimer* poll_ = nullptr;
    float gain_ = 1.0f;
    int64_t base_ = 0;
    int64_t playedAtBase_ = 0; // device frames played when the feed last moved to base_
};

Player::Player(std::shared_ptr<AudioHost> host, QObject* parent)
    : QObject(parent), host_(std::move(host)), worker_(new Worker(this))
{
    worker_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("sample player"));
    thread_.start();
    host_->join(this);
}

Player::~Player()
{
    host_->leave(this);
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_] {
            w->teardown();
            delete w;
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

bool Player::open(DeviceKind kind, const QString& path)
{
    close();
    OpenResult opened = host_->open(kind, path);
    if (!opened.source) {
        error_ = opened.error;
        setState(PlayState::Error);
        return false;
    }
    error_.clear();
    kind_ = kind;
    length_ = opened.source->lengthFrames();
    rate_ = opened.source->sampleRate();
    atEnd_ = false;
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_, s = opened.source.release()]() mutable { w->setSource(std::unique_ptr<AudioSource>(s)); },
        Qt::BlockingQueuedConnection);
    setState(PlayState::Stopped);
    return true;
}

void Player::close()
{
    if (state_ == PlayState::Error)
        setState(PlayState::NotOpen);
    if (state_ == PlayState::NotOpen)
        return;
    QMetaObject::invokeMethod(
        worker_, [w = worker_] { w->teardown(); }, Qt::BlockingQueuedConnection);
    length_ = 0;
    setState(PlayState::NotOpen);
}

bool Player::play()
{
    if (state_ == PlayState::NotOpen || state_ == PlayState::Error || state_ == PlayState::Playing)
        return state_ == PlayState::Playing;
    if (kind_ == DeviceKind::Sequencer)
        host_->aboutToPlayMidi(this);
    if (state_ == PlayState::Paused) {
        QMetaObject::invokeMethod(
            worker_, [w = worker_] { w->resume(); }, Qt::BlockingQueuedConnection);
        setState(PlayState::Playing);
        return true;
    }
    const int64_t from = atEnd_ ? 0 : position();
    QString problem;
    QMetaObject::invokeMethod(
        worker_, [&] { problem = worker_->start(from); }, Qt::BlockingQueuedConnection);
    if (!problem.isEmpty()) {
        error_ = problem;
        emit stateChanged(state_);
        return false;
    }
    error_.clear();
    atEnd_ = false;
    setState(PlayState::Playing);
    return true;
}

void Player::pause()
{
    if (state_ != PlayState::Playing)
        return;
    QMetaObject::invokeMethod(
        worker_, [w = worker_] { w->suspend(); }, Qt::BlockingQueuedConnection);
    setState(PlayState::Paused);
}

void Player::stop()
{
    if (state_ != PlayState::Playing && state_ != PlayState::Paused)
        return;
    QMetaObject::invokeMethod(
        worker_,
        [w = worker_] {
            w->halt();
            w->position_ = 0;
        },
        Qt::BlockingQueuedConnection);
    atEnd_ = false;
    setState(PlayState::Stopped);
}

void Player::seek(int64_t frame)
{
    if (state_ == PlayState::NotOpen || state_ == PlayState::Error)
        return;
    frame = std::clamp<int64_t>(frame, 0, length_);
    atEnd_ = false;
    if (state_ == PlayState::Playing) {
        QMetaObject::invokeMethod(
            worker_, [w = worker_, frame] { w->jump(frame); }, Qt::BlockingQueuedConnection);
    } else {
        QMetaObject::invokeMethod(
            worker_,
            [&] {
                worker_->halt();
                worker_->position_ = frame;
            },
            Qt::BlockingQueuedConnection);
        if (state_ == PlayState::Paused)
            setState(PlayState::Stopped);
    }
}

int64_t Player::position() const { return worker_->position_; }

void Player::setGain(float gain)
{
    QMetaObject::invokeMethod(
        worker_, [w = worker_, gain] { w->setGain(gain); }, Qt::BlockingQueuedConnection);
}

void Player::reachedEnd()
{
    if (state_ != PlayState::Playing)
        return;
    atEnd_ = true;
    setState(PlayState::Stopped);
}

void Player::setState(PlayState s)
{
    state_ = s;
    emit stateChanged(s);
}

} // namespace sonaplex::audio
