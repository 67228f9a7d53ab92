#pragma once
// Small ProTracker modules: four channels, one sampled sine, notes on the beat.
#include <QByteArray>

#include <cmath>
#include <cstdint>

namespace sonaplex::test {

inline QByteArray protrackerModule(int period = 428, const char* title = "test")
{
    QByteArray m = QByteArray(title).leftJustified(20, '\0', true);
    auto be16 = [&m](int v) {
        m.append(char(v >> 8));
        m.append(char(v));
    };
    const int sampleBytes = 2000;
    for (int i = 0; i < 31; ++i) {
        m += QByteArray(i == 0 ? "sine" : "").leftJustified(22, '\0', true);
        be16(i == 0 ? sampleBytes / 2 : 0); // length in words
        m.append(char(0)); // finetune
        m.append(char(i == 0 ? 64 : 0)); // volume
        be16(0); // loop start
        be16(i == 0 ? sampleBytes / 2 : 1); // loop length
    }
    m.append(char(2)); // two patterns in the song
    m.append(char(127));
    QByteArray order(128, '\0');
    order[1] = 1;
    m += order + QByteArray("M.K.");
    for (int pattern = 0; pattern < 2; ++pattern)
        for (int row = 0; row < 64; ++row)
            for (int channel = 0; channel < 4; ++channel) {
                const bool note = row % 16 == 0 && channel == pattern;
                m.append(char(note ? (period >> 8) & 0x0F : 0));
                m.append(char(note ? period & 0xFF : 0));
                m.append(char(note ? 1 << 4 : 0)); // sample 1
                m.append(char(0));
            }
    for (int i = 0; i < sampleBytes; ++i)
        m.append(char(int8_t(100 * std::sin(2 * M_PI * i / 40))));
    return m;
}

} // namespace sonaplex::test
