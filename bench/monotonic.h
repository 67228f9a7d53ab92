#pragma once
// One clock for the benches' processes: a time taken in one compares with a time taken in another.
#include <ctime>

inline long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1'000'000'000LL + ts.tv_nsec;
}
