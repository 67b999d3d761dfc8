// Timing for the engine's benchmark programs: a high-resolution clock and
// the best of several runs.
#pragma once

#include <windows.h>

#include <algorithm>

namespace benchtiming {

inline double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(freq.QuadPart);
}

// Best of several runs, in seconds.
template <typename F>
double Best(int runs, F&& f) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double t0 = Now();
        f();
        best = std::min(best, Now() - t0);
    }
    return best;
}

}  // namespace benchtiming
