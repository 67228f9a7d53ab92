#pragma once
#include "audio/analysis.h"
#include "audio/midi_source.h"

#include <QFutureWatcher>
#include <QHash>
#include <QWidget>

namespace sonaplex {

// The whole of a sound at a glance, under its player: the lowest and highest sample of each
// column (a MIDI song shows how many notes start in each), the playing position as a line,
// and a click seeks there. Everything it shows is worked out off the GUI thread and filled
// in as it comes: the format first, the picture in pieces, the loudness last. Results are
// kept per file (while the file is unchanged) for as long as the widget lives.
class Waveform : public QWidget {
    Q_OBJECT
public:
    explicit Waveform(QWidget* parent = nullptr);
    ~Waveform() override;

    // Starts on a file (or shows nothing, for an empty path). A MIDI song shows its notes at
    // once and its sound when `synth` (if given) has rendered it, in the background.
    void setFile(audio::DeviceKind kind, const QString& path, const audio::MidiSynth* synth = nullptr);
    void clear() { setFile(audio::DeviceKind::WaveAudio, {}); }
    // Where the line is drawn, 0..1 of the length.
    void setPosition(double fraction);

    // What is known so far of the current file.
    const audio::SoundInfo& info() const { return current_.info; }
    const audio::Loudness& loudness() const { return current_.loudness; }
    bool finished() const { return current_.finished; }
    // The picture's columns (bins), for those who check it: lowest and highest sample each,
    // or 0 and the note density for a MIDI song. Bins not yet worked out hold NaN.
    const std::vector<float>& lows() const { return current_.lows; }
    const std::vector<float>& highs() const { return current_.highs; }

    static constexpr int kBins = 2048;

signals:
    // Something new is known: the format, more of the picture, the loudness.
    void analysed();
    void seekRequested(double fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return {200, 44}; }

public:
    // One result of the background work on a file.
    struct Piece {
        enum Kind { Info, Overview, Density, Loudness, Done } kind = Done;
        audio::SoundInfo info;
        audio::OverviewPart part;
        std::vector<float> density;
        audio::Loudness loudness;
    };

private:
    struct Entry {
        audio::SoundInfo info;
        audio::Loudness loudness;
        std::vector<float> lows, highs;
        bool density = false;
        bool finished = false;
    };
    void take(const Piece& piece);
    static QString keyOf(audio::DeviceKind kind, const QString& path);

    QFutureWatcher<Piece>* watcher_ = nullptr;
    QString key_;
    Entry current_;
    QHash<QString, Entry> cache_;
    double position_ = 0;
};

} // namespace sonaplex
