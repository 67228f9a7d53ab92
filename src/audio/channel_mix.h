#pragma once
#include <algorithm>
#include <cstdint>

namespace sonaplex::audio {

// Mixes `frames` interleaved frames of `from` channels into `to` channels, scaled by `gain`:
// mono is spread to every channel; fewer channels fill the first ones and leave the rest
// silent; more channels fold onto fewer, each taking the average of its share.
inline void mixChannels(const float* in, int from, float* out, int to, int64_t frames, float gain = 1.0f)
{
    if (from == to) {
        std::transform(in, in + frames * from, out, [gain](float s) { return s * gain; });
        return;
    }
    for (int64_t f = 0; f < frames; ++f, in += from, out += to) {
        if (from == 1) {
            std::fill(out, out + to, in[0] * gain);
        } else if (from < to) {
            std::transform(in, in + from, out, [gain](float s) { return s * gain; });
            std::fill(out + from, out + to, 0.0f);
        } else {
            for (int c = 0; c < to; ++c) {
                float sum = 0;
                int n = 0;
                for (int s = c; s < from; s += to, ++n)
                    sum += in[s];
                out[c] = sum / float(n) * gain;
            }
        }
    }
}

} // namespace sonaplex::audio
