#include "shell/sample_player.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace sonaplex {

namespace {
// What a window opens its players on before the user has clicked a file; it finds nothing,
// and that is not worth a word to the user.
const QString kPlaceholder = QStringLiteral("SelectedFile");

QString clock(int64_t frames, int rate)
{
    const int64_t s = rate > 0 ? frames / rate : 0;
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}
} // namespace

SamplePlayer::SamplePlayer(QWidget* parent)
    : QWidget(parent), play_(new QToolButton(this)), pause_(new QToolButton(this)), stop_(new QToolButton(this)),
      position_(new QSlider(Qt::Horizontal, this)), time_(new QLabel(this)), status_(new QLabel(this)),
      ticker_(new QTimer(this))
{
    const struct {
        QToolButton* button;
        QStyle::StandardPixmap icon;
        const char* name;
        const char* text;
    } buttons[] = {
        {play_, QStyle::SP_MediaPlay, "PlayButton", "Play"},
        {pause_, QStyle::SP_MediaPause, "PauseButton", "Pause"},
        {stop_, QStyle::SP_MediaStop, "StopButton", "Stop"},
    };
    for (const auto& b : buttons) {
        b.button->setObjectName(QLatin1String(b.name));
        b.button->setIcon(style()->standardIcon(b.icon));
        b.button->setAccessibleName(QLatin1String(b.text));
        b.button->setFocusPolicy(Qt::StrongFocus);
    }
    connect(play_, &QToolButton::clicked, this, [this] { setCommand(QStringLiteral("play")); });
    connect(pause_, &QToolButton::clicked, this, [this] { setCommand(QStringLiteral("pause")); });
    connect(stop_, &QToolButton::clicked, this, [this] { setCommand(QStringLiteral("stop")); });

    position_->setObjectName(QStringLiteral("PositionSlider"));
    position_->setAccessibleName(QStringLiteral("Position"));
    connect(position_, &QSlider::sliderReleased, this, [this] {
        engine_.seek(int64_t(position_->value()) * engine_.sampleRate() / 1000);
        refresh();
    });
    connect(position_, &QSlider::actionTriggered, this, [this](int action) {
        // Keyboard and page steps move the sound too, not only a drag.
        if (action != QAbstractSlider::SliderMove)
            QTimer::singleShot(0, this, [this] {
                engine_.seek(int64_t(position_->value()) * engine_.sampleRate() / 1000);
                refresh();
            });
    });

    status_->setObjectName(QStringLiteral("PlayerStatus"));
    status_->setWordWrap(true);
    QFont small = status_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    status_->setFont(small);
    status_->setStyleSheet(QStringLiteral("color: #a00000"));
    status_->hide();
    time_->setObjectName(QStringLiteral("PlayerTime"));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(play_, 0, 0);
    grid->addWidget(pause_, 0, 1);
    grid->addWidget(stop_, 0, 2);
    grid->addWidget(time_, 0, 3, Qt::AlignRight);
    grid->addWidget(position_, 1, 0, 1, 4);
    grid->addWidget(status_, 2, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    ticker_->setInterval(100);
    connect(ticker_, &QTimer::timeout, this, &SamplePlayer::refresh);
    connect(&engine_, &audio::Player::stateChanged, this, &SamplePlayer::refresh);
    refresh();
}

SamplePlayer::~SamplePlayer() = default;

void SamplePlayer::setCommand(const QString& command)
{
    command_ = command;
    const QString word = command.trimmed().toLower();
    if (word == QLatin1String("open")) {
        const QString type = deviceType_.trimmed().toLower();
        if (type != QLatin1String("waveaudio") && type != QLatin1String("sequencer")) {
            engine_.close();
            report(QStringLiteral("Unknown device type \"%1\".").arg(deviceType_));
            return;
        }
        const auto kind
            = type == QLatin1String("sequencer") ? audio::DeviceKind::Sequencer : audio::DeviceKind::WaveAudio;
        if (!engine_.open(kind, fileName_))
            report(fileName_ == kPlaceholder ? QString() : engine_.error());
        else
            report({});
    } else if (word == QLatin1String("close")) {
        engine_.close();
        report({});
    } else if (word == QLatin1String("play")) {
        if (engine_.state() == audio::PlayState::NotOpen)
            return;
        report(engine_.play() ? QString() : engine_.error());
    } else if (word == QLatin1String("pause")) {
        engine_.pause();
    } else if (word == QLatin1String("stop")) {
        engine_.stop();
    }
    refresh();
}

QString SamplePlayer::mode() const
{
    switch (engine_.state()) {
    case audio::PlayState::NotOpen:
        return QStringLiteral("not open");
    case audio::PlayState::Stopped:
        return QStringLiteral("stopped");
    case audio::PlayState::Playing:
        return QStringLiteral("playing");
    case audio::PlayState::Paused:
        return QStringLiteral("paused");
    }
    return {};
}

QString SamplePlayer::problem() const { return status_->text(); }

void SamplePlayer::report(const QString& text)
{
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

void SamplePlayer::refresh()
{
    const auto state = engine_.state();
    const bool open = state != audio::PlayState::NotOpen;
    play_->setEnabled(open && state != audio::PlayState::Playing);
    pause_->setEnabled(state == audio::PlayState::Playing);
    stop_->setEnabled(state == audio::PlayState::Playing || state == audio::PlayState::Paused);
    position_->setEnabled(open);
    const int rate = engine_.sampleRate();
    const int64_t length = open ? engine_.lengthFrames() : 0;
    const int64_t at = open ? engine_.position() : 0;
    position_->setMaximum(rate > 0 ? int(length * 1000 / rate) : 0);
    if (!position_->isSliderDown())
        position_->setValue(rate > 0 ? int(at * 1000 / rate) : 0);
    time_->setText(open ? clock(at, rate) + QStringLiteral(" / ") + clock(length, rate) : QString());
    if (state == audio::PlayState::Playing)
        ticker_->start();
    else
        ticker_->stop();
}

} // namespace sonaplex
