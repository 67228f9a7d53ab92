#include "audio/midi_source.h"

#include "audio/midi_file.h"
#include "base/files.h"
#include "base/result.h"
#include "base/loaded_library.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <future>
#include <map>
#include <set>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(MidiSource)
};


void quietLog(int, const char*, void*) {}

// FluidSynth and what it brings (about 30 libraries: JACK, SDL, readline, ...) load with the
// first MIDI file opened, not when the program starts (see loaded_library.h).
#define SONAPLEX_FLUID_FUNCTIONS(X, api)                                                                                 \
    X(api, delete_fluid_settings)                                                                                        \
    X(api, delete_fluid_synth)                                                                                           \
    X(api, fluid_set_log_function)                                                                                       \
    X(api, fluid_settings_setint)                                                                                        \
    X(api, fluid_settings_setnum)                                                                                        \
    X(api, fluid_synth_add_sfont)                                                                                        \
    X(api, fluid_preset_get_banknum)                                                                                     \
    X(api, fluid_preset_get_num)                                                                                         \
    X(api, fluid_sfont_get_id)                                                                                           \
    X(api, fluid_synth_cc)                                                                                               \
    X(api, fluid_synth_channel_pressure)                                                                                 \
    X(api, fluid_synth_get_active_voice_count)                                                                           \
    X(api, fluid_synth_get_channel_preset)                                                                               \
    X(api, fluid_synth_get_sfont_by_id)                                                                                  \
    X(api, fluid_synth_key_pressure)                                                                                     \
    X(api, fluid_synth_noteoff)                                                                                          \
    X(api, fluid_synth_noteon)                                                                                           \
    X(api, fluid_synth_pitch_bend)                                                                                       \
    X(api, fluid_synth_program_change)                                                                                   \
    X(api, fluid_synth_remove_sfont)                                                                                     \
    X(api, fluid_synth_sfload)                                                                                           \
    X(api, fluid_synth_sysex)                                                                                            \
    X(api, fluid_synth_write_float)                                                                                      \
    X(api, new_fluid_settings)                                                                                           \
    X(api, new_fluid_synth)
// Since FluidSynth 2.3: without them every sample is loaded with the SoundFont.
#define SONAPLEX_FLUID_OPTIONAL(X, api)                                                                                  \
    X(api, fluid_synth_pin_preset)                                                                                       \
    X(api, fluid_synth_unpin_preset)

#define SONAPLEX_FLUID_ALL(X, api) SONAPLEX_FLUID_FUNCTIONS(X, api) SONAPLEX_FLUID_OPTIONAL(X, api)
SONAPLEX_LIBRARY_API(FluidApi, SONAPLEX_FLUID_ALL);

const FluidApi& fluid()
{
    static const FluidApi api = [] {
        FluidApi a;
        a.error = libraryProblem(loadLibraryFunctions(QStringLiteral(SONAPLEX_FLUIDSYNTH_LIBRARY),
                                     {SONAPLEX_FLUID_FUNCTIONS(SONAPLEX_LIBRARY_FUNCTION, a)
                                             SONAPLEX_FLUID_OPTIONAL(SONAPLEX_LIBRARY_OPTIONAL, a)}),
            QStringLiteral("FluidSynth"), Say::tr("MIDI files cannot be played"), QStringLiteral("libfluidsynth3"));
        return a;
    }();
    return api;
}

// Sends one event of `song` to `synth`; notes only when `withNotes`.
void sendEvent(fluid_synth_t* synth, const MidiSong& song, const MidiEvent& e, bool withNotes)
{
    const int ch = e.status & 0x0F;
    switch (e.status & 0xF0) {
    case 0x80:
        if (withNotes)
            fluid().fluid_synth_noteoff(synth, ch, e.data1);
        break;
    case 0x90:
        if (withNotes) {
            if (e.data2)
                fluid().fluid_synth_noteon(synth, ch, e.data1, e.data2);
            else
                fluid().fluid_synth_noteoff(synth, ch, e.data1);
        }
        break;
    case 0xA0:
        fluid().fluid_synth_key_pressure(synth, ch, e.data1, e.data2);
        break;
    case 0xB0:
        fluid().fluid_synth_cc(synth, ch, e.data1, e.data2);
        break;
    case 0xC0:
        fluid().fluid_synth_program_change(synth, ch, e.data1);
        break;
    case 0xD0:
        fluid().fluid_synth_channel_pressure(synth, ch, e.data1);
        break;
    case 0xE0:
        fluid().fluid_synth_pitch_bend(synth, ch, e.data1 | (e.data2 << 7));
        break;
    case 0xF0: {
        const QByteArrayView body = song.sysexBody(e.sysexIndex);
        fluid().fluid_synth_sysex(synth, body.data(), int(body.size()), nullptr, nullptr, nullptr, 0);
        break;
    }
    default:
        break;
    }
}

// Events that can choose an instrument: a program change, or a system-exclusive message (a
// reset, a drum part). Bank selects take effect at the next program change.
bool choosesInstrument(const MidiEvent& e) { return (e.status & 0xF0) == 0xC0 || e.status == 0xF0; }
bool selectsBank(const MidiEvent& e) { return (e.status & 0xF0) == 0xB0 && (e.data1 == 0 || e.data1 == 32); }

constexpr int kMidiChannels = 16;

} // namespace

// What the players of one audio host share for MIDI: the synthesizer settings and the
// SoundFont, loaded once (while the first song opened is prepared) by a synthesizer that
// never plays. Each song plays on a fresh synthesizer of its own that borrows the
// SoundFont: creating one takes well under a millisecond, and a fresh one keeps nothing of
// what was played before, so every play of a song sounds the same. Sources hold this alive.
//
// With samples on demand, loading the SoundFont reads only its instrument list; the samples
// of an instrument come into memory when a song that uses it is opened, and go when the last
// such song is closed. A song holds its instruments (pinned) for as long as it is open, so
// playing it never waits for the disk. Choosing an instrument is what loads and counts
// samples in FluidSynth, and that count is shared by every synthesizer of the SoundFont:
// every choice is made under guard_.
class SharedSynth {
public:
    SharedSynth(QStringList candidates, SampleLoading loading) : candidates_(std::move(candidates)), loading_(loading)
    {
    }
    ~SharedSynth()
    {
        if (holder_)
            fluid().delete_fluid_synth(holder_);
        if (settings_)
            fluid().delete_fluid_settings(settings_);
    }

    // Loads FluidSynth and the SoundFont the first time; false (and why) when they cannot be.
    // A call while another thread loads them waits for that load.
    bool ready(QString* error)
    {
        QMutexLocker lock(&guard_);
        if (font_)
            return true;
        if (QString known = failure(); !known.isEmpty()) {
            *error = known;
            return false;
        }
        QString why;
        const QString font = findSoundFont(candidates_);
        if (font.isEmpty())
            why = noSoundFont();
        else if (!fluid().error.isEmpty())
            why = fluid().error;
        else
            why = init(font);
        if (!why.isEmpty()) {
            QMutexLocker known(&failureGuard_);
            failure_ = why;
        }
        *error = why;
        return why.isEmpty();
    }

    // Whether a song can be opened before the SoundFont is loaded: there is one to load and no
    // load has failed. Never waits for a load.
    bool usable(QString* error) const
    {
        *error = failure();
        if (error->isEmpty() && findSoundFont(candidates_).isEmpty())
            *error = noSoundFont();
        return error->isEmpty();
    }

    // A synthesizer in its initial state with the SoundFont; null when it cannot be made.
    fluid_synth_t* newSynth()
    {
        QMutexLocker lock(&guard_);
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
        QMutexLocker lock(&guard_);
        fluid().fluid_synth_remove_sfont(synth, font_); // the SoundFont stays with its loader
        fluid().delete_fluid_synth(synth);
    }

    // Sends an event that may choose an instrument.
    void choose(fluid_synth_t* synth, const MidiSong& song, const MidiEvent& e)
    {
        QMutexLocker lock(&guard_);
        sendEvent(synth, song, e, false);
    }

    // Brings in the samples of every instrument `song` chooses (and of those a fresh synthesizer
    // starts with) and holds them until unpin(). A synthesizer that goes through the song's
    // choices finds them, so that the rules of banks and drum parts are FluidSynth's own.
    using Instruments = std::vector<std::pair<int, int>>; // bank and program
    Instruments pin(const MidiSong& song)
    {
        if (!onDemand_)
            return {};
        fluid_synth_t* scout = newSynth();
        if (!scout)
            return {};
        std::set<std::pair<int, int>> chosen;
        {
            QMutexLocker lock(&guard_);
            auto note = [&](int ch) {
                if (fluid_preset_t* p = fluid().fluid_synth_get_channel_preset(scout, ch))
                    chosen.emplace(fluid().fluid_preset_get_banknum(p), fluid().fluid_preset_get_num(p));
            };
            for (int ch = 0; ch < kMidiChannels; ++ch)
                note(ch);
            for (const MidiEvent& e : song.events) {
                if (!choosesInstrument(e) && !selectsBank(e))
                    continue;
                sendEvent(scout, song, e, false);
                if ((e.status & 0xF0) == 0xC0)
                    note(e.status & 0x0F);
                else if (e.status == 0xF0)
                    for (int ch = 0; ch < kMidiChannels; ++ch)
                        note(ch);
            }
            // The scout's choices loaded the samples; the pins keep them once it goes.
            for (const auto& [bank, program] : chosen)
                if (pins_[{bank, program}]++ == 0)
                    fluid().fluid_synth_pin_preset(holder_, fluid().fluid_sfont_get_id(font_), bank, program);
        }
        release(scout);
        return {chosen.begin(), chosen.end()};
    }
    void unpin(const Instruments& instruments)
    {
        if (instruments.empty())
            return;
        QMutexLocker lock(&guard_);
        for (const auto& key : instruments)
            if (auto it = pins_.find(key); it != pins_.end() && --it->second == 0) {
                pins_.erase(it);
                fluid().fluid_synth_unpin_preset(holder_, fluid().fluid_sfont_get_id(font_), key.first, key.second);
            }
    }

private:
    static QString noSoundFont()
    {
        return Say::tr("No General MIDI SoundFont was found, so MIDI files cannot be played. "
                       "Install the package timgm6mb-soundfont (or fluid-soundfont-gm), "
                       "or set SONAPLEX_SOUNDFONT to a .sf2 file.");
    }
    QString failure() const
    {
        QMutexLocker lock(&failureGuard_);
        return failure_;
    }

    // Why the SoundFont cannot be loaded, or empty once it is.
    QString init(const QString& font)
    {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid().fluid_set_log_function(level, quietLog, nullptr);
        onDemand_ = loading_ == SampleLoading::OnDemand && fluid().fluid_synth_pin_preset
            && fluid().fluid_synth_unpin_preset;
        settings_ = fluid().new_fluid_settings();
        fluid().fluid_settings_setnum(settings_, "synth.sample-rate", kMidiSampleRate);
        fluid().fluid_settings_setint(settings_, "synth.lock-memory", 0);
        fluid().fluid_settings_setint(settings_, "synth.midi-channels", kMidiChannels);
        fluid().fluid_settings_setnum(settings_, "synth.gain", 0.5);
        fluid().fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
        fluid().fluid_settings_setint(settings_, "synth.dynamic-sample-loading", onDemand_ ? 1 : 0);
        holder_ = fluid().new_fluid_synth(settings_);
        // Without choosing instruments on the holder's channels: it never plays, and a choice
        // would bring their samples in.
        const int id
            = holder_ ? fluid().fluid_synth_sfload(holder_, QFile::encodeName(font).constData(), 0) : FLUID_FAILED;
        if (id == FLUID_FAILED)
            return Say::tr("The SoundFont %1 could not be loaded, so MIDI files cannot be played.").arg(font);
        font_ = fluid().fluid_synth_get_sfont_by_id(holder_, id);
        return {};
    }
    QStringList candidates_;
    SampleLoading loading_;
    bool onDemand_ = false;
    QMutex guard_; // the load, and every choice of instrument
    mutable QMutex failureGuard_;
    QString failure_; // why the load failed
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* holder_ = nullptr; // loaded the SoundFont and owns it
    fluid_sfont_t* font_ = nullptr;
    std::map<std::pair<int, int>, int> pins_; // how many open songs hold each instrument
};

namespace {

class MidiSource final : public AudioSource {
public:
    // With the file's bytes, `song` is only its summary and the events are parsed on a thread
    // of their own, which then loads the SoundFont if need be and brings in the song's
    // instruments; without, `song` is the whole song, the SoundFont is loaded, and its
    // instruments are brought in here.
    MidiSource(std::shared_ptr<SharedSynth> shared, MidiSong song, QByteArray bytes = {})
        : shared_(std::move(shared)), song_(std::move(song))
    {
        if (!bytes.isEmpty())
            preparing_ = std::async(std::launch::async, [bytes = std::move(bytes), shared = shared_] {
                Prepared p{parseMidi(bytes, kMidiMaxSeconds).song, {}, {}};
                if (shared->ready(&p.failure))
                    p.instruments = shared->pin(p.song);
                return p;
            });
        else
            instruments_ = shared_->pin(song_);
        lastEvent_ = int64_t(song_.lastEventSeconds * kMidiSampleRate);
        length_ = lastEvent_ + int64_t(kMidiTailSeconds * kMidiSampleRate);
    }
    ~MidiSource() override
    {
        takeSong();
        shared_->release(synth_);
        shared_->unpin(instruments_);
    }

    QString problem() override
    {
        takeSong();
        return failure_;
    }
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
        if (preparing_.valid()) {
            Prepared p = preparing_.get();
            song_ = std::move(p.song);
            instruments_ = std::move(p.instruments);
            failure_ = std::move(p.failure);
        }
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
        if (choosesInstrument(e))
            shared_->choose(synth_, song_, e);
        else
            sendEvent(synth_, song_, e, withNotes);
    }

    std::shared_ptr<SharedSynth> shared_;
    struct Prepared {
        MidiSong song;
        SharedSynth::Instruments instruments;
        QString failure; // why the SoundFont could not be loaded
    };
    QString failure_;
    MidiSong song_; // the summary until the parse is taken
    std::future<Prepared> preparing_;
    SharedSynth::Instruments instruments_; // held while the song is open
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
        return {{}, Say::tr("The file %1 does not exist.").arg(name), {}};
    // Checked on the opened file, never waited on: a FIFO or a device is not a MIDI file.
    const Result<int> opened = openRegularFile(path);
    if (!opened)
        return {{},
            opened.failure().cause == FileCause::NotAFile
                ? Say::tr("%1 is not a file that can be played.").arg(name)
                : Say::tr("%1 cannot be read (%2).").arg(name, opened.failure().error),
            {}};
    const int fd = opened.value();
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {{}, Say::tr("%1 cannot be read (%2).").arg(name, file.errorString())};
    }
    constexpr qint64 kMaxMidiBytes = 64 << 20;
    if (file.size() > kMaxMidiBytes)
        return {{}, Say::tr("%1 is too large to be a MIDI file.").arg(name)};
    const QByteArray bytes = file.readAll();
    MidiParse parsed = parseMidi(bytes, kMidiMaxSeconds, detail);
    if (!parsed.error.isEmpty())
        return {{}, Say::tr("%1 cannot be played: %2.").arg(name, parsed.error), {}};
    if (detail == MidiDetail::Events ? parsed.song.events.empty() : !parsed.hasEvents)
        return {{}, Say::tr("%1 holds no notes.").arg(name), {}};
    return {std::move(parsed.song), {}, detail == MidiDetail::Summary ? bytes : QByteArray()};
}

MidiSynth::MidiSynth(QStringList soundFontCandidates, SampleLoading loading)
    : d(std::make_shared<SharedSynth>(std::move(soundFontCandidates), loading))
{
}

OpenResult MidiSynth::open(const QString& path) const
{
    // Only what the player must know at once is read here; the events are parsed, and the
    // SoundFont loaded the first time, on a thread of their own while the user looks at the
    // file. Playing waits for them if need be.
    MidiRead read = readMidi(path, MidiDetail::Summary);
    if (!read.error.isEmpty())
        return {nullptr, read.error};
    QString error;
    if (!d->usable(&error))
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
