#include "ui/waveform.h"

#include "audio/midi_source.h"
#include "audio/probe.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPromise>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <limits>
#include <optional>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sonaplex {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(Waveform)
};


using Piece = Waveform::Piece;

// A MIDI song's picture from its sound: rendered as it would play (far faster than it plays),
// in pieces, the columns spread over its shown length.
void renderSong(QPromise<Piece>& promise, const audio::MidiSynth& synth, audio::MidiSong song)
{
    audio::OpenResult opened = synth.open(std::move(song));
    if (!opened.source)
        return;
    audio::AudioSource& source = *opened.source;
    const int64_t length = std::max<int64_t>(1, source.lengthFrames());
    constexpr int64_t kChunk = 8192;
    std::vector<float> buffer(size_t(kChunk * source.channels()));
    std::vector<float> lows(Waveform::kBins, 0.f), highs(Waveform::kBins, 0.f);
    int64_t frame = 0;
    int sent = 0;
    for (;;) {
        if (promise.isCanceled())
            return;
        const int64_t n = source.read(buffer.data(), kChunk);
        for (int64_t i = 0; i < n; ++i, ++frame) {
            const size_t bin = size_t(std::min<int64_t>(frame * Waveform::kBins / length, Waveform::kBins - 1));
            for (int c = 0; c < source.channels(); ++c) {
                const float v = buffer[size_t(i * source.channels() + c)];
                lows[bin] = std::min(lows[bin], v);
                highs[bin] = std::max(highs[bin], v);
            }
        }
        const int done
            = n < kChunk ? Waveform::kBins : int(std::min<int64_t>(frame * Waveform::kBins / length, Waveform::kBins));
        if (done - sent >= Waveform::kBins / 16 || (n < kChunk && done > sent)) {
            audio::OverviewPart part{
                sent, {lows.begin() + sent, lows.begin() + done}, {highs.begin() + sent, highs.begin() + done}};
            promise.addResult(Piece{Piece::Overview, {}, std::move(part), {}, {}});
            sent = done;
        }
        if (n < kChunk)
            return;
    }
}

// The threads that work out pictures and levels: at a low CPU priority (a nice value, which
// Linux honours where thread priorities are not), so that they never take time from the
// sound being played or the window.
QThreadPool& analysisPool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool(qApp);
        p->setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
        return p;
    }();
    return *pool;
}

// Runs on an analysis thread: what the file is, then its picture, then its loudness.
void analyse(
    QPromise<Piece>& promise, audio::DeviceKind kind, const QString& path, std::optional<audio::MidiSynth> synth)
{
    ::setpriority(PRIO_PROCESS, id_t(::syscall(SYS_gettid)), 15);
    auto stopped = [&promise] { return promise.isCanceled(); };
    if (kind == audio::DeviceKind::Sequencer) {
        audio::MidiRead read = audio::readMidi(path);
        Piece info{Piece::Info, {}, {}, {}, {}};
        info.info = read.error.isEmpty() ? audio::midiInfo(read.song) : audio::SoundInfo::refused(kind, read.error);
        promise.addResult(std::move(info));
        if (read.error.isEmpty()) {
            promise.addResult(Piece{Piece::Density, {}, {}, audio::noteDensity(read.song, Waveform::kBins), {}});
            if (synth)
                renderSong(promise, *synth, std::move(read.song)); // read once, for both pictures
        }
        promise.addResult(Piece{});
        return;
    }
    // A stranger's file: read, drawn and measured in the helper, in one pass.
    bool ok = false;
    const audio::Loudness loudness = audio::probeAnalysis(
        path, Waveform::kBins,
        [&](const audio::SoundInfo& info) {
            ok = info.ok();
            promise.addResult(Piece{Piece::Info, info, {}, {}, {}});
        },
        [&](audio::OverviewPart&& part) {
            promise.addResult(Piece{Piece::Overview, {}, std::move(part), {}, {}});
            return !stopped();
        },
        stopped);
    if (ok && !stopped())
        promise.addResult(Piece{Piece::Loudness, {}, {}, {}, loudness});
    promise.addResult(Piece{});
}

constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();

} // namespace

Waveform::Waveform(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Waveform"));
    setAccessibleName(Say::tr("Waveform"));
    setToolTip(Say::tr("The whole sound; click to play from there."));
    setMinimumHeight(36);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

Waveform::~Waveform()
{
    if (watcher_)
        watcher_->cancel();
}

QString Waveform::keyOf(audio::DeviceKind kind, const QString& path)
{
    const QFileInfo info(path);
    return QStringLiteral("%1|%2|%3|%4")
        .arg(int(kind))
        .arg(info.absoluteFilePath())
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

void Waveform::setFile(audio::DeviceKind kind, const QString& path, const audio::MidiSynth* synth)
{
    const QString key = path.isEmpty() ? QString() : keyOf(kind, path);
    if (key == key_ && !key.isEmpty())
        return;
    if (watcher_) {
        watcher_->cancel();
        watcher_->disconnect(this);
        watcher_->deleteLater();
        watcher_ = nullptr;
    }
    key_ = key;
    position_ = 0;
    current_ = {};
    if (key.isEmpty() || !QFileInfo(path).isFile()) {
        update();
        emit analysed();
        return;
    }
    if (auto cached = cache_.constFind(key); cached != cache_.constEnd()) {
        current_ = *cached;
        update();
        emit analysed();
        return;
    }
    current_.lows.assign(kBins, kUnknown);
    current_.highs.assign(kBins, kUnknown);
    watcher_ = new QFutureWatcher<Piece>(this);
    connect(watcher_, &QFutureWatcher<Piece>::resultsReadyAt, this, [this, w = watcher_](int begin, int end) {
        for (int i = begin; i < end; ++i)
            take(w->future().resultAt(i));
    });
    watcher_->setFuture(QtConcurrent::run(&analysisPool(), analyse, kind, path,
        synth ? std::optional<audio::MidiSynth>(*synth) : std::optional<audio::MidiSynth>()));
    update();
    emit analysed();
}

void Waveform::take(const Piece& piece)
{
    switch (piece.kind) {
    case Piece::Info:
        current_.info = piece.info;
        break;
    case Piece::Overview:
        if (current_.density) { // the rendered sound takes the place of the notes
            current_.density = false;
            current_.lows.assign(kBins, kUnknown);
            current_.highs.assign(kBins, kUnknown);
        }
        for (size_t i = 0; i < piece.part.min.size() && piece.part.first + i < size_t(kBins); ++i) {
            current_.lows[piece.part.first + i] = piece.part.min[i];
            current_.highs[piece.part.first + i] = piece.part.max[i];
        }
        break;
    case Piece::Density:
        current_.density = true;
        current_.lows.assign(piece.density.size(), 0.f);
        current_.highs = piece.density;
        break;
    case Piece::Loudness:
        current_.loudness = piece.loudness;
        break;
    case Piece::Done:
        current_.finished = true;
        cache_.insert(key_, current_);
        break;
    }
    update();
    emit analysed();
}

void Waveform::setPosition(double fraction)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    if (std::abs(fraction - position_) * width() < 0.5)
        return;
    position_ = fraction;
    update();
}

void Waveform::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Base));
    p.setPen(pal.color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const int w = width() - 2, h = height() - 4;
    if (w <= 0 || key_.isEmpty())
        return;
    const double mid = 2 + h / 2.0;
    const size_t bins = current_.highs.size();
    QColor ink = pal.color(QPalette::Text);
    ink.setAlphaF(0.75f);
    p.setPen(ink);
    for (int x = 0; x < w && bins > 0; ++x) {
        const size_t from = size_t(x) * bins / size_t(w);
        const size_t to = std::max(from + 1, size_t(x + 1) * bins / size_t(w));
        float lo = 0, hi = 0;
        bool known = false;
        for (size_t b = from; b < to && b < bins; ++b) {
            if (std::isnan(current_.highs[b]))
                continue;
            known = true;
            lo = std::min(lo, current_.lows[b]);
            hi = std::max(hi, current_.highs[b]);
        }
        if (!known)
            continue;
        if (current_.density) // notes per column, as bars from the bottom
            p.drawLine(x + 1, 2 + h, x + 1, int(2 + h - hi * h));
        else
            p.drawLine(x + 1, int(mid - hi * h / 2), x + 1, int(mid - lo * h / 2));
    }
    p.setPen(QPen(pal.color(QPalette::Highlight), 2));
    const int at = 1 + int(position_ * (w - 1));
    p.drawLine(at, 1, at, height() - 2);
}

void Waveform::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !key_.isEmpty() && width() > 2)
        emit seekRequested(std::clamp((event->position().x() - 1) / (width() - 2), 0.0, 1.0));
}

void Waveform::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && !key_.isEmpty() && width() > 2)
        emit seekRequested(std::clamp((event->position().x() - 1) / (width() - 2), 0.0, 1.0));
}

} // namespace sonaplex
