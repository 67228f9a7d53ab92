#include "ui/sample_player.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

#include "ui/waveform.h"
#include "ui/window_parts.h"

#include "audio/analysis.h"
#include "audio/audio_host.h"

#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(SamplePlayer)
};

// What a window opens its players on before the user has clicked a file; it finds nothing,
// and that is not worth a word to the user.
const QString kPlaceholder = QStringLiteral("SelectedFile");

// A position bar that goes where it is clicked rather than a page towards it.
class SeekSlider : public QSlider {
public:
    using QSlider::QSlider;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && isEnabled()) {
            QStyleOptionSlider opt;
            initStyleOption(&opt);
            const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
            if (!handle.contains(event->position().toPoint())) {
                const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
                const int span = groove.width() - handle.width();
                const int x = int(event->position().x()) - groove.x() - handle.width() / 2;
                setSliderPosition(QStyle::sliderValueFromPosition(minimum(), maximum(), x, std::max(span, 1)));
                triggerAction(SliderMove);
            }
        }
        QSlider::mousePressEvent(event); // a press on the handle (now under the mouse) drags it
    }
};

// Lays `text` out in `width` and cuts it to `lines` lines, the last ending in "…".
QString elideToLines(const QString& text, const QFont& font, int width, int lines)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    QString out;
    for (int i = 0; i < lines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        const QString part = text.mid(line.textStart(), line.textLength());
        if (i == lines - 1 && line.textStart() + line.textLength() < text.size())
            out += QFontMetrics(font).elidedText(text.mid(line.textStart()), Qt::ElideRight, width);
        else
            out += part;
        if (i < lines - 1 && line.textStart() + line.textLength() < text.size() && !part.endsWith(QLatin1Char('\n')))
            out += QLatin1Char('\n');
    }
    layout.endLayout();
    return out;
}

constexpr int kStatusLines = 2;
} // namespace

SamplePlayer::SamplePlayer(std::shared_ptr<audio::AudioHost> host, QWidget* parent)
    : QWidget(parent), engine_(std::move(host)), play_(new QToolButton(this)), pause_(new QToolButton(this)),
      stop_(new QToolButton(this)), position_(new SeekSlider(Qt::Horizontal, this)), time_(new QLabel(this)),
      status_(new QLabel(this)), waveform_(new Waveform(this)), formatInfo_(new QLabel(this)),
      ticker_(new QTimer(this)), seekTimer_(new QTimer(this))
{
    const struct {
        QToolButton* button;
        QStyle::StandardPixmap icon;
        const char* name;
        const char* text;
        const char* tip;
    } buttons[] = {
        {play_, QStyle::SP_MediaPlay, "PlayButton", "Play", "Play (Ctrl+Space in the pane)"},
        {pause_, QStyle::SP_MediaPause, "PauseButton", "Pause", "Pause (Ctrl+Space in the pane)"},
        {stop_, QStyle::SP_MediaStop, "StopButton", "Stop", "Stop (Ctrl+. in the pane)"},
    };
    for (const auto& b : buttons) {
        b.button->setObjectName(QLatin1String(b.name));
        b.button->setIcon(style()->standardIcon(b.icon));
        b.button->setAccessibleName(QLatin1String(b.text));
        b.button->setToolTip(QLatin1String(b.tip));
        b.button->setFocusPolicy(Qt::StrongFocus);
    }
    connect(play_, &QToolButton::clicked, this, [this] { setCommand(QStringLiteral("play")); });
    connect(pause_, &QToolButton::clicked, this, [this] { setCommand(QStringLiteral("pause")); });
    connect(stop_, &QToolButton::clicked, this, [this] { setCommand(QStringLiteral("stop")); });

    position_->setObjectName(QStringLiteral("PositionSlider"));
    position_->setAccessibleName(Say::tr("Position"));
    // Seeks are gathered: however fast the bar moves, the sound moves at most once per pass
    // of the event loop, to where the bar is then.
    seekTimer_->setSingleShot(true);
    seekTimer_->setInterval(0);
    connect(seekTimer_, &QTimer::timeout, this, [this] {
        engine_.seek(int64_t(position_->value()) * engine_.sampleRate() / 1000);
        refresh();
    });
    connect(position_, &QSlider::sliderReleased, seekTimer_, qOverload<>(&QTimer::start));
    connect(position_, &QSlider::actionTriggered, this, [this](int action) {
        // A click, the keys and page steps move the sound; a drag moves it when released.
        if (action != QAbstractSlider::SliderMove || !position_->isSliderDown())
            seekTimer_->start();
    });

    status_->setObjectName(QStringLiteral("PlayerStatus"));
    status_->setWordWrap(true);
    QFont small = status_->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    status_->setFont(small);
    setTextColour(status_, QColor(0xa0, 0, 0));
    // The line keeps its room whether or not there is something to say, so that nothing
    // around it moves when a message comes or goes.
    status_->setFixedHeight(QFontMetrics(small).lineSpacing() * kStatusLines + 2);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setMinimumWidth(1);
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    time_->setObjectName(QStringLiteral("PlayerTime"));
    formatInfo_->setObjectName(QStringLiteral("FormatInfo"));
    formatInfo_->setFont(small);
    formatInfo_->setMinimumWidth(1);
    formatInfo_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    formatInfo_->setFixedHeight(QFontMetrics(small).lineSpacing() * 2 + 2); // the same with or without a text
    formatInfo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    connect(waveform_, &Waveform::analysed, this, &SamplePlayer::showFormat);
    connect(waveform_, &Waveform::seekRequested, this, [this](double fraction) {
        engine_.seek(int64_t(fraction * double(engine_.lengthFrames())));
        refresh();
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    grid->addWidget(play_, 0, 0);
    grid->addWidget(pause_, 0, 1);
    grid->addWidget(stop_, 0, 2);
    grid->addWidget(time_, 0, 3, Qt::AlignRight);
    grid->addWidget(position_, 1, 0, 1, 4);
    grid->addWidget(waveform_, 2, 0, 1, 4);
    grid->addWidget(formatInfo_, 3, 0, 1, 4);
    grid->addWidget(status_, 4, 0, 1, 4);
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
    if (word == QLatin1String("open"))
        reopen();
    else if (word == QLatin1String("close"))
        closeFile();
    else if (word == QLatin1String("play"))
        play();
    else if (word == QLatin1String("pause"))
        pause();
    else if (word == QLatin1String("stop"))
        stop();
    else
        refresh();
}

void SamplePlayer::reopen()
{
    const QString type = deviceType_.trimmed().toLower();
    if (type != QLatin1String("waveaudio") && type != QLatin1String("sequencer")) {
        engine_.close();
        report(Say::tr("Unknown device type \"%1\".").arg(deviceType_));
        return;
    }
    openFile(type == QLatin1String("sequencer") ? audio::DeviceKind::Sequencer : audio::DeviceKind::WaveAudio, fileName_);
}

void SamplePlayer::prepare(audio::DeviceKind kind, const QString& fileName)
{
    deviceType_ = kind == audio::DeviceKind::Sequencer ? QStringLiteral("Sequencer") : QStringLiteral("WaveAudio");
    fileName_ = fileName;
    openFile(kind, fileName_);
}

void SamplePlayer::closeFile()
{
    engine_.close();
    waveform_->clear();
    report({});
    refresh();
}

void SamplePlayer::play()
{
    if (engine_.state() == audio::PlayState::NotOpen || engine_.state() == audio::PlayState::Error)
        return;
    report(engine_.play() ? QString() : engine_.error());
    refresh();
}

void SamplePlayer::pause()
{
    engine_.pause();
    refresh();
}

void SamplePlayer::stop()
{
    engine_.stop();
    refresh();
}

bool isMidiDevice(const QString& deviceType)
{
    return deviceType.trimmed().compare(QLatin1String("Sequencer"), Qt::CaseInsensitive) == 0;
}

void SamplePlayer::openFile(audio::DeviceKind kind, const QString& path)
{
    deviceType_ = kind == audio::DeviceKind::Sequencer ? QStringLiteral("Sequencer") : QStringLiteral("WaveAudio");
    fileName_ = path;
    if (!engine_.open(kind, path)) {
        waveform_->clear();
        report(path == kPlaceholder ? QString() : engine_.error());
    } else {
        waveform_->setFile(kind, path, &engine_.host()->synth());
        report({});
    }
    refresh();
}

QString SamplePlayer::mode() const
{
    switch (engine_.state()) {
    case audio::PlayState::NotOpen:
    case audio::PlayState::Error: // nothing is open; problem() says why
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

QString SamplePlayer::problem() const { return problem_; }

void SamplePlayer::report(const QString& text)
{
    problem_ = text;
    status_->setToolTip(text);
    showProblem();
}

void SamplePlayer::showProblem()
{
    status_->setText(elideToLines(problem_, status_->font(), std::max(40, status_->width()), kStatusLines));
}

void SamplePlayer::showFormat()
{
    // The format on the first line, the levels on the second.
    QString text = audio::formatLine(waveform_->info());
    const audio::Loudness& loudness = waveform_->loudness();
    if (loudness.ok)
        text += Say::tr("\npeak %1 dBFS \u00b7 %2 LUFS")
                    .arg(loudness.peakDb <= -199 ? QStringLiteral("-\u221e")
                                                 : QLocale().toString(loudness.peakDb, 'f', 1),
                        loudness.lufs <= -199 ? QStringLiteral("-\u221e") : QLocale().toString(loudness.lufs, 'f', 1));
    else if (!text.isEmpty() && waveform_->info().kind == audio::DeviceKind::WaveAudio && !waveform_->finished())
        text += Say::tr("\nmeasuring loudness\u2026");
    formatInfo_->setToolTip(text);
    // A first line too wide for the player loses what its first part names (the container or
    // codec, cut short with an ellipsis), never the rate, channels, sample format and length.
    QStringList lines = text.split(QLatin1Char('\n'));
    const QFontMetrics metrics(formatInfo_->font());
    const int room = formatInfo_->contentsRect().width();
    const QString dot = QStringLiteral(" \u00b7 ");
    if (const qsizetype cut = lines.value(0).indexOf(dot); cut > 0 && room > 0 && metrics.horizontalAdvance(lines[0]) > room) {
        const QString rest = lines[0].mid(cut);
        lines[0] = metrics.elidedText(lines[0].left(cut), Qt::ElideRight, std::max(0, room - metrics.horizontalAdvance(rest))) + rest;
    }
    formatInfo_->setText(lines.join(QLatin1Char('\n')));
}

void SamplePlayer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    showProblem();
    showFormat();
}

void SamplePlayer::refresh()
{
    const auto state = engine_.state();
    const bool open = state != audio::PlayState::NotOpen && state != audio::PlayState::Error;
    play_->setEnabled(open && state != audio::PlayState::Playing);
    pause_->setEnabled(state == audio::PlayState::Playing);
    stop_->setEnabled(state == audio::PlayState::Playing || state == audio::PlayState::Paused);
    position_->setEnabled(open);
    const int rate = engine_.sampleRate();
    const int64_t length = open ? engine_.lengthFrames() : 0;
    const int64_t at = open ? engine_.position() : 0;
    const int lengthMs = rate > 0 ? int(length * 1000 / rate) : 0;
    position_->setMaximum(lengthMs);
    // Arrow keys step by a fiftieth of the sound, page keys by a tenth, within sensible bounds.
    position_->setSingleStep(std::clamp(lengthMs / 50, 100, 5'000));
    position_->setPageStep(std::clamp(lengthMs / 10, 500, 30'000));
    if (!position_->isSliderDown() && !seekTimer_->isActive())
        position_->setValue(rate > 0 ? int(at * 1000 / rate) : 0);
    waveform_->setPosition(length > 0 ? double(at) / double(length) : 0);
    const int decimals = audio::clockDecimals(length, rate);
    time_->setText(open
            ? audio::clockText(at, rate, decimals) + QStringLiteral(" / ") + audio::clockText(length, rate, decimals)
            : QString());
    if (state == audio::PlayState::Playing)
        ticker_->start();
    else
        ticker_->stop();
}

void compareAB(SamplePlayer* game, SamplePlayer* replacement, bool matchLoudness)
{
    auto playing = [](SamplePlayer* p) { return p->engine().state() == audio::PlayState::Playing; };

    SamplePlayer* from = playing(replacement) ? replacement : playing(game) ? game : nullptr;
    SamplePlayer* to = from == game ? replacement : game;
    const auto state = to->engine().state();
    if (state == audio::PlayState::NotOpen || state == audio::PlayState::Error)
        return; // nothing highlighted on that side to switch to
    if (matchLoudness) {
        const audio::Loudness a = game->waveform()->loudness(), b = replacement->waveform()->loudness();
        float gainA = 1, gainB = 1;
        if (a.ok && b.ok && a.lufs > -199 && b.lufs > -199) {
            const double quieter = std::min(a.lufs, b.lufs);
            gainA = float(std::pow(10.0, (quieter - a.lufs) / 20));
            gainB = float(std::pow(10.0, (quieter - b.lufs) / 20));
        }
        game->engine().setGain(gainA);
        replacement->engine().setGain(gainB);
    }
    // The same moment of the other sound (by time, not by share of its length), clamped to the
    // shorter one; with nothing playing, the other sound goes on from where it is.
    if (from && from->engine().sampleRate() > 0 && to->engine().sampleRate() > 0) {
        const double seconds = double(from->engine().position()) / from->engine().sampleRate();
        const int64_t frame = int64_t(seconds * to->engine().sampleRate());
        // The other sound starts before this one pauses, so that there is no gap between them.
        to->engine().seek(std::clamp<int64_t>(frame, 0, std::max<int64_t>(to->engine().lengthFrames() - 1, 0)));
    }
    to->play();
    if (from)
        from->pause();
}

} // namespace sonaplex
