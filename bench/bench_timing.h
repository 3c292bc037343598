// Time measurement shared by the benchmarks: the performance counter and medians.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// The counter's current value, in ticks.
inline LONGLONG Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// Ticks of the counter as seconds.
inline double Seconds(LONGLONG ticks)
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(ticks) / frequency;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
