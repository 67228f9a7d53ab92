#include "audio/midi_source.h"

#include "audio/midi_file.h"
#include "base/files.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QMutex>

#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <future>

namespace sonaplex::audio {

namespace {

void quietLog(int, const char*, void*) {}

// FluidSynth and what it brings (about 30 libraries: JACK, SDL, readline, ...) load with the
// SoundFont, in the background once the first window is up, not when the program starts.
#define SONAPLEX_FLUID_FUNCTIONS(X)                                                                                    \
    X(delete_fluid_settings)                                                                                           \
    X(delete_fluid_synth)                                                                                              \
    X(fluid_set_log_function)                                                                                          \
    X(fluid_settings_setint)                                                                                           \
    X(fluid_settings_setnum)                                                                                           \
    X(fluid_synth_add_sfont)                                                                                           \
    X(fluid_synth_cc)                                                                                                  \
    X(fluid_synth_channel_pressure)                                                                                    \
    X(fluid_synth_get_active_voice_count)                                                                              \
    X(fluid_synth_get_sfont_by_id)                                                                                     \
    X(fluid_synth_key_pressure)                                                                                        \
    X(fluid_synth_noteoff)                                                                                             \
    X(fluid_synth_noteon)                                                                                              \
    X(fluid_synth_pitch_bend)                                                                                          \
    X(fluid_synth_program_change)                                                                                      \
    X(fluid_synth_remove_sfont)                                                                                        \
    X(fluid_synth_sfload)                                                                                              \
    X(fluid_synth_sysex)                                                                                               \
    X(fluid_synth_write_float)                                                                                         \
    X(new_fluid_settings)                                                                                              \
    X(new_fluid_synth)

struct FluidApi {
#define SONAPLEX_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    SONAPLEX_FLUID_FUNCTIONS(SONAPLEX_FLUID_POINTER)
#undef SONAPLEX_FLUID_POINTER
    QString error; // empty once every function was found
};

const FluidApi& fluid()
{
    static const FluidApi api = [] {
        FluidApi a;
        QLibrary library(QStringLiteral(SONAPLEX_FLUIDSYNTH_LIBRARY));
        if (!library.load()) {
            a.error = QStringLiteral("The FluidSynth library could not be loaded (%1), so MIDI files cannot be played. "
                                     "Install the package libfluidsynth3.")
                          .arg(library.errorString());
            return a;
        }
#define SONAPLEX_FLUID_RESOLVE(name)                                                                                   \
    a.name = reinterpret_cast<decltype(a.name)>(library.resolve(#name));                                               \
    if (!a.name && a.error.isEmpty())                                                                                  \
        a.error = QStringLiteral("The FluidSynth library has no %1, so MIDI files cannot be played.").arg(#name);
        SONAPLEX_FLUID_FUNCTIONS(SONAPLEX_FLUID_RESOLVE)
#undef SONAPLEX_FLUID_RESOLVE
        return a; // the library stays loaded for the rest of the run
    }();
    return api;
}

} // namespace

// What the players of one audio host share for MIDI: the synthesizer settings and the
// SoundFont, loaded once (in the background at start-up, or on first use) by a synthesizer
// that never plays. Each song plays on a fresh synthesizer of its own that borrows the
// SoundFont: creating one takes well under a millisecond, and a fresh one keeps nothing of
// what was played before, so every play of a song sounds the same. Sources hold this alive.
class SharedSynth {
public:
    explicit SharedSynth(QStringList candidates) : candidates_(std::move(candidates)) {}
    ~SharedSynth()
    {
        if (holder_)
            fluid().delete_fluid_synth(holder_);
        if (settings_)
            fluid().delete_fluid_settings(settings_);
    }

    // Loads the SoundFont the first time; false (and why) when there is none to load. A call
    // while another thread loads it waits for that load.
    bool ready(QString* error)
    {
        QMutexLocker lock(&loadGuard_);
        if (font_)
            return true;
        if (!failure_.isEmpty()) {
            *error = failure_;
            return false;
        }
        const QString font = findSoundFont(candidates_);
        if (font.isEmpty())
            failure_ = QStringLiteral("No General MIDI SoundFont was found, so MIDI files cannot be played. "
                                      "Install the package timgm6mb-soundfont (or fluid-soundfont-gm), "
                                      "or set SONAPLEX_SOUNDFONT to a .sf2 file.");
        else if (!fluid().error.isEmpty())
            failure_ = fluid().error;
        else
            init(font);
        *error = failure_;
        return failure_.isEmpty();
    }

    // A synthesizer in its initial state with the SoundFont; null when it cannot be made.
    fluid_synth_t* newSynth()
    {
        QMutexLocker lock(&loadGuard_);
        if (!font_)
            return nullptr;
        fluid_synth_t* made = fluid().new_fluid_synth(settings_);
        if (made && fluid().fluid_synth_add_sfont(made, font_) == FLUID_FAILED) {
            fluid().delete_fluid_synth(made);
            return nullptr;
        }
        return made;
    }
    void release(fluid_synth_t* synth)
    {
        if (!synth)
            return;
        QMutexLocker lock(&loadGuard_);
        fluid().fluid_synth_remove_sfont(synth, font_); // the SoundFont stays with its loader
        fluid().delete_fluid_synth(synth);
    }

private:
    void init(const QString& font)
    {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid().fluid_set_log_function(level, quietLog, nullptr);
        settings_ = fluid().new_fluid_settings();
        fluid().fluid_settings_setnum(settings_, "synth.sample-rate", kMidiSampleRate);
        fluid().fluid_settings_setint(settings_, "synth.lock-memory", 0);
        fluid().fluid_settings_setint(settings_, "synth.midi-channels", 16);
        fluid().fluid_settings_setnum(settings_, "synth.gain", 0.5);
        fluid().fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
        holder_ = fluid().new_fluid_synth(settings_);
        const int id
            = holder_ ? fluid().fluid_synth_sfload(holder_, QFile::encodeName(font).constData(), 1) : FLUID_FAILED;
        if (id == FLUID_FAILED) {
            failure_
                = QStringLiteral("The SoundFont %1 could not be loaded, so MIDI files cannot be played.").arg(font);
            return;
        }
        font_ = fluid().fluid_synth_get_sfont_by_id(holder_, id);
    }
    QStringList candidates_;
    QMutex loadGuard_;
    QString failure_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* holder_ = nullptr; // loaded the SoundFont and owns it
    fluid_sfont_t* font_ = nullptr;
};

namespace {

class MidiSource final : public AudioSource {
public:
    // With the file's bytes, `song` is only its summary and the events are parsed on a thread
    // of their own; without, `song` is the whole song.
    MidiSource(std::shared_ptr<SharedSynth> shared, MidiSong song, QByteArray bytes = {})
        : shared_(std::move(shared)), song_(std::move(song))
    {
        if (!bytes.isEmpty())
            parsing_ = std::async(
                std::launch::async, [bytes = std::move(bytes)] { return parseMidi(bytes, kMidiMaxSeconds).song; });
        lastEvent_ = int64_t(song_.lastEventSeconds * kMidiSampleRate);
        length_ = lastEvent_ + int64_t(kMidiTailSeconds * kMidiSampleRate);
    }
    ~MidiSource() override { shared_->release(synth_); }

    int sampleRate() const override { return kMidiSampleRate; }
    int channels() const override { return 2; }
    int64_t lengthFrames() const override { return length_; }

    bool seek(int64_t frame) override
    {
        takeSong();
        position_ = std::clamp<int64_t>(frame, 0, length_);
        synthPos_ = position_ - position_ % kBlock;
        rendered_ = blockPos_ = 0;
        silentSince_ = -1;
        takeOver();
        if (position_ % kBlock && synth_) {
            render(1);
            blockPos_ = int(position_ % kBlock);
        }
        return true;
    }

    // Past the last event the song goes on while notes ring out, and ends a moment after the
    // last voice has died away (for the reverb), at most kMidiMaxTailSeconds after the event.
    int64_t read(float* out, int64_t frames) override
    {
        takeSong();
        if (!synth_)
            takeOver();
        if (!synth_)
            return 0;
        const int64_t cap = lastEvent_ + int64_t(kMidiMaxTailSeconds * kMidiSampleRate);
        int64_t done = 0;
        while (done < frames && position_ < cap && !ended()) {
            if (blockPos_ == rendered_)
                render(kMaxBlocks);
            const int64_t n = std::min<int64_t>({rendered_ - blockPos_, frames - done, cap - position_});
            std::copy_n(buffer_ + blockPos_ * 2, n * 2, out + done * 2);
            blockPos_ += int(n);
            done += n;
            position_ += n;
        }
        return done;
    }

private:
    // The synthesizer works in blocks of 64 frames and applies events at block starts. Asking
    // it for whole blocks only keeps every song on the same grid, so that a song sounds the
    // same each time it is played. Blocks without events are asked for several at a time,
    // which sounds the same and costs less.
    static constexpr int kBlock = 64;
    static constexpr int kMaxBlocks = 16;
    static constexpr int64_t kReverbFrames = kMidiSampleRate * 3 / 10;

    void takeSong()
    {
        if (parsing_.valid())
            song_ = parsing_.get();
    }
    int64_t frameOf(size_t event) const { return int64_t(song_.events[event].seconds * kMidiSampleRate); }
    bool ended() const { return silentSince_ >= 0 && position_ >= silentSince_ + kReverbFrames; }

    // Renders up to `blocks` blocks into buffer_: the events of the first block sent first,
    // and no more blocks than reach the next event.
    void render(int blocks)
    {
        while (next_ < song_.events.size() && frameOf(next_) < synthPos_ + kBlock)
            send(song_.events[next_++], true);
        if (next_ < song_.events.size())
            blocks = int(std::clamp<int64_t>((frameOf(next_) - synthPos_) / kBlock, 1, blocks));
        fluid().fluid_synth_write_float(synth_, blocks * kBlock, buffer_, 0, 2, buffer_, 1, 2);
        synthPos_ += blocks * kBlock;
        rendered_ = blocks * kBlock;
        blockPos_ = 0;
        if (synthPos_ > lastEvent_ && silentSince_ < 0 && fluid().fluid_synth_get_active_voice_count(synth_) == 0)
            silentSince_ = synthPos_;
    }

    // A fresh synthesizer in the state this song has at synthPos_: controllers, programs and
    // bends replayed, no notes sounding.
    void takeOver()
    {
        shared_->release(synth_);
        synth_ = shared_->newSynth();
        next_ = 0;
        if (!synth_)
            return;
        while (next_ < song_.events.size() && frameOf(next_) < synthPos_)
            send(song_.events[next_++], false);
    }

    void send(const MidiEvent& e, bool withNotes)
    {
        fluid_synth_t* s = synth_;
        const int ch = e.status & 0x0F;
        switch (e.status & 0xF0) {
        case 0x80:
            if (withNotes)
                fluid().fluid_synth_noteoff(s, ch, e.data1);
            break;
        case 0x90:
            if (withNotes) {
                if (e.data2)
                    fluid().fluid_synth_noteon(s, ch, e.data1, e.data2);
                else
                    fluid().fluid_synth_noteoff(s, ch, e.data1);
            }
            break;
        case 0xA0:
            fluid().fluid_synth_key_pressure(s, ch, e.data1, e.data2);
            break;
        case 0xB0:
            fluid().fluid_synth_cc(s, ch, e.data1, e.data2);
            break;
        case 0xC0:
            fluid().fluid_synth_program_change(s, ch, e.data1);
            break;
        case 0xD0:
            fluid().fluid_synth_channel_pressure(s, ch, e.data1);
            break;
        case 0xE0:
            fluid().fluid_synth_pitch_bend(s, ch, e.data1 | (e.data2 << 7));
            break;
        case 0xF0: {
            const QByteArrayView body = song_.sysexBody(e.sysexIndex);
            fluid().fluid_synth_sysex(s, body.data(), int(body.size()), nullptr, nullptr, nullptr, 0);
            break;
        }
        default:
            break;
        }
    }

    std::shared_ptr<SharedSynth> shared_;
    MidiSong song_; // the summary until the parse is taken
    std::future<MidiSong> parsing_;
    fluid_synth_t* synth_ = nullptr;
    int64_t lastEvent_ = 0;
    int64_t silentSince_ = -1; // where the synth fell silent after the last event
    int64_t length_ = 0;
    int64_t position_ = 0; // frames handed out
    int64_t synthPos_ = 0; // where the synth's next block starts
    float buffer_[kMaxBlocks * kBlock * 2] = {};
    int rendered_ = 0; // frames in buffer_
    int blockPos_ = 0; // frames of buffer_ handed out
    size_t next_ = 0;
};

} // namespace

QStringList defaultSoundFontCandidates()
{
    QStringList list{
        QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2"),
        QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
        QStringLiteral("/usr/share/soundfonts/default.sf2"),
        QStringLiteral("/usr/share/soundfonts/FluidR3_GM.sf2"),
        QStringLiteral("/usr/local/share/soundfonts/default.sf2"),
    };
    const QString env = qEnvironmentVariable("SONAPLEX_SOUNDFONT");
    if (!env.isEmpty())
        list.prepend(env);
    return list;
}

QString findSoundFont(const QStringList& candidates)
{
    for (const QString& path : candidates)
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

MidiRead readMidi(const QString& path, MidiDetail detail)
{
    QFile file;
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo::exists(path))
        return {{}, QStringLiteral("The file %1 does not exist.").arg(name), {}};
    // Checked on the opened file, never waited on: a FIFO or a device is not a MIDI file.
    FileResult notReadable;
    const int fd = openRegularFile(path, &notReadable);
    if (fd < 0)
        return {{},
            notReadable.cause == FileCause::NotAFile
                ? QStringLiteral("%1 is not a file that can be played.").arg(name)
                : QStringLiteral("%1 cannot be read (%2).").arg(name, notReadable.error),
            {}};
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {{}, QStringLiteral("%1 cannot be read (%2).").arg(name, file.errorString())};
    }
    constexpr qint64 kMaxMidiBytes = 64 << 20;
    if (file.size() > kMaxMidiBytes)
        return {{}, QStringLiteral("%1 is too large to be a MIDI file.").arg(name)};
    const QByteArray bytes = file.readAll();
    MidiParse parsed = parseMidi(bytes, kMidiMaxSeconds, detail);
    if (!parsed.error.isEmpty())
        return {{}, QStringLiteral("%1 cannot be played: %2.").arg(name, parsed.error), {}};
    if (detail == MidiDetail::Events ? parsed.song.events.empty() : !parsed.hasEvents)
        return {{}, QStringLiteral("%1 holds no notes.").arg(name), {}};
    return {std::move(parsed.song), {}, detail == MidiDetail::Summary ? bytes : QByteArray()};
}

MidiSynth::MidiSynth(QStringList soundFontCandidates) : d(std::make_shared<SharedSynth>(std::move(soundFontCandidates)))
{
}

std::thread MidiSynth::loadInBackground() const
{
    return std::thread([d = d] {
        QString error;
        d->ready(&error); // an open waits for it; a failure is reported there
    });
}

OpenResult MidiSynth::open(const QString& path) const
{
    // Only what the player must know at once is read here; the events are parsed on a thread
    // of their own while the user looks at the file, and playing waits for them if need be.
    MidiRead read = readMidi(path, MidiDetail::Summary);
    if (!read.error.isEmpty())
        return {nullptr, read.error};
    QString error;
    if (!d->ready(&error))
        return {nullptr, error};
    return {std::make_unique<MidiSource>(d, std::move(read.song), std::move(read.bytes)), {}};
}

OpenResult MidiSynth::open(MidiSong song) const
{
    QString error;
    if (!d->ready(&error))
        return {nullptr, error};
    return {std::make_unique<MidiSource>(d, std::move(song)), {}};
}

} // namespace sonaplex::audio
