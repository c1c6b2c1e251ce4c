// The host's high-resolution clock, for timing the plug-in's calls and the
// host's own answers.
#pragma once

#include <windows.h>

#include <cstdint>

inline int64_t ClockTicks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double TicksToMs(int64_t nTicks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(nTicks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
