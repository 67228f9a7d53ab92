#pragma once
#include "audio/source.h"

#include <QString>

#include <cstdint>
#include <memory>

namespace sonaplex::audio {

// A stream to the sound server, fed from a source (see PcmDevice): what a player plays
// through. It lives in a module of its own with Qt Multimedia and the sound server's
// libraries, loaded at the first play rather than when the program starts.
class OutputStream {
public:
    virtual ~OutputStream() = default;
    // Starts the sound at source frame `from`; false when the output refused. (A player opens a
    // fresh output for each start: the server sounds a new stream at once, a restarted one late.)
    virtual bool startAt(int64_t from) = 0;
    // Moves the feed to `from` without stopping the stream: what is queued plays out.
    virtual void moveFeedTo(int64_t from) = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;
    // Scales what is heard (1 = as recorded).
    virtual void setGain(float gain) = 0;
    // The rate the device plays at, and the device frames it has played since the last start.
    virtual int deviceRate() const = 0;
    virtual int64_t playedFrames() const = 0;
    // The source has run out; the device frames handed out before it did.
    virtual bool ended() const = 0;
    virtual int64_t framesBeforeEnd() const = 0;
};

// An output on the default device for `source`, which must outlive it; null and why (for the
// user) when there is no output or the output module cannot be loaded.
std::unique_ptr<OutputStream> openOutput(AudioSource& source, QString* error);

// Loads the output module and connects to the sound server, so that the first play only opens
// its stream. Safe to call from any thread, and more than once.
void prepareOutput();

// The output module's entry points, `sonaplex_open_output` and `sonaplex_prepare_output`.
using OpenOutputFunction = OutputStream* (*)(AudioSource*, QString*);
using PrepareOutputFunction = void (*)();

} // namespace sonaplex::audio
