#include "audio/audio_file.h"
#include "audio/libraries.h"

#include <QCoreApplication>
#include <cmath>

namespace sonaplex::audio {

namespace {
// The context this file's texts are translated in.
struct Say {
    Q_DECLARE_TR_FUNCTIONS(ModuleSource)
};


struct ModuleDeleter {
    void operator()(openmpt_module* m) const { openmpt().openmpt_module_destroy(m); }
};
using Module = std::unique_ptr<openmpt_module, ModuleDeleter>;

// A module rendered as it plays: 48 kHz stereo, once through (a song that loops for ever ends
// where it would start again, as its length says).
class ModuleSource final : public AudioSource {
public:
    ModuleSource(Module module, int64_t frames) : module_(std::move(module)), frames_(frames) {}

    int sampleRate() const override { return kModuleRate; }
    int channels() const override { return 2; }
    int64_t lengthFrames() const override { return frames_; }
    int64_t read(float* out, int64_t frames) override
    {
        int64_t done = 0;
        // libopenmpt renders in pieces; ask until it gives no more or the request is met.
        while (done < frames) {
            const size_t n = openmpt().openmpt_module_read_interleaved_float_stereo(
                module_.get(), kModuleRate, size_t(std::min<int64_t>(frames - done, 1 << 14)), out + done * 2);
            if (n == 0)
                break;
            done += int64_t(n);
        }
        return done;
    }
    bool seek(int64_t frame) override
    {
        openmpt().openmpt_module_set_position_seconds(module_.get(), double(frame) / kModuleRate);
        return true;
    }

private:
    Module module_;
    int64_t frames_;
};

QString metadata(openmpt_module* m, const char* key)
{
    const char* text = openmpt().openmpt_module_get_metadata(m, key);
    const QString value = QString::fromUtf8(text ? text : "");
    if (text)
        openmpt().openmpt_free_string(text);
    return value;
}

} // namespace

OpenResult openModule(const QByteArray& bytes, const QString& name, AudioHeader* header)
{
    if (!openmpt().error.isEmpty())
        return {nullptr, openmpt().error};
    int error = 0;
    const char* message = nullptr;
    // What libopenmpt would log goes nowhere: the message returned says why a file is refused.
    const openmpt_log_func quiet = [](const char*, void*) {};
    Module module(openmpt().openmpt_module_create_from_memory2(
        bytes.constData(), size_t(bytes.size()), quiet, nullptr, nullptr, nullptr, &error, &message, nullptr));
    QString why = QString::fromUtf8(message ? message : "");
    if (message)
        openmpt().openmpt_free_string(message);
    if (!module)
        return {nullptr,
            Say::tr("%1 is not a tracker module that can be played%2.")
                .arg(name, why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why))};
    const double seconds = openmpt().openmpt_module_get_duration_seconds(module.get());
    // A song of more than a day is a damaged file's.
    if (!std::isfinite(seconds) || seconds <= 0 || seconds > 24 * 3600)
        return {nullptr, Say::tr("%1 holds no song that can be played.").arg(name)};
    const auto frames = int64_t(seconds * kModuleRate);
    if (header) {
        header->format = SoundFormat::Module;
        header->rate = kModuleRate;
        header->channels = 2;
        header->frames = frames;
        header->moduleType = metadata(module.get(), "type_long");
        header->moduleChannels = openmpt().openmpt_module_get_num_channels(module.get());
    }
    return {std::make_unique<ModuleSource>(std::move(module), frames), {}};
}

} // namespace sonaplex::audio
